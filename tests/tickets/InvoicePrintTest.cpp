// The component's own invoice printing: what the report of a copy holds.
#include "InvoiceFixture.h"

#include "reports/Report.h"
#include "tickets/InvoiceReportPrinter.h"

#include <gtest/gtest.h>

using namespace zqvr;
using tickets::InvoiceReportPrinter;

TEST(InvoicePrinting, ACopyCarriesItsNameTheLinesAndTheTaxBreakdown)
{
    test::InvoiceWorld w;
    w.central.empresa().setVariable("TipoDoc_2", "Duplicado");
    w.store().generar(test::InvoiceWorld::request(), w.host());
    host::InvoicePrintRequest r;
    r.conexion = &w.central.conn();
    r.empresa = &w.central.empresa();
    r.almacen = 1;
    r.caja = 1;
    r.fecha = test::kDay5;
    r.ticket = 1;
    r.mostrarDtos = false;
    const tickets::InvoiceDocument d = InvoiceReportPrinter::documentFor(r);
    EXPECT_EQ(d.serie, 7);
    EXPECT_EQ(d.numero, 1);
    EXPECT_EQ(d.fechaFactura, QDate(2027, 1, 15));
    ASSERT_EQ(d.lineas.size(), 3);

    auto rpt = InvoiceReportPrinter::reportFor(d, 2, QStringLiteral(ZQVR_SOURCE_DIR "/Rpt/Factura.rpt"));
    rpt->prepare();
    EXPECT_EQ(rpt->parameterValue("Copia").toString(), "Duplicado");
    EXPECT_EQ(rpt->parameterValue("Total").toString(), "16,24");
    // Lines 1 and 3 at 7%, line 2 without a rate in force on its day: each rate its own base.
    EXPECT_EQ(rpt->parameterValue("ImpuestosEtiquetas").toString(), "Base 2,98 al 0,00%\nBase 12,39 al 7,00%");
    EXPECT_EQ(rpt->parameterValue("ImpuestosImportes").toString(), "0,00\n0,87");
    // Without discounts the price is the net unit price and the column is hidden.
    EXPECT_DOUBLE_EQ(rpt->data().value(2, 3).toDouble(), 6.26);
    EXPECT_FALSE(rpt->layout().object("fldDto")->visible);

    // A ticket without invoice is not printed as one.
    r.ticket = 3;
    EXPECT_THROW(InvoiceReportPrinter::documentFor(r), Error);
}
