// The schema description against what each engine gets from it: the
// embedded file's upgrade steps, a file an earlier build made, the
// PostgreSQL statements and the script shipped for SQL Server sites; and the
// check that names what a database lacks.
#include "db/Connection.h"
#include "db/Dialect.h"
#include "db/Error.h"
#include "db/Schema.h"
#include "db/SchemaDescription.h"
#include "db/SchemaSteps.h"
#include "demo/DemoData.h"
#include "support/TestDatabase.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zqvr;
using zqvr::db::Dialect;
using zqvr::test::TestDatabase;
using zqvr::test::fileHash;
namespace schema = zqvr::db::schema;

namespace {

QString stripParentheses(QString expr)
{
    // SQLite reports a parenthesised default without its outer parentheses.
    if (expr.startsWith(QLatin1Char('(')) && expr.endsWith(QLatin1Char(')')))
        expr = expr.mid(1, expr.size() - 2);
    return expr;
}

// Every way the SQLite catalogue of the database differs from the
// description: tables, columns in order with their declared type, NOT NULL,
// default and place in the primary key, and the indexes with their columns.
QStringList catalogueDifferences(db::Connection& c)
{
    const auto engine = Dialect::Kind::SQLite;
    QStringList diff;
    QSet<QString> described;
    for (const schema::Table& t : schema::tables())
        described.insert(t.name);
    QSet<QString> present;
    for (auto rs = c.query("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'"
                           " AND name <> 'Zqvr_Schema'");
         !rs.eof(); rs.moveNext())
        present.insert(rs.value(0).toString());
    for (const QString& name : present - described)
        diff << "table not described: " + name;
    for (const QString& name : described - present)
        diff << "table missing: " + name;

    for (const schema::Table& t : schema::tables()) {
        if (!present.contains(t.name))
            continue;
        int i = 0;
        for (auto rs = c.query(QStringLiteral("SELECT name, type, \"notnull\", dflt_value, pk FROM pragma_table_info('%1')"
                                              " ORDER BY cid")
                                   .arg(t.name));
             !rs.eof(); rs.moveNext(), ++i) {
            const QString name = rs.value(0).toString();
            if (i >= int(t.columns.size())) {
                diff << QStringLiteral("%1.%2: not described").arg(t.name, name);
                continue;
            }
            const schema::Column& col = t.columns[size_t(i)];
            const QString where = QStringLiteral("%1.%2").arg(t.name, col.name);
            if (name != col.name) {
                diff << QStringLiteral("%1: column %2 is %3").arg(where).arg(i).arg(name);
                continue;
            }
            if (rs.value(1).toString() != schema::columnType(col, engine))
                diff << QStringLiteral("%1: type %2").arg(where, rs.value(1).toString());
            // The identity is SQLite's rowid, declared without NOT NULL.
            const bool notNull = col.notNull && col.type != schema::Type::Identity;
            if (rs.value(2).toBool() != notNull)
                diff << QStringLiteral("%1: NOT NULL %2").arg(where).arg(rs.value(2).toInt());
            const QString dflt = rs.value(3).isNull() ? QString() : rs.value(3).toString();
            if (dflt != stripParentheses(schema::defaultExpression(col, engine)))
                diff << QStringLiteral("%1: default %2").arg(where, dflt.isNull() ? QStringLiteral("none") : dflt);
            const int pk = int(t.primaryKey.indexOf(col.name)) + 1;
            if (rs.value(4).toInt() != pk)
                diff << QStringLiteral("%1: place in the key %2").arg(where).arg(rs.value(4).toInt());
        }
        if (i < int(t.columns.size()))
            diff << QStringLiteral("%1: %2 columns, described %3").arg(t.name).arg(i).arg(t.columns.size());

        // The index list is read whole before each index's columns: one open
        // result per connection, as on SQL Server.
        QList<QPair<QString, bool>> listed;
        for (auto rs = c.query(QStringLiteral("SELECT name, \"unique\" FROM pragma_index_list('%1') WHERE origin = 'c'").arg(t.name));
             !rs.eof(); rs.moveNext())
            listed.append({rs.value(0).toString(), rs.value(1).toBool()});
        QSet<QString> indexes;
        for (const auto& [name, unique] : listed) {
            indexes.insert(name);
            auto ix = std::find_if(t.indexes.begin(), t.indexes.end(), [&](const schema::Index& x) { return x.name == name; });
            if (ix == t.indexes.end()) {
                diff << QStringLiteral("%1: index %2 not described").arg(t.name, name);
                continue;
            }
            if (unique != ix->unique)
                diff << QStringLiteral("%1: index %2 unique %3").arg(t.name, name).arg(int(unique));
            QStringList cols;
            for (auto ci = c.query(QStringLiteral("SELECT name FROM pragma_index_info('%1') ORDER BY seqno").arg(name));
                 !ci.eof(); ci.moveNext())
                cols << ci.value(0).toString();
            if (cols != ix->columns)
                diff << QStringLiteral("%1: index %2 on (%3)").arg(t.name, name, cols.join(QStringLiteral(", ")));
        }
        for (const schema::Index& ix : t.indexes)
            if (!indexes.contains(ix.name))
                diff << QStringLiteral("%1: index %2 missing").arg(t.name, ix.name);
    }
    return diff;
}

std::string show(const QStringList& list) { return list.join(QLatin1Char('\n')).toStdString(); }

QString readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

// The statements of a catalogue dump: one per ";" at the end of a line,
// comment lines left out.
QStringList dumpStatements(const QString& text)
{
    QStringList out;
    QString current;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("--")))
            continue;
        current += line + QLatin1Char('\n');
        if (line.endsWith(QLatin1Char(';'))) {
            out << current.trimmed().chopped(1);
            current.clear();
        }
    }
    return out;
}

