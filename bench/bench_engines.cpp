// Four everyday measures on both engines a site runs the component on: the
// embedded file and a database server (PostgreSQL, reached the way a SQL
// Server site is reached: unixODBC, the engine's ODBC driver and Qt's QODBC).
// Each measure times the bare statements (plain QSqlQuery, every value of
// every row read), the store or reader that runs them, and the screen the user
// waits for, on the same connection and in the same iterations, rotating which
// of the three goes first:
//
//   TicketList      the ticket viewer's search of the busiest day, till and
//                   cashier, grid filled and painted
//   MonitorTick     one refresh of the terminal monitor: 200 terminals, 150 on
//                   line, 100,000 rows in the article queue
//   ParametersSave  the parameters window saving the general scope of a
//                   warehouse (clean-up, delete, inserts, one transaction)
//   MessagesList    the message manager listing 10,000 messages and the
//                   first one's warehouses
//
// The data set is the demo data at a million tickets with those terminals,
// queue rows and messages added. It is made once and kept: on the file in
// $ZQVR_BENCH_DIR (the temporary folder by default), on the server as a
// database named after its size in the cluster $ZQVR_PG_ODBC names
// (scripts/bench.sh --postgres starts one and keeps its folder). Without
// ZQVR_PG_ODBC only the file is measured. ZQVR_BENCH_PG_TICKETS sets the
// server's ticket count (200,000 by default, see ticketsFor).
//
//   scripts/bench.sh --postgres
//   scripts/bench.sh --postgres --benchmark_filter=MonitorTick
#include "BenchMain.h"
#include "db/Connection.h"
#include "db/Error.h"
#include "db/Schema.h"
#include "db/SqlLiteral.h"
#include "demo/DemoData.h"
#include "frame/HostContext.h"
#include "frame/Services.h"
#include "host/Empresa.h"
#include "messages/clsGestorMensajes.h"
#include "messages/frmGestorMensajesTPV.h"
#include "parameters/ParameterStore.h"
#include "parameters/frmParametros.h"
#include "terminals/TerminalStatus.h"
#include "terminals/frmVisorTpvs.h"
#include "tickets/TicketStatements.h"
#include "tickets/TicketStore.h"
#include "tickets/frmVisorTickets.h"

#include "controls/ctlCodePicker.h"
#include "controls/ctlMaskEdBox.h"
#include "controls/ctlTextBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace zqvr;
using db::sqlInt;

