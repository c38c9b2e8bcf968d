// The terminal record on its own: saving, loading and stepping through
// TPVs, and handing out ticket numbers from the counter.
#include "terminals/clsTPV.h"

#include "db/Error.h"
#include "support/FailingTrigger.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <latch>
#include <set>
#include <thread>

using zqvr::Error;
using zqvr::terminals::clsTPV;
using zqvr::test::TestDatabase;
using zqvr::test::dropFailingTrigger;
using zqvr::test::failingTrigger;

namespace {

class TerminalRecord : public ::testing::Test {
protected:
    clsTPV terminal(qint16 code, const QString& host = QStringLiteral("PC"), qint16 company = 1,
                    bool emergency = false)
    {
        clsTPV t;
        t.setConexion(&db.conn());
        t.setCodigo(code);
        t.setHost(host);
        t.setDescripcion(QStringLiteral("Caja %1").arg(code));
        t.setEmpresa(company);
        t.setTarifaPVP(2);
        t.setTarifaProm(3);
        t.setEnLinea(1);
        t.setAlmacen(4);
        t.setEmergencia(emergency);
        return t;
    }
    void addRow(int code, int company = 1, int emergency = 0)
    {
        db.exec(QStringLiteral("INSERT INTO TPVs (Codigo, Host, Descripcion, Empresa, Emergencia)"
                               " VALUES (%1, 'PC%1', 'Caja %1', %2, %3)")
                    .arg(code)
                    .arg(company)
                    .arg(emergency));
    }
    QString column(int code, const QString& col)
    {
        return db.conn().scalar(QStringLiteral("SELECT %1 FROM TPVs WHERE Codigo = %2").arg(col).arg(code)).toString();
    }

