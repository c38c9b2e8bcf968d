// The terminal maintenance screen, its search dialog and its entry class,
// driven through the real widgets by name.
#include "component/ClassRegistry.h"
#include "controls/Grid.h"
#include "controls/ctlCodePicker.h"
#include "controls/ctlTextBox.h"
#include "frame/EntryClass.h"
#include "support/FailingTrigger.h"
#include "support/ScriptedServices.h"
#include "support/ScreenTest.h"
#include "terminals/frmTPVs.h"
#include "terminals/frmTPVs_Buscar.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zqvr;
using controls::ctlTextBox;
using controls::Grid;
using frame::MsgButtons;
using frame::MsgIcon;
using frame::MsgResult;
using terminals::frmTPVs;
using terminals::frmTPVs_Buscar;
using zqvr::test::dropFailingTrigger;
using zqvr::test::failingTrigger;

namespace {

void activate(QWidget* w)
{
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}

class TerminalScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        installInHostContext(db);
        db.exec("INSERT INTO Empresas (Codigo, Nombre_1) VALUES (1, 'Zeta Comercial'), (2, 'Alfa Hostelería')");
        form = std::make_unique<frmTPVs>();
        form->showForm(0);
        ASSERT_NO_FATAL_FAILURE(activate(form.get()));
    }

    template <class T = QWidget>
    T* ctl(const char* name)
    {
        T* w = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    ctlTextBox* txtCodigo() { return ctl<ctlTextBox>("txtCodigo"); }
    QPushButton* button(const char* name) { return ctl<QPushButton>(name); }

    void addTerminal(int code, const QString& host, int company = 1, int emergency = 0)
    {
        db.exec(QStringLiteral("INSERT INTO TPVs (Codigo, Host, Descripcion, Empresa, TarifaPVP, EnLinea, Emergencia)"
                               " VALUES (%1, '%2', 'Caja %1', %3, 7, 1, %4)")
                    .arg(code)
                    .arg(host)
                    .arg(company)
                    .arg(emergency));
    }
    // Types a code and presses Enter, as the user does.
    void enterCode(int code)
    {
        txtCodigo()->setText(QString::number(code));
        QTest::keyClick(txtCodigo(), Qt::Key_Return);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : form.get(), k, m);
    }
    bool choosing()
    {
        return txtCodigo()->Habilitado() && !button("cmdAceptar")->isEnabled() &&
               !button("cmdCancelar")->isEnabled();
    }
    bool editing()
    {
        return !txtCodigo()->Habilitado() && button("cmdAceptar")->isEnabled() &&
               button("cmdCancelar")->isEnabled();
    }
    QString column(int code, const char* col)
    {
        return db.conn()
            .scalar(QStringLiteral("SELECT %1 FROM TPVs WHERE Codigo = %2").arg(QLatin1String(col)).arg(code))
            .toString();
    }

    test::ServiceDoubles services;
    test::TestDatabase db;
    std::unique_ptr<frmTPVs> form;
};

TEST_F(TerminalScreen, StartsChoosingWithTheCompaniesByName)
{
    auto* cbo = ctl<QComboBox>("cboEmpresa");
    ASSERT_EQ(cbo->count(), 2);
    EXPECT_EQ(cbo->itemText(0), "Alfa Hostelería");
    EXPECT_EQ(cbo->itemData(0).toInt(), 2);
    EXPECT_EQ(cbo->currentIndex(), 0);
    EXPECT_TRUE(choosing());
    EXPECT_EQ(QApplication::focusWidget(), txtCodigo());
}

