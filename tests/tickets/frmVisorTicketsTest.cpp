// The ticket viewer and its search dialog, driven through the real widgets
// by name on the ticket fixture (tickets sharing numbers across tills and dates).
#include "tickets/frmVisorTickets.h"
#include "tickets/frmVisorTickets_Buscar.h"

#include "../reports/PdfText.h"
#include "TicketFixture.h"
#include "controls/Grid.h"
#include "controls/ctlCodePicker.h"
#include "controls/ctlDispositivo.h"
#include "controls/ctlMaskEdBox.h"
#include "controls/ctlTextBox.h"
#include "reports/frmReport_Destino.h"
#include "support/ScreenTest.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace zqvr;
using controls::Grid;
using frame::MsgIcon;
using tickets::frmVisorTickets;
using tickets::frmVisorTickets_Buscar;

namespace {

class TicketViewer : public ::testing::Test {
protected:
    void SetUp() override
    {
        installInHostContext(db);
        test::fillTicketFixture(db);
        form = std::make_unique<frmVisorTickets>();
        form->showForm(0);
    }
    void TearDown() override
    {
        // Close any preview the reprint left open.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("TextPreview"))
                w->close();
    }

    template <class T = QWidget>
    T* ctl(const char* name)
    {
        T* w = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    Grid* vsCab() { return ctl<Grid>("vsCab"); }
    Grid* vsLineas() { return ctl<Grid>("vsLineas"); }
    QTabWidget* tab() { return ctl<QTabWidget>("SSTab"); }
    void click(const char* button) { QTest::mouseClick(ctl<QPushButton>(button), Qt::LeftButton); }

    void fill(int almacen, const QString& caja, int cajero, const QString& fecha, qint64 articulo = 0)
    {
        auto* a = ctl<controls::ctlAlmacen>("txtAlmacen");
        a->setCodigo(almacen);
        a->Cargar();
        ctl<controls::ctlTextBox>("txtCaja")->setText(caja);
        auto* u = ctl<controls::ctlUsuario>("txtUsuario");
        u->setCodigo(cajero);
        u->Cargar();
        ctl<controls::ctlMaskEdBox>("txtFecha")->setText(fecha);
        auto* art = ctl<controls::ctlArticulo>("txtArticulo");
        if (articulo) {
            art->setCodigo(articulo);
            art->Cargar();
        } else {
            art->setText(QString());
        }
    }
    void search()
    {
        QTest::keyClick(ctl<controls::ctlArticulo>("txtArticulo")->codeField(), Qt::Key_Return);
    }
    QStringList column(Grid* g, int col)
    {
        QStringList out;
        for (int r = g->FixedRows(); r < g->Rows(); ++r)
            out << g->TextMatrix(r, col);
        return out;
    }

    test::TestDatabase db;
    test::ServiceDoubles services;
    std::unique_ptr<frmVisorTickets> form;
};

TEST_F(TicketViewer, OpensEmptyWithTillOneAndNothingToPrint)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Visor de Tickets"));
    EXPECT_EQ(ctl<controls::ctlTextBox>("txtCaja")->text(), QStringLiteral("1"));
    EXPECT_EQ(vsCab()->Rows(), 1);
    EXPECT_FALSE(ctl<QPushButton>("cmdImprimir")->isEnabled());
    EXPECT_FALSE(tab()->isTabEnabled(1));
    EXPECT_EQ(tab()->currentIndex(), 0);
    EXPECT_EQ(vsCab()->TextMatrix(0, 3), QStringLiteral("Cliente"));
    EXPECT_EQ(vsLineas()->TextMatrix(0, 11), QStringLiteral("T.Promo"));
}

TEST_F(TicketViewer, OpensOnTheUsersWarehouseTodayWithTheTillsLastCashier)
{
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    db.exec("INSERT INTO SGD_Usuarios_Almacenes (CodUsuario, Cod_Empresa, Cod_Almacen) VALUES (1, 1, 1)");
    db.exec(QStringLiteral("INSERT INTO TPV_Tickets (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Hora, Cajero) VALUES"
                           " (1, 1, 1, '%1', 1, '%1 09:00:00', 7), (1, 1, 1, '%1', 2, '%1 12:00:00', 8),"
                           " (1, 1, 2, '%1', 1, '%1 13:00:00', 7)")
                .arg(today));
    form->unloadForm();
    form->showForm(0);
    EXPECT_EQ(ctl<controls::ctlAlmacen>("txtAlmacen")->Codigo(), 1);
    EXPECT_EQ(ctl<controls::ctlUsuario>("txtUsuario")->Codigo(), 8);
    EXPECT_EQ(ctl<controls::ctlMaskEdBox>("txtFecha")->Fecha(), QDate::currentDate());
    EXPECT_EQ(vsCab()->Rows(), 1); // nothing is listed before the user asks
    search();
    EXPECT_EQ(column(vsCab(), 0), (QStringList{"2"}));
}

TEST_F(TicketViewer, SearchListsTheDaysTicketsWithCustomerAndPayments)
{
    fill(1, "1", 7, "05/12/2026");
    search();
    EXPECT_TRUE(services.messages->shown.empty());
    EXPECT_EQ(column(vsCab(), 0), (QStringList{"1", "2"}));
    EXPECT_EQ(vsCab()->TextMatrix(1, 1), QStringLiteral("05/12/2026"));
    EXPECT_EQ(vsCab()->TextMatrix(1, 2), QStringLiteral("09:00"));
    EXPECT_EQ(vsCab()->TextMatrix(1, 3), QStringLiteral("5 - Bazar O'Donnell"));
    EXPECT_EQ(vsCab()->TextMatrix(2, 3), QStringLiteral("99 - ")); // the customer is gone
    EXPECT_EQ(vsCab()->TextMatrix(1, 4), QStringLiteral("12,50"));
    EXPECT_EQ(vsCab()->TextMatrix(1, 5), QStringLiteral("20,00"));
    EXPECT_EQ(vsCab()->TextMatrix(1, 10), QStringLiteral("7,50"));
    EXPECT_EQ(vsCab()->TextMatrix(2, 6), QStringLiteral("3,00"));
    EXPECT_EQ(vsCab()->Row(), 1);
    EXPECT_TRUE(ctl<QPushButton>("cmdImprimir")->isEnabled());
    EXPECT_TRUE(tab()->isTabEnabled(1));

    // A ticket without customer leaves the cell empty.
    fill(1, "2", 7, "05/12/2026");
    search();
    EXPECT_EQ(column(vsCab(), 3), (QStringList{""}));
}

TEST_F(TicketViewer, NoTicketSaysSoAndDisablesPrintAndDetails)
{
    fill(1, "1", 7, "05/12/2026");
    search();
    fill(1, "3", 7, "05/12/2026");
    search();
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_EQ(services.messages->last()->text,
              QStringLiteral("No hay ningún ticket de la caja 3, del cajero Ana López en la fecha 05/12/2026"));
    EXPECT_EQ(services.messages->last()->caption, QStringLiteral("¡Atención!"));
    EXPECT_EQ(services.messages->last()->icon, MsgIcon::Information);
    EXPECT_EQ(vsCab()->Rows(), 1);
    EXPECT_FALSE(ctl<QPushButton>("cmdImprimir")->isEnabled());
    EXPECT_FALSE(tab()->isTabEnabled(1));
}

TEST_F(TicketViewer, MissingCriteriaClearTheOldListAndSayWhatIsMissing)
{
    fill(1, "1", 7, "05/12/2026");
    search();
    ASSERT_EQ(vsCab()->Rows(), 3);
    fill(1, "0", 0, "05/12/2026");
    search();
    EXPECT_EQ(vsCab()->Rows(), 1);
    EXPECT_FALSE(ctl<QPushButton>("cmdImprimir")->isEnabled());
    EXPECT_FALSE(tab()->isTabEnabled(1));
    ASSERT_NE(services.messages->last(), nullptr);
    EXPECT_EQ(services.messages->last()->text, QStringLiteral("Indique la caja y el cajero para buscar los tickets."));
}

TEST_F(TicketViewer, ADatabaseFailureIsReportedAndTheWindowStays)
{
    db.exec("DROP TABLE Clientes");
    fill(1, "1", 7, "05/12/2026");
    search();
    ASSERT_NE(services.messages->last(), nullptr);
    EXPECT_EQ(services.messages->last()->caption, QStringLiteral("¡ Atención !"));
    EXPECT_EQ(services.messages->last()->icon, MsgIcon::Critical);
    EXPECT_TRUE(services.messages->last()->text.contains(QStringLiteral("Clientes"), Qt::CaseInsensitive));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(vsCab()->Rows(), 1);
    EXPECT_FALSE(ctl<QPushButton>("cmdImprimir")->isEnabled());
}

TEST_F(TicketViewer, InvalidDateIsRefusedAndLoadsNothing)
{
    for (const char* bad : {"31/02/2026", ""}) {
        fill(1, "1", 7, QString::fromLatin1(bad));
        search();
        ASSERT_NE(services.messages->last(), nullptr);
        EXPECT_EQ(services.messages->last()->text, QStringLiteral("Se esperaba fecha válida."));
        EXPECT_EQ(vsCab()->Rows(), 1);
    }
}

TEST_F(TicketViewer, ArticleFilterListsATicketOnce)
{
    fill(1, "1", 7, "05/12/2026", 100);
    search();
    EXPECT_EQ(column(vsCab(), 0), (QStringList{"1"}));
}

TEST_F(TicketViewer, DetailsTabShowsTheLinesWithTaxKitAndPromotion)
{
    fill(1, "1", 7, "05/12/2026");
    search();
    tab()->setCurrentIndex(1);
    EXPECT_EQ(ctl<QLabel>("lblCodigo")->text(), QStringLiteral("1"));
    ASSERT_EQ(vsLineas()->Rows(), 4);
    EXPECT_EQ(vsLineas()->TextMatrix(1, 2), QStringLiteral("Café molido 250 g"));
    EXPECT_EQ(vsLineas()->TextMatrix(1, 4), QStringLiteral("3,50"));
    EXPECT_EQ(vsLineas()->TextMatrix(1, 5), QStringLiteral("2,000"));
    EXPECT_EQ(vsLineas()->TextMatrix(1, 7), QStringLiteral("7%"));
    EXPECT_EQ(vsLineas()->TextMatrix(1, 8), QStringLiteral("X"));
    EXPECT_EQ(vsLineas()->TextMatrix(1, 11), QString());
    EXPECT_EQ(vsLineas()->TextMatrix(2, 4), QStringLiteral("2,98")); // price decimals of the company
    EXPECT_EQ(vsLineas()->TextMatrix(2, 7), QStringLiteral("0%"));
    EXPECT_EQ(vsLineas()->TextMatrix(2, 9), QStringLiteral("X"));
    EXPECT_EQ(vsLineas()->TextMatrix(2, 10), QStringLiteral("X"));
    EXPECT_EQ(vsLineas()->TextMatrix(2, 11), QStringLiteral("Promoción MxN"));
    EXPECT_EQ(vsLineas()->TextMatrix(3, 3), QStringLiteral("X"));
    EXPECT_EQ(vsLineas()->TextMatrix(3, 6), QStringLiteral("10,00"));
}

TEST_F(TicketViewer, LinesStayThoseOfTheListedTicketAfterTheFieldsChange)
{
    fill(1, "1", 7, "05/12/2026");
    search();
    // The user edits till and date without searching again.
    ctl<controls::ctlTextBox>("txtCaja")->setText(QStringLiteral("2"));
    ctl<controls::ctlMaskEdBox>("txtFecha")->setText(QStringLiteral("04/12/2026"));
    tab()->setCurrentIndex(1);
    EXPECT_EQ(column(vsLineas(), 1), (QStringList{"100", "100", "102"}));
}

TEST_F(TicketViewer, MoveButtonsStopAtTheEndsWithoutReloading)
{
    fill(1, "1", 7, "05/12/2026");
    search();
    click("cmdUltimo");
    EXPECT_EQ(vsCab()->Row(), 2);
    EXPECT_EQ(ctl<QLabel>("lblCodigo")->text(), QStringLiteral("2"));
    EXPECT_EQ(column(vsLineas(), 1), (QStringList{"104"}));

    vsLineas()->setTextMatrix(1, 2, QStringLiteral("marca"));
    click("cmdSiguiente");
    EXPECT_EQ(vsCab()->Row(), 2);
    EXPECT_EQ(vsLineas()->TextMatrix(1, 2), QStringLiteral("marca"));

    click("cmdAnterior");
    EXPECT_EQ(vsCab()->Row(), 1);
    EXPECT_EQ(column(vsLineas(), 1), (QStringList{"100", "100", "102"}));
    vsLineas()->setTextMatrix(1, 2, QStringLiteral("marca"));
    click("cmdAnterior");
    EXPECT_EQ(vsCab()->Row(), 1);
    EXPECT_EQ(vsLineas()->TextMatrix(1, 2), QStringLiteral("marca"));

    click("cmdSiguiente");
    EXPECT_EQ(vsCab()->Row(), 2);
    click("cmdPrimero");
    EXPECT_EQ(vsCab()->Row(), 1);
}

TEST_F(TicketViewer, KitCommandOnlyForKitLinesAndShowsThatLinesComponents)
{
    fill(1, "1", 7, "05/12/2026");
    search();
    tab()->setCurrentIndex(1);
    EXPECT_EQ(form->popupMenu()->objectName(), QStringLiteral("Popup"));
    EXPECT_EQ(form->kitCommand()->text(), QStringLiteral("Composición del Kit"));

    vsLineas()->setRow(1);
    emit vsLineas()->RightClicked(1, 0, QPoint(10, 10));
    EXPECT_FALSE(form->kitCommand()->isEnabled());
    form->popupMenu()->hide();
    form->CommandBars_Execute(1);
    EXPECT_TRUE(services.modal->dialogsRun.isEmpty());

    QStringList shown;
    services.modal->queue([&](QDialog& d) {
        auto* g = d.findChild<Grid*>(QStringLiteral("vsArticulos"));
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Composición Kit"));
        for (int r = 1; g && r < g->Rows(); ++r)
            shown << g->TextMatrix(r, 0) + QLatin1Char('|') + g->TextMatrix(r, 1) + QLatin1Char('|') + g->TextMatrix(r, 2);
        return int(QDialog::Accepted);
    });
    vsLineas()->setRow(3);
    emit vsLineas()->RightClicked(3, 0, QPoint(10, 10));
    EXPECT_TRUE(form->kitCommand()->isEnabled());
    form->popupMenu()->hide();
    form->kitCommand()->trigger();
    EXPECT_EQ(services.modal->dialogsRun, (QStringList{"frmArticulosKit"}));
    EXPECT_EQ(shown, (QStringList{"101|Leche entera 1 L|2,000", "103|Pan de millo|1,000"}));
}

TEST_F(TicketViewer, SearchDialogChoiceFillsTheFieldsAndSearches)
{
    fill(1, "1", 7, "05/12/2026");
    services.modal->queue([](QDialog& d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("frmVisorTickets_Buscar"));
        EXPECT_EQ(d.findChild<controls::ctlAlmacen*>(QStringLiteral("txtAlmacen"))->Codigo(), 1);
        d.findChild<controls::ctlMaskEdBox*>(QStringLiteral("txtFechaI"))->setText(QStringLiteral("04/12/2026"));
        d.findChild<controls::ctlMaskEdBox*>(QStringLiteral("txtFechaF"))->setText(QStringLiteral("05/12/2026"));
        QTest::keyClick(d.findChild<controls::ctlArticulo*>(QStringLiteral("txtArticulo"))->codeField(), Qt::Key_Return);
        auto* g = d.findChild<Grid*>(QStringLiteral("grdTickets_Cajeros"));
        // 04/12: till 1 / 7; 05/12: till 1 / 7, till 1 / 8, till 2 / 7
        EXPECT_EQ(g->Rows(), 7);
        EXPECT_EQ(g->TextMatrix(3, 0), QStringLiteral("05/12/2026"));
        EXPECT_EQ(g->TextMatrix(5, 2), QStringLiteral("8 - Luis Pérez"));
        g->setRow(5);
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdAceptar")), Qt::LeftButton);
        return d.result();
    });
    click("cmdBuscarCajero");
    EXPECT_EQ(ctl<controls::ctlUsuario>("txtUsuario")->Codigo(), 8);
    EXPECT_EQ(ctl<controls::ctlTextBox>("txtCaja")->text(), QStringLiteral("1"));
    EXPECT_EQ(ctl<controls::ctlMaskEdBox>("txtFecha")->text(), QStringLiteral("05/12/2026"));
    EXPECT_EQ(column(vsCab(), 0), (QStringList{"3"}));
}

