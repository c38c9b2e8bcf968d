#pragma once
// The only ways a value reaches a statement. Dates go through the
// connection's dialect (Dialect::date), since their text differs by engine.
#include <QString>
#include <QVariant>

namespace zqvr::db {

// 'text' with embedded single quotes doubled.
QString sqlText(const QString& value);
// Integer codes: decimal digits, no quotes.
QString sqlInt(qint64 value);
// Decimal numbers with a "." decimal point whatever the locale, no exponent.
QString sqlNumber(double value, int maxDecimals = 6);
// Flags: a true value is written as 1.
QString sqlFlag(bool value);
// Turns the user's "*" wildcard into "%" and doubles quotes, for LIKE '...'.
QString sqlLikePattern(const QString& userText);

} // namespace zqvr::db
