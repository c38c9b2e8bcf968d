#pragma once
// A search the user types matches letters whatever their case: SQL Server's
// collations and SQLite's LIKE ignore it, PostgreSQL's LIKE does not, so there
// the same search is written with ILIKE. Elsewhere the statement keeps its own
// spelling of the keyword.
#include "db/Dialect.h"

#include <QString>

namespace zqvr::db {

inline QString likeIgnoringCase(const Dialect& d, const QString& keyword = QStringLiteral("LIKE"))
{
    return d.kind() == Dialect::Kind::PostgreSQL ? QStringLiteral("ILIKE") : keyword;
}

} // namespace zqvr::db
