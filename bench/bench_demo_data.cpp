// How fast the demo data set is written, next to the bare SQL of the same
// size on the same connection: a plain prepared INSERT loop of as many rows
// into a copy of the ticket-line table (same key and index), in one
// transaction with the same SQLite settings.
//
//   bench_demo_data --benchmark_filter=Small      the demo host's set (scale 1), in memory
//   bench_demo_data --benchmark_filter=Million    1,000,000 tickets into a temporary file
#include "BenchMain.h"
#include "db/Connection.h"
#include "demo/DemoData.h"
#include "db/Error.h"
#include "db/Schema.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>

using namespace zqvr;

namespace {

struct Timed {
    long long rows = 0;
    double seconds = 0;
};

void check(bool ok, const QSqlQuery& q)
{
    if (!ok)
        throw Error(errc::Database, q.lastError().text());
}

// The bare SQL: rows inserted with one prepared statement and bound values.
Timed bareInsert(db::Connection& c, long long rows)
{
    c.execute("DROP TABLE IF EXISTS Bench_Lineas");
    c.execute("CREATE TABLE Bench_Lineas (Cod_Empresa INTEGER NOT NULL, Cod_Almacen INTEGER NOT NULL, Caja INTEGER NOT NULL,"
              " Fecha TEXT NOT NULL, Codigo INTEGER NOT NULL, Num_Linea INTEGER NOT NULL, Cod_Articulo INTEGER, PVP REAL,"
              " Cantidad REAL, Dto REAL, Costo REAL, PM INTEGER, Promocion INTEGER, PA INTEGER, TipoImpuesto INTEGER,"
              " PRIMARY KEY (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Num_Linea))");
    c.execute("CREATE INDEX IX_Bench_Lineas ON Bench_Lineas (Cod_Articulo, Cod_Empresa, Cod_Almacen, Fecha)");
    const QString fecha = QStringLiteral("2026-12-06");
    QElapsedTimer t;
    t.start();
    c.beginTrans();
    {
        QSqlQuery q(c.database());
        check(q.prepare("INSERT INTO Bench_Lineas VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"), q);
        for (long long i = 0; i < rows; ++i) {
            q.bindValue(0, 1);
            q.bindValue(1, 1);
            q.bindValue(2, 1);
            q.bindValue(3, fecha);
            q.bindValue(4, i / 3);
            q.bindValue(5, int(i % 3) + 1);
            q.bindValue(6, int((i * 7919) % 800) + 1001);
            q.bindValue(7, 1.95);
            q.bindValue(8, 1.0);
            q.bindValue(9, 0.0);
            q.bindValue(10, 1.1);
            q.bindValue(11, 0);
            q.bindValue(12, 0);
            q.bindValue(13, 0);
            q.bindValue(14, 1);
            check(q.exec(), q);
        }
    }
    c.commitTrans();
    Timed r{rows, t.nsecsElapsed() / 1e9};
    c.execute("DROP TABLE Bench_Lineas");
    return r;
}

void report(benchmark::State& state, long long rows, long long tickets, const Timed& gen, const Timed& bare)
{
    state.counters["rows"] = benchmark::Counter(double(rows));
    state.counters["rows_per_s"] = benchmark::Counter(double(rows), benchmark::Counter::kIsRate);
    state.counters["tickets_per_s"] = benchmark::Counter(double(tickets), benchmark::Counter::kIsRate);
    state.counters["bare_rows_per_s"] = benchmark::Counter(bare.rows / bare.seconds);
    // How many times slower than the bare INSERT loop the generator writes a row.
    state.counters["ratio_to_bare"] = benchmark::Counter((gen.seconds / gen.rows) / (bare.seconds / bare.rows));
}

void BM_DemoSmallInMemory(benchmark::State& state)
{
    long long rows = 0, tickets = 0;
    Timed gen, bare;
    for (auto _ : state) {
        state.PauseTiming();
        auto c = db::Connection::open("sqlite::memory:");
        db::Schema::ensure(*c);
        demo::DemoOptions o;
        o.scale = 1.0;
        o.today = QDate(2026, 12, 6);
        state.ResumeTiming();

        QElapsedTimer t;
        t.start();
        const demo::DemoSummary s = demo::DemoData::generate(*c, o);
        gen.seconds += t.nsecsElapsed() / 1e9;
        gen.rows += s.rows;
        rows += s.rows;
        tickets += s.tickets;

        state.PauseTiming();
        const Timed b = bareInsert(*c, s.rows);
        bare.rows += b.rows;
        bare.seconds += b.seconds;
        c.reset();
        state.ResumeTiming();
    }
    report(state, rows, tickets, gen, bare);
}
BENCHMARK(BM_DemoSmallInMemory)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_DemoMillionTicketsFile(benchmark::State& state)
{
    long long rows = 0, tickets = 0;
    Timed gen, bare;
    double countSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        auto c = db::Connection::open("sqlite:" + dir.filePath("million.db"));
        db::Schema::ensure(*c);
        demo::DemoOptions o;
        o.tickets = 1000000;
        o.scale = double(o.tickets) / demo::DemoData::ticketsPerScale;
        o.today = QDate(2026, 12, 6);
        state.ResumeTiming();

        QElapsedTimer t;
        t.start();
        const demo::DemoSummary s = demo::DemoData::generate(*c, o);
        gen.seconds += t.nsecsElapsed() / 1e9;
        gen.rows += s.rows;
        rows += s.rows;
        tickets += s.tickets;

        state.PauseTiming();
        // A read of the whole ticket table on the same connection...
        t.restart();
        const double total = c->scalar("SELECT SUM(Total) FROM TPV_Tickets").toDouble();
        countSeconds += t.nsecsElapsed() / 1e9;
        benchmark::DoNotOptimize(total);
        // ...and the bare INSERT loop of as many rows, with the settings the
        // generator uses for big sets.
        c->execute("PRAGMA synchronous = OFF");
        c->scalar("PRAGMA journal_mode = MEMORY");
        c->execute("PRAGMA cache_size = -262144");
        const Timed b = bareInsert(*c, s.rows);
        bare.rows += b.rows;
        bare.seconds += b.seconds;
        c.reset();
        state.ResumeTiming();
    }
    report(state, rows, tickets, gen, bare);
    state.counters["sum_tickets_ms"] = benchmark::Counter(1000.0 * countSeconds / double(state.iterations()));
}
BENCHMARK(BM_DemoMillionTicketsFile)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return zqvr::bench::runBenchmarks<QGuiApplication>(argc, argv);
}
