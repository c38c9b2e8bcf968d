// The monitor's figures read set-based, compared with the per-terminal
// statements the board was first specified with (kept here as the
// reference), on a fixture that mixes companies, warehouses, tills without
// terminal, other days, NULLs and every queue column.
#include "db/Connection.h"
#include "db/SqlLiteral.h"
#include "support/TestDatabase.h"
#include "terminals/TerminalStatus.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace zqvr;
using namespace zqvr::terminals;
using db::sqlInt;

namespace {

const QDate kToday(2026, 12, 6);

struct Figures {
    double venta = 0, cobro = 0, nuevas = 0;
    std::optional<long long> cola;
};

// The per-terminal statements: three or four per terminal and tick, from
// the terminal's own row.
Figures referenceFigures(db::Connection& c, int company, bool reservations, const TerminalStatus& shown)
{
    Figures f;
    const db::Dialect& d = c.dialect();
    const QString day = d.date(kToday);
    db::RecordSet row = c.query("SELECT * FROM TPVs WHERE Codigo = " + sqlInt(shown.codigo));
    EXPECT_FALSE(row.eof());
    const int codigo = row["Codigo"].toInt();
    const bool enLinea = row["EnLinea"].toBool();
    const db::Value almacenValue = row["Almacen"];
    TerminalStatus t;
    t.codigo = codigo;
    t.enLinea = enLinea;
    if (!almacenValue.isNull())
        t.almacen = almacenValue.toInt();
    row.close();
    if (t.almacen) {
        const QString almacen = sqlInt(*t.almacen);
        f.venta = c.scalar("SELECT " + d.isNull("SUM(Total)", "0") + " AS Total FROM TPV_Tickets WHERE Cod_Empresa =" +
                           sqlInt(company) + " AND Cod_Almacen =" + almacen + " AND Caja =" + sqlInt(t.codigo) +
                           " AND Fecha =" + day)
                      .toDouble();
        if (reservations) {
            f.cobro = c.scalar("SELECT " + d.isNull("SUM(Cantidad)", "0") + " AS Cantidad FROM Reservas_Historico " +
                               " WHERE Cod_Empresa = " + sqlInt(company) + " AND Caja = " + sqlInt(t.codigo) +
                               " AND Cod_Almacen = " + almacen + " AND Fecha >= " + day + " AND Fecha < " +
                               d.dateAdd("d", 1, day) + " AND Venta = 0")
                          .toDouble();
            f.nuevas = c.scalar("SELECT " + d.isNull("SUM(Total_Entregado+Total_Pendiente)", "0") +
                                " AS Total FROM Reservas WHERE Cod_Empresa = " + sqlInt(company) + " AND Caja = " +
                                sqlInt(t.codigo) + " AND Cod_Almacen = " + almacen + " AND Fecha = " + day +
                                " AND Anulado = 0")
                           .toDouble();
        }
    }
    if (!t.enLinea) {
        f.cola = 0;
    } else {
        const int k = (t.codigo - 1) / 31;
        const int b = (t.codigo - 1) - 31 * k;
        if (k <= 10) // the fixture's queue has Act to Act10
            f.cola = c.scalar("SELECT Count(*) FROM Articulos_ToPos WHERE (" +
                              (k > 0 ? QStringLiteral("Act%1").arg(k) : QStringLiteral("Act")) + " & " +
                              sqlInt(qint64(1) << b) + ") = 0")
                         .toLongLong();
    }
    return f;
}

class MonitorFigures : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.conn().beginTrans();
        // Company 1: codes at every queue edge, beyond the last column, NULLs.
        const int codes1[] = {1, 2, 3, 5, 30, 31, 32, 33, 61, 62, 63, 64, 93, 94, 150, 200, 310, 341, 342, 500};
        for (int code : codes1)
            terminal(code, 1);
        // Company 2 shares warehouses and till numbers of its own.
        for (int code : {4, 6, 34})
            terminal(code, 2);
        std::vector<int> tills = {7, 999}; // tills with no terminal
        for (int code : codes1)
            tills.push_back(code);
        for (int code : {4, 6, 34})
            tills.push_back(code);
        const QString days[] = {date(kToday), date(kToday.addDays(-1)), date(kToday.addDays(1)),
                                date(kToday.addYears(-1))};

