#include "salons/FlowGraphDocument.h"

#include "salons/XamlMarkup.h"

#include <QLocale>
#include <QXmlStreamReader>
#include <cmath>

namespace zqvr::salons {

namespace {

// Positions far outside any room would only break the drawing's arithmetic.
constexpr double MaxCoordinate = 1e6;
constexpr double MinSize = 4;
constexpr double MaxSize = 10000;

bool xmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

void appendEscaped(QString& out, const QString& text, bool attribute)
{
    const QChar* p = text.constData();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = p[i];
        char32_t c = ch.unicode();
        if (ch.isHighSurrogate() && i + 1 < n && p[i + 1].isLowSurrogate()) {
            out += ch;
            out += p[++i];
            continue;
        }
        if (ch.isSurrogate() || !xmlChar(c))
            continue;
        switch (c) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        case '"': out += QLatin1String("&quot;"); break;
        case '|': out += QLatin1String("&#124;"); break;
        case '\r': out += QLatin1String("&#13;"); break;
        case '\n': out += attribute ? QLatin1String("&#10;") : QLatin1String("\n"); break;
        case '\t': out += attribute ? QLatin1String("&#9;") : QLatin1String("\t"); break;
        default: out += ch;
        }
    }
}

QString number(double v)
{
    if (v == 0)
        v = 0; // no "-0"
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

void attr(QString& out, const char* name, const QString& value)
{
    out += QLatin1Char(' ');
    out += QLatin1String(name);
    out += QLatin1String("=\"");
    appendEscaped(out, value, true);
    out += QLatin1Char('"');
}

bool readNumber(const QXmlStreamAttributes& a, QLatin1String name, double& v)
{
    if (!a.hasAttribute(name))
        return false;
    bool ok = false;
    const double d = a.value(name).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return false;
    v = d;
    return true;
}

int readInt(const QXmlStreamAttributes& a, QLatin1String name, int fallback)
{
    bool ok = false;
    const int v = a.value(name).trimmed().toInt(&ok);
    return ok ? v : fallback;
}

QString label(const FlowNode& n)
{
    return n.caption.isEmpty() ? QStringLiteral("sin etiqueta") : QStringLiteral("«%1»").arg(n.caption.left(40));
}

class Reader {
public:
    explicit Reader(const QString& xml) : m_text(xml), m_xml(xml) {}

    FlowGraphLoad read()
    {
        FlowGraphLoad out;
        if (m_text.trimmed().isEmpty()) {
            out.valid = false;
            return out;
        }
        if (!m_xml.readNextStartElement() || m_xml.name() != QLatin1String("FlowGraph")) {
            out.problems << (m_xml.hasError()
                                 ? QStringLiteral("El plano guardado no es un documento XML válido (línea %1: %2).")
                                       .arg(m_xml.lineNumber()).arg(m_xml.errorString())
                                 : QStringLiteral("El plano guardado no es un documento de plano (falta el elemento FlowGraph)."));
            return out;
        }
        FlowGraphPage page;
        int pages = 0;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("Page")) {
                ++pages;
                if (pages == 1)
                    readPage(page, out.problems);
                else
                    m_xml.skipCurrentElement();
            } else {
                unknown(out.problems);
            }
        }
        // Whatever follows the root must be nothing but comments and white space.
        while (!m_xml.atEnd() && !m_xml.hasError())
            m_xml.readNext();
        if (m_xml.hasError()) {
            out.problems.clear();
            out.problems << QStringLiteral("El plano guardado no es un documento XML válido (línea %1: %2).")
                                .arg(m_xml.lineNumber()).arg(m_xml.errorString());
            return out;
        }
        if (pages > 1)
            out.problems << QStringLiteral("El plano tiene %1 páginas; sólo se abre la primera.").arg(pages);
        out.valid = true;
        out.page = std::move(page);
        return out;
    }

