#include "reports/DynamicTable.h"

#include "db/Connection.h"
#include "db/Dialect.h"
#include "db/SqlLiteral.h"
#include "host/Formato.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QRandomGenerator>
#include <cmath>

namespace zqvr::reports {

namespace gridtype {
bool isInteger(int t) { return t == Int16 || t == Int32 || t == Int64; }
bool isNumber(int t) { return isInteger(t) || t == Single || t == Double || t == Currency; }
} // namespace gridtype

namespace {
QAtomicInt g_jobs;
constexpr int kMaxText = 8000;
} // namespace

QString DynamicTable::makeName(const db::Dialect& dialect, const QTime& now)
{
    // Seconds since midnight with two decimals, the decimal comma dropped: 45296,53 -> "4529653".
    const int hundredths = now.msecsSinceStartOfDay() / 10;
    const QString seconds = QString::number(hundredths / 100) + QStringLiteral("%1").arg(hundredths % 100, 2, 10, QLatin1Char('0'));
    // This process, this job within it and a random part: unique across the
    // sessions that share the server's temporary tables.
    const QString unique = QString::number(QCoreApplication::applicationPid(), 36) + QLatin1Char('_')
        + QString::number(g_jobs.fetchAndAddRelaxed(1) + 1, 36) + QLatin1Char('_')
        + QString::number(QRandomGenerator::system()->generate(), 36);
    return dialect.globalTempTable(QStringLiteral("TablaDinamica_") + seconds + QLatin1Char('_') + unique);
}

QString DynamicTable::columnDefinition(int t, bool datesAsText, int longestText)
{
    switch (t) {
    case gridtype::Int16:
        return QStringLiteral(" SMALLINT NOT NULL DEFAULT(0),");
    case gridtype::Int32:
    case gridtype::Int64:
        return QStringLiteral(" INT NOT NULL DEFAULT(0),");
    case gridtype::Single:
    case gridtype::Double:
    case gridtype::Currency:
        return QStringLiteral(" MONEY NOT NULL DEFAULT(0),");
    case gridtype::Date:
        return datesAsText ? QStringLiteral(" VARCHAR(25) NOT NULL DEFAULT(''),")
                           : QStringLiteral(" Datetime NOT NULL DEFAULT(getDate()),");
    case gridtype::Boolean:
        return QStringLiteral(" BIT NOT NULL DEFAULT(0),");
    default:
        // A longer cell would not fit in 255 characters: the column takes its length.
        return QStringLiteral(" VARCHAR(%1) NOT NULL DEFAULT(''),").arg(std::clamp(longestText, 255, kMaxText));
    }
}

QString DynamicTable::columnDefinition(int t, bool datesAsText, int longestText, const db::Dialect& dialect)
{
    if (dialect.kind() != db::Dialect::Kind::PostgreSQL)
        return columnDefinition(t, datesAsText, longestText);
    switch (t) {
    case gridtype::Single:
    case gridtype::Double:
    case gridtype::Currency:
        return QStringLiteral(" NUMERIC(19,4) NOT NULL DEFAULT(0),");
    case gridtype::Date:
        return datesAsText ? QStringLiteral(" VARCHAR(25) NOT NULL DEFAULT(''),")
                           : QStringLiteral(" TIMESTAMP NOT NULL DEFAULT(now()),");
    case gridtype::Boolean:
        return QStringLiteral(" SMALLINT NOT NULL DEFAULT(0),");
    default:
        return columnDefinition(t, datesAsText, longestText);
    }
}

QString DynamicTable::createStatement(const QString& table, const QStringList& fields, const QStringList& definitions)
{
    QString sql = QStringLiteral("CREATE TABLE ") + table + QStringLiteral(" (");
    for (int i = 0; i < fields.size(); ++i)
        sql += fields.at(i) + definitions.value(i);
    if (sql.endsWith(QLatin1Char(',')))
        sql.chop(1);
    return sql + QLatin1Char(')');
}

bool DynamicTable::readNumber(const QString& cell, double* value)
{
    QString t = cell.trimmed();
    if (t.isEmpty())
        return false;
    // Thousands points out, the decimal comma becomes a point.
    t.remove(QLatin1Char('.'));
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    t.remove(QLatin1Char(' '));
    bool ok = false;
    const double d = t.toDouble(&ok); // C locale: only digits, sign, point and exponent
    if (!ok || !std::isfinite(d))
        return false;
    *value = d;
    return true;
}

bool DynamicTable::readBoolean(const QString& cell)
{
    const QString t = cell.trimmed().toLower();
    if (t.isEmpty())
        return false;
    static const QStringList yes = {QStringLiteral("true"), QStringLiteral("verdadero"), QStringLiteral("sí"),
                                    QStringLiteral("si"), QStringLiteral("s"), QStringLiteral("x"), QStringLiteral("yes")};
    if (yes.contains(t))
        return true;
    double d = 0;
    return readNumber(t, &d) && d != 0;
}

int DynamicTable::decimalsOf(const QString& cell)
{
    const QString t = cell.trimmed();
    const int comma = t.lastIndexOf(QLatin1Char(','));
    if (comma < 0)
        return 0;
    int n = 0;
    for (int i = comma + 1; i < t.size() && t.at(i).isDigit(); ++i)
        ++n;
    return n;
}

namespace {

// The cell without thousands points, with a decimal point, when it is a plain
// number ("-1.234,5" -> "-1234.5"); "" otherwise. Such text is a literal as it is.
QString plainNumber(const QString& cell)
{
    QString out;
    out.reserve(cell.size());
    bool digit = false, point = false;
    for (const QChar c : cell) {
        const char16_t u = c.unicode();
        if (u >= '0' && u <= '9') {
            out += c;
            digit = true;
        } else if (u == '.') {
            continue; // thousands point
        } else if (u == ',' && !point) {
            out += QLatin1Char('.');
            point = true;
        } else if (u == '-' && out.isEmpty()) {
            out += c;
        } else if (u == ' ') {
            continue;
        } else {
            return {};
        }
    }
    if (!digit)
        return {};
    if (out.endsWith(QLatin1Char('.')))
        out.chop(1);
    return out;
}

// "dd/mm/yyyy" read by hand (the common case); anything else through the host's reader.
QDate readDate(QStringView s)
{
    if (s.size() == 10 && s.at(2) == QLatin1Char('/') && s.at(5) == QLatin1Char('/')) {
        bool a = false, b = false, c = false;
        const QDate d(s.mid(6, 4).toInt(&c), s.mid(3, 2).toInt(&b), s.mid(0, 2).toInt(&a));
        if (a && b && c)
            return d;
    }
    return host::Formato::LeerFecha(s.toString());
}

} // namespace

QString DynamicTable::literal(int t, const QString& cell, bool datesAsText, const db::Dialect& dialect)
{
    if (gridtype::isNumber(t)) {
        // Empty, or not a number: 0, never the cell's text.
        const QString plain = plainNumber(cell);
        if (!plain.isEmpty() && (!gridtype::isInteger(t) || !plain.contains(QLatin1Char('.'))))
            return plain;
        double d = 0;
        if (!readNumber(cell, &d))
            d = 0;
        if (gridtype::isInteger(t))
            return db::sqlInt(std::llround(d));
        return db::sqlNumber(d, 4);
    }
    if (t == gridtype::Date) {
        if (datesAsText)
            return db::sqlText(cell.left(25));
        const QString s = cell.trimmed();
        const qsizetype blank = s.indexOf(QLatin1Char(' '));
        const QDate d = readDate(blank < 0 ? QStringView(s) : QStringView(s).left(blank));
        if (!d.isValid())
            return dialect.date(QDate(1900, 1, 1));
        if (blank < 0)
            return dialect.date(d);
        // "hh:mm" or "hh:mm:ss" after the date.
        const QStringList hms = s.mid(blank + 1).trimmed().split(QLatin1Char(':'));
        bool okH = false, okM = false, okS = true;
        const int h = hms.value(0).toInt(&okH);
        const int m = hms.value(1).toInt(&okM);
        const int sec = hms.size() > 2 ? hms.at(2).toInt(&okS) : 0;
        const QTime time(h, m, sec);
        if (!okH || !okM || !okS || hms.size() > 3 || !time.isValid())
            return dialect.date(d);
        return dialect.dateTime(QDateTime(d, time));
    }
    if (t == gridtype::Boolean)
        return db::sqlFlag(readBoolean(cell));
    return db::sqlText(cell.left(kMaxText));
}

QString DynamicTable::insertStatement(const QString& table, const QStringList& literals)
{
    return QStringLiteral("INSERT INTO ") + table + QStringLiteral(" VALUES (") + literals.join(QStringLiteral(", "))
        + QLatin1Char(')');
}

void DynamicTable::fill(db::Connection& conn, const QString& table, const QStringList& fields, const QList<int>& types,
                        const QStringList& definitions, int rows, const std::function<QString(int, int)>& cell,
                        bool datesAsText)
{
    conn.execute(createStatement(table, fields, definitions));
    db::TransactionGuard tx(conn);
    const db::Dialect& dialect = conn.dialect();
    const int n = int(fields.size());
    QStringList literals;
    literals.reserve(n);
    for (int r = 0; r < rows; ++r) {
        literals.clear();
        for (int i = 0; i < n; ++i)
            literals << literal(types.value(i, gridtype::Text), cell(r, i), datesAsText, dialect);
        conn.execute(insertStatement(table, literals));
    }
    tx.commit();
}

} // namespace zqvr::reports
