// One refresh of the terminal monitor on a chain-sized database: the demo
// data at a million tickets, 200 terminals of one company (150 on line) and
// 100,000 rows in the article queue, in a temporary file.
//
// Reported next to the refresh:
//   bare_ms       the same statements run bare on the same connection (plain
//                 QSqlQuery, every value read), and ratio_to_bare;
//   per_terminal_ms  the figures read with three or four statements per
//                 terminal, as the board was first specified, and speedup.
// Times are wall times; the *_cpu_ms counters are the process's CPU time,
// and the ratios are taken from those, so that a busy machine does not
// distort them.
//
//   bench_monitor --benchmark_filter=Board      the window's whole tick (figures and board)
//   bench_monitor --benchmark_filter=CaughtUp   terminals taking the queue in order (the usual case)
//   bench_monitor --benchmark_filter=Scattered  every pending row with its own random bits (worst case)
#include "BenchMain.h"
#include "db/Connection.h"
#include "demo/DemoData.h"
#include "db/Error.h"
#include "db/Schema.h"
#include "db/SqlLiteral.h"
#include "frame/HostContext.h"
#include "host/Empresa.h"
#include "terminals/TerminalStatus.h"
#include "terminals/frmVisorTpvs.h"

#include <QElapsedTimer>
#include <QApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <ctime>
#include <memory>
#include <random>

using namespace zqvr;
using db::sqlInt;
using terminals::TerminalStatus;
using terminals::TerminalStatusReader;

namespace {

const QDate kToday(2026, 12, 6);
constexpr int kCompany = 1;
constexpr int kTerminals = 200;
constexpr int kOnline = 150;
constexpr int kQueueRows = 100000;

struct Database {
    std::unique_ptr<db::Connection> conn;
};

// The demo data at a million tickets. Making it takes minutes, so the file
// is kept for the next run: $ZQVR_BENCH_DIR/monitor-1m.db (the system's
// temporary folder by default). Delete it to make it again.
Database& demo()
{
    static Database* d = [] {
        auto* made = new Database;
        const QString folder = qEnvironmentVariableIsEmpty("ZQVR_BENCH_DIR") ? QDir::tempPath()
                                                                             : qEnvironmentVariable("ZQVR_BENCH_DIR");
        const QString path = QDir(folder).filePath("monitor-1m.db");
        const QString ready = path + ".ready";
        if (!QFileInfo::exists(ready))
            QFile::remove(path);
        made->conn = db::Connection::open("sqlite:" + path);
        db::Schema::ensure(*made->conn);
        if (!QFileInfo::exists(ready)) {
            demo::DemoOptions o;
            o.tickets = 1000000;
            o.scale = double(o.tickets) / demo::DemoData::ticketsPerScale;
            o.today = kToday;
            QElapsedTimer t;
            t.start();
            demo::DemoData::generate(*made->conn, o);
            std::fprintf(stderr, "demo data at 1,000,000 tickets made in %.1f s (%s)\n", t.nsecsElapsed() / 1e9,
                         qPrintable(path));
            QFile mark(ready);
            mark.open(QIODevice::WriteOnly);
        }
        return made;
    }();
    return *d;
}

// CPU time of the process: the machine may be shared, so wall time alone
// says little about the refresh itself.
double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + ts.tv_nsec / 1e9;
}

// 200 terminals of the company spread over its warehouses, taking over the
// tills of the demo terminals so that today's tickets land on them.
void arrangeTerminals(db::Connection& c)
{
    std::vector<int> warehouses;
    for (db::RecordSet rs = c.query("SELECT Codigo FROM Almacenes WHERE Cod_Empresa = " + sqlInt(kCompany) +
                                    " ORDER BY Codigo");
         !rs.eof(); rs.moveNext())
        warehouses.push_back(rs.value(0).toInt());
    c.beginTrans();
    c.execute("DELETE FROM TPVs");
    for (int code = 1; code <= kTerminals; ++code)
        c.execute(QStringLiteral("INSERT INTO TPVs (Codigo, Host, Descripcion, Empresa, EnLinea, Almacen, PostoServerOk,"
                                 " Version, Serial) VALUES (%1, 'TPV%1', 'Caja %1', %2, %3, %4, 1, '4.12.3', 'KV-%1')")
                      .arg(code)
                      .arg(kCompany)
                      .arg(code <= kOnline ? 1 : 0)
                      .arg(warehouses[size_t(code) % warehouses.size()]));
    c.commitTrans();
}

