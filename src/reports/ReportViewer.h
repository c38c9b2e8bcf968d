#pragma once
// The report viewer control (crvRep of frmView): its own buttons (first,
// previous, next and last page, the page number, zoom, print, export to PDF,
// close) over the current page. Pages are painted when shown, so a report of
// thousands of pages opens as fast as one of a single page.
//
// Zoom: a percentage (10-400), or 1 to fit the page's width, 2 to fit the whole page.
#include "reports_export.h"

#include <QWidget>
#include <memory>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QScrollArea;
class QSpinBox;
class QToolButton;

namespace zqvr::reports {

class Report;
class ReportRenderer;
class PageCanvas;

class ZQVR_REPORTS_EXPORT ReportViewer : public QWidget {
    Q_OBJECT
public:
    enum { FitWidth = 1, FitPage = 2 };

    explicit ReportViewer(QWidget* parent = nullptr);
    ~ReportViewer() override;

    // Prepares and paginates the report (throws its Error) and shows the first page.
    void setReport(std::shared_ptr<Report> report);
    Report* report() const { return m_report.get(); }
    const ReportRenderer* renderer() const { return m_renderer.get(); }

    int pageCount() const;
    int currentPage() const { return m_page; } // 1-based, 0 without a report
    void showPage(int page);

    int zoom() const { return m_zoom; }
    void setZoom(int zoom);
    // The scale applied to the page: device pixels per twip.
    double scale() const;

    // The system print dialog (on this printer when one is named), then the chosen pages on the chosen printer.
    void printWithDialog();
    QString printerName() const { return m_printerName; }
    void setPrinterName(const QString& name) { m_printerName = name; }
    // Asks where through the file chooser service and writes the PDF; false when cancelled.
    bool exportPdf();

    // The button row, where the window that holds the viewer can add its own things (the logo).
    QHBoxLayout* toolbarLayout() const { return m_toolbar; }

Q_SIGNALS:
    void closeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QWidget* makeToolbar();
    void layOutToolbar(QWidget* bar);
    void makeSheet();
    void wireButtons();
    void bindViewerKeys();
    void updateControls();
    void applyZoom();
    void zoomBy(int steps);
    void zoomIn();
    void zoomOut();

    void crvPrimera_Click();
    void crvAnterior_Click();
    void crvSiguiente_Click();
    void crvUltima_Click();
    void crvNumPagina_Change(int page);
    void crvZoom_Click(int index);
    void crvImprimir_Click();
    void crvExportar_Click();
    void crvCerrar_Click();

    std::shared_ptr<Report> m_report;
    std::unique_ptr<ReportRenderer> m_renderer;
    int m_page = 0;
    int m_zoom = FitWidth;
    QString m_printerName;

    QHBoxLayout* m_toolbar = nullptr;
    QToolButton* m_first = nullptr;
    QToolButton* m_prev = nullptr;
    QToolButton* m_next = nullptr;
    QToolButton* m_last = nullptr;
    QSpinBox* m_pageBox = nullptr;
    QLabel* m_pages = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QToolButton* m_print = nullptr;
    QToolButton* m_export = nullptr;
    QToolButton* m_close = nullptr;
    QScrollArea* m_scroll = nullptr;
    PageCanvas* m_canvas = nullptr;
};

} // namespace zqvr::reports
