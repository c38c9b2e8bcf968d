#include "salons/ElementCatalog.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"

namespace zqvr::salons {

using db::sqlInt;
using db::sqlText;

QList<PaletteGroup> ElementCatalog::Cargar()
{
    return reraiseAs(QStringLiteral("ElementCatalog::Cargar"), [&] {
        QList<PaletteGroup> groups;
        {
            db::RecordSet rs = m_conn.query(QStringLiteral("SELECT grp.Cod_Grupo, grp.Descripcion AS grpDescripcion"
                                                           "  FROM TPV_Sln_GrpElementos grp "
                                                           " ORDER BY grp.Cod_Grupo"));
            while (!rs.eof()) {
                PaletteGroup g;
                g.codGrupo = rs[QStringLiteral("Cod_Grupo")].toInt();
                g.descripcion = rs[QStringLiteral("grpDescripcion")].toString();
                groups.append(g);
                rs.moveNext();
            }
        }
        for (PaletteGroup& g : groups) {
            db::RecordSet rs = m_conn.query(QStringLiteral("SELECT elem.Tipo, elem.Descripcion, elem.Cod_Relacion"
                                                           "  FROM TPV_Sln_Elementos elem"
                                                           " WHERE elem.Cod_Grupo =") +
                                            sqlInt(g.codGrupo) + QStringLiteral(" ORDER BY elem.Tipo"));
            while (!rs.eof()) {
                g.elements.append({rs[QStringLiteral("Tipo")].toInt(), rs[QStringLiteral("Descripcion")].toString(),
                                   rs[QStringLiteral("Cod_Relacion")].toInt()});
                rs.moveNext();
            }
        }
        return groups;
    });
}

std::optional<int> ElementCatalog::GrupoDeDescripcion(const QString& descripcion)
{
    return reraiseAs(QStringLiteral("ElementCatalog::GrupoDeDescripcion"), [&]() -> std::optional<int> {
        db::RecordSet rs = m_conn.query(QStringLiteral("SELECT grp.Cod_Grupo"
                                                       "  FROM TPV_Sln_GrpElementos grp "
                                                       " WHERE grp.Descripcion = ") +
                                        sqlText(descripcion));
        if (rs.eof())
            return std::nullopt;
        return rs[QStringLiteral("Cod_Grupo")].toInt();
    });
}

QString ElementCatalog::Xaml(int tipo)
{
    return reraiseAs(QStringLiteral("ElementCatalog::Xaml"), [&] {
        db::RecordSet rs = m_conn.query(QStringLiteral("SELECT Xaml FROM TPV_Sln_Elementos  WHERE Tipo =") + sqlInt(tipo));
        return rs.eof() ? QString() : rs[QStringLiteral("Xaml")].toString();
    });
}

} // namespace zqvr::salons