        for (int i = 0; i < 4000; ++i)
            db.exec(QStringLiteral("INSERT INTO TPV_Tickets (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Total) "
                                   "VALUES (%1, %2, %3, %4, %5, %6)")
                        .arg(between(1, 2))
                        .arg(between(1, 4))
                        .arg(tills[size_t(between(0, int(tills.size()) - 1))])
                        .arg(days[between(0, 3)])
                        .arg(i + 1)
                        .arg(chance(5) ? QStringLiteral("NULL") : amount()));
        for (int i = 0; i < 600; ++i)
            db.exec(QStringLiteral("INSERT INTO Reservas (Cod_Empresa, Codigo, Cod_Almacen, Caja, Fecha, Anulado, "
                                   "Total_Entregado, Total_Pendiente) VALUES (%1, %2, %3, %4, %5, %6, %7, %8)")
                        .arg(between(1, 2))
                        .arg(i + 1)
                        .arg(between(1, 4))
                        .arg(tills[size_t(between(0, int(tills.size()) - 1))])
                        .arg(days[between(0, 2)])
                        .arg(chance(20) ? 1 : 0)
                        .arg(amount())
                        .arg(chance(10) ? QStringLiteral("NULL") : amount()));
        // Movements at times of the day, at midnight of the next day, and of other days.
        const QString times[] = {"'2026-12-06 09:15:00'", "'2026-12-06 20:59:59'", "'2026-12-06'",
                                 "'2026-12-07'", "'2026-12-07 00:00:00'", "'2026-12-05 23:59:59'",
                                 "'2026-12-07 10:00:00'"};
        for (int i = 0; i < 900; ++i)
            db.exec(QStringLiteral("INSERT INTO Reservas_Historico (Cod_Empresa, Codigo, Num_Entrega, Fecha, Cantidad,"
                                   " Cod_Almacen, Caja, Venta) VALUES (%1, %2, 1, %3, %4, %5, %6, %7)")
                        .arg(between(1, 2))
                        .arg(i + 1)
                        .arg(times[between(0, 6)])
                        .arg(amount())
                        .arg(between(1, 4))
                        .arg(tills[size_t(between(0, int(tills.size()) - 1))])
                        .arg(chance(30) ? 1 : 0));
        // The queue: rows every terminal took, rows with random bits, NULL columns.
        for (int i = 0; i < 3000; ++i) {
            QStringList acts;
            for (int k = 0; k <= 10; ++k) {
                if (chance(3))
                    acts << QStringLiteral("NULL");
                else if (i < 1000)
                    acts << sqlInt((qint64(1) << 31) - 1);
                else
                    acts << sqlInt(qint64(rng()) & ((qint64(1) << 31) - 1) & ~(qint64(1) << between(0, 30)));
            }
            db.exec("INSERT INTO Articulos_ToPos (Cod_Empresa, Cod_Articulo, Act, Act1, Act2, Act3, Act4, Act5, Act6,"
                    " Act7, Act8, Act9, Act10) VALUES (1, " +
                    sqlInt(i) + ", " + acts.join(", ") + ")");
        }
        db.conn().commitTrans();
    }

    void terminal(int code, int company)
    {
        const QString almacen = chance(12) ? QStringLiteral("NULL") : sqlInt(between(1, 3));
        db.exec(QStringLiteral("INSERT INTO TPVs (Codigo, Host, Descripcion, Empresa, EnLinea, Almacen, PostoServerOk,"
                               " Version, Serial) VALUES (%1, %2, 'Caja', %3, %4, %5, %6, %7, %8)")
                    .arg(code)
                    .arg(db::sqlText(QStringLiteral("PC%1").arg(code)))
                    .arg(company)
                    .arg(chance(75) ? between(1, 3) : 0) // any non-zero value is on line
                    .arg(almacen)
                    .arg(chance(50) ? 1 : 0)
                    .arg(chance(20) ? QStringLiteral("NULL") : QStringLiteral("'7.2.%1'").arg(code))
                    .arg(chance(20) ? QStringLiteral("NULL") : QStringLiteral("'SN%1'").arg(code)));
    }

    QString date(const QDate& d) { return db.conn().dialect().date(d); }
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    QString amount() { return db::sqlNumber(between(-500, 30000) / 100.0); }

    void expectSameAsReference(bool reservations)
    {
        TerminalStatusReader reader(db.conn(), 1, reservations);
        const std::vector<TerminalStatus> rows = reader.read(kToday);
        ASSERT_EQ(rows.size(), size_t(db.count("TPVs", "Empresa = 1")));
        int previous = 0;
        bool someSales = false, someQueue = false, someCollections = false;
        for (const TerminalStatus& t : rows) {
            SCOPED_TRACE(t.codigo);
            EXPECT_GT(t.codigo, previous); // code order
            previous = t.codigo;
            const Figures ref = referenceFigures(db.conn(), 1, reservations, t);
            EXPECT_NEAR(t.ventaDia, ref.venta, 1e-6);
            EXPECT_NEAR(t.cobroReservas, ref.cobro, 1e-6);
            EXPECT_NEAR(t.reservasNuevas, ref.nuevas, 1e-6);
            if (t.codigo > 341 && t.enLinea)
                EXPECT_FALSE(t.cola.has_value()); // no queue column for it
            else
                EXPECT_EQ(t.cola, ref.cola);
            someSales |= t.ventaDia != 0;
            someQueue |= t.cola.value_or(0) != 0;
            someCollections |= t.cobroReservas != 0;
        }
        // The fixture must exercise the figures, or the comparison proves nothing.
        EXPECT_TRUE(someSales);
        EXPECT_TRUE(someQueue);
        EXPECT_EQ(someCollections, reservations);
    }

    test::TestDatabase db;
    std::mt19937 rng{20261206};
};

} // namespace

