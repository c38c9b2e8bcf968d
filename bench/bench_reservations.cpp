// The reservations viewer on a month of 10,000 reservations: listing the
// month (grid fill included, through the real screen) and opening one
// reservation of 50 lines and 20 payments, each next to the bare SQL of the
// same statements on the same file (run, every column read, nothing else).
//
//   bench_reservations                        makes the data set in a temporary file
//   ZQVR_BENCH_DB=/path/res.db bench_reservations
//                                             reuses (or makes once) that file
#include "BenchMain.h"
#include "reservations/Reservation.h"
#include "reservations/ReservationStatements.h"
#include "reservations/ReservationStore.h"
#include "reservations/frmReservas_Visor.h"

#include "controls/Grid.h"
#include "controls/ctlMaskEdBox.h"
#include "controls/ctlTextBox.h"
#include "db/Connection.h"
#include "db/Schema.h"
#include "demo/DemoData.h"
#include "frame/HostContext.h"
#include "frame/Services.h"
#include "host/Empresa.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

using namespace zqvr;

namespace {

const QDate kMonthStart(2026, 11, 1);
const QDate kMonthEnd(2026, 11, 30);
constexpr int kReservations = 10000;
constexpr int kBig = 900000; // the reservation of 50 lines and 20 payments

struct Env {
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<db::Connection> conn;
    host::Empresa empresa;
    reservations::ReservationFilter month;
};

void exec(QSqlQuery& q)
{
    if (!q.exec()) {
        std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
        std::abort();
    }
}

// 10,000 reservations of company 1 made in November, 3 lines and 2 payments
// each, and one of 50 lines and 20 payments.
void makeMonth(db::Connection& conn)
{
    QSqlDatabase sdb = conn.database();
    sdb.transaction();
    QSqlQuery res(sdb), lin(sdb), his(sdb);
    res.prepare(QStringLiteral("INSERT INTO Reservas (Cod_Empresa, Codigo, Cod_Almacen, Fecha, Fecha_Ult_Modificacion,"
                               " Fecha_Vencimiento, Cod_Cliente, Nomb_Cliente, Agente, Cajero, Pendiente, Anulado,"
                               " Total_Entregado, Total_Ventas) VALUES (1, ?, ?, ?, ?, ?, ?, ?, 1, ?, ?, ?, ?, ?)"));
    lin.prepare(QStringLiteral("INSERT INTO Reservas_Lineas (Cod_Empresa, Codigo, Num_Linea, Cod_Articulo, Unidades, Pvp,"
                               " TipoImpuesto, Agente, Dto, Vendida) VALUES (1, ?, ?, ?, ?, ?, ?, 1, ?, ?)"));
    his.prepare(QStringLiteral("INSERT INTO Reservas_Historico (Cod_Empresa, Codigo, Num_Entrega, Fecha, Tipo_Pago,"
                               " Cantidad, Cod_Almacen, Venta) VALUES (1, ?, ?, ?, ?, ?, 1, ?)"));
    auto reservation = [&](int codigo, int nLines, int nMoves) {
        const QString day = kMonthStart.addDays(codigo % 30).toString(QStringLiteral("yyyy-MM-dd"));
        const int state = codigo % 10; // 0-5 open, 6-8 closed, 9 cancelled
        res.addBindValue(codigo);
        res.addBindValue(1 + codigo % 3);
        res.addBindValue(day);
        res.addBindValue(day + QStringLiteral(" 12:30:00"));
        res.addBindValue(kMonthEnd.addDays(30).toString(QStringLiteral("yyyy-MM-dd")));
        res.addBindValue(1 + codigo % 40);
        res.addBindValue(QStringLiteral("Cliente %1 Rodríguez Santana").arg(codigo));
        res.addBindValue(2 + codigo % 5);
        res.addBindValue(state <= 5 ? 1 : 0);
        res.addBindValue(state == 9 ? 1 : 0);
        res.addBindValue(10.0 * nMoves);
        res.addBindValue(state >= 6 ? 5.0 : 0.0);
        exec(res);
        for (int l = 1; l <= nLines; ++l) {
            for (const QVariant& v : QVariantList{codigo, l, 1001 + (codigo + l) % 60, 1 + l % 3, 2.5 + l % 7, l % 4,
                                                  l % 5 == 0 ? 10.0 : 0.0, l == 1 && state >= 6 ? 1 : 0})
                lin.addBindValue(v);
            exec(lin);
        }
        for (int m = 1; m <= nMoves; ++m) {
            for (const QVariant& v : QVariantList{codigo, m, day + QStringLiteral(" 10:00:00"), m % 5, 10.0, m % 7 == 0 ? 1 : 0})
                his.addBindValue(v);
            exec(his);
        }
    };
    for (int c = 1; c <= kReservations; ++c)
        reservation(500000 + c, 3, 2);
    reservation(kBig, 50, 20);
    sdb.commit();
}

Env& env()
{
    static Env* e = [] {
        auto* e = new Env;
        QString path = qEnvironmentVariable("ZQVR_BENCH_DB");
        if (path.isEmpty()) {
            e->dir = std::make_unique<QTemporaryDir>();
            path = e->dir->filePath(QStringLiteral("reservations.db"));
        }
        const bool fresh = !QFile::exists(path);
        e->conn = db::Connection::open(QStringLiteral("sqlite:") + path);
        db::Schema::ensure(*e->conn);
        if (fresh) {
            std::fprintf(stderr, "making the demo data with a month of %d reservations in %s...\n", kReservations,
                         qPrintable(path));
            demo::DemoOptions o;
            o.scale = 0.05;
            o.today = QDate(2026, 12, 6);
            demo::DemoData::generate(*e->conn, o);
            makeMonth(*e->conn);
            e->conn->execute(QStringLiteral("ANALYZE"));
        }
        e->empresa.setCodigoEmpresa(1);
        e->empresa.setEmpresaArticulos(1);
        e->empresa.setEmpresaClientes(1);
        e->empresa.setSumarImpuestos(true);
        e->empresa.setConexion(e->conn.get());
        e->empresa.setVariable(QStringLiteral("UsuarioActual"), 1);
        frame::HostContext::instance().setEmpresa(&e->empresa);
        frame::HostContext::instance().setConexion(e->conn.get());
        e->month.empresa = 1;
        e->month.desde = kMonthStart;
        e->month.hasta = kMonthEnd;
        e->month.estado = reservations::EstadoFiltro::Todas;
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

class SilentMessages : public frame::MessageService {
public:
    frame::MsgResult show(const frame::Message& m) override { return m.defaultButton; }
};

void BM_MonthList_Bare(benchmark::State& state)
{
    const QString sql = reservations::sql::reservationList(env().conn->dialect(), env().month);
    long long n = 0;
    for (auto _ : state)
        n = bare(sql);
    state.counters["rows"] = double(n);
}
BENCHMARK(BM_MonthList_Bare)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_MonthList_Store(benchmark::State& state)
{
    reservations::ReservationStore store(*env().conn);
    for (auto _ : state)
        benchmark::DoNotOptimize(store.list(env().month));
}
BENCHMARK(BM_MonthList_Store)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

// The month as the viewer lists it: Enter in the state list fills the grid
// (and loads the first reservation, as the user sees it).
void BM_MonthList_Viewer(benchmark::State& state)
{
    env();
    frame::Services::setMessages(std::make_shared<SilentMessages>());
    reservations::frmReservas_Visor form;
    form.showForm(0);
    form.findChild<controls::ctlMaskEdBox*>(QStringLiteral("txtFechaIni"))->setFecha(kMonthStart);
    form.findChild<controls::ctlMaskEdBox*>(QStringLiteral("txtFechaFin"))->setFecha(kMonthEnd);
    auto* cbo = form.findChild<QComboBox*>(QStringLiteral("cboEstado"));
    cbo->setCurrentText(QStringLiteral("TODAS"));
    auto* grid = form.findChild<controls::Grid*>(QStringLiteral("grdReservas"));
    for (auto _ : state) {
        QTest::keyClick(cbo, Qt::Key_Return);
        QApplication::processEvents(); // the one repaint of the filled grid
    }
    state.counters["rows"] = double(grid->Rows() - 1);
    form.unloadForm();
    frame::Services::setMessages(nullptr);
}
BENCHMARK(BM_MonthList_Viewer)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

// Opening the big reservation: header, customer, lines and movements.
void BM_OpenReservation_Bare(benchmark::State& state)
{
    const auto& d = env().conn->dialect();
    // The company object's two statements for the rates (regime, rates valid today) are among them.
    const QString today = d.date(QDate::currentDate());
    const QStringList sqls = {reservations::sql::reservationHeader(1, kBig), reservations::sql::intraCommunity(1, 1 + kBig % 40),
                              reservations::sql::reservationLines(d, 1, 1, kBig),
                              d.selectTop(1, QStringLiteral("Regimen_Impuesto FROM Almacenes WHERE Cod_Empresa =1 ORDER BY Codigo")),
                              QStringLiteral("SELECT Tipo, Imp_Valor FROM Igic_Tipos WHERE Cod_Empresa =1 AND FechaI <= ") +
                                  today + QStringLiteral(" AND FechaF >= ") + today,
                              reservations::sql::reservationMovements(1, kBig)};
    for (auto _ : state)
        for (const QString& s : sqls)
            benchmark::DoNotOptimize(bare(s));
}
BENCHMARK(BM_OpenReservation_Bare)->Unit(benchmark::kMicrosecond)->MinTime(1.0)->UseRealTime();

void BM_OpenReservation_Load(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(reservations::loadReservation(*env().conn, env().empresa, kBig));
}
BENCHMARK(BM_OpenReservation_Load)->Unit(benchmark::kMicrosecond)->MinTime(1.0)->UseRealTime();

// The reservation as the viewer opens it: Enter on its row of the list
// reloads the detail tab (header, both grids and the totals).
void BM_OpenReservation_Viewer(benchmark::State& state)
{
    env();
    frame::Services::setMessages(std::make_shared<SilentMessages>());
    reservations::frmReservas_Visor form;
    form.showForm(0);
    auto* numero = form.findChild<controls::ctlTextBox*>(QStringLiteral("txtReserva_Filtro"));
    numero->setText(QString::number(kBig));
    QTest::keyClick(numero, Qt::Key_Return);
    auto* grid = form.findChild<controls::Grid*>(QStringLiteral("grdReservas"));
    QTest::keyClick(grid, Qt::Key_Return); // to the detail tab
    auto* lines = form.findChild<controls::Grid*>(QStringLiteral("grdArticulos"));
    for (auto _ : state) {
        QTest::keyClick(grid, Qt::Key_Return);
        QApplication::processEvents();
    }
    state.counters["lines"] = double(lines->Rows() - 1);
    form.unloadForm();
    frame::Services::setMessages(nullptr);
}
BENCHMARK(BM_OpenReservation_Viewer)->Unit(benchmark::kMicrosecond)->MinTime(1.0)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return zqvr::bench::runBenchmarks<QApplication>(argc, argv);
}
