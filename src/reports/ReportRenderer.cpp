#include "reports/ReportRenderer.h"

#include "reports/Report.h"

#include "db/Error.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <array>

namespace zqvr::reports {

namespace {

constexpr int kTwipsPerPoint = 20;

QList<int> sectionsOf(const ReportLayout& layout, SectionKind kind)
{
    QList<int> out;
    for (int i = 0; i < int(layout.sections.size()); ++i)
        if (layout.sections[size_t(i)].kind == kind && !layout.sections[size_t(i)].suppress)
            out << i;
    return out;
}

Qt::Alignment qtAlign(TextAlign a)
{
    switch (a) {
    case TextAlign::Center: return Qt::AlignHCenter;
    case TextAlign::Right: return Qt::AlignRight;
    default: return Qt::AlignLeft;
    }
}

bool isTextual(ObjectKind k)
{
    return k == ObjectKind::Text || k == ObjectKind::Field || k == ObjectKind::Formula || k == ObjectKind::Summary;
}

} // namespace

struct ReportRenderer::ObjectLook {
    QFont font;
    QFontMetricsF metrics;
    QColor color;
    QImage picture;
    explicit ObjectLook(const QFont& f) : font(f), metrics(f) { m_advances.fill(-1); }

    // The width of one line of text. Fonts are used without shaping or
    // kerning, so a line is as wide as its characters: their widths are
    // remembered, which spares laying out every cell of a long report twice.
    qreal advance(const QString& text) const
    {
        qreal w = 0;
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            if (u >= m_advances.size())
                return metrics.horizontalAdvance(text);
            if (m_advances[u] < 0)
                m_advances[u] = metrics.horizontalAdvance(c);
            w += m_advances[u];
        }
        return w;
    }

private:
    mutable std::array<qreal, 0x250> m_advances; // Latin letters, with accents
};

ReportRenderer::ReportRenderer(Report& report) : m_report(report)
{
    m_report.prepare();
    const ReportLayout& layout = m_report.layout();
    const QString dir = layout.filePath.isEmpty() ? QString() : QFileInfo(layout.filePath).absolutePath();
    m_looks.resize(layout.sections.size());
    for (size_t s = 0; s < layout.sections.size(); ++s) {
        for (const ReportObject& o : layout.sections[s].objects) {
            // Sizes in twips: the painter maps twips onto the device, so a
            // font of 9 points is 180 units high on every device alike.
            QFont f(o.font.family);
            f.setPixelSize(std::max(1, int(o.font.size * kTwipsPerPoint + 0.5)));
            f.setBold(o.font.bold);
            f.setItalic(o.font.italic);
            f.setUnderline(o.font.underline);
            f.setHintingPreference(QFont::PreferNoHinting);
            f.setKerning(false);
            // Latin text needs no shaping: no ligatures ("ﬁ" would be what a
            // reader copies out of the PDF), and the text is laid out faster.
            f.setStyleStrategy(QFont::PreferNoShaping);
            auto lookOf = std::make_unique<ObjectLook>(f);
            lookOf->color = o.color.isEmpty() ? QColor(Qt::black) : QColor(o.color);
            if (!lookOf->color.isValid())
                lookOf->color = Qt::black;
            if (o.kind == ObjectKind::Picture && !o.file.isEmpty())
                lookOf->picture = QImage(QDir(dir).filePath(o.file)); // a missing picture prints nothing
            m_looks[s].push_back(std::move(lookOf));
        }
    }
    paginate();
}

ReportRenderer::~ReportRenderer() = default;

const ReportRenderer::ObjectLook& ReportRenderer::look(int section, int object) const
{
    return *m_looks[size_t(section)][size_t(object)];
}

QSize ReportRenderer::pageSize() const
{
    return {m_report.layout().page.width, m_report.layout().page.height};
}

