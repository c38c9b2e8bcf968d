// The salon list and its data dialog, driven through the real widgets by name.
#include "component/ClassRegistry.h"
#include "controls/Grid.h"
#include "frame/EntryClass.h"
#include "controls/ctlAlmacenCons.h"
#include "controls/ctlTextBox.h"
#include "salons/DocXml.h"
#include "salons/frmCfgSalonElementos.h"
#include "salons/frmCfgSalones.h"
#include "salons/frmCfgSalones_Datos.h"
#include "support/FailingTrigger.h"
#include "support/ScreenTest.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zqvr;
using controls::ctlTextBox;
using controls::Grid;
using frame::MsgIcon;
using frame::MsgResult;
using salons::frmCfgSalones;
using salons::frmCfgSalones_Datos;
using zqvr::test::dropFailingTrigger;
using zqvr::test::failingTrigger;

namespace {

template <class T = QWidget>
T* child(QWidget* w, const char* name)
{
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

// Fills the data dialog as a user would and presses Aceptar.
test::ScriptedModal::Step fillData(const QString& code, const QString& name, const QString& xml = QString())
{
    return [=](QDialog& d) {
        if (!code.isNull())
            child<ctlTextBox>(&d, "txtCodigo")->setText(code);
        child<ctlTextBox>(&d, "txtDescripcion")->setText(name);
        if (!xml.isNull())
            child<QPlainTextEdit>(&d, "txtXml")->setPlainText(xml);
        QTest::mouseClick(child<QPushButton>(&d, "cmdAceptar"), Qt::LeftButton);
        return d.result();
    };
}

class SalonListScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::installInHostContext(db);
        db.exec("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (1, 1, 'Centro'), (1, 4, 'Puerto'), (2, 9, 'Otra')");
        db.exec("INSERT INTO TPV_Sln_Salones (Cod_Empresa, Cod_CfgSalon, Descripcion, Doc_Xml) VALUES"
                " (1, 1, 'Comedor', '<a b=|x|/>'), (1, 3, 'Terraza', ''), (2, 1, 'Ajeno', '')");
        db.exec("INSERT INTO TPV_Sln_Salones_Almacen VALUES (1, 3, 4)");
        form = std::make_unique<frmCfgSalones>();
        form->showForm(0);
    }

    template <class T = QWidget>
    T* ctl(const char* name) { return child<T>(form.get(), name); }
    Grid* grid() { return ctl<Grid>("vsLineas"); }
    controls::ctlAlmacenCons* lstAlm() { return ctl<controls::ctlAlmacenCons>("lstAlm"); }
    void click(const char* button) { QTest::mouseClick(ctl<QPushButton>(button), Qt::LeftButton); }
    // The user ticks or clears a warehouse in the list.
    void tick(int index, bool on) { lstAlm()->item(index)->setCheckState(on ? Qt::Checked : Qt::Unchecked); }
    int assignments(int salon) { return db.count("TPV_Sln_Salones_Almacen", QStringLiteral("Cod_Empresa = 1 AND Cod_CfgSalon = %1").arg(salon)); }

    test::TestDatabase db;
    test::ServiceDoubles services;
    std::unique_ptr<frmCfgSalones> form;
};

TEST_F(SalonListScreen, ListsTheCompanysSalonsAndTheFirstOnesWarehouses)
{
    EXPECT_EQ(form->objectName(), "frmCfgSalones");
    EXPECT_EQ(form->windowTitle(), "Configuración Salones");
    EXPECT_EQ(ctl<QPushButton>("cmdConfigurar")->text(), "&Cfg. Salón");
    ASSERT_EQ(grid()->Rows(), 3);
    EXPECT_EQ(grid()->TextMatrix(0, 0), "Código");
    EXPECT_EQ(grid()->TextMatrix(0, 1), "Descripción");
    EXPECT_EQ(grid()->ColWidth(0), 900);
    EXPECT_EQ(grid()->TextMatrix(2, 1), "Terraza");
    EXPECT_EQ(grid()->Row(), 1);
    EXPECT_EQ(lstAlm()->checkedCodes(), QList<int>{});
    grid()->setRow(2);
    EXPECT_EQ(lstAlm()->checkedCodes(), QList<int>{4});
    EXPECT_TRUE(ctl("cmdEliminar")->isEnabled());
}

