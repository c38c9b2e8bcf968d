// The ticket viewer on the demo data at one million tickets: listing the
// tickets of one day, till and cashier (the busiest one, grid fill included,
// through the real screen) and loading the lines of one ticket, each next
// to the bare SQL of the same statement on the same file (run, every column
// read, nothing else).
//
//   bench_ticket_viewer                     makes the data set in a temporary file (takes a while)
//   ZQVR_BENCH_DB=/path/tickets.db bench_ticket_viewer
//                                            reuses (or makes once) that file
#include "BenchMain.h"
#include "tickets/TicketStatements.h"
#include "tickets/TicketStore.h"
#include "tickets/frmVisorTickets.h"

#include "controls/Grid.h"
#include "controls/ctlCodePicker.h"
#include "controls/ctlMaskEdBox.h"
#include "controls/ctlTextBox.h"
#include "db/Connection.h"
#include "demo/DemoData.h"
#include "db/Schema.h"
#include "frame/HostContext.h"
#include "frame/Services.h"
#include "host/Empresa.h"

#include <QApplication>
#include <QPushButton>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

using namespace zqvr;

namespace {

struct Env {
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<db::Connection> conn;
    host::Empresa empresa;
    tickets::TicketFilter busiest;
    tickets::TicketKey oneTicket;
    long long listed = 0;
};

Env& env()
{
    static Env* e = [] {
        auto* e = new Env;
        QString path = qEnvironmentVariable("ZQVR_BENCH_DB");
        if (path.isEmpty()) {
            e->dir = std::make_unique<QTemporaryDir>();
            path = e->dir->filePath(QStringLiteral("tickets.db"));
        }
        const bool fresh = !QFile::exists(path);
        e->conn = db::Connection::open(QStringLiteral("sqlite:") + path);
        db::Schema::ensure(*e->conn);
        if (fresh) {
            std::fprintf(stderr, "making the demo data at 1,000,000 tickets in %s...\n", qPrintable(path));
            demo::DemoOptions o;
            o.tickets = 1000000;
            o.today = QDate(2026, 12, 6);
            demo::DemoData::generate(*e->conn, o);
            e->conn->execute(QStringLiteral("ANALYZE"));
        }
        auto rs = e->conn->query(QStringLiteral(
            "SELECT Cod_Empresa, Cod_Almacen, Caja, Cajero, Fecha, COUNT(*) AS n FROM TPV_Tickets"
            " GROUP BY Cod_Empresa, Cod_Almacen, Caja, Cajero, Fecha ORDER BY n DESC LIMIT 1"));
        e->busiest.empresa = rs.value(0).toInt();
        e->busiest.empresaClientes = e->busiest.empresa;
        e->busiest.almacen = rs.value(1).toInt();
        e->busiest.caja = rs.value(2).toInt();
        e->busiest.cajero = rs.value(3).toInt();
        e->busiest.fecha = rs.value(4).toDate();
        e->listed = rs.value(5).toLongLong();
        rs.close();
        auto t = e->conn->query(QStringLiteral("SELECT Codigo FROM TPV_Tickets WHERE Cod_Empresa = %1 AND Cod_Almacen = %2"
                                               " AND Caja = %3 AND Fecha = '%4' AND Cajero = %5 ORDER BY Codigo DESC LIMIT 1")
                                    .arg(e->busiest.empresa)
                                    .arg(e->busiest.almacen)
                                    .arg(e->busiest.caja)
                                    .arg(e->busiest.fecha.toString(Qt::ISODate))
                                    .arg(e->busiest.cajero));
        e->oneTicket = {e->busiest.empresa, e->busiest.almacen, e->busiest.caja, e->busiest.fecha, t.value(0).toInt()};
        e->empresa.setCodigoEmpresa(e->busiest.empresa);
        e->empresa.setEmpresaArticulos(e->busiest.empresa);
        e->empresa.setEmpresaClientes(e->busiest.empresa);
        e->empresa.setVariable(QStringLiteral("UsuarioActual"), 1);
        frame::HostContext::instance().setEmpresa(&e->empresa);
        frame::HostContext::instance().setConexion(e->conn.get());
        std::fprintf(stderr, "busiest day: warehouse %d, till %d, cashier %d, %s: %lld tickets\n", e->busiest.almacen,
                     e->busiest.caja, e->busiest.cajero, qPrintable(e->busiest.fecha.toString(Qt::ISODate)), e->listed);
        return e;
    }();
    return *e;
}

// The bare statement: run it and read every column of every row.
long long bare(const QString& sql)
{
    QSqlQuery q(env().conn->database());
    q.setForwardOnly(true);
    if (!q.exec(sql))
        std::abort();
    const int cols = q.record().count();
    long long n = 0;
    while (q.next()) {
        for (int c = 0; c < cols; ++c)
            benchmark::DoNotOptimize(q.value(c));
        ++n;
    }
    return n;
}

// Messages (there are none on a good search) never block.
class SilentMessages : public frame::MessageService {
public:
    frame::MsgResult show(const frame::Message& m) override { return m.defaultButton; }
};

// The viewer shown with the busiest day's warehouse, till, cashier and date typed in.
void showOnBusiestDay(tickets::frmVisorTickets& form, const Env& e)
{
    form.showForm(0);
    auto* almacen = form.findChild<controls::ctlAlmacen*>(QStringLiteral("txtAlmacen"));
    almacen->setCodigo(e.busiest.almacen);
    almacen->Cargar();
    form.findChild<controls::ctlTextBox*>(QStringLiteral("txtCaja"))->setText(QString::number(e.busiest.caja));
    auto* usuario = form.findChild<controls::ctlUsuario*>(QStringLiteral("txtUsuario"));
    usuario->setCodigo(e.busiest.cajero);
    usuario->Cargar();
    form.findChild<controls::ctlMaskEdBox*>(QStringLiteral("txtFecha"))->setFecha(e.busiest.fecha);
}

void BM_TicketList_Bare(benchmark::State& state)
{
    const QString sql = tickets::sql::ticketList(env().conn->dialect(), env().busiest);
    long long n = 0;
    for (auto _ : state)
        n = bare(sql);
    state.counters["rows"] = double(n);
}
BENCHMARK(BM_TicketList_Bare)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_TicketList_Store(benchmark::State& state)
{
    tickets::TicketStore store(*env().conn);
    for (auto _ : state)
        benchmark::DoNotOptimize(store.tickets(env().busiest));
}
BENCHMARK(BM_TicketList_Store)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_TicketList_Viewer(benchmark::State& state)
{
    Env& e = env();
    frame::Services::setMessages(std::make_shared<SilentMessages>());
    tickets::frmVisorTickets form;
    showOnBusiestDay(form, e);
    auto* articulo = form.findChild<controls::ctlArticulo*>(QStringLiteral("txtArticulo"));
    auto* grid = form.findChild<controls::Grid*>(QStringLiteral("vsCab"));
    for (auto _ : state) {
        QTest::keyClick(articulo->codeField(), Qt::Key_Return);
        QApplication::processEvents(); // the one repaint of the filled grid
    }
    state.counters["rows"] = double(grid->Rows() - 1);
    form.unloadForm();
    frame::Services::setMessages(nullptr);
}
BENCHMARK(BM_TicketList_Viewer)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_TicketLines_Bare(benchmark::State& state)
{
    const QString sql = tickets::sql::ticketLines(env().conn->dialect(), env().oneTicket, env().busiest.empresa);
    for (auto _ : state)
        benchmark::DoNotOptimize(bare(sql));
}
BENCHMARK(BM_TicketLines_Bare)->Unit(benchmark::kMicrosecond)->MinTime(1.0)->UseRealTime();

void BM_TicketLines_Store(benchmark::State& state)
{
    tickets::TicketStore store(*env().conn);
    for (auto _ : state)
        benchmark::DoNotOptimize(store.lines(env().oneTicket, env().busiest.empresa));
}
BENCHMARK(BM_TicketLines_Store)->Unit(benchmark::kMicrosecond)->MinTime(1.0)->UseRealTime();

// The lines as the viewer loads them: the first-ticket button reloads the
// lines grid of the first ticket of the busiest list each time.
void BM_TicketLines_Viewer(benchmark::State& state)
{
    Env& e = env();
    frame::Services::setMessages(std::make_shared<SilentMessages>());
    tickets::frmVisorTickets form;
    showOnBusiestDay(form, e);
    QTest::keyClick(form.findChild<controls::ctlArticulo*>(QStringLiteral("txtArticulo"))->codeField(), Qt::Key_Return);
    auto* primero = form.findChild<QPushButton*>(QStringLiteral("cmdPrimero"));
    auto* lineas = form.findChild<controls::Grid*>(QStringLiteral("vsLineas"));
    for (auto _ : state) {
        primero->click();
        QApplication::processEvents();
    }
    state.counters["lines"] = double(lineas->Rows() - 1);
    form.unloadForm();
    frame::Services::setMessages(nullptr);
}
BENCHMARK(BM_TicketLines_Viewer)->Unit(benchmark::kMicrosecond)->MinTime(1.0)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    // The demo data draws pictures and the viewer is a real window.
    return zqvr::bench::runBenchmarks<QApplication>(argc, argv);
}