private:
    void unknown(QStringList& problems)
    {
        const QString name = m_xml.name().toString();
        if (!m_unknownSeen.contains(name)) {
            m_unknownSeen << name;
            problems << QStringLiteral("Se ha ignorado el elemento desconocido «%1».").arg(name.left(40));
        }
        m_xml.skipCurrentElement();
    }

    void readPage(FlowGraphPage& page, QStringList& problems)
    {
        page.caption = m_xml.attributes().value(QLatin1String("Caption")).toString();
        int dropped = 0;
        QString firstDropped;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() != QLatin1String("Node")) {
                unknown(problems);
                continue;
            }
            FlowNode n;
            if (readNode(n, problems)) {
                page.nodes.append(std::move(n));
            } else {
                if (dropped++ == 0)
                    firstDropped = label(n);
            }
        }
        if (dropped == 1)
            problems << QStringLiteral("Se ha descartado un elemento sin posición (%1).").arg(firstDropped);
        else if (dropped > 1)
            problems << QStringLiteral("Se han descartado %1 elementos sin posición.").arg(dropped);
    }

    bool readNode(FlowNode& n, QStringList& problems)
    {
        const QXmlStreamAttributes a = m_xml.attributes();
        n.caption = a.value(QLatin1String("Caption")).toString();
        n.imageIndex = std::max(-1, readInt(a, QLatin1String("Image"), -1));
        n.tag = readInt(a, QLatin1String("Tag"), 0);
        n.shape = a.hasAttribute(QLatin1String("Shape")) ? readInt(a, QLatin1String("Shape"), 0)
                                                          : (n.imageIndex >= 0 ? PictureShapeId : 0);
        const bool positioned = readNumber(a, QLatin1String("Left"), n.left) && readNumber(a, QLatin1String("Top"), n.top);
        double w = 0, h = 0;
        const bool hasW = readNumber(a, QLatin1String("Width"), w) && w > 0;
        const bool hasH = readNumber(a, QLatin1String("Height"), h) && h > 0;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("Markup"))
                n.markup = m_xml.readElementText(QXmlStreamReader::IncludeChildElements);
            else
                unknown(problems);
        }
        if (!positioned)
            return false;
        n.left = std::clamp(n.left, -MaxCoordinate, MaxCoordinate);
        n.top = std::clamp(n.top, -MaxCoordinate, MaxCoordinate);
        QSizeF fallback(PictureNodeSize, PictureNodeSize);
        if (!n.isPicture() && (!hasW || !hasH))
            fallback = markupSize(n.markup);
        n.width = std::clamp(hasW ? w : fallback.width(), MinSize, MaxSize);
        n.height = std::clamp(hasH ? h : fallback.height(), MinSize, MaxSize);
        return true;
    }

    const QString& m_text;
    QXmlStreamReader m_xml;
    QStringList m_unknownSeen;
};

} // namespace

QString xmlSafeText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    const QChar* p = text.constData();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = p[i];
        if (ch.isHighSurrogate() && i + 1 < n && p[i + 1].isLowSurrogate()) {
            out += ch;
            out += p[++i];
        } else if (!ch.isSurrogate() && xmlChar(ch.unicode())) {
            out += ch;
        }
    }
    return out;
}

QString saveFlowGraph(const FlowGraphPage& page)
{
    QString out;
    out.reserve(256 + page.nodes.size() * 200);
    out += QLatin1String("<FlowGraph Version=\"1\">\n  <Page");
    if (!page.caption.isEmpty())
        attr(out, "Caption", page.caption);
    out += QLatin1String(">\n");
    for (const FlowNode& n : page.nodes) {
        out += QLatin1String("    <Node");
        attr(out, "Shape", QString::number(n.shape));
        attr(out, "Left", number(n.left));
        attr(out, "Top", number(n.top));
        attr(out, "Width", number(n.width));
        attr(out, "Height", number(n.height));
        attr(out, "Caption", n.caption);
        if (n.imageIndex != -1)
            attr(out, "Image", QString::number(n.imageIndex));
        if (n.tag != 0)
            attr(out, "Tag", QString::number(n.tag));
        if (n.markup.isEmpty()) {
            out += QLatin1String("/>\n");
        } else {
            out += QLatin1String(">\n      <Markup>");
            appendEscaped(out, n.markup, false);
            out += QLatin1String("</Markup>\n    </Node>\n");
        }
    }
    out += QLatin1String("  </Page>\n</FlowGraph>\n");
    return out;
}

FlowGraphLoad loadFlowGraph(const QString& xml)
{
    return Reader(xml).read();
}

} // namespace zqvr::salons
