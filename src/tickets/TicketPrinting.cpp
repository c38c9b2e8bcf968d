#include "tickets/TicketPrinting.h"

#include "tickets/ReceiptTicketPrinter.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "host/Empresa.h"
#include "host/TicketPrinter.h"

namespace zqvr::tickets {

ReceiptData TicketPrinting::receiptData(db::Connection& conn, const TicketToPrint& t)
{
    TicketStore store(conn);
    ReceiptData d;
    d.cabecera = store.parameters(t.key.empresa, t.key.almacen, HeaderFirst, HeaderLast);
    d.pie = store.parameters(t.key.empresa, t.key.almacen, FooterFirst, FooterLast);
    d.numero = t.key.codigo;
    d.fecha = t.key.fecha;
    d.caja = t.key.caja;
    d.cajero = t.cajero;
    d.nombreCajero = t.nombreCajero;
    for (const TicketLineRow& l : t.lines)
        d.lineas.push_back({l.descripcion, l.cantidad, l.pvp, l.pa});
    d.total = t.row.total;
    d.efectivo = t.row.efectivo;
    d.tarjeta = t.row.tarjeta;
    d.cheque = t.row.cheque;
    d.vales = t.row.vales;
    d.credito = t.row.credito;
    d.nombreTarjeta = store.cardName(t.key);
    return d;
}

TicketPrinting::Path TicketPrinting::pathFor(db::Connection& conn, const TicketKey& key)
{
    return TicketStore(conn).textReceipt(key.empresa, key.almacen) ? Path::TextReceipt : Path::TicketModel;
}

TicketPrinting::Path TicketPrinting::print(db::Connection& conn, host::Empresa& empresa, const TicketToPrint& t,
                                           const PrintTarget& to, std::optional<Path> path)
{
    return reraiseAs(QStringLiteral("Visor Tickets::Imprimir"), [&] {
        if ((path ? *path : pathFor(conn, t.key)) == Path::TicketModel) {
            host::TicketPrintRequest r;
            r.almacen = t.key.almacen;
            r.caja = t.key.caja;
            r.fecha = t.key.fecha;
            r.codigo = t.key.codigo;
            r.empresa = &empresa;
            r.conexion = &conn;
            r.device = to.device;
            r.target = to.target;
            std::unique_ptr<host::TicketPrinter> printer = host::TicketPrinter::create();
            if (!printer)
                printer = std::make_unique<ReceiptTicketPrinter>();
            printer->print(r);
            return Path::TicketModel;
        }
        const QStringList lines = buildReceipt(receiptData(conn, t));
        std::unique_ptr<host::TextPrinter> p = host::TextPrinter::create();
        p->setDevice(to.device, to.target);
        p->setDocumentTitle(QStringLiteral("Copia de Ticket "));
        p->setPageLength(PageLength);
        for (const QString& l : lines)
            p->printLine(l);
        p->endDocument();
        return Path::TextReceipt;
    });
}

} // namespace zqvr::tickets