TEST_F(SalonListScreen, CheckingAWarehouseSavesOneRowAtOnceAndClearingRemovesIt)
{
    tick(0, true);
    tick(0, false);
    tick(0, true);
    EXPECT_EQ(assignments(1), 1);
    EXPECT_EQ(db.count("TPV_Sln_Salones_Almacen", "Cod_CfgSalon = 1 AND Cod_Almacen = 1"), 1);
    tick(0, false);
    EXPECT_EQ(assignments(1), 0);
    EXPECT_TRUE(services.messages->shown.empty());
}

TEST_F(SalonListScreen, AFailedAssignmentIsReportedAndTheListShowsWhatIsStored)
{
    failingTrigger(db, "no_assign", "BEFORE INSERT", "TPV_Sln_Salones_Almacen", "bloqueado");
    tick(1, true);
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_EQ(services.messages->last()->caption, "frmCfgSalones:lstAlm_ItemCheck");
    EXPECT_FALSE(lstAlm()->Checked(1));
    EXPECT_EQ(assignments(1), 0);
}

TEST_F(SalonListScreen, WithNoSalonCheckingAWarehouseStoresNothing)
{
    db.exec("DELETE FROM TPV_Sln_Salones_Almacen");
    db.exec("DELETE FROM TPV_Sln_Salones WHERE Cod_Empresa = 1");
    form->close();
    form->showForm(0);
    EXPECT_FALSE(ctl("cmdEliminar")->isEnabled());
    EXPECT_FALSE(ctl("cmdModificar")->isEnabled());
    tick(0, true);
    EXPECT_EQ(db.count("TPV_Sln_Salones_Almacen"), 0);
    EXPECT_FALSE(lstAlm()->Checked(0));
}

TEST_F(SalonListScreen, AddingRefusesAnExistingNameEvenWithANewCode)
{
    services.modal->queue(fillData("7", "Comedor"));
    click("cmdAgregar");
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_EQ(services.messages->last()->text, "El elemento especificado ya existe.");
    EXPECT_EQ(services.messages->last()->caption, "¡ Operación no permitida !");
    EXPECT_EQ(db.count("TPV_Sln_Salones", "Cod_Empresa = 1"), 2);

    // Another company's name is free, and the document is stored with bars for its quotes.
    services.modal->queue(fillData("2", "Ajeno", "<Page Caption='Sala'/>"));
    click("cmdAgregar");
    EXPECT_EQ(db.conn().scalar("SELECT Doc_Xml FROM TPV_Sln_Salones WHERE Cod_Empresa = 1 AND Cod_CfgSalon = 2").toString(),
              "<Page Caption=|Sala|/>");
    ASSERT_EQ(grid()->Rows(), 4);
    // The new salon is the selected line even though its code puts it in the middle.
    EXPECT_EQ(grid()->TextMatrix(grid()->Row(), 1), "Ajeno");
}

TEST_F(SalonListScreen, CancellingTheDataDialogAddsNothing)
{
    services.modal->queue([](QDialog& d) {
        child<ctlTextBox>(&d, "txtDescripcion")->setText(QStringLiteral("Nuevo"));
        QTest::mouseClick(child<QPushButton>(&d, "cmdCancelar"), Qt::LeftButton);
        return d.result();
    });
    click("cmdAgregar");
    EXPECT_EQ(db.count("TPV_Sln_Salones", "Cod_Empresa = 1"), 2);
    EXPECT_TRUE(services.messages->shown.empty());
}

TEST_F(SalonListScreen, ChangingShowsTheDocumentWithQuotesAndStoresItWithBars)
{
    QString shownXml;
    bool codeLocked = false;
    services.modal->queue([&](QDialog& d) {
        shownXml = child<QPlainTextEdit>(&d, "txtXml")->toPlainText();
        codeLocked = !child<ctlTextBox>(&d, "txtCodigo")->Habilitado();
        return fillData(QString(), "Comedor 'grande'", "<a b='y'/>")(d);
    });
    click("cmdModificar");
    EXPECT_EQ(shownXml, "<a b='x'/>");
    EXPECT_TRUE(codeLocked);
    EXPECT_EQ(grid()->TextMatrix(1, 1), "Comedor 'grande'");
    EXPECT_EQ(db.conn().scalar("SELECT Doc_Xml FROM TPV_Sln_Salones WHERE Cod_Empresa = 1 AND Cod_CfgSalon = 1").toString(),
              "<a b=|y|/>");
}

