// The terminals read their parameters from Tpv_Parametros and
// Tpv_Parametros_Ex exactly as the parameters window writes them: the
// statements are the system's text, rendered for SQL Server.
#include "parameters/ParameterStore.h"
#include "parameters/ScopeValues.h"
#include "support/StatementContract.h"

#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::parameters;
using db::Connection;

TEST(StatementContract, TheParametersWindowSendsTheSystemsStatements)
{
    // The clean-up is limited to the company being saved: another
    // company's terminals are another office's business.
    const QString depurarEx = QStringLiteral(
        "DELETE FROM TPV_Parametros_Ex  WHERE Cod_Empresa =1 AND NOT EXISTS (SELECT 1 FROM Tpvs"
        " WHERE Tpvs.Empresa = TPV_Parametros_Ex.Cod_Empresa   AND Tpvs.Almacen = TPV_Parametros_Ex.Cod_Almacen"
        "   AND Tpvs.Codigo = TPV_Parametros_Ex.Cod_Tpv)");
    test::expectStatements("parameters", {
        {"load, general scope", [](Connection& c) { ParameterStore(c, 1).load(2, 0); },
         {"SELECT * FROM TPV_Parametros WHERE Cod_Empresa =1 AND Cod_Almacen =2"}},
        {"load, terminal scope", [](Connection& c) { ParameterStore(c, 1).load(2, 3); },
         {"SELECT * FROM TPV_Parametros_Ex WHERE Cod_Empresa =1 AND Cod_Almacen =2 AND Cod_Tpv=3"}},
        {"clean-up outside the central office", [](Connection& c) { ParameterStore(c, 1).depurarTpvs(false); },
         {"DELETE FROM TPV_Parametros  WHERE Cod_Empresa =1 AND NOT EXISTS (SELECT 1 FROM Tpvs"
          " WHERE Tpvs.Empresa = TPV_Parametros.Cod_Empresa   AND Tpvs.Almacen = TPV_Parametros.Cod_Almacen)",
          depurarEx}},
        {"clean-up at the central office", [](Connection& c) { ParameterStore(c, 1).depurarTpvs(true); },
         {depurarEx}},
        {"copy general to terminal", [](Connection& c) { ParameterStore(c, 1).copyGeneralToTerminal(2, 3); },
         {"DELETE FROM TPV_Parametros_Ex WHERE Cod_Empresa =1   AND Cod_Almacen=2   AND Cod_Tpv=3",
          "INSERT INTO TPV_Parametros_Ex(Cod_Empresa, Cod_Almacen, Codigo, Cod_Tpv, Valor, Visible, Valor2, Posicion,"
          " Color) SELECT param.Cod_Empresa, param.Cod_Almacen, param.Codigo, 3 , param.Valor, param.Visible,"
          " param.Valor2, param.Posicion, param.Color   FROM TPV_Parametros param  WHERE param.Cod_Empresa =1"
          "    AND param.Cod_Almacen =2"}},
        {"delete a terminal's parameters", [](Connection& c) { ParameterStore(c, 1).deleteTerminal(2, 3); },
         {"DELETE FROM TPV_Parametros_Ex WHERE Cod_Empresa=1   AND Cod_Almacen=2   AND Cod_Tpv= 3"}},
        {"warehouses", [](Connection& c) { ParameterStore(c, 1).warehouses(); },
         {"SELECT Codigo, Nombre FROM Almacenes WHERE Cod_Empresa =1"}},
        {"terminals of a warehouse", [](Connection& c) { ParameterStore(c, 1).terminals(2); },
         {"SELECT Codigo, Descripcion FROM Tpvs WHERE Empresa=1   AND Almacen=2"}},
        {"label models", [](Connection& c) { ParameterStore(c, 1).labelModels(); },
         {"SELECT * FROM Modelos_Etiq_Art ORDER BY Codigo"}},
        // The warehouse's tax regime is read from Almacenes; without a row
        // it is not 1, so the IGIC rates are listed.
        {"tax rates", [](Connection& c) { ParameterStore(c, 1).taxRates(2, QDate(2026, 12, 6)); },
         {"SELECT Regimen_Impuesto FROM Almacenes WHERE Cod_Empresa =1 AND Codigo =2",
          "SELECT Tipo, Imp_Valor FROM Igic_Tipos WHERE Cod_Empresa =1 AND FechaI <= '06/12/2026'"
          " AND FechaF >= '06/12/2026' ORDER BY Imp_Valor"}},
        // Before a terminal scope is saved the window checks it still exists.
        {"terminal still there", [](Connection& c) { EXPECT_FALSE(ParameterStore(c, 1).terminalExists(2, 3)); },
         {"SELECT Codigo FROM Tpvs WHERE Empresa=1 AND Almacen=2 AND Codigo=3"}},
        {"warehouse has terminals", [](Connection& c) { EXPECT_FALSE(ParameterStore(c, 1).warehouseHasTerminals(2)); },
         {"SELECT Codigo FROM Tpvs WHERE Empresa=1 AND Almacen=2"}},
    });
}

