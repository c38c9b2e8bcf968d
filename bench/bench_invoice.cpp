// Invoicing a ticket of the demo data (till copy included, no printing)
// through the store, next to the bare SQL of the same statements on the
// same connections; and reprinting one invoice to a PDF file.
//
//   bench_invoice        makes a demo data set (scale 2) and TPV01's till file in a temporary folder
#include "BenchMain.h"
#include "tickets/FacturaTicketStore.h"
#include "tickets/InvoiceReportPrinter.h"

#include "db/Connection.h"
#include "db/Schema.h"
#include "db/SqlLiteral.h"
#include "demo/DemoData.h"
#include "demo/DemoInvoicing.h"
#include "host/Empresa.h"
#include "host/Formato.h"
#include "host/InvoiceServices.h"
#include "host/TillConnector.h"

#include <QApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

using namespace zqvr;
using db::sqlInt;
using db::sqlNumber;

namespace {

struct Env {
    QTemporaryDir dir;
    std::unique_ptr<db::Connection> conn;
    host::Empresa empresa;
    std::unique_ptr<host::FileTillConnector> till;
    host::ContadorFacturas numerador;
    host::EstadisticasClientesTabla estadisticas;
    host::CifradoTpv cifrado;
    QList<tickets::TicketKey> free; // tickets of TPV01 without invoice, in both databases
    int serie = 0;
    int next = 0;
};

Env& env()
{
    static Env* e = [] {
        auto* e = new Env;
        const QString path = e->dir.filePath(QStringLiteral("central.db"));
        e->conn = db::Connection::open(QStringLiteral("sqlite:") + path);
        db::Schema::ensure(*e->conn);
        demo::DemoOptions o;
        o.scale = 2;
        demo::DemoData::generate(*e->conn, o);
        e->till = std::make_unique<host::FileTillConnector>(demo::DemoInvoicing::tillFolder(path),
                                                            demo::DemoInvoicing::tillPrefix(path));
        auto rs = e->conn->query(QStringLiteral(
            "SELECT t.Cod_Empresa, t.Cod_Almacen, t.Caja, t.Fecha, t.Codigo FROM TPV_Tickets t JOIN TPVs v ON v.Codigo = t.Caja"
            " AND v.Host = 'TPV01' WHERE NOT EXISTS (SELECT 1 FROM TPV_Tickets_Factura f WHERE f.Cod_Empresa = t.Cod_Empresa"
            " AND f.Cod_Almacen = t.Cod_Almacen AND f.Caja = t.Caja AND f.Fecha = t.Fecha AND f.Codigo = t.Codigo)"
            " ORDER BY t.Fecha, t.Codigo"));
        while (!rs.eof()) {
            e->free.push_back({rs.value(0).toInt(), rs.value(1).toInt(), rs.value(2).toInt(), rs.value(3).toDate(),
                               rs.value(4).toInt()});
            rs.moveNext();
        }
        rs.close();
        e->empresa.setCodigoEmpresa(e->free.front().empresa);
        e->empresa.setEmpresaClientes(e->free.front().empresa);
        e->empresa.setEmpresaArticulos(e->free.front().empresa);
        e->serie = tickets::FacturaTicketStore(*e->conn, e->empresa).serie(e->free.front().almacen);
        std::fprintf(stderr, "%lld tickets of TPV01 to invoice, series %d\n", (long long)e->free.size(), e->serie);
        return e;
    }();
    return *e;
}

tickets::InvoiceRequest requestFor(const tickets::TicketKey& k, int serie)
{
    tickets::InvoiceRequest r;
    r.key = k;
    r.cliente = 1 + k.codigo % 20;
    r.fiscal.nif = QStringLiteral("B35999888");
    r.fiscal.nombre = QStringLiteral("Suministros O'Donnell, S.L.");
    r.fiscal.direccion = QStringLiteral("Polígono El Goro, nave 7");
    r.fiscal.cp = 35219;
    r.fiscal.localidad = QStringLiteral("Telde");
    r.serie = serie;
    r.facturaAlmacen = k.almacen;
    return r;
}

void exec(QSqlQuery& q, const QString& sql)
{
    if (!q.exec(sql))
        throw Error(errc::Database, q.lastError().text());
}

QString where(const db::Dialect& d, const tickets::TicketKey& k)
{
    return QStringLiteral(" WHERE Cod_Empresa =") + sqlInt(k.empresa) + QStringLiteral(" AND Cod_Almacen =") +
           sqlInt(k.almacen) + QStringLiteral(" AND Caja =") + sqlInt(k.caja) + QStringLiteral(" AND Fecha =") +
           d.date(k.fecha) + QStringLiteral(" AND Codigo =") + sqlInt(k.codigo);
}

// The statements a generation runs, straight on the drivers: the till's ticket
// and invoice, the counter, the till's row, then the central transaction.
void bareGeneration(Env& e, const tickets::InvoiceRequest& r)
{
    const db::Dialect& d = e.conn->dialect();
    const QString w = where(d, r.key);
    QSqlQuery c(e.conn->database());
    exec(c, QStringLiteral("SELECT Host, SQLUser, SQLPassword, SQLPort FROM TPVs WHERE EnLinea = 1 AND Codigo= ") + sqlInt(r.key.caja));
    c.next();
    auto till = e.till->open({c.value(0).toString(), 0, {}, {}});
    QSqlQuery t(till->database());
    exec(t, QStringLiteral("SELECT * FROM TPV_Tickets") + w);
    t.next();
    exec(t, QStringLiteral("SELECT * FROM TPV_Tickets_Factura") + w);
    t.next();
    const QString cw = QStringLiteral(" WHERE Cod_Empresa = ") + sqlInt(r.key.empresa) + QStringLiteral(" AND Serie = ") +
                       sqlInt(r.serie) + QStringLiteral(" AND Ejercicio = ") + sqlInt(QDate::currentDate().year());
    exec(c, QStringLiteral("BEGIN IMMEDIATE"));
    exec(c, QStringLiteral("UPDATE Facturas_Contador SET Ultimo = Ultimo + 1") + cw);
    exec(c, QStringLiteral("SELECT Ultimo FROM Facturas_Contador") + cw);
    c.next();
    const int numero = c.value(0).toInt();
    exec(c, QStringLiteral("COMMIT"));
    exec(t, tickets::FacturaTicketStore::insertFactura(till->dialect(), r, numero, true));
    exec(c, QStringLiteral("BEGIN IMMEDIATE"));
    exec(c, QStringLiteral("SELECT * FROM TPV_Tickets_Factura") + w);
    c.next();
    exec(c, QStringLiteral("SELECT Cliente FROM TPV_Tickets") + w);
    c.next();
    const int anterior = c.value(0).toInt();
    exec(c, QStringLiteral("UPDATE TPV_Tickets SET Cliente =") + sqlInt(r.cliente) + QStringLiteral(", Enviado = 0") + w);
    exec(c, QStringLiteral("SELECT * FROM TPV_Tickets_Lineas") + w);
    struct L { qint64 a; double q, i, k; };
    QList<L> lines;
    while (c.next()) {
        const double bruto = c.value(QStringLiteral("PVP")).toDouble() * c.value(QStringLiteral("Cantidad")).toDouble();
        lines.push_back({c.value(QStringLiteral("Cod_Articulo")).toLongLong(), c.value(QStringLiteral("Cantidad")).toDouble(),
                         host::Redondear(bruto - bruto * c.value(QStringLiteral("Dto")).toDouble() / 100, 2),
                         c.value(QStringLiteral("Costo")).toDouble()});
    }
    for (const L& l : lines)
        for (int cli : {anterior, r.cliente}) {
            if (cli <= 0 || anterior == r.cliente)
                continue;
            const double s = cli == anterior ? -1 : 1;
            const QString sw = QStringLiteral(" WHERE Cod_Empresa = ") + sqlInt(r.key.empresa) + QStringLiteral(" AND Cod_Cliente = ") +
                               sqlInt(cli) + QStringLiteral(" AND Fecha = ") + d.date(r.key.fecha) +
                               QStringLiteral(" AND Cod_Articulo = ") + sqlInt(l.a);
            exec(c, QStringLiteral("UPDATE Clientes_Estadisticas SET Unidades = Unidades + ") + sqlNumber(s * l.q) +
                        QStringLiteral(", Importe = Importe + ") + sqlNumber(s * l.i) + QStringLiteral(", Costo = Costo + ") +
                        sqlNumber(s * l.k) + sw);
            if (c.numRowsAffected() == 0)
                exec(c, QStringLiteral("INSERT INTO Clientes_Estadisticas (Cod_Empresa, Cod_Cliente, Fecha, Cod_Articulo, Unidades,"
                                       " Importe, Costo) VALUES (") +
                            sqlInt(r.key.empresa) + QStringLiteral(", ") + sqlInt(cli) + QStringLiteral(", ") + d.date(r.key.fecha) +
                            QStringLiteral(", ") + sqlInt(l.a) + QStringLiteral(", ") + sqlNumber(s * l.q) + QStringLiteral(", ") +
                            sqlNumber(s * l.i) + QStringLiteral(", ") + sqlNumber(s * l.k) + QStringLiteral(")"));
        }
    exec(c, tickets::FacturaTicketStore::insertFactura(d, r, numero, false));
    exec(c, QStringLiteral("COMMIT"));
}

void BM_GenerateInvoice(benchmark::State& state)
{
    Env& e = env();
    tickets::FacturaTicketStore store(*e.conn, e.empresa);
    const tickets::InvoiceHost h{&e.numerador, &e.estadisticas, e.till.get(), &e.cifrado};
    for (auto _ : state) {
        if (e.next >= e.free.size()) {
            state.SkipWithError("no ticket left to invoice");
            break;
        }
        const tickets::InvoiceOutcome out = store.generar(requestFor(e.free[e.next++], e.serie), h);
        benchmark::DoNotOptimize(out.invoice.numero);
    }
}

void BM_GenerateInvoiceBareSql(benchmark::State& state)
{
    Env& e = env();
    for (auto _ : state) {
        if (e.next >= e.free.size()) {
            state.SkipWithError("no ticket left to invoice");
            break;
        }
        bareGeneration(e, requestFor(e.free[e.next++], e.serie));
    }
}

void BM_ReprintToPdf(benchmark::State& state)
{
    Env& e = env();
    const tickets::TicketKey k = e.free.front(); // invoiced by the first benchmark
    host::InvoicePrintRequest r;
    r.conexion = e.conn.get();
    r.empresa = &e.empresa;
    e.empresa.setRutaAplicacion(QStringLiteral(ZQVR_SOURCE_DIR));
    r.almacen = k.almacen;
    r.caja = k.caja;
    r.fecha = k.fecha;
    r.ticket = k.codigo;
    r.copias = 3;
    r.nombre = QStringLiteral("Suministros O'Donnell, S.L.");
    r.device = host::OutputDevice::File;
    r.target = e.dir.filePath(QStringLiteral("factura.pdf"));
    tickets::InvoiceReportPrinter printer;
    for (auto _ : state)
        printer.Imprimir(r);
}

} // namespace

BENCHMARK(BM_GenerateInvoice)->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(BM_GenerateInvoiceBareSql)->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(BM_ReprintToPdf)->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char** argv) { return bench::runBenchmarks<QApplication>(argc, argv); }
