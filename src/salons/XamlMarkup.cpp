#include "salons/XamlMarkup.h"

#include "salons/FlowGraphDocument.h"

#include <QDomDocument>
#include <QDomElement>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cmath>

namespace zqvr::salons {

namespace {

QString localName(const QDomElement& e)
{
    const QString tag = e.tagName();
    const int colon = tag.indexOf(QLatin1Char(':'));
    return colon < 0 ? tag : tag.mid(colon + 1);
}

// The element itself or its first descendant with that local name, in
// document order. Walked with the tree's own links rather than by recursion,
// so the depth of the markup costs no stack.
QDomElement findElement(const QDomElement& from, const QString& name, bool includeSelf)
{
    if (includeSelf && localName(from) == name)
        return from;
    QDomElement e = from.firstChildElement();
    while (!e.isNull()) {
        if (localName(e) == name)
            return e;
        QDomElement next = e.firstChildElement();
        // No children: the next sibling, or the sibling of the nearest ancestor below `from` that has one.
        while (next.isNull() && e != from) {
            next = e.nextSiblingElement();
            if (next.isNull()) {
                e = e.parentNode().toElement();
                if (e.isNull())
                    return {};
            }
        }
        if (next.isNull())
            return {};
        e = next;
    }
    return {};
}

// Element nesting deeper than this is refused before the markup reaches the
// DOM: writing a DOM back out recurses once per level, and a drawn element
// needs two or three levels.
constexpr int MaxMarkupDepth = 64;

// The element depth of well-formed markup, counted without building it; stops counting past the limit.
bool tooDeep(const QString& markup)
{
    QXmlStreamReader r(markup);
    int depth = 0;
    while (!r.atEnd()) {
        switch (r.readNext()) {
        case QXmlStreamReader::StartElement:
            if (++depth > MaxMarkupDepth)
                return true;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    return false;
}

QColor colour(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.compare(QLatin1String("Transparent"), Qt::CaseInsensitive) == 0)
        return {};
    QColor c = QColor::fromString(t);
    if (!c.isValid())
        c = QColor::fromString(t.toLower());
    return c;
}

// "2" or "1,2,1,2": the largest value; 0 when none is a number.
double largest(const QString& text)
{
    double best = 0;
    for (const QString& part : text.split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts)) {
        bool ok = false;
        const double v = part.toDouble(&ok);
        if (ok && std::isfinite(v))
            best = std::max(best, v);
    }
    return best;
}

double positive(const QString& text, double fallback, double max)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(v) && v > 0 ? std::min(v, max) : fallback;
}

bool parse(const QString& markup, QDomDocument& doc, QString& problem)
{
    if (markup.trimmed().isEmpty()) {
        problem = QStringLiteral("El elemento no tiene dibujo.");
        return false;
    }
    if (tooDeep(markup)) {
        problem = QStringLiteral("El dibujo del elemento tiene más de %1 niveles de elementos anidados.").arg(MaxMarkupDepth);
        return false;
    }
    QString message;
    if (!doc.setContent(markup, &message)) {
        problem = QStringLiteral("El dibujo del elemento no es XML válido (%1).").arg(message);
        return false;
    }
    return true;
}

} // namespace

XamlLook parseXaml(const QString& markup)
{
    XamlLook look;
    QDomDocument doc;
    if (!parse(markup, doc, look.problem))
        return look;
    const QDomElement border = findElement(doc.documentElement(), QStringLiteral("Border"), true);
    if (border.isNull()) {
        look.problem = QStringLiteral("El dibujo del elemento no tiene Border.");
        return look;
    }
    look.valid = true;
    look.background = colour(border.attribute(QStringLiteral("Background")));
    look.borderBrush = colour(border.attribute(QStringLiteral("BorderBrush")));
    look.borderThickness = std::min(largest(border.attribute(QStringLiteral("BorderThickness"))), 100.0);
    look.cornerRadius = std::min(largest(border.attribute(QStringLiteral("CornerRadius"))), 10000.0);
    const double w = positive(border.attribute(QStringLiteral("Width")), 0, 10000);
    const double h = positive(border.attribute(QStringLiteral("Height")), 0, 10000);
    if (w > 0 && h > 0)
        look.size = QSizeF(w, h);
    const QDomElement tb = findElement(border, QStringLiteral("TextBlock"), false);
    if (!tb.isNull()) {
        look.hasTextBlock = true;
        look.text = tb.hasAttribute(QStringLiteral("Text")) ? tb.attribute(QStringLiteral("Text")) : tb.text();
        look.fontSize = positive(tb.attribute(QStringLiteral("FontSize")), 12, 500);
        const QString weight = tb.attribute(QStringLiteral("FontWeight")).trimmed().toLower();
        look.bold = weight == QLatin1String("bold") || weight == QLatin1String("semibold") ||
                    weight == QLatin1String("extrabold") || weight == QLatin1String("black") ||
                    weight == QLatin1String("heavy") || weight == QLatin1String("demibold") ||
                    weight == QLatin1String("ultrabold");
        const QColor fg = colour(tb.attribute(QStringLiteral("Foreground")));
        if (fg.isValid())
            look.foreground = fg;
    } else {
        look.problem = QStringLiteral("El dibujo del elemento no tiene TextBlock.");
    }
    return look;
}

QSizeF markupSize(const QString& markup)
{
    const XamlLook look = parseXaml(markup);
    return look.size.isEmpty() ? QSizeF(DefaultMarkupSize, DefaultMarkupSize) : look.size;
}

XamlRename setXamlText(const QString& markup, const QString& text)
{
    XamlRename r;
    r.markup = markup;
    QDomDocument doc;
    if (!parse(markup, doc, r.problem))
        return r;
    const QDomElement border = findElement(doc.documentElement(), QStringLiteral("Border"), true);
    if (border.isNull()) {
        r.problem = QStringLiteral("El dibujo del elemento no tiene Border.");
        return r;
    }
    QDomElement tb = findElement(border, QStringLiteral("TextBlock"), false);
    if (tb.isNull()) {
        r.problem = QStringLiteral("El dibujo del elemento no tiene TextBlock.");
        return r;
    }
    tb.setAttribute(QStringLiteral("Text"), xmlSafeText(text));
    r.markup = doc.toString(-1);
    r.changed = true;
    return r;
}

} // namespace zqvr::salons
