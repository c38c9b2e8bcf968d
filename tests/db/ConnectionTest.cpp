// The connection, record sets, literals and transactions as every screen
// uses them, and the failures they must report instead of crashing.
#include "db/Connection.h"
#include "db/Dialect.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"
#include "db/Value.h"
#include "support/TestDatabase.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <limits>
#include <gtest/gtest.h>

using namespace zqvr;
using zqvr::test::TestDatabase;
using zqvr::test::fileHash;

TEST(SqlLiterals, TextsTravelThroughStatementsUnchanged)
{
    TestDatabase db;
    const QStringList texts = {"O'Donnell", "''", "50% dto", "x'; DROP TABLE TPVs;--", "ñáéíóúü€ Añaza",
                               "línea\tcon\ttabuladores", "'", "\\|'|"};
    int code = 1;
    for (const QString& t : texts) {
        db.exec(QStringLiteral("INSERT INTO TPVs (Codigo, Host) VALUES (%1, %2)").arg(code++).arg(db::sqlText(t)));
    }
    EXPECT_EQ(db.count("TPVs"), texts.size());
    auto rs = db.conn().query("SELECT Host FROM TPVs ORDER BY Codigo");
    for (const QString& t : texts) {
        ASSERT_FALSE(rs.eof());
        EXPECT_EQ(rs["Host"].toString(), t);
        rs.moveNext();
    }
    // Found again through a WHERE and a LIKE built the same way.
    EXPECT_EQ(db.count("TPVs", "Host = " + db::sqlText("x'; DROP TABLE TPVs;--")), 1);
    EXPECT_EQ(db.count("TPVs", "Host LIKE " + db::sqlLikePattern("*Donn*")), 1);
    EXPECT_EQ(db.count("TPVs", "Host LIKE " + db::sqlLikePattern("*'*")), 5);
}

TEST(SqlLiterals, NumbersUseAPointWhateverTheLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    EXPECT_EQ(db::sqlNumber(1234.5), "1234.5");
    EXPECT_EQ(db::sqlNumber(-0.25), "-0.25");
    EXPECT_EQ(db::sqlNumber(2.0), "2");
    EXPECT_EQ(db::sqlNumber(-0.0000001), "0");
    EXPECT_EQ(db::sqlNumber(1e15), "1000000000000000");
    EXPECT_EQ(db::sqlNumber(0.1 + 0.2), "0.3");
    // A value that is no number is refused rather than stored as 0.
    EXPECT_THROW(db::sqlNumber(std::numeric_limits<double>::quiet_NaN()), Error);
    EXPECT_THROW(db::sqlNumber(std::numeric_limits<double>::infinity()), Error);
    EXPECT_THROW(db::sqlNumber(-std::numeric_limits<double>::infinity()), Error);
    EXPECT_EQ(db::sqlInt(-32768), "-32768");
    EXPECT_EQ(db::sqlFlag(true), "1");
    QLocale::setDefault(before);

    TestDatabase db;
    db.exec("INSERT INTO Parking_Tarifa (Cod_Empresa, Cod_Almacen, MinutoInicial, MinutoFinal, Pvp) VALUES (1, 1, 1, 60, " +
            db::sqlNumber(0.035) + ")");
    EXPECT_DOUBLE_EQ(db.conn().scalar("SELECT Pvp FROM Parking_Tarifa").toDouble(), 0.035);
}

TEST(Transactions, GuardRollsBackWhenLeftByAnExceptionAndCommitsOnCommit)
{
    TestDatabase db;
    auto& c = db.conn();
    try {
        db::TransactionGuard g(c);
        c.execute("INSERT INTO TPVs (Codigo, Host) VALUES (1, 'A')");
        c.execute("INSERT INTO TPVs (Codigo, Host) VALUES (1, 'duplicate')");
        g.commit();
        FAIL() << "a duplicate key must fail";
    } catch (const Error&) {
    }
    EXPECT_EQ(db.count("TPVs"), 0);
    EXPECT_EQ(c.transactionDepth(), 0);
    {
        db::TransactionGuard g(c);
        c.execute("INSERT INTO TPVs (Codigo, Host) VALUES (2, 'B')");
        g.commit();
    }
    EXPECT_EQ(db.count("TPVs"), 1);
    // A guard left without commit undoes its work too.
    {
        db::TransactionGuard g(c);
        c.execute("DELETE FROM TPVs");
    }
    EXPECT_EQ(db.count("TPVs"), 1);
}

