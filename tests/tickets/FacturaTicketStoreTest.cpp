// Generating an invoice from a ticket in the central database and the till's
// own: what every table holds afterwards, failures at each write followed by
// a retry, two users at once, and the till's login and connection text.
#include "InvoiceFixture.h"

#include "db/Dialect.h"
#include "demo/DemoInvoicing.h"
#include "support/FailingWrites.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zqvr;
using tickets::FacturaTicketStore;
using tickets::InvoiceOutcome;
using test::InvoiceWorld;

namespace {

QString row(test::TestDatabase& db, const QString& sql)
{
    auto rs = db.conn().query(sql);
    QStringList out;
    if (!rs.eof())
        for (int i = 0; i < rs.fieldCount(); ++i)
            out << rs.value(i).toString();
    return out.join(QLatin1Char('|'));
}

// Statistics of a customer on the 5th per article: units|amount|cost.
QString stats(test::TestDatabase& db, int cliente, int articulo)
{
    return row(db, QStringLiteral("SELECT Unidades, ROUND(Importe, 2), ROUND(Costo, 2) FROM Clientes_Estadisticas"
                                  " WHERE Cod_Empresa = 1 AND Cod_Cliente = %1 AND Fecha = '2026-12-05' AND Cod_Articulo = %2")
                   .arg(cliente)
                   .arg(articulo));
}

const QString kInvoiceColumns = QStringLiteral(
    "SELECT Cliente, Factura_Serie, Factura_Codigo, Nif, Nombre, Nombre_Comercial, Direccion, CP, Localidad, Provincia,"
    " Pais, Telefono, Factura_Fecha, Factura_Almacen, Enviado FROM TPV_Tickets_Factura"
    " WHERE Cod_Empresa = 1 AND Cod_Almacen = 1 AND Caja = 1 AND Fecha = '2026-12-05' AND Codigo = 1");

} // namespace

TEST(InvoiceGeneration, WithTheTillCopyEveryTableHoldsTheInvoice)
{
    InvoiceWorld w;
    FacturaTicketStore store = w.store();
    const InvoiceOutcome out = store.generar(InvoiceWorld::request(), w.host());
    EXPECT_TRUE(out.generated);
    EXPECT_TRUE(out.tillCopy);
    EXPECT_EQ(out.invoice.numero, 1);

    // The ticket moved to the new customer and is sent again to the till.
    EXPECT_EQ(row(w.central, "SELECT Cliente, Enviado FROM TPV_Tickets WHERE Caja = 1 AND Fecha = '2026-12-05' AND Codigo = 1"),
              "6|0");
    // Other tickets with the same number are untouched.
    EXPECT_EQ(w.central.count("TPV_Tickets", "Cliente = 6"), 1);
    // The sales left customer 5 and reached customer 6 (article 100 on two lines, 102 with 10% off).
    EXPECT_EQ(stats(w.central, 6, 100), "3|9.98|3.75");
    EXPECT_EQ(stats(w.central, 5, 100), "-3|-9.98|-3.75");
    EXPECT_EQ(stats(w.central, 6, 102), "1|6.26|1.25");
    EXPECT_EQ(stats(w.central, 5, 102), "-1|-6.26|-1.25");
    // The invoice: typed values as typed, today's date, the host's warehouse.
    const QString expected = QStringLiteral("6|7|1|B35999888|Suministros O'Donnell, S.L.|Ferre Díaz|Polígono El Goro, nave 7|35219|"
                                            "Telde|Las Palmas|España|928 000 111|2027-01-15|3|");
    EXPECT_EQ(row(w.central, kInvoiceColumns), expected + "0");
    EXPECT_EQ(row(w.tillDb, kInvoiceColumns), expected + "1");
    // The number comes from the year of generation, not the ticket's.
    EXPECT_EQ(w.counter(), 1);
    EXPECT_EQ(w.central.count("Facturas_Contador", "Ejercicio = 2026"), 0);
    // The till was reached with the deciphered login and the till's port.
    EXPECT_EQ(w.till.last.host, "TPV01");
    EXPECT_EQ(w.till.last.port, 14330);
    EXPECT_EQ(w.till.last.user, "caja");
    EXPECT_EQ(w.till.last.password, "s3cr;t}");
}

