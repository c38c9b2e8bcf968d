// The car-park window and its two band dialogs, driven through the real
// widgets by name, and its entry class.
#include "component/ClassRegistry.h"
#include "controls/Grid.h"
#include "controls/ctlCodePicker.h"
#include "controls/ctlTextBox.h"
#include "frame/EntryClass.h"
#include "parking/frmParkingMtto.h"
#include "support/FailingTrigger.h"
#include "support/ScreenTest.h"

#include <QDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace zqvr;
using controls::Grid;
using frame::MsgResult;
using parking::frmParkingMtto;
using zqvr::test::dropFailingTrigger;
using zqvr::test::failingTrigger;

namespace {

// Fills a band dialog's fields by name; an absent value leaves the field as the dialog showed it.
struct Fill {
    const char* almacen = nullptr;
    const char* a = nullptr; // Importe Inicial / Minuto Inicial
    const char* b = nullptr; // Importe Final / Minuto Final
    const char* c = nullptr; // Minutos / Pvp
};

class ParkingScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        installInHostContext(db);
        db.exec("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (1, 1, 'Centro'), (1, 2, 'Puerto')");
        db.exec("INSERT INTO Parking_Gratis (Cod_Empresa, Cod_Almacen, ImporteInicial, ImporteFinal, Minutos)"
                " VALUES (1, 1, 20, 49.99, 60), (1, 1, 50, 9999, 120), (1, 2, 0, 19.99, 30)");
        db.exec("INSERT INTO Parking_Tarifa (Cod_Empresa, Cod_Almacen, MinutoInicial, MinutoFinal, Pvp)"
                " VALUES (1, 1, 1, 60, 0.0125), (1, 2, 61, 180, 0.03)");
        form = std::make_unique<frmParkingMtto>();
        form->showForm(0);
    }

    template <class T = QWidget>
    T* ctl(QWidget* parent, const char* name)
    {
        T* w = parent->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    Grid* grid(const char* name) { return ctl<Grid>(form.get(), name); }
    QTabWidget* tabs() { return ctl<QTabWidget>(form.get(), "ssTab"); }
    void click(const char* button) { ctl<QPushButton>(form.get(), button)->click(); }

    // The next dialog gets these values and is accepted (or cancelled);
    // what it showed is kept in `shown`.
    void answerDialog(Fill f, bool accept = true)
    {
        services.modal->queue([this, f, accept](QDialog& d) {
            auto* picker = d.findChild<controls::ctlAlmacen*>(QStringLiteral("txtAlmacen"));
            QList<controls::ctlTextBox*> boxes;
            for (const char* n : {"txtImporteInicial", "txtImporteFinal", "txtMinutos", "txtMinutoInicial",
                                  "txtMinutoFinal", "txtPvp"})
                if (auto* b = d.findChild<controls::ctlTextBox*>(QString::fromLatin1(n)))
                    boxes << b;
            shown = QStringList{picker->text()};
            for (auto* b : boxes)
                shown << b->text();
            if (f.almacen)
                picker->codeField()->setText(QString::fromUtf8(f.almacen));
            const char* values[3] = {f.a, f.b, f.c};
            for (int i = 0; i < 3; ++i)
                if (values[i])
                    boxes[i]->setText(QString::fromUtf8(values[i]));
            d.findChild<QPushButton*>(accept ? QStringLiteral("cmdAceptar") : QStringLiteral("cmdCancelar"))->click();
            return d.result();
        });
    }
    QStringList row(Grid* g, int r)
    {
        QStringList out;
        for (int c = 1; c < g->Cols(); ++c)
            out << g->TextMatrix(r, c);
        return out;
    }

    test::TestDatabase db;
    test::ServiceDoubles services;
    std::unique_ptr<frmParkingMtto> form;
    QStringList shown;
};