QString statementFor(const QStringList& statements, const QString& start)
{
    for (const QString& s : statements)
        if (s.startsWith(start))
            return s;
    return {};
}

} // namespace

// The upgrade steps of the embedded file are the schema's history; the
// description is where they end. Neither may move without the other.
TEST(SchemaDescription, TheEmbeddedFilesStepsEndWhereTheDescriptionStands)
{
    ZQVR_SQLITE_ONLY();
    TestDatabase db;
    EXPECT_TRUE(catalogueDifferences(db.conn()).isEmpty()) << show(catalogueDifferences(db.conn()));

    // The comparison sees a step that a description change did not follow.
    db.exec("DROP INDEX IX_TPVs_Host");
    db.exec("ALTER TABLE TPVs ADD COLUMN Ubicacion TEXT DEFAULT ''");
    db.exec("CREATE INDEX IX_Tarjetas_Nombre ON Tarjetas (Nombre)");
    const QStringList diff = catalogueDifferences(db.conn());
    EXPECT_EQ(diff, QStringList({"TPVs.Ubicacion: not described", "TPVs: index IX_TPVs_Host missing",
                                 "Tarjetas: index IX_Tarjetas_Nombre not described"}))
        << show(diff);
}

TEST(SchemaDescription, TheEmbeddedRenderingMakesWhatTheStepsMake)
{
    ZQVR_SQLITE_ONLY();
    auto c = db::Connection::open("sqlite::memory:");
    for (const QString& sql : schema::createStatements(Dialect::Kind::SQLite))
        c->execute(sql);
    EXPECT_TRUE(catalogueDifferences(*c).isEmpty()) << show(catalogueDifferences(*c));
}

// A site's file made by the earlier build: this build opens it without
// writing a byte, finds everything it needs, and works on it.
TEST(SchemaDescription, AFileOfTheEarlierBuildOpensUnchangedAndKeepsWorking)
{
    ZQVR_SQLITE_ONLY();
    const QStringList statements = dumpStatements(readFile(ZQVR_SOURCE_DIR "/tests/db/data/embedded-version-2.sql"));
    ASSERT_GT(statements.size(), 60);
    QTemporaryDir dir;
    const QString path = dir.filePath("site.db");
    {
        auto made = db::Connection::open("sqlite:" + path);
        for (const QString& sql : statements)
            made->execute(sql);
        made->execute("INSERT INTO TPVs (Codigo, Host, Empresa, Almacen, EnLinea) VALUES (30000, 'CAJA-ALMACEN', 1, 1, 1)");
    }
    const QByteArray before = fileHash(path);

    auto c = db::Connection::open("sqlite:" + path);
    EXPECT_EQ(db::Schema::versionOf(*c), 2);
    db::Schema::ensure(*c);
    EXPECT_EQ(db::Schema::versionOf(*c), db::Schema::currentVersion());
    c.reset();
    EXPECT_EQ(fileHash(path), before);

    c = db::Connection::open("sqlite:" + path);
    EXPECT_TRUE(catalogueDifferences(*c).isEmpty()) << show(catalogueDifferences(*c));
    // Every table takes the demo data set, which the screens' tests read.
    demo::DemoOptions o;
    o.scale = 0.02;
    o.today = QDate(2026, 12, 6);
    demo::DemoData::generate(*c, o);
    EXPECT_GT(c->scalar("SELECT COUNT(*) FROM TPV_Tickets_Lineas").toInt(), 0);
    EXPECT_GT(c->scalar("SELECT COUNT(*) FROM TPV_Gestor_Mensajes_Historico").toInt(), 0);
    EXPECT_EQ(c->scalar("SELECT Host FROM TPVs WHERE Codigo = 30000").toString(), "CAJA-ALMACEN");
}

