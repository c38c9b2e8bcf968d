// The terminals load their touch screens, quick codes and gift-card
// articles from the tables these screens write; the statements are the
// system's text, rendered for SQL Server.
#include "db/Error.h"
#include "db/SelectParts.h"
#include "support/StatementContract.h"
#include "touchscreen/CfgPantallaStore.h"
#include "touchscreen/GiftCardArticles.h"
#include "touchscreen/LayoutPlaces.h"
#include "touchscreen/LayoutStore.h"
#include "touchscreen/QuickCodeStore.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::touchscreen;
using db::Connection;

namespace {

// The recorder changes no row: a write that must hit one is reported as
// done meanwhile by another user, after its statements were sent.
template <typename F>
void rejected(F&& f)
{
    EXPECT_THROW(f(), zqvr::Error);
}

LayoutStore layout(Connection& c, int tipo = Tipo9x4) { return LayoutStore(c, 1, 2, tipo, 9); }

GroupSlot storedGroup()
{
    GroupSlot g;
    g.numero = 5;
    g.posicion = 4;
    return g;
}

KeySlot storedKey()
{
    KeySlot k;
    k.grupo = 3;
    k.posicion = 7;
    return k;
}

KeySlot newKey()
{
    KeySlot k;
    k.grupo = 3;
    return k;
}

const QString kKey = QStringLiteral(" WHERE Cod_Empresa = 1 AND Cod_CfgPantalla=2 AND Cod_Grupo=3 AND Posicion=7");
const QString kGroup = QStringLiteral(" WHERE Cod_Empresa = 1 AND Cod_CfgPantalla=2 AND Cod_Grupo=5");
const QString kNewKey = QStringLiteral(
    "INSERT INTO TPV_CfgPantalla_Grupos_Lineas (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo, Posicion, Cod_Articulo,"
    " Unidades,ForeColor, BackColor, TipoTexto,Texto) VALUES (1, 2,3,7,0,1,0,16185078,0,'')");

} // namespace

TEST(StatementContract, TheTouchScreenConfigurationsSendTheSystemsStatements)
{
    test::expectStatements("touch-screen configurations", {
        {"list", [](Connection& c) { CfgPantallaStore(c, 1).list(); },
         {"SELECT * FROM TPV_CfgPantalla WHERE Cod_Empresa =1 ORDER BY Cod_CfgPantalla"}},
        {"existence check", [](Connection& c) { CfgPantallaStore(c, 1).exists(3, QStringLiteral("Bar's")); },
         {" SELECT TOP 1 * FROM TPV_CfgPantalla WHERE Cod_Empresa =1 AND (Cod_CfgPantalla = 3"
          " OR Descripcion = 'Bar''s')"}},
        {"add", [](Connection& c) { CfgPantallaStore(c, 1).insert({3, QStringLiteral("Bar's"), 1}); },
         {"INSERT INTO TPV_CfgPantalla (Cod_Empresa, Cod_CfgPantalla, Descripcion, Tipo, Cod_GrupoDF)"
          " VALUES (1,3,'Bar''s',1,0)"}},
        {"change", [](Connection& c) { rejected([&] { CfgPantallaStore(c, 1).update(3, QStringLiteral("Bar"), 0); }); },
         {"UPDATE TPV_CfgPantalla SET Descripcion ='Bar' ,Tipo = 0 WHERE Cod_Empresa = 1 AND Cod_CfgPantalla =3"}},
        // A change of grid type is refused while the configuration has a
        // layout; without a stored row the check stops at the first read.
        {"type change check (stops at a missing configuration)",
         [](Connection& c) { EXPECT_TRUE(CfgPantallaStore(c, 1).typeChangeAllowed(3, 0)); },
         {"SELECT Tipo FROM TPV_CfgPantalla WHERE Cod_Empresa =1 AND Cod_CfgPantalla =3"}},
        // The groups and keys go with the configuration, so that a
        // configuration given the freed code later starts empty.
        {"delete", [](Connection& c) { rejected([&] { CfgPantallaStore(c, 1).remove(3); }); },
         {"DELETE FROM TPV_CfgPantalla_Grupos_Lineas WHERE Cod_Empresa =1 AND Cod_CfgPantalla =3",
          "DELETE FROM TPV_CfgPantalla_Grupos WHERE Cod_Empresa =1 AND Cod_CfgPantalla =3",
          "DELETE FROM TPV_CfgPantalla WHERE Cod_Empresa =1 AND Cod_CfgPantalla =3"}},
        {"force reload", [](Connection& c) { rejected([&] { CfgPantallaStore(c, 1).forceReload(3); }); },
         {"UPDATE TPV_CfgPantalla SET Act=0, Act2=0, Act3=0, Act4=0, Act5=0, Act6=0, Act7=0, Act8=0, Act9=0,"
          " Act10=0 WHERE Cod_Empresa = 1 AND Cod_CfgPantalla=3"}},
        {"company name for the listing", [](Connection& c) { CfgPantallaStore(c, 1).companyName(); },
         {"SELECT Nombre_1 FROM Empresas WHERE Codigo = 1"}},
    });
}

