// The terminal monitor driven through its widgets: the board and its totals,
// the comparison fields, the refresh that keeps the place, errors, the
// Serial key, the right to remote access and the viewer's absence.
#include "component/ClassRegistry.h"
#include "controls/Grid.h"
#include "controls/ctlTextBox.h"
#include "frame/EntryClass.h"
#include "support/ScreenTest.h"
#include "terminals/RemoteViewer.h"
#include "terminals/frmVisorTpvs.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zqvr;
using controls::Grid;
using frame::MsgIcon;
using frame::MsgResult;
using terminals::frmVisorTpvs;

namespace {

const QDate kToday(2026, 12, 6); // a Sunday

class Monitor : public ::testing::Test {
protected:
    void SetUp() override { test::installInHostContext(db); }
    void TearDown() override { terminals::RemoteViewer::setLauncher(nullptr); }

    void terminal(int code, const QString& host, int company, int almacen, bool online, const char* serial = "SN")
    {
        db.exec(QStringLiteral("INSERT INTO TPVs (Codigo, Host, Descripcion, Empresa, EnLinea, Almacen, PostoServerOk,"
                               " Version, Serial) VALUES (%1, '%2', 'Caja %1', %3, %4, %5, %6, '4.12', '%7')")
                    .arg(code)
                    .arg(host)
                    .arg(company)
                    .arg(online ? 1 : 0)
                    .arg(almacen)
                    .arg(online ? 1 : 0)
                    .arg(QLatin1String(serial) + QString::number(code)));
    }
    void ticket(int almacen, int caja, const QDate& day, int number, double total, int company = 1)
    {
        db.exec(QStringLiteral("INSERT INTO TPV_Tickets (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Total)"
                               " VALUES (%1, %2, %3, %4, %5, %6)")
                    .arg(company)
                    .arg(almacen)
                    .arg(caja)
                    .arg(db.conn().dialect().date(day))
                    .arg(number)
                    .arg(total));
    }
    void daySales(int almacen, const QDate& day, double amount)
    {
        db.exec(QStringLiteral("INSERT INTO Articulos_Ventas_Dia (Cod_Empresa, Cod_Almacen, Fecha, Cod_Articulo,"
                               " Importe_Pvp) VALUES (1, %1, %2, 1, %3)")
                    .arg(almacen)
                    .arg(db.conn().dialect().date(day))
                    .arg(amount));
    }
    // Three terminals of company 1 (two on line), one of company 2.
    void smallChain()
    {
        terminal(1, "CAJA01", 1, 1, true);
        terminal(2, "CAJA02", 1, 1, false);
        db.conn().execute("UPDATE TPVs SET Descripcion = ? WHERE Codigo = 2", {QStringLiteral("Caja 2\tde la entrada")});
        terminal(32, "CAJA32", 1, 2, true);
        terminal(3, "OTRA03", 2, 1, true);
        ticket(1, 1, kToday, 1, 10.50);
        ticket(1, 1, kToday, 2, 1200.25);
        ticket(2, 32, kToday, 1, 4.75);
        ticket(1, 1, kToday.addDays(-1), 3, 99);
        ticket(1, 3, kToday, 4, 77, 2);
        db.exec("INSERT INTO Reservas (Cod_Empresa, Codigo, Cod_Almacen, Caja, Fecha, Anulado, Total_Entregado,"
                " Total_Pendiente) VALUES (1, 1, 1, 1, '2026-12-06', 0, 20, 30), (1, 2, 1, 1, '2026-12-06', 1, 5, 5)");
        db.exec("INSERT INTO Reservas_Historico (Cod_Empresa, Codigo, Num_Entrega, Fecha, Cantidad, Cod_Almacen, Caja,"
                " Venta) VALUES (1, 1, 1, '2026-12-06 10:00:00', 20, 1, 1, 0), (1, 1, 2, '2026-12-06 11:00:00', 8, 1, 1, 1)");
        // Queue: terminal 1 (Act bit 0) has taken one of three rows; terminal 32 (Act1 bit 0) two.
        db.exec("INSERT INTO Articulos_ToPos (Act, Act1) VALUES (1, 1), (0, 1), (0, 0)");
        daySales(1, QDate(2025, 12, 6), 100);  // a year ago (Saturday)
        daySales(2, QDate(2025, 12, 6), 23.5);
        daySales(1, QDate(2025, 12, 7), 250);  // nearest Sunday
        daySales(3, QDate(2025, 12, 7), 1000); // a warehouse without terminals of the company
    }