TEST(QueueSlots, EdgesOfTheQueueColumns)
{
    EXPECT_EQ(queueSlot(1), (QueueSlot{0, 0}));
    EXPECT_EQ(queueSlot(31), (QueueSlot{0, 30}));
    EXPECT_EQ(queueSlot(32), (QueueSlot{1, 0}));
    EXPECT_EQ(queueSlot(62), (QueueSlot{1, 30}));
    EXPECT_EQ(queueSlot(63), (QueueSlot{2, 0}));
    EXPECT_EQ(queueSlot(341), (QueueSlot{10, 30}));
    EXPECT_FALSE(queueSlot(0).has_value());
    EXPECT_FALSE(queueSlot(-4).has_value());
    EXPECT_EQ(queueColumnName(0), "Act");
    EXPECT_EQ(queueColumnName(10), "Act10");
}

TEST_F(MonitorFigures, SetBasedFiguresEqualThePerTerminalStatements)
{
    ASSERT_NO_FATAL_FAILURE(expectSameAsReference(true));
}

TEST_F(MonitorFigures, WithoutReservationsOnlySalesAndQueueAreRead)
{
    ASSERT_NO_FATAL_FAILURE(expectSameAsReference(false));
}

TEST_F(MonitorFigures, TerminalsWithNullsShowEmptyTextsAndNoSales)
{
    db.exec("UPDATE TPVs SET Almacen = NULL, Version = NULL, Serial = NULL, Host = NULL, EnLinea = NULL WHERE Codigo = 2");
    db.exec("INSERT INTO TPV_Tickets (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Total) VALUES (1, 0, 2, " +
            date(kToday) + ", 99999, 50)");
    const std::vector<TerminalStatus> rows = TerminalStatusReader(db.conn(), 1, true).read(kToday);
    const auto it = std::find_if(rows.begin(), rows.end(), [](const TerminalStatus& t) { return t.codigo == 2; });
    ASSERT_NE(it, rows.end());
    EXPECT_FALSE(it->almacen.has_value());
    EXPECT_EQ(it->host, QString());
    EXPECT_EQ(it->version, QString());
    EXPECT_EQ(it->serial, QString());
    EXPECT_FALSE(it->enLinea);
    EXPECT_EQ(it->cola, 0);
    EXPECT_EQ(it->ventaDia, 0.0);
}