    TestDatabase db;
};

TEST_F(TerminalRecord, SavingANewCodeInsertsItAndSavingAgainUpdatesTheSameRow)
{
    const QString desc = QStringLiteral("Caja 'principal' 100%_*; DROP TABLE TPVs; --");
    clsTPV t = terminal(7, QStringLiteral("PC07"));
    t.setDescripcion(desc);
    t.Modificar();
    EXPECT_EQ(db.count("TPVs"), 1);
    EXPECT_EQ(column(7, "Host"), "PC07");
    EXPECT_EQ(column(7, "TarifaPVP"), "2");
    EXPECT_EQ(column(7, "TarifaProm"), "3");
    EXPECT_EQ(column(7, "Almacen"), "4");
    EXPECT_EQ(column(7, "EnLinea"), "1");

    t.setHost(QStringLiteral("O'Brien"));
    t.setEnLinea(0);
    t.Modificar();
    EXPECT_EQ(db.count("TPVs"), 1);
    EXPECT_EQ(column(7, "EnLinea"), "0");

    // Texts come back exactly as typed, quotes and wildcards included.
    clsTPV back;
    back.setConexion(&db.conn());
    back.setCodigo(7);
    ASSERT_TRUE(back.Cargar());
    EXPECT_EQ(back.Host(), "O'Brien");
    EXPECT_EQ(back.Descripcion(), desc);
}

TEST_F(TerminalRecord, SavingTheEmergencyTerminalClearsTheFlagOnEveryOtherWhateverItsCompany)
{
    addRow(1, 1, 1);
    addRow(2, 2, 1);
    addRow(4, 3, 0);
    terminal(3, "PC03", 1, true).Modificar();
    EXPECT_EQ(db.count("TPVs", "Emergencia <> 0"), 1);
    EXPECT_EQ(column(3, "Emergencia"), "1");

    // Saving another terminal without the flag leaves the emergency terminal alone.
    terminal(4, "PC04", 3, false).Modificar();
    terminal(5, "PC05", 1, false).Modificar();
    EXPECT_EQ(db.count("TPVs", "Emergencia <> 0"), 1);
    EXPECT_EQ(column(3, "Emergencia"), "1");
}

TEST_F(TerminalRecord, AFailedSaveWritesNothingAndNamesTheOperation)
{
    addRow(1, 1, 1);
    // The clearing of the other emergency terminal fails after the insert went through.
    failingTrigger(db, "no_clear", "BEFORE UPDATE OF Emergencia", "TPVs", "no se puede quitar",
                   "OLD.Emergencia = 1 AND NEW.Emergencia = 0");
    clsTPV t = terminal(3, "PC03", 1, true);
    try {
        t.Modificar();
        FAIL() << "the save should have failed";
    } catch (const Error& e) {
        EXPECT_EQ(e.source(), "clsTPV::Modificar");
        EXPECT_TRUE(e.description().contains("no se puede quitar")) << e.description().toStdString();
    }
    EXPECT_EQ(db.count("TPVs", "Codigo = 3"), 0);
    EXPECT_EQ(column(1, "Emergencia"), "1");
    EXPECT_EQ(db.conn().transactionDepth(), 0);

    // A failing update ends the save before any insert is tried.
    dropFailingTrigger(db, "no_clear", "TPVs");
    failingTrigger(db, "no_update", "BEFORE UPDATE", "TPVs", "bloqueado");
    clsTPV existing = terminal(1, "OTRO", 1, false);
    EXPECT_THROW(existing.Modificar(), Error);
    EXPECT_EQ(column(1, "Host"), "PC1");
    EXPECT_EQ(db.count("TPVs"), 1);
}

TEST_F(TerminalRecord, EveryOperationReRaisesWithItsOwnSource)
{
    addRow(5);
    db.exec("DROP TABLE TPVs");
    clsTPV t = terminal(5);
    auto sourceOf = [](auto&& f) {
        try {
            f();
        } catch (const Error& e) {
            return e.source();
        }
        return QStringLiteral("<no error>");
    };
    EXPECT_EQ(sourceOf([&] { t.Modificar(); }), "clsTPV::Modificar");
    EXPECT_EQ(sourceOf([&] { t.Insertar(); }), "clsTPV::Insertar");
    EXPECT_EQ(sourceOf([&] { t.Eliminar(); }), "clsTPV::Eliminar");
    EXPECT_EQ(sourceOf([&] { t.Cargar(); }), "clsTPV::Cargar");
    EXPECT_EQ(sourceOf([&] { t.Cargar_Anterior(); }), "clsTPV::Cargar_Anterior");
    EXPECT_EQ(sourceOf([&] { t.Cargar_Primero(); }), "clsTPV::Cargar_Primero");
    EXPECT_EQ(sourceOf([&] { t.Dev_CodigoTicket(true, false, QDate(2026, 1, 1)); }),
              "clsTPV::Dev_CodigoTicket"); // no till connection given
}

TEST_F(TerminalRecord, DeletingATerminalAnotherUserDeletedSaysSo)
{
    addRow(5);
    addRow(6);
    clsTPV t = terminal(5);
    t.Eliminar();
    try {
        t.Eliminar();
        ADD_FAILURE() << "a terminal that is gone was deleted again silently";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), zqvr::errc::RowDeleted);
        EXPECT_EQ(e.description(), "El TPV 5 ya no existe: otro usuario lo ha eliminado.");
        EXPECT_EQ(e.source(), "clsTPV::Eliminar");
    }
    EXPECT_EQ(db.count("TPVs"), 1);
}