namespace {

const QDate kToday(2026, 12, 6);
constexpr int kCompany = 1;
constexpr int kTerminals = 200;
constexpr int kOnline = 150;
constexpr int kQueueRows = 100000;
constexpr int kMessages = 10000;

enum class Engine { SQLite, PostgreSQL };

const char* engineName(Engine e) { return e == Engine::SQLite ? "sqlite" : "postgresql"; }

// Written row by row through ODBC, the server's data set takes about a
// millisecond a ticket here (200,000 in under four minutes, a million in a
// quarter of an hour), so the server gets 200,000 unless asked for more.
long long ticketsFor(Engine e)
{
    if (e == Engine::SQLite)
        return 1000000;
    const long long asked = qEnvironmentVariable("ZQVR_BENCH_PG_TICKETS").toLongLong();
    return asked > 0 ? asked : 200000;
}

[[noreturn]] void failed(const QSqlQuery& q, const QString& sql)
{
    throw Error(errc::Database, q.lastError().text() + QStringLiteral("\n") + sql);
}

// ---- the data set ----

// 200 terminals of the company spread over its warehouses, taking over the
// tills of the demo terminals so that today's tickets land on them.
void addTerminals(db::Connection& c)
{
    std::vector<int> warehouses;
    for (db::RecordSet rs = c.query("SELECT Codigo FROM Almacenes WHERE Cod_Empresa = " + sqlInt(kCompany) +
                                    " ORDER BY Codigo");
         !rs.eof(); rs.moveNext())
        warehouses.push_back(rs.value(0).toInt());
    c.execute("DELETE FROM TPVs");
    for (int code = 1; code <= kTerminals; ++code)
        c.execute(QStringLiteral("INSERT INTO TPVs (Codigo, Host, Descripcion, Empresa, EnLinea, Almacen, PostoServerOk,"
                                 " Version, Serial) VALUES (%1, 'TPV%1', 'Caja %1', %2, %3, %4, 1, '4.12.3', 'KV-%1')")
                      .arg(code)
                      .arg(kCompany)
                      .arg(code <= kOnline ? 1 : 0)
                      .arg(warehouses[size_t(code) % warehouses.size()]));
}

// The article queue as terminals leave it: each on-line terminal has taken
// every row up to its own position, most near the end, a few far behind.
void addQueue(db::Connection& c)
{
    std::mt19937 rng(7);
    std::vector<int> taken(kTerminals + 1, 0);
    for (int t = 1; t <= kOnline; ++t)
        taken[size_t(t)] = t % 30 == 0 ? int(rng() % kQueueRows) : kQueueRows - int(rng() % 400);
    c.execute("DELETE FROM Articulos_ToPos");
    const QString sql = "INSERT INTO Articulos_ToPos (Cod_Empresa, Cod_Articulo, Fecha, Act, Act1, Act2, Act3, Act4, Act5,"
                        " Act6, Act7, Act8, Act9, Act10) VALUES (1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
    QSqlQuery q(c.database());
    if (!q.prepare(sql))
        failed(q, sql);
    const QDateTime queued(kToday, QTime(10, 0));
    for (int row = 0; row < kQueueRows; ++row) {
        std::array<qint64, 11> act{};
        for (int t = 1; t <= kTerminals; ++t)
            if (row < taken[size_t(t)])
                act[size_t((t - 1) / 31)] |= qint64(1) << ((t - 1) % 31);
        q.bindValue(0, 1000 + row % 5000);
        q.bindValue(1, queued);
        for (int k = 0; k < 11; ++k)
            q.bindValue(k + 2, act[size_t(k)]);
        if (!q.exec())
            failed(q, sql);
    }
}

// 10,000 messages of the company after the demo's own, each shown in one of
// its warehouses; a quarter written by the shops.
void addMessages(db::Connection& c)
{
    const int first = c.scalar("SELECT MAX(Cod_Mensaje) FROM TPV_Gestor_Mensajes WHERE Cod_Empresa = " +
                               sqlInt(kCompany)).toInt() + 1;
    const int warehouse = c.scalar("SELECT MIN(Codigo) FROM Almacenes WHERE Cod_Empresa = " + sqlInt(kCompany)).toInt();
    const QString msgSql = "INSERT INTO TPV_Gestor_Mensajes (Cod_Empresa, Cod_Mensaje, Origen, Descripcion, Linea1, Linea2,"
                           " Color, FechaInicial, FechaFinal, Cod_Mostrar, NumRepetir, L, M, X, Act)"
                           " VALUES (1, ?, ?, ?, ?, ?, ?, ?, ?, ?, 3, 1, 1, 1, 1)";
    const QString whSql = "INSERT INTO TPV_Gestor_Mensajes_Almacen (Cod_Empresa, Cod_Mensaje, Origen, Cod_Almacen)"
                          " VALUES (1, ?, ?, ?)";
    QSqlQuery m(c.database());
    QSqlQuery w(c.database());
    if (!m.prepare(msgSql))
        failed(m, msgSql);
    if (!w.prepare(whSql))
        failed(w, whSql);
    for (int i = 0; i < kMessages; ++i) {
        const int number = first + i;
        const int origin = number % 4 == 0 ? 1 : 0;
        m.bindValue(0, number);
        m.bindValue(1, origin);
        m.bindValue(2, QStringLiteral("Mensaje número %1").arg(number));
        m.bindValue(3, QStringLiteral("Primera línea del mensaje"));
        m.bindValue(4, QStringLiteral("Segunda línea"));
        m.bindValue(5, number * 977 % 0xFFFFFF);
        m.bindValue(6, kToday.addDays(i % 120 - 60));
        m.bindValue(7, kToday.addDays(i % 120 - 30));
        m.bindValue(8, i % 2);
        if (!m.exec())
            failed(m, msgSql);
        w.bindValue(0, number);
        w.bindValue(1, origin);
        w.bindValue(2, warehouse);
        if (!w.exec())
            failed(w, whSql);
    }
}

void fill(db::Connection& c, long long tickets, const QString& where)
{
    std::fprintf(stderr, "making the data set at %lld tickets in %s...\n", tickets, qPrintable(where));
    demo::DemoOptions o;
    o.tickets = tickets;
    o.scale = double(tickets) / demo::DemoData::ticketsPerScale;
    o.today = kToday;
    QElapsedTimer t;
    t.start();
    const demo::DemoSummary s = demo::DemoData::generate(c, o);
    std::fprintf(stderr, "  demo data: %lld tickets, %lld rows in %.0f s\n", s.tickets, s.rows, t.nsecsElapsed() / 1e9);
    t.restart();
    {
        db::TransactionGuard tx(c, db::TransactionGuard::Write);
        addTerminals(c);
        addQueue(c);
        addMessages(c);
        tx.commit();
    }
    c.execute("ANALYZE");
    std::fprintf(stderr, "  terminals, article queue and messages in %.0f s\n", t.nsecsElapsed() / 1e9);
}

// The file is made under another name and renamed when complete, so that
// a run stopped half-way makes it again.
std::unique_ptr<db::Connection> openFile(long long tickets)
{
    const QString folder =
        qEnvironmentVariableIsEmpty("ZQVR_BENCH_DIR") ? QDir::tempPath() : qEnvironmentVariable("ZQVR_BENCH_DIR");
    const QString path =
        QDir(folder).filePath(QStringLiteral("engines-%1-v%2.db").arg(tickets).arg(db::Schema::currentVersion()));
    if (!QFileInfo::exists(path)) {
        const QString building = path + QStringLiteral(".new");
        QFile::remove(building);
        {
            auto c = db::Connection::open("sqlite:" + building);
            db::Schema::ensure(*c);
            fill(*c, tickets, building);
        }
        if (!QFile::rename(building, path))
            throw Error(errc::Database, "No se pudo renombrar " + building);
    }
    return db::Connection::open("sqlite:" + path);
}

// The same on the server: a database made under another name, renamed when complete.
std::unique_ptr<db::Connection> openServer(long long tickets)
{
    const QString server = "odbc:" + qEnvironmentVariable("ZQVR_PG_ODBC") + ";Database=";
    const QString name = QStringLiteral("zqvr_bench_%1_v%2").arg(tickets).arg(db::Schema::currentVersion());
    auto admin = db::Connection::open(server + "postgres");
    if (admin->scalar("SELECT COUNT(*) FROM pg_database WHERE datname = " + db::sqlText(name)).toInt() == 0) {
        const QString building = name + "_new";
        admin->execute("DROP DATABASE IF EXISTS " + building);
        admin->execute("CREATE DATABASE " + building);
        {
            auto c = db::Connection::open(server + building);
            db::Schema::ensure(*c);
            fill(*c, tickets, "database " + building);
        }
        admin->execute(QStringLiteral("ALTER DATABASE %1 RENAME TO %2").arg(building, name));
    }
    return db::Connection::open(server + name);
}

// ---- one engine's world ----

struct World {
    Engine engine = Engine::SQLite;
    std::unique_ptr<db::Connection> conn;
    host::Empresa empresa;
    tickets::TicketFilter busiest;
    long long ticketCount = 0;

