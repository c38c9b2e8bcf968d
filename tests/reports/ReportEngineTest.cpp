// The report engine as a user meets it: layouts read from files, reports
// filled from data or queries and written to PDF, whose text is read back.
#include "reports/PdfText.h"
#include "reports/Report.h"
#include "reports/ReportLayout.h"
#include "reports/ReportOutput.h"
#include "reports/ReportRenderer.h"
#include "support/ScreenTest.h"

#include "db/Error.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::reports;

namespace {

// A small listing: a page header with the page number, one detail line per row, totals.
const char* kListing = R"(<?xml version="1.0" encoding="UTF-8"?>
<report name="Prueba">
  <page size="A4" left="567" top="567" right="567" bottom="567"/>
  <section name="PageHeaderSection1" height="600">
    <text name="txtTitulo" x="0" y="0" width="6000" height="300" size="12" bold="true">Listado de prueba</text>
    <formula name="forPagina" x="7000" y="0" width="3000" height="300" align="right">Página {PageNumber} de {TotalPages}</formula>
  </section>
  <section name="DetailSection1" height="260">
    <field name="fldNombre" x="0" y="0" width="4000" height="240" source="{ado.Nombre}"/>
    <field name="fldImporte" x="4200" y="0" width="2000" height="240" source="{ado.Importe}" format="number:2" align="right"/>
  </section>
  <section name="ReportFooterSection1" height="400">
    <summary name="sumImporte" x="4200" y="60" width="2000" height="240" source="{ado.Importe}" kind="sum" format="number:2" align="right"/>
    <summary name="cntFilas" x="0" y="60" width="2000" height="240" source="{ado.Nombre}" kind="count"/>
  </section>
</report>
)";

class ReportEngine : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& text)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return path;
    }
    static ReportData rows(int n)
    {
        ReportData d({QStringLiteral("Nombre"), QStringLiteral("Importe")});
        for (int i = 1; i <= n; ++i)
            d.addRow({QStringLiteral("Fila %1").arg(i, 4, 10, QLatin1Char('0')), 1.5 * i});
        return d;
    }
    QTemporaryDir dir;
};

long errorNumberOf(const std::function<void()>& f, QString* description = nullptr)
{
    try {
        f();
    } catch (const Error& e) {
        if (description)
            *description = e.description();
        return e.number();
    }
    return 0;
}

TEST_F(ReportEngine, MissingOrMalformedLayoutNamesTheFile)
{
    QString text;
    const QString missing = dir.filePath(QStringLiteral("No Existe.rpt"));
    EXPECT_EQ(errorNumberOf([&] { Report::open(missing); }, &text), rpterr::LayoutMissing);
    EXPECT_TRUE(text.contains(missing)) << text.toStdString();

    const QString broken = write(QStringLiteral("Roto.rpt"), "<report name=\"x\">\n<section name=\"DetailSection1\" height=\"2");
    EXPECT_EQ(errorNumberOf([&] { Report::open(broken); }, &text), rpterr::LayoutMalformed);
    EXPECT_TRUE(text.contains(broken)) << text.toStdString();

    const QString badNumber = write(QStringLiteral("Malo.rpt"),
                                    "<report>\n<section name=\"DetailSection1\" height=\"240\">\n"
                                    "<text name=\"t\" x=\"abc\" width=\"10\" height=\"10\"/>\n</section>\n</report>");
    EXPECT_EQ(errorNumberOf([&] { Report::open(badNumber); }, &text), rpterr::LayoutMalformed);
    EXPECT_TRUE(text.contains(QStringLiteral("línea 3"))) << text.toStdString();

    const QString noKind = write(QStringLiteral("SinTipo.rpt"), "<report><section name=\"Cabecera\" height=\"240\"/></report>");
    EXPECT_EQ(errorNumberOf([&] { Report::open(noKind); }), rpterr::LayoutMalformed);
}