TEST(Transactions, NestedGuardJoinsTheOuterTransaction)
{
    TestDatabase db(TestDatabase::File);
    auto& c = db.conn();
    auto other = db.openAnother();
    {
        db::TransactionGuard outer(c);
        {
            db::TransactionGuard inner(c);
            c.execute("INSERT INTO TPVs (Codigo, Host) VALUES (1, 'A')");
            inner.commit();
        }
        EXPECT_EQ(c.transactionDepth(), 1);
        // Not visible to another connection until the outer commit.
        EXPECT_EQ(other->scalar("SELECT COUNT(*) FROM TPVs").toInt(), 0);
        outer.commit();
    }
    EXPECT_EQ(other->scalar("SELECT COUNT(*) FROM TPVs").toInt(), 1);

    // An inner failure takes the outer work with it.
    try {
        db::TransactionGuard outer(c);
        c.execute("INSERT INTO TPVs (Codigo, Host) VALUES (2, 'B')");
        db::TransactionGuard inner(c);
        c.execute("INSERT INTO NoSuchTable VALUES (1)");
        inner.commit();
        outer.commit();
    } catch (const Error&) {
    }
    EXPECT_EQ(c.transactionDepth(), 0);
    EXPECT_EQ(db.count("TPVs"), 1);
    EXPECT_THROW(c.commitTrans(), Error);
}

TEST(ConnectionErrors, FailingStatementsThrowTheEnginesMessage)
{
    TestDatabase db;
    auto& c = db.conn();
    try {
        c.execute("SELECT NoSuchColumn FROM TPVs");
        FAIL();
    } catch (const Error& e) {
        EXPECT_TRUE(e.description().contains("NoSuchColumn", Qt::CaseInsensitive)) << e.description().toStdString();
    }
    try {
        c.query("SELEC * FROM TPVs");
        FAIL();
    } catch (const Error& e) {
        EXPECT_TRUE(e.description().contains("syntax error")) << e.description().toStdString();
    }
    EXPECT_THROW(c.execute("INSERT INTO Almacenes (Cod_Empresa, Codigo) VALUES (?, 1)", {QVariant()}), Error);
    EXPECT_THROW(c.scalar("SELECT * FROM NoSuchTable"), Error);
    // The connection is still usable afterwards.
    EXPECT_EQ(c.execute("INSERT INTO TPVs (Codigo, Host) VALUES (?, ?)", {1, "TPV01"}), 1);
}

TEST(ConnectionErrors, BadConnectionStringsAndFilesAreRefusedClearly)
{
    QTemporaryDir dir;
    try {
        db::Connection::open("postgres://server/db");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), errc::ConnectionFailed);
        EXPECT_TRUE(e.description().contains("postgres://server/db"));
    }
    EXPECT_THROW(db::Connection::open("sqlite:"), Error);
    try {
        db::Connection::open("sqlite:" + dir.path());
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), errc::ConnectionFailed);
        EXPECT_TRUE(e.description().contains("carpeta"));
    }
    EXPECT_THROW(db::Connection::open("sqlite:" + dir.filePath("missing/sub/x.db")), Error);

    // A file that is not a database: refused, and left byte for byte.
    const QString garbage = dir.filePath("notes.db");
    {
        QFile f(garbage);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QByteArray bytes;
        for (int i = 0; i < 4096; ++i)
            bytes.append(char((i * 131 + 7) % 256));
        f.write(bytes);
    }
    const QByteArray before = fileHash(garbage);
    try {
        db::Connection::open("sqlite:" + garbage);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), errc::NotADatabase);
    }
    EXPECT_EQ(fileHash(garbage), before);
}

