// Filling the grid: 100,000 rows of 11 columns with redraw off, next to the
// same rows put into a plain QStandardItemModel, and the text building alone
// (the part both share). Each fill builds its rows the way a screen does, one
// tab-separated line per record, so the memory counters show what the filled
// table really holds:
//   heap_MB  bytes allocated and still held once the table is filled (mallinfo2)
//   rss_MB   growth of the resident set (VmRSS) during the process's first
//            fill of that kind; later fills reuse freed memory, so run one
//            benchmark per process (--benchmark_filter) to read it
#include "BenchMain.h"
#include "controls/Grid.h"

#include <QApplication>
#include <QFile>
#include <QStandardItemModel>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 11;

double heapMB()
{
    const struct mallinfo2 mi = mallinfo2();
    return double(mi.uordblks + mi.hblkhd) / (1024.0 * 1024.0);
}

double rssMB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// One row as the ticket list shows it: number, date, time, till, cashier,
// customer and five amounts.
QString makeLine(int i)
{
    const auto amount = [](int cents) {
        return QString::number(cents / 100) + QLatin1Char(',')
               + QString::number(cents % 100).rightJustified(2, QLatin1Char('0'));
    };
    QString s;
    s.reserve(96);
    s += QString::number(100000 + i);
    s += QStringLiteral("\t06/12/2026\t");
    s += QString::number(8 + i % 12).rightJustified(2, QLatin1Char('0')) + QLatin1Char(':')
         + QString::number(i % 60).rightJustified(2, QLatin1Char('0'));
    s += QLatin1Char('\t') + QString::number(1 + i % 9);
    s += QStringLiteral("\tCajero ") + QString::number(1 + i % 25);
    s += QStringLiteral("\tCliente ") + QString::number(i % 997);
    s += QLatin1Char('\t') + amount(i * 37 % 250000);
    s += QLatin1Char('\t') + amount(i * 13 % 90000);
    s += QLatin1Char('\t') + amount(i * 7 % 40000);
    s += QLatin1Char('\t') + amount(i % 5000);
    s += QLatin1Char('\t') + amount(i * 3 % 12000);
    return s;
}

void setMemoryCounters(benchmark::State& state, double heapBefore, double heapAfter, double& rssFirst)
{
    state.counters["heap_MB"] = heapAfter - heapBefore;
    state.counters["rss_MB"] = rssFirst;
}

void BM_BuildLinesOnly(benchmark::State& state)
{
    for (auto _ : state) {
        qsizetype total = 0;
        for (int i = 0; i < kRows; ++i)
            total += makeLine(i).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_GridFillRedrawOff(benchmark::State& state)
{
    const bool shown = state.range(0) != 0;
    static double rssFirst = -1;
    double heapBefore = 0, heapAfter = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = std::make_unique<zqvr::controls::Grid>();
        grid->setCols(kCols);
        for (int c = 0; c < kCols; ++c)
            grid->setTextMatrix(0, c, QStringLiteral("Columna %1").arg(c));
        if (shown) {
            grid->resize(1000, 600);
            grid->show();
            QApplication::processEvents();
        }
        heapBefore = heapMB();
        const double rssBefore = rssMB();
        state.ResumeTiming();

        grid->setRedraw(false);
        for (int i = 0; i < kRows; ++i)
            grid->AddItem(makeLine(i));
        grid->setRedraw(true);
        if (shown)
            QApplication::processEvents(); // the one repaint

        state.PauseTiming();
        heapAfter = heapMB();
        if (rssFirst < 0)
            rssFirst = rssMB() - rssBefore;
        if (grid->Rows() != kRows + 1 || grid->TextMatrix(kRows, 0) != QString::number(100000 + kRows - 1))
            state.SkipWithError("grid not filled");
        grid.reset();
        state.ResumeTiming();
    }
    setMemoryCounters(state, heapBefore, heapAfter, rssFirst);
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_StandardItemModelFill(benchmark::State& state)
{
    const bool shown = state.range(0) != 0;
    static double rssFirst = -1;
    double heapBefore = 0, heapAfter = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto view = std::make_unique<QTableView>();
        auto model = std::make_unique<QStandardItemModel>(0, kCols);
        for (int c = 0; c < kCols; ++c)
            model->setHorizontalHeaderItem(c, new QStandardItem(QStringLiteral("Columna %1").arg(c)));
        if (shown) {
            view->resize(1000, 600);
            view->show();
            QApplication::processEvents();
        }
        heapBefore = heapMB();
        const double rssBefore = rssMB();
        state.ResumeTiming();

        // The model is filled detached from the view (its cheapest way) and then shown.
        for (int i = 0; i < kRows; ++i) {
            const QStringList cells = makeLine(i).split(QLatin1Char('\t'));
            QList<QStandardItem*> items;
            items.reserve(kCols);
            for (const QString& cell : cells)
                items << new QStandardItem(cell);
            model->appendRow(items);
        }
        view->setModel(model.get());
        if (shown)
            QApplication::processEvents();

        state.PauseTiming();
        heapAfter = heapMB();
        if (rssFirst < 0)
            rssFirst = rssMB() - rssBefore;
        if (model->rowCount() != kRows)
            state.SkipWithError("model not filled");
        view.reset();
        model.reset();
        state.ResumeTiming();
    }
    setMemoryCounters(state, heapBefore, heapAfter, rssFirst);
    state.SetItemsProcessed(state.iterations() * kRows);
}

BENCHMARK(BM_BuildLinesOnly)->Unit(benchmark::kMillisecond);
// Argument: 0 = grid not shown, 1 = shown and repainted once.
BENCHMARK(BM_GridFillRedrawOff)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StandardItemModelFill)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return zqvr::bench::runBenchmarks<QApplication>(argc, argv);
}
