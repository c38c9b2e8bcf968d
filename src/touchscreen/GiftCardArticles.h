#pragma once
// The company's gift-card articles (Articulos_TRegalo) as the gift-card
// window keeps them. The rows belong to the company, as the terminals read
// them; only the articles themselves are looked up under the host's article
// company, which companies sharing one article file have in common. Failures
// are re-raised with the source "GiftCardArticles::<procedure>".
#include "touchscreen_export.h"

#include <QList>
#include <QPair>
#include <QString>

namespace zqvr::db { class Connection; }

namespace zqvr::touchscreen {

class ZQVR_TOUCHSCREEN_EXPORT GiftCardArticles {
public:
    enum class AddResult { Added, AlreadyThere, NoSuchArticle };

    GiftCardArticles(db::Connection& conn, int empresa, int empresaArticulos)
        : m_conn(conn), m_empresa(empresa), m_empresaArticulos(empresaArticulos)
    {
    }

    // (code, description) of every gift-card article that still exists, by code.
    QList<QPair<qint64, QString>> list() const;
    bool contains(qint64 articulo) const;
    // Marks an existing article as a gift card; a code not in Articulos is refused.
    AddResult add(qint64 articulo);
    // Removes the mark; raises rowDeletedError (db/Error.h) when another
    // user removed it meanwhile.
    void remove(qint64 articulo);

private:
    db::Connection& m_conn;
    int m_empresa;
    int m_empresaArticulos;
};

} // namespace zqvr::touchscreen
