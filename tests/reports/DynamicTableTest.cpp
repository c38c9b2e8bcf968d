// The grid printer's temporary table: what the cells become in the table,
// whatever they hold, and the names of the tables.
#include "reports/DynamicTable.h"
#include "support/TestDatabase.h"

#include "db/Dialect.h"

#include <QRegularExpression>

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
    QStringList fields, defs;
    for (int i = 0; i < types.size(); ++i) {
        fields << QStringLiteral("C%1").arg(i);
        defs << DynamicTable::columnDefinition(types[i], false, 300);
    }
    const QString table = QStringLiteral("temp.Prueba");
    db.exec(DynamicTable::createStatement(table, fields, defs));

    const QString longText = QString(300, QLatin1Char('x'));
    const QList<QStringList> cells = {
        {"1.234", "-7", "1.234,56", "06/12/2026", "X", "O'Brien"},
        {"", "abc", "", "", "0", "'; DROP TABLE Articulos; --"},
        {"12,6", "3,4", "0,5", "31/02/2026", "", "ñandú € ''"},
        {"1", "2", "3", "06/12/2026 14:30", "Sí", longText},
    };
    for (const QStringList& row : cells) {
        QStringList literals;
        for (int i = 0; i < types.size(); ++i)
            literals << DynamicTable::literal(types[i], row[i], false, dialect);
        db.exec(DynamicTable::insertStatement(table, literals));
    }

    auto rs = db.conn().query(QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" ORDER BY rowid"));
    const QList<QVariantList> expected = {
        {1234, -7, 1234.56, "2026-12-06", 1, "O'Brien"},
        {0, 0, 0.0, "1900-01-01", 0, "'; DROP TABLE Articulos; --"},
        {13, 3, 0.5, "1900-01-01", 0, "ñandú € ''"},
        {1, 2, 3.0, "2026-12-06 14:30", 1, longText},
    };
    for (const QVariantList& want : expected) {
        ASSERT_FALSE(rs.eof());
        EXPECT_EQ(rs.value(0).toInt(), want[0].toInt());
        EXPECT_EQ(rs.value(1).toInt(), want[1].toInt());
        EXPECT_DOUBLE_EQ(rs.value(2).toDouble(), want[2].toDouble());
        EXPECT_EQ(rs.value(3).toString(), want[3].toString());
        EXPECT_EQ(rs.value(4).toInt(), want[4].toInt());
        EXPECT_EQ(rs.value(5).toString(), want[5].toString());
        rs.moveNext();
    }
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(db.count(QStringLiteral("sqlite_master"), QStringLiteral("name = 'Articulos'")), 1);
}

TEST(DynamicTable, DatesAsTextKeepTheCellAsWritten)
{
    test::TestDatabase db;
    db.exec(DynamicTable::createStatement(QStringLiteral("temp.T"), {QStringLiteral("F")},
                                          {DynamicTable::columnDefinition(gridtype::Date, true)}));
    for (const char* cell : {"06/12/2026", "", "mañana'"})
        db.exec(DynamicTable::insertStatement(
            QStringLiteral("temp.T"), {DynamicTable::literal(gridtype::Date, QString::fromUtf8(cell), true, db.conn().dialect())}));
    auto rs = db.conn().query(QStringLiteral("SELECT F FROM temp.T ORDER BY rowid"));
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

} // namespace
