// How fast a floor plan of 2,000 nodes (half drawn from markup, half
// pictures) is loaded from the salon's row onto the drawing and saved back
// from it, next to the bare SQL that reads and writes the same text on the
// same connection.
//
//   bench_floor_plan                  every case
//   bench_floor_plan --benchmark_filter=Load
#include "BenchMain.h"
#include "db/Connection.h"
#include "db/Schema.h"
#include "salons/DocXml.h"
#include "salons/FlowGraphDocument.h"
#include "salons/FlowGraphView.h"
#include "salons/SalonStore.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace zqvr;
using namespace zqvr::salons;

namespace {

constexpr int Nodes = 2000;

struct Fixture {
    std::unique_ptr<db::Connection> conn = db::Connection::open(QStringLiteral("sqlite::memory:"));
    FlowGraphPage page;
    QString document;

    Fixture()
    {
        db::Schema::ensure(*conn);
        conn->execute("INSERT INTO TPV_Sln_Salones (Cod_Empresa, Cod_CfgSalon, Descripcion, Doc_Xml) VALUES (1, 1, 'Comedor', '')");
        for (int i = 0; i < Nodes; ++i) {
            FlowNode n;
            n.left = i % 50 * 80;
            n.top = i / 50 * 80;
            n.tag = 1;
            n.caption = QStringLiteral("Mesa %1 d'Ana").arg(i);
            if (i % 2) {
                n.shape = PictureShapeId;
                n.imageIndex = i % 6;
                n.width = n.height = PictureNodeSize;
            } else {
                n.width = n.height = 70;
                n.markup = QStringLiteral("<Border Width=\"70\" Height=\"70\" Background=\"#FFDEB887\" BorderBrush=\"#FF5A4632\" "
                                          "BorderThickness=\"2\" CornerRadius=\"35\"><TextBlock Text=\"%1\" FontSize=\"12\" "
                                          "FontWeight=\"Bold\"/></Border>").arg(n.caption.toHtmlEscaped());
            }
            page.nodes << n;
        }
        document = saveFlowGraph(page);
        SalonStore(*conn, 1).GuardarPlano(1, document);
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// The editor's open: read the row, restore the quotes, parse, put every node on the drawing.
void BM_LoadPlan(benchmark::State& state)
{
    Fixture& f = fixture();
    FlowGraphView view;
    for (auto _ : state) {
        const QString stored = SalonStore(*f.conn, 1).LeerDocXmlGuardado(1);
        const FlowGraphLoad loaded = loadFlowGraph(decodeDocXml(stored));
        view.loadPage(loaded.page);
        benchmark::DoNotOptimize(view.nodes().size());
    }
    state.counters["nodes"] = Nodes;
}
BENCHMARK(BM_LoadPlan)->Unit(benchmark::kMillisecond);

// The bare SQL of the open: the same row read on the same connection.
void BM_LoadPlanBareSql(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        const QString stored = f.conn->scalar("SELECT Doc_Xml FROM TPV_Sln_Salones WHERE Cod_Empresa = 1 AND Cod_CfgSalon = 1").toString();
        benchmark::DoNotOptimize(stored.size());
    }
}
BENCHMARK(BM_LoadPlanBareSql)->Unit(benchmark::kMillisecond);

// The editor's accept: take every node off the drawing, write the document, store it.
void BM_SavePlan(benchmark::State& state)
{
    Fixture& f = fixture();
    FlowGraphView view;
    view.loadPage(f.page);
    for (auto _ : state) {
        const QString xml = saveFlowGraph(view.page());
        SalonStore(*f.conn, 1).GuardarPlano(1, xml);
    }
    state.counters["bytes"] = double(f.document.size());
}
BENCHMARK(BM_SavePlan)->Unit(benchmark::kMillisecond);

// The bare SQL of the accept: the same text written with one UPDATE on the same connection.
void BM_SavePlanBareSql(benchmark::State& state)
{
    Fixture& f = fixture();
    const QString stored = encodeDocXml(f.document);
    for (auto _ : state)
        f.conn->execute("UPDATE TPV_Sln_Salones SET Doc_Xml = ? WHERE Cod_Empresa = 1 AND Cod_CfgSalon = 1", {stored});
}
BENCHMARK(BM_SavePlanBareSql)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return zqvr::bench::runBenchmarks<QApplication>(argc, argv);
}
