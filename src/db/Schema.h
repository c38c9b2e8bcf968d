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
    // one transaction, then checks it with verify(). Throws Error
    // (errc::SchemaTooNew) and changes nothing when the database was written
    // by a newer build. The embedded file is upgraded step by step; a
    // PostgreSQL database is created at the current version from the schema
    // description. A SQL Server database belongs to the suite, which keeps
    // its schema itself: it is left alone.
    static void ensure(Connection& conn);
    // Reads the engine's catalogue (read-only, so it may run on any engine)
    // and throws Error (errc::SchemaIncomplete) naming every table and column
    // of the schema description that the database lacks.
    static void verify(Connection& conn);
};

} // namespace zqvr::db