TEST_F(ParkingScreen, LoadShowsTheFreeBandsAndEachTabFillsItsOwnGrid)
{
    Grid* g = grid("vsGratis");
    EXPECT_EQ(form->windowTitle(), "Mantenimiento de Parking");
    EXPECT_EQ(tabs()->tabText(0), "Parking Gratis");
    EXPECT_EQ(tabs()->tabText(1), "Parking Tarifas");
    ASSERT_EQ(g->Rows(), 4);
    EXPECT_TRUE(g->ColHidden(0));
    EXPECT_EQ(row(g, 0), QStringList({"Almacén", "Almacén", "Importe Inicial", "Importe Final", "Minutos"}));
    EXPECT_EQ(row(g, 1), QStringList({"1", "Centro", "20,00", "49,99", "60"}));
    EXPECT_EQ(row(g, 2), QStringList({"1", "Centro", "50,00", "9.999,00", "120"}));
    EXPECT_EQ(row(g, 3), QStringList({"2", "Puerto", "0,00", "19,99", "30"}));
    EXPECT_EQ(g->ColWidth(2), 1500);
    EXPECT_EQ(grid("vsTarifas")->Rows(), 1);

    tabs()->setCurrentIndex(1);
    Grid* t = grid("vsTarifas");
    ASSERT_EQ(t->Rows(), 3);
    EXPECT_EQ(row(t, 0), QStringList({"Almacén", "Almacén", "Minuto Inicial", "Minuto Final", "Pvp"}));
    EXPECT_EQ(row(t, 1), QStringList({"1", "Centro", "1", "60", "0,01"}));
    EXPECT_TRUE(services.messages->shown.empty());
}

TEST_F(ParkingScreen, AnAddedBandIsSavedAndTheLastRowBecomesCurrentWhereverTheBandSorted)
{
    answerDialog({"1", "0", "19,99", "15"});
    click("cmdAgregar");
    EXPECT_EQ(services.modal->dialogsRun, QStringList{"frmParkingMtto_Datos"});
    EXPECT_EQ(shown, QStringList({"", "", "", ""})); // a new band starts empty
    Grid* g = grid("vsGratis");
    ASSERT_EQ(g->Rows(), 5);
    EXPECT_EQ(row(g, 1), QStringList({"1", "Centro", "0,00", "19,99", "15"}));
    EXPECT_EQ(g->Row(), 4);

    tabs()->setCurrentIndex(1);
    answerDialog({"2", "30", "10", "0,5"}); // minutes in either order
    click("cmdAgregar");
    EXPECT_EQ(services.modal->dialogsRun.last(), "frmParkingMtto_Datos_2");
    Grid* t = grid("vsTarifas");
    ASSERT_EQ(t->Rows(), 4);
    EXPECT_EQ(row(t, 2), QStringList({"2", "Puerto", "30", "10", "0,50"}));
    EXPECT_EQ(t->Row(), 3);
    EXPECT_EQ(db.count("Parking_Tarifa", "Cod_Empresa = 1 AND Cod_Almacen = 2 AND MinutoInicial = 30 AND Pvp = 0.5"), 1);

    // A cancelled dialog adds nothing.
    answerDialog({"1", "1", "2", "0,1"}, false);
    click("cmdAgregar");
    EXPECT_EQ(db.count("Parking_Tarifa"), 3);
    EXPECT_TRUE(services.messages->shown.empty());
}

TEST_F(ParkingScreen, TheFreeBandDialogRefusesInTheWindowsOrderAndStaysOpen)
{
    services.modal->queue([&](QDialog& d) {
        auto* picker = d.findChild<controls::ctlAlmacen*>(QStringLiteral("txtAlmacen"));
        auto box = [&](const char* n) { return d.findChild<controls::ctlTextBox*>(QString::fromLatin1(n)); };
        auto* ok = d.findChild<QPushButton*>(QStringLiteral("cmdAceptar"));
        picker->codeField()->setText(QStringLiteral("9")); // no such warehouse
        box("txtImporteInicial")->setText(QStringLiteral("50"));
        box("txtImporteFinal")->setText(QStringLiteral("0"));
        ok->click();
        picker->codeField()->setText(QStringLiteral("2"));
        ok->click();
        box("txtImporteFinal")->setText(QStringLiteral("49,99"));
        ok->click();
        box("txtImporteFinal")->setText(QStringLiteral("50"));
        ok->click();
        EXPECT_EQ(d.result(), QDialog::Rejected); // still open
        box("txtMinutos")->setText(QStringLiteral("45"));
        ok->click();
        return d.result();
    });
    click("cmdAgregar");
    EXPECT_EQ(services.messages->texts(),
              QStringList({"Debe especificar un Almacén Válido.", "Debe especificar un Importe Final.",
                           "Importe Inicial tiene que ser menor a Importe Final.",
                           "Debe especificar los Minutos Gratis."}));
    for (const auto& m : services.messages->shown) {
        EXPECT_EQ(m.caption, "¡ Atención !");
        EXPECT_EQ(m.icon, frame::MsgIcon::Exclamation);
    }
    EXPECT_EQ(db.count("Parking_Gratis", "Cod_Almacen = 2 AND ImporteInicial = 50 AND ImporteFinal = 50 AND Minutos = 45"),
              1);
}

