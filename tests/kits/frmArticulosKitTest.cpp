// The kit window, through its widgets.
#include "kits/frmArticulosKit.h"

#include "controls/Grid.h"
#include "support/ScreenTest.h"

#include <gtest/gtest.h>

using namespace zqvr;
using controls::Grid;

namespace {

TEST(KitWindow, ShowsTheLinesComponentsOrNothing)
{
    test::TestDatabase db;
    installInHostContext(db);
    test::ServiceDoubles services;
    db.exec("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion) VALUES (1, 1, 'Café'), (1, 2, 'Tostada')");
    db.exec("INSERT INTO TPV_Tickets_KitComposicion (Cod_Empresa, Cod_almacen, Caja, Fecha, Codigo, Num_Linea,"
            " Cod_Articulo, Cantidad) VALUES (1, 3, 2, '2026-12-05', 40, 1, 1, 1), (1, 3, 2, '2026-12-05', 40, 1, 2, 1.5)");
    kits::frmArticulosKit kit;
    kit.setAlmacen(3);
    kit.setCaja(2);
    kit.setFecha(QDate(2026, 12, 5));
    kit.setCodigo(40);
    kit.setNumLinea(1);
    kit.Form_Load();
    auto* g = kit.findChild<Grid*>(QStringLiteral("vsArticulos"));
    EXPECT_EQ(kit.windowTitle(), QStringLiteral("Composición Kit"));
    ASSERT_EQ(g->Rows(), 3);
    EXPECT_EQ(g->TextMatrix(2, 1), QStringLiteral("Tostada"));
    EXPECT_EQ(g->TextMatrix(2, 2), QStringLiteral("1,500"));
    kit.setNumLinea(2);
    kit.Form_Load();
    EXPECT_EQ(g->Rows(), 1);
    EXPECT_TRUE(services.messages->shown.empty());
}

} // namespace
