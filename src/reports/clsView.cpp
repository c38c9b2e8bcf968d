#include "reports/clsView.h"

#include "db/Error.h"
#include "frame/Services.h"
#include "reports/ReportLayout.h"
#include "reports/ReportViewer.h"
#include "reports/frmView.h"

namespace zqvr::reports {

clsView::clsView(QObject* parent) : QObject(parent) {}

clsView::~clsView() = default;

void clsView::Show(bool bolModal, QWidget* parent)
{
    if (!m_report)
        throw Error(rpterr::LayoutObject, QStringLiteral("No hay ningún informe que mostrar."), QStringLiteral("clsView::Show"));
    auto* form = new frmView(parent);
    try {
        form->setReport(m_report);
    } catch (...) {
        delete form;
        throw;
    }
    form->setZoom(m_zoom == 0 ? 1 : m_zoom);
    form->viewer()->setPrinterName(m_impresora);
    if (bolModal) {
        frame::runModal(*form);
        delete form;
    } else {
        form->setAttribute(Qt::WA_DeleteOnClose);
        form->show();
        form->raise();
        form->activateWindow();
    }
}

} // namespace zqvr::reports