TEST(RecordSets, FieldsByNameAndTheirFailures)
{
    TestDatabase db;
    db.exec("INSERT INTO TPVs (Codigo, Host, EnLinea, Version) VALUES (3, 'TPV03', NULL, NULL)");
    auto rs = db.conn().query("SELECT Codigo, Host, EnLinea, Version, Emergencia FROM TPVs");
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs["HOST"].toString(), "TPV03");
    EXPECT_EQ(rs["codigo"].toInt(), 3);
    // NULLs read as 0, "", false and an invalid date.
    EXPECT_TRUE(rs["EnLinea"].isNull());
    EXPECT_EQ(rs["EnLinea"].toInt(), 0);
    EXPECT_FALSE(rs["EnLinea"].toBool());
    EXPECT_EQ(rs["Version"].toString(), QString());
    EXPECT_DOUBLE_EQ(rs["Version"].toDouble(), 0.0);
    EXPECT_FALSE(rs["Version"].toDate().isValid());
    EXPECT_TRUE(rs["Version"].toByteArray().isEmpty());
    try {
        rs["NoSuchField"];
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), errc::FieldNotFound);
    }
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    try {
        rs["Host"];
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), errc::NoCurrentRow);
    }
    EXPECT_THROW(rs.moveNext(), Error);
    EXPECT_TRUE(db.conn().scalar("SELECT Host FROM TPVs WHERE Codigo = 99").isNull());
}

TEST(RecordSets, ValuesConvertStoredTextsAndDates)
{
    EXPECT_EQ(db::Value(QVariant("2026-12-06")).toDate(), QDate(2026, 12, 6));
    EXPECT_EQ(db::Value(QVariant("2026-12-06 14:30:15")).toDateTime(), QDateTime(QDate(2026, 12, 6), QTime(14, 30, 15)));
    EXPECT_EQ(db::Value(QVariant("06/12/2026")).toDate(), QDate(2026, 12, 6));
    EXPECT_FALSE(db::Value(QVariant("not a date")).toDate().isValid());
    EXPECT_DOUBLE_EQ(db::Value(QVariant("12,5")).toDouble(), 12.5);
    EXPECT_DOUBLE_EQ(db::Value(QVariant("12.5")).toDouble(), 12.5);
    EXPECT_DOUBLE_EQ(db::Value(QVariant("abc")).toDouble(), 0.0);
    EXPECT_TRUE(db::Value(QVariant("-1")).toBool());
    EXPECT_FALSE(db::Value(QVariant("0")).toBool());
    EXPECT_EQ(db::Value(QVariant(2.6)).toInt(), 3);
}

TEST(RecordSets, IntegersOutOfRangeAreHeldAtTheEndsOfTheirType)
{
    constexpr int intMax = std::numeric_limits<int>::max();
    constexpr int intMin = std::numeric_limits<int>::min();
    // Positions and colours read as int: a stored 3000000000 once came back negative.
    EXPECT_EQ(db::Value(QVariant("3000000000")).toInt(), intMax);
    EXPECT_EQ(db::Value(QVariant(qint64(-3000000000))).toInt(), intMin);
    EXPECT_EQ(db::Value(QVariant("99999999999999999999")).toLongLong(), std::numeric_limits<qint64>::max());
    EXPECT_EQ(db::Value(QVariant("99999999999999999999")).toInt(), intMax);
    EXPECT_EQ(db::Value(QVariant("-1e30")).toLongLong(), std::numeric_limits<qint64>::min());
    EXPECT_EQ(db::Value(QVariant(1e300)).toInt(), intMax);
    EXPECT_EQ(db::Value(QVariant("-2147483648")).toInt(), intMin);
    EXPECT_EQ(db::Value(QVariant("16777215")).toInt(), 16777215);
}

TEST(BinaryColumns, WriteBinaryStoresBytesIntoTheSelectedRowOnly)
{
    TestDatabase db;
    auto& c = db.conn();
    db.exec("INSERT INTO TPV_CfgPantalla_Grupos (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo, Posicion) VALUES (1, 1, 1, 6), (1, 1, 2, 7)");
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    png.append(QByteArray(300, '\0'));
    png.append("'quoted'");
    EXPECT_TRUE(c.writeBinary("SELECT g.Imagen FROM TPV_CfgPantalla_Grupos g WHERE g.Cod_Empresa = 1 AND g.Cod_CfgPantalla=1 AND g.Cod_Grupo=2",
                              "Imagen", png));
    EXPECT_EQ(c.scalar("SELECT Imagen FROM TPV_CfgPantalla_Grupos WHERE Cod_Grupo = 2").toByteArray(), png);
    EXPECT_TRUE(c.scalar("SELECT Imagen FROM TPV_CfgPantalla_Grupos WHERE Cod_Grupo = 1").isNull());
    EXPECT_FALSE(c.writeBinary("SELECT Imagen FROM TPV_CfgPantalla_Grupos WHERE Cod_Grupo = 9", "Imagen", png));
    EXPECT_THROW(c.writeBinary("UPDATE TPVs SET Host = ''", "Imagen", png), Error);
    // Binary parameters bound directly survive as well.
    c.execute("UPDATE TPV_CfgPantalla_Grupos SET Imagen = ? WHERE Cod_Grupo = 1", {png});
    EXPECT_EQ(c.scalar("SELECT Imagen FROM TPV_CfgPantalla_Grupos WHERE Cod_Grupo = 1").toByteArray(), png);
}