TEST(StatementContract, TheLayoutEditorSendsTheSystemsStatements)
{
    test::expectStatements("touch-screen groups and keys", {
        // The pictures come with the group rows (g.*), one statement for the
        // page rather than one per button.
        {"groups", [](Connection& c) { layout(c).loadGroups(); },
         {"SELECT g.*, ISNULL(p.Cod_GrupoDF, 0) AS GDF FROM TPV_CfgPantalla_Grupos g LEFT JOIN TPV_CfgPantalla p"
          " ON p.Cod_Empresa = g.Cod_Empresa AND p.Cod_CFGPantalla=g.Cod_CFGPantalla AND p.Cod_GrupoDF = g.Cod_Grupo"
          " WHERE g.Cod_Empresa =1 AND g.Cod_CfgPantalla =2"}},
        // Articles are looked up under the article company, which companies
        // sharing one article file have in common.
        {"keys of a group", [](Connection& c) { layout(c).loadKeys(3); },
         {"SELECT a.Cod_Grupo, a.Cod_Articulo, a.Unidades, ISNULL(b.Descripcion, '') AS Descripcion, a.Posicion,"
          " BackColor, ForeColor, TipoTexto, Texto, Imagen, Pesado, PathVinculo, OrigenImagen"
          " FROM TPV_CfgPantalla_Grupos_Lineas a LEFT JOIN Articulos b ON b.Cod_Empresa = 9"
          " AND a.Cod_Articulo = b.Codigo WHERE a.Cod_Empresa =1 AND a.Cod_CfgPantalla =2 AND a.Cod_Grupo =3"
          " ORDER BY a.Posicion ASC"}},
        {"new group on button 5 (9 x 4)",
         [](Connection& c) {
             GroupSlot g;
             layout(c).ensureGroup(g, 4);
         },
         {"INSERT INTO TPV_CfgPantalla_Grupos (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo, Posicion, Descripcion,"
          " ForeColor, Backcolor, TipoTexto) VALUES (1, 2,5,4, '', 0, 16185078,0)"}},
        {"new group on button 5 (3 x 4)",
         [](Connection& c) {
             GroupSlot g;
             layout(c, Tipo3x4).ensureGroup(g, 4);
         },
         {"INSERT INTO TPV_CfgPantalla_Grupos (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo, Posicion, Descripcion,"
          " ForeColor, Backcolor, TipoTexto) VALUES (1, 2,5,16, '', 0, 16185078,0)"}},
        {"group text mode",
         [](Connection& c) { rejected([&] { auto g = storedGroup(); layout(c).setGroupTextMode(g, 4, 1); }); },
         {"UPDATE TPV_CfgPantalla_Grupos set TipoTexto = '1'" + kGroup}},
        {"group caption",
         [](Connection& c) {
             rejected([&] { auto g = storedGroup(); layout(c).setGroupCaption(g, 4, QStringLiteral("D'Oro")); });
         },
         {"UPDATE TPV_CfgPantalla_Grupos set Descripcion = 'D''Oro'" + kGroup}},
        {"group text colour",
         [](Connection& c) { rejected([&] { auto g = storedGroup(); layout(c).setGroupForeColour(g, 4, 255); }); },
         {"UPDATE TPV_CfgPantalla_Grupos set ForeColor = 255" + kGroup}},
        {"group button colour",
         [](Connection& c) { rejected([&] { auto g = storedGroup(); layout(c).setGroupBackColour(g, 4, 65280); }); },
         {"UPDATE TPV_CfgPantalla_Grupos set BackColor = 65280" + kGroup}},
        {"new key on place 8",
         [](Connection& c) {
             KeySlot k = newKey();
             layout(c).ensureKey(k, 7);
         },
         {kNewKey}},
        {"article of a new key",
         [](Connection& c) { rejected([&] { auto k = newKey(); layout(c).setKeyArticle(k, 7, 1001); }); },
         {kNewKey, "UPDATE TPV_CfgPantalla_Grupos_Lineas set Cod_Articulo = 1001" + kKey}},
        {"key text mode", [](Connection& c) { rejected([&] { auto k = storedKey(); layout(c).setKeyTextMode(k, 7, 1); }); },
         {"UPDATE TPV_CfgPantalla_Grupos_Lineas set TipoTexto = 1" + kKey}},
        {"key text",
         [](Connection& c) { rejected([&] { auto k = storedKey(); layout(c).setKeyText(k, 7, QStringLiteral("Café 'solo'")); }); },
         {"UPDATE TPV_CfgPantalla_Grupos_Lineas set Texto = 'Café ''solo'''" + kKey}},
        {"key units", [](Connection& c) { rejected([&] { auto k = storedKey(); layout(c).setKeyUnits(k, 7, 2.5); }); },
         {"UPDATE TPV_CfgPantalla_Grupos_Lineas set Unidades = 2.5" + kKey}},
        {"key text colour",
         [](Connection& c) { rejected([&] { auto k = storedKey(); layout(c).setKeyForeColour(k, 7, 255); }); },
         {"UPDATE TPV_CfgPantalla_Grupos_Lineas set ForeColor = 255" + kKey}},
        {"key button colour",
         [](Connection& c) { rejected([&] { auto k = storedKey(); layout(c).setKeyBackColour(k, 7, 65280); }); },
         {"UPDATE TPV_CfgPantalla_Grupos_Lineas set BackColor = 65280" + kKey}},
        {"key picture source",
         [](Connection& c) { rejected([&] { auto k = storedKey(); layout(c).setKeyPictureSource(k, 7, 1); }); },
         {"UPDATE TPV_CfgPantalla_Grupos_Lineas set OrigenImagen = 1" + kKey}},
        {"key weighed", [](Connection& c) { rejected([&] { auto k = storedKey(); layout(c).setKeyWeighed(k, 7, 1); }); },
         {"UPDATE TPV_CfgPantalla_Grupos_Lineas set Pesado = 1" + kKey}},
        {"key link",
         [](Connection& c) {
             rejected([&] { auto k = storedKey(); layout(c).setKeyLink(k, 7, QStringLiteral("C:\\Prog\\o'k.exe")); });
         },
         {"UPDATE TPV_CfgPantalla_Grupos_Lineas set PathVinculo = 'C:\\Prog\\o''k.exe'" + kKey}},
        {"remove a group's picture",
         [](Connection& c) { rejected([&] { auto g = storedGroup(); layout(c).removeGroupPicture(g); }); },
         {"UPDATE TPV_CfgPantalla_Grupos SET Imagen = ''  WHERE Cod_Empresa =1   AND Cod_CfgPantalla =2"
          "   AND Cod_Grupo =5"}},
        {"remove a key's picture",
         [](Connection& c) { rejected([&] { auto k = storedKey(); layout(c).removeKeyPicture(k); }); },
         {"UPDATE TPV_CfgPantalla_Grupos_Lineas SET Imagen = ''  WHERE Cod_Empresa =1   AND Cod_CfgPantalla =2"
          "   AND Cod_Grupo =3   AND Posicion =7"}},
        {"default group", [](Connection& c) { rejected([&] { layout(c).setDefaultGroup(5); }); },
         {"UPDATE TPV_CfgPantalla SET Cod_GrupoDF = 5 WHERE Cod_Empresa = 1 AND Cod_CfgPantalla=2"}},
        {"read the default group", [](Connection& c) { EXPECT_EQ(layout(c).defaultGroup(), 0); },
         {"SELECT Cod_GrupoDF FROM TPV_CfgPantalla WHERE Cod_Empresa = 1 AND Cod_CfgPantalla=2"}},
        {"delete a key", [](Connection& c) { rejected([&] { auto k = storedKey(); layout(c).deleteKey(k); }); },
         {"DELETE FROM TPV_CfgPantalla_Grupos_Lineas  WHERE Cod_Empresa = 1 AND Cod_CfgPantalla=2 AND Cod_Grupo = 3"
          " AND Posicion = 7"}},
        // Stops where the group's row is found gone; a group that is there
        // also loses its mark as the default group.
        {"delete a group (stops at the missing group)",
         [](Connection& c) { rejected([&] { auto g = storedGroup(); layout(c).deleteGroup(g); }); },
         {"DELETE FROM TPV_CfgPantalla_Grupos_Lineas  WHERE Cod_Empresa = 1 AND Cod_CfgPantalla=2 AND Cod_Grupo = 5",
          "DELETE FROM TPV_CfgPantalla_Grupos  WHERE Cod_Empresa = 1 AND Cod_CfgPantalla=2 AND Cod_Grupo = 5"}},
        {"article description", [](Connection& c) { layout(c).articleDescription(1001); },
         {"SELECT Descripcion FROM Articulos WHERE Cod_Empresa = 9 AND Codigo = 1001"}},
    });
}

