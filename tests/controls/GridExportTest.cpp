// A grid's "Exportar...": what it writes (read back by an independent CSV
// reader and an unzip of the spreadsheet), where the entry sits in the
// context menu, and a cancelled export that leaves the file as it was.
#include "controls/Grid.h"
#include "controls/GridExport.h"
#include "controls/Progress.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMenu>
#include <QProcess>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zqvr::controls;

namespace {

// Runs a Python reader on a file and returns what it prints as JSON rows.
QList<QStringList> readWithPython(const QString& script, const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("python3"), {QStringLiteral("-c"), script, path});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        ADD_FAILURE() << "python3 failed: " << p.readAllStandardError().toStdString();
        return {};
    }
    QList<QStringList> rows;
    for (const QJsonValue& row : QJsonDocument::fromJson(p.readAllStandardOutput()).array()) {
        QStringList cells;
        for (const QJsonValue& c : row.toArray())
            cells << (c.isDouble() ? QStringLiteral("=%1").arg(c.toDouble()) : c.toString());
        rows << cells;
    }
    return rows;
}

const QString kCsvReader = QStringLiteral(R"(
import csv, json, sys
raw = open(sys.argv[1], 'rb').read()
assert raw.startswith(b'\xef\xbb\xbf'), 'no byte-order mark'
with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:
    print(json.dumps(list(csv.reader(f, delimiter=';'))))
)");

// The sheet's cells: a float cell as its value, any other as its paragraphs joined by line breaks.
const QString kOdsReader = QStringLiteral(R"(
import json, sys, zipfile
import xml.etree.ElementTree as ET
z = zipfile.ZipFile(sys.argv[1])
assert z.testzip() is None, 'bad checksum'
first = z.infolist()[0]
assert first.filename == 'mimetype' and first.compress_type == zipfile.ZIP_STORED, 'mimetype not first and stored'
assert z.read('mimetype') == b'application/vnd.oasis.opendocument.spreadsheet'
ET.fromstring(z.read('META-INF/manifest.xml'))
ns = {'table': 'urn:oasis:names:tc:opendocument:xmlns:table:1.0',
      'text': 'urn:oasis:names:tc:opendocument:xmlns:text:1.0',
      'office': 'urn:oasis:names:tc:opendocument:xmlns:office:1.0'}
O = '{%s}' % ns['office']
T = '{%s}' % ns['text']
def para(p):
    out = p.text or ''
    for child in p:
        if child.tag == T + 's':
            out += ' ' * int(child.get(T + 'c', '1'))
        out += child.tail or ''
    return out
rows = []
for row in ET.fromstring(z.read('content.xml')).iterfind('.//table:table-row', ns):
    cells = []
    for cell in row.iterfind('table:table-cell', ns):
        if cell.get(O + 'value-type') == 'float':
            cells.append(float(cell.get(O + 'value')))
        else:
            cells.append('\n'.join(para(p) for p in cell.iterfind('text:p', ns)))
    rows.append(cells)
print(json.dumps(rows))
)");

class GridExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        grid.setColumns({Grid::Column("Código", -1, {}, Grid::TypeLong), Grid::Column("Clave", -1, {}, {}, true),
                         Grid::Column("Nombre"), Grid::Column("Importe", -1, Grid::AlignRight, Grid::TypeCurrency)});
        grid.AddItem("1\tK1\tDice \"hola\"\t1.234,50");
        grid.AddItem("2\tK2\tlínea uno\nlínea dos\t-3,00");
        grid.AddItem("3\tK3\ta;b\t");
        grid.AddItem("4\tK4\tÑandú €  con  espacios \t7");
    }
    void TearDown() override
    {
        Grid::setExportServices({}, {});
        Progress::setShowAfter(500);
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    Grid grid;
};

