#pragma once
// The component's own ticket printing object, used when the host installs
// none: it reads the ticket by its key and prints the same receipt as a
// paged document (preview, printer by name, or PDF file).
#include "tickets_export.h"
#include "host/TicketPrinter.h"

#include <QStringList>

namespace zqvr::tickets {

class ZQVR_TICKETS_EXPORT ReceiptTicketPrinter : public host::TicketPrinter {
public:
    void print(const host::TicketPrintRequest& r) override;
    // The receipt's lines for a stored ticket; throws Error when the ticket does not exist.
    static QStringList receiptFor(const host::TicketPrintRequest& r);
};

} // namespace zqvr::tickets