TEST_F(ParkingScreen, TheTariffDialogRefusesInTheWindowsOrder)
{
    tabs()->setCurrentIndex(1);
    services.modal->queue([&](QDialog& d) {
        auto box = [&](const char* n) { return d.findChild<controls::ctlTextBox*>(QString::fromLatin1(n)); };
        auto* ok = d.findChild<QPushButton*>(QStringLiteral("cmdAceptar"));
        ok->click();
        d.findChild<controls::ctlAlmacen*>(QStringLiteral("txtAlmacen"))->codeField()->setText(QStringLiteral("1"));
        ok->click();
        box("txtMinutoInicial")->setText(QStringLiteral("1"));
        ok->click();
        box("txtMinutoFinal")->setText(QStringLiteral("0"));
        ok->click();
        box("txtMinutoFinal")->setText(QStringLiteral("10"));
        ok->click();
        box("txtPvp")->setText(QStringLiteral("-1"));
        ok->click();
        return d.result();
    });
    click("cmdAgregar");
    EXPECT_EQ(services.messages->texts(),
              QStringList({"Debe especificar un Almacén Válido.", "Debe especificar un Minuto Inicial.",
                           "Debe especificar un Minuto Final.", "Debe especificar un Minuto Final.",
                           "Debe especificar el Precio del Minuto.", "Debe especificar un Precio del Minuto válido."}));
    EXPECT_EQ(db.count("Parking_Tarifa"), 2);
}

TEST_F(ParkingScreen, ModifyShowsTheBandKeepsEveryDecimalAndCancellingChangesNothing)
{
    tabs()->setCurrentIndex(1);
    Grid* t = grid("vsTarifas");
    t->setRow(1);
    answerDialog({}, false);
    click("cmdModificar");
    EXPECT_EQ(shown, QStringList({"1", "1", "60", "0,0125"}));
    EXPECT_DOUBLE_EQ(db.conn().scalar("SELECT Pvp FROM Parking_Tarifa WHERE MinutoInicial = 1").toDouble(), 0.0125);
    EXPECT_EQ(db.count("Parking_Tarifa", "Cod_Almacen = 1 AND MinutoFinal = 60"), 1);

    // Accepting unchanged keeps the price as stored, not as the grid rounds it.
    t->setRow(1);
    answerDialog({});
    click("cmdModificar");
    EXPECT_DOUBLE_EQ(db.conn().scalar("SELECT Pvp FROM Parking_Tarifa WHERE MinutoInicial = 1").toDouble(), 0.0125);

    tabs()->setCurrentIndex(0);
    Grid* g = grid("vsGratis");
    g->setRow(3);
    answerDialog({"1", nullptr, "25", nullptr});
    click("cmdModificar");
    EXPECT_EQ(shown, QStringList({"2", "0,00", "19,99", "30"}));
    EXPECT_EQ(db.count("Parking_Gratis", "Cod_Almacen = 1 AND ImporteInicial = 0 AND ImporteFinal = 25 AND Minutos = 30"), 1);
    EXPECT_EQ(db.count("Parking_Gratis"), 3);
    EXPECT_EQ(row(g, 1), QStringList({"1", "Centro", "0,00", "25,00", "30"}));

    // Without a current data row nothing is opened.
    g->setRow(0);
    click("cmdModificar");
    EXPECT_EQ(services.modal->dialogsRun.size(), 3);
}

TEST_F(ParkingScreen, F9AcceptsAndF12CancelsTheDialog)
{
    auto pressIn = [&](Qt::Key key, const char* minutes) {
        services.modal->queue([=](QDialog& d) {
            d.show();
            d.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
            d.findChild<controls::ctlTextBox*>(QStringLiteral("txtMinutos"))->setText(QString::fromLatin1(minutes));
            QTest::keyClick(&d, key);
            EXPECT_FALSE(d.isVisible()) << "the key closes the dialog";
            return d.result();
        });
    };
    Grid* g = grid("vsGratis");
    g->setRow(1);
    pressIn(Qt::Key_F12, "99");
    click("cmdModificar");
    EXPECT_EQ(db.count("Parking_Gratis", "Minutos = 99"), 0);
    g->setRow(1);
    pressIn(Qt::Key_F9, "99");
    click("cmdModificar");
    EXPECT_EQ(db.count("Parking_Gratis", "ImporteInicial = 20 AND Minutos = 99"), 1);
}

