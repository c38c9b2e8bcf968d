#pragma once
// The only ways a value reaches a statement. Dates go through the
// connection's dialect (Dialect::date), since their text differs by engine.
#include "db_export.h"
#include <QString>
#include <QVariant>

namespace zqvr::db {

// 'text' with embedded single quotes doubled.
ZQVR_DB_EXPORT QString sqlText(const QString& value);
// Integer codes: decimal digits, no quotes.
ZQVR_DB_EXPORT QString sqlInt(qint64 value);
// Decimal numbers with a "." decimal point whatever the locale, no exponent.
// Throws Error for NaN and infinity.
ZQVR_DB_EXPORT QString sqlNumber(double value, int maxDecimals = 6);
// Flags: a true value is written as 1.
ZQVR_DB_EXPORT QString sqlFlag(bool value);
// Turns the user's "*" wildcard into "%" and doubles quotes, for LIKE '...'.
ZQVR_DB_EXPORT QString sqlLikePattern(const QString& userText);

} // namespace zqvr::db
