#include "db/Value.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

namespace zqvr::db {

namespace {
int digits(const QString& s, qsizetype from, qsizetype n)
{
    int v = 0;
    for (qsizetype i = from; i < from + n; ++i) {
        const char16_t c = s[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        v = v * 10 + (c - u'0');
    }
    return v;
}

// Dates as the embedded file stores them ("2026-12-05") are read by hand: a
// list of thousands of rows would spend most of its time in the general
// parser otherwise.
QDate isoDate(const QString& s)
{
    if (s.size() < 10 || s[4] != u'-' || s[7] != u'-')
        return {};
    const int y = digits(s, 0, 4), m = digits(s, 5, 2), d = digits(s, 8, 2);
    return y > 0 && m > 0 && d > 0 ? QDate(y, m, d) : QDate();
}

// The same for "2026-12-05", "2026-12-05 09:00" and "2026-12-05 09:00:00";
// anything else is left to the general parser (an invalid result).
QDateTime isoDateTime(const QString& s)
{
    const QDate d = isoDate(s);
    if (!d.isValid())
        return {};
    if (s.size() == 10)
        return QDateTime(d, QTime(0, 0));
    if (s.size() >= 16 && (s[10] == u' ' || s[10] == u'T') && s[13] == u':') {
        const int h = digits(s, 11, 2), mi = digits(s, 14, 2);
        const int sec = s.size() >= 19 && s[16] == u':' ? digits(s, 17, 2) : 0;
        if (h >= 0 && mi >= 0 && sec >= 0 && (s.size() == 16 || s.size() == 19))
            return QDateTime(d, QTime(h, mi, sec));
    }
    return {};
}

QDateTime parseDateTime(const QString& s)
{
    static const char* const formats[] = {"yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss",
                                          "yyyy-MM-dd HH:mm",        "yyyy-MM-ddTHH:mm:ss",
                                          "yyyy-MM-dd",              "dd/MM/yyyy HH:mm:ss",
                                          "dd/MM/yyyy HH:mm",        "dd/MM/yyyy"};
    const QString t = s.trimmed();
    for (const char* f : formats) {
        QDateTime dt = QDateTime::fromString(t, QLatin1String(f));
        if (dt.isValid())
            return dt;
    }
    return {};
}
} // namespace

double Value::toDouble() const
{
    if (isNull())
        return 0.0;
    bool ok = false;
    double d = m_v.toDouble(&ok);
    if (ok && std::isfinite(d))
        return d;
    // Text columns holding numbers written with a decimal comma.
    d = QLocale(QLocale::Spanish).toDouble(m_v.toString().trimmed(), &ok);
    return ok ? d : 0.0;
}

qint64 Value::toLongLong() const
{
    if (isNull())
        return 0;
    bool ok = false;
    // A floating value is rounded here: Qt's own conversion of one beyond the range is undefined.
    const bool floating = m_v.typeId() == QMetaType::Double || m_v.typeId() == QMetaType::Float;
    qint64 v = floating ? 0 : m_v.toLongLong(&ok);
    if (ok)
        return v;
    // A number beyond the 64-bit range is held at its end rather than left to llround.
    const double d = std::round(toDouble());
    if (d >= 0x1p63)
        return std::numeric_limits<qint64>::max();
    if (d < -0x1p63)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(d);
}

// Held at the ends of the int range: a stored position or colour out of range never wraps to another.
int Value::toInt() const
{
    return int(std::clamp<qint64>(toLongLong(), std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

bool Value::toBool() const
{
    if (isNull())
        return false;
    if (m_v.typeId() == QMetaType::Bool)
        return m_v.toBool();
    const QString s = m_v.toString().trimmed();
    if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    return toDouble() != 0.0;
}

QString Value::toString() const
{
    if (isNull())
        return QString();
    // A server hands back dates and date-times as such; as text they read as
    // the embedded file stores them.
    if (m_v.typeId() == QMetaType::QDateTime)
        return m_v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (m_v.typeId() == QMetaType::QDate)
        return m_v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    return m_v.toString();
}

QDateTime Value::toDateTime() const
{
    if (isNull())
        return {};
    if (m_v.typeId() == QMetaType::QDateTime)
        return m_v.toDateTime();
    if (m_v.typeId() == QMetaType::QDate)
        return m_v.toDate().startOfDay();
    const QString text = m_v.toString();
    const QDateTime fast = isoDateTime(text);
    return fast.isValid() ? fast : parseDateTime(text);
}

QDate Value::toDate() const
{
    if (isNull())
        return {};
    if (m_v.typeId() == QMetaType::QDate)
        return m_v.toDate();
    if (m_v.typeId() == QMetaType::QString) {
        const QDate fast = isoDate(m_v.toString());
        if (fast.isValid())
            return fast;
    }
    return toDateTime().date();
}

QByteArray Value::toByteArray() const { return isNull() ? QByteArray() : m_v.toByteArray(); }

} // namespace zqvr::db
