#include "reports/PrintTarget.h"

#include "reports/frmReport_Destino.h"

#include "frame/ErrorReport.h"
#include "frame/Services.h"

#include <QDir>

namespace zqvr::reports {

std::optional<PrintTarget> choosePrintTarget(QWidget* parent, const QString& title, const QString& fileName,
                                             const QString& filter)
{
    frmReport_Destino dlg(parent);
    dlg.setWindowTitle(title);
    if (frame::runModal(dlg) != frame::DialogResult::Accepted)
        return std::nullopt;
    PrintTarget t;
    switch (dlg.Destino()) {
    case Destino::Pantalla:
        t.device = host::OutputDevice::Screen;
        break;
    case Destino::Impresora:
        t.device = host::OutputDevice::Printer;
        t.target = dlg.Impresora();
        if (t.target.isEmpty()) {
            frame::msgAtencion(QStringLiteral("No hay ninguna impresora instalada."));
            return std::nullopt;
        }
        break;
    case Destino::Fichero:
        t.device = host::OutputDevice::File;
        t.target = frame::Services::files().saveFile(parent, title, QDir::home().filePath(fileName), filter);
        if (t.target.isEmpty())
            return std::nullopt;
        break;
    }
    return t;
}

} // namespace zqvr::reports