TEST_F(TicketViewer, SearchDialogDateRowOrCancelChangesNothing)
{
    fill(1, "1", 7, "05/12/2026");
    search();
    for (bool cancel : {false, true}) {
        services.modal->queue([cancel](QDialog& d) {
            d.findChild<controls::ctlMaskEdBox*>(QStringLiteral("txtFechaI"))->setText(QStringLiteral("04/12/2026"));
            d.findChild<controls::ctlMaskEdBox*>(QStringLiteral("txtFechaF"))->setText(QStringLiteral("05/12/2026"));
            QTest::keyClick(d.findChild<controls::ctlArticulo*>(QStringLiteral("txtArticulo"))->codeField(), Qt::Key_Return);
            auto* g = d.findChild<Grid*>(QStringLiteral("grdTickets_Cajeros"));
            EXPECT_EQ(g->TextMatrix(1, 0), QStringLiteral("04/12/2026"));
            g->setRow(1); // a date row
            QTest::mouseClick(d.findChild<QPushButton*>(QString::fromLatin1(cancel ? "cmdCancelar" : "cmdAceptar")),
                              Qt::LeftButton);
            return d.result();
        });
        click("cmdBuscarCajero");
        EXPECT_EQ(ctl<controls::ctlUsuario>("txtUsuario")->Codigo(), 7);
        EXPECT_EQ(column(vsCab(), 0), (QStringList{"1", "2"}));
    }
}

