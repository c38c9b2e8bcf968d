// What the terminal register sends to the suite's SQL Server is a contract:
// the statements are rendered through the SQL Server dialect on a recording
// connection and compared with the text the system specifies.
#include "db/Connection.h"
#include "db/Error.h"
#include "frame/HostContext.h"
#include "support/ScreenTest.h"
#include "support/StatementContract.h"
#include "terminals/TerminalStatus.h"
#include "terminals/TerminalStore.h"
#include "terminals/clsTPV.h"
#include "terminals/frmTPVs_Buscar.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>

using namespace zqvr;
using terminals::clsTPV;

namespace {

struct Contract {
    const char* operation;
    std::function<void(clsTPV&)> run;
    QStringList statements;
};

clsTPV terminalFive()
{
    clsTPV t;
    t.setCodigo(5);
    t.setHost(QStringLiteral("PC'05"));
    t.setDescripcion(QStringLiteral("Caja 5"));
    t.setEmpresa(1);
    t.setTarifaPVP(7);
    t.setTarifaProm(0);
    t.setEnLinea(1);
    t.setAlmacen(2);
    t.setEmergencia(true);
    return t;
}

} // namespace

TEST(StatementContract, TheTerminalRecordSendsTheSystemsStatementsToSqlServer)
{
    const QDate day(2026, 12, 6);
    const std::vector<Contract> contracts = {
        {"Cargar", [](clsTPV& t) { t.Cargar(); }, {"SELECT * FROM TPVs WHERE Codigo =5"}},
        {"Modificar (a new terminal)", [](clsTPV& t) { t.Modificar(); },
         {"UPDATE TPVs SET Host ='PC''05', Descripcion='Caja 5', Empresa =1, TarifaPVP =7, TarifaProm =0, "
          "EnLinea =1, Almacen =2, Emergencia =1 WHERE Codigo =5",
          "INSERT INTO TPVs (Codigo, Host, Descripcion, Empresa, TarifaPVP, TarifaProm, EnLinea, Almacen, Emergencia)"
          " VALUES (5, 'PC''05', 'Caja 5', 1, 7, 0, 1, 2, 1)",
          "UPDATE TPVs SET Emergencia = 0 WHERE Codigo <> 5"}},
        // The recorder deletes no row, which the record reports as deleted by another user.
        {"Eliminar", [](clsTPV& t) { EXPECT_THROW(t.Eliminar(), zqvr::Error); }, {"DELETE FROM TPVs WHERE Codigo =5"}},
        {"Cargar_Anterior", [](clsTPV& t) { t.Cargar_Anterior(nullptr); },
         {"SELECT * FROM TPVs WHERE Codigo IN (SELECT TOP 1 Codigo FROM TPVs WHERE Codigo < 5 ORDER BY Codigo DESC)"}},
        {"Cargar_Siguiente", [](clsTPV& t) { t.Cargar_Siguiente(nullptr); },
         {"SELECT * FROM TPVs WHERE Codigo IN (SELECT TOP 1 Codigo FROM TPVs WHERE Codigo > 5 ORDER BY Codigo ASC)"}},
        {"Cargar_Primero", [](clsTPV& t) { t.Cargar_Primero(nullptr); },
         {"SELECT * FROM TPVs WHERE Codigo IN (SELECT ISNULL(MIN(Codigo), 0) AS Codigo FROM TPVs)"}},
        {"Cargar_Ultimo", [](clsTPV& t) { t.Cargar_Ultimo(nullptr); },
         {"SELECT * FROM TPVs WHERE Codigo IN (SELECT ISNULL(MAX(Codigo), 0) AS Codigo FROM TPVs)"}},
        {"Dev_CodigoTicket (looking)", [day](clsTPV& t) { t.Dev_CodigoTicket(false, false, day); },
         {"SELECT * FROM TPV_Contador_Ticket_Caja WHERE Fecha ='06/12/2026'"}},
        {"Dev_CodigoTicket (continuous)", [day](clsTPV& t) { t.Dev_CodigoTicket(false, true, day); },
         {"SELECT * FROM TPV_Contador_Ticket_Caja WHERE Year(Fecha) =2026"}},
        {"Dev_CodigoTicket (taking the first)", [day](clsTPV& t) { t.Dev_CodigoTicket(true, false, day); },
         {"SELECT * FROM TPV_Contador_Ticket_Caja WITH (UPDLOCK, HOLDLOCK) WHERE Fecha ='06/12/2026'",
          "INSERT INTO TPV_Contador_Ticket_Caja (Fecha, Codigo) VALUES ('06/12/2026', 1)"}},
    };
    for (const Contract& c : contracts) {
        auto conn = db::Connection::open(QStringLiteral("record:sqlserver"));
        clsTPV t = terminalFive();
        t.setConexion(conn.get());
        t.setConexionTpv(conn.get());
        c.run(t);
        EXPECT_EQ(conn->recordedStatements(), c.statements) << c.operation;
    }
}

