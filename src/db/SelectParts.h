#pragma once
// The parts of a SELECT that an UPDATE of the same rows is built around:
// the FROM list and the WHERE condition exactly as written (never
// rewritten), and the first table of the FROM list with its alias. The
// keywords are found outside quotes, brackets and parentheses, so a value
// such as 'x WHERE y' or a sub-query does not split the statement.
#include "db_export.h"

#include <QString>

namespace zqvr::db {

struct ZQVR_DB_EXPORT SelectParts {
    QString from;      // text between FROM and WHERE
    QString condition; // text after WHERE, empty when there is none
    QString table;     // first table of the FROM list
    QString alias;     // its alias, empty when it has none

    // The name that stands for the target table inside the statement.
    QString target() const { return alias.isEmpty() ? table : alias; }
};

// Throws Error when the text is not a SELECT ... FROM ... statement.
ZQVR_DB_EXPORT SelectParts splitSelect(const QString& selectSql);

} // namespace zqvr::db