    explicit World(Engine e) : engine(e)
    {
        conn = e == Engine::SQLite ? openFile(ticketsFor(e)) : openServer(ticketsFor(e));
        db::Connection& c = *conn;
        const db::Dialect& d = c.dialect();
        ticketCount = c.scalar("SELECT COUNT(*) FROM TPV_Tickets").toLongLong();
        auto rs = c.query(d.selectTop(1, "Cod_Almacen, Caja, Cajero, Fecha, COUNT(*) AS n FROM TPV_Tickets"
                                         " WHERE Cod_Empresa = " + sqlInt(kCompany) +
                                         " GROUP BY Cod_Almacen, Caja, Cajero, Fecha ORDER BY n DESC"));
        busiest.empresa = kCompany;
        busiest.empresaClientes = kCompany;
        busiest.almacen = rs.value(0).toInt();
        busiest.caja = rs.value(1).toInt();
        busiest.cajero = rs.value(2).toInt();
        busiest.fecha = rs.value(3).toDate();
        rs.close();
        empresa.setCodigoEmpresa(kCompany);
        empresa.setEmpresaArticulos(kCompany);
        empresa.setEmpresaClientes(kCompany);
        empresa.setIndicadorReservas(QStringLiteral("R"));
        empresa.setVariable(QStringLiteral("UsuarioActual"), 1);
        empresa.setVariable(QStringLiteral("Tpv_HabilitarParamTpv"), 1);
    }

