#pragma once
// The upgrade path of the embedded schema: one step per version, applied in
// order on top of whatever version a file holds. A later build appends a step
// (ALTER TABLE, CREATE INDEX, ...) and never edits an existing one, since
// files written by earlier builds already hold its result.
#include "db_export.h"
#include <QString>
#include <QStringList>
#include <vector>

namespace zqvr::db {

class Connection;

namespace schema {

struct ZQVR_DB_EXPORT Step {
    int version;            // the version a file holds once the step has run
    QStringList statements; // run in order, in the same transaction as the rest
};

// The steps of this build, in ascending version order.
ZQVR_DB_EXPORT const std::vector<Step>& steps();

// Brings the database from its version up to the last of the given steps in
// one transaction. Refuses (errc::SchemaTooNew) a database that is newer than
// the last step, without changing it.
ZQVR_DB_EXPORT void migrate(Connection& conn, const std::vector<Step>& steps);

// The version recorded in the database (0 when none is).
ZQVR_DB_EXPORT int recordedVersion(Connection& conn);

} // namespace schema
} // namespace zqvr::db
