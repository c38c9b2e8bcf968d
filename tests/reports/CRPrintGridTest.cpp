// The grid printer: a grid, a record set or a query printed through the
// generic listing, checked on the PDF a user would get and on the print
// job's temporary table.
#include "reports/CRPrintGrid.h"
#include "reports/GridTypes.h"
#include "reports/PdfText.h"
#include "reports/Report.h"
#include "reports/ReportRenderer.h"
#include "reports/ReportViewer.h"
#include "reports/frmView.h"
#include "support/ScreenTest.h"

#include "controls/Grid.h"
#include "controls/Progress.h"
#include "db/Connection.h"
#include "db/Error.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QProgressDialog>
#include <QTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::reports;
using controls::Grid;

namespace {

const QString kAppPath = QStringLiteral(ZQVR_SOURCE_DIR);

class GridPrinting : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::installInHostContext(db);
        grid.setCols(7);
        const QStringList headers = {"Código", "Descripción", "Oculta", "Fecha", "Importe", "", "Activo"};
        for (int c = 0; c < headers.size(); ++c) {
            grid.setTextMatrix(0, c, headers[c]);
            grid.setColWidth(c, 1500);
        }
        grid.setColHidden(2, true);
        grid.setColDataType(0, test::numberType());
        grid.setColAlignment(0, Grid::AlignRight);
        grid.setColDataType(3, test::dateType());
        grid.setColDataType(4, test::numberType());
        grid.setColAlignment(4, Grid::AlignRight);
        grid.setColDataType(6, test::booleanType());
    }

    void addRow(const QStringList& cells) { grid.AddItem(cells.join(QLatin1Char('\t'))); }
    void addSampleRows()
    {
        addRow({"17", "O'Brien \"el bueno\"", "SECRETO", "06/12/2026", "1.234,56", "SINTITULO", "1"});
        addRow({"18", "Ñandú cañón ;-- DROP", "SECRETO", "", "7,5", "SINTITULO", "0"});
    }

    void setUpJob(CRPrintGrid& job)
    {
        job.setEmpresa_AppPath(kAppPath);
        job.setEmpresa_Codigo(1);
        job.setEmpresa_Nombre(QStringLiteral("Comercial Demo"));
        job.setConnectionString(db.conn().property(QStringLiteral("Extended Properties")).toString());
        job.setReportSource(&grid);
        job.setTitulo(QStringLiteral("Configuraciones de Pantalla"));
        job.setAjustarColumnas(true);
    }

    int tempTables(CRPrintGrid& job)
    {
        if (!job.ConexionTrabajo())
            return 0;
        db::Connection& c = *job.ConexionTrabajo();
        if (c.isPostgreSQL())
            return c.scalar(QStringLiteral("SELECT COUNT(*) FROM pg_tables WHERE schemaname = pg_my_temp_schema()::regnamespace::text"))
                .toInt();
        return c.scalar(QStringLiteral("SELECT COUNT(*) FROM sqlite_temp_master WHERE type = 'table'")).toInt();
    }

    static Error caught(const std::function<void()>& f)
    {
        try {
            f();
        } catch (const Error& e) {
            return e;
        }
        ADD_FAILURE() << "no error raised";
        return Error();
    }

    test::TestDatabase db{test::TestDatabase::File};
    test::ServiceDoubles services;
    Grid grid;
    QTemporaryDir out;
};

TEST_F(GridPrinting, PdfShowsCompanyTitleRowsAndNotTheHiddenColumns)
{
    addSampleRows();
    CRPrintGrid job;
    setUpJob(job);
    job.setCriterio(QStringLiteral("Almacén 1"));
    const QString pdf = out.filePath(QStringLiteral("grid.pdf"));
    job.ImprimirPdf(pdf);

    const QString text = test::pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Empresa: 1 - Comercial Demo"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Configuraciones de Pantalla"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Almacén 1")));
    EXPECT_TRUE(text.contains(QStringLiteral("Página 1 de 1")));
    for (const char* s : {"Código", "Descripción", "Fecha", "Importe", "Activo", "O'Brien \"el bueno\"",
                          "Ñandú cañón ;-- DROP", "06/12/2026", "1.234,56", "7,50"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s << "\n" << text.toStdString();
    for (const char* s : {"Oculta", "SECRETO", "SINTITULO", "01/01/1900"})
        EXPECT_FALSE(text.contains(QLatin1String(s))) << s;
    // The code column keeps the grid's look: no thousands point, no decimals.
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("\\b17\\b"))));
    EXPECT_FALSE(text.contains(QStringLiteral("17,00")));
}