TEST_F(TerminalScreen, ANewCodeIsInsertedOnSaveAndUpdatedOnTheNextSave)
{
    enterCode(5);
    EXPECT_TRUE(editing());
    EXPECT_EQ(QApplication::focusWidget(), ctl("txtHost"));
    EXPECT_TRUE(ctl<ctlTextBox>("txtHost")->text().isEmpty());

    QTest::keyClicks(ctl("txtHost"), "PC05");
    ctl<ctlTextBox>("txtDescripcion")->setText(QStringLiteral("Caja de l'entrada"));
    auto* cbo = ctl<QComboBox>("cboEmpresa");
    cbo->setCurrentIndex(cbo->findData(1));
    ctl<controls::ctlTarifa>("txtTarifaPVP")->setCodigo(3);
    ctl<controls::ctlTarifa>("txtTarifaProm")->setCodigo(4);
    ctl<controls::ctlAlmacen>("txtAlmacen")->setCodigo(2);
    ctl<QCheckBox>("chkEnLinea")->setChecked(true);
    QTest::mouseClick(button("cmdAceptar"), Qt::LeftButton);

    ASSERT_EQ(db.count("TPVs"), 1);
    EXPECT_EQ(column(5, "Host"), "PC05");
    EXPECT_EQ(column(5, "Descripcion"), "Caja de l'entrada");
    EXPECT_EQ(column(5, "Empresa"), "1");
    EXPECT_EQ(column(5, "TarifaPVP"), "3");
    EXPECT_EQ(column(5, "TarifaProm"), "4");
    EXPECT_EQ(column(5, "Almacen"), "2");
    EXPECT_EQ(column(5, "EnLinea"), "1");
    EXPECT_EQ(column(5, "Emergencia"), "0");
    // Back to choosing, every field empty.
    EXPECT_TRUE(choosing());
    EXPECT_TRUE(txtCodigo()->text().isEmpty());
    EXPECT_TRUE(ctl<ctlTextBox>("txtHost")->text().isEmpty());
    EXPECT_EQ(cbo->currentIndex(), 0);
    EXPECT_FALSE(ctl<QCheckBox>("chkEnLinea")->isChecked());
    EXPECT_TRUE(services.messages->shown.empty());

    // The saved terminal comes back as it was written; F9 saves the change.
    enterCode(5);
    EXPECT_EQ(ctl<ctlTextBox>("txtHost")->text(), "PC05");
    EXPECT_EQ(cbo->currentData().toInt(), 1);
    EXPECT_EQ(ctl<controls::ctlTarifa>("txtTarifaPVP")->Codigo(), 3);
    EXPECT_TRUE(ctl<QCheckBox>("chkEnLinea")->isChecked());
    ctl<ctlTextBox>("txtHost")->setText(QStringLiteral("CAJA-05"));
    ctl<QCheckBox>("chkEnLinea")->setChecked(false);
    key(Qt::Key_F9);
    EXPECT_EQ(db.count("TPVs"), 1);
    EXPECT_EQ(column(5, "Host"), "CAJA-05");
    EXPECT_EQ(column(5, "EnLinea"), "0");
    EXPECT_TRUE(choosing());
}

TEST_F(TerminalScreen, HostAndDescriptionStopAtTheirColumnsWidthAndAreSavedWhole)
{
    enterCode(7);
    QTest::keyClicks(ctl("txtHost"), QString(120, QLatin1Char('H')));
    ctl("txtDescripcion")->setFocus();
    test::typeText(ctl("txtDescripcion"), QString(70, QChar(u'ñ')));
    EXPECT_EQ(ctl<ctlTextBox>("txtHost")->text().size(), 100);
    auto* cbo = ctl<QComboBox>("cboEmpresa");
    cbo->setCurrentIndex(cbo->findData(1));
    key(Qt::Key_F9);
    EXPECT_TRUE(services.messages->shown.empty());
    EXPECT_EQ(column(7, "Host"), QString(100, QLatin1Char('H')));
    EXPECT_EQ(column(7, "Descripcion"), QString(50, QChar(u'ñ')));
}

TEST_F(TerminalScreen, F9SavesTheCodeStillBeingTypedInAPicker)
{
    enterCode(6);
    QWidget* tariff = ctl("txtTarifaPVP")->focusProxy();
    ASSERT_NE(tariff, nullptr);
    tariff->setFocus();
    QTest::keyClicks(tariff, "12");
    key(Qt::Key_F9);
    EXPECT_EQ(column(6, "TarifaPVP"), "12");
}

TEST_F(TerminalScreen, EscClosesTheEmptyScreenAndCancelsAnEditWithoutSaving)
{
    enterCode(6);
    QTest::keyClicks(ctl("txtHost"), "PC06");
    key(Qt::Key_Escape);
    EXPECT_TRUE(choosing());
    EXPECT_TRUE(txtCodigo()->text().isEmpty());
    EXPECT_TRUE(ctl<ctlTextBox>("txtHost")->text().isEmpty());
    EXPECT_EQ(db.count("TPVs"), 0);
    EXPECT_TRUE(form->isVisible());

    key(Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->isLoaded());
}

