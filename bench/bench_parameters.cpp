// The parameters window against the bare statements it runs: opening the
// window and loading a full scope next to the scope's SELECT alone, and
// saving a full scope next to the same DELETE and INSERTs run in one
// transaction without the window. The ratio is the figure that matters.
#include "BenchMain.h"
#include "db/Connection.h"
#include "demo/DemoData.h"
#include "db/Schema.h"
#include "frame/HostContext.h"
#include "frame/Services.h"
#include "host/Empresa.h"
#include "parameters/ParameterStore.h"
#include "parameters/frmParametros.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>

using namespace zqvr;

namespace {

class Silent : public frame::MessageService {
public:
    frame::MsgResult show(const frame::Message& m) override { return m.defaultButton; }
};

struct World {
    std::unique_ptr<db::Connection> conn;
    host::Empresa empresa;
    World()
    {
        conn = db::Connection::open(QStringLiteral("sqlite::memory:"));
        db::Schema::ensure(*conn);
        demo::DemoOptions o;
        o.scale = 0.05;
        o.today = QDate(2026, 12, 6);
        demo::DemoData::generate(*conn, o);
        empresa.setCodigoEmpresa(1);
        empresa.setVariable(QStringLiteral("Tpv_HabilitarParamTpv"), 1);
        empresa.setVariable(QStringLiteral("UsuarioActual"), 1);
        frame::HostContext::instance().setEmpresa(&empresa);
        frame::HostContext::instance().setConexion(conn.get());
        frame::Services::setMessages(std::make_shared<Silent>());
    }
};

World& world()
{
    static World w;
    return w;
}

void BM_WindowOpenAndLoadScope(benchmark::State& state)
{
    world();
    for (auto _ : state) {
        parameters::frmParametros form;
        form.loadForm();
        benchmark::DoNotOptimize(form.currentValues().keys.size());
        form.unloadForm();
    }
}

void BM_BareSelectOfScope(benchmark::State& state)
{
    World& w = world();
    parameters::ParameterStore store(*w.conn, 1);
    const QString sql = store.selectScope(1, 0);
    for (auto _ : state) {
        db::RecordSet rs = w.conn->query(sql);
        int n = 0;
        for (; !rs.eof(); rs.moveNext()) {
            benchmark::DoNotOptimize(rs["Valor"].toString());
            ++n;
        }
        state.counters["rows"] = n;
    }
}

void BM_WindowSaveScope(benchmark::State& state)
{
    world();
    parameters::frmParametros form;
    form.loadForm();
    for (auto _ : state)
        benchmark::DoNotOptimize(form.GuardarOpciones(1, 0));
    form.unloadForm();
}

void BM_BareDeleteAndInsertsOfScope(benchmark::State& state)
{
    World& w = world();
    parameters::ParameterStore store(*w.conn, 1);
    parameters::ScopeValues values;
    values.load(store.load(1, 0));
    const QStringList statements = store.saveStatements(1, 0, values);
    for (auto _ : state) {
        db::TransactionGuard tx(*w.conn, db::TransactionGuard::Write);
        for (const QString& sql : statements)
            w.conn->execute(sql);
        tx.commit();
        state.counters["statements"] = statements.size();
    }
}

} // namespace

BENCHMARK(BM_WindowOpenAndLoadScope)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareSelectOfScope)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowSaveScope)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareDeleteAndInsertsOfScope)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return zqvr::bench::runBenchmarks<QApplication>(argc, argv);
}
