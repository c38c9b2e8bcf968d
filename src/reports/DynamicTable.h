#pragma once
// The statements of the grid printer's temporary table, without widgets:
// its name, the column definitions by the grid's data type and the literal
// of each cell. Every value reaches the statement through the literal
// helpers, whatever the cell holds.
#include "reports_export.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <functional>

namespace zqvr::db {
class Connection;
class Dialect;
} // namespace zqvr::db

namespace zqvr::reports {

// The grid's data type numbers the printer tells apart.
namespace gridtype {
constexpr int Int16 = 2, Int32 = 3, Single = 4, Double = 5, Currency = 6, Date = 7, Text = 8, Boolean = 11,
              Int64 = 20, Text30 = 30, Text31 = 31;
bool isInteger(int t);
bool isNumber(int t); // integers too
} // namespace gridtype

class ZQVR_REPORTS_EXPORT DynamicTable {
public:
    // The table's name: "##TablaDinamica_" (through the dialect: a temporary
    // table of the connection on the embedded database) + the seconds since
    // midnight written without the decimal comma + a part unique to this
    // print job, so that two jobs started in the same second never share a table.
    static QString makeName(const db::Dialect& dialect, const QTime& now);

    // " SMALLINT NOT NULL DEFAULT(0)," and the like; text columns are
    // VARCHAR(255) unless a cell is longer (up to 8000).
    static QString columnDefinition(int gridType, bool datesAsText, int longestText = 0);
    // The same for the connection's engine: PostgreSQL has no MONEY, DATETIME
    // or BIT of SQL Server's kind and takes NUMERIC, TIMESTAMP and SMALLINT.
    static QString columnDefinition(int gridType, bool datesAsText, int longestText, const db::Dialect& dialect);
    // "CREATE TABLE name (f1 type, f2 type)" from field names and definitions.
    static QString createStatement(const QString& table, const QStringList& fields, const QStringList& definitions);

    // The literal of one cell: numbers in the suite's notation become plain
    // numbers (empty or not a number: 0), dates a date literal (an empty or
    // invalid date 01/01/1900), booleans 0 or 1, anything else quoted text.
    static QString literal(int gridType, const QString& cell, bool datesAsText, const db::Dialect& dialect);
    static QString insertStatement(const QString& table, const QStringList& literals);

    // Creates the table and inserts `rows` rows in one transaction (none of
    // them stays when one fails): cell(row, i) is the text of the row's i-th
    // field, whose grid type is types[i] and definition definitions[i].
    static void fill(db::Connection& conn, const QString& table, const QStringList& fields, const QList<int>& types,
                     const QStringList& definitions, int rows, const std::function<QString(int, int)>& cell,
                     bool datesAsText);

    // The cell read as a number of the suite's notation ("1.234,56"); false when it is not one.
    static bool readNumber(const QString& cell, double* value);
    static bool readBoolean(const QString& cell);
    // Digits after the decimal comma in a cell of the suite's notation.
    static int decimalsOf(const QString& cell);
};

} // namespace zqvr::reports
