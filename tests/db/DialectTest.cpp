// The constructs that differ between engines: the SQL Server text must be the
// suite's own, and the embedded file's and PostgreSQL's text must give the
// same results when it runs (the "Dialect" cases run on both).
#include "db/Connection.h"
#include "db/Dialect.h"
#include "db/SelectParts.h"
#include "db/SqlLiteral.h"
#include "db/Error.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace zqvr;
using zqvr::test::TestDatabase;

namespace {

// The value of a date expression as "yyyy-MM-dd" or "yyyy-MM-dd HH:mm:ss":
// SQL Server and PostgreSQL give a date-time for DATEADD of a date, the
// embedded file keeps a date a date; the moment is what must agree.
QString one(db::Connection& c, const QString& expr)
{
    const QDateTime v = c.scalar(QStringLiteral("SELECT ") + expr).toDateTime();
    return v.time() == QTime(0, 0) ? v.date().toString(Qt::ISODate) : v.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace

// Day-first dates and the shapes the server parses; the rest of the server's
// text is checked statement by statement where the screens build it.
TEST(SqlServerDialect, RendersTheSuitesOwnStatementText)
{
    const db::SqlServerDialect d;
    EXPECT_EQ(d.date(QDate(2026, 1, 6)), "'06/01/2026'");
    EXPECT_EQ(d.dateTime(QDateTime(QDate(2026, 12, 6), QTime(9, 5))), "'06/12/2026 09:05'");
    EXPECT_EQ(d.dateShortYear(QDate(2026, 12, 6)), "'06/12/26'");
    EXPECT_EQ(d.time(QTime(7, 3)), "'07:03'");
    EXPECT_EQ(d.selectTop(1, "Codigo FROM TPVs WHERE Codigo < 5 ORDER BY Codigo DESC"),
              "SELECT TOP 1 Codigo FROM TPVs WHERE Codigo < 5 ORDER BY Codigo DESC");
    EXPECT_EQ(d.dateAdd("d", 1, "'06/12/2026'"), "DATEADD(d,1,'06/12/2026')");
    EXPECT_EQ(d.lastIdentity(), "SCOPE_IDENTITY()");
    EXPECT_EQ(d.deleteJoin("SGD_Controles_Grupos", "cg",
                           "INNER JOIN SGD_Controles c ON cg.Cod_Control=c.Cod_Control WHERE c.TabIndex=-1"),
              "DELETE cg FROM SGD_Controles_Grupos cg INNER JOIN SGD_Controles c ON cg.Cod_Control=c.Cod_Control"
              " WHERE c.TabIndex=-1");
    EXPECT_EQ(d.ticketLineIsKit("tl.Cod_Empresa", "tl.Cod_Almacen", "tl.Caja", "tl.Fecha", "tl.Codigo", "tl.Num_Linea"),
              "dbo.fn_TPVTicketsLineasEsKit(tl.Cod_Empresa,tl.Cod_Almacen,tl.Caja,tl.Fecha, tl.Codigo, tl.Num_Linea)");
    // A picture is written around the SELECT's own FROM and condition, kept as written.
    EXPECT_EQ(d.updateFromSelect(db::splitSelect("SELECT g.Imagen FROM TPV_CfgPantalla_Grupos g WHERE g.Descripcion = 'g.x WHERE'"),
                                 "Imagen"),
              "UPDATE g SET Imagen = ? FROM TPV_CfgPantalla_Grupos g WHERE g.Descripcion = 'g.x WHERE'");
}

TEST(SQLiteDialect, DatesAreIsoTextThatSortsChronologically)
{
    ZQVR_SQLITE_ONLY();
    TestDatabase db;
    const db::Dialect& d = db.conn().dialect();
    EXPECT_EQ(d.date(QDate(2026, 1, 6)), "'2026-01-06'");
    EXPECT_EQ(d.dateTime(QDateTime(QDate(2026, 12, 6), QTime(14, 30))), "'2026-12-06 14:30'");
    // Day-first text would put 02/01/2027 before 31/12/2026; ISO text does not.
    db.exec("INSERT INTO Reservas (Cod_Empresa, Codigo, Fecha) VALUES (1, 1, " + d.date(QDate(2026, 12, 31)) + ")");
    db.exec("INSERT INTO Reservas (Cod_Empresa, Codigo, Fecha) VALUES (1, 2, " + d.date(QDate(2027, 1, 2)) + ")");
    EXPECT_EQ(db.count("Reservas", "Fecha BETWEEN " + d.date(QDate(2026, 12, 30)) + " AND " + d.date(QDate(2027, 1, 1))), 1);
    EXPECT_EQ(db.conn().scalar("SELECT Codigo FROM Reservas ORDER BY Fecha DESC").toInt(), 2);
}

TEST(Dialect, DateAddFollowsSqlServerAcrossMonthAndYearEnds)
{
    TestDatabase db;
    auto& c = db.conn();
    const db::Dialect& d = c.dialect();
    const QString jan31 = d.date(QDate(2026, 1, 31));
    EXPECT_EQ(one(c, d.dateAdd("d", 1, jan31)), "2026-02-01");
    EXPECT_EQ(one(c, d.dateAdd("d", -31, jan31)), "2025-12-31");
    EXPECT_EQ(one(c, d.dateAdd("day", 1, d.date(QDate(2026, 12, 31)))), "2027-01-01");
    // A month later than 31 January is the last day of February, not 3 March.
    EXPECT_EQ(one(c, d.dateAdd("m", 1, jan31)), "2026-02-28");
    EXPECT_EQ(one(c, d.dateAdd("m", 1, d.date(QDate(2028, 1, 31)))), "2028-02-29");
    EXPECT_EQ(one(c, d.dateAdd("m", -1, d.date(QDate(2026, 3, 31)))), "2026-02-28");
    EXPECT_EQ(one(c, d.dateAdd("m", 1, d.date(QDate(2026, 1, 15)))), "2026-02-15");
    EXPECT_EQ(one(c, d.dateAdd("yy", -1, d.date(QDate(2028, 2, 29)))), "2027-02-28");
    EXPECT_EQ(one(c, d.dateAdd("yy", -1, d.date(QDate(2026, 12, 6)))), "2025-12-06");
    // A date-time keeps its time of day.
    EXPECT_EQ(one(c, d.dateAdd("d", 1, d.dateTime(QDateTime(QDate(2026, 12, 6), QTime(14, 30))))), "2026-12-07 14:30:00");
    EXPECT_EQ(one(c, d.dateAdd("m", 1, d.dateTime(QDateTime(QDate(2026, 1, 31), QTime(23, 59))))), "2026-02-28 23:59:00");
    EXPECT_EQ(one(c, d.dateAdd("hh", 2, d.dateTime(QDateTime(QDate(2026, 12, 6), QTime(23, 0))))), "2026-12-07 01:00:00");
    EXPECT_EQ(one(c, d.dateAdd("mi", -30, d.dateTime(QDateTime(QDate(2026, 12, 6), QTime(0, 10))))), "2026-12-05 23:40:00");
}

TEST(Dialect, DayRangeWithDateAddTakesTheWholeDayOfDateTimes)
{
    // The monitor sums a day's reservation payments with
    // Fecha BETWEEN 'today' AND DATEADD(d,1,'today').
    TestDatabase db;
    const db::Dialect& d = db.conn().dialect();
    const QString today = d.date(QDate(2026, 12, 6));
    db.exec("INSERT INTO Reservas_Historico (Cod_Empresa, Codigo, Num_Entrega, Fecha, Cantidad) VALUES"
            " (1, 1, 1, '2026-12-05 23:59:59', 1), (1, 1, 2, '2026-12-06 09:00:00', 10),"
            " (1, 1, 3, '2026-12-06 21:45:00', 100), (1, 1, 4, '2026-12-07 10:00:00', 1000)");
    EXPECT_EQ(db.conn()
                  .scalar("SELECT " + d.isNull("SUM(Cantidad)", "0") + " FROM Reservas_Historico WHERE Fecha BETWEEN " +
                          today + " AND " + d.dateAdd("d", 1, today))
                  .toInt(),
              110);
}

TEST(Dialect, YearIsAnIntegerForDatesAndDateTimes)
{
    TestDatabase db;
    const db::Dialect& d = db.conn().dialect();
    db.exec("INSERT INTO TPV_Contador_Ticket_Caja (Fecha, Codigo) VALUES ('2025-12-31', 7), ('2026-01-01', 3)");
    EXPECT_EQ(db.conn().scalar("SELECT Codigo FROM TPV_Contador_Ticket_Caja WHERE " + d.year("Fecha") + " = 2026").toInt(), 3);
    // strftime gives text, and SQLite never finds text equal to a number.
    EXPECT_EQ(db.conn().scalar("SELECT CASE WHEN " + d.year("'2025-12-31 23:59:59'") + " = 2025 THEN 1 ELSE 0 END").toInt(), 1);
}

TEST(Dialect, TopInASubqueryHonoursItsOrder)
{
    TestDatabase db;
    const db::Dialect& d = db.conn().dialect();
    db.exec("INSERT INTO TPVs (Codigo, Host) VALUES (1, 'A'), (2, 'B'), (4, 'C'), (7, 'D')");
    auto previous = [&](int n) {
        return db.conn().scalar("SELECT Host FROM TPVs WHERE Codigo IN (" +
                                d.selectTop(1, QStringLiteral("Codigo FROM TPVs WHERE Codigo < %1 ORDER BY Codigo DESC").arg(n)) +
                                ")");
    };
    EXPECT_EQ(previous(7).toString(), "C");
    EXPECT_TRUE(previous(1).isNull());
    EXPECT_EQ(db.conn().scalar(d.selectTop(1, "Host FROM TPVs ORDER BY Codigo ASC")).toString(), "A");
}

TEST(Dialect, TopKeepsPercentDigitsOfASearchPatternIntact)
{
    // A user searching for "1" gives the pattern '%1%': it must reach the
    // engine as typed, not be taken for a placeholder while the text is built.
    TestDatabase db;
    db.exec("INSERT INTO TPVs (Codigo, Host) VALUES (1, 'PC10'), (2, 'PC20'), (3, 'PC11')");
    const QString rest = "COUNT(*) FROM TPVs WHERE Host LIKE " + db::sqlLikePattern("*1*");
    EXPECT_EQ(db.conn().scalar(db.conn().dialect().selectTop(5, rest)).toInt(), 2);
    const QString dateTimeShift =
        db.conn().dialect().dateAdd("hh", 1, db.conn().dialect().dateTime(QDateTime(QDate(2026, 12, 6), QTime(10, 0))));
    EXPECT_EQ(one(db.conn(), dateTimeShift), "2026-12-06 11:00:00");
}

TEST(Dialect, DeleteJoinRemovesOnlyTheJoinedRows)
{
    TestDatabase db;
    const db::Dialect& d = db.conn().dialect();
    db.exec("INSERT INTO SGD_Controles (Cod_Formulario, Cod_Control, Nombre, Indice, TabIndex) VALUES"
            " (1, 1, 'cmdAceptar', '', -1), (1, 2, 'txtClave', '', 3), (2, 1, 'cmdAceptar', '', 4)");
    db.exec("INSERT INTO SGD_Controles_Grupos (Cod_Grupo, Cod_Formulario, Cod_Control, Permiso) VALUES"
            " (0, 1, 1, 1), (3, 1, 1, 2), (3, 1, 2, 2), (3, 2, 1, 2)");
    const int n = db.conn().execute(d.deleteJoin("SGD_Controles_Grupos", "cg",
                                                 "INNER JOIN SGD_Controles c ON cg.Cod_Formulario=c.Cod_Formulario"
                                                 " AND cg.Cod_Control=c.Cod_Control WHERE c.TabIndex=-1"));
    EXPECT_EQ(n, 2);
    EXPECT_EQ(db.count("SGD_Controles_Grupos"), 2);
    EXPECT_EQ(db.count("SGD_Controles_Grupos", "Cod_Formulario = 1 AND Cod_Control = 1"), 0);
}

TEST(Dialect, GlobalTemporaryTableLivesOnlyInItsConnection)
{
    TestDatabase db(TestDatabase::File);
    const db::Dialect& d = db.conn().dialect();
    const QString t = d.globalTempTable("TablaDinamica_52312");
    db.exec("CREATE TABLE " + t + " (Col1 VARCHAR(255) NOT NULL DEFAULT(''), Col2 NUMERIC(19,4) NOT NULL DEFAULT(0))");
    db.exec("INSERT INTO " + t + " VALUES ('O''Donnell', 12.5)");
    auto rs = db.conn().query("SELECT * FROM " + t);
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs["Col1"].toString(), "O'Donnell");
    EXPECT_DOUBLE_EQ(rs["Col2"].toDouble(), 12.5);
    rs.close();
    // Another connection to the same file does not see it.
    auto other = db.openAnother();
    EXPECT_THROW(other->query("SELECT * FROM " + t), Error);
    db.exec("DROP TABLE " + t);
    EXPECT_THROW(db.conn().query("SELECT * FROM " + t), Error);
}

TEST(Dialect, KitFunctionCountsTheCompositionOfThatLineOnly)
{
    TestDatabase db;
    const db::Dialect& d = db.conn().dialect();
    // Ticket 5 of till 1 on 6 December, line 2 is a kit of three parts; the
    // same ticket number on till 2 and on another day must not count.
    db.exec("INSERT INTO TPV_Tickets_Lineas (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Num_Linea, Cod_Articulo) VALUES"
            " (1, 1, 1, '2026-12-06', 5, 1, 10), (1, 1, 1, '2026-12-06', 5, 2, 20)");
    db.exec("INSERT INTO TPV_Tickets_KitComposicion (Cod_Empresa, Cod_almacen, Caja, Fecha, Codigo, Num_Linea, Cod_Articulo, Cantidad) VALUES"
            " (1, 1, 1, '2026-12-06', 5, 2, 101, 1), (1, 1, 1, '2026-12-06', 5, 2, 102, 1), (1, 1, 1, '2026-12-06', 5, 2, 103, 2),"
            " (1, 1, 2, '2026-12-06', 5, 1, 101, 1), (1, 1, 1, '2026-12-05', 5, 1, 101, 1)");
    auto rs = db.conn().query("SELECT tl.Num_Linea, " +
                              d.ticketLineIsKit("tl.Cod_Empresa", "tl.Cod_Almacen", "tl.Caja", "tl.Fecha", "tl.Codigo", "tl.Num_Linea") +
                              " Kit FROM TPV_Tickets_Lineas tl ORDER BY tl.Num_Linea");
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs["Kit"].toInt(), 0);
    rs.moveNext();
    EXPECT_EQ(rs["Kit"].toInt(), 3);
}

