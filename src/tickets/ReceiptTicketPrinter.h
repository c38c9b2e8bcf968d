#pragma once
// The component's own ticket printing object, used when the host installs
// none: it reads the ticket by its key and prints it through the report
// engine with the layout Rpt/Ticket.rpt of the installation folder (roll
// paper), to the viewer, a printer by name or a PDF file.
#include "tickets_export.h"
#include "tickets/TicketReceipt.h"

#include "host/TicketPrinter.h"

#include <memory>

namespace zqvr::reports { class Report; }

namespace zqvr::tickets {

class ZQVR_TICKETS_EXPORT ReceiptTicketPrinter : public host::TicketPrinter {
public:
    void print(const host::TicketPrintRequest& r) override;
    // The stored ticket with its header, footer and card name; throws Error when it does not exist.
    static ReceiptData ticketFor(const host::TicketPrintRequest& r);
    // The report that prints it, its rows and parameters set; layoutPath is the .rpt file.
    static std::shared_ptr<reports::Report> reportFor(const ReceiptData& d, const QString& layoutPath);
};

} // namespace zqvr::tickets