    // The screens find the company and the connection in the host context.
    void makeCurrent()
    {
        frame::HostContext::instance().setEmpresa(&empresa);
        frame::HostContext::instance().setConexion(conn.get());
    }
};

std::unique_ptr<World> g_worlds[2];

World& world(Engine e)
{
    auto& w = g_worlds[e == Engine::SQLite ? 0 : 1];
    if (!w)
        w = std::make_unique<World>(e);
    w->makeCurrent();
    return *w;
}

// ---- measuring ----

// Answers every message with its default button and keeps those it was not
// told to expect: a measure that showed one has measured a failure.
class Messages : public frame::MessageService {
public:
    frame::MsgResult show(const frame::Message& m) override
    {
        if (m.text != expected && unexpected.isEmpty())
            unexpected = m.caption + QStringLiteral(": ") + m.text;
        return m.defaultButton;
    }
    QString expected;
    QString unexpected;
};

struct Result {
    std::string measure;
    std::string engine;
    long long tickets = 0;
    double bareMs = 0;
    double storeMs = 0;
    double screenMs = 0;
    std::string failure;
};

std::vector<Result>& results()
{
    static std::vector<Result> r;
    return r;
}

// Runs the three once untimed (statements prepared, caches warm), then all
// three in every iteration, rotating which goes first so that none always
// finds the caches another warmed.
void compare(benchmark::State& state, const char* measure, World& w, const std::function<void()>& bare,
             const std::function<void()>& store, const std::function<void()>& screen,
             const QString& expectedMessage = {})
{
    auto messages = std::make_shared<Messages>();
    messages->expected = expectedMessage;
    frame::Services::setMessages(messages);
    const std::function<void()>* runs[] = {&bare, &store, &screen};
    for (const auto* run : runs)
        (*run)();
    double ns[3] = {0, 0, 0};
    long long i = 0;
    QElapsedTimer t;
    for (auto _ : state) {
        for (int k = 0; k < 3; ++k) {
            const int which = int((i + k) % 3);
            t.start();
            (*runs[which])();
            ns[which] += double(t.nsecsElapsed());
        }
        ++i;
    }
    frame::Services::setMessages(nullptr);
    const double n = double(i) * 1e6;
    Result r{measure, engineName(w.engine), w.ticketCount, ns[0] / n, ns[1] / n, ns[2] / n, {}};
    if (!messages->unexpected.isEmpty()) {
        r.failure = messages->unexpected.toStdString();
        state.SkipWithError(r.failure.c_str());
    }
    state.counters["bare_ms"] = r.bareMs;
    state.counters["store_ms"] = r.storeMs;
    state.counters["screen_ms"] = r.screenMs;
    state.counters["store_ratio"] = r.storeMs / r.bareMs;
    state.counters["screen_ratio"] = r.screenMs / r.bareMs;
    // Google Benchmark calls a benchmark more than once; the last run is the one it reports.
    auto& all = results();
    for (auto it = all.begin(); it != all.end(); ++it)
        if (it->measure == r.measure && it->engine == r.engine) {
            all.erase(it);
            break;
        }
    all.push_back(r);
}

// The bare statement: run, every column of every row read. Returns the rows.
long long readAll(db::Connection& c, const QString& sql, const std::function<void(const QSqlQuery&)>& first = {})
{
    QSqlQuery q(c.database());
    q.setForwardOnly(true);
    if (!q.exec(sql))
        failed(q, sql);
    const int cols = q.record().count();
    long long n = 0;
    while (q.next()) {
        for (int col = 0; col < cols; ++col)
            benchmark::DoNotOptimize(q.value(col));
        if (n == 0 && first)
            first(q);
        ++n;
    }
    return n;
}

void TicketList(benchmark::State& state, Engine e)
{
    World& w = world(e);
    tickets::frmVisorTickets form;
    form.showForm(0);
    auto* almacen = form.findChild<controls::ctlAlmacen*>(QStringLiteral("txtAlmacen"));
    almacen->setCodigo(w.busiest.almacen);
    almacen->Cargar();
    form.findChild<controls::ctlTextBox*>(QStringLiteral("txtCaja"))->setText(QString::number(w.busiest.caja));
    auto* usuario = form.findChild<controls::ctlUsuario*>(QStringLiteral("txtUsuario"));
    usuario->setCodigo(w.busiest.cajero);
    usuario->Cargar();
    form.findChild<controls::ctlMaskEdBox*>(QStringLiteral("txtFecha"))->setFecha(w.busiest.fecha);
    auto* articulo = form.findChild<controls::ctlArticulo*>(QStringLiteral("txtArticulo"));
    const QString sql = tickets::sql::ticketList(w.conn->dialect(), w.busiest);
    long long rows = 0;
    const tickets::TicketStore store(*w.conn);
    compare(
        state, "TicketList", w, [&] { rows = readAll(*w.conn, sql); },
        [&] { benchmark::DoNotOptimize(store.tickets(w.busiest)); },
        [&] {
            QTest::keyClick(articulo->codeField(), Qt::Key_Return);
            QApplication::processEvents(); // the one repaint of the filled grid
        });
    state.counters["rows"] = double(rows);
    form.unloadForm();
}

void MonitorTick(benchmark::State& state, Engine e)
{
    World& w = world(e);
    db::Connection& c = *w.conn;
    const terminals::TerminalStatusReader reader(c, kCompany, true);
    std::vector<qint64> masks(11, 0);
    for (int t = 1; t <= kOnline; ++t)
        masks[size_t((t - 1) / 31)] |= qint64(1) << ((t - 1) % 31);
    // What a refresh runs: the terminals, the queue's columns, the three
    // figures of the day and one pass over the queue.
    const QStringList statements = {reader.terminalsSql(), "SELECT * FROM Articulos_ToPos WHERE 1 = 0",
                                    reader.salesSql(kToday), reader.collectionsSql(kToday),
                                    reader.newReservationsSql(kToday), reader.queueSql(masks)};
    terminals::frmVisorTpvs board;
    board.setClock([] { return kToday; });
    board.showForm(0);
    compare(
        state, "MonitorTick", w,
        [&] {
            for (const QString& sql : statements)
                readAll(c, sql);
        },
        [&] { benchmark::DoNotOptimize(reader.read(kToday)); }, [&] { board.Refrescar(); });
    board.unloadForm();
}

void ParametersSave(benchmark::State& state, Engine e)
{
    World& w = world(e);
    db::Connection& c = *w.conn;
    const int almacen = 1;
    parameters::frmParametros form;
    form.loadForm();
    // The window saves with the clean-up of vanished terminals and warehouses
    // (this is not the central office), then the scope.
    parameters::ParameterStore store(c, kCompany);
    const parameters::ScopeValues values = form.currentValues();
    const QStringList statements = store.depurarStatements(false) + store.saveStatements(almacen, 0, values);
    compare(
        state, "ParametersSave", w,
        [&] {
            QSqlDatabase db = c.database();
            if (!db.transaction())
                throw Error(errc::Database, db.lastError().text());
            QSqlQuery q(db);
            for (const QString& sql : statements)
                if (!q.exec(sql))
                    failed(q, sql);
            if (!db.commit())
                throw Error(errc::Database, db.lastError().text());
        },
        [&] { store.save(almacen, 0, values, parameters::ParameterStore::Cleanup::VanishedTerminalsAndWarehouses); },
        [&] { benchmark::DoNotOptimize(form.GuardarOpciones(almacen, 0)); },
        QStringLiteral("Parámetros de TPV guardados correctamente."));
    state.counters["statements"] = double(statements.size());
    form.unloadForm();
}

void MessagesList(benchmark::State& state, Engine e)
{
    World& w = world(e);
    db::Connection& c = *w.conn;
    messages::frmGestorMensajesTPV form;
    form.setHoy(kToday);
    form.showForm(0);
    for (QCheckBox* box : form.findChildren<QCheckBox*>(QStringLiteral("chkVer")))
        box->setChecked(false); // every message
    // The list, then the warehouses of the row it selects (the first).
    const QString list = "SELECT gm.Cod_Mensaje, gm.Descripcion, gm.FechaInicial, gm.FechaFinal, gm.Cod_Mostrar,"
                         " gm.Color, gm.Origen FROM TPV_Gestor_Mensajes gm WHERE gm.Cod_Empresa =" +
                         sqlInt(kCompany) + " ORDER BY Origen DESC, Cod_Mensaje";
    long long rows = 0;
    compare(
        state, "MessagesList", w,
        [&] {
            int number = 0, origin = 0;
            rows = readAll(c, list, [&](const QSqlQuery& q) {
                number = q.value(0).toInt();
                origin = q.value(6).toInt();
            });
            readAll(c, "SELECT Cod_Almacen FROM TPV_Gestor_Mensajes_Almacen WHERE Cod_Empresa =" + sqlInt(kCompany) +
                           " AND Cod_Mensaje =" + sqlInt(number) + " AND Origen =" + sqlInt(origin) +
                           " ORDER BY Cod_Almacen");
        },
        [&] {
            messages::clsGestorMensajes store(c);
            const std::vector<messages::FilaMensaje> list = store.Cargar(kCompany, {false, false, false}, kToday);
            benchmark::DoNotOptimize(store.Almacenes({kCompany, list.front().numero, list.front().origen}));
        },
        [&] { form.cargar(); });
    state.counters["rows"] = double(rows);
    form.unloadForm();
}

// After the benchmarks, while the application still exists: the table, then
// the connections closed.
void atEnd()
{
    frame::HostContext::instance().setEmpresa(nullptr);
    frame::HostContext::instance().setConexion(nullptr);
    for (auto& w : g_worlds)
        w.reset();
    if (results().empty())
        return;
    std::printf("\n%-15s %-11s %8s %9s %9s %9s %6s %6s\n", "measure", "engine", "tickets", "bare ms", "store ms",
                "screen ms", "store", "screen");
    for (const Result& r : results()) {
        if (!r.failure.empty())
            std::printf("%-15s %-11s %8lld  failed: %s\n", r.measure.c_str(), r.engine.c_str(), r.tickets,
                        r.failure.c_str());
        else
            std::printf("%-15s %-11s %8lld %9.2f %9.2f %9.2f %5.2fx %5.2fx\n", r.measure.c_str(), r.engine.c_str(),
                        r.tickets, r.bareMs, r.storeMs, r.screenMs, r.storeMs / r.bareMs, r.screenMs / r.bareMs);
    }
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<Engine> engines{Engine::SQLite};
    if (qEnvironmentVariableIsEmpty("ZQVR_PG_ODBC"))
        std::fprintf(stderr, "ZQVR_PG_ODBC is not set: the embedded file only (scripts/bench.sh --postgres adds a server).\n");
    else
        engines.push_back(Engine::PostgreSQL);
    const std::pair<const char*, void (*)(benchmark::State&, Engine)> measures[] = {
        {"TicketList", TicketList}, {"MonitorTick", MonitorTick},
        {"ParametersSave", ParametersSave}, {"MessagesList", MessagesList}};
    for (const auto& [name, run] : measures)
        for (Engine e : engines)
            benchmark::RegisterBenchmark((std::string(name) + "/" + engineName(e)).c_str(),
                                         [run = run, e](benchmark::State& s) { run(s, e); })
                ->Unit(benchmark::kMillisecond)
                ->MinTime(2.0)
                ->UseRealTime();
    return zqvr::bench::runBenchmarks<QApplication>(argc, argv, atEnd);
}