    void open()
    {
        form = std::make_unique<frmVisorTpvs>();
        form->setClock([this] { return today; });
        form->resize(900, 400);
        form->showForm(0);
    }
    template <class T = QWidget>
    T* ctl(const char* name)
    {
        T* w = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    Grid* grid() { return ctl<Grid>("vsGrid"); }
    QString text(const char* name) { return ctl<QLineEdit>(name)->text(); }
    QString label(const char* name) { return ctl<QLabel>(name)->text(); }
    // The grid row of a terminal code, -1 when absent.
    int rowOf(int code)
    {
        for (int r = 1; r < grid()->Rows(); ++r)
            if (grid()->TextMatrix(r, 0) == QString::number(code))
                return r;
        return -1;
    }

    test::ServiceDoubles services;
    test::TestDatabase db;
    QDate today = kToday;
    std::unique_ptr<frmVisorTpvs> form;
};

} // namespace

TEST_F(Monitor, NoTerminalsAtAllShowsTheMessageAndClosesTheScreen)
{
    open();
    ASSERT_NE(services.messages->last(), nullptr);
    EXPECT_EQ(services.messages->last()->text, "No hay TPVs dados de alta en este servidor.");
    EXPECT_EQ(services.messages->last()->caption, "¡ Atención !");
    EXPECT_EQ(services.messages->last()->icon, MsgIcon::Information);
    EXPECT_FALSE(form->isLoaded());
    EXPECT_FALSE(form->isVisible());
}

TEST_F(Monitor, BoardShowsEachTerminalsFiguresAndABoldMergedTotalsRow)
{
    smallChain();
    db.empresa().setIndicadorReservas("R");
    open();
    Grid* g = grid();
    EXPECT_EQ(form->windowTitle(), "Estado de los TPVs");
    ASSERT_EQ(g->Cols(), 12);
    const QStringList captions = {"Nº", "Nombre", "Descripción", "Ln", "Act", "Venta Día", "Cobro Res.",
                                  "Res. Nuevas", "Ventas Total", "Version", "Cola", "Serial"};
    for (int c = 0; c < 12; ++c)
        EXPECT_EQ(g->TextMatrix(0, c), captions[c]);
    // Company 1's three terminals in code order, the empty row, the totals.
    ASSERT_EQ(g->Rows(), 1 + 3 + 2);
    const QStringList first = {"1", "CAJA01", "Caja 1", "X", "X", "1.210,75", "20,00", "50,00", "1.260,75",
                               "4.12", "2", "SN1"};
    for (int c = 0; c < 12; ++c)
        EXPECT_EQ(g->TextMatrix(1, c), first[c]) << c;
    EXPECT_EQ(g->TextMatrix(2, 2), "Caja 2 de la entrada"); // a tab in a text stays in its cell
    EXPECT_EQ(g->TextMatrix(2, 3), "");   // off line
    EXPECT_EQ(g->TextMatrix(2, 10), "0"); // off line: no queue count
    EXPECT_EQ(g->TextMatrix(3, 0), "32");
    EXPECT_EQ(g->TextMatrix(3, 10), "1");
    EXPECT_EQ(g->TextMatrix(3, 5), "4,75");
    EXPECT_EQ(g->TextMatrix(4, 0), "");
    const int totals = 5;
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(g->TextMatrix(totals, c), "Total:");
    EXPECT_EQ(g->columnSpan(totals - 1, 0), 5);
    for (int c = 5; c < 12; ++c)
        EXPECT_EQ(g->columnSpan(totals - 1, c), 1);
    EXPECT_EQ(g->TextMatrix(totals, 5), "1.215,50");
    EXPECT_EQ(g->TextMatrix(totals, 6), "20,00");
    EXPECT_EQ(g->TextMatrix(totals, 7), "50,00");
    EXPECT_EQ(g->TextMatrix(totals, 8), "1.265,50");
    for (int c = 0; c < 12; ++c)
        EXPECT_TRUE(g->CellFontBold(totals, c));
    EXPECT_FALSE(g->CellFontBold(1, 0));
    EXPECT_EQ(text("txtTotal"), "1.215,50");
    EXPECT_FALSE(g->ColHidden(6));
    EXPECT_FALSE(g->ColHidden(7));
    // Mode 0: a year ago, and the nearest day with today's weekday.
    EXPECT_EQ(label("lblAnt1"), "(06/12/2025):");
    EXPECT_EQ(text("txtAnterior1"), "123,50");
    EXPECT_EQ(label("lblAnt"), "Año Anterior (07/12/2025):");
    EXPECT_EQ(text("txtAnterior"), "250,00");
    EXPECT_TRUE(ctl("txtAnterior1")->isVisible());
    EXPECT_TRUE(services.messages->shown.empty());
}

TEST_F(Monitor, WithoutReservationsTheirColumnsHideAndTotalSalesEqualDaySales)
{
    smallChain();
    open();
    Grid* g = grid();
    EXPECT_TRUE(g->ColHidden(6));
    EXPECT_TRUE(g->ColHidden(7));
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(g->TextMatrix(r, 8), g->TextMatrix(r, 5));
    EXPECT_EQ(g->TextMatrix(5, 8), g->TextMatrix(5, 5));
    // The two 0,00 totals stay two cells.
    EXPECT_EQ(g->TextMatrix(5, 6), g->TextMatrix(5, 7));
    EXPECT_EQ(g->columnSpan(4, 6), 1);
    EXPECT_EQ(g->columnSpan(4, 0), 5);
}

TEST_F(Monitor, ACompanyWithoutTerminalsShowsTheEmptyRowAndZeroTotals)
{
    terminal(3, "OTRA03", 2, 1, true);
    ticket(1, 3, kToday, 1, 77, 2);
    open();
    EXPECT_TRUE(services.messages->shown.empty());
    Grid* g = grid();
    ASSERT_EQ(g->Rows(), 3);
    EXPECT_EQ(g->TextMatrix(1, 0), "");
    EXPECT_EQ(g->TextMatrix(2, 0), "Total:");
    EXPECT_EQ(g->TextMatrix(2, 5), "0,00");
    EXPECT_EQ(g->TextMatrix(2, 8), "0,00");
    EXPECT_EQ(text("txtTotal"), "0,00");
}

TEST_F(Monitor, SameWeekModeShowsOneComparisonAndOtherModesNone)
{
    smallChain();
    db.empresa().setVariable("Tpv_ModoOpVtasEstadoTpvs", "1");
    // Sunday of week 49 of 2026 -> Sunday of week 49 of 2025.
    open();
    EXPECT_EQ(label("lblAnt"), "Mismo Día Semana Año Anterior (07/12/2025):");
    EXPECT_EQ(text("txtAnterior"), "250,00");
    EXPECT_FALSE(ctl("txtAnterior1")->isVisible());
    EXPECT_FALSE(ctl("lblAnt1")->isVisible());
    form->unloadForm();

    db.empresa().setVariable("Tpv_ModoOpVtasEstadoTpvs", "7");
    open();
    EXPECT_EQ(text("txtAnterior"), "0,00");
    EXPECT_EQ(text("txtAnterior1"), "0,00");
    EXPECT_EQ(label("lblAnt"), "Año Anterior:");
    form->unloadForm();

    // Back to mode 0 on the same screen object: both fields again.
    db.empresa().setVariable("Tpv_ModoOpVtasEstadoTpvs", "");
    form->showForm(0);
    EXPECT_TRUE(ctl("txtAnterior1")->isVisible());
    EXPECT_EQ(label("lblAnt"), "Año Anterior (07/12/2025):");
}

TEST_F(Monitor, ARefreshKeepsTheSelectedRowAndTheTopRow)
{
    for (int code = 1; code <= 80; ++code)
        terminal(code, QStringLiteral("PC%1").arg(code), 1, 1, code % 3 != 0);
    open();
    auto* timer = form->findChild<QTimer*>("Timer");
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 5000);
    Grid* g = grid();
    // A row selected, then the list scrolled on (the selection out of sight).
    g->setRow(40);
    g->setTopRow(30);
    ASSERT_EQ(g->TopRow(), 30);
    ASSERT_EQ(g->Row(), 40);
    ticket(1, 40, kToday, 1, 5); // the figures move between ticks
    form->Refrescar();
    EXPECT_EQ(g->Row(), 40);
    EXPECT_EQ(g->TopRow(), 30);
    EXPECT_EQ(g->TextMatrix(40, 5), "5,00");
    form->unloadForm();
    EXPECT_FALSE(timer->isActive());
}