TEST(TicketSearchDialog, RefusesReversedAndInvalidDates)
{
    test::TestDatabase db;
    installInHostContext(db);
    test::fillTicketFixture(db);
    test::ServiceDoubles services;
    frmVisorTickets_Buscar d;
    d.setCodigoAlmacen(1);
    auto* from = d.findChild<controls::ctlMaskEdBox*>(QStringLiteral("txtFechaI"));
    auto* to = d.findChild<controls::ctlMaskEdBox*>(QStringLiteral("txtFechaF"));
    auto* grid = d.findChild<Grid*>(QStringLiteral("grdTickets_Cajeros"));
    auto enter = [&] {
        QTest::keyClick(d.findChild<controls::ctlArticulo*>(QStringLiteral("txtArticulo"))->codeField(), Qt::Key_Return);
    };
    from->setText(QStringLiteral("05/12/2026"));
    to->setText(QStringLiteral("04/12/2026"));
    enter();
    EXPECT_EQ(services.messages->last()->text, QStringLiteral("La fecha inicial es posterior a la fecha final."));
    EXPECT_EQ(grid->Rows(), 1);
    to->setText(QStringLiteral("32/12/2026"));
    enter();
    EXPECT_EQ(services.messages->last()->text, QStringLiteral("Se esperaba fecha válida."));
    // With an article, only the days that sold it.
    to->setText(QStringLiteral("05/12/2026"));
    from->setText(QStringLiteral("01/12/2026"));
    auto* art = d.findChild<controls::ctlArticulo*>(QStringLiteral("txtArticulo"));
    art->setCodigo(103);
    enter();
    EXPECT_EQ(grid->Rows(), 3);
    EXPECT_EQ(grid->TextMatrix(1, 0), QStringLiteral("04/12/2026"));
    grid->setRow(2);
    QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdAceptar")), Qt::LeftButton);
    EXPECT_EQ(d.CodigoArticulo(), 103);
    EXPECT_EQ(d.Fecha(), test::kDay4);
    EXPECT_EQ(d.Caja(), 1);
    EXPECT_EQ(d.CodigoCajero(), 7);
    EXPECT_EQ(d.CodigoAlmacen(), 1);
}

