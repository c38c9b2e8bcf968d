// A grid's "Exportar...": 100,000 rows of 11 columns, as the ticket list
// shows them (a few cells with quotes, ';' and line breaks, accented names),
// written to CSV and to an OpenDocument spreadsheet, beside the bare floor:
// the same cells joined with ';' and written with QFile, no quoting and no
// headers. The CSV round trip reads the file back with an RFC 4180 reader
// and compares every cell. ratio = export time / bare time.
#include "BenchMain.h"
#include "controls/Grid.h"
#include "controls/GridExport.h"
#include "controls/GridModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 11;

QString makeLine(int i)
{
    QString s = QString::number(100000 + i) + QStringLiteral("\t06/12/2026\t")
                + QString::number(8 + i % 12).rightJustified(2, QLatin1Char('0')) + QLatin1Char(':')
                + QString::number(i % 60).rightJustified(2, QLatin1Char('0')) + QLatin1Char('\t')
                + QString::number(1 + i % 9) + QStringLiteral("\tCajero ") + QString::number(1 + i % 25);
    // One customer in fifty has a name that needs quoting.
    s += i % 50 == 0 ? QStringLiteral("\tPeña \"La Güera\"; sede\nnorte") : QStringLiteral("\tCliente ") + QString::number(i % 997);
    for (int k = 0; k < 5; ++k)
        s += QLatin1Char('\t') + QString::number((i * (k + 3)) % 100000 / 100) + QLatin1Char(',')
             + QString::number((i * (k + 7)) % 100).rightJustified(2, QLatin1Char('0'));
    return s;
}

zqvr::controls::Grid& grid()
{
    static zqvr::controls::Grid* g = [] {
        auto* grid = new zqvr::controls::Grid;
        grid->setCols(kCols);
        for (int c = 0; c < kCols; ++c)
            grid->setTextMatrix(0, c, QStringLiteral("Columna %1").arg(c));
        zqvr::controls::RedrawOff off(*grid);
        for (int i = 0; i < kRows; ++i)
            grid->AddItem(makeLine(i));
        return grid;
    }();
    return *g;
}

QTemporaryDir& dir()
{
    static QTemporaryDir d;
    return d;
}

// The floor: the cells joined with ';' and written, nothing else.
void bareWrite(const QString& path)
{
    zqvr::controls::GridModel& m = *grid().gridModel();
    QByteArray out;
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kCols; ++c) {
            if (c)
                out.append(';');
            out.append(m.text(r, c).toUtf8());
        }
        out.append("\r\n");
    }
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(out) != out.size())
        throw zqvr::Error(0, QStringLiteral("cannot write %1").arg(path));
}

double msOf(const std::function<void()>& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

void BM_BareWrite(benchmark::State& state)
{
    grid();
    const QString path = dir().filePath(QStringLiteral("bare.txt"));
    for (auto _ : state)
        bareWrite(path);
}

void BM_Export(benchmark::State& state, const char* name)
{
    zqvr::controls::Grid& g = grid();
    const QString path = dir().filePath(QString::fromLatin1(name));
    double exportMs = 0;
    for (auto _ : state)
        exportMs += msOf([&] { zqvr::controls::GridExport::write(g, path); });
    const double bareMs = msOf([] { bareWrite(dir().filePath(QStringLiteral("bare.txt"))); });
    state.counters["ratio"] = exportMs / double(state.iterations()) / bareMs;
    state.counters["MB"] = double(QFile(path).size()) / (1024.0 * 1024.0);
}

// Reads a CSV file as RFC 4180 says (quoted fields, doubled quotes, line
// breaks inside quotes) and compares every cell with the grid's.
long long readBackAndCompare(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw zqvr::Error(0, QStringLiteral("cannot read %1").arg(path));
    const QString text = QString::fromUtf8(f.readAll());
    zqvr::controls::GridModel& m = *grid().gridModel();
    int row = -2; // the byte-order mark's line is the header, row -1
    int col = 0;
    long long compared = 0;
    QString field;
    bool quoted = false;
    auto endField = [&] {
        if (row >= 0 && m.text(row, col) != field)
            throw zqvr::Error(0, QStringLiteral("row %1 col %2 differs: %3").arg(row).arg(col).arg(field));
        ++compared;
        ++col;
        field.clear();
    };
    int i = text.startsWith(QChar(0xFEFF)) ? 1 : 0;
    row = -1;
    for (; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (quoted) {
            if (ch == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field += ch;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += ch;
            }
        } else if (ch == QLatin1Char('"')) {
            quoted = true;
        } else if (ch == QLatin1Char(';')) {
            endField();
        } else if (ch == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
            endField();
            if (col != kCols)
                throw zqvr::Error(0, QStringLiteral("row %1 has %2 fields").arg(row).arg(col));
            col = 0;
            ++row;
            ++i;
        } else {
            field += ch;
        }
    }
    if (row != kRows)
        throw zqvr::Error(0, QStringLiteral("%1 rows read back").arg(row));
    return compared;
}

void BM_CsvRoundTrip(benchmark::State& state)
{
    const QString path = dir().filePath(QStringLiteral("ida-y-vuelta.csv"));
    long long cells = 0;
    for (auto _ : state) {
        zqvr::controls::GridExport::write(grid(), path);
        cells = readBackAndCompare(path);
    }
    state.counters["cells"] = double(cells);
}

} // namespace

BENCHMARK(BM_BareWrite)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export, csv, "lista.csv")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export, ods, "lista.ods")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvRoundTrip)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return zqvr::bench::runBenchmarks<QApplication>(argc, argv);
}