TEST_F(TerminalRecord, LoadingCopiesEveryColumnAndReadsFlagsAsBooleans)
{
    db.exec("INSERT INTO TPVs (Codigo, Host, Descripcion, Empresa, TarifaPVP, TarifaProm, EnLinea, Almacen,"
            " Emergencia) VALUES (12, 'PC12', 'Barra', 2, 30, 31, 5, 6, 1)");
    clsTPV t;
    t.setConexion(&db.conn());
    t.setCodigo(12);
    ASSERT_TRUE(t.Cargar());
    EXPECT_EQ(t.Host(), "PC12");
    EXPECT_EQ(t.Descripcion(), "Barra");
    EXPECT_EQ(t.Empresa(), 2);
    EXPECT_EQ(t.TarifaPVP(), 30);
    EXPECT_EQ(t.TarifaProm(), 31);
    EXPECT_EQ(t.EnLinea(), 1); // any non-zero value is on line
    EXPECT_EQ(t.Almacen(), 6);
    EXPECT_TRUE(t.Emergencia());

    // Loading into a target leaves the source alone and starts from the target's code.
    addRow(20);
    clsTPV dest;
    dest.setCodigo(20);
    ASSERT_TRUE(t.Cargar(&dest));
    EXPECT_EQ(dest.Host(), "PC20");
    EXPECT_FALSE(dest.Emergencia());
    EXPECT_EQ(t.Codigo(), 12);
    EXPECT_EQ(t.Host(), "PC12");
}

TEST_F(TerminalRecord, SteppingWalksAllCompaniesInCodeOrderAndStopsAtTheEnds)
{
    clsTPV t;
    t.setConexion(&db.conn());
    // With no terminals at all there is nothing to go to.
    EXPECT_FALSE(t.Cargar_Primero());
    EXPECT_FALSE(t.Cargar_Ultimo());

    addRow(9, 2);
    addRow(2, 1);
    addRow(5, 3);

    ASSERT_TRUE(t.Cargar_Primero());
    EXPECT_EQ(t.Codigo(), 2);
    EXPECT_EQ(t.Host(), "PC2");
    ASSERT_TRUE(t.Cargar_Siguiente());
    EXPECT_EQ(t.Codigo(), 5);
    ASSERT_TRUE(t.Cargar_Siguiente());
    EXPECT_EQ(t.Codigo(), 9);
    EXPECT_EQ(t.Empresa(), 2);

    // Past the last: false and nothing touched, even fields edited since the load.
    t.setDescripcion(QStringLiteral("sin guardar"));
    EXPECT_FALSE(t.Cargar_Siguiente());
    EXPECT_EQ(t.Codigo(), 9);
    EXPECT_EQ(t.Host(), "PC9");
    EXPECT_EQ(t.Descripcion(), "sin guardar");

    ASSERT_TRUE(t.Cargar_Anterior());
    EXPECT_EQ(t.Codigo(), 5);
    ASSERT_TRUE(t.Cargar_Anterior());
    EXPECT_EQ(t.Codigo(), 2);
    EXPECT_FALSE(t.Cargar_Anterior());
    EXPECT_EQ(t.Codigo(), 2);
    EXPECT_EQ(t.Host(), "PC2");

    ASSERT_TRUE(t.Cargar_Ultimo());
    EXPECT_EQ(t.Codigo(), 9);

    // From a code that has no row, stepping goes to its neighbours.
    t.setCodigo(6);
    ASSERT_TRUE(t.Cargar_Anterior());
    EXPECT_EQ(t.Codigo(), 5);
}

// ---- ticket numbers ----

class TicketCounter : public ::testing::Test {
protected:
    qint32 next(bool take, bool continuous, const QDate& d)
    {
        clsTPV t;
        t.setConexionTpv(&db.conn());
        return t.Dev_CodigoTicket(take, continuous, d);
    }
    TestDatabase db;
};

TEST_F(TicketCounter, ADateWithoutCounterStartsAtOneAndTakingNumbersCountsUp)
{
    const QDate day(2026, 12, 6);
    EXPECT_EQ(next(false, false, day), 1);
    EXPECT_EQ(db.count("TPV_Contador_Ticket_Caja"), 0) << "looking must not create the counter";

    EXPECT_EQ(next(true, false, day), 1);
    EXPECT_EQ(db.count("TPV_Contador_Ticket_Caja"), 1);
    EXPECT_EQ(next(true, false, day), 2);

    // Looking shows the number the next ticket gets, without taking it.
    EXPECT_EQ(next(false, false, day), 3);
    EXPECT_EQ(next(false, false, day), 3);
    EXPECT_EQ(next(true, false, day), 3);

    // Another day has its own counter.
    EXPECT_EQ(next(true, false, day.addDays(1)), 1);
    EXPECT_EQ(next(true, false, day), 4);
}

