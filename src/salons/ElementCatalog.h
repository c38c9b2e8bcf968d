#pragma once
// The floor-plan element palette as the database holds it
// (TPV_Sln_GrpElementos, TPV_Sln_Elementos): groups in number order, each
// with its elements in type order. Read only.
//
// Failures are re-raised as zqvr::Error with the source "ElementCatalog::<operation>".
#include "salons_export.h"
#include <QList>
#include <QString>
#include <optional>

namespace zqvr::db { class Connection; }

namespace zqvr::salons {

struct ZQVR_SALONS_EXPORT PaletteElement {
    int tipo = 0;
    QString descripcion;
    int codRelacion = 0;
    QString key() const { return QStringLiteral("n") + QString::number(tipo); }
};

struct ZQVR_SALONS_EXPORT PaletteGroup {
    int codGrupo = 0;
    QString descripcion;
    QList<PaletteElement> elements;
};

class ZQVR_SALONS_EXPORT ElementCatalog {
public:
    explicit ElementCatalog(db::Connection& conn) : m_conn(conn) {}

    QList<PaletteGroup> Cargar();
    // The group number of a group description: the first row found, or none.
    std::optional<int> GrupoDeDescripcion(const QString& descripcion);
    // The Xaml of an element type, "" when there is no such element.
    QString Xaml(int tipo);

private:
    db::Connection& m_conn;
};

} // namespace zqvr::salons