TEST_F(GridExportTest, CsvRoundTripsQuotesLineBreaksSeparatorsAndAccentsThroughACsvReader)
{
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
        GTEST_SKIP() << "python3 is not installed";
    // The user moved "Importe" in front of "Nombre": the file follows the screen.
    grid.horizontalHeader()->moveSection(3, 2);
    ASSERT_TRUE(GridExport::write(grid, path("lista.csv")));
    const QList<QStringList> rows = readWithPython(kCsvReader, path("lista.csv"));
    const QList<QStringList> expected = {
        {"Código", "Importe", "Nombre"},
        {"1", "1.234,50", "Dice \"hola\""},
        {"2", "-3,00", "línea uno\nlínea dos"},
        {"3", "", "a;b"},
        {"4", "7", "Ñandú €  con  espacios "},
    };
    EXPECT_EQ(rows, expected) << "the hidden key column is left out";

    QFile f(path("lista.csv"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.contains("\r\n1;1.234,50;\"Dice \"\"hola\"\"\"\r\n")) << bytes.toStdString();
}

TEST_F(GridExportTest, OdsHoldsTheSameCellsAndNumericColumnsAsNumbers)
{
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
        GTEST_SKIP() << "python3 is not installed";
    ASSERT_EQ(GridExport::formatFor(path("lista.ODS")), GridExport::Format::Ods);
    ASSERT_TRUE(GridExport::write(grid, path("lista.ods")));
    const QList<QStringList> rows = readWithPython(kOdsReader, path("lista.ods"));
    const QList<QStringList> expected = {
        {"Código", "Nombre", "Importe"},
        {"=1", "Dice \"hola\"", "=1234.5"},
        {"=2", "línea uno\nlínea dos", "=-3"},
        {"=3", "a;b", ""},
        {"=4", "Ñandú €  con  espacios ", "=7"},
    };
    EXPECT_EQ(rows, expected);
}

TEST_F(GridExportTest, ExportComesLastInTheMenuAndAsksForTheFileThroughTheInstalledChooser)
{
    QMenu* menu = grid.contextMenu();
    QAction* own = menu->addAction(QStringLiteral("Composición del Kit"));
    emit menu->aboutToShow();
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions.first(), own);
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(actions.last()->text(), QStringLiteral("Exportar..."));
    EXPECT_EQ(actions.last(), grid.exportAction());

    QStringList asked, reported;
    QString answer = path("sin extension");
    Grid::setExportServices(
        [&](QWidget* parent, const QString& caption, const QString&) {
            EXPECT_EQ(parent, &grid);
            asked << caption;
            return answer;
        },
        [&](const QString& text, const QString&) { reported << text; });
    grid.exportAction()->trigger();
    EXPECT_EQ(asked, QStringList{"Exportar"});
    EXPECT_TRUE(QFile::exists(path("sin extension.csv"))) << "a name without extension is written as CSV";

    // A folder that does not exist: the user is told, nothing is thrown at the menu.
    answer = path("no/existe/lista.csv");
    grid.exportAction()->trigger();
    ASSERT_EQ(reported.size(), 1);
    EXPECT_TRUE(reported[0].contains(QStringLiteral("no/existe/lista.csv"))) << reported[0].toStdString();

    answer.clear(); // cancelled in the file dialog
    grid.exportAction()->trigger();
    EXPECT_EQ(asked.size(), 3);
    EXPECT_EQ(reported.size(), 1);
}

TEST_F(GridExportTest, CancellingThroughTheProgressDialogLeavesTheOldFileAsItWas)
{
    for (int i = 0; i < 2000; ++i)
        grid.AddItem(QStringLiteral("%1\tK\tfila %1\t1,00").arg(i + 10));
    const QString file = path("lista.ods");
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("lo de antes");
    }
    Grid::setExportServices([&](QWidget*, const QString&, const QString&) { return file; }, {});
    Progress::setShowAfter(0);
    QString label;
    bool clicked = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dlg = qobject_cast<QProgressDialog*>(w);
            if (!dlg || dlg->objectName() != QLatin1String("dlgProgreso") || !dlg->isVisible())
                continue;
            label = dlg->labelText();
            for (QAbstractButton* b : dlg->findChildren<QAbstractButton*>()) {
                if (b->text() == QLatin1String("Cancelar")) {
                    b->click();
                    clicked = true;
                }
            }
        }
    });
    grid.exportAction()->trigger();
    ASSERT_TRUE(clicked) << "the progress dialog with its Cancelar button was shown";
    EXPECT_TRUE(label.startsWith(QStringLiteral("Exportando filas...\n0 de 2004"))) << label.toStdString();
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("lo de antes"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"lista.ods"}) << "no temporary file left";
}

} // namespace