TEST_F(GridPrinting, LongGridRunsOverPagesWithTheHeaderAndPageNumberOnEach)
{
    for (int i = 1; i <= 250; ++i)
        addRow({QString::number(i), QStringLiteral("Artículo %1").arg(i, 3, 10, QLatin1Char('0')), "", "", "1,00", "", "0"});
    CRPrintGrid job;
    setUpJob(job);
    const QString pdf = out.filePath(QStringLiteral("largo.pdf"));
    job.ImprimirPdf(pdf);
    const QStringList pages = test::pdfPages(pdf);
    ASSERT_GE(pages.size(), 3);
    for (int i = 0; i < pages.size(); ++i) {
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Página %1 de %2").arg(i + 1).arg(pages.size())));
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Descripción")));
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Empresa: 1 - Comercial Demo")));
    }
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Artículo 250")));
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Registros: 250")));
}

TEST_F(GridPrinting, OneObjectReusesItsTableNameAndDropsTheTableAfterEachPrint)
{
    addSampleRows();
    CRPrintGrid job;
    setUpJob(job);
    auto first = job.Preparar();
    const QString name = job.NombreTabla();
    EXPECT_FALSE(name.isEmpty());
    EXPECT_EQ(first->data().rowCount(), 2);
    EXPECT_EQ(tempTables(job), 0);

    addRow({"19", "Tercera", "", "", "1", "", "1"});
    auto second = job.Preparar();
    EXPECT_EQ(job.NombreTabla(), name);
    EXPECT_EQ(second->data().rowCount(), 3);
    EXPECT_EQ(tempTables(job), 0);
}

TEST_F(GridPrinting, CancellingTheCopyOfManyRowsPrintsNothingAndLeavesNoTable)
{
    for (int i = 0; i < 500; ++i)
        addRow({QString::number(i), QStringLiteral("Fila %1").arg(i), "", "", "1", "", "1"});
    CRPrintGrid job;
    setUpJob(job);
    controls::Progress::setShowAfter(0);
    QString label;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        label = dlg->labelText();
        for (QAbstractButton* b : dlg->findChildren<QAbstractButton*>())
            if (b->text() == QLatin1String("Cancelar"))
                b->click();
    });
    const QString pdf = out.filePath("cancelado.pdf");
    job.ImprimirPdf(pdf);
    controls::Progress::setShowAfter(500);
    EXPECT_EQ(label, QStringLiteral("Preparando el listado...\n0 de 500"));
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(tempTables(job), 0);
    EXPECT_TRUE(services.messages->shown.empty()) << "a cancel is no failure";

    // The same job prints in full afterwards.
    auto report = job.Preparar();
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->data().rowCount(), 500);
}

TEST_F(GridPrinting, TwoJobsInTheSameSecondNeverShareATable)
{
    addSampleRows();
    CRPrintGrid a, b;
    setUpJob(a);
    setUpJob(b);
    a.Preparar();
    b.Preparar();
    EXPECT_NE(a.NombreTabla(), b.NombreTabla());
    EXPECT_NE(a.ConexionTrabajo(), b.ConexionTrabajo());
}

