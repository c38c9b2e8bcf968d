// Reading a page into slots and writing property changes at once.
#include "touchscreen/LayoutStore.h"
#include "touchscreen/CfgPantallaStore.h"

#include "support/FailingWrites.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"
#include "support/ScreenTest.h"

#include <QImage>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>

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
    s.setGroupCaption(g, 4, QStringLiteral("Bebidas 'frías'"));
    EXPECT_EQ(g.numero, 5);
    EXPECT_EQ(g.posicion, 16);
    EXPECT_EQ(cell("SELECT Descripcion FROM TPV_CfgPantalla_Grupos WHERE Cod_Grupo = 5 AND Posicion = 16"),
              "Bebidas 'frías'");
    EXPECT_EQ(cell("SELECT BackColor FROM TPV_CfgPantalla_Grupos WHERE Cod_Grupo = 5").toInt(), DefaultButtonColor);

    // A second change updates the same row.
    s.setGroupBackColour(g, 4, 255);
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
        EXPECT_THROW(s.setGroupForeColour(groups[0], 0, 65280), zqvr::Error);
        EXPECT_FALSE(groups[0].stored());
        EXPECT_EQ(db.count("TPV_CfgPantalla_Grupos"), 0);
    }
}

TEST_F(LayoutStoreTest, KeysAreCreatedAtTheirPlaceAndReadBackWithTheArticleText)
{
    LayoutStore s = store();
    auto groups = s.loadGroups();
    s.ensureGroup(groups[0], 0);
    auto keys = s.loadKeys(1);
    KeySlot& k = keys[11];
    k.articulo = 321;
    s.setKeyArticle(k, 11, 321);
    s.setKeyUnits(k, 11, 0.5);
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
    s.ensureGroup(groups[2], 2);
    auto keys = s.loadKeys(3);
    s.ensureKey(keys[0], 0);
    s.ensureKey(keys[1], 1);

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
    s.ensureGroup(groups[0], 0);
    s.ensureGroup(groups[2], 2);
    auto keys = s.loadKeys(3);
    s.ensureKey(keys[0], 0);
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
    s.ensureGroup(groups[2], 2);
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

// Each typed change sends the system's own UPDATE to SQL Server: the group's
// text mode goes quoted, the key's as a number, units with a "." whatever the
// locale. The recorder changes no row, so each call also reports the button gone.
TEST(LayoutStoreStatements, EachChangeSendsTheSystemsUpdateToSqlServer)
{
    auto conn = zqvr::db::Connection::open(QStringLiteral("record:sqlserver"));
    LayoutStore s(*conn, 1, 4, Tipo3x4, 1);
    GroupSlot g;
    g.numero = 2;
    g.posicion = 7;
    KeySlot k;
    k.grupo = 2;
    k.posicion = 9;
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    const std::vector<std::function<void()>> changes{
        [&] { s.setGroupTextMode(g, 0, 1); },
        [&] { s.setGroupCaption(g, 0, QStringLiteral("Café 'solo'")); },
        [&] { s.setGroupForeColour(g, 0, 255); },
        [&] { s.setGroupBackColour(g, 0, 65280); },
        [&] { s.setKeyArticle(k, 0, 321); },
        [&] { s.setKeyTextMode(k, 0, 1); },
        [&] { s.setKeyText(k, 0, QStringLiteral("ATRAS")); },
        [&] { s.setKeyUnits(k, 0, 1.5); },
        [&] { s.setKeyForeColour(k, 0, 16777215); },
        [&] { s.setKeyBackColour(k, 0, 0); },
        [&] { s.setKeyPictureSource(k, 0, 1); },
        [&] { s.setKeyWeighed(k, 0, 1); },
        [&] { s.setKeyLink(k, 0, QStringLiteral("C:\\Fotos\\a.jpg")); },
    };
    for (const auto& change : changes)
        EXPECT_THROW(change(), zqvr::Error);
    QLocale::setDefault(before);
    const QString group = QStringLiteral(" WHERE Cod_Empresa = 1 AND Cod_CfgPantalla=4 AND Cod_Grupo=2");
    const QString key = group + QStringLiteral(" AND Posicion=9");
    const QString g0 = QStringLiteral("UPDATE TPV_CfgPantalla_Grupos set");
    const QString k0 = QStringLiteral("UPDATE TPV_CfgPantalla_Grupos_Lineas set");
    EXPECT_EQ(conn->recordedStatements(),
              (QStringList{g0 + " TipoTexto = '1'" + group, g0 + " Descripcion = 'Café ''solo'''" + group,
                           g0 + " ForeColor = 255" + group, g0 + " BackColor = 65280" + group,
                           k0 + " Cod_Articulo = 321" + key, k0 + " TipoTexto = 1" + key, k0 + " Texto = 'ATRAS'" + key,
                           k0 + " Unidades = 1.5" + key, k0 + " ForeColor = 16777215" + key, k0 + " BackColor = 0" + key,
                           k0 + " OrigenImagen = 1" + key, k0 + " Pesado = 1" + key,
                           k0 + " PathVinculo = 'C:\\Fotos\\a.jpg'" + key}));
    // The slots keep what this user last saw.
    EXPECT_EQ(g.tipoTexto, 0);
    EXPECT_EQ(k.articulo, 0);
}

TEST(LayoutStoreStatements, TheListingsCompanyNameIsReadFromTheCompaniesTable)
{
    auto conn = zqvr::db::Connection::open(QStringLiteral("record:sqlserver"));
    CfgPantallaStore(*conn, 3).companyName();
    EXPECT_EQ(conn->recordedStatements(), QStringList{"SELECT Nombre_1 FROM Empresas WHERE Codigo = 3"});
}

} // namespace
