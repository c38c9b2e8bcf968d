#pragma once
// Where a reprinted ticket goes: the print destination dialog titled
// "Imprimir Tickets" (screen, printer or file, and the printer), then, for a
// file, the file's name through the file chooser. Nothing when cancelled.
#include "tickets_export.h"
#include "tickets/TicketPrinting.h"

#include <optional>

class QWidget;

namespace zqvr::tickets {

// textFile: the file is a text receipt (.txt), otherwise a document (.pdf).
ZQVR_TICKETS_EXPORT std::optional<PrintTarget> elegirDestino(QWidget* parent, bool textFile);

} // namespace zqvr::tickets
