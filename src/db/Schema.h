#pragma once
// The schema of every table the component reads or writes, the suite's
// master tables included, versioned: a newer build upgrades an older file,
// and a file written by a newer build is refused.
namespace zqvr::db {
#include "db_export.h"

class Connection;

class ZQVR_DB_EXPORT Schema {
public:
    // The version this build writes.
    static int currentVersion();
    // The version a database holds (0 for an empty database).
    static int versionOf(Connection& conn);
    // Creates the schema on an empty database or upgrades an older one, in
    // one transaction. Throws Error (errc::SchemaTooNew) and changes nothing
    // when the database was written by a newer build.
    static void ensure(Connection& conn);
};

} // namespace zqvr::db