TEST_F(Monitor, ARefreshErrorIsReportedAndTheNextTickRefreshesAgain)
{
    smallChain();
    open();
    db.exec("ALTER TABLE TPV_Tickets RENAME TO TPV_Tickets_Aparte");
    form->Refrescar();
    ASSERT_NE(services.messages->last(), nullptr);
    EXPECT_EQ(services.messages->last()->caption, "¡ Atención !");
    db.exec("ALTER TABLE TPV_Tickets_Aparte RENAME TO TPV_Tickets");
    services.messages->shown.clear();
    form->Refrescar();
    EXPECT_TRUE(services.messages->shown.empty());
    EXPECT_EQ(grid()->TextMatrix(1, 5), "1.210,75");
}

TEST_F(Monitor, TheDayRollsOverAtTheNextTick)
{
    smallChain();
    open();
    ticket(1, 1, kToday.addDays(1), 9, 3);
    today = kToday.addDays(1);
    form->Refrescar();
    EXPECT_EQ(grid()->TextMatrix(1, 5), "3,00");
    EXPECT_EQ(label("lblAnt1"), "(07/12/2025):");
    EXPECT_EQ(label("lblAnt"), "Año Anterior (08/12/2025):");
}

TEST_F(Monitor, ModifiedF8ShowsAndHidesTheSerialColumn)
{
    smallChain();
    open();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_FALSE(grid()->ColHidden(11));
    QTest::keyClick(grid(), Qt::Key_F8, Qt::ShiftModifier);
    EXPECT_TRUE(grid()->ColHidden(11));
    QTest::keyClick(grid(), Qt::Key_F8, Qt::ControlModifier);
    EXPECT_FALSE(grid()->ColHidden(11));
    QTest::keyClick(grid(), Qt::Key_F8, Qt::AltModifier);
    EXPECT_TRUE(grid()->ColHidden(11));
    QTest::keyClick(grid(), Qt::Key_F8);
    EXPECT_TRUE(grid()->ColHidden(11));
}

