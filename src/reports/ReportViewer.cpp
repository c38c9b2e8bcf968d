#include "reports/ReportViewer.h"

#include "db/Error.h"
#include "frame/KeyBinding.h"
#include "frame/Wiring.h"
#include "frame/ErrorReport.h"
#include "frame/Services.h"
#include "reports/Report.h"
#include "reports/ReportOutput.h"
#include "reports/ReportRenderer.h"

#include <QComboBox>
#include <QEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace zqvr::reports {

// The current page on a sheet of paper, at the viewer's scale.
class PageCanvas : public QWidget {
public:
    explicit PageCanvas(ReportViewer* viewer) : QWidget(viewer), m_viewer(viewer)
    {
        setObjectName(QStringLiteral("crvPagina"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    static constexpr int kMargin = 12; // pixels of grey around the sheet

    QSize sheetSize() const
    {
        const ReportRenderer* r = m_viewer->renderer();
        if (!r)
            return {0, 0};
        const double s = m_viewer->scale();
        return {std::max(1, int(r->pageSize().width() * s + 0.5)), std::max(1, int(r->pageSize().height() * s + 0.5))};
    }
    void refit()
    {
        const QSize sheet = sheetSize();
        resize(sheet.width() + 2 * kMargin, sheet.height() + 2 * kMargin);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(0x80, 0x80, 0x80));
        const ReportRenderer* r = m_viewer->renderer();
        if (!r || m_viewer->currentPage() < 1)
            return;
        const QSize sheet = sheetSize();
        const QRect paper(std::max(kMargin, (width() - sheet.width()) / 2), kMargin, sheet.width(), sheet.height());
        p.fillRect(paper.translated(3, 3), QColor(0x50, 0x50, 0x50));
        p.fillRect(paper, Qt::white);
        p.setClipRect(paper);
        ReportRenderer::mapToTwips(p, r->pageSize(), paper);
        r->paintPage(p, m_viewer->currentPage() - 1);
    }

private:
    ReportViewer* m_viewer;
};

namespace {
QToolButton* makeButton(QWidget* parent, const char* name, const QString& text, const QString& tip)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(text);
    b->setToolTip(tip);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setAutoRaise(true);
    return b;
}
} // namespace

ReportViewer::ReportViewer(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("crvRep"));
    QWidget* bar = makeToolbar();
    makeSheet();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_scroll, 1);

    wireButtons();
    bindViewerKeys();
    updateControls();
}

QWidget* ReportViewer::makeToolbar()
{
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("crvBotones"));
    m_toolbar = new QHBoxLayout(bar);
    m_toolbar->setContentsMargins(4, 2, 4, 2);
    m_first = makeButton(bar, "crvPrimera", QStringLiteral("|<"), tr("Primera página (Ctrl+Inicio)"));
    m_prev = makeButton(bar, "crvAnterior", QStringLiteral("<"), tr("Página anterior (RePág)"));
    m_pageBox = new QSpinBox(bar);
    m_pageBox->setObjectName(QStringLiteral("crvNumPagina"));
    m_pageBox->setRange(0, 0);
    m_pageBox->setKeyboardTracking(false);
    m_pages = new QLabel(bar);
    m_pages->setObjectName(QStringLiteral("crvPaginas"));
    m_next = makeButton(bar, "crvSiguiente", QStringLiteral(">"), tr("Página siguiente (AvPág)"));
    m_last = makeButton(bar, "crvUltima", QStringLiteral(">|"), tr("Última página (Ctrl+Fin)"));
    m_zoomBox = new QComboBox(bar);
    m_zoomBox->setObjectName(QStringLiteral("crvZoom"));
    m_zoomBox->addItem(tr("Ancho de página"), int(FitWidth));
    m_zoomBox->addItem(tr("Página completa"), int(FitPage));
    for (int z : {50, 75, 100, 125, 150, 200, 300, 400})
        m_zoomBox->addItem(QStringLiteral("%1%").arg(z), z);
    m_print = makeButton(bar, "crvImprimir", tr("&Imprimir..."), tr("Imprimir (Ctrl+P)"));
    m_export = makeButton(bar, "crvExportar", tr("&Exportar PDF..."), tr("Guardar como PDF"));
    m_close = makeButton(bar, "crvCerrar", tr("&Cerrar"), tr("Cerrar (Esc)"));
    layOutToolbar(bar);
    return bar;
}

