#include "tickets/ReceiptTicketPrinter.h"

#include "tickets/TicketPrinting.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "host/Empresa.h"
#include "host/Formato.h"
#include "reports/Report.h"
#include "reports/ReportOutput.h"

namespace zqvr::tickets {

using host::Formato;

namespace {
const QString kSource = QStringLiteral("ReceiptTicketPrinter::print");

// Header or footer lines as the report prints them (centred by the layout):
// "-" an empty line, empty values left out, printer tags removed.
QString parameterLines(const QMap<int, QString>& values, int first, int last)
{
    QStringList out;
    for (int code = first; code <= last; ++code)
        if (const std::optional<QString> text = parameterText(values.value(code)))
            out << *text;
    return out.join(QLatin1Char('\n'));
}

QString amount(double v) { return Formato::FormatoNumero(v, 2); }
} // namespace

ReceiptData ReceiptTicketPrinter::ticketFor(const host::TicketPrintRequest& r)
{
    if (!r.conexion || !r.empresa)
        throw Error(errc::InvalidArgument, QStringLiteral("Falta la conexión o la empresa para imprimir el ticket."),
                    kSource);
    TicketToPrint t;
    t.key = {r.empresa->CodigoEmpresa(), r.almacen, r.caja, r.fecha, r.codigo};
    TicketStore store(*r.conexion);
    const auto found = store.ticket(t.key, r.empresa->EmpresaClientes());
    if (!found)
        throw Error(errc::InvalidArgument,
                    QStringLiteral("No existe el ticket %1 de la caja %2 en la fecha %3.")
                        .arg(r.codigo)
                        .arg(r.caja)
                        .arg(r.fecha.toString(QStringLiteral("dd/MM/yyyy"))),
                    kSource);
    t.row = found->row;
    t.cajero = found->cajero;
    t.nombreCajero = found->nombreCajero;
    t.lines = store.lines(t.key, r.empresa->EmpresaArticulos());
    return TicketPrinting::receiptData(*r.conexion, t);
}

std::shared_ptr<reports::Report> ReceiptTicketPrinter::reportFor(const ReceiptData& d, const QString& layoutPath)
{
    auto rpt = reports::Report::open(layoutPath);
    rpt->setTitle(QStringLiteral("Copia de Ticket "));

    reports::ReportData rows({QStringLiteral("Descripcion"), QStringLiteral("Cantidad"), QStringLiteral("PVP"),
                              QStringLiteral("Importe")});
    rows.reserve(int(d.lineas.size()));
    for (const ReceiptLine& l : d.lineas)
        rows.addRow({l.pa ? QStringLiteral("* ") + l.descripcion : l.descripcion, l.cantidad, l.pvp, importeLinea(l)});
    rpt->setData(std::move(rows));

    QStringList etiquetas, importes;
    const QList<ReceiptPayment> used = usedPayments(d);
    if (used.size() > 1)
        for (const ReceiptPayment& k : used) {
            etiquetas << k.lineLabel.trimmed();
            importes << amount(k.amount);
        }
    else if (used.size() == 1) {
        etiquetas << used.front().label;
        importes << QString();
    }
    etiquetas << QStringLiteral("Entregado :") << QStringLiteral("Cambio :");
    importes << amount(entregado(d)) << amount(cambio(d));

    const bool anySaving = std::any_of(d.lineas.begin(), d.lineas.end(), [](const ReceiptLine& l) { return l.pa; });
    rpt->setParameter(QStringLiteral("Cabecera"), parameterLines(d.cabecera, HeaderFirst, HeaderLast));
    rpt->setParameter(QStringLiteral("Ticket"), d.numero);
    rpt->setParameter(QStringLiteral("Caja"), d.caja);
    rpt->setParameter(QStringLiteral("Fecha"), Formato::FormatoFecha(d.fecha));
    rpt->setParameter(QStringLiteral("Cajero"), QString::number(d.cajero) + QStringLiteral(" - ") + d.nombreCajero);
    rpt->setParameter(QStringLiteral("Total"), amount(d.total));
    rpt->setParameter(QStringLiteral("Lineas"), int(d.lineas.size()));
    rpt->setParameter(QStringLiteral("PagosEtiquetas"), etiquetas.join(QLatin1Char('\n')));
    rpt->setParameter(QStringLiteral("PagosImportes"), importes.join(QLatin1Char('\n')));
    rpt->setParameter(QStringLiteral("Ahorro"),
                      anySaving ? QStringLiteral("* Total Ahorro Promoción: ") + amount(ahorroPromocion(d)) : QString());
    rpt->setParameter(QStringLiteral("Pie"), parameterLines(d.pie, FooterFirst, FooterLast));
    return rpt;
}

void ReceiptTicketPrinter::print(const host::TicketPrintRequest& r)
{
    const ReceiptData d = ticketFor(r);
    auto rpt = reportFor(d, r.empresa->RutaAplicacion() + QStringLiteral("/Rpt/Ticket.rpt"));
    switch (r.device) {
    case host::OutputDevice::File:
        if (r.target.trimmed().isEmpty())
            throw Error(errc::InvalidArgument, QStringLiteral("No se ha indicado el fichero de salida."), kSource);
        reports::writePdf(*rpt, r.target);
        break;
    case host::OutputDevice::Printer:
        if (r.target.trimmed().isEmpty())
            throw Error(errc::InvalidArgument, QStringLiteral("No se ha indicado la impresora."), kSource);
        reports::printReport(*rpt, r.target);
        break;
    case host::OutputDevice::Screen:
        reports::sendReport(rpt, reports::Destino::Pantalla);
        break;
    }
}

} // namespace zqvr::tickets