TEST_F(Monitor, RemoteAccessOnlyForHoldersOfRightFive)
{
    smallChain();
    open(); // user 1 without rights
    EXPECT_FALSE(ctl("cmdAccRemoto")->isVisible());
    form->unloadForm();
    db.exec("INSERT INTO SGD_Usuarios_Derechos (Cod_Usuario, Derecho) VALUES (1, 4), (1, 6)");
    open();
    EXPECT_FALSE(ctl("cmdAccRemoto")->isVisible());
    form->unloadForm();
    db.exec("INSERT INTO SGD_Usuarios_Derechos (Cod_Usuario, Derecho) VALUES (1, 5)");
    open();
    EXPECT_TRUE(ctl("cmdAccRemoto")->isVisible());
    EXPECT_EQ(ctl<QPushButton>("cmdAccRemoto")->text(), "Acceso Remoto...");
}

TEST_F(Monitor, RemoteAccessWithoutAViewerSaysSoAndStaysOpen)
{
    smallChain();
    db.exec("INSERT INTO SGD_Usuarios_Derechos (Cod_Usuario, Derecho) VALUES (1, 5)");
    QTemporaryDir host, emptyPath;
    db.empresa().setRutaAplicacion(host.path());
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", emptyPath.path().toLocal8Bit());
    open();
    grid()->setRow(3);
    services.messages->queueAnswer(MsgResult::Yes);
    QTest::mouseClick(ctl<QPushButton>("cmdAccRemoto"), Qt::LeftButton);
    qputenv("PATH", oldPath);
    ASSERT_EQ(services.messages->shown.size(), 2u);
    const frame::Message& question = services.messages->shown[0];
    EXPECT_EQ(question.text, "Esta operación puede afectar el rendimiento del TPV. ¿Esta seguro que desea continuar?");
    EXPECT_EQ(question.caption, "¡ Atención !");
    EXPECT_EQ(question.buttons, frame::MsgButtons::YesNo);
    EXPECT_EQ(question.defaultButton, MsgResult::No);
    EXPECT_EQ(services.messages->shown[1].text, "No se encuentra VNCViewer.exe en el directorio de ejecución");
    EXPECT_EQ(services.messages->shown[1].caption, "Imposible continuar");
    EXPECT_EQ(services.messages->shown[1].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(form->isLoaded());
}

TEST_F(Monitor, RemoteAccessStartsTheViewerOnTheSelectedTerminalAndCloses)
{
    smallChain();
    db.exec("INSERT INTO SGD_Usuarios_Derechos (Cod_Usuario, Derecho) VALUES (1, 5)");
    QTemporaryDir host;
    {
        QFile viewer(QDir(host.path()).filePath("vncviewer"));
        ASSERT_TRUE(viewer.open(QIODevice::WriteOnly));
        viewer.write("#!/bin/sh\n");
        viewer.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    db.empresa().setRutaAplicacion(host.path());
    QStringList started;
    terminals::RemoteViewer::setLauncher([&](const QString& program, const QStringList& args, qint64* pid) {
        started = QStringList{program} + args;
        *pid = 0;
        return true;
    });
    open();
    // No answer but the default: No starts nothing.
    grid()->setRow(3);
    QTest::mouseClick(ctl<QPushButton>("cmdAccRemoto"), Qt::LeftButton);
    EXPECT_TRUE(started.isEmpty());
    EXPECT_TRUE(form->isLoaded());
    // The totals row names no terminal.
    grid()->setRow(5);
    services.messages->shown.clear();
    QTest::mouseClick(ctl<QPushButton>("cmdAccRemoto"), Qt::LeftButton);
    EXPECT_TRUE(started.isEmpty());
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_EQ(services.messages->shown[0].caption, "¡ Atención !");

    grid()->setRow(3);
    services.messages->queueAnswer(MsgResult::Yes);
    QTest::mouseClick(ctl<QPushButton>("cmdAccRemoto"), Qt::LeftButton);
    ASSERT_FALSE(started.isEmpty());
    EXPECT_EQ(started.first(), QDir(host.path()).filePath("vncviewer"));
    EXPECT_EQ(started.last(), "CAJA32");
    EXPECT_FALSE(form->isLoaded());
}

TEST_F(Monitor, TheEntryClassOpensTheMonitorAndSalirClosesIt)
{
    smallChain();
    std::unique_ptr<QObject> entry(component::ClassRegistry::instance().create("ZQVRTpvs.frmclsVisorTpvs"));
    ASSERT_NE(entry, nullptr);
    entry->setProperty("EmpresaBrevanto", QVariant::fromValue<QObject*>(&db.empresa()));
    entry->setProperty("ConexionBrevanto", QVariant::fromValue<QObject*>(&db.conn()));
    auto* launcher = qobject_cast<frame::EntryClass*>(entry.get());
    ASSERT_NE(launcher, nullptr);
    frame::Form* screen = launcher->screen();
    ASSERT_NE(screen, nullptr) << "the screen is made with the entry object";
    ASSERT_TRUE(QMetaObject::invokeMethod(entry.get(), "Show", Q_ARG(int, 0), Q_ARG(QObject*, nullptr)));
    EXPECT_EQ(screen->objectName(), "frmVisorTpvs");
    EXPECT_TRUE(screen->isVisible());
    auto* timer = screen->findChild<QTimer*>("Timer");
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    screen->findChild<QPushButton*>(QStringLiteral("cmdSalir"))->click();
    EXPECT_FALSE(screen->isVisible());
    EXPECT_FALSE(timer->isActive());
}