TEST(ConnectionProperties, ExtendedPropertiesIsTheConnectionString)
{
    TestDatabase db;
    EXPECT_EQ(db.conn().property("Extended Properties").toString(), db.connectionString());
    EXPECT_TRUE(db.connectionString() == "sqlite::memory:" || test::onServer()) << db.connectionString().toStdString();
}

// The UPDATE is built around the SELECT's own FROM and condition, so quotes,
// aliases and keywords inside values can never redirect the picture.
TEST(BinaryColumns, WriteBinaryWritesExactlyTheRowsTheSelectYields)
{
    TestDatabase db;
    auto& c = db.conn();
    db.exec("INSERT INTO TPV_CfgPantalla_Grupos (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo, Posicion, Descripcion) VALUES"
            " (1, 1, 1, 6, 'x'), (1, 1, 2, 7, 'g.x'), (1, 1, 3, 8, 'a WHERE b'), (1, 1, 4, 9, 'it''s'),"
            " (1, 1, 5, 10, 'g.Cod_Grupo = 1')");
    const QByteArray pic("picture-bytes");
    auto pictureOf = [&](int group) {
        return c.scalar(QStringLiteral("SELECT Imagen FROM TPV_CfgPantalla_Grupos WHERE Cod_Grupo = %1").arg(group))
            .toByteArray();
    };
    auto written = [&]() {
        QList<int> groups;
        db::RecordSet rs = c.query("SELECT Cod_Grupo FROM TPV_CfgPantalla_Grupos WHERE Imagen IS NOT NULL ORDER BY Cod_Grupo");
        for (; !rs.eof(); rs.moveNext())
            groups << rs[QStringLiteral("Cod_Grupo")].toInt();
        c.execute("UPDATE TPV_CfgPantalla_Grupos SET Imagen = NULL");
        return groups;
    };

    EXPECT_TRUE(c.writeBinary("SELECT g.Imagen FROM TPV_CfgPantalla_Grupos g WHERE g.Descripcion = 'g.x'", "Imagen", pic));
    EXPECT_EQ(pictureOf(2), pic);
    EXPECT_EQ(written(), QList<int>{2});

    EXPECT_TRUE(c.writeBinary("SELECT g.Imagen FROM TPV_CfgPantalla_Grupos AS g WHERE g.Descripcion = 'a WHERE b'", "Imagen", pic));
    EXPECT_EQ(written(), QList<int>{3});

    EXPECT_TRUE(c.writeBinary("SELECT Imagen FROM TPV_CfgPantalla_Grupos WHERE Descripcion = 'it''s'", "Imagen", pic));
    EXPECT_EQ(written(), QList<int>{4});

    EXPECT_TRUE(c.writeBinary("SELECT g.Imagen FROM TPV_CfgPantalla_Grupos g WHERE g.Descripcion = 'g.Cod_Grupo = 1'", "Imagen", pic));
    EXPECT_EQ(written(), QList<int>{5});

    // A condition through a sub-query with its own WHERE, and a join, still target the first table's rows.
    EXPECT_TRUE(c.writeBinary("SELECT g.Imagen FROM TPV_CfgPantalla_Grupos g WHERE g.Cod_Grupo IN "
                              "(SELECT Cod_Grupo FROM TPV_CfgPantalla_Grupos WHERE Posicion >= 9)", "Imagen", pic));
    EXPECT_EQ(written(), (QList<int>{4, 5}));

    // A statement that cannot be turned into an UPDATE is refused, and nothing is written.
    EXPECT_THROW(c.writeBinary("SELECT Imagen FROM TPV_CfgPantalla_Grupos ORDER BY Cod_Grupo", "Imagen", pic), Error);
    EXPECT_EQ(written(), QList<int>{});
}

