#include "host/Formato.h"

#include <algorithm>

#include <QRegularExpression>
#include <cmath>

namespace zqvr::host {

double Redondear(double value, int decimals)
{
    if (!std::isfinite(value))
        return 0.0;
    const double f = std::pow(10.0, decimals);
    // Scale in long double and nudge by a few ulps so that values such as
    // 2.345 (stored as 2.34499999...) round the way a cashier expects.
    long double scaled = static_cast<long double>(value) * f;
    const long double eps = std::fabs(scaled) * 1e-12L;
    scaled = scaled >= 0 ? std::floor(scaled + 0.5L + eps) : -std::floor(-scaled + 0.5L + eps);
    return static_cast<double>(scaled / f);
}

QString Formato::FormatoNumero(double value, int decimals)
{
    if (decimals < 0)
        decimals = 0;
    const double r = Redondear(value, decimals);
    const bool negative = r < 0 && std::fabs(r) >= 0.5 * std::pow(10.0, -decimals);
    QString digits = QString::number(std::fabs(r), 'f', decimals);
    QString intPart = digits;
    QString decPart;
    const int dot = digits.indexOf(QLatin1Char('.'));
    if (dot >= 0) {
        intPart = digits.left(dot);
        decPart = digits.mid(dot + 1);
    }
    QString grouped;
    const int n = intPart.size();
    for (int i = 0; i < n; ++i) {
        grouped += intPart.at(i);
        const int left = n - i - 1;
        if (left > 0 && left % 3 == 0)
            grouped += QLatin1Char('.');
    }
    QString out = negative ? QStringLiteral("-") + grouped : grouped;
    if (decimals > 0)
        out += QLatin1Char(',') + decPart;
    return out;
}

QDate Formato::LeerFecha(const QString& text)
{
    const QString t = text.trimmed();
    static const QRegularExpression dmy(QStringLiteral(R"(^(\d{1,2})[/\-.](\d{1,2})[/\-.](\d{2}|\d{4})(?:\s.*)?$)"));
    static const QRegularExpression iso(QStringLiteral(R"(^(\d{4})-(\d{2})-(\d{2})(?:[ T].*)?$)"));
    QRegularExpressionMatch m = iso.match(t);
    if (m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    m = dmy.match(t);
    if (m.hasMatch()) {
        int y = m.captured(3).toInt();
        if (m.captured(3).size() == 2)
            y += y < 50 ? 2000 : 1900;
        return QDate(y, m.captured(2).toInt(), m.captured(1).toInt());
    }
    return {};
}

QString Formato::FormatoFecha(const QDate& date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString Formato::FormatoFecha(const QString& dateText) { return FormatoFecha(LeerFecha(dateText)); }

QString Formato::Alinear(int mode, const QString& text, int width)
{
    if (width <= 0)
        return {};
    QString t = text;
    if (t.size() > width)
        t = t.left(width);
    const int pad = width - t.size();
    switch (mode) {
    case 1: {
        const int left = pad / 2;
        return QString(left, QLatin1Char(' ')) + t + QString(pad - left, QLatin1Char(' '));
    }
    case 2:
        return QString(pad, QLatin1Char(' ')) + t;
    case 3: {
        // Zero-filled when it is a number (till numbers); a zero-filled name
        // would be unreadable, so any other text is padded like mode 0.
        const bool digits = !t.isEmpty() && std::all_of(t.begin(), t.end(), [](QChar c) { return c.isDigit(); });
        return digits ? QString(pad, QLatin1Char('0')) + t : t + QString(pad, QLatin1Char(' '));
    }
    default:
        return t + QString(pad, QLatin1Char(' '));
    }
}

double Formato::LeerNumero(const QString& text, bool* ok)
{
    QString t = text.trimmed();
    if (ok)
        *ok = false;
    if (t.isEmpty())
        return 0.0;
    static const QRegularExpression suite(QStringLiteral(R"(^[+-]?(\d{1,3}(\.\d{3})+|\d+)(,\d+)?$)"));
    static const QRegularExpression dotDecimal(QStringLiteral(R"(^[+-]?\d*\.\d+$)"));
    if (suite.match(t).hasMatch()) {
        t.remove(QLatin1Char('.'));
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    } else if (!dotDecimal.match(t).hasMatch()) {
        static const QRegularExpression leadingComma(QStringLiteral(R"(^[+-]?,\d+$)"));
        if (!leadingComma.match(t).hasMatch())
            return 0.0;
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    }
    bool good = false;
    const double v = t.toDouble(&good);
    if (!good || !std::isfinite(v))
        return 0.0;
    if (ok)
        *ok = true;
    return v;
}

} // namespace zqvr::host
