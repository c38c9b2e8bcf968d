#pragma once
// Lays a prepared report out on pages and paints any page on any painter.
// This is the one painting path of the preview, the printer and the PDF:
// the painter only has to map twips onto its device (mapToTwips).
//
// Pages: on the first page the report header, then on every page the page
// header sections; the detail sections once per row (a band that does not
// fit starts a new page); the report footer after the last row; the page
// footer at the bottom of every page. A can-grow object wraps its text and
// makes its band as tall as the text needs.
#include "reports_export.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>
#include <memory>
#include <vector>

class QPainter;
class QPaintDevice;

namespace zqvr::reports {

class Report;
struct ReportObject;
struct ReportSection;

class ZQVR_REPORTS_EXPORT ReportRenderer {
public:
    // Prepares the report (throws its Error) and paginates it.
    explicit ReportRenderer(Report& report);
    ~ReportRenderer();
    ReportRenderer(const ReportRenderer&) = delete;
    ReportRenderer& operator=(const ReportRenderer&) = delete;

    Report& report() const { return m_report; }
    int pageCount() const { return static_cast<int>(m_pages.size()); }
    // The page in twips.
    QSize pageSize() const;
    // Paints page `page` (0-based) with the painter already in twips.
    void paintPage(QPainter& p, int page) const;
    // Maps the painter's coordinates to twips over a device of that size in pixels.
    static void mapToTwips(QPainter& p, const QSize& pageTwips, const QRect& deviceRect);

    // Height of everything a report prints in one flow (subreports).
    int flowHeight() const;
    void paintFlow(QPainter& p, const QRect& target) const;

private:
    struct Band {
        int section;
        int row;    // data row, -1 for none
        int y;      // twips from the page's top
        int height; // twips
    };
    struct Page {
        std::vector<Band> bands;
    };
    struct ObjectLook;

    void paginate();
    int bandHeight(int section, int row) const;
    void paintBand(QPainter& p, const Band& band, int x0, int page, int pages) const;
    const ObjectLook& look(int section, int object) const;

    Report& m_report;
    std::vector<Page> m_pages;
    // What the painter was last given, so that unchanged fonts and colours are not set again.
    mutable const QFont* m_lastFont = nullptr;
    mutable QRgb m_lastColor = 0;
    // Per section, per object: font and metrics, made once.
    std::vector<std::vector<std::unique_ptr<ObjectLook>>> m_looks;
};

} // namespace zqvr::reports