// The article queue. CaughtUp: each on-line terminal has taken every row up
// to its own position (most are near the end, a few far behind), the way
// terminals work through the queue. Scattered: the newest 20% of the rows
// carry random bits each.
void arrangeQueue(db::Connection& c, bool scattered)
{
    std::mt19937 rng(7);
    std::vector<int> taken(kTerminals + 1, 0);
    for (int t = 1; t <= kOnline; ++t)
        taken[size_t(t)] = t % 30 == 0 ? int(rng() % kQueueRows) : kQueueRows - int(rng() % 400);
    c.beginTrans();
    c.execute("DELETE FROM Articulos_ToPos");
    QSqlQuery q(c.database());
    q.prepare("INSERT INTO Articulos_ToPos (Cod_Empresa, Cod_Articulo, Fecha, Act, Act1, Act2, Act3, Act4, Act5, Act6,"
              " Act7, Act8, Act9, Act10) VALUES (1, ?, '2026-12-06 10:00:00', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (int row = 0; row < kQueueRows; ++row) {
        std::array<qint64, 11> act{};
        for (int t = 1; t <= kTerminals; ++t) {
            const bool has = scattered && row >= kQueueRows * 8 / 10 ? (rng() & 1) : row < taken[size_t(t)];
            if (has)
                act[size_t((t - 1) / 31)] |= qint64(1) << ((t - 1) % 31);
        }
        q.bindValue(0, 1000 + row % 5000);
        for (int k = 0; k < 11; ++k)
            q.bindValue(k + 1, act[size_t(k)]);
        if (!q.exec())
            throw Error(errc::Database, q.lastError().text());
    }
    c.commitTrans();
}

struct Timing {
    double wall = 0, cpu = 0;
    void add(const Timing& o) { wall += o.wall; cpu += o.cpu; }
};

// The statements of a refresh run bare: every row read, every value taken.
Timing bareSeconds(db::Connection& c, const TerminalStatusReader& reader, const QString& queueSql)
{
    const QStringList statements = {reader.terminalsSql(), "SELECT * FROM Articulos_ToPos WHERE 1 = 0",
                                    reader.salesSql(kToday), reader.collectionsSql(kToday),
                                    reader.newReservationsSql(kToday), queueSql};
    QElapsedTimer t;
    t.start();
    const double cpu0 = cpuSeconds();
    for (const QString& sql : statements) {
        QSqlQuery q(c.database());
        q.setForwardOnly(true);
        if (!q.exec(sql))
            throw Error(errc::Database, q.lastError().text());
        const int n = q.record().count();
        while (q.next())
            for (int i = 0; i < n; ++i)
                benchmark::DoNotOptimize(q.value(i));
    }
    return {t.nsecsElapsed() / 1e9, cpuSeconds() - cpu0};
}

// The queue statement of a refresh, as the reader builds it for the on-line terminals.
QString queueStatement(const TerminalStatusReader& reader)
{
    std::vector<qint64> masks(11, 0);
    for (int t = 1; t <= kOnline; ++t)
        masks[size_t((t - 1) / 31)] |= qint64(1) << ((t - 1) % 31);
    return reader.queueSql(masks);
}

// The figures read per terminal: sales, two reservation figures and, on
// line, the queue count, one statement each.
Timing perTerminalSeconds(db::Connection& c)
{
    const db::Dialect& d = c.dialect();
    const QString day = d.date(kToday);
    QElapsedTimer t;
    t.start();
    const double cpu0 = cpuSeconds();
    for (db::RecordSet rs = c.query("SELECT * FROM TPVS WHERE Empresa =" + sqlInt(kCompany)); !rs.eof(); rs.moveNext()) {
        const QString codigo = sqlInt(rs["Codigo"].toInt());
        const QString almacen = sqlInt(rs["Almacen"].toInt());
        benchmark::DoNotOptimize(c.scalar("SELECT " + d.isNull("SUM(Total)", "0") +
                                          " AS Total FROM TPV_Tickets WHERE Cod_Empresa =" + sqlInt(kCompany) +
                                          " AND Cod_Almacen =" + almacen + " AND Caja =" + codigo +
                                          " AND Fecha =" + day));
        benchmark::DoNotOptimize(c.scalar("SELECT " + d.isNull("SUM(Cantidad)", "0") +
                                          " AS Cantidad FROM Reservas_Historico WHERE Cod_Empresa = " +
                                          sqlInt(kCompany) + " AND Caja = " + codigo + " AND Cod_Almacen = " +
                                          almacen + " AND Fecha >= " + day + " AND Fecha < " + d.dateAdd("d", 1, day) +
                                          " AND Venta = 0"));
        benchmark::DoNotOptimize(c.scalar("SELECT " + d.isNull("SUM(Total_Entregado+Total_Pendiente)", "0") +
                                          " AS Total FROM Reservas WHERE Cod_Empresa = " + sqlInt(kCompany) +
                                          " AND Caja = " + codigo + " AND Cod_Almacen = " + almacen +
                                          " AND Fecha = " + day + " AND Anulado = 0"));
        if (rs["EnLinea"].toBool()) {
            const int n = rs["Codigo"].toInt() - 1;
            const QString column = n / 31 ? QStringLiteral("Act%1").arg(n / 31) : QStringLiteral("Act");
            benchmark::DoNotOptimize(c.scalar("SELECT Count(*) FROM Articulos_ToPos WHERE (" + column + " & " +
                                              sqlInt(qint64(1) << (n % 31)) + ") = 0"));
        }
    }
    return {t.nsecsElapsed() / 1e9, cpuSeconds() - cpu0};
}