TEST(StatementContract, TheLayoutMovesSendTheSystemsStatements)
{
    const QString keys = QStringLiteral(" AND Cod_Empresa = 1 AND Cod_CfgPantalla=2 AND Cod_Grupo = 3");
    const QString cfg = QStringLiteral(" AND Cod_Empresa = 1 AND Cod_CfgPantalla=2");
    const QString index = QStringLiteral("(FLOOR((Posicion - 6) / 3) + (Posicion % 3))");
    test::expectStatements("touch-screen moves", {
        {"move a key forward (9 x 4)", [](Connection& c) { layout(c).moveKey(3, 2, 5); },
         {"UPDATE TPV_CfgPantalla_Grupos_Lineas SET  Posicion =99  WHERE Posicion = 2" + keys,
          "UPDATE TPV_CfgPantalla_Grupos_Lineas SET  Posicion  =(Posicion - 1)  WHERE Posicion<>99"
          " AND Posicion BETWEEN 2 AND 5" + keys,
          "UPDATE TPV_CfgPantalla_Grupos_Lineas SET  Posicion= 5 WHERE Posicion = 99" + keys}},
        {"move a key back (3 x 4)", [](Connection& c) { layout(c, Tipo3x4).moveKey(3, 4, 1); },
         {"UPDATE TPV_CfgPantalla_Grupos_Lineas SET  Posicion =99  WHERE Posicion = 16" + keys,
          "UPDATE TPV_CfgPantalla_Grupos_Lineas SET  Posicion  =((FLOOR((" + index + " + 1) / 3) + 1) * 6) + (" +
              index + " + 1)  WHERE Posicion<>99 AND Posicion BETWEEN 7 AND 16" + keys,
          "UPDATE TPV_CfgPantalla_Grupos_Lineas SET  Posicion= 7 WHERE Posicion = 99" + keys}},
        // The default group is read first: its number follows the group it marks.
        {"move a group forward (9 x 4)", [](Connection& c) { layout(c).moveGroup(1, 3); },
         {"SELECT Cod_GrupoDF FROM TPV_CfgPantalla WHERE Cod_Empresa = 1 AND Cod_CfgPantalla=2",
          "UPDATE TPV_CfgPantalla_Grupos SET Cod_Grupo=99, Posicion =3  WHERE Cod_Grupo = 2" + cfg,
          "UPDATE TPV_CfgPantalla_Grupos SET Cod_Grupo=Cod_Grupo  - 1, Posicion  =((Cod_Grupo-1) - 1)"
          "  WHERE Cod_Grupo <> 99 AND Cod_Grupo BETWEEN 2 AND 4" + cfg,
          "UPDATE TPV_CfgPantalla_Grupos SET Cod_Grupo=4  WHERE Cod_Grupo = 99" + cfg,
          "UPDATE TPV_CfgPantalla_Grupos_Lineas SET Cod_Grupo=99  WHERE Cod_Grupo = 2" + cfg,
          "UPDATE TPV_CfgPantalla_Grupos_Lineas SET Cod_Grupo=Cod_Grupo - 1  WHERE Cod_Grupo <> 99"
          " AND Cod_Grupo BETWEEN 2 AND 4" + cfg,
          "UPDATE TPV_CfgPantalla_Grupos_Lineas SET Cod_Grupo=4  WHERE Cod_Grupo = 99" + cfg}},
        {"move a group back (3 x 4)", [](Connection& c) { layout(c, Tipo3x4).moveGroup(3, 1); },
         {"SELECT Cod_GrupoDF FROM TPV_CfgPantalla WHERE Cod_Empresa = 1 AND Cod_CfgPantalla=2",
          "UPDATE TPV_CfgPantalla_Grupos SET Cod_Grupo=99, Posicion =7  WHERE Cod_Grupo = 4" + cfg,
          "UPDATE TPV_CfgPantalla_Grupos SET Cod_Grupo=Cod_Grupo  + 1, Posicion  =((FLOOR(((Cod_Grupo-1) + 1) / 3)"
          " + 1) * 6) + ((Cod_Grupo-1) + 1)  WHERE Cod_Grupo <> 99 AND Cod_Grupo BETWEEN 2 AND 4" + cfg,
          "UPDATE TPV_CfgPantalla_Grupos SET Cod_Grupo=2  WHERE Cod_Grupo = 99" + cfg,
          "UPDATE TPV_CfgPantalla_Grupos_Lineas SET Cod_Grupo=99  WHERE Cod_Grupo = 4" + cfg,
          "UPDATE TPV_CfgPantalla_Grupos_Lineas SET Cod_Grupo=Cod_Grupo + 1  WHERE Cod_Grupo <> 99"
          " AND Cod_Grupo BETWEEN 2 AND 4" + cfg,
          "UPDATE TPV_CfgPantalla_Grupos_Lineas SET Cod_Grupo=2  WHERE Cod_Grupo = 99" + cfg}},
    });
}