TEST_F(ReportEngine, MarginsThatLeaveNoRoomAreRefusedHoweverLargeTheyAre)
{
    auto layoutWith = [](const char* page) {
        return QByteArray("<report><page ") + page +
               "/><section name=\"DetailSection1\" height=\"240\"/></report>";
    };
    // Margins whose sum is beyond the integers' range once came round to a plausible width.
    for (const char* page : {"size=\"A4\" left=\"2147483647\" right=\"2147483647\"",
                             "size=\"A4\" top=\"2147483647\" bottom=\"2147483647\"",
                             "size=\"A4\" left=\"6000\" right=\"5906\""}) {
        SCOPED_TRACE(page);
        QString text;
        EXPECT_EQ(errorNumberOf([&] { ReportLayout::parse(layoutWith(page), QStringLiteral("Margenes.rpt")); }, &text),
                  rpterr::LayoutMalformed);
        EXPECT_TRUE(text.contains(QStringLiteral("los márgenes no dejan sitio en la página"))) << text.toStdString();
    }
    const ReportLayout wide = ReportLayout::parse(
        layoutWith("width=\"2147483647\" height=\"2000\" left=\"0\" right=\"0\" top=\"0\" bottom=\"0\""),
        QStringLiteral("Ancho.rpt"));
    EXPECT_EQ(wide.page.printableWidth(), 2147483647);
    EXPECT_EQ(ReportLayout::parse(layoutWith("size=\"A4\" left=\"6000\" right=\"5905\""), QStringLiteral("x"))
                  .page.printableWidth(),
              1);
}

TEST_F(ReportEngine, ShippedGridListingHasTheObjectsTheGridPrinterFills)
{
    const ReportLayout layout = ReportLayout::load(QStringLiteral(ZQVR_SOURCE_DIR "/Rpt/Listado Dinamico.rpt"));
    for (const char* s : {"PageHeaderSection1", "PageHeaderSection2", "DetailSection1", "ReportFooterSection1"})
        EXPECT_NE(layout.section(QLatin1String(s)), nullptr) << s;
    for (const char* o : {"txtTitulo", "forFecha", "forPagina", "Box1", "txtEmpresa"})
        EXPECT_NE(layout.object(QLatin1String(o)), nullptr) << o;
    EXPECT_EQ(layout.section(QStringLiteral("PageHeaderSection2"))->kind, SectionKind::PageHeader);
}

TEST_F(ReportEngine, ShippedCompanyBlockPrintsTheCompanyOfItsParameter)
{
    test::TestDatabase db;
    db.exec("INSERT INTO Empresas (Codigo, Nombre_1, Nif, Direccion, Cp, Localidad, Provincia, Telefono) VALUES "
            "(1, 'Comercial Brevanto', 'B35000000', 'Calle Mayor 1', 35001, 'Las Palmas', 'Las Palmas', '928000000'), "
            "(2, 'Otra Empresa', '', '', 0, '', '', '')");
    auto report = Report::open(QStringLiteral(ZQVR_SOURCE_DIR "/Rpt/Empresa.rpt"));
    report->setConnection(&db.conn());
    report->setParameter(QStringLiteral("Empresa"), 1);
    const QString pdf = dir.filePath(QStringLiteral("empresa.pdf"));
    writePdf(*report, pdf);
    const QString text = test::pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Comercial Brevanto")));
    EXPECT_TRUE(text.contains(QStringLiteral("NIF: B35000000")));
    EXPECT_TRUE(text.contains(QStringLiteral("Calle Mayor 1, 35001 Las Palmas (Las Palmas)")));
    EXPECT_FALSE(text.contains(QStringLiteral("Otra Empresa")));
}