void ReportViewer::layOutToolbar(QWidget* bar)
{
    m_toolbar->addWidget(m_first);
    m_toolbar->addWidget(m_prev);
    m_toolbar->addWidget(new QLabel(tr("Página"), bar));
    m_toolbar->addWidget(m_pageBox);
    m_toolbar->addWidget(m_pages);
    m_toolbar->addWidget(m_next);
    m_toolbar->addWidget(m_last);
    m_toolbar->addSpacing(12);
    m_toolbar->addWidget(m_zoomBox);
    m_toolbar->addSpacing(12);
    m_toolbar->addWidget(m_print);
    m_toolbar->addWidget(m_export);
    m_toolbar->addWidget(m_close);
    m_toolbar->addStretch(1);
}

void ReportViewer::makeSheet()
{
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("crvHoja"));
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_canvas = new PageCanvas(this);
    m_scroll->setWidget(m_canvas);
    // The fitting zooms follow the room the page has, which is known only once the scroll area is laid out.
    m_scroll->viewport()->installEventFilter(this);
}

void ReportViewer::wireButtons()
{
    frame::wire(m_first, &QToolButton::clicked, this, &ReportViewer::crvPrimera_Click);
    frame::wire(m_prev, &QToolButton::clicked, this, &ReportViewer::crvAnterior_Click);
    frame::wire(m_next, &QToolButton::clicked, this, &ReportViewer::crvSiguiente_Click);
    frame::wire(m_last, &QToolButton::clicked, this, &ReportViewer::crvUltima_Click);
    frame::wire(m_pageBox, &QSpinBox::valueChanged, this, &ReportViewer::crvNumPagina_Change);
    frame::wire(m_zoomBox, &QComboBox::activated, this, &ReportViewer::crvZoom_Click);
    frame::wire(m_print, &QToolButton::clicked, this, &ReportViewer::crvImprimir_Click);
    frame::wire(m_export, &QToolButton::clicked, this, &ReportViewer::crvExportar_Click);
    frame::wire(m_close, &QToolButton::clicked, this, &ReportViewer::crvCerrar_Click);
}

// Keys of the viewer, bound to this window only; the page keys act even where the buttons are greyed out.
void ReportViewer::bindViewerKeys()
{
    frame::bindKey(this, QKeySequence(Qt::Key_PageDown), this, &ReportViewer::crvSiguiente_Click);
    frame::bindKey(this, QKeySequence(Qt::Key_PageUp), this, &ReportViewer::crvAnterior_Click);
    frame::bindKey(this, QKeySequence(Qt::CTRL | Qt::Key_Home), this, &ReportViewer::crvPrimera_Click);
    frame::bindKey(this, QKeySequence(Qt::CTRL | Qt::Key_End), this, &ReportViewer::crvUltima_Click);
    frame::bindKey(this, QKeySequence(Qt::CTRL | Qt::Key_P), this, &ReportViewer::crvImprimir_Click);
    frame::bindKey(this, QKeySequence(Qt::Key_Plus), this, &ReportViewer::zoomIn);
    frame::bindKey(this, QKeySequence(Qt::Key_Minus), this, &ReportViewer::zoomOut);
}

ReportViewer::~ReportViewer() = default;

void ReportViewer::crvPrimera_Click() { showPage(1); }
void ReportViewer::crvAnterior_Click() { showPage(m_page - 1); }
void ReportViewer::crvSiguiente_Click() { showPage(m_page + 1); }
void ReportViewer::crvUltima_Click() { showPage(pageCount()); }
void ReportViewer::crvNumPagina_Change(int page) { showPage(page); }
void ReportViewer::crvZoom_Click(int index) { setZoom(m_zoomBox->itemData(index).toInt()); }
void ReportViewer::crvImprimir_Click() { printWithDialog(); }
void ReportViewer::crvExportar_Click() { exportPdf(); }
void ReportViewer::crvCerrar_Click() { Q_EMIT closeRequested(); }
void ReportViewer::zoomIn() { zoomBy(1); }
void ReportViewer::zoomOut() { zoomBy(-1); }

void ReportViewer::setReport(std::shared_ptr<Report> report)
{
    std::unique_ptr<ReportRenderer> renderer;
    if (report)
        renderer = std::make_unique<ReportRenderer>(*report); // throws before anything changes
    m_renderer = std::move(renderer);
    m_report = std::move(report);
    m_page = m_renderer && m_renderer->pageCount() > 0 ? 1 : 0;
    applyZoom();
    updateControls();
}

int ReportViewer::pageCount() const
{
    return m_renderer ? m_renderer->pageCount() : 0;
}

