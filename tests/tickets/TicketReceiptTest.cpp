// The reprinted ticket as text: the exact 70-column receipt (the contract
// with the printer), the header and footer rules, the payment variants, and
// which printing object code 75 sends the ticket to.
#include "tickets/ReceiptTicketPrinter.h"
#include "tickets/TicketPrinting.h"
#include "tickets/TicketReceipt.h"

#include "../reports/PdfText.h"
#include "TicketFixture.h"
#include "db/Error.h"
#include "host/Empresa.h"
#include "host/TicketPrinter.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace zqvr::tickets;
using zqvr::test::kDay5;

namespace {

ReceiptData sample()
{
    ReceiptData d;
    d.cabecera = {{100, QStringLiteral("<JC><S>SUPERMERCADO LA PALMA")},
                  {101, QStringLiteral("-")},
                  {102, QString()},
                  {103, QStringLiteral("C/ Mayor, 1 <R>")}};
    d.pie = {{130, QStringLiteral("Gracias por su visita")}, {131, QStringLiteral("<N><2>")}};
    d.numero = 42;
    d.fecha = kDay5;
    d.caja = 3;
    d.cajero = 7;
    d.nombreCajero = QStringLiteral("Ana López");
    d.lineas = {{QStringLiteral("Café molido 250 g"), 2, 3.5, false},
                {QStringLiteral("Leche entera 1 L"), 1.5, 1.2, false},
                {QStringLiteral("Galletas regalo"), 1, 2, true}};
    d.total = 8.62;
    d.efectivo = 5;
    d.tarjeta = 5;
    d.nombreTarjeta = QStringLiteral("VISA");
    return d;
}

TEST(TextReceipt, IsExactlyTheAgreedSeventyColumnText)
{
    const QStringList expected = {
        QStringLiteral("                        SUPERMERCADO LA PALMA                         "),
        QString(),
        QStringLiteral("                             C/ Mayor, 1                              "),
        QString(),
        QStringLiteral("Ticket: 42                    Caja  : 00003"),
        QStringLiteral("Fecha : 05/12/2026            Cajero: 7 - Ana López                   "),
        QStringLiteral("----------------------------------------------------------------------"),
        QStringLiteral("DESCRIPCION                               CANTIDAD     PVP     IMPORTE"),
        QStringLiteral("----------------------------------------------------------------------"),
        QStringLiteral("Café molido 250 g                            2,000      3,50      7,00"),
        QStringLiteral("Leche entera 1 L                             1,500      1,20      1,80"),
        QString(),
        QStringLiteral("========================== AHORRO PROMOCION =========================="),
        QStringLiteral("Galletas regalo                              1,000      2,00      2,00"),
        QStringLiteral("                              Total Ahorro :                      2,00"),
        QStringLiteral("======================================================================"),
        QStringLiteral("                              Lineas : 3                    ----------"),
        QStringLiteral("                              Total     :                         8,62"),
        QStringLiteral("                              Entregado :                        10,00"),
        QStringLiteral("                              Efectivo :                          5,00"),
        QStringLiteral("                                          VISA :                  5,00"),
        QStringLiteral("                              Cambio    :                         1,38"),
        QStringLiteral("                        Gracias por su visita                         "),
        QString(70, QLatin1Char(' ')),
    };
    const QStringList got = buildReceipt(sample());
    EXPECT_EQ(got.join(QLatin1Char('\n')), expected.join(QLatin1Char('\n')));
    for (const QString& l : got)
        EXPECT_LE(l.size(), ReceiptWidth) << l.toStdString();
}

TEST(TextReceipt, ALongCashierNameUsesTheRestOfTheLineBeforeItIsCut)
{
    ReceiptData d = sample();
    d.cajero = 12;
    d.nombreCajero = QStringLiteral("María Dolores Hernández Padrón");
    const QString line = buildReceipt(d).at(5);
    EXPECT_EQ(line, QStringLiteral("Fecha : 05/12/2026            Cajero: 12 - María Dolores Hernández Pad"));
}

TEST(TextReceipt, OnePaymentKindShowsOnlyItsCentredLabel)
{
    ReceiptData d = sample();
    d.lineas.removeLast();
    d.tarjeta = 0;
    d.efectivo = 10;
    const QStringList got = buildReceipt(d);
    EXPECT_TRUE(got.contains(QString(30, QLatin1Char(' ')) + QStringLiteral("   - Efectivo -   ")));
    for (const QString& l : got)
        EXPECT_FALSE(l.contains(QStringLiteral("Efectivo : "))) << l.toStdString();
    EXPECT_FALSE(got.join('\n').contains(QStringLiteral("AHORRO")));
    EXPECT_FALSE(got.join('\n').contains(QStringLiteral("Total Ahorro")));
    EXPECT_TRUE(got.contains(QStringLiteral("                              Cambio    :                         1,38")));

    d.efectivo = 0;
    d.tarjeta = 8.62;
    d.nombreTarjeta = QStringLiteral("AMERICAN EXPRESS GOLD");
    EXPECT_TRUE(buildReceipt(d).contains(QString(30, QLatin1Char(' ')) + QStringLiteral("- AMERICAN EXPRE -")));
}

TEST(TextReceipt, RefundDeliversNothingAndGivesBackTheCash)
{
    ReceiptData d = sample();
    d.lineas = {{QStringLiteral("Café molido 250 g"), -1, 3.5, false}};
    d.total = -3.5;
    d.efectivo = -3.5;
    d.tarjeta = 0;
    const QStringList got = buildReceipt(d);
    EXPECT_TRUE(got.contains(QStringLiteral("                              Entregado :                         0,00")));
    EXPECT_TRUE(got.contains(QStringLiteral("                              Cambio    :                         3,50")));
    EXPECT_TRUE(got.contains(QStringLiteral("Café molido 250 g                           -1,000      3,50     -3,50")));
}

TEST(TextReceipt, HeaderValuesKeepQuotesAndLoseOnlyTags)
{
    QStringList out;
    addParameterLine(out, QStringLiteral("<JC>Bar O'Donnell<JD>"));
    addParameterLine(out, QStringLiteral("<S><N><R><1><2><JR><JC><JD>"));
    addParameterLine(out, QStringLiteral("-"));
    addParameterLine(out, QString());
    ASSERT_EQ(out.size(), 3);
    EXPECT_EQ(out[0], QString(28, QLatin1Char(' ')) + QStringLiteral("Bar O'Donnell") + QString(29, QLatin1Char(' ')));
    EXPECT_EQ(out[1], QString(70, QLatin1Char(' ')));
    EXPECT_EQ(out[2], QString());
    // A header longer than the receipt is cut, never wider.
    out.clear();
    addParameterLine(out, QString(90, QLatin1Char('x')));
    EXPECT_EQ(out[0].size(), 70);
}

// ---- printing through code 75 ----

struct CapturedTicket {
    static inline QList<zqvr::host::TicketPrintRequest> requests;
};
class FakeTicketPrinter : public zqvr::host::TicketPrinter {
public:
    void print(const zqvr::host::TicketPrintRequest& r) override { CapturedTicket::requests << r; }
};

class ReprintPath : public ::testing::Test {
protected:
    void SetUp() override
    {
        zqvr::test::fillTicketFixture(db);
        CapturedTicket::requests.clear();
        zqvr::host::TicketPrinter::setFactory([] { return std::make_unique<FakeTicketPrinter>(); });
    }
    void TearDown() override { zqvr::host::TicketPrinter::setFactory({}); }
    TicketToPrint ticket(int caja, int codigo)
    {
        TicketToPrint t;
        t.key = {1, 1, caja, kDay5, codigo};
        TicketStore store(db.conn());
        const auto found = store.ticket(t.key, 1);
        t.row = found->row;
        t.cajero = found->cajero;
        t.nombreCajero = found->nombreCajero;
        t.lines = store.lines(t.key, 1);
        return t;
    }
    zqvr::test::TestDatabase db;
    QTemporaryDir dir;
};

TEST_F(ReprintPath, TicketModelCodeFalseHandsTheKeyToTheHostsTicketPrinter)
{
    db.exec("INSERT INTO Tpv_Parametros (Cod_Empresa, Cod_Almacen, Codigo, Valor) VALUES (1, 1, 75, '0')");
    const QString file = dir.filePath(QStringLiteral("t.txt"));
    const auto path = TicketPrinting::print(db.conn(), db.empresa(), ticket(2, 1),
                                            {zqvr::host::OutputDevice::File, file});
    EXPECT_EQ(path, TicketPrinting::Path::TicketModel);
    ASSERT_EQ(CapturedTicket::requests.size(), 1);
    const auto& r = CapturedTicket::requests.front();
    EXPECT_EQ(r.almacen, 1);
    EXPECT_EQ(r.caja, 2);
    EXPECT_EQ(r.fecha, kDay5);
    EXPECT_EQ(r.codigo, 1);
    EXPECT_EQ(r.conexion, &db.conn());
    EXPECT_EQ(r.empresa, &db.empresa());
    EXPECT_EQ(r.device, zqvr::host::OutputDevice::File);
    EXPECT_EQ(r.target, file);
    EXPECT_FALSE(QFile::exists(file)); // the text printer was not used
}

TEST_F(ReprintPath, TextReceiptGoesToAFileWithHeaderFooterAndCardName)
{
    db.exec("INSERT INTO Tpv_Parametros (Cod_Empresa, Cod_Almacen, Codigo, Valor) VALUES"
            " (1, 1, 100, '<JC>TIENDA CENTRO'), (1, 1, 130, 'Vuelva pronto'), (1, 2, 101, 'OTRA TIENDA')");
    const QString file = dir.filePath(QStringLiteral("t.txt"));
    const auto path = TicketPrinting::print(db.conn(), db.empresa(), ticket(1, 2),
                                            {zqvr::host::OutputDevice::File, file});
    EXPECT_EQ(path, TicketPrinting::Path::TextReceipt);
    EXPECT_TRUE(CapturedTicket::requests.isEmpty());
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    EXPECT_EQ(lines.first().trimmed(), QStringLiteral("TIENDA CENTRO"));
    EXPECT_FALSE(lines.join('\n').contains(QStringLiteral("OTRA TIENDA")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Zumo de naranja                              1,000      3,00      3,00")));
    EXPECT_TRUE(lines.contains(QString(30, QLatin1Char(' ')) + QStringLiteral("     - VISA -     ")));
    EXPECT_EQ(lines.at(lines.size() - 2).trimmed(), QStringLiteral("Vuelva pronto"));
}

// A line's amount, and the promotion saving it stands for, is its quantity
// times its price: a line discounted by 10% saves its whole price.
TEST_F(ReprintPath, LinesAndSavingsAreQuantityTimesPriceWhateverTheLineDiscount)
{
    db.exec("UPDATE TPV_Tickets_Lineas SET PA = 0 WHERE Caja = 1 AND Fecha = '2026-12-05' AND Codigo = 1");
    db.exec("UPDATE TPV_Tickets_Lineas SET PA = 1 WHERE Caja = 1 AND Fecha = '2026-12-05' AND Codigo = 1 AND Num_Linea = 3");
    const QString file = dir.filePath(QStringLiteral("t.txt"));
    TicketPrinting::print(db.conn(), db.empresa(), ticket(1, 1), {zqvr::host::OutputDevice::File, file});
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    EXPECT_TRUE(lines.contains(QStringLiteral("Pack desayuno                                1,000      6,95      6,95")))
        << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("                              Total Ahorro :                      6,95")))
        << lines.join('\n').toStdString();
}

TEST_F(ReprintPath, AFileThatCannotBeWrittenIsReportedUnderThePrintProcedure)
{
    try {
        TicketPrinting::print(db.conn(), db.empresa(), ticket(1, 1),
                              {zqvr::host::OutputDevice::File, dir.filePath(QStringLiteral("no/such/dir/t.txt"))});
        FAIL() << "expected an error";
    } catch (const zqvr::Error& e) {
        EXPECT_EQ(e.source(), QStringLiteral("Visor Tickets::Imprimir"));
        EXPECT_TRUE(e.description().contains(QStringLiteral("t.txt")));
    }
}


TEST_F(ReprintPath, WithoutAHostPrinterTheTicketModelPrintsThroughTheTicketLayout)
{
    zqvr::host::TicketPrinter::setFactory({});
    db.empresa().setRutaAplicacion(QStringLiteral(ZQVR_SOURCE_DIR));
    db.exec("INSERT INTO Tpv_Parametros (Cod_Empresa, Cod_Almacen, Codigo, Valor) VALUES"
            " (1, 1, 75, '0'), (1, 1, 100, '<JC>TIENDA CENTRO'), (1, 1, 101, '-'), (1, 1, 130, '<N>Vuelva pronto')");
    const QString file = dir.filePath(QStringLiteral("t.pdf"));
    const auto path = TicketPrinting::print(db.conn(), db.empresa(), ticket(1, 1),
                                            {zqvr::host::OutputDevice::File, file});
    EXPECT_EQ(path, TicketPrinting::Path::TicketModel);
    const QString text = zqvr::test::pdfText(file);
    for (const char* expected : {"TIENDA CENTRO", "COPIA DE TICKET", "Ticket: 1", "Caja: 1", "Fecha: 05/12/2026",
                                 "Cajero: 7 - Ana López", "Café molido 250 g", "* Café molido 250 g", "Pack desayuno",
                                 "6,95", "12,50", "- Efectivo -", "20,00", "7,50", "Total Ahorro", "Vuelva pronto"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    // Tags never reach the paper, and the other till's ticket 1 stays out.
    EXPECT_FALSE(text.contains(QStringLiteral("<N>")));
    EXPECT_FALSE(text.contains(QStringLiteral("Leche entera")));
}

TEST_F(ReprintPath, TheTicketModelRefusesAMissingTicketOrLayoutWithoutWritingAFile)
{
    zqvr::host::TicketPrinter::setFactory({});
    db.exec("INSERT INTO Tpv_Parametros (Cod_Empresa, Cod_Almacen, Codigo, Valor) VALUES (1, 1, 75, '0')");
    const QString file = dir.filePath(QStringLiteral("t.pdf"));

    db.empresa().setRutaAplicacion(QStringLiteral(ZQVR_SOURCE_DIR));
    TicketToPrint gone = ticket(1, 1);
    gone.key.codigo = 77;
    EXPECT_THROW(TicketPrinting::print(db.conn(), db.empresa(), gone, {zqvr::host::OutputDevice::File, file}),
                 zqvr::Error);
    EXPECT_FALSE(QFile::exists(file));

    db.empresa().setRutaAplicacion(dir.path()); // no Rpt folder there
    try {
        TicketPrinting::print(db.conn(), db.empresa(), ticket(1, 1), {zqvr::host::OutputDevice::File, file});
        ADD_FAILURE() << "printed without its layout";
    } catch (const zqvr::Error& e) {
        EXPECT_TRUE(e.description().contains(QStringLiteral("Ticket.rpt"))) << e.description().toStdString();
    }
    EXPECT_FALSE(QFile::exists(file));
}

} // namespace