TEST_F(GridPrinting, FailureIsRaisedAgainWithTheImprimirNumberAndLeavesNoTable)
{
    addSampleRows();
    // A layout without the title object fails after the table was filled.
    QTemporaryDir app;
    ASSERT_TRUE(QDir(app.path()).mkdir(QStringLiteral("Rpt")));
    QFile src(kAppPath + QStringLiteral("/Rpt/Listado Dinamico.rpt"));
    ASSERT_TRUE(src.open(QIODevice::ReadOnly));
    QByteArray xml = src.readAll();
    xml.replace("name=\"txtTitulo\"", "name=\"txtOtro\"");
    QFile dst(app.path() + QStringLiteral("/Rpt/Listado Dinamico.rpt"));
    ASSERT_TRUE(dst.open(QIODevice::WriteOnly));
    dst.write(xml);
    dst.close();

    CRPrintGrid job;
    setUpJob(job);
    job.setEmpresa_AppPath(app.path());
    Error e = caught([&] { job.Preparar(); });
    EXPECT_EQ(e.number(), CRPrintGrid::ErrorImprimir);
    EXPECT_TRUE(e.source().contains(QStringLiteral(" Imprimir - 50105"))) << e.source().toStdString();
    EXPECT_TRUE(e.description().contains(QStringLiteral("txtTitulo")));
    EXPECT_FALSE(job.NombreTabla().isEmpty());
    EXPECT_EQ(tempTables(job), 0);

    // No layout at all: the message names the file that is missing.
    job.setEmpresa_AppPath(out.path());
    e = caught([&] { job.ImprimirPdf(out.filePath(QStringLiteral("x.pdf"))); });
    EXPECT_EQ(e.number(), CRPrintGrid::ErrorImprimir);
    EXPECT_TRUE(e.description().contains(QStringLiteral("Listado Dinamico.rpt")));
    EXPECT_FALSE(QFile::exists(out.filePath(QStringLiteral("x.pdf"))));

    // And the object still prints once the layout is back.
    job.setEmpresa_AppPath(kAppPath);
    EXPECT_EQ(job.Preparar()->data().rowCount(), 2);
}

TEST_F(GridPrinting, SettersRefuseWhatTheyCannotUse)
{
    CRPrintGrid job;
    QObject notAGrid;
    Error e = caught([&] { job.setReportSource(&notAGrid); });
    EXPECT_EQ(e.description(), QStringLiteral("Origen de datos no admitido."));
    e = caught([&] { job.setConnectionString(QString()); });
    EXPECT_EQ(e.description(), QStringLiteral("Debe establecerla la cadena de conexión."));
    EXPECT_EQ(job.TipoOrigen(), QString());
    job.setReportSource(&grid);
    EXPECT_EQ(job.TipoOrigen(), QStringLiteral("VSFLEXGRID"));
}

TEST_F(GridPrinting, GridWithoutVisibleColumnsOrRowsPrintsTheHeadersOnly)
{
    Grid onlyHidden;
    onlyHidden.setCols(1);
    onlyHidden.setTextMatrix(0, 0, QStringLiteral("Oculta"));
    onlyHidden.setColHidden(0, true);
    onlyHidden.AddItem(QStringLiteral("NO DEBE SALIR"));
    CRPrintGrid job;
    setUpJob(job);
    job.setReportSource(&onlyHidden);
    const QString pdf = out.filePath(QStringLiteral("oculta.pdf"));
    job.ImprimirPdf(pdf);
    QString text = test::pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Configuraciones de Pantalla"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("NO DEBE SALIR")));
    EXPECT_FALSE(text.contains(QStringLiteral("Oculta")));

    CRPrintGrid empty;
    setUpJob(empty); // the grid has its header row only
    const QString pdf2 = out.filePath(QStringLiteral("vacia.pdf"));
    empty.ImprimirPdf(pdf2);
    text = test::pdfText(pdf2);
    EXPECT_TRUE(text.contains(QStringLiteral("Descripción")));
    EXPECT_TRUE(text.contains(QStringLiteral("Registros: 0")));
}

TEST_F(GridPrinting, QueryIsProbedForItsColumnsAndPrinted)
{
    db.exec("INSERT INTO Agentes (Cod_Empresa, Codigo, Nombre) VALUES (1, 10, 'Zoe L''Hôte'), (1, 32, 'Ana')");
    CRPrintGrid job;
    job.setEmpresa_AppPath(kAppPath);
    job.setConnectionString(db.conn().property(QStringLiteral("Extended Properties")).toString());
    job.setSQLSource(QStringLiteral("  SELECT Codigo, Nombre FROM Agentes ORDER BY Nombre  "));
    EXPECT_EQ(job.TipoOrigen(), QStringLiteral("SQL STRING"));
    EXPECT_EQ(job.SQLSource(), QStringLiteral("SELECT Codigo, Nombre FROM Agentes ORDER BY Nombre"));
    ASSERT_EQ(job.Columnas().Count(), 2);
    // As the engine names it: the server folds unquoted names to lower case.
    EXPECT_EQ(job.Columnas().Item(2).Nombre, test::onServer() ? QStringLiteral("nombre") : QStringLiteral("Nombre"));
    job.Columnas().Item(QStringLiteral("Codigo")).Resumen = clsColumna::Suma;
    job.setTitulo(QStringLiteral("Agentes"));
    const QString pdf = out.filePath(QStringLiteral("sql.pdf"));
    job.ImprimirPdf(pdf);
    const QString text = test::pdfText(pdf);
    EXPECT_LT(text.indexOf(QStringLiteral("Ana")), text.indexOf(QStringLiteral("Zoe L'Hôte")));
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("\\b42\\b")))) << text.toStdString(); // 10 + 32
}