TEST(Dialect, LastIdentityAndServerNameRunAsTheSuitesQueriesDo)
{
    TestDatabase db;
    auto& c = db.conn();
    const db::Dialect& d = c.dialect();
    c.execute("INSERT INTO TPV_Gestor_Mensajes_Historico (Cod_Empresa, Cod_Mensaje, Origen, Operacion) VALUES (1, 1, 0, 'A')");
    c.execute("INSERT INTO TPV_Gestor_Mensajes_Historico (Cod_Empresa, Cod_Mensaje, Origen, Operacion) VALUES (1, 1, 0, 'M')");
    const int id = c.scalar("SELECT " + d.isNull(d.lastIdentity(), "0") + " AS Id").toInt();
    EXPECT_EQ(c.scalar(QStringLiteral("SELECT Operacion FROM TPV_Gestor_Mensajes_Historico WHERE Id = %1").arg(id)).toString(), "M");
    if (c.isPostgreSQL()) {
        // The server answers with the address it was reached on.
        EXPECT_EQ(c.scalar("SELECT " + d.isNull(d.serverName(), "''")).toString(), "127.0.0.1");
        return;
    }
    EXPECT_EQ(c.scalar("SELECT " + d.isNull(d.serverName(), "''")).toString(), "localhost");
    c.setServerName("BREVANTO-DEV");
    EXPECT_EQ(c.scalar("SELECT " + d.isNull(c.dialect().serverName(), "''")).toString(), "BREVANTO-DEV");
}
