#pragma once
// The component's own invoice printing object, used when the host installs
// none: the invoice of a ticket through the report engine with the layout
// Rpt/Factura.rpt of the installation folder, one document per copy of the
// mask, to a printer by name, the viewer or one PDF file holding every copy.
#include "tickets_export.h"
#include "tickets/TicketStore.h"

#include "host/InvoiceServices.h"

#include <memory>

namespace zqvr::reports { class Report; }

namespace zqvr::tickets {

// What an invoice prints, read once for all its copies.
struct ZQVR_TICKETS_EXPORT InvoiceDocument {
    host::InvoicePrintRequest request;
    QString empresa;      // the company's name
    QString empresaDatos; // its tax number, address and telephone, one per line
    int serie = 0;
    int numero = 0;
    QDate fechaFactura;
    QList<TicketLineRow> lineas;
};

class ZQVR_TICKETS_EXPORT InvoiceReportPrinter : public host::ImpresionFactura {
public:
    void Imprimir(const host::InvoicePrintRequest& r) override;

    // Reads the company, the stored invoice and the ticket's lines; throws Error
    // when the ticket has no invoice.
    static InvoiceDocument documentFor(const host::InvoicePrintRequest& r);
    // The report of one copy (1..6), its rows and parameters set.
    static std::shared_ptr<reports::Report> reportFor(const InvoiceDocument& d, int copia, const QString& layoutPath);
    // The amount of a line: price by quantity less its discount, to the cent.
    static double importe(const TicketLineRow& l);
};

} // namespace zqvr::tickets