TEST(StatementContract, TheSearchDialogSendsTheSystemsSearchByHost)
{
    test::ServiceDoubles services;
    test::TestDatabase db;
    test::installInHostContext(db);
    auto conn = db::Connection::open(QStringLiteral("record:sqlserver"));
    frame::HostContext::instance().setConexion(conn.get());
    terminals::frmTPVs_Buscar dialog;
    auto* txtNombre = dialog.findChild<QLineEdit*>(QStringLiteral("txtNombre"));
    ASSERT_NE(txtNombre, nullptr);
    txtNombre->setText(QStringLiteral("*C'0"));
    QTest::keyClick(txtNombre, Qt::Key_Return);
    // The system's statement, ordered by host so that pages come in a stable order.
    EXPECT_EQ(conn->recordedStatements(),
              QStringList{"SELECT Codigo, Host FROM TPVs WHERE  (Host like '%C''0%') ORDER BY Host"});
    frame::HostContext::instance().setConexion(&db.conn());
}

// What the terminal screens read through the store: the register's company
// list and the monitor's check that any terminal is registered.
TEST(StatementContract, TheTerminalScreensListsSendTheSystemsStatements)
{
    auto conn = db::Connection::open(QStringLiteral("record:sqlserver"));
    terminals::TerminalStore store(*conn);
    EXPECT_TRUE(store.companies().isEmpty());
    EXPECT_FALSE(store.anyTerminal());
    EXPECT_EQ(conn->recordedStatements(),
              (QStringList{"SELECT * FROM Empresas ORDER BY Nombre_1", "SELECT TOP 1 * FROM TPVs"}));
}

// The terminal monitor reads each kind of figure for all the company's
// terminals with one statement grouped by till, instead of one statement per
// terminal and figure, so that a refresh costs the same on a site with
// hundreds of terminals. The company of a terminal is the Empresa column of
// TPVs. A day's reservation collections run up to the next midnight, not
// including it.
TEST(StatementContract, TheTerminalMonitorSendsItsStatements)
{
    const QDate day(2026, 12, 6);
    const QString tills = QStringLiteral(" AND Cod_Almacen IN (SELECT Almacen FROM TPVs WHERE Empresa = 1)"
                                         " AND Caja IN (SELECT Codigo FROM TPVs WHERE Empresa = 1)");
    test::expectStatements("terminal monitor", {
        // The recorder lists no terminal, so a refresh stops after the list.
        {"refresh (stops at an empty terminal list)",
         [day](db::Connection& c) { EXPECT_TRUE(terminals::TerminalStatusReader(c, 1, true).read(day).empty()); },
         {"SELECT * FROM TPVS WHERE Empresa =1 ORDER BY Codigo"}},
        {"today's sales",
         [day](db::Connection& c) { c.query(terminals::TerminalStatusReader(c, 1, true).salesSql(day)); },
         {"SELECT Cod_Almacen, Caja, ISNULL(SUM(Total), 0) AS Total FROM TPV_Tickets WHERE Cod_Empresa =1" + tills +
          " AND Fecha ='06/12/2026' GROUP BY Cod_Almacen, Caja"}},
        {"reservation collections",
         [day](db::Connection& c) { c.query(terminals::TerminalStatusReader(c, 1, true).collectionsSql(day)); },
         {"SELECT Cod_Almacen, Caja, ISNULL(SUM(Cantidad), 0) AS Cantidad FROM Reservas_Historico"
          " WHERE Cod_Empresa = 1" + tills +
          " AND Fecha >= '06/12/2026' AND Fecha < DATEADD(d,1,'06/12/2026') AND Venta = 0"
          " GROUP BY Cod_Almacen, Caja"}},
        {"new reservations",
         [day](db::Connection& c) { c.query(terminals::TerminalStatusReader(c, 1, true).newReservationsSql(day)); },
         {"SELECT Cod_Almacen, Caja, ISNULL(SUM(Total_Entregado+Total_Pendiente), 0) AS Total FROM Reservas"
          " WHERE Cod_Empresa = 1" + tills + " AND Fecha = '06/12/2026' AND Anulado = 0 GROUP BY Cod_Almacen, Caja"}},
        // Terminals 1 and 3 (bits 0 and 2 of Act) and 32 (bit 0 of Act1) are on line.
        {"article queue",
         [](db::Connection& c) {
             terminals::TerminalStatusReader r(c, 1, false);
             EXPECT_TRUE(r.queueColumns().empty());
             c.query(r.queueSql({5, 1}));
         },
         {"SELECT * FROM Articulos_ToPos WHERE 1 = 0",
          "SELECT (Act & 5), (Act1 & 1), COUNT(*) AS N FROM Articulos_ToPos WHERE (Act & 5) <> 5 OR (Act1 & 1) <> 1"
          " GROUP BY (Act & 5), (Act1 & 1)"}},
        {"sales of a day to compare with",
         [day](db::Connection& c) { terminals::TerminalStatusReader(c, 1, true).salesOfDay(day.addYears(-1)); },
         {"SELECT ISNULL(SUM(Importe_Pvp), 0) AS Importe FROM Articulos_Ventas_Dia WHERE Cod_Empresa =1"
          " AND Cod_Almacen IN (SELECT Almacen FROM TPVs WHERE Empresa=1)  AND Fecha ='06/12/2025'"}},
    });
}