TEST(SchemaDescription, NamesFitEveryEngine)
{
    // PostgreSQL keeps tables, indexes and key constraints in one namespace
    // per schema, folded to lower case, and cuts names at 63 characters.
    QSet<QString> relations;
    for (const schema::Table& t : schema::tables()) {
        QStringList names = {t.name};
        if (!t.primaryKey.isEmpty())
            names << "PK_" + t.name;
        for (const schema::Index& ix : t.indexes)
            names << ix.name;
        for (const QString& n : names) {
            EXPECT_LE(n.size(), 63) << n.toStdString();
            EXPECT_FALSE(relations.contains(n.toLower())) << "twice: " << n.toStdString();
            relations.insert(n.toLower());
        }
        QSet<QString> columns;
        for (const schema::Column& col : t.columns) {
            EXPECT_FALSE(columns.contains(col.name.toLower())) << t.name.toStdString() << "." << col.name.toStdString();
            columns.insert(col.name.toLower());
            if (col.type != schema::Type::Text) {
                EXPECT_EQ(col.length, 0) << "only a text has a length: " << col.name.toStdString();
            }
        }
        for (const QString& k : t.primaryKey)
            EXPECT_NE(t.column(k), nullptr) << t.name.toStdString() << " key " << k.toStdString();
        for (const schema::Index& ix : t.indexes)
            for (const QString& k : ix.columns)
                EXPECT_NE(t.column(k), nullptr) << ix.name.toStdString() << " on " << k.toStdString();
    }
}

// A server refuses a text longer than its column or a number out of its
// type's range where the embedded file stores anything: the demo data set,
// which the tests and the demo host write on every engine, must fit.
TEST(SchemaDescription, TheDemoDataFitsTheDescribedLengthsAndRanges)
{
    TestDatabase db;
    db.fillDemo();
    QStringList overflows;
    for (const schema::Table& t : schema::tables()) {
        for (const schema::Column& col : t.columns) {
            QString limit;
            QString measure;
            if (col.type == schema::Type::Text && col.length > 0) {
                measure = QStringLiteral("MAX(LENGTH(%1))").arg(col.name);
                limit = QString::number(col.length);
            } else if (col.type == schema::Type::SmallInteger) {
                measure = QStringLiteral("MAX(ABS(%1))").arg(col.name);
                limit = "32767";
            } else if (col.type == schema::Type::Integer) {
                measure = QStringLiteral("MAX(ABS(%1))").arg(col.name);
                limit = "2147483647";
            } else {
                continue;
            }
            const db::Value most = db.conn().scalar(QStringLiteral("SELECT %1 FROM %2").arg(measure, t.name));
            if (!most.isNull() && most.toLongLong() > limit.toLongLong())
                overflows << QStringLiteral("%1.%2: %3 over %4").arg(t.name, col.name, most.toString(), limit);
        }
    }
    EXPECT_TRUE(overflows.isEmpty()) << show(overflows);
}

TEST(SchemaDescription, PostgreSqlStatementsUseItsIdentityTypesAndDefaults)
{
    const QStringList pg = schema::createStatements(Dialect::Kind::PostgreSQL);
    for (const QString& sql : pg)
        EXPECT_FALSE(sql.contains(QLatin1Char('"'))) << "quoted names keep their case: " << sql.toStdString();

    const QString history = statementFor(pg, "CREATE TABLE TPV_Gestor_Mensajes_Historico (");
    EXPECT_TRUE(history.contains("\n    Id integer GENERATED BY DEFAULT AS IDENTITY,\n")) << history.toStdString();
    EXPECT_TRUE(history.contains("\n    Fecha timestamp DEFAULT LOCALTIMESTAMP(0),\n")) << history.toStdString();
    EXPECT_TRUE(history.contains("\n    Imagen_Ant bytea,\n")) << history.toStdString();
    EXPECT_TRUE(history.contains("\n    IntervaloMinEuros_Ant numeric(19,4),\n")) << history.toStdString();
    EXPECT_TRUE(history.endsWith("\n    CONSTRAINT PK_TPV_Gestor_Mensajes_Historico PRIMARY KEY (Id)\n)")) << history.toStdString();

    const QString taxes = statementFor(pg, "CREATE TABLE Igic_Tipos (");
    EXPECT_TRUE(taxes.contains("\n    FechaI date NOT NULL,\n    FechaF date DEFAULT DATE '9999-12-31',\n")) << taxes.toStdString();
    EXPECT_TRUE(taxes.contains("\n    Cod_Empresa smallint NOT NULL,\n")) << taxes.toStdString();
    // The embedded file's empty date has no counterpart on a server.
    const QString queue = statementFor(pg, "CREATE TABLE Articulos_ToPos (");
    EXPECT_TRUE(queue.contains("\n    Fecha timestamp,\n")) << queue.toStdString();
    const QString salons = statementFor(pg, "CREATE TABLE TPV_Sln_Salones (");
    EXPECT_TRUE(salons.contains("\n    Descripcion varchar(50) DEFAULT '',\n    Doc_Xml text DEFAULT '',\n")) << salons.toStdString();
    // Groups and keys are renumbered in place: a plain index, no key.
    const QString groups = statementFor(pg, "CREATE TABLE TPV_CfgPantalla_Grupos (");
    EXPECT_FALSE(groups.contains("PRIMARY KEY")) << groups.toStdString();
    EXPECT_TRUE(pg.contains("CREATE INDEX IX_TPV_CfgPantalla_Grupos ON TPV_CfgPantalla_Grupos (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo)"));
}

