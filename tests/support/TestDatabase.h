#pragma once
// A fresh database with the full schema for one test: in memory by default,
// or a file in a temporary folder when a test needs a second connection.
// Screens' tests put it into the host context with installInHostContext
// (ScreenTest.h).
#include "db/Connection.h"
#include "host/Empresa.h"

#include <QTemporaryDir>
#include <memory>

namespace zqvr::test {

// SHA-256 of a file's bytes ("" when it cannot be read): proves a file was left untouched.
QByteArray fileHash(const QString& path);

class TestDatabase {
public:
    enum Kind { InMemory, File };
    explicit TestDatabase(Kind kind = InMemory);
    ~TestDatabase();

    db::Connection& conn() { return *m_conn; }
    host::Empresa& empresa() { return *m_empresa; }
    // A second connection to the same file (File kind only).
    std::unique_ptr<db::Connection> openAnother();
    QString path() const { return m_path; }
    // Fills the demo data set at a small scale.
    void fillDemo(double scale = 0.05);
    // Shorthands for arranging rows.
    void exec(const QString& sql) { m_conn->execute(sql); }
    int count(const QString& table, const QString& where = QString());

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    std::unique_ptr<db::Connection> m_conn;
    std::unique_ptr<host::Empresa> m_empresa;
};

} // namespace zqvr::test