TEST_F(ReportEngine, LayoutWrittenAsXmlReadsBackTheSame)
{
    ReportLayout layout = ReportLayout::parse(kListing, QStringLiteral("memoria"));
    ReportObject extra = ReportObject::makeField(QStringLiteral("fldExtra"), QStringLiteral("{ado.Nombre}"), {100, 20, 900, 240});
    extra.canGrow = true;
    extra.align = TextAlign::Center;
    extra.blankIf = QStringLiteral("01/01/1900");
    layout.addObject(QStringLiteral("DetailSection1"), extra);
    layout.requireObject(QStringLiteral("txtTitulo")).text = QStringLiteral("<Título> & 'comillas'");

    const ReportLayout back = ReportLayout::parse(layout.toXml(), QStringLiteral("copia"));
    ASSERT_EQ(back.sections.size(), layout.sections.size());
    const ReportObject* e = back.object(QStringLiteral("fldExtra"));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->rect(), QRect(100, 20, 900, 240));
    EXPECT_TRUE(e->canGrow);
    EXPECT_EQ(e->align, TextAlign::Center);
    EXPECT_EQ(e->field, QStringLiteral("Nombre"));
    EXPECT_EQ(e->blankIf, QStringLiteral("01/01/1900"));
    EXPECT_EQ(back.object(QStringLiteral("txtTitulo"))->text, QStringLiteral("<Título> & 'comillas'"));
    EXPECT_EQ(back.object(QStringLiteral("sumImporte"))->summary, SummaryKind::Sum);
    EXPECT_EQ(back.object(QStringLiteral("cntFilas"))->summary, SummaryKind::Count);
}

TEST_F(ReportEngine, PdfShowsHeaderOnEveryPageRowsAndTotals)
{
    Report report(ReportLayout::parse(kListing, QStringLiteral("memoria")));
    report.setData(rows(150));
    const QString pdf = dir.filePath(QStringLiteral("listado.pdf"));
    writePdf(report, pdf);

    const QStringList pages = test::pdfPages(pdf);
    ASSERT_GE(pages.size(), 3);
    const int n = int(pages.size());
    for (int i = 0; i < n; ++i) {
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Listado de prueba"))) << "page " << i + 1;
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Página %1 de %2").arg(i + 1).arg(n))) << pages[i].toStdString();
    }
    EXPECT_TRUE(pages.first().contains(QStringLiteral("Fila 0001")));
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Fila 0150")));
    // Every row printed once, in order.
    const QString all = pages.join(QString());
    int last = -1;
    for (int i = 1; i <= 150; ++i) {
        const int at = all.indexOf(QStringLiteral("Fila %1").arg(i, 4, 10, QLatin1Char('0')));
        ASSERT_GT(at, last) << "row " << i;
        last = at;
    }
    EXPECT_EQ(all.count(QStringLiteral("Fila 0077")), 1);
    // 1,5 + 3 + ... + 225 = 1,5 * 150 * 151 / 2
    EXPECT_TRUE(pages.last().contains(QStringLiteral("16.987,50"))) << pages.last().toStdString();
    EXPECT_TRUE(pages.last().contains(QRegularExpression(QStringLiteral("\\b150\\b"))));
}

TEST_F(ReportEngine, CanGrowFieldPrintsLongTextWholeAndFixedFieldCutsIt)
{
    const QString longText = QStringLiteral("Una descripción muy larga que no cabe en una sola línea de la columna y "
                                            "tiene que seguir en las siguientes hasta acabar en FINAL");
    ReportLayout layout = ReportLayout::parse(kListing, QStringLiteral("memoria"));
    layout.requireObject(QStringLiteral("fldNombre")).canGrow = true;
    Report grows(layout);
    ReportData d({QStringLiteral("Nombre"), QStringLiteral("Importe")});
    d.addRow({longText, 1});
    d.addRow({QStringLiteral("Siguiente fila"), 2});
    grows.setData(d);
    const QString a = dir.filePath(QStringLiteral("crece.pdf"));
    writePdf(grows, a);
    const QString text = test::pdfText(a).simplified();
    EXPECT_TRUE(text.contains(QStringLiteral("FINAL")));
    EXPECT_TRUE(text.contains(QStringLiteral("Siguiente fila"))) << text.toStdString();
    // The wrapped text does not overprint the row after it: that row starts after FINAL.
    EXPECT_LT(text.indexOf(QStringLiteral("FINAL")), text.indexOf(QStringLiteral("Siguiente fila")));

    layout.requireObject(QStringLiteral("fldNombre")).canGrow = false;
    Report fixed(layout);
    fixed.setData(d);
    const QString b = dir.filePath(QStringLiteral("fijo.pdf"));
    writePdf(fixed, b);
    const QString cut = test::pdfText(b);
    EXPECT_FALSE(cut.contains(QStringLiteral("FINAL")));
    EXPECT_TRUE(cut.contains(QStringLiteral("…")));
}

