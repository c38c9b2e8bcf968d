#pragma once
// A trigger that makes a write fail with the given message, on the embedded
// file or on the server, for a test that breaks one statement of a save:
//
//   failingTrigger(db, "no_clear", "BEFORE UPDATE OF Emergencia", "TPVs", "no se puede quitar",
//                  "OLD.Emergencia = 1 AND NEW.Emergencia = 0");
//   ...
//   dropFailingTrigger(db, "no_clear", "TPVs");
#include "support/TestDatabase.h"

namespace zqvr::test {

inline void failingTrigger(TestDatabase& db, const QString& name, const QString& timing, const QString& table,
                           const QString& message, const QString& when = {})
{
    if (db.conn().isPostgreSQL()) {
        db.exec(QStringLiteral("CREATE FUNCTION %1_fn() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
                               "RAISE EXCEPTION '%2'; END $$")
                    .arg(name, message));
        db.exec(QStringLiteral("CREATE TRIGGER %1 %2 ON %3 FOR EACH ROW %4 EXECUTE FUNCTION %1_fn()")
                    .arg(name, timing, table, when.isEmpty() ? QString() : QStringLiteral("WHEN (") + when + QLatin1Char(')')));
        return;
    }
    db.exec(QStringLiteral("CREATE TRIGGER %1 %2 ON %3 %4 BEGIN SELECT RAISE(ABORT, '%5'); END")
                .arg(name, timing, table, when.isEmpty() ? QString() : QStringLiteral("WHEN ") + when, message));
}

inline void dropFailingTrigger(TestDatabase& db, const QString& name, const QString& table)
{
    if (db.conn().isPostgreSQL()) {
        db.exec(QStringLiteral("DROP TRIGGER IF EXISTS %1 ON %2").arg(name, table));
        db.exec(QStringLiteral("DROP FUNCTION IF EXISTS %1_fn()").arg(name));
        return;
    }
    db.exec(QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(name));
}

} // namespace zqvr::test