TEST(InvoiceGeneration, WithoutTheTillTheCentralWritesAreMade)
{
    struct Case {
        const char* what;
        std::function<void(InvoiceWorld&)> arrange;
    };
    const Case cases[] = {
        {"till unreachable", [](InvoiceWorld& w) { w.till.unreachable = true; }},
        {"till off line", [](InvoiceWorld& w) { w.central.exec("UPDATE TPVs SET EnLinea = 0 WHERE Codigo = 1"); }},
        {"till without the ticket", [](InvoiceWorld& w) { w.tillDb.exec("DELETE FROM TPV_Tickets"); }},
        {"till without the invoice table", [](InvoiceWorld& w) { w.tillDb.exec("DROP TABLE TPV_Tickets_Factura"); }},
        {"login not ciphered by us", [](InvoiceWorld& w) { w.central.exec("UPDATE TPVs SET SQLUser = 'sa' WHERE Codigo = 1"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        InvoiceWorld w;
        c.arrange(w);
        const InvoiceOutcome out = w.store().generar(InvoiceWorld::request(), w.host());
        EXPECT_TRUE(out.generated);
        EXPECT_FALSE(out.tillCopy);
        EXPECT_EQ(w.centralInvoices(), 1);
        EXPECT_EQ(w.centralNumber(), 1);
        EXPECT_EQ(w.counter(), 1);
        EXPECT_EQ(stats(w.central, 6, 100), "3|9.98|3.75");
        if (QString::fromLatin1(c.what) != QLatin1String("till without the invoice table"))
            EXPECT_EQ(w.tillInvoices(), 0);
    }
}

TEST(InvoiceGeneration, AnInvoiceRowAlreadyOnTheTillGivesItsNumberAndCustomer)
{
    InvoiceWorld w;
    w.tillDb.exec("INSERT INTO TPV_Tickets_Factura (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Cliente, Factura_Serie,"
                  " Factura_Codigo, Nombre, Enviado) VALUES (1, 1, 1, '2026-12-05', 1, 8, 7, 42, 'Lucía Pérez', 1)");
    const InvoiceOutcome out = w.store().generar(InvoiceWorld::request(), w.host());
    EXPECT_TRUE(out.generated);
    EXPECT_EQ(out.invoice.numero, 42);
    EXPECT_EQ(out.invoice.cliente, 8);
    EXPECT_EQ(row(w.central, "SELECT Cliente, Factura_Codigo FROM TPV_Tickets_Factura"), "8|42");
    EXPECT_EQ(stats(w.central, 8, 100), "3|9.98|3.75");
    // No number was taken.
    EXPECT_EQ(w.central.count("Facturas_Contador"), 0);
    EXPECT_EQ(w.tillInvoices(), 1);
}

TEST(InvoiceGeneration, ATicketWithoutCustomerOnlyAddsToTheNewOne)
{
    InvoiceWorld w;
    tickets::InvoiceRequest r = InvoiceWorld::request();
    r.key = {1, 1, 2, test::kDay5, 1}; // till 2, customer 0
    w.store().generar(r, w.host());
    EXPECT_EQ(w.central.count("Clientes_Estadisticas", "Cod_Cliente = 0"), 0);
    EXPECT_EQ(row(w.central, "SELECT Unidades, ROUND(Importe, 2) FROM Clientes_Estadisticas WHERE Cod_Cliente = 6"), "2|2.4");
}

TEST(InvoiceGeneration, TheSameCustomerMovesNoSales)
{
    InvoiceWorld w;
    tickets::InvoiceRequest r = InvoiceWorld::request();
    r.cliente = 5;
    w.store().generar(r, w.host());
    EXPECT_EQ(w.central.count("Clientes_Estadisticas"), 0);
    EXPECT_EQ(w.centralInvoices(), 1);
}

TEST(InvoiceGeneration, AFailureAtEachCentralWriteChangesNothingAndARetryMakesOneInvoiceWithOneNumber)
{
    const QStringList tables = {"TPV_Tickets", "Clientes_Estadisticas", "TPV_Tickets_Factura"};
    for (bool withTill : {true, false}) {
        // Rows written: the ticket, 6 statistics rows (3 lines x 2 customers), the invoice.
        for (int n = 1; n <= 9; ++n) {
            SCOPED_TRACE(QStringLiteral("%1 till, failing write %2").arg(withTill ? "with" : "without").arg(n).toStdString());
            InvoiceWorld w;
            w.till.unreachable = !withTill;
            test::FailingWrites failing(w.central, tables);
            QMap<QString, QString> before;
            for (const QString& t : tables)
                before[t] = test::snapshot(w.central, t, QStringLiteral("1, 2, 3, 4"));
            failing.failAt(n);
            if (n == 9) {
                // Past the last write: nothing fails, so every write above was covered.
                EXPECT_TRUE(w.store().generar(InvoiceWorld::request(), w.host()).generated);
                continue;
            }
            EXPECT_THROW(w.store().generar(InvoiceWorld::request(), w.host()), Error);
            for (const QString& t : tables)
                EXPECT_EQ(test::snapshot(w.central, t, QStringLiteral("1, 2, 3, 4")), before[t]) << t.toStdString();

            failing.off();
            const InvoiceOutcome out = w.store().generar(InvoiceWorld::request(), w.host());
            EXPECT_TRUE(out.generated);
            EXPECT_EQ(w.centralInvoices(), 1);
            EXPECT_EQ(stats(w.central, 6, 100), "3|9.98|3.75");
            if (withTill) {
                // The retry found the till's row: one number taken in all.
                EXPECT_EQ(w.counter(), 1);
                EXPECT_EQ(w.centralNumber(), 1);
                EXPECT_EQ(w.tillNumber(), 1);
                EXPECT_EQ(w.tillInvoices(), 1);
            } else {
                // The first number stays unused: a gap, never the same number twice.
                EXPECT_EQ(w.counter(), 2);
                EXPECT_EQ(w.centralNumber(), 2);
            }
            // And a third press reprints.
            EXPECT_FALSE(w.store().generar(InvoiceWorld::request(), w.host()).generated);
            EXPECT_EQ(w.centralInvoices(), 1);
        }
    }
}

TEST(InvoiceGeneration, AFailureAtTheNumberOrTheTillWriteNeverCostsASecondNumber)
{
    {
        SCOPED_TRACE("the till refuses the row: the central invoice keeps the number");
        InvoiceWorld w;
        w.till.failInvoiceInsert = true;
        const InvoiceOutcome out = w.store().generar(InvoiceWorld::request(), w.host());
        EXPECT_TRUE(out.generated);
        EXPECT_FALSE(out.tillCopy);
        EXPECT_EQ(w.tillInvoices(), 0);
        EXPECT_EQ(w.centralNumber(), 1);
        w.till.failInvoiceInsert = false;
        EXPECT_FALSE(w.store().generar(InvoiceWorld::request(), w.host()).generated);
        EXPECT_EQ(w.counter(), 1);
        EXPECT_EQ(w.centralInvoices(), 1);
    }
    {
        SCOPED_TRACE("the counter cannot be moved: nothing is written anywhere");
        InvoiceWorld w;
        test::FailingWrites failing(w.central, {"Facturas_Contador"});
        failing.failAt(1);
        EXPECT_THROW(w.store().generar(InvoiceWorld::request(), w.host()), Error);
        EXPECT_EQ(w.tillInvoices(), 0);
        EXPECT_EQ(w.centralInvoices(), 0);
        EXPECT_EQ(w.central.count("TPV_Tickets", "Cliente = 6"), 0);
        failing.off();
        w.store().generar(InvoiceWorld::request(), w.host());
        EXPECT_EQ(w.counter(), 1);
        EXPECT_EQ(w.tillNumber(), 1);
        EXPECT_EQ(w.centralNumber(), 1);
    }
}

TEST(InvoiceGeneration, TwoUsersInvoicingOneTicketAtOnceMakeOneInvoice)
{
    enum Variant { WithTill, FirstUsersTillRowFailed, WithoutTill };
    for (Variant v : {WithTill, FirstUsersTillRowFailed, WithoutTill}) {
        SCOPED_TRACE(int(v));
        const bool withTill = v != WithoutTill;
        InvoiceWorld w;
        w.till.unreachable = !withTill;
        // The second user's own connection to the same central database.
        std::unique_ptr<db::Connection> other = w.central.openAnother();
        FacturaTicketStore second(*other, w.central.empresa());

        // The first user's whole generation lands between the second user's
        // look for an invoice and its writes: inside its till connection, or
        // inside its request for a number when the till is away.
        InvoiceOutcome first;
        auto firstUser = [&] {
            tickets::InvoiceRequest r = InvoiceWorld::request();
            r.cliente = 8;
            r.fiscal.nombre = QStringLiteral("Lucía Pérez");
            test::TestTill till(w.tillDb);
            till.unreachable = !withTill;
            till.failInvoiceInsert = v == FirstUsersTillRowFailed;
            first = w.store().generar(r, {&w.numerador, &w.estadisticas, &till, &w.cifrado});
        };
        struct Racing : host::NumeradorFacturas {
            host::NumeradorFacturas* inner;
            std::function<void()> before;
            int Siguiente(host::Empresa& e, db::Connection& c, int s) override
            {
                if (before) {
                    auto f = std::move(before);
                    before = nullptr;
                    f();
                }
                return inner->Siguiente(e, c, s);
            }
        } racing;
        racing.inner = &w.numerador;
        if (withTill)
            w.till.beforeOpen = firstUser;
        else
            racing.before = firstUser;

        const InvoiceOutcome out = second.generar(InvoiceWorld::request(), {&racing, &w.estadisticas, &w.till, &w.cifrado});
        EXPECT_TRUE(first.generated);
        EXPECT_FALSE(out.generated);
        EXPECT_EQ(out.invoice.numero, first.invoice.numero);
        EXPECT_EQ(out.invoice.cliente, 8);
        EXPECT_EQ(out.invoice.fiscal.nombre, "Lucía Pérez");
        EXPECT_EQ(w.centralInvoices(), 1);
        EXPECT_EQ(row(w.central, "SELECT Cliente FROM TPV_Tickets WHERE Caja = 1 AND Fecha = '2026-12-05' AND Codigo = 1"), "8");
        // The sales moved once.
        EXPECT_EQ(stats(w.central, 8, 100), "3|9.98|3.75");
        EXPECT_EQ(w.central.count("Clientes_Estadisticas", "Cod_Cliente = 6"), 0);
        if (v == WithTill)
            EXPECT_EQ(w.counter(), 1);
        // The till ends up holding the invoice that was made, whoever wrote its row.
        if (withTill)
            EXPECT_EQ(row(w.tillDb, "SELECT Cliente, Factura_Codigo FROM TPV_Tickets_Factura"),
                      QStringLiteral("8|%1").arg(first.invoice.numero));
    }
}

TEST(InvoiceStatements, ValuesAreQuotedAndDatesFollowTheEngineThatRunsThem)
{
    tickets::InvoiceRequest r = InvoiceWorld::request();
    r.fiscal.nombre = QStringLiteral("D'Angelo'); DROP TABLE TPVs; --");
    const QString server = FacturaTicketStore::insertFactura(db::SqlServerDialect(), r, 12, true);
    EXPECT_TRUE(server.contains("'D''Angelo''); DROP TABLE TPVs; --'")) << server.toStdString();
    EXPECT_TRUE(server.contains("1, 1, 1, '05/12/2026', 1, 6, 7, 12,")) << server.toStdString();
    EXPECT_TRUE(server.contains("'15/01/2027', 3, 1)")) << server.toStdString();
    const QString lite = FacturaTicketStore::insertFactura(db::SQLiteDialect(), r, 12, false);
    EXPECT_TRUE(lite.contains("'2026-12-05'"));
    EXPECT_TRUE(lite.endsWith("'2027-01-15', 3)")) << lite.toStdString();
    EXPECT_FALSE(lite.contains("Enviado"));

    // Stored as typed, also at the 100 characters the screen takes.
    InvoiceWorld w;
    r.fiscal.nombre = QString(99, QLatin1Char('x')) + QLatin1Char('\'');
    w.store().generar(r, w.host());
    EXPECT_EQ(w.central.conn().scalar("SELECT Nombre FROM TPV_Tickets_Factura").toString(), r.fiscal.nombre);
    EXPECT_EQ(w.central.count("TPVs"), 2);
}

TEST(InvoiceReading, CustomerFiscalDataTakesTheBillingOverridesAndTheMainTelephone)
{
    InvoiceWorld w;
    const auto c6 = w.store().cliente(6);
    ASSERT_TRUE(c6);
    EXPECT_EQ(c6->fiscal.nif, "B35999888");
    EXPECT_EQ(c6->fiscal.nombre, "Suministros Díaz, S.L.");
    EXPECT_EQ(c6->fiscal.nombreComercial, "Ferre Díaz");
    EXPECT_EQ(c6->fiscal.direccion, "Polígono El Goro, nave 7");
    EXPECT_EQ(c6->fiscal.cp, 35219);
    EXPECT_EQ(c6->fiscal.localidad, "Telde");
    EXPECT_EQ(c6->fiscal.provincia, "Las Palmas de G.C.");
    EXPECT_EQ(c6->fiscal.telefono, "928 000 111");
    EXPECT_FALSE(c6->bloqueado);
    const auto c8 = w.store().cliente(8);
    ASSERT_TRUE(c8);
    EXPECT_EQ(c8->fiscal.nombre, "Lucía Pérez");
    EXPECT_EQ(c8->fiscal.cp, 0); // no ordinary postal code: none, whatever the billing one
    EXPECT_EQ(c8->fiscal.telefono, ""); // no main telephone
    EXPECT_TRUE(w.store().cliente(9)->bloqueado);
    EXPECT_FALSE(w.store().cliente(77));

    // The customer tables are read under the customer company.
    w.central.empresa().setEmpresaClientes(2);
    EXPECT_FALSE(w.store().cliente(6));
    w.central.exec("INSERT INTO Clientes (Cod_Empresa, Codigo, Nombre) VALUES (2, 6, 'Otra empresa')");
    w.central.exec("INSERT INTO Clientes_Telefonos (Cod_Empresa, Cod_Cliente, Codigo, Numero) VALUES (2, 6, 0, '111')");
    EXPECT_EQ(w.store().cliente(6)->fiscal.nombre, "Otra empresa");
    EXPECT_EQ(w.store().cliente(6)->fiscal.telefono, "111");
}

TEST(InvoiceReading, SeriesAndTicketWithItsInvoice)
{
    InvoiceWorld w;
    EXPECT_EQ(w.store().serie(1), 7);
    for (const char* v : {"0", "abc", "", "-4"}) {
        w.central.exec(QStringLiteral("UPDATE Tpv_Parametros SET Valor = '%1' WHERE Codigo = 374").arg(QLatin1String(v)));
        EXPECT_EQ(w.store().serie(1), 0) << v;
    }
    EXPECT_EQ(w.store().serie(2), 0);

    const tickets::TicketKey k{1, 1, 1, test::kDay5, 1};
    auto t = w.store().ticketConFactura(k);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->cliente, 5);
    EXPECT_EQ(t->cajero, 7);
    EXPECT_FALSE(t->factura);
    w.central.exec("UPDATE Tpv_Parametros SET Valor = '7' WHERE Codigo = 374");
    w.store().generar(InvoiceWorld::request(), w.host());
    t = w.store().ticketConFactura(k);
    ASSERT_TRUE(t && t->factura);
    EXPECT_EQ(t->factura->cliente, 6);
    EXPECT_EQ(t->factura->fiscal, InvoiceWorld::request().fiscal);
    EXPECT_FALSE(w.store().ticketConFactura({1, 1, 1, test::kDay5, 99}));
}

TEST(TillLogin, DecipheredWithDefaultsAndOnlyForOnlineTills)
{
    InvoiceWorld w;
    host::CifradoTpv c;
    auto l = w.store().loginCaja(1, c);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->user, "caja");
    EXPECT_EQ(l->password, "s3cr;t}");
    w.central.exec("UPDATE TPVs SET SQLUser = '', SQLPassword = NULL, SQLPort = '' WHERE Codigo = 1");
    l = w.store().loginCaja(1, c);
    EXPECT_EQ(l->user, "sa");
    EXPECT_EQ(l->password, "vorlm");
    EXPECT_EQ(l->port, 0);
    EXPECT_FALSE(w.store().loginCaja(2, c)); // off line
    EXPECT_FALSE(w.store().loginCaja(5, c)); // unknown
    EXPECT_EQ(w.store().abrirCaja(2, w.till, c), nullptr);
    EXPECT_EQ(w.till.opened, 0);

    const QString key = QString::fromLatin1(host::kTillLoginKey);
    EXPECT_EQ(key.size(), 20);
    for (const QString& plain : {QStringLiteral("sa"), QStringLiteral("contraseña ñ}{;="), QString(40, QLatin1Char('a'))}) {
        const QString ciphered = host::CifradoTpv::Cifrar(plain, key);
        EXPECT_NE(ciphered, plain);
        EXPECT_EQ(c.Descifrar(ciphered, key), plain);
        EXPECT_NE(c.Descifrar(ciphered, QStringLiteral("otra clave cualquier")), plain);
    }
    EXPECT_THROW(c.Descifrar(QStringLiteral("sa"), key), Error);
}

TEST(TillConnection, DataSourceAndOdbcStringFollowThePortRuleAndQuoteEveryValue)
{
    EXPECT_EQ(host::tillDataSource("TPV01", 0), "TPV01");
    EXPECT_EQ(host::tillDataSource("TPV01", 1433), "TPV01");
    EXPECT_EQ(host::tillDataSource("TPV01", 14330), "TPV01,14330");
    host::TillLogin l{QStringLiteral("TPV01"), 14330, QStringLiteral("caja"), QStringLiteral("p;w}d=1")};
    EXPECT_EQ(host::tillOdbcConnectionString(l),
              "Driver=FreeTDS;Server={TPV01};Port={14330};Database={Drumelt_TPV};UID={caja};PWD={p;w}}d=1};"
              "TDS_Version=7.4;ClientCharset=UTF-8");
    l.port = 0;
    EXPECT_TRUE(host::tillOdbcConnectionString(l).contains("Port={1433};"));
    EXPECT_GE(host::kTillLoginTimeoutSeconds, 1);
    EXPECT_LE(host::kTillLoginTimeoutSeconds, 15);

    // The file connector: one file per host, nothing outside its folder.
    QTemporaryDir dir;
    host::FileTillConnector files(dir.path(), QStringLiteral("demo."));
    EXPECT_EQ(files.pathFor("TPV01"), dir.filePath("demo.TPV01.db"));
    EXPECT_THROW(files.open({QStringLiteral("TPV01"), 0, {}, {}}), Error); // no file yet
    EXPECT_THROW(files.open({QStringLiteral("../x"), 0, {}, {}}), Error);
}

TEST(InvoiceCopies, TheMaskGivesOneCopyPerBitAndTheFirstWhenEmpty)
{
    EXPECT_EQ(host::copiasDeMascara(0), QList<int>({1}));
    EXPECT_EQ(host::copiasDeMascara(1), QList<int>({1}));
    EXPECT_EQ(host::copiasDeMascara(0b101010), QList<int>({2, 4, 6}));
    EXPECT_EQ(host::copiasDeMascara(63), QList<int>({1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(host::copiasDeMascara(64), QList<int>({1}));
}

TEST(InvoiceNumbering, NumbersPerCompanySeriesAndYearAndNeverInsideAnotherTransaction)
{
    InvoiceWorld w;
    host::ContadorFacturas n;
    n.setHoy(QDate(2026, 12, 31));
    EXPECT_EQ(n.Siguiente(w.central.empresa(), w.central.conn(), 7), 1);
    EXPECT_EQ(n.Siguiente(w.central.empresa(), w.central.conn(), 7), 2);
    EXPECT_EQ(n.Siguiente(w.central.empresa(), w.central.conn(), 8), 1);
    n.setHoy(QDate(2027, 1, 1));
    EXPECT_EQ(n.Siguiente(w.central.empresa(), w.central.conn(), 7), 1);
    EXPECT_THROW(n.Siguiente(w.central.empresa(), w.central.conn(), 0), Error);
    db::TransactionGuard g(w.central.conn());
    EXPECT_THROW(n.Siguiente(w.central.empresa(), w.central.conn(), 7), Error);
}

TEST(DemoInvoicing, ATillThatCannotBeMadeLeavesNoFileBehind)
{
    test::TestDatabase central(test::TestDatabase::File);
    central.fillDemo(0.05);
    const QString tillPath = demo::DemoInvoicing::tillPath(central.path(), QStringLiteral("TPV01"));
    ASSERT_TRUE(QFileInfo::exists(tillPath));
    central.exec("DROP TABLE TPV_Tickets_Lineas_Promocion");
    EXPECT_THROW(demo::DemoInvoicing::makeTillDatabases(central.conn(), central.path()), Error);
    EXPECT_FALSE(QFileInfo::exists(tillPath));
}

TEST(DemoInvoicing, ATicketOfTheDemoIsInvoicedWithItsTillCopy)
{
    test::TestDatabase central(test::TestDatabase::File);
    central.fillDemo(0.05);
    const QString tillPath = demo::DemoInvoicing::tillPath(central.path(), QStringLiteral("TPV01"));
    ASSERT_TRUE(QFileInfo::exists(tillPath));
    auto till = db::Connection::open(QStringLiteral("sqlite:") + tillPath);
    // The till holds its own tickets and invoices, and nothing of the other tills.
    EXPECT_GT(till->scalar("SELECT COUNT(*) FROM TPV_Tickets").toInt(), 0);
    EXPECT_EQ(till->scalar("SELECT COUNT(*) FROM TPV_Tickets WHERE Caja <> 1").toInt(), 0);
    EXPECT_EQ(till->scalar("SELECT COUNT(*) FROM TPV_Tickets_Factura WHERE Enviado <> 1").toInt(), 0);
    // Customers with billing overrides, blocked ones and main telephones to invoice to.
    EXPECT_GT(central.count("Clientes", "F_Razon <> '' AND Cod_Empresa = 1"), 0);
    EXPECT_GT(central.count("Clientes", "Bloqueado = 1 AND Cod_Empresa = 1"), 0);
    EXPECT_GT(central.count("Clientes_Telefonos", "Codigo = 0"), 0);

    auto rs = central.conn().query(
        "SELECT t.Cod_Almacen, t.Fecha, t.Codigo FROM TPV_Tickets t WHERE t.Cod_Empresa = 1 AND t.Caja = 1 AND NOT EXISTS"
        " (SELECT 1 FROM TPV_Tickets_Factura f WHERE f.Cod_Empresa = t.Cod_Empresa AND f.Cod_Almacen = t.Cod_Almacen"
        " AND f.Caja = t.Caja AND f.Fecha = t.Fecha AND f.Codigo = t.Codigo) ORDER BY t.Fecha DESC, t.Codigo");
    ASSERT_FALSE(rs.eof());
    tickets::InvoiceRequest r;
    r.key = {1, rs.value(0).toInt(), 1, rs.value(1).toDate(), rs.value(2).toInt()};
    rs.close();
    FacturaTicketStore store(central.conn(), central.empresa());
    r.serie = store.serie(r.key.almacen);
    ASSERT_GT(r.serie, 0);
    r.cliente = 1;
    r.fiscal = store.cliente(1)->fiscal;
    host::FileTillConnector files(demo::DemoInvoicing::tillFolder(central.path()), demo::DemoInvoicing::tillPrefix(central.path()));
    host::ContadorFacturas numerador;
    host::EstadisticasClientesTabla estadisticas;
    host::CifradoTpv cifrado;
    const auto login = store.loginCaja(1, cifrado);
    ASSERT_TRUE(login);
    EXPECT_EQ(login->user, demo::DemoInvoicing::tillUser());
    EXPECT_EQ(login->password, demo::DemoInvoicing::tillPassword());
    const InvoiceOutcome out = store.generar(r, {&numerador, &estadisticas, &files, &cifrado});
    EXPECT_TRUE(out.generated);
    EXPECT_TRUE(out.tillCopy);
    const QString where = QStringLiteral(" WHERE Cod_Almacen = %1 AND Caja = 1 AND Fecha = '%2' AND Codigo = %3")
                              .arg(r.key.almacen)
                              .arg(r.key.fecha.toString(Qt::ISODate))
                              .arg(r.key.codigo);
    EXPECT_EQ(till->scalar("SELECT Factura_Codigo FROM TPV_Tickets_Factura" + where).toInt(), out.invoice.numero);
    EXPECT_EQ(central.conn().scalar("SELECT Factura_Codigo FROM TPV_Tickets_Factura" + where).toInt(), out.invoice.numero);
}