TEST(StatementContract, TheTouchScreenPicturesSendTheSystemsStatements)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("cafe.png"));
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(picture));
    const QString missing = dir.filePath(QStringLiteral("none.png"));
    test::expectStatements("touch-screen pictures", {
        // The saver looks for the row first; the recorder has none, so the
        // picture is reported as not stored.
        {"group picture (stops at the missing row)",
         [picture](Connection& c) { rejected([&] { auto g = storedGroup(); layout(c).storeGroupPicture(g, 4, picture); }); },
         {"SELECT Imagen FROM TPV_CfgPantalla_Grupos" + kGroup}},
        {"key picture (stops at the missing row)",
         [picture](Connection& c) { rejected([&] { auto k = storedKey(); layout(c).storeKeyPicture(k, 7, picture); }); },
         {"SELECT Imagen FROM TPV_CfgPantalla_Grupos_Lineas" + kKey}},
        // What the saver sends once the row is there: the picture bound as binary.
        {"key picture write",
         [](Connection& c) {
             const QString select = "SELECT Imagen FROM TPV_CfgPantalla_Grupos_Lineas" + kKey;
             c.execute(c.dialect().updateFromSelect(db::splitSelect(select), QStringLiteral("Imagen")),
                       {QByteArray("png")});
         },
         {"UPDATE TPV_CfgPantalla_Grupos_Lineas SET Imagen = ? FROM TPV_CfgPantalla_Grupos_Lineas" + kKey}},
        {"article picture gone", [missing](Connection& c) { LayoutStore::refreshRecordPictures(c, 1, 1001, missing); },
         {"UPDATE TPV_CfgPantalla_Grupos_Lineas SET Imagen = ''  WHERE Cod_Empresa = 1 AND Cod_Articulo = 1001"
          " AND OrigenImagen = 1"}},
        {"article picture changed (no key shows it)",
         [picture](Connection& c) { EXPECT_EQ(LayoutStore::refreshRecordPictures(c, 1, 1001, picture), 0); },
         {"SELECT * FROM TPV_CfgPantalla_Grupos_Lineas WHERE Cod_Empresa = 1 AND Cod_Articulo = 1001"
          " AND OrigenImagen = 1"}},
    });
}