TEST_F(TerminalScreen, F9AndF12DoNothingWhileTheirButtonsAreDisabled)
{
    txtCodigo()->setText(QStringLiteral("7"));
    key(Qt::Key_F9);
    EXPECT_EQ(db.count("TPVs"), 0);
    EXPECT_TRUE(services.messages->shown.empty());
    key(Qt::Key_F12);
    EXPECT_EQ(txtCodigo()->text(), "7");
    EXPECT_TRUE(choosing());

}

TEST_F(TerminalScreen, SavingWithoutACompanyIsRefusedWithAMessage)
{
    db.exec("DELETE FROM Empresas");
    form->unloadForm();
    form->showForm(0);
    ASSERT_NO_FATAL_FAILURE(activate(form.get()));
    enterCode(4);
    ctl<ctlTextBox>("txtHost")->setText(QStringLiteral("PC04"));
    QTest::mouseClick(button("cmdAceptar"), Qt::LeftButton);

    ASSERT_EQ(services.messages->shown.size(), 1u);
    const frame::Message& m = services.messages->shown.front();
    EXPECT_EQ(m.text, "Debe especificar una empresa.");
    EXPECT_EQ(m.caption, "Brevanto");
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_EQ(db.count("TPVs"), 0);
    EXPECT_TRUE(editing());
    EXPECT_EQ(ctl<ctlTextBox>("txtHost")->text(), "PC04");
    EXPECT_EQ(QApplication::focusWidget(), ctl("cboEmpresa"));
}

TEST_F(TerminalScreen, DeleteAsksFirstAndDeletesOnlyOnYes)
{
    addTerminal(4, "PC04");
    addTerminal(8, "PC08");
    enterCode(4);
    services.messages->queueAnswer(MsgResult::No);
    QTest::mouseClick(button("cmdEliminar"), Qt::LeftButton);
    ASSERT_EQ(services.messages->shown.size(), 1u);
    const frame::Message question = services.messages->shown.front();
    EXPECT_EQ(question.text, "¿Desea eliminar el TPV actual?");
    EXPECT_EQ(question.caption, "Confirmar");
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);
    EXPECT_EQ(question.defaultButton, MsgResult::No);
    EXPECT_EQ(question.icon, MsgIcon::Question);
    EXPECT_EQ(db.count("TPVs"), 2);
    EXPECT_TRUE(editing());

    services.messages->queueAnswer(MsgResult::Yes);
    QTest::mouseClick(button("cmdEliminar"), Qt::LeftButton);
    EXPECT_EQ(db.count("TPVs"), 1);
    EXPECT_EQ(db.count("TPVs", "Codigo = 8"), 1);
    EXPECT_TRUE(choosing());
    EXPECT_TRUE(txtCodigo()->text().isEmpty());
}

