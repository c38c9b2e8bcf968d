// The configurations list's statements.
#include "touchscreen/CfgPantallaStore.h"

#include "support/FailingWrites.h"
#include "db/Error.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace zqvr::touchscreen;
using zqvr::test::FailingWrites;
using zqvr::test::TestDatabase;
using zqvr::test::snapshot;

namespace {

class CfgPantallaStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        store.insert({3, QStringLiteral("Cafetería"), 0});
        store.insert({1, QStringLiteral("Tienda"), 1});
        // Another company's configuration with the same code.
        CfgPantallaStore(db.conn(), 2).insert({3, QStringLiteral("Otra"), 1});
    }
    TestDatabase db;
    CfgPantallaStore store{db.conn(), 1};
};

TEST_F(CfgPantallaStoreTest, ListsTheCompanysConfigurationsByCode)
{
    auto list = store.list();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].codigo, 1);
    EXPECT_EQ(list[0].tipo, 1);
    EXPECT_EQ(list[1].descripcion, "Cafetería");
}

TEST_F(CfgPantallaStoreTest, ExistenceCatchesADuplicateCodeOrDescriptionWithinTheCompany)
{
    EXPECT_TRUE(store.exists(3, "Nueva"));
    EXPECT_TRUE(store.exists(9, "Tienda"));
    EXPECT_FALSE(store.exists(9, "Otra"));
    EXPECT_FALSE(store.exists(9, "Tienda 2"));
    // Quotes are data, not statement text.
    EXPECT_FALSE(store.exists(9, "x' OR '1'='1"));
    store.insert({9, "Bar d'Ana", 0});
    EXPECT_TRUE(store.exists(10, "Bar d'Ana"));
}

TEST_F(CfgPantallaStoreTest, TheTypeMayChangeOnlyWhileTheConfigurationHasNoGroupOrKey)
{
    EXPECT_TRUE(store.typeChangeAllowed(3, 1));
    // Another company's layout under the same code does not count.
    db.exec("INSERT INTO TPV_CfgPantalla_Grupos (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo, Posicion) VALUES (2, 3, 1, 0)");
    EXPECT_TRUE(store.typeChangeAllowed(3, 1));
    // A key left without its group still has a place on the grid.
    db.exec("INSERT INTO TPV_CfgPantalla_Grupos_Lineas (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo, Posicion)"
            " VALUES (1, 3, 1, 6)");
    EXPECT_FALSE(store.typeChangeAllowed(3, 1));
    EXPECT_TRUE(store.typeChangeAllowed(3, 0)) << "keeping the type is always allowed";
    db.exec("INSERT INTO TPV_CfgPantalla_Grupos (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo, Posicion) VALUES (1, 1, 1, 0)");
    EXPECT_FALSE(store.typeChangeAllowed(1, 0));
}

TEST_F(CfgPantallaStoreTest, ForcingAReloadClearsAllTenMarksOfThatConfigurationOnly)
{
    db.exec("UPDATE TPV_CfgPantalla SET Act=1, Act2=1, Act3=1, Act4=1, Act5=1, Act6=1, Act7=1, Act8=1, Act9=1, Act10=1");
    store.forceReload(3);
    EXPECT_EQ(db.count("TPV_CfgPantalla", "Cod_Empresa = 1 AND Cod_CfgPantalla = 3 AND Act+Act2+Act3+Act4+Act5+Act6"
                                          "+Act7+Act8+Act9+Act10 = 0"),
              1);
    EXPECT_EQ(db.count("TPV_CfgPantalla", "Act10 = 1"), 2);
}

TEST_F(CfgPantallaStoreTest, DeletingAConfigurationTakesItsGroupsAndKeysAllOrNothing)
{
    for (int company : {1, 2}) {
        db.exec(QStringLiteral("INSERT INTO TPV_CfgPantalla_Grupos (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo, Posicion)"
                               " VALUES (%1, 3, 1, 6)").arg(company));
        db.exec(QStringLiteral("INSERT INTO TPV_CfgPantalla_Grupos_Lineas (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo,"
                               " Posicion, Cod_Articulo) VALUES (%1, 3, 1, 6, 10)").arg(company));
    }
    FailingWrites failing(db, {"TPV_CfgPantalla", "TPV_CfgPantalla_Grupos", "TPV_CfgPantalla_Grupos_Lineas"});
    auto all = [&] {
        return snapshot(db, "TPV_CfgPantalla", "Cod_Empresa, Cod_CfgPantalla")
               + snapshot(db, "TPV_CfgPantalla_Grupos", "Cod_Empresa")
               + snapshot(db, "TPV_CfgPantalla_Grupos_Lineas", "Cod_Empresa");
    };
    const QString before = all();
    for (int k = 1; k <= 3; ++k) {
        failing.failAt(k);
        EXPECT_THROW(store.remove(3), zqvr::Error);
        failing.off();
        EXPECT_EQ(all(), before) << "broken at " << k;
    }
    store.remove(3);
    EXPECT_EQ(db.count("TPV_CfgPantalla", "Cod_Empresa = 1"), 1);
    EXPECT_EQ(db.count("TPV_CfgPantalla_Grupos", "Cod_Empresa = 1"), 0);
    EXPECT_EQ(db.count("TPV_CfgPantalla_Grupos_Lineas", "Cod_Empresa = 1"), 0);
    // The other company keeps its layout under the same code.
    EXPECT_EQ(db.count("TPV_CfgPantalla_Grupos", "Cod_Empresa = 2"), 1);
    EXPECT_EQ(db.count("TPV_CfgPantalla_Grupos_Lineas", "Cod_Empresa = 2"), 1);
}

} // namespace