int ReportRenderer::bandHeight(int section, int row) const
{
    const ReportSection& s = m_report.layout().sections[size_t(section)];
    int h = s.height;
    if (!s.hasCanGrow())
        return h;
    for (int i = 0; i < int(s.objects.size()); ++i) {
        const ReportObject& o = s.objects[size_t(i)];
        if (!o.canGrow || !o.visible)
            continue;
        int need = o.height;
        if (o.kind == ObjectKind::Subreport) {
            if (Report* sub = m_report.subreport(o.name))
                need = std::max(need, ReportRenderer(*sub).flowHeight());
        } else if (isTextual(o.kind) && o.width > 0) {
            const QString text = m_report.objectText(o, row, 1, 1);
            const QFontMetricsF& fm = look(section, i).metrics;
            double textH = fm.height();
            // Most cells fit on one line: measure the wrap only when they do not.
            if (text.contains(QLatin1Char('\n')) || look(section, i).advance(text) > o.width)
                textH = fm.boundingRect(QRectF(0, 0, o.width, 1e9), Qt::TextWordWrap | qtAlign(o.align), text).height();
            need = std::max(need, int(std::ceil(textH)));
        }
        // A grown object keeps the room the section leaves below it.
        h = std::max(h, o.y + need + std::max(0, s.height - (o.y + o.height)));
    }
    return h;
}

void ReportRenderer::paginate()
{
    const ReportLayout& layout = m_report.layout();
    const PageSetup& pg = layout.page;
    const QList<int> reportHeaders = sectionsOf(layout, SectionKind::ReportHeader);
    const QList<int> pageHeaders = sectionsOf(layout, SectionKind::PageHeader);
    const QList<int> details = sectionsOf(layout, SectionKind::Detail);
    const QList<int> reportFooters = sectionsOf(layout, SectionKind::ReportFooter);
    const QList<int> pageFooters = sectionsOf(layout, SectionKind::PageFooter);

    int footerHeight = 0;
    for (int s : pageFooters)
        footerHeight += bandHeight(s, -1);
    const int bodyBottom = std::max(pg.top + 1, pg.height - pg.bottom - footerHeight);
    // Page headers and footers that fill the page would leave every row a page of its own, unseen.
    int headerHeight = 0;
    for (int s : pageHeaders)
        headerHeight += bandHeight(s, -1);
    if (!details.isEmpty() && m_report.data().rowCount() > 0 && pg.top + headerHeight >= bodyBottom)
        throw Error(rpterr::LayoutMalformed,
                    QStringLiteral("Las cabeceras y pies de página del informe \"%1\" no dejan sitio para las líneas.")
                        .arg(layout.filePath.isEmpty() ? layout.name : layout.filePath),
                    QStringLiteral("ReportRenderer"));

    m_pages.clear();
    int y = 0;
    bool bodyStarted = false;
    auto place = [&](int s, int row, int h) {
        // Headers and a band taller than the page are cut at the bottom rather than lost.
        h = std::min(h, std::max(0, bodyBottom - y));
        m_pages.back().bands.push_back({s, row, y, h});
        y += h;
    };
    auto finishPage = [&] {
        int fy = pg.height - pg.bottom - footerHeight;
        for (int s : pageFooters) {
            const int h = bandHeight(s, -1);
            m_pages.back().bands.push_back({s, -1, fy, h});
            fy += h;
        }
    };
    auto newPage = [&] {
        if (!m_pages.empty())
            finishPage();
        m_pages.emplace_back();
        y = pg.top;
        bodyStarted = false;
        if (m_pages.size() == 1)
            for (int s : reportHeaders)
                place(s, -1, bandHeight(s, -1));
        for (int s : pageHeaders)
            place(s, -1, bandHeight(s, -1));
    };
    auto placeBody = [&](int s, int row) {
        const int h = bandHeight(s, row);
        if (h <= 0)
            return;
        if (y + h > bodyBottom && bodyStarted)
            newPage();
        bodyStarted = true;
        place(s, row, h);
    };

    newPage();
    const int rows = m_report.data().rowCount();
    if (!details.isEmpty())
        for (int r = 0; r < rows; ++r)
            for (int s : details)
                placeBody(s, r);
    for (int s : reportFooters)
        placeBody(s, rows > 0 ? rows - 1 : -1);
    finishPage();
}

void ReportRenderer::mapToTwips(QPainter& p, const QSize& pageTwips, const QRect& deviceRect)
{
    p.setWindow(0, 0, pageTwips.width(), pageTwips.height());
    p.setViewport(deviceRect);
}

void ReportRenderer::paintPage(QPainter& p, int page) const
{
    if (page < 0 || page >= pageCount())
        return;
    m_lastFont = nullptr;
    m_lastColor = 0;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const int x0 = m_report.layout().page.left;
    for (const Band& b : m_pages[size_t(page)].bands)
        paintBand(p, b, x0, page + 1, pageCount());
    p.restore();
}

