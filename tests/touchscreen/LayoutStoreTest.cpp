// Reading a page into slots and writing property changes at once.
#include "touchscreen/LayoutStore.h"

#include "support/FailingWrites.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"
#include "support/ScreenTest.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zqvr::touchscreen;
using zqvr::test::FailingWrites;
using zqvr::test::TestDatabase;
using zqvr::test::snapshot;

namespace {

class LayoutStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        zqvr::test::installInHostContext(db);
        db.exec("INSERT INTO TPV_CfgPantalla (Cod_Empresa, Cod_CfgPantalla, Descripcion, Tipo) VALUES (1, 4, 'Bar', 0)");
        db.exec("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion) VALUES (1, 321, 'CAFE SOLO')");
    }
    QString cell(const QString& sql) { return db.conn().scalar(sql).toString(); }
    LayoutStore store() { return LayoutStore(db.conn(), 1, 4, Tipo3x4, 1); }

    TestDatabase db;
    zqvr::test::ServiceDoubles services;
};

TEST_F(LayoutStoreTest, FirstChangeOnAnEmptyGroupCreatesItWithItsNumberAndPlace)
{
    LayoutStore s = store();
    auto groups = s.loadGroups();
    ASSERT_EQ(groups.size(), 12u);
    GroupSlot& g = groups[4];
    ASSERT_FALSE(g.stored());
    s.writeGroup(g, 4, QStringLiteral(" Descripcion = ") + zqvr::db::sqlText("Bebidas 'frías'"));
    EXPECT_EQ(g.numero, 5);
    EXPECT_EQ(g.posicion, 16);
    EXPECT_EQ(cell("SELECT Descripcion FROM TPV_CfgPantalla_Grupos WHERE Cod_Grupo = 5 AND Posicion = 16"),
              "Bebidas 'frías'");
    EXPECT_EQ(cell("SELECT BackColor FROM TPV_CfgPantalla_Grupos WHERE Cod_Grupo = 5").toInt(), DefaultButtonColor);

    // A second change updates the same row.
    s.writeGroup(g, 4, QStringLiteral(" BackColor = 255"));
    EXPECT_EQ(db.count("TPV_CfgPantalla_Grupos"), 1);
    auto again = s.loadGroups();
    EXPECT_EQ(again[4].backColor, 255);
    EXPECT_EQ(again[4].texto, "Bebidas 'frías'");
}

TEST_F(LayoutStoreTest, ACreationThatFailsLeavesNoRowAndTheSlotEmpty)
{
    LayoutStore s = store();
    auto groups = s.loadGroups();
    FailingWrites failing(db, {"TPV_CfgPantalla_Grupos"});
    for (int k = 1; k <= 2; ++k) {
        failing.failAt(k);
        EXPECT_THROW(s.writeGroup(groups[0], 0, QStringLiteral(" ForeColor = 65280")), zqvr::Error);
        EXPECT_FALSE(groups[0].stored());
        EXPECT_EQ(db.count("TPV_CfgPantalla_Grupos"), 0);
    }
}

TEST_F(LayoutStoreTest, KeysAreCreatedAtTheirPlaceAndReadBackWithTheArticleText)
{
    LayoutStore s = store();
    auto groups = s.loadGroups();
    s.writeGroup(groups[0], 0, QString());
    auto keys = s.loadKeys(1);
    KeySlot& k = keys[11];
    k.articulo = 321;
    s.writeKey(k, 11, QStringLiteral(" Cod_Articulo = 321"));
    s.writeKey(k, 11, QStringLiteral(" Unidades = ") + zqvr::db::sqlNumber(0.5));
    EXPECT_EQ(k.posicion, 35);
    auto back = s.loadKeys(1);
    EXPECT_EQ(back[11].articulo, 321);
    EXPECT_EQ(back[11].descripcion, "CAFE SOLO");
    EXPECT_EQ(back[11].caption(), "CAFE SOLO");
    EXPECT_DOUBLE_EQ(back[11].unidades, 0.5);
    EXPECT_FALSE(back[0].stored());
    EXPECT_EQ(back[0].caption(), "");
}

TEST_F(LayoutStoreTest, AStoredButtonWithNothingToShowIsMarkedEmpty)
{
    KeySlot k;
    k.posicion = 6;
    EXPECT_EQ(k.caption(), EmptyCaption);
    k.backColor = 0x0000FF;
    EXPECT_EQ(k.caption(), "");
    k.backColor = DefaultButtonColor;
    k.imagen = "png";
    EXPECT_EQ(k.caption(), "");
    k.imagen.clear();
    k.tipoTexto = 1;
    k.texto = "ATRAS";
    EXPECT_EQ(k.caption(), "ATRAS");
    k.tipoTexto = 2; // "No mostrar" leaves nothing to see
    EXPECT_EQ(k.caption(), EmptyCaption);

    GroupSlot g;
    g.numero = 1;
    g.texto = "  ";
    EXPECT_EQ(g.caption(), EmptyCaption);
    g.texto = "Cafés";
    EXPECT_EQ(g.caption(), "Cafés");
    g.tipoTexto = 1;
    EXPECT_EQ(g.caption(), EmptyCaption);
}

