#include "db/Dialect.h"

#include "db/SqlLiteral.h"

namespace zqvr::db {

namespace {
// What SQL Server's dbo.fn_TPVTicketsLineasEsKit returns, written inline for
// the engines that do not have the function: the parts recorded for the line.
QString kitCompositionCount(const QString& company, const QString& warehouse, const QString& till,
                            const QString& date, const QString& ticket, const QString& line)
{
    return QStringLiteral("(SELECT COUNT(*) FROM TPV_Tickets_KitComposicion kc"
                          " WHERE kc.Cod_Empresa = %1 AND kc.Cod_Almacen = %2 AND kc.Caja = %3"
                          " AND kc.Fecha = %4 AND kc.Codigo = %5 AND kc.Num_Linea = %6)")
        .arg(company, warehouse, till, date, ticket, line);
}
} // namespace

QString Dialect::time(const QTime& t) const
{
    return sqlText(t.toString(QStringLiteral("HH:mm")));
}

// ---- SQL Server: the suite's own statement text, day-first literals ----

QString SqlServerDialect::date(const QDate& d) const
{
    return sqlText(d.toString(QStringLiteral("dd/MM/yyyy")));
}

QString SqlServerDialect::dateTime(const QDateTime& dt) const
{
    return sqlText(dt.toString(QStringLiteral("dd/MM/yyyy HH:mm")));
}

QString SqlServerDialect::dateShortYear(const QDate& d) const
{
    return sqlText(d.toString(QStringLiteral("dd/MM/yy")));
}

QString SqlServerDialect::selectTop(int n, const QString& rest) const
{
    return QStringLiteral("SELECT TOP %1 %2").arg(n).arg(rest);
}

QString SqlServerDialect::isNull(const QString& a, const QString& b) const
{
    return QStringLiteral("ISNULL(%1, %2)").arg(a, b);
}

QString SqlServerDialect::dateAdd(const QString& part, int n, const QString& expr) const
{
    return QStringLiteral("DATEADD(%1,%2,%3)").arg(part).arg(n).arg(expr);
}

QString SqlServerDialect::year(const QString& expr) const
{
    return QStringLiteral("Year(%1)").arg(expr);
}

// SCOPE_IDENTITY(), not @@IDENTITY: a trigger's insert into another table
// (the history of messages has one at some sites) would otherwise hand back
// that table's key, and the pictures would be written to the wrong row.
QString SqlServerDialect::lastIdentity() const { return QStringLiteral("SCOPE_IDENTITY()"); }

QString SqlServerDialect::serverName() const { return QStringLiteral("@@SERVERNAME"); }

QString SqlServerDialect::deleteJoin(const QString& table, const QString& alias,
                                     const QString& joinsAndWhere) const
{
    return QStringLiteral("DELETE %1 FROM %2 %1 %3").arg(alias, table, joinsAndWhere);
}

QString SqlServerDialect::globalTempTable(const QString& name) const
{
    return QStringLiteral("##") + name;
}

QString SqlServerDialect::ticketLineIsKit(const QString& company, const QString& warehouse,
                                          const QString& till, const QString& date,
                                          const QString& ticket, const QString& line) const
{
    return QStringLiteral("dbo.fn_TPVTicketsLineasEsKit(%1,%2,%3,%4, %5, %6)")
        .arg(company, warehouse, till, date, ticket, line);
}

QString SqlServerDialect::updateLockHint() const { return QStringLiteral(" WITH (UPDLOCK, HOLDLOCK)"); }

QString SqlServerDialect::updateFromSelect(const SelectParts& select, const QString& column) const
{
    QString sql = QStringLiteral("UPDATE %1 SET %2 = ? FROM %3").arg(select.target(), column, select.from);
    if (!select.condition.isEmpty())
        sql += QStringLiteral(" WHERE ") + select.condition;
    return sql;
}

QString SqlServerDialect::beginWriteTransaction() const { return QStringLiteral("BEGIN TRANSACTION"); }

// ---- SQLite: ISO dates stored as text, so comparisons are chronological ----

QString SQLiteDialect::date(const QDate& d) const
{
    return sqlText(d.toString(QStringLiteral("yyyy-MM-dd")));
}

QString SQLiteDialect::dateTime(const QDateTime& dt) const
{
    return sqlText(dt.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
}

QString SQLiteDialect::dateShortYear(const QDate& d) const { return date(d); }

QString SQLiteDialect::selectTop(int n, const QString& rest) const
{
    // One pass: a "%1" inside the statement (a LIKE pattern) must stay as it is.
    return QStringLiteral("SELECT %1 LIMIT %2").arg(rest, QString::number(n));
}

QString SQLiteDialect::isNull(const QString& a, const QString& b) const
{
    return QStringLiteral("IFNULL(%1, %2)").arg(a, b);
}

QString SQLiteDialect::dateAdd(const QString& part, int n, const QString& expr) const
{
    const QString p = part.toLower();
    const QString sign = n >= 0 ? QStringLiteral("+") : QString();
    // A date-only value stays date-only, so that it compares with the stored
    // 'yyyy-mm-dd' text; a date-time keeps its time of day, as on SQL Server.
    auto keepKind = [&](const QString& modifiers) {
        return QStringLiteral("CASE WHEN length(%1) > 10 THEN datetime(%1, %2) ELSE date(%1, %2) END")
            .arg(expr, modifiers);
    };
    if (p == QLatin1String("d") || p == QLatin1String("dd") || p == QLatin1String("day"))
        return keepKind(QStringLiteral("'%1%2 days'").arg(sign).arg(n));
    int months = 0;
    if (p == QLatin1String("m") || p == QLatin1String("mm") || p == QLatin1String("month"))
        months = n;
    else if (p == QLatin1String("yy") || p == QLatin1String("yyyy") || p == QLatin1String("year"))
        months = 12 * n;
    else {
        QString unit = QStringLiteral("seconds");
        if (p == QLatin1String("hh") || p == QLatin1String("hour"))
            unit = QStringLiteral("hours");
        else if (p == QLatin1String("mi") || p == QLatin1String("n") || p == QLatin1String("minute"))
            unit = QStringLiteral("minutes");
        return QStringLiteral("datetime(%1, '%2%3 %4')").arg(expr, sign, QString::number(n), unit);
    }
    // SQLite carries a day that the target month does not have into the next
    // month (31 January + 1 month = 3 March); SQL Server stops at the month's
    // last day. When the day of the month changed, step back by the days
    // that overflowed.
    const QString shift = QStringLiteral("'%1%2 months'").arg(months >= 0 ? "+" : "").arg(months);
    const QString overflow =
        QStringLiteral("'-' || CASE WHEN strftime('%d', %1, %2) <> strftime('%d', %1)"
                       " THEN CAST(strftime('%d', %1, %2) AS INTEGER) ELSE 0 END || ' days'")
            .arg(expr, shift);
    return keepKind(shift + QStringLiteral(", ") + overflow);
}

QString SQLiteDialect::year(const QString& expr) const
{
    return QStringLiteral("CAST(strftime('%Y', %1) AS INTEGER)").arg(expr);
}

QString SQLiteDialect::lastIdentity() const { return QStringLiteral("last_insert_rowid()"); }

QString SQLiteDialect::serverName() const { return sqlText(m_serverName); }

QString SQLiteDialect::deleteJoin(const QString& table, const QString& alias,
                                  const QString& joinsAndWhere) const
{
    return QStringLiteral("DELETE FROM %1 WHERE rowid IN (SELECT %2.rowid FROM %1 %2 %3)")
        .arg(table, alias, joinsAndWhere);
}

QString SQLiteDialect::globalTempTable(const QString& name) const
{
    return QStringLiteral("temp.") + name;
}

QString SQLiteDialect::ticketLineIsKit(const QString& company, const QString& warehouse,
                                       const QString& till, const QString& date,
                                       const QString& ticket, const QString& line) const
{
    return kitCompositionCount(company, warehouse, till, date, ticket, line);
}

QString SQLiteDialect::updateLockHint() const { return {}; }

QString SQLiteDialect::updateFromSelect(const SelectParts& select, const QString& column) const
{
    QString sql = QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid IN (SELECT %3.rowid FROM %4")
                      .arg(select.table, column, select.target(), select.from);
    if (!select.condition.isEmpty())
        sql += QStringLiteral(" WHERE ") + select.condition;
    return sql + QLatin1Char(')');
}

QString SQLiteDialect::beginWriteTransaction() const { return QStringLiteral("BEGIN IMMEDIATE"); }

// ---- PostgreSQL: day-first literals as on SQL Server (the session's DateStyle) ----

QString PostgreSqlDialect::date(const QDate& d) const
{
    return sqlText(d.toString(QStringLiteral("dd/MM/yyyy")));
}

QString PostgreSqlDialect::dateTime(const QDateTime& dt) const
{
    return sqlText(dt.toString(QStringLiteral("dd/MM/yyyy HH:mm")));
}

QString PostgreSqlDialect::dateShortYear(const QDate& d) const
{
    // A two-digit year is read as the nearest century's (26 -> 2026), but a
    // four-digit one says the same without the guess.
    return date(d);
}

QString PostgreSqlDialect::selectTop(int n, const QString& rest) const
{
    return QStringLiteral("SELECT %1 LIMIT %2").arg(rest, QString::number(n));
}

QString PostgreSqlDialect::isNull(const QString& a, const QString& b) const
{
    return QStringLiteral("COALESCE(%1, %2)").arg(a, b);
}

QString PostgreSqlDialect::dateAdd(const QString& part, int n, const QString& expr) const
{
    const QString p = part.toLower();
    QString unit = QStringLiteral("seconds");
    if (p == QLatin1String("d") || p == QLatin1String("dd") || p == QLatin1String("day"))
        unit = QStringLiteral("days");
    else if (p == QLatin1String("m") || p == QLatin1String("mm") || p == QLatin1String("month"))
        unit = QStringLiteral("months");
    else if (p == QLatin1String("yy") || p == QLatin1String("yyyy") || p == QLatin1String("year"))
        unit = QStringLiteral("years");
    else if (p == QLatin1String("hh") || p == QLatin1String("hour"))
        unit = QStringLiteral("hours");
    else if (p == QLatin1String("mi") || p == QLatin1String("n") || p == QLatin1String("minute"))
        unit = QStringLiteral("minutes");
    // Month arithmetic stops at the month's last day, as SQL Server's does. The
    // cast lets a day-first literal take part as well as a column.
    return QStringLiteral("(CAST(%1 AS timestamp) + INTERVAL '%2 %3')").arg(expr, QString::number(n), unit);
}

QString PostgreSqlDialect::year(const QString& expr) const
{
    return QStringLiteral("CAST(EXTRACT(YEAR FROM CAST(%1 AS timestamp)) AS integer)").arg(expr);
}

QString PostgreSqlDialect::lastIdentity() const
{
    // The value the connection's own last insert drew from an identity; other
    // sessions' inserts never change it.
    return QStringLiteral("lastval()");
}

QString PostgreSqlDialect::serverName() const
{
    // A name given to the session (brevanto.server_name) stands for SQL
    // Server's own; otherwise the server's address.
    return QStringLiteral("COALESCE(NULLIF(current_setting('brevanto.server_name', true), ''), "
                          "host(inet_server_addr()), 'localhost')");
}

QString PostgreSqlDialect::deleteJoin(const QString& table, const QString& alias,
                                      const QString& joinsAndWhere) const
{
    return QStringLiteral("DELETE FROM %1 WHERE ctid IN (SELECT %2.ctid FROM %1 %2 %3)")
        .arg(table, alias, joinsAndWhere);
}

QString PostgreSqlDialect::globalTempTable(const QString& name) const
{
    // The session's own temporary schema: the report engine reads the table
    // through the same connection that filled it.
    return QStringLiteral("pg_temp.") + name;
}

QString PostgreSqlDialect::ticketLineIsKit(const QString& company, const QString& warehouse,
                                           const QString& till, const QString& date,
                                           const QString& ticket, const QString& line) const
{
    return kitCompositionCount(company, warehouse, till, date, ticket, line);
}

QString PostgreSqlDialect::updateLockHint() const { return {}; }

QString PostgreSqlDialect::updateLockSuffix() const { return QStringLiteral(" FOR UPDATE"); }

QString PostgreSqlDialect::updateFromSelect(const SelectParts& select, const QString& column) const
{
    QString sql = QStringLiteral("UPDATE %1 SET %2 = ? WHERE ctid IN (SELECT %3.ctid FROM %4")
                      .arg(select.table, column, select.target(), select.from);
    if (!select.condition.isEmpty())
        sql += QStringLiteral(" WHERE ") + select.condition;
    return sql + QLatin1Char(')');
}

QString PostgreSqlDialect::beginWriteTransaction() const { return QStringLiteral("BEGIN"); }

} // namespace zqvr::db