void ReportRenderer::paintBand(QPainter& p, const Band& band, int x0, int page, int pages) const
{
    const ReportSection& s = m_report.layout().sections[size_t(band.section)];
    if (band.height <= 0)
        return;
    const QRect bandRect(0, band.y, m_report.layout().page.width, band.height);
    for (int i = 0; i < int(s.objects.size()); ++i) {
        const ReportObject& o = s.objects[size_t(i)];
        if (!o.visible)
            continue;
        const ObjectLook& lk = look(band.section, i);
        // A can-grow object takes the band's height below its top.
        const int h = o.canGrow ? std::max(o.height, band.height - o.y) : o.height;
        QRect r(x0 + o.x, band.y + o.y, o.width, std::min(h, band.height - o.y));
        if (r.height() < 0)
            continue;
        switch (o.kind) {
        case ObjectKind::Box: {
            QPen pen(lk.color, std::max(1, o.lineWidth));
            pen.setJoinStyle(Qt::MiterJoin);
            p.setPen(pen);
            m_lastColor = 0;
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRect(x0 + o.x, band.y + o.y, o.width, o.height));
            break;
        }
        case ObjectKind::Line: {
            p.setPen(QPen(lk.color, std::max(1, o.lineWidth)));
            m_lastColor = 0;
            p.drawLine(QPoint(x0 + o.x, band.y + o.y), QPoint(x0 + o.x + o.width, band.y + o.y + o.height));
            break;
        }
        case ObjectKind::Picture: {
            if (lk.picture.isNull() || r.isEmpty())
                break;
            const QSize fitted = lk.picture.size().scaled(r.size(), Qt::KeepAspectRatio);
            p.drawImage(QRect(r.topLeft(), fitted), lk.picture);
            break;
        }
        case ObjectKind::Subreport: {
            if (Report* sub = m_report.subreport(o.name)) {
                p.save();
                p.setClipRect(r.intersected(bandRect));
                ReportRenderer(*sub).paintFlow(p, r);
                p.restore();
                m_lastFont = nullptr;
                m_lastColor = 0;
            }
            break;
        }
        default: {
            const QString text = m_report.objectText(o, band.row, page, pages);
            if (text.isEmpty() || r.width() <= 0)
                break;
            // Font and colour change only between objects that differ (a page holds thousands of texts).
            if (m_lastFont != &lk.font) {
                p.setFont(lk.font);
                m_lastFont = &lk.font;
            }
            if (m_lastColor != lk.color.rgba()) {
                p.setPen(lk.color);
                m_lastColor = lk.color.rgba();
            }
            const bool multiLine = text.contains(QLatin1Char('\n'));
            qreal advance = multiLine ? 0 : lk.advance(text);
            if (o.canGrow && (multiLine || advance > o.width)) {
                p.drawText(QRectF(r), int(qtAlign(o.align) | Qt::AlignTop | Qt::TextWordWrap), text);
                break;
            }
            QString line = text;
            if (multiLine || advance > o.width) {
                // What does not fit is cut with an ellipsis rather than overprinting its neighbour.
                line = lk.metrics.elidedText(text.section(QLatin1Char('\n'), 0, 0), Qt::ElideRight, o.width);
                advance = lk.advance(line);
            }
            // One line placed by hand: far cheaper than laying the text out in a rectangle.
            qreal x = r.left();
            if (o.align == TextAlign::Right)
                x = r.left() + o.width - advance;
            else if (o.align == TextAlign::Center)
                x = r.left() + (o.width - advance) / 2;
            p.drawText(QPointF(x, r.top() + lk.metrics.ascent()), line);
            break;
        }
        }
    }
}

int ReportRenderer::flowHeight() const
{
    int h = 0;
    for (const Page& pg : m_pages)
        for (const Band& b : pg.bands)
            h += b.height;
    return h;
}

void ReportRenderer::paintFlow(QPainter& p, const QRect& target) const
{
    // The flow ignores the subreport's own page: bands follow each other from the target's top.
    m_lastFont = nullptr;
    m_lastColor = 0;
    p.save();
    int y = target.top();
    for (const Page& pg : m_pages)
        for (const Band& b : pg.bands) {
            Band moved = b;
            moved.y = y;
            paintBand(p, moved, target.left(), 1, 1);
            y += b.height;
        }
    p.restore();
}

} // namespace zqvr::reports
