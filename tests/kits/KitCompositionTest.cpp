// The kit components of a ticket line, without the window.
#include "kits/KitComposition.h"

#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace zqvr::kits;

namespace {

TEST(KitComponents, OnlyTheComponentsOfThatTicketLine)
{
    zqvr::test::TestDatabase db;
    db.exec("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion) VALUES (1, 1, 'Café'), (1, 2, 'Tostada')");
    db.exec("INSERT INTO TPV_Tickets_KitComposicion (Cod_Empresa, Cod_almacen, Caja, Fecha, Codigo, Num_Linea,"
            " Cod_Articulo, Cantidad) VALUES"
            " (1, 1, 1, '2026-12-05', 7, 2, 1, 1), (1, 1, 1, '2026-12-05', 7, 2, 2, 2),"
            " (1, 1, 1, '2026-12-05', 7, 3, 1, 5), (1, 1, 2, '2026-12-05', 7, 2, 1, 9),"
            " (1, 1, 1, '2026-12-04', 7, 2, 1, 8), (1, 2, 1, '2026-12-05', 7, 2, 1, 6),"
            " (1, 1, 1, '2026-12-05', 7, 4, 99, 1)");
    const auto c = kitComponents(db.conn(), {1, 1, 1, QDate(2026, 12, 5), 7, 2}, 1);
    ASSERT_EQ(c.size(), 2);
    EXPECT_EQ(c[0].codigo, 1);
    EXPECT_EQ(c[0].descripcion, QStringLiteral("Café"));
    EXPECT_DOUBLE_EQ(c[0].unidades, 1);
    EXPECT_EQ(c[1].codigo, 2);
    EXPECT_DOUBLE_EQ(c[1].unidades, 2);
    EXPECT_TRUE(kitComponents(db.conn(), {1, 1, 1, QDate(2026, 12, 5), 7, 1}, 1).isEmpty());
    // A component whose article is gone still shows, with no description.
    const auto gone = kitComponents(db.conn(), {1, 1, 1, QDate(2026, 12, 5), 7, 4}, 1);
    ASSERT_EQ(gone.size(), 1);
    EXPECT_EQ(gone[0].codigo, 99);
    EXPECT_EQ(gone[0].descripcion, QString());
}

} // namespace