TEST_F(ParkingScreen, DeleteAsksFirstAndABandDeletedMeanwhileIsReported)
{
    Grid* g = grid("vsGratis");
    g->setRow(1);
    services.messages->queueAnswer(MsgResult::No);
    click("cmdEliminar");
    ASSERT_EQ(services.messages->shown.size(), 1u);
    const frame::Message& q = services.messages->shown[0];
    EXPECT_EQ(q.text, "¿Está seguro que desea eliminar el elemento actual?");
    EXPECT_EQ(q.caption, "¡ Atención !");
    EXPECT_EQ(q.icon, frame::MsgIcon::Question);
    EXPECT_EQ(q.defaultButton, MsgResult::No);
    EXPECT_EQ(db.count("Parking_Gratis"), 3);

    services.messages->queueAnswer(MsgResult::Yes);
    click("cmdEliminar");
    EXPECT_EQ(db.count("Parking_Gratis", "ImporteInicial = 20"), 0);
    EXPECT_EQ(g->Rows(), 3);

    // Another user deletes the band shown in row 1 before this one acts on it.
    db.exec("DELETE FROM Parking_Gratis WHERE ImporteInicial = 50");
    g->setRow(1);
    services.messages->queueAnswer(MsgResult::Yes);
    click("cmdEliminar");
    EXPECT_EQ(services.messages->last()->text, "El elemento ya no existe: otro usuario lo ha eliminado.");
    EXPECT_EQ(services.messages->last()->caption, "Error en cmdEliminar_Click");
    EXPECT_EQ(services.messages->last()->icon, frame::MsgIcon::Critical);
    EXPECT_EQ(g->Rows(), 2);

    db.exec("DELETE FROM Parking_Gratis");
    g->setRow(1);
    answerDialog({"1", "0", "5", "5"});
    click("cmdModificar");
    EXPECT_EQ(services.messages->last()->text, "El elemento ya no existe: otro usuario lo ha eliminado.");
    EXPECT_EQ(services.messages->last()->caption, "Error en cmdModificar_Click");
    EXPECT_EQ(db.count("Parking_Gratis"), 0);
    EXPECT_EQ(g->Rows(), 1);
}

TEST_F(ParkingScreen, AFailingStatementIsReportedAndTheGridKeepsItsRows)
{
    failingTrigger(db, "fail", "BEFORE INSERT", "Parking_Gratis", "sin espacio");
    answerDialog({"1", "0", "5", "5"});
    click("cmdAgregar");
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_EQ(services.messages->shown[0].caption, "Error en cmdAgregar_Click");
    EXPECT_TRUE(services.messages->shown[0].text.contains("sin espacio"));
    EXPECT_EQ(grid("vsGratis")->Rows(), 4);
    EXPECT_EQ(db.count("Parking_Gratis"), 3);
}

TEST(ParkingEntryClass, MakesItsScreenAtTheFirstShowAndKeepsItAfterClosing)
{
    test::TestDatabase db;
    test::ServiceDoubles services;
    std::unique_ptr<QObject> obj(component::ClassRegistry::instance().create(QStringLiteral("ZQVRTpvs.frmclsParkingMtto")));
    ASSERT_NE(obj, nullptr);
    auto* entry = qobject_cast<frame::EntryClass*>(obj.get());
    ASSERT_NE(entry, nullptr);
    entry->setEmpresaBrevanto(&db.empresa());
    entry->setConexionBrevanto(&db.conn());
    EXPECT_EQ(entry->screen(), nullptr);
    entry->Show(0, nullptr);
    frame::Form* screen = entry->screen();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), "frmParkingMtto");
    EXPECT_TRUE(screen->raisesUnloadNotice());
    screen->close();
    EXPECT_FALSE(screen->isLoaded());
    entry->Show(0, nullptr);
    EXPECT_EQ(entry->screen(), screen);
    EXPECT_EQ(screen->loadCount(), 2);
}

} // namespace