// Another user deleted the salon while this one was changing it: the change
// is reported as lost, and the list does not show the new name as if saved.
TEST_F(SalonListScreen, ChangingASalonDeletedByAnotherUserIsReportedAndTheOldNameStays)
{
    services.modal->queue([&](QDialog& d) {
        db.exec("DELETE FROM TPV_Sln_Salones WHERE Cod_Empresa = 1 AND Cod_CfgSalon = 1");
        return fillData(QString(), "Comedor nuevo")(d);
    });
    click("cmdModificar");
    ASSERT_FALSE(services.messages->shown.empty());
    const frame::Message& m = *services.messages->last();
    EXPECT_EQ(m.text, "El salón 1 ya no existe: otro usuario lo ha eliminado.");
    EXPECT_EQ(m.caption, "frmCfgSalones:cmdModificar_Click");
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_EQ(grid()->TextMatrix(1, 1), "Comedor");
    EXPECT_EQ(db.count("TPV_Sln_Salones", "Cod_Empresa = 1"), 1);

    // Ticking a warehouse for it stores nothing and the tick goes away again.
    tick(0, true);
    EXPECT_EQ(assignments(1), 0);
    EXPECT_FALSE(lstAlm()->Checked(0));
    EXPECT_EQ(services.messages->last()->text, "El salón 1 ya no existe: otro usuario lo ha eliminado.");
}

TEST_F(SalonListScreen, DeletingAsksFirstAndRemovesTheSalonWithItsWarehouses)
{
    grid()->setRow(2);
    services.messages->queueAnswer(MsgResult::No);
    click("cmdEliminar");
    ASSERT_EQ(services.messages->shown.size(), 1u);
    const frame::Message& q = services.messages->shown.front();
    EXPECT_EQ(q.text, "¿Está seguro que desea eliminar el elemento actual?");
    EXPECT_EQ(q.caption, "¡ Atención !");
    EXPECT_EQ(q.icon, MsgIcon::Question);
    EXPECT_EQ(q.defaultButton, MsgResult::No);
    EXPECT_EQ(assignments(3), 1);

    services.messages->queueAnswer(MsgResult::Yes);
    click("cmdEliminar");
    EXPECT_EQ(db.count("TPV_Sln_Salones", "Cod_Empresa = 1 AND Cod_CfgSalon = 3"), 0);
    EXPECT_EQ(assignments(3), 0);
    EXPECT_EQ(grid()->Rows(), 2);

    // A failing delete is reported and leaves the salon listed.
    failingTrigger(db, "keep", "BEFORE DELETE", "TPV_Sln_Salones", "protegido");
    services.messages->queueAnswer(MsgResult::Yes);
    click("cmdEliminar");
    EXPECT_EQ(services.messages->last()->caption, "frmCfgSalones:cmdEliminar_Click");
    EXPECT_EQ(grid()->Rows(), 2);

    dropFailingTrigger(db, "keep", "TPV_Sln_Salones");
    services.messages->queueAnswer(MsgResult::Yes);
    click("cmdEliminar");
    EXPECT_EQ(grid()->Rows(), 1);
    EXPECT_FALSE(ctl("cmdEliminar")->isEnabled());
    EXPECT_FALSE(ctl("cmdModificar")->isEnabled());
}