TEST_F(TerminalScreen, AltArrowsStepThroughTheTerminalsInCodeOrder)
{
    addTerminal(9, "PC09", 2);
    addTerminal(2, "PC02", 1);
    addTerminal(5, "PC05", 1);

    key(Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(txtCodigo()->text(), "2");
    EXPECT_EQ(ctl<ctlTextBox>("txtHost")->text(), "PC02");
    EXPECT_TRUE(editing());
    key(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(txtCodigo()->text(), "5");
    key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(txtCodigo()->text(), "9");
    EXPECT_EQ(ctl<QComboBox>("cboEmpresa")->currentData().toInt(), 2);

    // Past the last one nothing changes, not even what was typed.
    ctl<ctlTextBox>("txtDescripcion")->setText(QStringLiteral("cambiada"));
    key(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(txtCodigo()->text(), "9");
    EXPECT_EQ(ctl<ctlTextBox>("txtDescripcion")->text(), "cambiada");

    key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(txtCodigo()->text(), "5");
    EXPECT_EQ(ctl<ctlTextBox>("txtDescripcion")->text(), "Caja 5");

    // After a cancel the steps go on from the terminal last shown; the buttons do the same.
    key(Qt::Key_Escape);
    ASSERT_TRUE(choosing());
    QTest::mouseClick(button("cmdSiguiente"), Qt::LeftButton);
    EXPECT_EQ(txtCodigo()->text(), "9");
    QTest::mouseClick(button("cmdPrimero"), Qt::LeftButton);
    EXPECT_EQ(txtCodigo()->text(), "2");
    QTest::mouseClick(button("cmdAnterior"), Qt::LeftButton);
    EXPECT_EQ(txtCodigo()->text(), "2");
    QTest::mouseClick(button("cmdUltimo"), Qt::LeftButton);
    EXPECT_EQ(txtCodigo()->text(), "9");
}

TEST_F(TerminalScreen, EnterOnANewCodeAfterShowingAnotherTerminalStartsEmpty)
{
    addTerminal(2, "PC02", 1, 1);
    key(Qt::Key_Up, Qt::AltModifier);
    ASSERT_EQ(ctl<ctlTextBox>("txtHost")->text(), "PC02");
    // Enter on the (locked) code field with a code that has no row.
    txtCodigo()->setText(QStringLiteral("11"));
    QTest::keyClick(txtCodigo(), Qt::Key_Return);
    EXPECT_EQ(txtCodigo()->text(), "11");
    EXPECT_TRUE(ctl<ctlTextBox>("txtHost")->text().isEmpty());
    EXPECT_FALSE(ctl<QCheckBox>("chkEmergencia")->isChecked());
    EXPECT_TRUE(editing());
}

TEST_F(TerminalScreen, EnterInTheCompanyListMovesToTheNextField)
{
    enterCode(3);
    auto* cbo = ctl<QComboBox>("cboEmpresa");
    cbo->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), cbo);
    QTest::keyClick(cbo, Qt::Key_Return);
    QWidget* now = QApplication::focusWidget();
    ASSERT_NE(now, nullptr);
    EXPECT_NE(now, cbo);
    EXPECT_TRUE(ctl("txtTarifaPVP")->isAncestorOf(now) || now == ctl("txtTarifaPVP"));
}

TEST_F(TerminalScreen, ADatabaseErrorWhileSavingIsReportedAndWritesNothing)
{
    addTerminal(1, "PC01", 1, 1);
    // The emergency flag of terminal 1 cannot be cleared: the insert of 8 must not stay.
    failingTrigger(db, "keep_emergency", "BEFORE UPDATE OF Emergencia", "TPVs", "terminal de emergencia protegido",
                   "OLD.Emergencia = 1 AND NEW.Emergencia = 0");
    enterCode(8);
    ctl<ctlTextBox>("txtHost")->setText(QStringLiteral("PC08"));
    ctl<QCheckBox>("chkEmergencia")->setChecked(true);
    QTest::mouseClick(button("cmdAceptar"), Qt::LeftButton);

    ASSERT_EQ(services.messages->shown.size(), 1u);
    const frame::Message& m = services.messages->shown.front();
    EXPECT_EQ(m.caption, "Error en cmdAceptar_Click");
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_TRUE(m.text.contains("terminal de emergencia protegido")) << m.text.toStdString();
    EXPECT_EQ(db.count("TPVs"), 1);
    EXPECT_EQ(column(1, "Emergencia"), "1");
    // The edit is still there to correct and save again.
    EXPECT_TRUE(editing());
    EXPECT_EQ(txtCodigo()->text(), "8");
    EXPECT_EQ(ctl<ctlTextBox>("txtHost")->text(), "PC08");

    dropFailingTrigger(db, "keep_emergency", "TPVs");
    QTest::mouseClick(button("cmdAceptar"), Qt::LeftButton);
    EXPECT_EQ(db.count("TPVs"), 2);
    EXPECT_EQ(db.count("TPVs", "Emergencia <> 0"), 1);
}

TEST_F(TerminalScreen, ATariffCodeTooLargeForTheTableIsRefusedNotCut)
{
    enterCode(3);
    ctl<controls::ctlTarifa>("txtTarifaPVP")->setCodigo(70000);
    QTest::mouseClick(button("cmdAceptar"), Qt::LeftButton);
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_EQ(services.messages->shown.front().caption, "Error en cmdAceptar_Click");
    EXPECT_EQ(db.count("TPVs"), 0);
    EXPECT_TRUE(editing());
}

TEST_F(TerminalScreen, ReopeningAfterCloseStartsAgainFromAnEmptyScreen)
{
    addTerminal(2, "PC02");
    enterCode(2);
    ctl<ctlTextBox>("txtHost")->setText(QStringLiteral("sin guardar"));
    QTest::mouseClick(button("cmdCerrar"), Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
    db.exec("INSERT INTO Empresas (Codigo, Nombre_1) VALUES (3, 'Beta')");

    form->showForm(0);
    ASSERT_NO_FATAL_FAILURE(activate(form.get()));
    EXPECT_TRUE(choosing());
    EXPECT_TRUE(txtCodigo()->text().isEmpty());
    EXPECT_TRUE(ctl<ctlTextBox>("txtHost")->text().isEmpty());
    EXPECT_EQ(ctl<QComboBox>("cboEmpresa")->count(), 3);
    EXPECT_EQ(column(2, "Host"), "PC02");
}

TEST_F(TerminalScreen, SearchButtonOpensTheDialogAndShowsTheTerminalChosen)
{
    addTerminal(3, "PC03");
    addTerminal(12, "CAJA12", 2);
    services.modal->queue([](QDialog& d) {
        auto* txt = d.findChild<ctlTextBox*>(QStringLiteral("txtNombre"));
        txt->setText(QStringLiteral("caja"));
        QTest::keyClick(txt, Qt::Key_Return);
        QTest::keyClick(d.findChild<Grid*>(QStringLiteral("vsListado")), Qt::Key_Return);
        return d.result();
    });
    QTest::mouseClick(button("cmdBuscar"), Qt::LeftButton);
    EXPECT_EQ(services.modal->dialogsRun, QStringList{"frmTPVs_Buscar"});
    EXPECT_EQ(txtCodigo()->text(), "12");
    EXPECT_EQ(ctl<ctlTextBox>("txtHost")->text(), "CAJA12");
    EXPECT_TRUE(editing());

    // A cancelled search changes nothing.
    services.modal->queue([](QDialog&) { return QDialog::Rejected; });
    QTest::mouseClick(button("cmdBuscar"), Qt::LeftButton);
    EXPECT_EQ(txtCodigo()->text(), "12");
    EXPECT_TRUE(services.messages->shown.empty());
}

TEST_F(TerminalScreen, TheEntryClassOpensTheScreenFromTheRegistry)
{
    form.reset();
    db.exec("INSERT INTO TPVs (Codigo, Host) VALUES (1, 'PC01')");
    std::unique_ptr<QObject> entry(component::ClassRegistry::instance().create("ZQVRTpvs.frmclsTpvs"));
    ASSERT_NE(entry, nullptr);
    entry->setProperty("EmpresaBrevanto", QVariant::fromValue<QObject*>(&db.empresa()));
    entry->setProperty("ConexionBrevanto", QVariant::fromValue<QObject*>(&db.conn()));
    auto* launcher = qobject_cast<frame::EntryClass*>(entry.get());
    ASSERT_NE(launcher, nullptr);
    frame::Form* screen = launcher->screen();
    ASSERT_NE(screen, nullptr) << "the screen is made with the entry object";
    EXPECT_FALSE(screen->isLoaded());

    ASSERT_TRUE(QMetaObject::invokeMethod(entry.get(), "Show", Q_ARG(int, 0), Q_ARG(QObject*, nullptr)));
    EXPECT_EQ(screen->objectName(), "frmTPVs");
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(screen->findChild<QComboBox*>(QStringLiteral("cboEmpresa"))->count(), 2);

    // Closed and shown again: the same screen, loaded afresh.
    screen->findChild<QPushButton*>(QStringLiteral("cmdCerrar"))->click();
    EXPECT_FALSE(screen->isVisible());
    QMetaObject::invokeMethod(entry.get(), "Show", Q_ARG(int, 0), Q_ARG(QObject*, nullptr));
    EXPECT_EQ(launcher->screen(), screen);
    EXPECT_EQ(screen->loadCount(), 2);
    EXPECT_TRUE(screen->isVisible());

    // Releasing the entry object closes its screen.
    QPointer<frame::Form> watch(screen);
    entry.reset();
    EXPECT_TRUE(!watch || !watch->isVisible());
}

// ---- the search dialog ----

class TerminalSearch : public ::testing::Test {
protected:
    void SetUp() override
    {
        installInHostContext(db);
        dialog = std::make_unique<frmTPVs_Buscar>();
    }
    void addTerminal(int code, const QString& host)
    {
        db.exec(QStringLiteral("INSERT INTO TPVs (Codigo, Host) VALUES (%1, %2)")
                    .arg(code)
                    .arg(QStringLiteral("'") + QString(host).replace("'", "''") + "'"));
    }
    ctlTextBox* txtNombre() { return dialog->findChild<ctlTextBox*>(QStringLiteral("txtNombre")); }
    Grid* grid() { return dialog->findChild<Grid*>(QStringLiteral("vsListado")); }
    void search(const QString& text)
    {
        txtNombre()->setText(text);
        QTest::keyClick(txtNombre(), Qt::Key_Return);
    }
    int rows() { return grid()->Rows() - grid()->FixedRows(); }
    QStringList hosts()
    {
        QStringList h;
        for (int r = grid()->FixedRows(); r < grid()->Rows(); ++r)
            h << grid()->TextMatrix(r, 1);
        h.sort();
        return h;
    }

    test::ServiceDoubles services;
    test::TestDatabase db;
    std::unique_ptr<frmTPVs_Buscar> dialog;
};

TEST_F(TerminalSearch, ATextFindsHostsThatStartWithItAndALeadingStarFindsHostsThatContainIt)
{
    addTerminal(1, "PC01");
    addTerminal(2, "PC02");
    addTerminal(3, "XPC03");
    addTerminal(4, "ABC05");
    addTerminal(5, "CAJA");

    search("PC");
    EXPECT_EQ(hosts(), (QStringList{"PC01", "PC02"}));
    EXPECT_EQ(grid()->Row(), grid()->FixedRows()) << "the first row is selected";

    search("*C0");
    EXPECT_EQ(hosts(), (QStringList{"ABC05", "PC01", "PC02", "XPC03"}));

    search("PC*2");
    EXPECT_EQ(hosts(), (QStringList{"PC02"}));

    search("ZZ");
    EXPECT_EQ(rows(), 0);
    EXPECT_TRUE(services.messages->shown.empty());
}

TEST_F(TerminalSearch, ATextWithAQuoteFindsTheHostThatHasIt)
{
    addTerminal(1, "O'NEIL-PC");
    addTerminal(2, "ONEIL");
    search("O'N");
    EXPECT_TRUE(services.messages->shown.empty()) << services.messages->texts().join("|").toStdString();
    EXPECT_EQ(hosts(), QStringList{"O'NEIL-PC"});
    search("*'");
    EXPECT_EQ(hosts(), QStringList{"O'NEIL-PC"});
}

TEST_F(TerminalSearch, ThirtyMatchesComeInPagesOfFourteenAsTheUserMovesDown)
{
    for (int i = 1; i <= 30; ++i)
        addTerminal(i, QStringLiteral("PC%1").arg(i, 2, 10, QLatin1Char('0')));
    addTerminal(31, "OTRO");
    ASSERT_NO_FATAL_FAILURE(activate(dialog.get()));

    search("PC");
    EXPECT_EQ(rows(), 14);
    EXPECT_EQ(QApplication::focusWidget(), grid());
    // Down inside the page only moves.
    QTest::keyClick(grid(), Qt::Key_Down);
    EXPECT_EQ(rows(), 14);
    grid()->setRow(grid()->Rows() - 1);
    QTest::keyClick(grid(), Qt::Key_Down);
    EXPECT_EQ(rows(), 28);
    EXPECT_EQ(grid()->Row(), 15) << "the list moves on to the first new row";
    grid()->setRow(grid()->Rows() - 1);
    QTest::keyClick(grid(), Qt::Key_PageDown);
    EXPECT_EQ(rows(), 30);
    grid()->setRow(grid()->Rows() - 1);
    QTest::keyClick(grid(), Qt::Key_Down);
    EXPECT_EQ(rows(), 30);
    QStringList all = hosts();
    all.removeDuplicates();
    EXPECT_EQ(all.size(), 30);

    // A new search starts over with the first page.
    search("PC1");
    EXPECT_EQ(rows(), 10);
    search("PC");
    EXPECT_EQ(rows(), 14);
}

TEST_F(TerminalSearch, UpOnTheFirstRowGoesBackToTheTextAndDownComesBack)
{
    addTerminal(1, "PC01");
    addTerminal(2, "PC02");
    ASSERT_NO_FATAL_FAILURE(activate(dialog.get()));
    search("PC");
    ASSERT_EQ(QApplication::focusWidget(), grid());
    QTest::keyClick(grid(), Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), txtNombre());
    QTest::keyClick(txtNombre(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), grid());

    // Nothing found: the text keeps the focus and Down stays there.
    search("ZZ");
    EXPECT_EQ(QApplication::focusWidget(), txtNombre());
    QTest::keyClick(txtNombre(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), txtNombre());
}

TEST_F(TerminalSearch, ClosingWithRowsStillToComeReleasesTheDatabase)
{
    for (int i = 1; i <= 20; ++i)
        addTerminal(i, QStringLiteral("PC%1").arg(i));
    search("PC");
    ASSERT_EQ(rows(), 14);
    dialog->reject();
    // No statement of the search is left pending: the table can be dropped.
    EXPECT_NO_THROW(db.exec("DROP TABLE TPVs"));
}

} // namespace