TEST_F(LayoutStoreTest, DeletingAGroupTakesItsKeysAndFailsAsAWhole)
{
    LayoutStore s = store();
    auto groups = s.loadGroups();
    s.writeGroup(groups[2], 2, QString());
    auto keys = s.loadKeys(3);
    s.writeKey(keys[0], 0, QString());
    s.writeKey(keys[1], 1, QString());

    FailingWrites failing(db, {"TPV_CfgPantalla_Grupos", "TPV_CfgPantalla_Grupos_Lineas"});
    const QString before = snapshot(db, "TPV_CfgPantalla_Grupos", "Cod_Grupo")
                           + snapshot(db, "TPV_CfgPantalla_Grupos_Lineas", "Posicion");
    for (int k : {1, 3}) { // the keys' statement, then the group's
        failing.failAt(k);
        EXPECT_THROW(s.deleteGroup(groups[2]), zqvr::Error);
        failing.off();
        EXPECT_TRUE(groups[2].stored());
        EXPECT_EQ(snapshot(db, "TPV_CfgPantalla_Grupos", "Cod_Grupo")
                      + snapshot(db, "TPV_CfgPantalla_Grupos_Lineas", "Posicion"),
                  before);
    }
    s.deleteGroup(groups[2]);
    EXPECT_FALSE(groups[2].stored());
    EXPECT_EQ(db.count("TPV_CfgPantalla_Grupos"), 0);
    EXPECT_EQ(db.count("TPV_CfgPantalla_Grupos_Lineas"), 0);
}

TEST_F(LayoutStoreTest, DeletingTheDefaultGroupClearsTheDefaultWithIt)
{
    LayoutStore s = store();
    auto groups = s.loadGroups();
    s.writeGroup(groups[0], 0, QString());
    s.writeGroup(groups[2], 2, QString());
    auto keys = s.loadKeys(3);
    s.writeKey(keys[0], 0, QString());
    s.setDefaultGroup(3);

    FailingWrites failing(db, {"TPV_CfgPantalla", "TPV_CfgPantalla_Grupos", "TPV_CfgPantalla_Grupos_Lineas"});
    const auto tables = [&] {
        return snapshot(db, "TPV_CfgPantalla", "Cod_CfgPantalla") + snapshot(db, "TPV_CfgPantalla_Grupos", "Cod_Grupo")
               + snapshot(db, "TPV_CfgPantalla_Grupos_Lineas", "Posicion");
    };
    const QString before = tables();
    for (int k : {1, 2, 3}) { // the key, the group, the default
        failing.failAt(k);
        EXPECT_THROW(s.deleteGroup(groups[2]), zqvr::Error) << k;
        failing.off();
        EXPECT_TRUE(groups[2].stored());
        EXPECT_EQ(tables(), before) << k;
    }
    // Another group going leaves the default alone.
    s.deleteGroup(groups[0]);
    EXPECT_EQ(s.defaultGroup(), 3);
    s.deleteGroup(groups[2]);
    EXPECT_EQ(s.defaultGroup(), 0);
    EXPECT_EQ(db.count("TPV_CfgPantalla_Grupos"), 0);
    // A group made later on that button is no default of its own accord.
    s.writeGroup(groups[2], 2, QString());
    int defaultIndex = 0;
    s.loadGroups(&defaultIndex);
    EXPECT_EQ(defaultIndex, -1);
}

TEST_F(LayoutStoreTest, PicturesAreStoredSmallAndRemovedAsAnEmptyValue)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("rojo.png");
    QImage img(200, 100, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(png));

    LayoutStore s = store();
    auto groups = s.loadGroups();
    s.storeGroupPicture(groups[7], 7, png); // creates the group on the way
    EXPECT_TRUE(groups[7].stored());
    QImage stored;
    ASSERT_TRUE(stored.loadFromData(groups[7].imagen));
    EXPECT_EQ(stored.size(), QSize(60, 30));
    EXPECT_EQ(s.loadGroups()[7].imagen, groups[7].imagen);

    s.removeGroupPicture(groups[7]);
    EXPECT_TRUE(groups[7].imagen.isEmpty());
    EXPECT_TRUE(s.loadGroups()[7].imagen.isEmpty());
}

TEST_F(LayoutStoreTest, BadPictureFilesAreRefusedBeforeAnyRowIsWritten)
{
    QTemporaryDir dir;
    const QString empty = dir.filePath("vacio.png");
    QFile(empty).open(QIODevice::WriteOnly);
    const QString text = dir.filePath("nota.png");
    {
        QFile f(text);
        f.open(QIODevice::WriteOnly);
        f.write("esto no es una imagen");
    }
    // 10,000 x 10,000 pixels: small on disk, too large to load.
    const QString huge = dir.filePath("enorme.png");
    {
        QImage big(10000, 10000, QImage::Format_Mono);
        big.fill(0);
        ASSERT_TRUE(big.save(huge));
    }
    LayoutStore s = store();
    auto groups = s.loadGroups();
    for (const QString& path : {dir.filePath("no-existe.png"), empty, text, huge}) {
        EXPECT_THROW(s.storeGroupPicture(groups[0], 0, path), zqvr::Error) << path.toStdString();
        EXPECT_FALSE(groups[0].stored());
        EXPECT_EQ(db.count("TPV_CfgPantalla_Grupos"), 0);
    }
}

} // namespace