// A save writes one row per catalogued code (some hundreds); the statement of
// each kind of row is checked here, in the order they are sent.
TEST(StatementContract, TheParametersSaveSendsOneInsertPerSettingAfterTheDelete)
{
    ScopeValues v;
    v.reset();
    v.keys = {{3, 65, 1, 255, true}};
    v.scales = {{QStringLiteral("21"), 2}};
    v.value(74).text = QStringLiteral("12");
    v.value(80).text = QStringLiteral("O'Neil");
    v.value(435).n = 66;
    v.value(435).text = QStringLiteral("C:\\Programas\\caja.exe");

    for (const int tpv : {0, 3}) {
        auto conn = db::Connection::open(QStringLiteral("record:sqlserver"));
        ParameterStore(*conn, 1).save(2, tpv, v, ParameterStore::Cleanup::VanishedTerminalsAndWarehouses);
        const QStringList sent = conn->recordedStatements();
        const QString table = tpv == 0 ? QStringLiteral("Tpv_Parametros") : QStringLiteral("Tpv_Parametros_Ex");
        const QString col = tpv == 0 ? QString() : QStringLiteral(" Cod_Tpv,");
        const QString val = tpv == 0 ? QString() : QStringLiteral("3,");
        auto insert = [&](const QString& columns, const QString& values) {
            return QStringLiteral("INSERT INTO %1 (Cod_Empresa, Cod_Almacen, Codigo, %2 %3) VALUES (1, 2, %4")
                .arg(table, col, columns, values.arg(val));
        };
        ASSERT_GT(sent.size(), 200);
        // The clean-up comes first, in the same transaction.
        EXPECT_TRUE(sent[0].startsWith(QStringLiteral("DELETE FROM TPV_Parametros  WHERE Cod_Empresa =1")));
        EXPECT_TRUE(sent[1].startsWith(QStringLiteral("DELETE FROM TPV_Parametros_Ex  WHERE Cod_Empresa =1")));
        EXPECT_EQ(sent[2], tpv == 0 ? QStringLiteral("DELETE FROM Tpv_Parametros WHERE Cod_Empresa =1 AND Cod_Almacen =2")
                                    : QStringLiteral("DELETE FROM Tpv_Parametros_Ex WHERE Cod_Empresa =1 AND Cod_Almacen =2"
                                                     " AND Cod_Tpv =3"));
        EXPECT_EQ(sent[3], insert("Valor, Visible, Posicion, Color", "3, %1'65', 1, 1, 255)"));
        const QStringList expected = {
            insert("Valor", "74, %1'12')"),
            insert("Valor", "80, %1'O''Neil')"),
            insert("Valor", "75, %1'0')"),
            insert("Valor, Valor2", "300, %1'21', 2)"),
            insert("Valor, Visible, Valor2", "435, %1'66', 0, 'C:\\Programas\\caja.exe')"),
        };
        for (const QString& s : expected)
            EXPECT_TRUE(sent.contains(s)) << s.toStdString() << "\nsent:\n" << test::statementListing(sent.mid(0, 12));
        // Nothing but the clean-up, the delete and one insert per row.
        for (qsizetype i = 3; i < sent.size(); ++i)
            EXPECT_TRUE(sent[i].startsWith(QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (")))
                << sent[i].toStdString();
    }
}
