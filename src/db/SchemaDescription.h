#pragma once
// Every table the component reads or writes, the suite's master tables
// included, described once and without an engine in mind, as they stand at
// the version this build writes. Each engine gets its CREATE statements from
// this description: the embedded file's upgrade steps must end where it
// stands (the tests compare them), a PostgreSQL database is created from it,
// and the script shipped for SQL Server sites is written from it.
#include "db_export.h"
#include "db/Dialect.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace zqvr::db::schema {

enum class Type {
    Integer,      // 32-bit: codes that may grow, counts, colours, bit masks
    SmallInteger, // 16-bit: company, warehouse and terminal codes, flags 0/1, small enums
    Money,        // amounts, prices, quantities and percentages (four decimals)
    Text,         // at most `length` characters; length 0 is unbounded (documents)
    Date,
    DateTime,
    Binary,       // pictures
    Identity,     // 32-bit key the database assigns on insert
};

struct Default {
    enum Kind {
        None,
        Number,
        Text,
        Date,
        Now,   // the moment of the insert, local time
        Blank, // an empty date: '' in the embedded file, where dates are text;
               // no default on a server, which has no empty date
    };
    Kind kind = None;
    double number = 0;
    QString text;
    QDate date;
};

struct Column {
    QString name;
    Type type = Type::Integer;
    int length = 0; // Text only
    bool notNull = false;
    Default value;
};

struct Index {
    QString name;
    QStringList columns;
    bool unique = false;
};

struct ZQVR_DB_EXPORT Table {
    QString name;
    std::vector<Column> columns;
    QStringList primaryKey; // empty: the table has none
    std::vector<Index> indexes;

    const Column* column(const QString& name) const;
};

// The tables, grouped by subject, in the order the CREATE statements take.
ZQVR_DB_EXPORT const std::vector<Table>& tables();
// The described table of that name (case-insensitive), or null.
ZQVR_DB_EXPORT const Table* findTable(const QString& name);

// How many characters a text column of a described table holds; 0 for any
// other column, an unknown one, or a text without limit.
ZQVR_DB_EXPORT int textLength(const QString& table, const QString& column);

// A column's type as the engine declares it ("REAL", "numeric(19,4)", "money").
ZQVR_DB_EXPORT QString columnType(const Column& column, Dialect::Kind engine);
// The text after DEFAULT for the column on that engine; empty when it has none there.
ZQVR_DB_EXPORT QString defaultExpression(const Column& column, Dialect::Kind engine);

// The CREATE TABLE and CREATE INDEX statements of the whole schema, each table
// followed by its indexes; run in order on an empty database they make it.
ZQVR_DB_EXPORT QStringList createStatements(Dialect::Kind engine);

// dbo.fn_TPVTicketsLineasEsKit as the SQL Server statements call it: the
// number of components recorded for the ticket line, so non-zero exactly
// when the line sold a kit (the embedded file computes the same count inline).
ZQVR_DB_EXPORT QString kitLineFunctionSqlServer();

// The script shipped for SQL Server sites (sql/sqlserver/schema.sql): every
// table, index and the kit-line function, each created only when missing,
// in batches separated by GO.
ZQVR_DB_EXPORT QString sqlServerScript();

} // namespace zqvr::db::schema