TEST(SchemaDescription, TheShippedSqlServerScriptIsCurrent)
{
    const QString shipped = readFile(ZQVR_SOURCE_DIR "/sql/sqlserver/schema.sql");
    EXPECT_TRUE(shipped == schema::sqlServerScript())
        << "sql/sqlserver/schema.sql is stale: the schema description changed. Write it again with\n"
           "  cmake --build build --target sqlserver-schema\n"
           "and commit it.";
}

TEST(SchemaDescription, SqlServerScriptCreatesOnlyWhatIsMissing)
{
    const QString s = schema::sqlServerScript();
    // Every table, index and the function in a batch of its own, each guarded.
    const QStringList batches = s.split("\nGO\n", Qt::SkipEmptyParts);
    int tablesSeen = 0, indexesSeen = 0;
    for (const QString& b : batches) {
        if (b.contains("CREATE TABLE ")) {
            ++tablesSeen;
            EXPECT_TRUE(b.contains(QRegularExpression("IF OBJECT_ID\\(N'dbo\\.\\w+', N'U'\\) IS NULL\nCREATE TABLE dbo\\.")))
                << b.toStdString();
        } else if (b.contains("CREATE INDEX ")) {
            ++indexesSeen;
            EXPECT_TRUE(b.startsWith("IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'")) << b.toStdString();
        }
    }
    size_t indexes = 0;
    for (const schema::Table& t : schema::tables())
        indexes += t.indexes.size();
    EXPECT_EQ(size_t(tablesSeen), schema::tables().size());
    EXPECT_EQ(size_t(indexesSeen), indexes);

    EXPECT_TRUE(s.contains("\n    Id int IDENTITY(1,1) NOT NULL,\n"));
    EXPECT_TRUE(s.contains("\n    FechaF datetime NULL CONSTRAINT DF_Igic_Tipos_FechaF DEFAULT ('99991231'),\n"));
    EXPECT_TRUE(s.contains("\n    Fecha datetime NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Historico_Fecha DEFAULT (GETDATE()),\n"));
    EXPECT_TRUE(s.contains("\n    Imagen image NULL,\n"));
    EXPECT_TRUE(s.contains("\n    Total money NULL CONSTRAINT DF_TPV_Tickets_Total DEFAULT (0),\n"));
    EXPECT_TRUE(s.contains("IF OBJECT_ID(N'dbo.fn_TPVTicketsLineasEsKit', N'FN') IS NULL\nEXEC (N'CREATE FUNCTION dbo.fn_TPVTicketsLineasEsKit (\n"));
}

