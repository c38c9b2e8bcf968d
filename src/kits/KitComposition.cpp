#include "kits/KitComposition.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"

namespace zqvr::kits {

using db::sqlInt;

QString kitCompositionSql(const db::Dialect& d, const KitLineKey& k, int empresaArticulos)
{
    return QStringLiteral("SELECT afk.Cod_Articulo AS Codigo, ") +
           d.isNull(QStringLiteral("a.Descripcion"), QStringLiteral("''")) +
           QStringLiteral(" AS Descripcion, afk.Cantidad AS Unidades FROM TPV_Tickets_KitComposicion afk "
                          " LEFT JOIN Articulos a ON a.Codigo = afk.Cod_Articulo AND a.Cod_Empresa = ") +
           sqlInt(empresaArticulos) + QStringLiteral(" WHERE afk.Codigo = ") + sqlInt(k.codigo) +
           QStringLiteral(" AND afk.Cod_almacen = ") + sqlInt(k.almacen) + QStringLiteral(" AND afk.Caja = ") +
           sqlInt(k.caja) + QStringLiteral(" AND afk.Cod_Empresa = ") + sqlInt(k.empresa) +
           QStringLiteral(" AND afk.Fecha = ") + d.date(k.fecha) + QStringLiteral(" AND afk.Num_Linea = ") +
           sqlInt(k.numLinea) + QStringLiteral(" ORDER BY afk.Cod_Articulo");
}

QList<KitComponent> kitComponents(db::Connection& conn, const KitLineKey& k, int empresaArticulos)
{
    return reraiseAs(QStringLiteral("KitComposition::components"), [&] {
        QList<KitComponent> out;
        auto rs = conn.query(kitCompositionSql(conn.dialect(), k, empresaArticulos));
        while (!rs.eof()) {
            out.push_back({rs.value(0).toLongLong(), rs.value(1).toString(), rs.value(2).toDouble()});
            rs.moveNext();
        }
        return out;
    });
}

} // namespace zqvr::kits
