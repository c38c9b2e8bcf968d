#pragma once
// A fresh database with the full schema for one test: in memory by default,
// or a file in a temporary folder when a test needs a second connection.
// Screens' tests put it into the host context with installInHostContext
// (ScreenTest.h).
//
// With ZQVR_TEST_ENGINE=postgresql (CTest's "pg." copies of the tests, run by
// scripts/test.sh on its throw-away cluster) every TestDatabase is instead a
// fresh PostgreSQL schema reached through ODBC (its own search path), copied
// from a template schema that holds the tables and dropped at the end of the test.
#include "db/Connection.h"
#include "host/Empresa.h"

#include <QTemporaryDir>
#include <memory>

namespace zqvr::test {

// SHA-256 of a file's bytes ("" when it cannot be read): proves a file was left untouched.
QByteArray fileHash(const QString& path);

// True when this run's databases are on the PostgreSQL server.
bool onServer();
// The connection string of a new, empty schema on the test server (no
// tables); dropped at the end of the test process.
QString newServerDatabase();

// For a test of the embedded file itself (its path, its bytes, SQLite's own
// catalogue): skipped on the server.
#define ZQVR_SQLITE_ONLY()                                                                                   \
    if (::zqvr::test::onServer())                                                                            \
    GTEST_SKIP() << "prueba del fichero embebido"

class TestDatabase {
public:
    enum Kind { InMemory, File };
    explicit TestDatabase(Kind kind = InMemory);
    ~TestDatabase();

    db::Connection& conn() { return *m_conn; }
    host::Empresa& empresa() { return *m_empresa; }
    // A second connection to the same database (File kind, or any on the server).
    std::unique_ptr<db::Connection> openAnother();
    QString path() const { return m_path; }
    // What Connection::open takes to reach this database.
    QString connectionString() const { return m_connectionString; }
    // Fills the demo data set at a small scale.
    void fillDemo(double scale = 0.05);
    // Shorthands for arranging rows.
    void exec(const QString& sql) { m_conn->execute(sql); }
    int count(const QString& table, const QString& where = QString());

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    QString m_connectionString;
    QString m_serverDatabase;
    std::unique_ptr<db::Connection> m_conn;
    std::unique_ptr<host::Empresa> m_empresa;
};

} // namespace zqvr::test