TEST_F(GridPrinting, RecordSetIsPrintedAsItIs)
{
    db.exec("INSERT INTO Agentes (Cod_Empresa, Codigo, Nombre) VALUES (1, 5, 'Benito'), (1, 6, 'Carla')");
    auto rs = db.conn().query(QStringLiteral("SELECT Nombre FROM Agentes ORDER BY Codigo"));
    CRPrintGrid job;
    job.setEmpresa_AppPath(kAppPath);
    job.setReportSource(&rs);
    EXPECT_EQ(job.TipoOrigen(), QStringLiteral("RECORDSET"));
    const QString pdf = out.filePath(QStringLiteral("rs.pdf"));
    job.ImprimirPdf(pdf);
    const QString text = test::pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Benito")));
    EXPECT_TRUE(text.contains(QStringLiteral("Carla")));
}

TEST_F(GridPrinting, ViewerShowsThePrintedGrid)
{
    addSampleRows();
    CRPrintGrid job;
    setUpJob(job);
    int pages = -1, current = -1;
    QString caption;
    services.modal->queue([&](QDialog& d) {
        auto* view = qobject_cast<frmView*>(&d);
        EXPECT_NE(view, nullptr);
        if (view) {
            pages = view->viewer()->pageCount();
            current = view->viewer()->currentPage();
            caption = view->windowTitle();
        }
        return int(QDialog::Rejected);
    });
    job.Imprimir(0, QString());
    EXPECT_EQ(services.modal->dialogsRun, QStringList{QStringLiteral("frmView")});
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(current, 1);
    EXPECT_TRUE(caption.contains(QStringLiteral("Configuraciones de Pantalla")));
    EXPECT_EQ(tempTables(job), 0);
}

TEST_F(GridPrinting, PrinterThatDoesNotExistStopsTheJobBeforeAnyTable)
{
    addSampleRows();
    CRPrintGrid job;
    setUpJob(job);
    Error e = caught([&] { job.Imprimir(1, QStringLiteral("Impresora Fantasma")); });
    EXPECT_EQ(e.number(), CRPrintGrid::ErrorImprimir);
    EXPECT_TRUE(e.description().contains(QStringLiteral("Impresora Fantasma")));
    // Named for the viewer too, it is looked for before the viewer opens.
    e = caught([&] { job.Imprimir(0, QStringLiteral("Impresora Fantasma")); });
    EXPECT_TRUE(e.description().contains(QStringLiteral("Impresora Fantasma")));
    EXPECT_TRUE(services.modal->dialogsRun.isEmpty());
    EXPECT_TRUE(job.NombreTabla().isEmpty());
}

TEST_F(GridPrinting, HundredThousandRowsFillAndPaginate)
{
    Grid big;
    big.setCols(3);
    big.setTextMatrix(0, 0, QStringLiteral("Código"));
    big.setTextMatrix(0, 1, QStringLiteral("Nombre"));
    big.setTextMatrix(0, 2, QStringLiteral("Importe"));
    big.setColDataType(0, test::numberType());
    big.setColDataType(2, test::numberType());
    big.setRedraw(false);
    for (int i = 0; i < 100000; ++i)
        big.AddItem(QStringLiteral("%1\tNombre %1\t%1,25").arg(i));
    big.setRedraw(true);
    CRPrintGrid job;
    setUpJob(job);
    job.setReportSource(&big);
    auto report = job.Preparar();
    ASSERT_EQ(report->data().rowCount(), 100000);
    EXPECT_DOUBLE_EQ(report->data().value(99999, 2).toDouble(), 99999.25);
    const ReportRenderer renderer(*report);
    EXPECT_GT(renderer.pageCount(), 1000);
}

} // namespace