TEST_F(ReportEngine, AFieldMissingFromTheDataFailsBeforeTheFileIsTouched)
{
    ReportLayout layout = ReportLayout::parse(kListing, QStringLiteral("memoria"));
    layout.addObject(QStringLiteral("DetailSection1"),
                     ReportObject::makeField(QStringLiteral("fldNoHay"), QStringLiteral("{ado.NoHay}"), {7000, 0, 1000, 240}));
    Report report(layout);
    report.setData(rows(3));
    const QString pdf = write(QStringLiteral("anterior.pdf"), "contenido anterior");
    QString text;
    EXPECT_EQ(errorNumberOf([&] { writePdf(report, pdf); }, &text), rpterr::UnknownField);
    EXPECT_TRUE(text.contains(QStringLiteral("NoHay")));
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("contenido anterior"));
}

TEST_F(ReportEngine, PdfIntoAFolderThatDoesNotExistIsReported)
{
    Report report(ReportLayout::parse(kListing, QStringLiteral("memoria")));
    report.setData(rows(2));
    QString text;
    const QString path = dir.filePath(QStringLiteral("no/hay/carpeta.pdf"));
    EXPECT_EQ(errorNumberOf([&] { writePdf(report, path); }, &text), rpterr::OutputFailed);
    EXPECT_TRUE(text.contains(path));
}

TEST_F(ReportEngine, UnknownPrinterIsReportedNotReplaced)
{
    Report report(ReportLayout::parse(kListing, QStringLiteral("memoria")));
    report.setData(rows(2));
    QString text;
    EXPECT_EQ(errorNumberOf([&] { printReport(report, QStringLiteral("Impresora Que No Existe 42")); }, &text),
              rpterr::PrinterNotFound);
    EXPECT_TRUE(text.contains(QStringLiteral("Impresora Que No Existe 42")));
}

TEST_F(ReportEngine, LayoutQueryTakesParametersOnlyAsLiterals)
{
    test::TestDatabase db;
    db.exec("INSERT INTO Agentes (Cod_Empresa, Codigo, Nombre) VALUES (1, 1, 'O''Brien; --'), (1, 2, 'Zapata'), (1, 3, 'Álvarez')");
    const QByteArray xml = R"(<report name="Agentes">
      <parameter index="1" name="Nombre" type="text"/>
      <parameter index="2" name="Orden" type="choice" choices="Codigo|Nombre"/>
      <parameter index="3" name="Desde" type="int"/>
      <query>SELECT Codigo, Nombre FROM Agentes WHERE (Nombre = {?1} OR Codigo >= {?Desde}) ORDER BY {?2}</query>
      <section name="PageHeaderSection1" height="300">
        <formula name="forFiltro" x="0" y="0" width="8000" height="240">Filtro: {?Nombre} por {?Orden}</formula>
      </section>
      <section name="DetailSection1" height="240">
        <field name="fldNombre" x="0" y="0" width="4000" height="240" source="{ado.Nombre}"/>
      </section>
    </report>)";
    Report report(ReportLayout::parse(xml, QStringLiteral("Agentes.rpt")));
    report.setConnection(&db.conn());
    report.setParameter(1, QStringLiteral("O'Brien; --"));
    report.setParameter(2, 1);
    report.setParameter(QStringLiteral("Desde"), 3);
    report.prepare();
    ASSERT_EQ(report.data().rowCount(), 2);
    EXPECT_EQ(report.data().value(0, 1).toString(), QStringLiteral("O'Brien; --"));
    EXPECT_EQ(report.data().value(1, 1).toString(), QStringLiteral("Álvarez"));

    const QString pdf = dir.filePath(QStringLiteral("agentes.pdf"));
    writePdf(report, pdf);
    EXPECT_TRUE(test::pdfText(pdf).contains(QStringLiteral("Filtro: O'Brien; -- por Nombre")));

    // A choice outside the layout's list or a number that is not one is refused, not written.
    report.setParameter(2, 7);
    EXPECT_EQ(errorNumberOf([&] { report.prepare(); }), rpterr::MissingParameter);
    report.setParameter(2, 0);
    report.setParameter(3, QStringLiteral("1; DELETE FROM Agentes"));
    EXPECT_EQ(errorNumberOf([&] { report.prepare(); }), rpterr::MissingParameter);
    EXPECT_EQ(db.count(QStringLiteral("Agentes")), 3);
}

