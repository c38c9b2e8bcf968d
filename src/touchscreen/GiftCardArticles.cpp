#include "touchscreen/GiftCardArticles.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"

namespace zqvr::touchscreen {

using db::sqlInt;

namespace {
QString src(const char* procedure) { return QStringLiteral("GiftCardArticles::") + QLatin1String(procedure); }
} // namespace

QList<QPair<qint64, QString>> GiftCardArticles::list() const
{
    return reraiseAs(src("list"), [&] {
        QList<QPair<qint64, QString>> out;
        auto rs = m_conn.query(QStringLiteral("SELECT ar.Cod_Articulo, a.Descripcion FROM Articulos_TRegalo ar "
                                              " INNER JOIN Articulos a ON a.Cod_Empresa = ") +
                               sqlInt(m_empresaArticulos) +
                               QStringLiteral(" AND a.Codigo = ar.Cod_Articulo WHERE ar.Cod_Empresa =") +
                               sqlInt(m_empresa) + QStringLiteral(" ORDER BY ar.Cod_Articulo"));
        while (!rs.eof()) {
            out.push_back({rs.value(0).toLongLong(), rs.value(1).toString()});
            rs.moveNext();
        }
        return out;
    });
}

bool GiftCardArticles::contains(qint64 articulo) const
{
    return reraiseAs(src("contains"), [&] {
        auto rs = m_conn.query(QStringLiteral("SELECT Cod_Articulo FROM Articulos_TRegalo  WHERE Cod_Empresa =") +
                               sqlInt(m_empresa) + QStringLiteral(" AND Cod_Articulo=") + sqlInt(articulo));
        return !rs.eof();
    });
}

GiftCardArticles::AddResult GiftCardArticles::add(qint64 articulo)
{
    return reraiseAs(src("add"), [&] {
        if (contains(articulo))
            return AddResult::AlreadyThere;
        auto rs = m_conn.query(QStringLiteral("SELECT Codigo FROM Articulos WHERE Cod_Empresa =") +
                               sqlInt(m_empresaArticulos) +
                               QStringLiteral(" AND Codigo =") + sqlInt(articulo));
        if (rs.eof())
            return AddResult::NoSuchArticle;
        rs.close();
        m_conn.execute(QStringLiteral("INSERT INTO Articulos_TRegalo (Cod_Empresa, Cod_Articulo) VALUES (") +
                       sqlInt(m_empresa) + QLatin1Char(',') + sqlInt(articulo) + QLatin1Char(')'));
        return AddResult::Added;
    });
}

void GiftCardArticles::remove(qint64 articulo)
{
    reraiseAs(src("remove"), [&] {
        expectRow(m_conn.execute(QStringLiteral("DELETE FROM Articulos_TRegalo WHERE Cod_Empresa =") + sqlInt(m_empresa) +
                                 QStringLiteral(" AND Cod_Articulo=") + sqlInt(articulo)),
                  QStringLiteral("El artículo %1 de tarjeta regalo").arg(articulo));
    });
}

} // namespace zqvr::touchscreen
