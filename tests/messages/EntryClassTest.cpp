// The host's way in: create the entry object by its program identifier, set
// Usuario, Show; the screen acts for the user given before each Show.
#include "component/ZQVRTpvs.h"
#include "controls/ctlMaskEdBox.h"
#include "controls/ctlTextBox.h"
#include "frame/EntryClass.h"
#include "messages/clsGestorMensajes.h"
#include "messages/frmGestorMensajesTPV.h"
#include "support/ScreenTest.h"

#include <QCheckBox>
#include <QDialog>
#include <QMetaObject>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace zqvr;

TEST(MessageEntryClass, HandsItsUsuarioToTheScreenOnEveryShow)
{
    test::TestDatabase db;
    test::installInHostContext(db);
    test::ServiceDoubles services;
    std::unique_ptr<QObject> obj(ZQVRTpvs_CreateObject("ZQVRTpvs.frmclsGestorMensajesTPV"));
    ASSERT_TRUE(obj);
    ASSERT_TRUE(obj->setProperty("Usuario", 7));
    EXPECT_EQ(obj->property("Usuario").toInt(), 7);
    ASSERT_TRUE(QMetaObject::invokeMethod(obj.get(), "Show", Q_ARG(int, 0), Q_ARG(QObject*, nullptr)));
    auto* entry = qobject_cast<frame::EntryClass*>(obj.get());
    ASSERT_TRUE(entry);
    auto* screen = qobject_cast<messages::frmGestorMensajesTPV*>(entry->screen());
    ASSERT_TRUE(screen);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(screen->objectName(), "frmGestorMensajesTPV");
    EXPECT_EQ(screen->Usuario(), 7);

    // Closed and shown again for another user: what that user adds is theirs.
    screen->findChild<QPushButton*>("cmdSalir")->click();
    EXPECT_FALSE(screen->isVisible());
    obj->setProperty("Usuario", 9);
    QMetaObject::invokeMethod(obj.get(), "Show", Q_ARG(int, 0), Q_ARG(QObject*, nullptr));
    EXPECT_EQ(screen->Usuario(), 9);
    services.modal->queue([](QDialog& d) {
        d.findChild<controls::ctlTextBox*>("txtDescripcion")->setText("De Luis");
        d.findChild<controls::ctlMaskEdBox*>("txtFechaInicial")->setText("01/12/2026");
        d.findChild<controls::ctlMaskEdBox*>("txtFechaFinal")->setText("02/12/2026");
        d.findChild<QCheckBox*>("chkM")->setChecked(true);
        d.findChild<QPushButton*>("cmdAceptar")->click();
        return d.result();
    });
    screen->findChild<QPushButton*>("cmdAgregar")->click();
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes_Historico", "Usuario = 9 AND Operacion = 'A' AND Descripcion = 'De Luis'"), 1)
        << services.messages->texts().join("; ").toStdString();
}