TEST_F(SalonListScreen, TheEntryClassKeepsItsScreenAndShowsTheListAgain)
{
    form.reset();
    std::unique_ptr<QObject> entry(component::ClassRegistry::instance().create("ZQVRTpvs.frmclsCfgSalones"));
    ASSERT_NE(entry, nullptr);
    entry->setProperty("EmpresaBrevanto", QVariant::fromValue<QObject*>(&db.empresa()));
    entry->setProperty("ConexionBrevanto", QVariant::fromValue<QObject*>(&db.conn()));
    auto* launcher = qobject_cast<frame::EntryClass*>(entry.get());
    ASSERT_NE(launcher, nullptr);
    frame::Form* screen = launcher->screen();
    ASSERT_NE(screen, nullptr) << "the screen is made with the entry object";
    int notices = 0;
    QObject::connect(screen, &frame::Form::unloaded, [&] { ++notices; });

    ASSERT_TRUE(QMetaObject::invokeMethod(entry.get(), "Show", Q_ARG(int, 0), Q_ARG(QObject*, nullptr)));
    EXPECT_EQ(screen->objectName(), "frmCfgSalones");
    EXPECT_TRUE(screen->isVisible());
    screen->findChild<QPushButton*>(QStringLiteral("cmdSalir"))->click();
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(notices, 1);
    db.exec("INSERT INTO TPV_Sln_Salones (Cod_Empresa, Cod_CfgSalon, Descripcion) VALUES (1, 9, 'Nuevo')");
    QMetaObject::invokeMethod(entry.get(), "Show", Q_ARG(int, 0), Q_ARG(QObject*, nullptr));
    EXPECT_EQ(launcher->screen(), screen);
    EXPECT_EQ(screen->findChild<Grid*>(QStringLiteral("vsLineas"))->Rows(), 4);
}

TEST(SalonDataDialog, RefusesAMissingNameOrCode)
{
    test::ServiceDoubles services;
    struct Case { const char* code; const char* name; const char* message; const char* focus; };
    const Case cases[] = {{"5", "   ", "Debe especificar una descripción para la pantalla", "txtDescripcion"},
                          {"", "Sala", "Se esperaba código", "txtCodigo"},
                          {"0", "Sala", "Se esperaba código", "txtCodigo"},
                          {"40000", "Sala", "El código debe ser un número entero entre 1 y 32767", "txtCodigo"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        frmCfgSalones_Datos d;
        d.Form_Load();
        d.show();
        d.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        fillData(QString::fromLatin1(c.code), QString::fromUtf8(c.name))(d);
        ASSERT_FALSE(services.messages->shown.empty());
        EXPECT_EQ(services.messages->last()->text, QString::fromUtf8(c.message));
        EXPECT_EQ(services.messages->last()->caption, "¡ Atención !");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(QApplication::focusWidget(), child(&d, c.focus));
    }
}

} // namespace

TEST(SalonDataDialog, F9AcceptsWhatIsTypedAndF12CancelsFromAnyField)
{
    test::ServiceDoubles services;
    {
        frmCfgSalones_Datos d;
        d.Form_Load();
        d.show();
        d.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        auto* name = child<ctlTextBox>(&d, "txtDescripcion");
        child<ctlTextBox>(&d, "txtCodigo")->setText(QStringLiteral("7"));
        name->setFocus();
        // Without a name the key asks for one and the dialog stays.
        QTest::keyClick(name, Qt::Key_F9);
        ASSERT_EQ(services.messages->shown.size(), 1u);
        EXPECT_EQ(services.messages->last()->text, "Debe especificar una descripción para la pantalla");
        EXPECT_TRUE(d.isVisible());
        // Held to the 50 characters the table keeps.
        QTest::keyClicks(name, QStringLiteral("Patio") + QString(60, QLatin1Char('o')));
        QTest::keyClick(name, Qt::Key_F9);
        EXPECT_EQ(d.result(), QDialog::Accepted);
        EXPECT_EQ(d.Codigo(), 7);
        EXPECT_EQ(d.Descripcion(), QStringLiteral("Patio") + QString(45, QLatin1Char('o')));
    }
    {
        frmCfgSalones_Datos d;
        d.setCodigo(3);
        d.setDescripcion(QStringLiteral("Terraza"));
        d.Form_Load();
        d.show();
        d.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        auto* xml = child<QPlainTextEdit>(&d, "txtXml");
        xml->setFocus();
        QTest::keyClick(xml, Qt::Key_F12);
        EXPECT_EQ(d.result(), QDialog::Rejected);
        EXPECT_FALSE(d.isVisible());
        EXPECT_TRUE(d.Descripcion().isEmpty()) << "a cancelled dialog hands back no name";
    }
}