// The statements call the kit-line function on SQL Server where the
// embedded file counts the components inline: the two must agree on every
// line, with and without components.
TEST(SchemaDescription, KitLineFunctionCountsWhatTheEmbeddedFileCounts)
{
    ZQVR_SQLITE_ONLY();
    TestDatabase db;
    db.fillDemo();
    auto& c = db.conn();
    ASSERT_GT(db.count("TPV_Tickets_KitComposicion"), 0);

    // The function's query, its parameters given as the SQLite dialect writes values.
    const QString function = schema::kitLineFunctionSqlServer();
    const qsizetype from = function.indexOf("SELECT COUNT(*)");
    const qsizetype to = function.lastIndexOf(")\nEND");
    ASSERT_GT(from, 0);
    ASSERT_GT(to, from);
    const QString body = function.mid(from, to - from).replace("dbo.", "");

    const db::SQLiteDialect sqlite;
    // Every kit line and as many lines that are not kits.
    auto lines = c.query(
        "SELECT Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Num_Linea FROM ("
        " SELECT l.*, EXISTS (SELECT 1 FROM TPV_Tickets_KitComposicion k WHERE k.Cod_Empresa = l.Cod_Empresa"
        "  AND k.Cod_almacen = l.Cod_Almacen AND k.Caja = l.Caja AND k.Fecha = l.Fecha AND k.Codigo = l.Codigo"
        "  AND k.Num_Linea = l.Num_Linea) AS EsKit FROM TPV_Tickets_Lineas l)"
        " ORDER BY EsKit DESC, Fecha, Codigo LIMIT 400");
    // Read whole first: one open result per connection, as on SQL Server.
    struct Line { QString company, warehouse, till, ticket, line; QDate day; };
    QList<Line> all;
    for (; !lines.eof(); lines.moveNext())
        all.append({lines.value(0).toString(), lines.value(1).toString(), lines.value(2).toString(),
                    lines.value(4).toString(), lines.value(5).toString(), lines.value(3).toDate()});
    int kits = 0, checked = 0;
    for (const Line& l : all) {
        ++checked;
        const QString &company = l.company, &warehouse = l.warehouse, &till = l.till, &ticket = l.ticket, &line = l.line;
        const QString date = sqlite.date(l.day);
        QString call = body;
        call.replace("@Cod_Empresa", company).replace("@Cod_Almacen", warehouse).replace("@Caja", till)
            .replace("@Fecha", date).replace("@Codigo", ticket).replace("@Num_Linea", line);
        const int byFunction = c.scalar(call).toInt();
        const int inline_ = c.scalar("SELECT " + sqlite.ticketLineIsKit(company, warehouse, till, date, ticket, line)).toInt();
        EXPECT_EQ(byFunction, inline_) << call.toStdString();
        kits += byFunction != 0;
    }
    EXPECT_GT(kits, 0);
    EXPECT_GT(checked, kits);
}

TEST(Schema, VerifyNamesTheTablesAndColumnsTheDatabaseLacks)
{
    TestDatabase db;
    auto& c = db.conn();
    // A site's database holds more than the component uses: that is fine.
    db.exec("ALTER TABLE TPV_Tickets ADD COLUMN Observaciones TEXT");
    db.exec("CREATE TABLE Proveedores (Codigo INTEGER)");
    db::Schema::verify(c);

    db.exec("ALTER TABLE TPV_Tickets DROP COLUMN Enviado");
    try {
        db::Schema::verify(c);
        FAIL() << "a missing column passed";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), errc::SchemaIncomplete);
        EXPECT_EQ(e.description(), "La base de datos no tiene lo que ZQVRTpvs necesita: "
                                   "a la tabla TPV_Tickets le falta la columna Enviado.");
    }
    // ensure() checks after every start, so the host reports it before a screen opens.
    EXPECT_THROW(db::Schema::ensure(c), Error);

    db.exec("DROP TABLE Parking_Tarifa");
    db.exec("ALTER TABLE TPV_Gestor_Mensajes DROP COLUMN Hora2Fin");
    for (const char* col : {"L", "M", "X", "J"})
        db.exec(QStringLiteral("ALTER TABLE TPV_Gestor_Mensajes_Historico DROP COLUMN %1").arg(col));
    try {
        db::Schema::verify(c);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.description(), "La base de datos no tiene lo que ZQVRTpvs necesita: "
                                   "a la tabla TPV_Tickets le falta la columna Enviado; "
                                   "a la tabla TPV_Gestor_Mensajes le falta la columna Hora2Fin; "
                                   "a la tabla TPV_Gestor_Mensajes_Historico le falta la columna L; "
                                   "a la tabla TPV_Gestor_Mensajes_Historico le falta la columna M; "
                                   "a la tabla TPV_Gestor_Mensajes_Historico le falta la columna X (y 2 más).");
    }
}

// The suite owns the schema of its SQL Server database: ensure() sends it
// nothing; verify() only reads the catalogue.
TEST(Schema, ASqlServerDatabaseIsOnlyRead)
{
    auto c = db::Connection::open("record:sqlserver");
    db::Schema::ensure(*c);
    EXPECT_TRUE(c->recordedStatements().isEmpty()) << show(c->recordedStatements());
    EXPECT_THROW(db::Schema::verify(*c), Error); // the recorder's catalogue is empty
    EXPECT_EQ(c->recordedStatements(), QStringList({"SELECT TABLE_NAME, COLUMN_NAME FROM INFORMATION_SCHEMA.COLUMNS"}));
}
