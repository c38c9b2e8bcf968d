#pragma once
// Where a document goes, as the user chooses it: the print destination
// dialog, then, for a file, its name through the file chooser.
#include "reports_export.h"

#include "host/TextPrinter.h"

#include <QString>
#include <optional>

class QWidget;

namespace zqvr::reports {

// The device and the printer's name or the file's path.
struct ZQVR_REPORTS_EXPORT PrintTarget {
    host::OutputDevice device = host::OutputDevice::Screen;
    QString target;
};

// The destination dialog under `title`; for a file, `fileName` in the home
// folder is offered, of the kind `filter` names. Nothing when the user cancels
// either, or asks for a printer when none is installed (after saying so).
ZQVR_REPORTS_EXPORT std::optional<PrintTarget> choosePrintTarget(QWidget* parent, const QString& title,
                                                                 const QString& fileName, const QString& filter);

} // namespace zqvr::reports