TEST_F(ReportEngine, SubreportPrintsItsRowsInsideTheHeader)
{
    test::TestDatabase db;
    db.exec("INSERT INTO Empresas (Codigo, Nombre_1) VALUES (1, 'Comercial Ñandú'), (2, 'Otra')");
    write(QStringLiteral("Empresa.rpt"), R"(<report name="Empresa">
      <parameter index="1" name="Empresa" type="int"/>
      <query>SELECT Nombre_1 FROM Empresas WHERE Codigo = {?1}</query>
      <section name="DetailSection1" height="300">
        <field name="fldNombre" x="0" y="0" width="5000" height="280" source="{ado.Nombre_1}" bold="true"/>
      </section>
    </report>)");
    const QString main = write(QStringLiteral("Principal.rpt"), R"(<report name="Principal">
      <parameter index="1" name="Empresa" type="int"/>
      <section name="PageHeaderSection1" height="400">
        <subreport name="subEmpresa" x="0" y="0" width="6000" height="300" file="Empresa.rpt" canGrow="true"/>
      </section>
      <section name="DetailSection1" height="240">
        <field name="fldNombre" x="0" y="0" width="4000" height="240" source="{ado.Nombre}"/>
      </section>
    </report>)");
    auto report = Report::open(main);
    report->setConnection(&db.conn());
    report->setParameter(1, 1);
    report->setData(rows(2));
    const QString pdf = dir.filePath(QStringLiteral("sub.pdf"));
    writePdf(*report, pdf);
    const QString text = test::pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Comercial Ñandú")));
    EXPECT_FALSE(text.contains(QStringLiteral("Otra")));
    EXPECT_LT(text.indexOf(QStringLiteral("Comercial Ñandú")), text.indexOf(QStringLiteral("Fila 0001")));
}

TEST_F(ReportEngine, HeadersThatFillThePageAreRefusedRatherThanPrintingBlankPages)
{
    ReportLayout layout = ReportLayout::parse(kListing, QStringLiteral("memoria"));
    layout.requireSection(QStringLiteral("PageHeaderSection1")).height = 17000;
    Report report(layout);
    report.setData(rows(3));
    EXPECT_EQ(errorNumberOf([&] { writePdf(report, dir.filePath(QStringLiteral("alto.pdf"))); }), rpterr::LayoutMalformed);
}

TEST_F(ReportEngine, EmptyDataStillPrintsOnePageWithHeaders)
{
    Report report(ReportLayout::parse(kListing, QStringLiteral("memoria")));
    report.setData(rows(0));
    const ReportRenderer r(report);
    EXPECT_EQ(r.pageCount(), 1);
    const QString pdf = dir.filePath(QStringLiteral("vacio.pdf"));
    writePdf(report, pdf);
    EXPECT_TRUE(test::pdfText(pdf).contains(QStringLiteral("Página 1 de 1")));
}

} // namespace
