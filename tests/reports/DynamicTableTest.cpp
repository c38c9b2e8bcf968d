// The grid printer's temporary table: what the cells become in the table,
// whatever they hold, and the names of the tables.
#include "reports/DynamicTable.h"
#include "support/TestDatabase.h"

#include "db/Dialect.h"

#include "db/Connection.h"
#include "db/Error.h"

#include <QRegularExpression>
#include <atomic>
#include <set>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::reports;

namespace {

TEST(DynamicTable, CellsReachTheTableAsTheGridShowsThemWhateverTheyHold)
{
    test::TestDatabase db;
    const db::Dialect& dialect = db.conn().dialect();
    const QList<int> types = {gridtype::Int16, gridtype::Int32, gridtype::Currency, gridtype::Date, gridtype::Boolean,
                              gridtype::Text};
    // N keeps the rows' order on every engine.
    QStringList fields = {QStringLiteral("N")}, defs = {DynamicTable::columnDefinition(gridtype::Int32, false, 0, dialect)};
    for (int i = 0; i < types.size(); ++i) {
        fields << QStringLiteral("C%1").arg(i);
        defs << DynamicTable::columnDefinition(types[i], false, 300, dialect);
    }
    const QString table = DynamicTable::makeName(dialect, QTime(10, 0));
    db.exec(DynamicTable::createStatement(table, fields, defs));

    const QString longText = QString(300, QLatin1Char('x'));
    const QList<QStringList> cells = {
        {"1.234", "-7", "1.234,56", "06/12/2026", "X", "O'Brien"},
        {"", "abc", "", "", "0", "'; DROP TABLE Articulos; --"},
        {"12,6", "3,4", "0,5", "31/02/2026", "", "ñandú € ''"},
        {"1", "2", "3", "06/12/2026 14:30", "Sí", longText},
    };
    int n = 0;
    for (const QStringList& row : cells) {
        QStringList literals = {QString::number(++n)};
        for (int i = 0; i < types.size(); ++i)
            literals << DynamicTable::literal(types[i], row[i], false, dialect);
        db.exec(DynamicTable::insertStatement(table, literals));
    }

    auto rs = db.conn().query(QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" ORDER BY N"));
    const QList<QVariantList> expected = {
        {1234, -7, 1234.56, QDateTime(QDate(2026, 12, 6), QTime(0, 0)), 1, "O'Brien"},
        {0, 0, 0.0, QDateTime(QDate(1900, 1, 1), QTime(0, 0)), 0, "'; DROP TABLE Articulos; --"},
        {13, 3, 0.5, QDateTime(QDate(1900, 1, 1), QTime(0, 0)), 0, "ñandú € ''"},
        {1, 2, 3.0, QDateTime(QDate(2026, 12, 6), QTime(14, 30)), 1, longText},
    };
    for (const QVariantList& want : expected) {
        ASSERT_FALSE(rs.eof());
        EXPECT_EQ(rs.value(1).toInt(), want[0].toInt());
        EXPECT_EQ(rs.value(2).toInt(), want[1].toInt());
        EXPECT_DOUBLE_EQ(rs.value(3).toDouble(), want[2].toDouble());
        EXPECT_EQ(rs.value(4).toDateTime(), want[3].toDateTime());
        EXPECT_EQ(rs.value(5).toInt(), want[4].toInt());
        EXPECT_EQ(rs.value(6).toString(), want[5].toString());
        rs.moveNext();
    }
    EXPECT_TRUE(rs.eof());
    rs.close();
    // The statement text in a cell stayed a value.
    EXPECT_GE(db.count(QStringLiteral("Articulos")), 0);
}

TEST(DynamicTable, DatesAsTextKeepTheCellAsWritten)
{
    test::TestDatabase db;
    const db::Dialect& dialect = db.conn().dialect();
    const QString table = DynamicTable::makeName(dialect, QTime(10, 0));
    db.exec(DynamicTable::createStatement(table, {QStringLiteral("N"), QStringLiteral("F")},
                                          {DynamicTable::columnDefinition(gridtype::Int32, true, 0, dialect),
                                           DynamicTable::columnDefinition(gridtype::Date, true, 0, dialect)}));
    int n = 0;
    for (const char* cell : {"06/12/2026", "", "mañana'"})
        db.exec(DynamicTable::insertStatement(
            table, {QString::number(++n), DynamicTable::literal(gridtype::Date, QString::fromUtf8(cell), true, dialect)}));
    auto rs = db.conn().query(QStringLiteral("SELECT F FROM ") + table + QStringLiteral(" ORDER BY N"));
    for (const char* cell : {"06/12/2026", "", "mañana'"}) {
        ASSERT_FALSE(rs.eof());
        EXPECT_EQ(rs.value(0).toString(), QString::fromUtf8(cell));
        rs.moveNext();
    }
}

TEST(DynamicTable, NamesMadeInTheSameSecondNeverMeet)
{
    const QTime t(12, 34, 56, 530);
    const db::SQLiteDialect sqlite;
    const db::SqlServerDialect server;
    const QString a = DynamicTable::makeName(sqlite, t);
    const QString b = DynamicTable::makeName(sqlite, t);
    EXPECT_NE(a, b);
    EXPECT_TRUE(a.startsWith(QStringLiteral("temp.TablaDinamica_4529653_"))) << a.toStdString();
    const QString c = DynamicTable::makeName(server, t);
    EXPECT_TRUE(c.startsWith(QStringLiteral("##TablaDinamica_4529653_"))) << c.toStdString();
    // Only letters, digits and underscores after the prefix: the name goes into statements as it is.
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^##TablaDinamica_[0-9a-z_]+$")).match(c).hasMatch()) << c.toStdString();
}

TEST(DynamicTable, FourBackOfficesPrintingAtOnceNeverShareATable)
{
    test::TestDatabase db(test::TestDatabase::File);
    const QString where = db.connectionString();
    const int perUser = test::onServer() ? 200 : 50;
    std::vector<QString> names[4];
    std::atomic<int> failures{0};
    auto user = [&](int who) {
        try {
            auto conn = db::Connection::open(where);
            for (int i = 0; i < perUser; ++i) {
                const QString table = DynamicTable::makeName(conn->dialect(), QTime(12, 0));
                DynamicTable::fill(*conn, table, {QStringLiteral("A")}, {gridtype::Int32},
                                   {DynamicTable::columnDefinition(gridtype::Int32, false, 0, conn->dialect())}, 1,
                                   [](int, int) { return QStringLiteral("1"); }, false);
                conn->execute(QStringLiteral("DROP TABLE ") + table);
                names[who].push_back(table);
            }
        } catch (const Error& e) {
            ADD_FAILURE() << e.description().toStdString();
            ++failures;
        }
    };
    std::vector<std::thread> threads;
    for (int u = 0; u < 4; ++u)
        threads.emplace_back(user, u);
    for (auto& t : threads)
        t.join();
    ASSERT_EQ(failures, 0);
    std::set<QString> all;
    for (const auto& list : names)
        all.insert(list.begin(), list.end());
    EXPECT_EQ(all.size(), size_t(4 * perUser));
}

} // namespace