TEST(Transactions, AFailedInnerScopeLeavesTheTransactionRollbackOnlyUntilTheOutermostEnds)
{
    TestDatabase db;
    auto& c = db.conn();
    // The outer scope catches the inner failure and goes on: its later writes
    // must not commit one by one outside any transaction.
    {
        db::TransactionGuard outer(c);
        c.execute("INSERT INTO TPVs (Codigo, Host) VALUES (1, 'A')");
        try {
            db::TransactionGuard inner(c);
            c.execute("INSERT INTO TPVs (Codigo, Host) VALUES (2, 'B')");
            throw Error(errc::Database, "fallo interior");
        } catch (const Error&) {
        }
        EXPECT_TRUE(c.isRollbackOnly());
        EXPECT_EQ(c.transactionDepth(), 1);
        EXPECT_THROW(c.execute("INSERT INTO TPVs (Codigo, Host) VALUES (3, 'C')"), Error);
        EXPECT_THROW(outer.commit(), Error);
    }
    EXPECT_EQ(c.transactionDepth(), 0);
    EXPECT_FALSE(c.isRollbackOnly());
    EXPECT_EQ(db.count("TPVs"), 0);
    // Once the outermost scope has ended, the connection writes again.
    c.execute("INSERT INTO TPVs (Codigo, Host) VALUES (4, 'D')");
    EXPECT_EQ(db.count("TPVs"), 1);
}

TEST(Transactions, AWriteScopeCannotJoinATransactionOpenedForReading)
{
    TestDatabase db;
    auto& c = db.conn();
    {
        db::TransactionGuard reading(c);
        EXPECT_THROW(db::TransactionGuard writing(c, db::TransactionGuard::Write), Error);
        // The refusal leaves the reading transaction as it was.
        EXPECT_EQ(c.transactionDepth(), 1);
        reading.commit();
    }
    // The other way round joins: the lock is held already.
    db::TransactionGuard writing(c, db::TransactionGuard::Write);
    {
        db::TransactionGuard reading(c);
        c.execute("INSERT INTO TPVs (Codigo, Host) VALUES (1, 'A')");
        reading.commit();
    }
    writing.commit();
    EXPECT_EQ(db.count("TPVs"), 1);
}

TEST(RecordSets, AStatementWhileAnotherResultHasUnreadRowsNamesBoth)
{
    TestDatabase db;
    auto& c = db.conn();
    db.exec("INSERT INTO TPVs (Codigo, Host) VALUES (1, 'A')");
    db.exec("INSERT INTO TPVs (Codigo, Host) VALUES (2, 'B')");
    {
        auto outer = c.query("SELECT Codigo FROM TPVs ORDER BY Codigo");
        try {
            c.query("SELECT Host FROM TPVs WHERE Codigo = 1");
            ADD_FAILURE() << "a nested statement ran";
        } catch (const Error& e) {
            EXPECT_TRUE(e.description().contains("SELECT Host FROM TPVs WHERE Codigo = 1")) << e.description().toStdString();
            EXPECT_TRUE(e.description().contains("SELECT Codigo FROM TPVs ORDER BY Codigo")) << e.description().toStdString();
        }
        EXPECT_THROW(c.execute("UPDATE TPVs SET Host = 'X'"), Error);
        // Read to the end, the first result no longer holds the connection.
        while (!outer.eof())
            outer.moveNext();
        EXPECT_EQ(c.execute("UPDATE TPVs SET Host = 'X' WHERE Codigo = 1"), 1);
    }
    {
        auto first = c.query("SELECT Codigo FROM TPVs ORDER BY Codigo");
        first.close();
        EXPECT_EQ(c.scalar("SELECT COUNT(*) FROM TPVs").toInt(), 2);
        // scalar() reads one value and lets the connection go.
        EXPECT_EQ(c.scalar("SELECT Codigo FROM TPVs ORDER BY Codigo").toInt(), 1);
        EXPECT_EQ(c.execute("UPDATE TPVs SET Host = 'Y' WHERE Codigo = 2"), 1);
    }
}