TEST_F(TicketViewer, ReprintToFileWritesTheTextReceipt)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("copia.txt"));
    services.files->answers.push_back(file);
    services.modal->queue([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Imprimir Tickets"));
        d.findChild<controls::ctlDispositivo*>(QStringLiteral("cboDispositivo"))
            ->setValor(controls::ctlDispositivo::Fichero);
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdAceptar")), Qt::LeftButton);
        return d.result();
    });
    db.exec("INSERT INTO Tpv_Parametros (Cod_Empresa, Cod_Almacen, Codigo, Valor) VALUES (1, 1, 100, 'TIENDA CENTRO')");
    fill(1, "1", 7, "05/12/2026");
    search();
    click("cmdSiguiente");
    click("cmdImprimir");
    EXPECT_TRUE(services.messages->shown.empty()) << services.messages->texts().join('\n').toStdString();
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.startsWith(QString(28, QLatin1Char(' ')) + QStringLiteral("TIENDA CENTRO")));
    EXPECT_TRUE(text.contains(QStringLiteral("Ticket: 2                     Caja  : 00001")));
    EXPECT_TRUE(text.contains(QStringLiteral("Zumo de naranja")));
    EXPECT_FALSE(text.contains(QStringLiteral("Café molido")));
}

TEST_F(TicketViewer, ReprintWithoutTextReceiptSendsTheTicketDocumentToTheChosenFile)
{
    db.exec("INSERT INTO Tpv_Parametros (Cod_Empresa, Cod_Almacen, Codigo, Valor) VALUES (1, 1, 75, '0')");
    db.empresa().setRutaAplicacion(QStringLiteral(ZQVR_SOURCE_DIR)); // where Rpt/Ticket.rpt is
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("copia.pdf"));
    services.files->answers.push_back(file);
    services.modal->queue([](QDialog& d) {
        // The suite's own destination dialog, not one of the viewer's.
        EXPECT_NE(qobject_cast<reports::frmReport_Destino*>(&d), nullptr);
        d.findChild<controls::ctlDispositivo*>(QStringLiteral("cboDispositivo"))
            ->setValor(controls::ctlDispositivo::Fichero);
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdAceptar")), Qt::LeftButton);
        return d.result();
    });
    fill(1, "1", 7, "05/12/2026");
    search();
    click("cmdImprimir");
    EXPECT_TRUE(services.messages->shown.empty()) << services.messages->texts().join('\n').toStdString();
    EXPECT_EQ(services.files->asked, 1);
    EXPECT_TRUE(zqvr::test::pdfText(file).contains(QStringLiteral("COPIA DE TICKET")));
}

TEST_F(TicketViewer, CancelledFileChoicePrintsNothing)
{
    services.files->answers.push_back(QString());
    services.modal->queue([](QDialog& d) {
        d.findChild<controls::ctlDispositivo*>(QStringLiteral("cboDispositivo"))
            ->setValor(controls::ctlDispositivo::Fichero);
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdAceptar")), Qt::LeftButton);
        return d.result();
    });
    fill(1, "1", 7, "05/12/2026");
    search();
    click("cmdImprimir");
    EXPECT_EQ(services.files->asked, 1);
    EXPECT_TRUE(services.messages->shown.empty());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible() && w->objectName() == QLatin1String("TextPreview"));
}

TEST_F(TicketViewer, CancelledDestinationPrintsNothing)
{
    fill(1, "1", 7, "05/12/2026");
    search();
    click("cmdImprimir"); // no step queued: the destination dialog is cancelled
    EXPECT_EQ(services.modal->dialogsRun, (QStringList{"frmReport_Destino"}));
    EXPECT_EQ(services.files->asked, 0);
    EXPECT_TRUE(services.messages->shown.empty());
}

TEST_F(TicketViewer, EscapeClosesTheWindow)
{
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : form.get(), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->isLoaded());
}

} // namespace
