// Printing a 10,000-row x 11-column grid with the grid printer, split into
// its two halves, next to the bare SQL of the first:
//   TableFill  the temporary table made and filled from the grid's cells, as
//            the grid printer does it (every cell through the literal helpers)
//   Fill     all that comes before the render: the table filled, read back and
//            dropped, the report laid out (CRPrintGrid::Preparar)
//   Render   the filled report paginated and written into a PDF
//   Whole    both, as a user's print to PDF
//   BareInserts  the same rows put into a temporary table by a plain loop of
//            INSERT statements in one transaction (what Fill must stay near)
// Counters: rows/s, and pages/s for the render.
#include "BenchMain.h"
#include "controls/Grid.h"
#include "db/Connection.h"
#include "reports/CRPrintGrid.h"
#include "reports/DynamicTable.h"
#include "reports/Report.h"
#include "reports/ReportOutput.h"
#include "reports/ReportRenderer.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

using namespace zqvr;

namespace {

constexpr int kRows = 10000;
constexpr int kCols = 11;

// A number column, whichever numbering the grid speaks.
template <class G = controls::Grid>
auto numberType()
{
    if constexpr (requires { G::TypeDouble; })
        return G::TypeDouble;
    else
        return G::TypeNumber;
}

bool isNumberColumn(int c) { return c == 0 || c == 3 || c >= 6; }

struct Fixture {
    QTemporaryDir dir;
    QString cs;
    std::unique_ptr<controls::Grid> grid;

    Fixture()
    {
        cs = QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("bench.db"));
        db::Connection::open(cs); // creates the file
        grid = std::make_unique<controls::Grid>();
        grid->setCols(kCols);
        const char* headers[kCols] = {"Ticket", "Fecha", "Hora", "Caja", "Cajero", "Cliente",
                                      "Base", "Impuesto", "Total", "Entregado", "Cambio"};
        for (int c = 0; c < kCols; ++c) {
            grid->setTextMatrix(0, c, QString::fromUtf8(headers[c]));
            grid->setColWidth(c, c == 4 || c == 5 ? 1800 : 1000);
        }
        for (int c = 0; c < kCols; ++c)
            if (isNumberColumn(c)) {
                grid->setColDataType(c, numberType());
                grid->setColAlignment(c, controls::Grid::AlignRight);
            }
        grid->setColDataType(1, controls::Grid::TypeDate);
        grid->setRedraw(false);
        for (int i = 0; i < kRows; ++i) {
            const auto amount = [](int cents) {
                return QString::number(cents / 100) + QLatin1Char(',') + QString::number(cents % 100).rightJustified(2, QLatin1Char('0'));
            };
            QStringList cells = {QString::number(100000 + i), QStringLiteral("06/12/2026"),
                                 QStringLiteral("%1:%2").arg(8 + i % 12, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0')),
                                 QString::number(1 + i % 9), QStringLiteral("Cajero %1").arg(1 + i % 25),
                                 QStringLiteral("Cliente O'Neill %1").arg(i % 997)};
            for (int k = 0; k < 5; ++k)
                cells << amount((i * 37 + k * 101) % 250000);
            grid->AddItem(cells.join(QLatin1Char('\t')));
        }
        grid->setRedraw(true);
    }

