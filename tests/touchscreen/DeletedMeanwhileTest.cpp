// Changes to configurations, groups, keys, quick codes and gift-card marks
// that another user deleted meanwhile: each is reported, none is lost silently,
// and nothing of the operation is written.
#include "touchscreen/CfgPantallaStore.h"
#include "touchscreen/GiftCardArticles.h"
#include "touchscreen/LayoutStore.h"
#include "touchscreen/QuickCodeStore.h"

#include "support/FailingWrites.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"
#include "support/ScreenTest.h"

#include <gtest/gtest.h>

#include <functional>

using namespace zqvr;
using namespace zqvr::touchscreen;
using zqvr::test::snapshot;

namespace {

class DeletedMeanwhile : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::installInHostContext(db);
        db.exec("INSERT INTO TPV_CfgPantalla (Cod_Empresa, Cod_CfgPantalla, Descripcion, Tipo) VALUES (1, 4, 'Bar', 0)");
        db.exec("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion) VALUES (1, 321, 'CAFE SOLO')");
    }
    // Every table the operations touch, as text.
    QString tables()
    {
        return snapshot(db, "TPV_CfgPantalla", "Cod_Empresa, Cod_CfgPantalla") +
               snapshot(db, "TPV_CfgPantalla_Grupos", "Cod_Grupo") +
               snapshot(db, "TPV_CfgPantalla_Grupos_Lineas", "Cod_Grupo, Posicion") +
               snapshot(db, "TPV_CodigosRapido", "Cod_Rapido") + snapshot(db, "TPV_CodigosRapido_Baja", "Cod_Rapido") +
               snapshot(db, "Articulos_TRegalo", "Cod_Articulo");
    }
    void expectReported(const std::function<void()>& op, const QString& text)
    {
        const QString before = tables();
        try {
            op();
            ADD_FAILURE() << "nothing was reported: " << text.toStdString();
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), errc::RowDeleted);
            EXPECT_EQ(e.description(), text);
        }
        EXPECT_EQ(tables(), before) << text.toStdString();
    }

    test::TestDatabase db;
    test::ServiceDoubles services;
};

TEST_F(DeletedMeanwhile, AConfigurationDeletedByAnotherUserIsNotChangedDeletedOrReloaded)
{
    CfgPantallaStore store(db.conn(), 1);
    store.insert({7, QStringLiteral("Terraza"), 0});
    // Another company's configuration 7 is no stand-in for ours.
    CfgPantallaStore(db.conn(), 2).insert({9, QStringLiteral("Otra"), 0});
    db.exec("DELETE FROM TPV_CfgPantalla WHERE Cod_Empresa = 1 AND Cod_CfgPantalla = 7");
    const QString gone = QStringLiteral("La configuración 7 ya no existe: otro usuario la ha eliminado.");
    expectReported([&] { store.update(7, QStringLiteral("Nueva"), 1); }, gone);
    expectReported([&] { store.remove(7); }, gone);
    expectReported([&] { store.forceReload(7); }, gone);
    CfgPantallaStore other(db.conn(), 2);
    expectReported([&] { other.update(7, QStringLiteral("Nueva"), 1); }, gone);
}

TEST_F(DeletedMeanwhile, GroupsAndKeysDeletedByAnotherUserAreReported)
{
    LayoutStore s(db.conn(), 1, 4, Tipo3x4, 1);
    auto groups = s.loadGroups();
    s.setGroupCaption(groups[0], 0, QStringLiteral("Cafés"));
    auto keys = s.loadKeys(groups[0].numero);
    s.setKeyArticle(keys[2], 2, 321);
    ASSERT_TRUE(keys[2].stored());
    db.exec("UPDATE TPV_CfgPantalla_Grupos_Lineas SET Imagen = 'x'");
    db.exec("UPDATE TPV_CfgPantalla_Grupos SET Imagen = 'x'");

    // The key goes first, by another user's hand.
    db.exec("DELETE FROM TPV_CfgPantalla_Grupos_Lineas");
    const QString key = QStringLiteral("La tecla de la posición %1 del grupo 1 ya no existe: otro usuario la ha eliminado.")
                            .arg(keys[2].posicion);
    expectReported([&] { s.setKeyBackColour(keys[2], 2, 255); }, key);
    expectReported([&] { s.removeKeyPicture(keys[2]); }, key);
    expectReported([&] { s.deleteKey(keys[2]); }, key);
    EXPECT_TRUE(keys[2].stored()) << "the slot still shows what this user last saw";

    db.exec("DELETE FROM TPV_CfgPantalla_Grupos");
    const QString group = QStringLiteral("El grupo 1 ya no existe: otro usuario lo ha eliminado.");
    expectReported([&] { s.setGroupBackColour(groups[0], 0, 255); }, group);
    expectReported([&] { s.removeGroupPicture(groups[0]); }, group);
    expectReported([&] { s.deleteGroup(groups[0]); }, group);

    db.exec("DELETE FROM TPV_CfgPantalla");
    expectReported([&] { s.setDefaultGroup(1); },
                   QStringLiteral("La configuración 4 ya no existe: otro usuario la ha eliminado."));
}

TEST_F(DeletedMeanwhile, AQuickCodeOrGiftCardMarkRemovedByAnotherUserIsReportedAndLeavesNoDeletionRecord)
{
    QuickCodeStore codes(db.conn(), 1, 1);
    codes.Guardar(1, QStringLiteral("12"), 321, 1);
    db.exec("DELETE FROM TPV_CodigosRapido");
    // No withdrawal record is written for a code this user did not delete.
    expectReported([&] { codes.Eliminar(1, QStringLiteral("12")); },
                   QStringLiteral("El código rápido 12 ya no existe: otro usuario lo ha eliminado."));
    EXPECT_EQ(db.count("TPV_CodigosRapido_Baja"), 0);

    GiftCardArticles cards(db.conn(), 1, 1);
    ASSERT_EQ(cards.add(321), GiftCardArticles::AddResult::Added);
    db.exec("DELETE FROM Articulos_TRegalo");
    expectReported([&] { cards.remove(321); },
                   QStringLiteral("El artículo 321 de tarjeta regalo ya no existe: otro usuario lo ha eliminado."));
}

} // namespace