TEST(StatementContract, TheQuickCodesSendTheSystemsStatements)
{
    const QString where = QStringLiteral(" WHERE Cod_Empresa =1 AND Cod_Almacen =2 AND Cod_Rapido ='C''12'");
    const QString listing = QStringLiteral(
        "SELECT a.Cod_Rapido, a.Cod_Articulo, a.Unidades, b.Descripcion FROM TPV_CodigosRapido a"
        " INNER JOIN Articulos b ON b.Cod_Empresa = 9 AND a.Cod_Articulo = b.Codigo WHERE a.Cod_Empresa =1"
        " AND a.Cod_Almacen =2 ORDER BY ");
    test::expectStatements("quick codes", {
        // Articles are looked up under the article company.
        {"list", [](Connection& c) { QuickCodeStore(c, 1, 9).Cargar(2); }, {listing + "a.Cod_Rapido"}},
        {"listing by article, descending", [](Connection& c) { QuickCodeStore(c, 1, 9).listing(2, 0, 1); },
         {listing + "a.Cod_Articulo DESC, a.Cod_Rapido DESC"}},
        {"listing by description", [](Connection& c) { QuickCodeStore(c, 1, 9).listing(2, 2, 0); },
         {listing + "b.Descripcion ASC, a.Cod_Rapido ASC"}},
        {"article check", [](Connection& c) { EXPECT_FALSE(QuickCodeStore(c, 1, 9).ArticuloExiste(1001)); },
         {"SELECT Codigo FROM Articulos WHERE Cod_Empresa =9 AND Codigo =1001"}},
        // A new code carries its Act mark, and a deletion of the same code
        // the terminals have not taken yet goes with the save.
        {"save", [](Connection& c) { EXPECT_TRUE(QuickCodeStore(c, 1, 9).Guardar(2, QStringLiteral(" C'12 "), 1001, 2.5)); },
         {"UPDATE TPV_CodigosRapido SET Cod_Articulo =1001, Unidades =2.5, Act = 0" + where,
          "INSERT INTO TPV_CodigosRapido (Cod_Empresa, Cod_Almacen, Cod_Rapido, Cod_Articulo, Unidades, Act)"
          " VALUES (1, 2, 'C''12', 1001, 2.5, 0)",
          "DELETE FROM TPV_CodigosRapido_Baja" + where + " AND Act = 0"}},
        {"delete", [](Connection& c) { rejected([&] { QuickCodeStore(c, 1, 9).Eliminar(2, QStringLiteral("C'12")); }); },
         {"UPDATE TPV_CodigosRapido_Baja SET Act = 0" + where,
          "INSERT INTO TPV_CodigosRapido_Baja (Cod_Empresa, Cod_Almacen, Cod_Rapido) VALUES (1, 2, 'C''12')",
          "DELETE FROM TPV_CodigosRapido" + where}},
    });
}

