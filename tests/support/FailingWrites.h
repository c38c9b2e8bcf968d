#pragma once
// Makes the n-th row written to the given tables fail, so that a test can
// break a multi-statement write at each of its statements in turn and check
// that the tables are as they were. One per database: the count lives in a
// temporary table of the test's connection (on the server, in a table of the
// test's own database, counted by a trigger function).
#include "support/TestDatabase.h"

#include <QStringList>

namespace zqvr::test {

class FailingWrites {
public:
    FailingWrites(TestDatabase& db, QStringList tables) : m_db(db), m_tables(std::move(tables))
    {
        if (m_db.conn().isPostgreSQL()) {
            m_db.exec("CREATE TABLE write_count (n INTEGER, fail_at INTEGER)");
            m_db.exec("INSERT INTO write_count VALUES (0, 0)");
            m_db.exec("CREATE FUNCTION write_counted() RETURNS trigger LANGUAGE plpgsql AS $$ "
                      "DECLARE k INTEGER; f INTEGER; BEGIN "
                      "UPDATE write_count SET n = n + 1 RETURNING n, fail_at INTO k, f; "
                      "IF k = f THEN RAISE EXCEPTION 'fallo provocado'; END IF; "
                      "IF TG_OP = 'DELETE' THEN RETURN OLD; END IF; RETURN NEW; END $$");
            for (const QString& t : m_tables)
                m_db.exec(QStringLiteral("CREATE TRIGGER fail_%1 BEFORE INSERT OR UPDATE OR DELETE ON %1 "
                                         "FOR EACH ROW EXECUTE FUNCTION write_counted()")
                              .arg(t));
            return;
        }
        m_db.exec("CREATE TEMP TABLE write_count (n INTEGER, fail_at INTEGER)");
        m_db.exec("INSERT INTO write_count VALUES (0, 0)");
        for (const QString& t : m_tables)
            for (const char* op : {"INSERT", "UPDATE", "DELETE"})
                m_db.exec(QStringLiteral("CREATE TEMP TRIGGER fail_%1_%2 BEFORE %2 ON %1 BEGIN "
                                         "UPDATE write_count SET n = n + 1; "
                                         "SELECT RAISE(ABORT, 'fallo provocado') FROM write_count WHERE n = fail_at; END")
                              .arg(t, QString::fromLatin1(op)));
    }
    // The next write operation fails at its n-th row written (0: nothing fails).
    void failAt(int n) { m_db.exec(QStringLiteral("UPDATE write_count SET n = 0, fail_at = %1").arg(n)); }
    void off() { failAt(0); }

private:
    TestDatabase& m_db;
    QStringList m_tables;
};

// Every row of a table in a fixed order, as text, pictures as hex: two snapshots compare equal only when
// nothing changed.
inline QString snapshot(TestDatabase& db, const QString& table, const QString& orderBy)
{
    auto rs = db.conn().query(QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(table, orderBy));
    QString out;
    while (!rs.eof()) {
        for (int i = 0; i < rs.fieldCount(); ++i) {
            const QVariant v = rs.value(i).variant();
            out += v.typeId() == QMetaType::QByteArray ? QString::fromLatin1(v.toByteArray().toHex()) : v.toString();
            out += QLatin1Char('|');
        }
        out += QLatin1Char('\n');
        rs.moveNext();
    }
    return out;
}

} // namespace zqvr::test
