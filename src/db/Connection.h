#pragma once
// The one database connection a host opens and hands to the component.
//
//   auto conn = zqvr::db::Connection::open("sqlite:/home/me/brevanto.db");
//   conn->execute("UPDATE TPVs SET Host = " + sqlText(host) + " WHERE Codigo = 3");
//   auto rs = conn->query("SELECT Codigo, Host FROM TPVs");
//   while (!rs.eof()) { rs["Host"].toString(); rs.moveNext(); }
//
// Connection strings: "sqlite:PATH" (":memory:" for a private in-memory
// database) and "odbc:<ODBC connection string or DSN>" for a server: SQL
// Server through FreeTDS at a site, PostgreSQL through its own driver. The
// engine, and with it the dialect, is the one the ODBC driver reports.
#include "db_export.h"
#include "db/Dialect.h"
#include "db/RecordSet.h"

#include <QObject>
#include <QStringList>
#include <QSqlDatabase>
#include <QVariantList>
#include <memory>
#include <vector>

namespace zqvr::db {

class ZQVR_DB_EXPORT Connection : public QObject {
    Q_OBJECT
public:
    // Opens the connection; throws Error with a clear message when it cannot be opened.
    // "sqlite:PATH" opens an embedded file, "odbc:..." a server. "record:sqlserver"
    // (or "record:sqlite") runs nothing: every statement is rendered through that
    // engine's dialect and kept in recordedStatements(); changes affect no row and
    // queries return no row. The statement contracts with the terminals are checked so.
    static std::unique_ptr<Connection> open(const QString& connectionString, QObject* parent = nullptr);
    // The same, giving up on a server that has not answered the login within
    // the given seconds (an unreachable till must cost the user seconds, not minutes).
    static std::unique_ptr<Connection> open(const QString& connectionString, int loginTimeoutSeconds,
                                            QObject* parent = nullptr);
    static constexpr int kDefaultLoginTimeout = 15;

    // When on, running a statement while another record set of the same
    // connection still has unread rows fails, naming both statements: FreeTDS
    // keeps one result open per connection, so such a nesting breaks on SQL
    // Server. The tests turn it on, so that it is caught on any engine.
    static void setSingleOpenResultCheck(bool on);
    static bool singleOpenResultCheck();
    // The statements a "record:" connection was given, in order.
    QStringList recordedStatements() const { return m_recorded; }
    bool isRecorder() const { return m_recording; }
    ~Connection() override;

    const Dialect& dialect() const { return *m_dialect; }
    bool isSQLite() const { return m_dialect->kind() == Dialect::Kind::SQLite; }
    bool isPostgreSQL() const { return m_dialect->kind() == Dialect::Kind::PostgreSQL; }
    bool isSqlServer() const { return m_dialect->kind() == Dialect::Kind::SqlServer; }
    // The server (or file) the connection string names, for messages.
    QString serverLabel() const;
    QString connectionString() const { return m_connectionString; }
    // ADO-style connection properties; "Extended Properties" is the connection string.
    Q_INVOKABLE QVariant property(const QString& name) const;

    // Runs a statement and returns the rows it affected; throws Error with the engine's message.
    int execute(const QString& sql);
    // Runs a statement with "?" placeholders bound in order (binary values, prepared statements).
    int execute(const QString& sql, const QVariantList& params);
    // Opens a forward-only, read-only record set.
    RecordSet query(const QString& sql);
    RecordSet query(const QString& sql, const QVariantList& params);
    // First column of the first row, or an invalid value when there is no row.
    Value scalar(const QString& sql);

    // Transactions; nested calls join the outermost one. Prefer TransactionGuard.
    // A write transaction holds the write lock from its first statement, so
    // that what it reads stays as read until it commits; joining a transaction
    // opened for reading with a write one is refused, since the lock can no
    // longer be taken. A rollback inside a nested scope undoes the whole
    // transaction and leaves it rollback-only: every later write fails, and so
    // does the outermost commit, until the outermost scope ends.
    void beginTrans(bool takeWriteLock = false);
    void commitTrans();
    void rollbackTrans();
    int transactionDepth() const { return m_depth; }
    bool isRollbackOnly() const { return m_rollbackOnly; }

    // Writes data into the binary column of the single row that selectSql
    // (SELECT ... FROM table [alias] WHERE ...) yields. Returns false when the
    // statement yields no row; throws Error when it cannot be written.
    bool writeBinary(const QString& selectSql, const QString& column, const QByteArray& data);

    // The name @@SERVERNAME reads as (the security catalogue), on SQLite and PostgreSQL.
    void setServerName(const QString& name);

    QSqlDatabase database() const { return QSqlDatabase::database(m_name, false); }

private:
    Connection(QString name, QString connectionString, std::unique_ptr<Dialect> dialect, QObject* parent);
    QSqlQuery prepare(const QString& sql, const QVariantList& params);
    [[noreturn]] void fail(const QSqlQuery& q) const;
    void beforeStatement(const QString& sql, bool writes);
    void record(const QString& sql);
    RecordSet track(QSqlQuery q, const QString& sql);

    QString m_name;
    QString m_connectionString;
    std::unique_ptr<Dialect> m_dialect;
    int m_depth = 0;
    bool m_writeLocked = false;
    bool m_rollbackOnly = false;
    bool m_recording = false;
    std::vector<std::weak_ptr<RecordSet::Pending>> m_pending;
    QStringList m_recorded;
};

// Begins a transaction and rolls it back when left by an exception; commit()
// makes it permanent. Nested guards join the outer transaction.
class ZQVR_DB_EXPORT TransactionGuard {
public:
    enum Mode { Normal, Write };
    explicit TransactionGuard(Connection& c, Mode mode = Normal);
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;
    void commit();

private:
    Connection& m_conn;
    bool m_done = false;
};

} // namespace zqvr::db
