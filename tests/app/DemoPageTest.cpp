// The controls page on the demo data: every control is there and wired, and
// the article grid ends with its merged totals row.
#include "ControlsDemoPage.h"
#include "controls/Grid.h"
#include "controls/ctlAlmacenCons.h"
#include "controls/ctlCodePicker.h"
#include "db/SqlLiteral.h"
#include "host/Formato.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::controls;
using brevanto::ControlsDemoPage;

TEST(ControlsDemoPage, ShowsTheDemoDataWithAMergedTotalsRow)
{
    test::TestDatabase tdb;
    tdb.fillDemo();
    ControlsDemoPage page(&tdb.conn(), &tdb.empresa());
    EXPECT_EQ(page.objectName(), "ControlsDemoPage");

    for (const char* name : {"txtArticulo", "txtCliente", "txtAlmacen", "txtUsuario", "txtAgente", "txtDtoGrp", "txtTarifa"}) {
        auto* p = page.findChild<ctlCodePicker*>(name);
        ASSERT_NE(p, nullptr) << name;
        EXPECT_EQ(p->Conexion(), &tdb.conn()) << name;
    }
    auto* lst = page.findChild<ctlAlmacenCons*>("lstAlm");
    ASSERT_NE(lst, nullptr);
    EXPECT_EQ(lst->ListCount(), tdb.count("Almacenes", "Cod_Empresa = 1"));

    Grid* g = page.articlesGrid();
    const int articles = tdb.count("Articulos", "Cod_Empresa = 1");
    ASSERT_GT(articles, 0);
    EXPECT_EQ(g->Rows(), 1 + articles + 2);
    const int totals = g->Rows() - 1;
    EXPECT_EQ(g->TextMatrix(totals, 0), "Total:");
    EXPECT_EQ(g->mergedSpan(totals, 0), 3);
    EXPECT_EQ(g->columnSpan(totals - 1, 0), 3);
    EXPECT_TRUE(g->CellFontBold(totals, 3));
    const double sum = tdb.conn().scalar("SELECT SUM(PVP) FROM Articulos WHERE Cod_Empresa = 1").toDouble();
    EXPECT_EQ(g->TextMatrix(totals, 3), host::Formato::FormatoNumero(sum, 2));
    EXPECT_EQ(g->Row(), 1);
}
