#include "reports/frmView.h"

#include "frame/HostContext.h"
#include "host/Empresa.h"
#include "reports/Report.h"
#include "reports/ReportViewer.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

namespace zqvr::reports {

frmView::frmView(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmView"));
    setWindowTitle(tr("Vista preliminar"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);

    crvRep = new ReportViewer(this);
    pctLogo = new QLabel(this);
    pctLogo->setObjectName(QStringLiteral("pctLogo"));
    pctLogo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The logo sits at the right end of the viewer's buttons, so that it stays in place whatever the size.
    crvRep->toolbarLayout()->addWidget(pctLogo);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(crvRep);
    connect(crvRep, &ReportViewer::closeRequested, this, &QDialog::reject);

    const host::Empresa* empresa = frame::HostContext::instance().empresa();
    const QString logo = empresa ? logoFile(empresa->RutaAplicacion()) : QString();
    const QPixmap pic(logo);
    if (!pic.isNull())
        pctLogo->setPixmap(pic.height() > 32 ? pic.scaledToHeight(32, Qt::SmoothTransformation) : pic);
    pctLogo->setVisible(!pic.isNull());

    // A fresh size every time: most of the screen, whatever the last use left.
    QSize size(1000, 760);
    if (const QScreen* screen = QApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * 0.9);
    resize(size);
}

frmView::~frmView() = default;

QString frmView::logoFile(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    const QDir dir(folder);
    const QStringList found = dir.entryList({QStringLiteral("logo.png"), QStringLiteral("logo.jpg"), QStringLiteral("logo.bmp")},
                                            QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    return found.isEmpty() ? QString() : dir.filePath(found.first());
}

void frmView::setReport(std::shared_ptr<Report> report)
{
    crvRep->setReport(report);
    m_report = std::move(report);
    if (m_report)
        setWindowTitle(tr("Vista preliminar - %1").arg(m_report->title()));
}

void frmView::setZoom(int zoom)
{
    crvRep->setZoom(zoom);
}

void frmView::changeEvent(QEvent* e)
{
    // The pointer set busy while the report was prepared returns to normal once the window is up.
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    QDialog::changeEvent(e);
}

} // namespace zqvr::reports