void ReportViewer::showPage(int page)
{
    if (!m_renderer || pageCount() == 0)
        return;
    page = std::clamp(page, 1, pageCount());
    if (page != m_page) {
        m_page = page;
        m_scroll->verticalScrollBar()->setValue(0);
        m_canvas->update();
    }
    updateControls();
}

void ReportViewer::setZoom(int zoom)
{
    if (zoom != FitWidth && zoom != FitPage)
        zoom = std::clamp(zoom, 10, 400);
    m_zoom = zoom;
    applyZoom();
    updateControls();
}

void ReportViewer::zoomBy(int steps)
{
    static const int levels[] = {25, 50, 75, 100, 125, 150, 200, 300, 400};
    const int now = int(scale() * 1440.0 / std::max(1, logicalDpiX()) * 100.0 + 0.5);
    int next = now;
    if (steps > 0) {
        for (int l : levels)
            if (l > now) {
                next = l;
                break;
            }
    } else {
        for (int i = int(std::size(levels)) - 1; i >= 0; --i)
            if (levels[i] < now) {
                next = levels[i];
                break;
            }
    }
    setZoom(next);
}

double ReportViewer::scale() const
{
    if (!m_renderer)
        return 1.0;
    const QSize page = m_renderer->pageSize();
    const double atHundred = double(logicalDpiX()) / 1440.0;
    const QSize room = m_scroll->viewport()->size() - QSize(2 * PageCanvas::kMargin, 2 * PageCanvas::kMargin);
    if (m_zoom == FitWidth)
        return std::max(0.01, double(room.width()) / page.width());
    if (m_zoom == FitPage)
        return std::max(0.01, std::min(double(room.width()) / page.width(), double(room.height()) / page.height()));
    return atHundred * m_zoom / 100.0;
}

void ReportViewer::applyZoom()
{
    m_canvas->refit();
}

bool ReportViewer::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_scroll->viewport() && e->type() == QEvent::Resize && (m_zoom == FitWidth || m_zoom == FitPage))
        applyZoom();
    return QWidget::eventFilter(watched, e);
}

void ReportViewer::updateControls()
{
    const int n = pageCount();
    {
        const QSignalBlocker quiet(m_pageBox);
        m_pageBox->setRange(n > 0 ? 1 : 0, n);
        m_pageBox->setValue(m_page);
    }
    m_pages->setText(tr("de %1").arg(n));
    m_first->setEnabled(m_page > 1);
    m_prev->setEnabled(m_page > 1);
    m_next->setEnabled(m_page < n);
    m_last->setEnabled(m_page < n);
    m_print->setEnabled(n > 0);
    m_export->setEnabled(n > 0);
    int index = m_zoomBox->findData(m_zoom);
    if (index < 0) {
        m_zoomBox->addItem(QStringLiteral("%1%").arg(m_zoom), m_zoom);
        index = m_zoomBox->count() - 1;
    }
    const QSignalBlocker quiet(m_zoomBox);
    m_zoomBox->setCurrentIndex(index);
}

void ReportViewer::printWithDialog()
{
    if (!m_renderer || pageCount() == 0)
        return;
    frame::guarded(QStringLiteral("frmView:Imprimir"), [&] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(m_report->title());
        if (!m_printerName.isEmpty())
            printer.setPrinterName(m_printerName);
        QPrintDialog dialog(&printer, window());
        dialog.setObjectName(QStringLiteral("dlgImprimir"));
        dialog.setMinMax(1, pageCount());
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
        if (frame::runModal(dialog) != frame::DialogResult::Accepted)
            return;
        int from = 0, to = 0;
        if (printer.printRange() == QPrinter::PageRange) {
            from = printer.fromPage();
            to = printer.toPage();
        } else if (printer.printRange() == QPrinter::CurrentPage) {
            from = to = m_page;
        }
        printOn(*m_renderer, printer, from, to);
    });
}

bool ReportViewer::exportPdf()
{
    if (!m_renderer || pageCount() == 0)
        return false;
    bool written = false;
    frame::guarded(QStringLiteral("frmView:Exportar"), [&] {
        QString name = m_report->title().trimmed();
        name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QStringLiteral("_"));
        if (name.isEmpty())
            name = QStringLiteral("Informe");
        QString path = frame::Services::files().saveFile(window(), tr("Guardar informe como PDF"),
                                                         QDir::home().filePath(name + QStringLiteral(".pdf")),
                                                         tr("Documento PDF (*.pdf)"));
        if (path.isEmpty())
            return;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".pdf");
        writePdf(*m_renderer, path);
        written = true;
    });
    return written;
}

} // namespace zqvr::reports
