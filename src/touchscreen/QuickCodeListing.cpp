#include "touchscreen/QuickCodeListing.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"

namespace zqvr::touchscreen {

using db::sqlInt;

QStringList ordenadoPorCaptions()
{
    return {QStringLiteral("Código Artículo"), QStringLiteral("Código Rápido"), QStringLiteral("Descripción")};
}

QStringList ordenCaptions() { return {QStringLiteral("Ascendente"), QStringLiteral("Descendente")}; }

QString DevCriterio(qint16 almacen, const QString& nombreAlmacen, int ordenadoPor, int orden)
{
    return QStringLiteral("Almacen: ") + QString::number(almacen) + QStringLiteral("  ") + nombreAlmacen +
           QStringLiteral("  ") + QStringLiteral("/ ") + QStringLiteral("Ordenado Por: ") +
           ordenadoPorCaptions().value(ordenadoPor) + QStringLiteral("  ") + QStringLiteral("/ ") +
           QStringLiteral("Orden: ") + ordenCaptions().value(orden);
}

QString listingStatement(qint16 empresaArticulos, const QuickCodeListingParams& p)
{
    // Only these column names ever reach the ORDER BY.
    static const char* const columns[] = {"a.Cod_Articulo", "a.Cod_Rapido", "b.Descripcion"};
    const int sort = p.ordenadoPor >= 0 && p.ordenadoPor < 3 ? p.ordenadoPor : 1;
    const QString dir = p.orden == int(ListingDirection::Descendente) ? QStringLiteral(" DESC") : QStringLiteral(" ASC");
    QString order = QString::fromLatin1(columns[sort]) + dir;
    if (sort != int(ListingSort::CodigoRapido))
        order += QStringLiteral(", a.Cod_Rapido") + dir;
    return QStringLiteral("SELECT a.Cod_Rapido, a.Cod_Articulo, a.Unidades, b.Descripcion") +
           QStringLiteral(" FROM TPV_CodigosRapido a INNER JOIN Articulos b") + QStringLiteral(" ON b.Cod_Empresa = ") +
           sqlInt(empresaArticulos) + QStringLiteral(" AND a.Cod_Articulo = b.Codigo") +
           QStringLiteral(" WHERE a.Cod_Empresa =") + sqlInt(p.empresa) + QStringLiteral(" AND a.Cod_Almacen =") +
           sqlInt(p.almacen) + QStringLiteral(" ORDER BY ") + order;
}

std::vector<QuickCode> listingRows(db::Connection& conn, qint16 empresaArticulos, const QuickCodeListingParams& p)
{
    return reraiseAs(QStringLiteral("frmCodigosRapido_Listado:Listar"), [&] {
        std::vector<QuickCode> out;
        db::RecordSet rs = conn.query(listingStatement(empresaArticulos, p));
        while (!rs.eof()) {
            out.push_back(quickCodeFromRow(rs));
            rs.moveNext();
        }
        return out;
    });
}

} // namespace zqvr::touchscreen
