#pragma once
// Reprinting one ticket. The warehouse's code 75 chooses the path: the text
// receipt through the host's text printer, or the host's ticket printing
// object with the ticket's key. Nothing here shows a window of its own.
#include "tickets_export.h"
#include "tickets/TicketReceipt.h"
#include "tickets/TicketStore.h"

#include "host/TextPrinter.h"
#include "reports/PrintTarget.h"

#include <optional>

namespace zqvr::db { class Connection; }
namespace zqvr::host { class Empresa; }

namespace zqvr::tickets {

// Where the print goes: the device and the printer's name or the file's path.
using PrintTarget = reports::PrintTarget;

// The ticket as the viewer lists it: its key, its row, its cashier and its lines.
struct ZQVR_TICKETS_EXPORT TicketToPrint {
    TicketKey key;
    TicketRow row;
    int cajero = 0;
    QString nombreCajero;
    QList<TicketLineRow> lines;
};

class ZQVR_TICKETS_EXPORT TicketPrinting {
public:
    enum class Path { TextReceipt, TicketModel };
    static constexpr int PageLength = 60;

    // The receipt's content: the ticket plus the header, footer and card name read from the database.
    static ReceiptData receiptData(db::Connection& conn, const TicketToPrint& t);
    // The way code 75 of the ticket's warehouse says it is printed.
    static Path pathFor(db::Connection& conn, const TicketKey& key);
    // Prints the ticket the given way (by default the way code 75 says) and tells which way it went.
    // Throws Error with the source "Visor Tickets::Imprimir".
    static Path print(db::Connection& conn, host::Empresa& empresa, const TicketToPrint& t, const PrintTarget& to,
                      std::optional<Path> path = std::nullopt);
};

} // namespace zqvr::tickets