TEST(StatementContract, TheGiftCardWindowSendsTheSystemsStatements)
{
    test::expectStatements("gift cards", {
        // The rows belong to the company; the articles are looked up under
        // the article company.
        {"list", [](Connection& c) { GiftCardArticles(c, 1, 9).list(); },
         {"SELECT ar.Cod_Articulo, a.Descripcion FROM Articulos_TRegalo ar  INNER JOIN Articulos a"
          " ON a.Cod_Empresa = 9 AND a.Codigo = ar.Cod_Articulo WHERE ar.Cod_Empresa =1 ORDER BY ar.Cod_Articulo"}},
        // A code that is not an article is refused before anything is written.
        {"add (stops at the missing article)",
         [](Connection& c) { EXPECT_EQ(GiftCardArticles(c, 1, 9).add(1001), GiftCardArticles::AddResult::NoSuchArticle); },
         {"SELECT Cod_Articulo FROM Articulos_TRegalo  WHERE Cod_Empresa =1 AND Cod_Articulo=1001",
          "SELECT Codigo FROM Articulos WHERE Cod_Empresa =9 AND Codigo =1001"}},
        {"remove", [](Connection& c) { rejected([&] { GiftCardArticles(c, 1, 9).remove(1001); }); },
         {"DELETE FROM Articulos_TRegalo WHERE Cod_Empresa =1 AND Cod_Articulo=1001"}},
    });
}