TEST_F(MonitorFigures, AQueueWithoutATerminalsColumnLeavesOnlyThatCountEmpty)
{
    db.exec("UPDATE TPVs SET EnLinea = 1");
    db.exec("ALTER TABLE Articulos_ToPos DROP COLUMN Act2");
    const std::vector<TerminalStatus> rows = TerminalStatusReader(db.conn(), 1, false).read(kToday);
    for (const TerminalStatus& t : rows) {
        SCOPED_TRACE(t.codigo);
        const int column = (t.codigo - 1) / 31;
        if (column == 2 || column > 10) {
            EXPECT_FALSE(t.cola.has_value());
        } else {
            ASSERT_TRUE(t.cola.has_value());
            EXPECT_EQ(*t.cola, *referenceFigures(db.conn(), 1, false, t).cola);
        }
    }
}

TEST_F(MonitorFigures, ACompanyWithoutTerminalsHasNoRows)
{
    EXPECT_TRUE(TerminalStatusReader(db.conn(), 9, true).read(kToday).empty());
    EXPECT_EQ(TerminalStatusReader(db.conn(), 9, true).salesOfDay(kToday), 0.0);
}

// A collection made at exactly midnight belongs to the day that starts then,
// whether the time is stored or only the date; the board and the
// per-terminal statement count it once.
TEST(MonitorCollections, ACollectionAtMidnightCountsOnItsOwnDayOnly)
{
    test::TestDatabase db;
    db.exec("INSERT INTO TPVs (Codigo, Empresa, Almacen) VALUES (1, 1, 1)");
    db.exec("INSERT INTO Reservas_Historico (Cod_Empresa, Codigo, Num_Entrega, Fecha, Cantidad, Cod_Almacen, Caja, Venta)"
            " VALUES (1, 1, 1, '2026-12-06 00:00:00', 1, 1, 1, 0), (1, 1, 2, '2026-12-06 23:59:59', 2, 1, 1, 0),"
            " (1, 2, 1, '2026-12-07', 10, 1, 1, 0), (1, 3, 1, '2026-12-07 00:00:00', 100, 1, 1, 0)");
    const auto collected = [&](const QDate& day) {
        const std::vector<TerminalStatus> rows = TerminalStatusReader(db.conn(), 1, true).read(day);
        EXPECT_EQ(rows.size(), 1u);
        return rows.empty() ? -1.0 : rows.front().cobroReservas;
    };
    EXPECT_DOUBLE_EQ(collected(QDate(2026, 12, 6)), 3.0);
    EXPECT_DOUBLE_EQ(collected(QDate(2026, 12, 7)), 110.0);
    TerminalStatus t;
    t.codigo = 1;
    EXPECT_DOUBLE_EQ(referenceFigures(db.conn(), 1, true, t).cobro, 3.0); // the reference's day is kToday

    // The server's statement has the same half-open day.
    auto recorder = db::Connection::open(QStringLiteral("record:sqlserver"));
    const QString sql = TerminalStatusReader(*recorder, 1, true).collectionsSql(kToday);
    EXPECT_TRUE(sql.contains(QStringLiteral("Fecha >= '06/12/2026' AND Fecha < DATEADD(d,1,'06/12/2026')")))
        << sql.toStdString();
}

TEST(MonitorComparisonSales, DaySalesOfTheWarehousesOfTheCompanysTerminals)
{
    test::TestDatabase db;
    db.exec("INSERT INTO TPVs (Codigo, Empresa, Almacen) VALUES (1, 1, 1), (2, 1, 2), (3, 2, 3)");
    const QString day = db.conn().dialect().date(QDate(2025, 12, 7));
    const QString other = db.conn().dialect().date(QDate(2025, 12, 6));
    db.exec("INSERT INTO Articulos_Ventas_Dia (Cod_Empresa, Cod_Almacen, Fecha, Cod_Articulo, Importe_Pvp) VALUES"
            " (1, 1, " + day + ", 1, 10.25), (1, 2, " + day + ", 1, 5.5), (1, 2, " + day + ", 2, 4.25),"
            " (1, 3, " + day + ", 1, 100),"   // a warehouse with terminals of another company only
            " (2, 1, " + day + ", 1, 1000),"  // another company
            " (1, 1, " + other + ", 1, 7)");  // another day
    EXPECT_DOUBLE_EQ(TerminalStatusReader(db.conn(), 1, false).salesOfDay(QDate(2025, 12, 7)), 20.0);
    EXPECT_DOUBLE_EQ(TerminalStatusReader(db.conn(), 1, false).salesOfDay(QDate(2025, 12, 8)), 0.0);
}
