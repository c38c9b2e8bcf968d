#include "tickets/ReceiptTicketPrinter.h"

#include "tickets/TicketPrinting.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "frame/Services.h"
#include "host/Empresa.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace zqvr::tickets {

namespace {
const QString kSource = QStringLiteral("ReceiptTicketPrinter::print");

void render(QPrinter& printer, const QStringList& lines, int pageLength)
{
    QPainter p;
    if (!p.begin(&printer))
        throw Error(errc::InvalidArgument, QStringLiteral("No se pudo iniciar la impresión del ticket."), kSource);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(9);
    p.setFont(font);
    const QFontMetrics fm(font, &printer);
    const int lineHeight = fm.lineSpacing();
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int perPage = std::max(1, std::min(pageLength, page.height() / std::max(1, lineHeight)));
    int y = fm.ascent();
    int onPage = 0;
    for (const QString& l : lines) {
        if (onPage == perPage) {
            printer.newPage();
            y = fm.ascent();
            onPage = 0;
        }
        p.drawText(0, y, l);
        y += lineHeight;
        ++onPage;
    }
    p.end();
}
} // namespace

QStringList ReceiptTicketPrinter::receiptFor(const host::TicketPrintRequest& r)
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
    return buildReceipt(TicketPrinting::receiptData(*r.conexion, t));
}

void ReceiptTicketPrinter::print(const host::TicketPrintRequest& r)
{
    const QStringList lines = receiptFor(r);
    const int pageLength = TicketPrinting::PageLength;
    switch (r.device) {
    case host::OutputDevice::File: {
        if (r.target.trimmed().isEmpty())
            throw Error(errc::InvalidArgument, QStringLiteral("No se ha indicado el fichero de salida."), kSource);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(r.target);
        printer.setDocName(QStringLiteral("Copia de Ticket "));
        render(printer, lines, pageLength);
        break;
    }
    case host::OutputDevice::Printer: {
        const QPrinterInfo info = QPrinterInfo::printerInfo(r.target);
        if (r.target.trimmed().isEmpty() || info.isNull())
            throw Error(errc::InvalidArgument,
                        QStringLiteral("No existe la impresora \"%1\".").arg(r.target), kSource);
        QPrinter printer(info, QPrinter::HighResolution);
        printer.setDocName(QStringLiteral("Copia de Ticket "));
        render(printer, lines, pageLength);
        break;
    }
    case host::OutputDevice::Screen: {
        QPrinter printer(QPrinter::HighResolution);
        QPrintPreviewDialog preview(&printer);
        preview.setObjectName(QStringLiteral("TicketPreview"));
        preview.setWindowTitle(QStringLiteral("Copia de Ticket "));
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&](QPrinter* p) { render(*p, lines, pageLength); });
        frame::runModal(preview);
        break;
    }
    }
}

} // namespace zqvr::tickets
