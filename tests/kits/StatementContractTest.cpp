// The kit window reads what a kit sold on a ticket line was made of, as the
// terminal wrote it.
#include "kits/KitComposition.h"
#include "support/StatementContract.h"

#include <gtest/gtest.h>

using namespace zqvr;
using db::Connection;

TEST(StatementContract, TheKitWindowSendsTheSystemsStatement)
{
    const kits::KitLineKey line{1, 3, 4, QDate(2026, 12, 6), 77, 2};
    test::expectStatements("kit composition", {
        // A component removed from the article file is still listed, with an
        // empty description, in a stable order.
        {"components of a ticket line", [line](Connection& c) { kits::kitComponents(c, line, 9); },
         {"SELECT afk.Cod_Articulo AS Codigo, ISNULL(a.Descripcion, '') AS Descripcion, afk.Cantidad AS Unidades"
          " FROM TPV_Tickets_KitComposicion afk  LEFT JOIN Articulos a ON a.Codigo = afk.Cod_Articulo"
          " AND a.Cod_Empresa = 9 WHERE afk.Codigo = 77 AND afk.Cod_almacen = 3 AND afk.Caja = 4"
          " AND afk.Cod_Empresa = 1 AND afk.Fecha = '06/12/2026' AND afk.Num_Linea = 2 ORDER BY afk.Cod_Articulo"}},
    });
}