TEST_F(TicketCounter, ContinuousNumberingCountsThroughTheYear)
{
    EXPECT_EQ(next(true, true, QDate(2026, 3, 1)), 1);
    EXPECT_EQ(next(true, true, QDate(2026, 3, 2)), 2);
    EXPECT_EQ(next(true, true, QDate(2026, 11, 30)), 3);
    EXPECT_EQ(db.count("TPV_Contador_Ticket_Caja"), 1);
    EXPECT_EQ(next(false, true, QDate(2026, 1, 1)), 4);

    // A new year starts again.
    EXPECT_EQ(next(true, true, QDate(2027, 1, 2)), 1);
    EXPECT_EQ(next(true, true, QDate(2026, 12, 31)), 4);
}

TEST_F(TicketCounter, ContinuousNumberingMovesOnlyTheRowItReadWhenTheYearHoldsSeveral)
{
    // Days counted separately before the till switched to continuous numbering.
    db.exec("INSERT INTO TPV_Contador_Ticket_Caja (Fecha, Codigo) VALUES ('2026-03-01', 7), ('2026-03-02', 7)");
    const qint32 taken = next(true, true, QDate(2026, 3, 5));
    EXPECT_EQ(taken, 8);
    EXPECT_EQ(db.count("TPV_Contador_Ticket_Caja", "Codigo = 8"), 1);
    EXPECT_EQ(db.count("TPV_Contador_Ticket_Caja", "Codigo = 7"), 1);
}

TEST_F(TicketCounter, TillsTakingNumbersOfTheSameDateAtOnceNeverShareOne)
{
    TestDatabase file(TestDatabase::File);
    const QString where = file.connectionString();
    const QDate day(2026, 12, 6);
    // The server takes four back offices asking 200 times each.
    constexpr int tills = 4;
    const int perTill = zqvr::test::onServer() ? 200 : 60;
    std::latch ready(tills);

    std::vector<qint32> got[tills];
    QString failure[tills];
    auto till = [&](int i) {
        // Each thread uses a connection of its own, opened in that thread.
        std::unique_ptr<zqvr::db::Connection> conn;
        try {
            conn = zqvr::db::Connection::open(where);
        } catch (const Error& e) {
            failure[i] = e.description();
        }
        ready.arrive_and_wait(); // all start asking at the same moment
        if (!conn)
            return;
        try {
            clsTPV t;
            t.setConexionTpv(conn.get());
            for (int n = 0; n < perTill; ++n)
                got[i].push_back(t.Dev_CodigoTicket(true, false, day));
        } catch (const Error& e) {
            failure[i] = e.source() + QStringLiteral(": ") + e.description();
        }
    };
    std::vector<std::thread> threads;
    for (int i = 0; i < tills; ++i)
        threads.emplace_back(till, i);
    for (auto& t : threads)
        t.join();

    std::vector<qint32> all;
    for (int i = 0; i < tills; ++i) {
        ASSERT_TRUE(failure[i].isEmpty()) << failure[i].toStdString();
        EXPECT_TRUE(std::is_sorted(got[i].begin(), got[i].end())) << "each till sees its numbers rise";
        all.insert(all.end(), got[i].begin(), got[i].end());
    }
    std::sort(all.begin(), all.end());
    std::vector<qint32> expected(tills * perTill);
    for (int i = 0; i < tills * perTill; ++i)
        expected[i] = i + 1;
    EXPECT_EQ(all, expected);
    EXPECT_EQ(file.conn().scalar("SELECT Codigo FROM TPV_Contador_Ticket_Caja").toInt(), tills * perTill);
}

} // namespace
