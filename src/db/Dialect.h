#pragma once
// The few constructs that differ between SQL Server and the embedded SQLite
// file. Statements are written in the suite's SQL Server dialect; where one of
// these constructs appears, the statement asks the connection's dialect for
// its text while it is being built.
#include "db_export.h"
#include "db/SelectParts.h"
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace zqvr::db {

class ZQVR_DB_EXPORT Dialect {
public:
    enum class Kind { SqlServer, SQLite, PostgreSQL };
    virtual ~Dialect() = default;
    virtual Kind kind() const = 0;

    // Quoted date literal: '06/12/2026' on SQL Server, '2026-12-06' on SQLite.
    virtual QString date(const QDate& d) const = 0;
    // Quoted date-time literal: '06/12/2026 14:30' / '2026-12-06 14:30'.
    virtual QString dateTime(const QDateTime& dt) const = 0;
    // Quoted date with a two-digit year where a listing writes "dd/mm/yy".
    virtual QString dateShortYear(const QDate& d) const = 0;
    // Quoted time of day literal "hh:mm" (same on both).
    QString time(const QTime& t) const;

    // "SELECT TOP n <rest>" on SQL Server, "SELECT <rest> LIMIT n" on SQLite.
    // rest is everything after the select keyword (columns, FROM, WHERE, ORDER BY).
    virtual QString selectTop(int n, const QString& rest) const = 0;
    // ISNULL(a, b) / IFNULL(a, b).
    virtual QString isNull(const QString& a, const QString& b) const = 0;
    // DATEADD(part, n, expr). part is SQL Server's: d/day, m/month, yy/year, hh/hour, mi/minute.
    virtual QString dateAdd(const QString& part, int n, const QString& expr) const = 0;
    // Year(expr) as an integer.
    virtual QString year(const QString& expr) const = 0;
    // The identity of the last inserted row: @@IDENTITY / last_insert_rowid().
    virtual QString lastIdentity() const = 0;
    // The server's name: @@SERVERNAME, or on SQLite the name the connection was given.
    virtual QString serverName() const = 0;
    // "DELETE alias FROM table alias <joinsAndWhere>".
    virtual QString deleteJoin(const QString& table, const QString& alias,
                               const QString& joinsAndWhere) const = 0;
    // Name of a global temporary table: ##name / temp.name.
    virtual QString globalTempTable(const QString& name) const = 0;
    // dbo.fn_TPVTicketsLineasEsKit(company, warehouse, till, date, ticket, line):
    // non-zero when the ticket line sold a kit.
    virtual QString ticketLineIsKit(const QString& company, const QString& warehouse,
                                    const QString& till, const QString& date,
                                    const QString& ticket, const QString& line) const = 0;
    // Hint that makes a SELECT inside a transaction hold its rows until commit.
    virtual QString updateLockHint() const = 0;
    // "UPDATE ... SET column = ?" of exactly the target-table rows the SELECT yields,
    // built around its untouched FROM list and condition.
    virtual QString updateFromSelect(const SelectParts& select, const QString& column) const = 0;
    // Statement that starts a transaction which takes the write lock at once.
    virtual QString beginWriteTransaction() const = 0;
};

class ZQVR_DB_EXPORT SqlServerDialect final : public Dialect {
public:
    Kind kind() const override { return Kind::SqlServer; }
    QString date(const QDate& d) const override;
    QString dateTime(const QDateTime& dt) const override;
    QString dateShortYear(const QDate& d) const override;
    QString selectTop(int n, const QString& rest) const override;
    QString isNull(const QString& a, const QString& b) const override;
    QString dateAdd(const QString& part, int n, const QString& expr) const override;
    QString year(const QString& expr) const override;
    QString lastIdentity() const override;
    QString serverName() const override;
    QString deleteJoin(const QString& table, const QString& alias,
                       const QString& joinsAndWhere) const override;
    QString globalTempTable(const QString& name) const override;
    QString ticketLineIsKit(const QString& company, const QString& warehouse, const QString& till,
                            const QString& date, const QString& ticket,
                            const QString& line) const override;
    QString updateLockHint() const override;
    QString updateFromSelect(const SelectParts& select, const QString& column) const override;
    QString beginWriteTransaction() const override;
};

class ZQVR_DB_EXPORT SQLiteDialect final : public Dialect {
public:
    explicit SQLiteDialect(QString serverName = QStringLiteral("localhost"))
        : m_serverName(std::move(serverName)) {}
    Kind kind() const override { return Kind::SQLite; }
    QString date(const QDate& d) const override;
    QString dateTime(const QDateTime& dt) const override;
    QString dateShortYear(const QDate& d) const override;
    QString selectTop(int n, const QString& rest) const override;
    QString isNull(const QString& a, const QString& b) const override;
    QString dateAdd(const QString& part, int n, const QString& expr) const override;
    QString year(const QString& expr) const override;
    QString lastIdentity() const override;
    QString serverName() const override;
    QString deleteJoin(const QString& table, const QString& alias,
                       const QString& joinsAndWhere) const override;
    QString globalTempTable(const QString& name) const override;
    QString ticketLineIsKit(const QString& company, const QString& warehouse, const QString& till,
                            const QString& date, const QString& ticket,
                            const QString& line) const override;
    QString updateLockHint() const override;
    QString updateFromSelect(const SelectParts& select, const QString& column) const override;
    QString beginWriteTransaction() const override;
    void setServerName(const QString& name) { m_serverName = name; }

private:
    QString m_serverName;
};

} // namespace zqvr::db