void runRefresh(benchmark::State& state, bool scattered)
{
    db::Connection& c = *demo().conn;
    arrangeTerminals(c);
    arrangeQueue(c, scattered);
    const TerminalStatusReader reader(c, kCompany, true);
    Timing tick;
    long long pending = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        const double cpu0 = cpuSeconds();
        const std::vector<TerminalStatus> rows = reader.read(kToday);
        tick.add({t.nsecsElapsed() / 1e9, cpuSeconds() - cpu0});
        pending = 0;
        for (const TerminalStatus& r : rows)
            pending += r.cola.value_or(0);
        benchmark::DoNotOptimize(rows.data());
    }
    const double n = double(state.iterations());
    Timing bare;
    const int bareRuns = int(std::max<benchmark::IterationCount>(3, state.iterations()));
    for (int i = 0; i < bareRuns; ++i)
        bare.add(bareSeconds(c, reader, queueStatement(reader)));
    const Timing perTerminal = perTerminalSeconds(c);
    state.counters["tick_ms"] = benchmark::Counter(1000 * tick.wall / n);
    state.counters["tick_cpu_ms"] = benchmark::Counter(1000 * tick.cpu / n);
    state.counters["bare_ms"] = benchmark::Counter(1000 * bare.wall / bareRuns);
    state.counters["bare_cpu_ms"] = benchmark::Counter(1000 * bare.cpu / bareRuns);
    state.counters["ratio_to_bare"] = benchmark::Counter((tick.cpu / n) / (bare.cpu / bareRuns));
    state.counters["per_terminal_ms"] = benchmark::Counter(1000 * perTerminal.wall);
    state.counters["per_terminal_cpu_ms"] = benchmark::Counter(1000 * perTerminal.cpu);
    state.counters["speedup"] = benchmark::Counter(perTerminal.cpu / (tick.cpu / n));
    state.counters["pending_rows"] = benchmark::Counter(double(pending));
}

// The whole tick of the window: figures read and the board filled, the
// selection and scroll position kept.
void BM_MonitorBoardTickCaughtUp(benchmark::State& state)
{
    db::Connection& c = *demo().conn;
    arrangeTerminals(c);
    arrangeQueue(c, false);
    host::Empresa empresa;
    empresa.setCodigoEmpresa(kCompany);
    empresa.setIndicadorReservas(QStringLiteral("R"));
    empresa.setVariable(QStringLiteral("UsuarioActual"), 0);
    frame::HostContext::instance().setEmpresa(&empresa);
    frame::HostContext::instance().setConexion(&c);
    terminals::frmVisorTpvs board;
    board.setClock([] { return kToday; });
    board.showForm(0);
    Timing tick;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        const double cpu0 = cpuSeconds();
        board.Refrescar();
        tick.add({t.nsecsElapsed() / 1e9, cpuSeconds() - cpu0});
    }
    board.unloadForm();
    const double n = double(state.iterations());
    const TerminalStatusReader reader(c, kCompany, true);
    Timing bare;
    for (int i = 0; i < 3; ++i)
        bare.add(bareSeconds(c, reader, queueStatement(reader)));
    state.counters["tick_ms"] = benchmark::Counter(1000 * tick.wall / n);
    state.counters["tick_cpu_ms"] = benchmark::Counter(1000 * tick.cpu / n);
    state.counters["bare_cpu_ms"] = benchmark::Counter(1000 * bare.cpu / 3);
    state.counters["ratio_to_bare"] = benchmark::Counter((tick.cpu / n) / (bare.cpu / 3));
}
BENCHMARK(BM_MonitorBoardTickCaughtUp)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_MonitorRefreshCaughtUp(benchmark::State& state) { runRefresh(state, false); }
BENCHMARK(BM_MonitorRefreshCaughtUp)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_MonitorRefreshScattered(benchmark::State& state) { runRefresh(state, true); }
BENCHMARK(BM_MonitorRefreshScattered)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return zqvr::bench::runBenchmarks<QApplication>(argc, argv);
}