    void setUp(reports::CRPrintGrid& job) const
    {
        job.setEmpresa_AppPath(QStringLiteral(ZQVR_SOURCE_DIR));
        job.setEmpresa_Codigo(1);
        job.setEmpresa_Nombre(QStringLiteral("Comercial Brevanto"));
        job.setConnectionString(cs);
        job.setReportSource(grid.get());
        job.setTitulo(QStringLiteral("Tickets"));
        job.setAjustarColumnas(true);
    }
};

std::unique_ptr<Fixture> g_fixture; // made on first use, gone before the application

Fixture& fixture()
{
    if (!g_fixture)
        g_fixture = std::make_unique<Fixture>();
    return *g_fixture;
}

void BM_Fill(benchmark::State& state)
{
    Fixture& f = fixture();
    reports::CRPrintGrid job;
    f.setUp(job);
    for (auto _ : state)
        benchmark::DoNotOptimize(job.Preparar());
    state.counters["rows/s"] = benchmark::Counter(double(kRows) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_Render(benchmark::State& state)
{
    Fixture& f = fixture();
    reports::CRPrintGrid job;
    f.setUp(job);
    auto report = job.Preparar();
    const QString pdf = f.dir.filePath(QStringLiteral("render.pdf"));
    int pages = 0;
    for (auto _ : state) {
        const reports::ReportRenderer renderer(*report);
        pages = renderer.pageCount();
        reports::writePdf(renderer, pdf);
    }
    state.counters["pages"] = pages;
    state.counters["pages/s"] = benchmark::Counter(double(pages) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["rows/s"] = benchmark::Counter(double(kRows) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_Whole(benchmark::State& state)
{
    Fixture& f = fixture();
    reports::CRPrintGrid job;
    f.setUp(job);
    const QString pdf = f.dir.filePath(QStringLiteral("whole.pdf"));
    for (auto _ : state)
        job.ImprimirPdf(pdf);
    state.counters["rows/s"] = benchmark::Counter(double(kRows) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_TableFill(benchmark::State& state)
{
    Fixture& f = fixture();
    auto conn = db::Connection::open(f.cs);
    const controls::Grid& g = *f.grid;
    QStringList fields, definitions;
    QList<int> types;
    for (int c = 0; c < kCols; ++c) {
        const int t = isNumberColumn(c) ? reports::gridtype::Double : (c == 1 ? reports::gridtype::Date : reports::gridtype::Text);
        fields << QStringLiteral("C%1").arg(c);
        types << t;
        definitions << reports::DynamicTable::columnDefinition(t, false);
    }
    for (auto _ : state) {
        reports::DynamicTable::fill(*conn, QStringLiteral("temp.Dyn"), fields, types, definitions, kRows,
                                    [&](int r, int c) { return g.TextMatrix(r + 1, c); }, false);
        conn->execute(QStringLiteral("DROP TABLE temp.Dyn"));
    }
    state.counters["rows/s"] = benchmark::Counter(double(kRows) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_BareInserts(benchmark::State& state)
{
    Fixture& f = fixture();
    auto conn = db::Connection::open(f.cs);
    const controls::Grid& g = *f.grid;
    for (auto _ : state) {
        conn->execute(QStringLiteral("CREATE TABLE temp.Bare (C0 INT, C1 Datetime, C2 VARCHAR(255), C3 INT, C4 VARCHAR(255), "
                                     "C5 VARCHAR(255), C6 MONEY, C7 MONEY, C8 MONEY, C9 MONEY, C10 MONEY)"));
        conn->beginTrans();
        for (int r = 1; r < g.Rows(); ++r) {
            QString sql = QStringLiteral("INSERT INTO temp.Bare VALUES (");
            for (int c = 0; c < kCols; ++c) {
                if (c)
                    sql += QStringLiteral(", ");
                QString v = g.TextMatrix(r, c);
                if (c == 0 || c == 3 || c >= 6)
                    sql += v.remove(QLatin1Char('.')).replace(QLatin1Char(','), QLatin1Char('.'));
                else
                    sql += QLatin1Char('\'') + v.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
            }
            conn->execute(sql + QLatin1Char(')'));
        }
        conn->commitTrans();
        conn->execute(QStringLiteral("DROP TABLE temp.Bare"));
    }
    state.counters["rows/s"] = benchmark::Counter(double(kRows) * state.iterations(), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_BareInserts)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_TableFill)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Fill)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Render)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Whole)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    return zqvr::bench::runBenchmarks<QApplication>(argc, argv, [] { g_fixture.reset(); });
}
