// The demo data set hangs together the way the screens expect: every row
// points at rows that exist, amounts add up, and the marks the back office
// relies on are in place.
#include "db/Connection.h"
#include "demo/DemoData.h"
#include "db/Error.h"
#include "support/TestDatabase.h"

#include <QCryptographicHash>
#include <QImage>
#include "db/SchemaDescription.h"

#include <gtest/gtest.h>

using namespace zqvr;
using zqvr::test::TestDatabase;

namespace {

const QDate kToday(2026, 12, 6);

demo::DemoSummary fill(TestDatabase& db, long long tickets = 0, double scale = 1.0, unsigned seed = 20261206)
{
    demo::DemoOptions o;
    o.scale = scale;
    o.tickets = tickets;
    o.today = kToday;
    o.seed = seed;
    return demo::DemoData::generate(db.conn(), o);
}

int number(TestDatabase& db, const QString& sql) { return db.conn().scalar(sql).toInt(); }

// Each check is a query that counts the rows breaking a rule.
void expectNone(TestDatabase& db, const std::vector<std::pair<const char*, QString>>& checks)
{
    for (const auto& [rule, sql] : checks)
        EXPECT_EQ(number(db, sql), 0) << rule;
}

QByteArray digest(TestDatabase& db, const QString& sql)
{
    QCryptographicHash h(QCryptographicHash::Sha256);
    for (auto rs = db.conn().query(sql); !rs.eof(); rs.moveNext())
        for (int i = 0; i < rs.fieldCount(); ++i)
            h.addData(rs.value(i).toString().toUtf8() + '|');
    return h.result();
}

class DemoDataSet : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_db = new TestDatabase();
        s_summary = fill(*s_db);
    }
    static void TearDownTestSuite()
    {
        delete s_db;
        s_db = nullptr;
    }
    TestDatabase& db() { return *s_db; }

    static TestDatabase* s_db;
    static demo::DemoSummary s_summary;
};
TestDatabase* DemoDataSet::s_db = nullptr;
demo::DemoSummary DemoDataSet::s_summary;

} // namespace

TEST_F(DemoDataSet, CompaniesWarehousesTerminalsAndUsersHangTogether)
{
    expectNone(db(), {
        {"terminal in a warehouse of another company or of none",
         "SELECT COUNT(*) FROM TPVs t WHERE NOT EXISTS (SELECT 1 FROM Almacenes a WHERE a.Cod_Empresa = t.Empresa AND a.Codigo = t.Almacen)"},
        {"warehouse of a company that does not exist",
         "SELECT COUNT(*) FROM Almacenes a WHERE NOT EXISTS (SELECT 1 FROM Empresas e WHERE e.Codigo = a.Cod_Empresa)"},
        {"warehouse without terminals (its parameters would be purged)",
         "SELECT COUNT(*) FROM Almacenes a WHERE NOT EXISTS (SELECT 1 FROM TPVs t WHERE t.Empresa = a.Cod_Empresa AND t.Almacen = a.Codigo)"},
        {"terminal tariff missing",
         "SELECT COUNT(*) FROM TPVs t WHERE NOT EXISTS (SELECT 1 FROM Tarifas f WHERE f.Cod_Empresa = t.Empresa AND f.Codigo = t.TarifaPVP)"
         " OR NOT EXISTS (SELECT 1 FROM Tarifas f WHERE f.Cod_Empresa = t.Empresa AND f.Codigo = t.TarifaProm)"},
        {"two terminals with one host", "SELECT COUNT(*) - COUNT(DISTINCT Host) FROM TPVs"},
        {"user warehouse missing",
         "SELECT COUNT(*) FROM SGD_Usuarios_Almacenes u WHERE NOT EXISTS (SELECT 1 FROM Almacenes a WHERE a.Cod_Empresa = u.Cod_Empresa"
         " AND a.Codigo = u.Cod_Almacen) OR NOT EXISTS (SELECT 1 FROM SGD_Usuarios s WHERE s.Codigo = u.CodUsuario)"},
        {"group membership of an unknown user or group",
         "SELECT COUNT(*) FROM SGD_Usuarios_Grupos g WHERE NOT EXISTS (SELECT 1 FROM SGD_Usuarios s WHERE s.Codigo = g.CodUsuario)"
         " OR NOT EXISTS (SELECT 1 FROM SGD_Grupos x WHERE x.Codigo = g.CodGrupo)"},
        {"agent code used by two companies (the screens join agents by code)",
         "SELECT COUNT(*) - COUNT(DISTINCT Codigo) FROM Agentes"},
        {"customer without main telephone",
         "SELECT COUNT(*) FROM Clientes c WHERE NOT EXISTS (SELECT 1 FROM Clientes_Telefonos t WHERE t.Cod_Empresa = c.Cod_Empresa"
         " AND t.Cod_Cliente = c.Codigo AND t.Codigo = 0)"},
        {"access level on an unknown control",
         "SELECT COUNT(*) FROM SGD_Controles_Grupos g WHERE NOT EXISTS (SELECT 1 FROM SGD_Controles c WHERE c.Cod_Formulario = g.Cod_Formulario"
         " AND c.Cod_Control = g.Cod_Control)"},
        {"gift card or queued article that does not exist",
         "SELECT (SELECT COUNT(*) FROM Articulos_TRegalo r WHERE NOT EXISTS (SELECT 1 FROM Articulos a WHERE a.Cod_Empresa = r.Cod_Empresa"
         " AND a.Codigo = r.Cod_Articulo)) + (SELECT COUNT(*) FROM Articulos_ToPos q WHERE NOT EXISTS (SELECT 1 FROM Articulos a"
         " WHERE a.Cod_Empresa = q.Cod_Empresa AND a.Codigo = q.Cod_Articulo))"},
    });
    EXPECT_EQ(number(db(), "SELECT COUNT(*) FROM Empresas"), 2);
    EXPECT_EQ(number(db(), "SELECT COUNT(*) FROM TPVs WHERE Emergencia = 1"), 1);
    EXPECT_EQ(db().conn().scalar("SELECT Host FROM TPVs WHERE Codigo = 1").toString(), "TPV01");
    // The monitor's remote access needs right 5 for somebody.
    EXPECT_GT(number(db(), "SELECT COUNT(*) FROM SGD_Usuarios_Derechos WHERE Derecho = 5"), 0);
    // Articles carry small pictures the keys can show.
    EXPECT_EQ(db().count("Articulos"), db().count("Articulos_Imagenes"));
    for (auto rs = db().conn().query("SELECT Imagen FROM Articulos_Imagenes LIMIT 20"); !rs.eof(); rs.moveNext()) {
        QImage img;
        ASSERT_TRUE(img.loadFromData(rs["Imagen"].toByteArray(), "PNG"));
        EXPECT_LE(img.width(), 60);
        EXPECT_LE(img.height(), 60);
    }
}

TEST_F(DemoDataSet, TicketsLinesAndPaymentsAddUp)
{
    const QString line = "l.Cod_Empresa = t.Cod_Empresa AND l.Cod_Almacen = t.Cod_Almacen AND l.Caja = t.Caja AND l.Fecha = t.Fecha"
                         " AND l.Codigo = t.Codigo";
    expectNone(db(), {
        {"ticket of a till that is not a terminal of that warehouse",
         "SELECT COUNT(*) FROM TPV_Tickets t WHERE NOT EXISTS (SELECT 1 FROM TPVs p WHERE p.Codigo = t.Caja AND p.Almacen = t.Cod_Almacen"
         " AND p.Empresa = t.Cod_Empresa)"},
        {"line without ticket", "SELECT COUNT(*) FROM TPV_Tickets_Lineas l WHERE NOT EXISTS (SELECT 1 FROM TPV_Tickets t WHERE " + line + ")"},
        {"ticket without lines", "SELECT COUNT(*) FROM TPV_Tickets t WHERE NOT EXISTS (SELECT 1 FROM TPV_Tickets_Lineas l WHERE " + line + ")"},
        {"promotion of a missing line",
         "SELECT COUNT(*) FROM TPV_Tickets_Lineas_Promocion p WHERE NOT EXISTS (SELECT 1 FROM TPV_Tickets_Lineas l WHERE l.Cod_Empresa = p.Cod_Empresa"
         " AND l.Cod_Almacen = p.Cod_Almacen AND l.Caja = p.Caja AND l.Fecha = p.Fecha AND l.Codigo = p.Codigo AND l.Num_Linea = p.Num_Linea)"},
        {"kit part of a missing line or of a line that is not a kit",
         "SELECT COUNT(*) FROM TPV_Tickets_KitComposicion k WHERE NOT EXISTS (SELECT 1 FROM TPV_Tickets_Lineas l INNER JOIN Articulos a"
         " ON a.Cod_Empresa = l.Cod_Empresa AND a.Codigo = l.Cod_Articulo AND a.EsKit = 1 WHERE l.Cod_Empresa = k.Cod_Empresa"
         " AND l.Cod_Almacen = k.Cod_almacen AND l.Caja = k.Caja AND l.Fecha = k.Fecha AND l.Codigo = k.Codigo AND l.Num_Linea = k.Num_Linea)"},
        {"card payment of a missing ticket or of a ticket without card amount",
         "SELECT COUNT(*) FROM Tpv_Tickets_Tarjeta c WHERE NOT EXISTS (SELECT 1 FROM TPV_Tickets t WHERE t.Cod_Empresa = c.Cod_Empresa"
         " AND t.Cod_Almacen = c.Cod_Almacen AND t.Caja = c.Caja AND t.Fecha = c.Fecha AND t.Codigo = c.Codigo AND t.Tarjeta = c.Importe)"
         " OR NOT EXISTS (SELECT 1 FROM Tarjetas x WHERE x.Codigo = c.Tipo)"},
        {"line article missing from the company's articles",
         "SELECT COUNT(*) FROM TPV_Tickets_Lineas l WHERE NOT EXISTS (SELECT 1 FROM Articulos a WHERE a.Cod_Empresa = l.Cod_Empresa AND a.Codigo = l.Cod_Articulo)"},
        {"cashier unknown or not allowed in the warehouse",
         "SELECT COUNT(*) FROM TPV_Tickets t WHERE NOT EXISTS (SELECT 1 FROM SGD_Usuarios_Almacenes u WHERE u.CodUsuario = t.Cajero"
         " AND u.Cod_Empresa = t.Cod_Empresa AND u.Cod_Almacen = t.Cod_Almacen)"},
        // Today and yesterday keep one ticket per till of a deleted customer on purpose.
        {"customer unknown",
         "SELECT COUNT(*) FROM TPV_Tickets t WHERE t.Cliente <> 0 AND t.Fecha < '2026-12-05' AND NOT EXISTS (SELECT 1 FROM Clientes c WHERE c.Cod_Empresa = t.Cod_Empresa AND c.Codigo = t.Cliente)"},
        {"total differs from its lines",
         "SELECT COUNT(*) FROM TPV_Tickets t WHERE ABS(t.Total - (SELECT SUM(ROUND(l.PVP * l.Cantidad * (1 - l.Dto / 100.0), 2))"
         " FROM TPV_Tickets_Lineas l WHERE " + line + ")) > 0.015"},
        {"payments do not settle the total",
         "SELECT COUNT(*) FROM TPV_Tickets WHERE ABS(Efectivo + Tarjeta + Cheque + Vales + Credito - Cambio - Total) > 0.005"},
        {"credit sale without customer", "SELECT COUNT(*) FROM TPV_Tickets WHERE Credito <> 0 AND Cliente = 0"},
        {"ticket numbers of a till and day with gaps",
         "SELECT COUNT(*) FROM (SELECT 1 FROM TPV_Tickets GROUP BY Cod_Empresa, Cod_Almacen, Caja, Fecha HAVING COUNT(*) <> MAX(Codigo)) x"},
        {"ticket after today or outside the two periods",
         "SELECT COUNT(*) FROM TPV_Tickets WHERE Fecha > '2026-12-06' OR (Fecha < '2026-11-09' AND Fecha > '2025-12-13') OR Fecha < '2025-11-09'"},
        {"sale time on another day than the ticket",
         db().conn().isPostgreSQL() ? "SELECT COUNT(*) FROM TPV_Tickets WHERE CAST(Hora AS DATE) <> Fecha"
                                    : "SELECT COUNT(*) FROM TPV_Tickets WHERE substr(Hora, 1, 10) <> Fecha"},
        {"invoice of a missing ticket or of another customer",
         "SELECT COUNT(*) FROM TPV_Tickets_Factura f WHERE NOT EXISTS (SELECT 1 FROM TPV_Tickets t WHERE t.Cod_Empresa = f.Cod_Empresa"
         " AND t.Cod_Almacen = f.Cod_Almacen AND t.Caja = f.Caja AND t.Fecha = f.Fecha AND t.Codigo = f.Codigo AND t.Cliente = f.Cliente)"},
        {"invoice series other than the warehouse's parameter 374",
         "SELECT COUNT(*) FROM TPV_Tickets_Factura f WHERE CAST((SELECT Valor FROM Tpv_Parametros p WHERE p.Cod_Empresa = f.Cod_Empresa"
         " AND p.Cod_Almacen = f.Cod_Almacen AND p.Codigo = 374) AS INTEGER) <> f.Factura_Serie"},
        {"invoice number given twice in a series and year",
         "SELECT COUNT(*) FROM (SELECT 1 FROM TPV_Tickets_Factura GROUP BY Cod_Empresa, Factura_Serie, " + db().conn().dialect().year("Factura_Fecha") +
         ", Factura_Codigo HAVING COUNT(*) > 1) x"},
        {"invoice dated before its ticket or after today",
         "SELECT COUNT(*) FROM TPV_Tickets_Factura WHERE Factura_Fecha < Fecha OR Factura_Fecha > '2026-12-06'"},
    });
    EXPECT_EQ(number(db(), "SELECT COUNT(*) FROM TPV_Tickets"), 2000);
    EXPECT_GT(number(db(), "SELECT COUNT(*) FROM TPV_Tickets_Factura"), 0);
    EXPECT_GT(number(db(), "SELECT COUNT(*) FROM TPV_Tickets WHERE Total < 0"), 0); // refunds
    // Daily article sales are the lines summed up, the comparison day of last
    // year included.
    EXPECT_NEAR(db().conn().scalar("SELECT SUM(Importe_Pvp) FROM Articulos_Ventas_Dia").toDouble(),
                db().conn().scalar("SELECT SUM(ROUND(PVP * Cantidad * (1 - Dto / 100.0), 2)) FROM TPV_Tickets_Lineas").toDouble(), 0.5);
    EXPECT_GT(db().conn().scalar("SELECT SUM(Importe_Pvp) FROM Articulos_Ventas_Dia WHERE Fecha = '2025-12-06'").toDouble(), 0);
    EXPECT_GT(db().conn().scalar("SELECT SUM(Total) FROM TPV_Tickets WHERE Fecha = '2026-12-06'").toDouble(), 0);
}

TEST_F(DemoDataSet, ReservationsHangTogether)
{
    expectNone(db(), {
        {"reservation line without reservation",
         "SELECT COUNT(*) FROM Reservas_Lineas l WHERE NOT EXISTS (SELECT 1 FROM Reservas r WHERE r.Cod_Empresa = l.Cod_Empresa AND r.Codigo = l.Codigo)"},
        {"movement without reservation",
         "SELECT COUNT(*) FROM Reservas_Historico h WHERE NOT EXISTS (SELECT 1 FROM Reservas r WHERE r.Cod_Empresa = h.Cod_Empresa AND r.Codigo = h.Codigo)"},
        {"reservation without lines",
         "SELECT COUNT(*) FROM Reservas r WHERE NOT EXISTS (SELECT 1 FROM Reservas_Lineas l WHERE r.Cod_Empresa = l.Cod_Empresa AND r.Codigo = l.Codigo)"},
        {"reservation of a till that is not a terminal of its warehouse",
         "SELECT COUNT(*) FROM Reservas r WHERE NOT EXISTS (SELECT 1 FROM TPVs p WHERE p.Codigo = r.Caja AND p.Almacen = r.Cod_Almacen AND p.Empresa = r.Cod_Empresa)"},
        {"reservation number used by two companies", "SELECT COUNT(*) - COUNT(DISTINCT Codigo) FROM Reservas"},
        {"open and cancelled at once", "SELECT COUNT(*) FROM Reservas WHERE Pendiente = 1 AND Anulado = 1"},
        {"paid total differs from the payments",
         "SELECT COUNT(*) FROM Reservas r WHERE ABS(r.Total_Entregado - (SELECT COALESCE(SUM(Cantidad), 0) FROM Reservas_Historico h"
         " WHERE h.Cod_Empresa = r.Cod_Empresa AND h.Codigo = r.Codigo AND h.Venta = 0)) > 0.005"},
        {"sold total differs from the sales",
         "SELECT COUNT(*) FROM Reservas r WHERE ABS(r.Total_Ventas - (SELECT COALESCE(SUM(Cantidad), 0) FROM Reservas_Historico h"
         " WHERE h.Cod_Empresa = r.Cod_Empresa AND h.Codigo = r.Codigo AND h.Venta = 1)) > 0.005"},
        {"line article missing (other than the one deleted on purpose)",
         "SELECT COUNT(*) FROM Reservas_Lineas l WHERE l.Cod_Articulo < 900000 AND NOT EXISTS (SELECT 1 FROM Articulos a WHERE a.Cod_Empresa = l.Cod_Empresa AND a.Codigo = l.Cod_Articulo)"},
        {"changed before it was made", "SELECT COUNT(*) FROM Reservas WHERE Fecha_Ult_Modificacion < Fecha"},
    });
    EXPECT_GT(number(db(), "SELECT COUNT(*) FROM Reservas WHERE Fecha = '2026-12-06' AND Anulado = 0"), 0);
    // The viewer's cases: a line whose article was deleted since, an exchange,
    // an intra-community customer and a reservation for nobody.
    EXPECT_EQ(number(db(), "SELECT COUNT(*) FROM Reservas_Lineas l WHERE NOT EXISTS (SELECT 1 FROM Articulos a"
                           " WHERE a.Cod_Empresa = l.Cod_Empresa AND a.Codigo = l.Cod_Articulo)"), 1);
    EXPECT_GT(number(db(), "SELECT COUNT(*) FROM Reservas_Historico WHERE Cambio = 1"), 0);
    EXPECT_GT(number(db(), "SELECT COUNT(*) FROM Reservas r JOIN Clientes c ON c.Cod_Empresa = r.Cod_Empresa"
                           " AND c.Codigo = r.Cod_Cliente WHERE c.IntraCom = 1"), 0);
    EXPECT_GT(number(db(), "SELECT COUNT(*) FROM Reservas WHERE Cod_Cliente = 0"), 0);
    for (const char* state : {"Pendiente = 1", "Anulado = 1", "Pendiente = 0 AND Anulado = 0"})
        EXPECT_GT(db().count("Reservas", state), 0) << state;
}

TEST_F(DemoDataSet, ParametersLayoutsSalonsMessagesAndParkingHangTogether)
{
    expectNone(db(), {
        {"general parameters of an unknown warehouse",
         "SELECT COUNT(*) FROM Tpv_Parametros p WHERE NOT EXISTS (SELECT 1 FROM Almacenes a WHERE a.Cod_Empresa = p.Cod_Empresa AND a.Codigo = p.Cod_Almacen)"},
        {"two operation keys on one position",
         "SELECT COUNT(*) FROM (SELECT 1 FROM Tpv_Parametros WHERE Codigo <= 41 AND Posicion > 0 GROUP BY Cod_Empresa, Cod_Almacen, Posicion HAVING COUNT(*) > 1) x"},
        {"warehouse without header, footer, ticket model or invoice series",
         "SELECT COUNT(*) FROM Almacenes a WHERE (SELECT COUNT(*) FROM Tpv_Parametros p WHERE p.Cod_Empresa = a.Cod_Empresa AND p.Cod_Almacen = a.Codigo"
         " AND (p.Codigo IN (75, 374) OR p.Codigo BETWEEN 100 AND 109 OR p.Codigo BETWEEN 130 AND 139)) <> 22"},
        {"screen group of an unknown configuration",
         "SELECT COUNT(*) FROM TPV_CfgPantalla_Grupos g WHERE NOT EXISTS (SELECT 1 FROM TPV_CfgPantalla c WHERE c.Cod_Empresa = g.Cod_Empresa AND c.Cod_CfgPantalla = g.Cod_CfgPantalla)"},
        {"key of an unknown group",
         "SELECT COUNT(*) FROM TPV_CfgPantalla_Grupos_Lineas l WHERE NOT EXISTS (SELECT 1 FROM TPV_CfgPantalla_Grupos g WHERE g.Cod_Empresa = l.Cod_Empresa"
         " AND g.Cod_CfgPantalla = l.Cod_CfgPantalla AND g.Cod_Grupo = l.Cod_Grupo)"},
        {"default group that does not exist",
         "SELECT COUNT(*) FROM TPV_CfgPantalla c WHERE c.Cod_GrupoDF <> 0 AND NOT EXISTS (SELECT 1 FROM TPV_CfgPantalla_Grupos g"
         " WHERE g.Cod_Empresa = c.Cod_Empresa AND g.Cod_CfgPantalla = c.Cod_CfgPantalla AND g.Cod_Grupo = c.Cod_GrupoDF)"},
        {"group or key off its page (number, place and grid type disagree)",
         "SELECT (SELECT COUNT(*) FROM TPV_CfgPantalla_Grupos g INNER JOIN TPV_CfgPantalla c ON c.Cod_Empresa = g.Cod_Empresa AND c.Cod_CfgPantalla = g.Cod_CfgPantalla"
         " WHERE g.Posicion <> CASE c.Tipo WHEN 1 THEN g.Cod_Grupo - 1 ELSE 9 * ((g.Cod_Grupo - 1) / 3) + 6 + (g.Cod_Grupo - 1) % 3 END)"
         " + (SELECT COUNT(*) FROM TPV_CfgPantalla_Grupos_Lineas l INNER JOIN TPV_CfgPantalla c ON c.Cod_Empresa = l.Cod_Empresa"
         " AND c.Cod_CfgPantalla = l.Cod_CfgPantalla WHERE l.Posicion > 35 OR (c.Tipo = 0 AND l.Posicion % 9 < 6))"},
        {"two keys on one place",
         "SELECT COUNT(*) FROM (SELECT 1 FROM TPV_CfgPantalla_Grupos_Lineas GROUP BY Cod_Empresa, Cod_CfgPantalla, Cod_Grupo, Posicion HAVING COUNT(*) > 1) x"},
        {"key of an unknown article",
         "SELECT COUNT(*) FROM TPV_CfgPantalla_Grupos_Lineas l WHERE l.Cod_Articulo > 0 AND NOT EXISTS (SELECT 1 FROM Articulos a"
         " WHERE a.Cod_Empresa = l.Cod_Empresa AND a.Codigo = l.Cod_Articulo)"},
        {"quick code of an unknown article or warehouse",
         "SELECT COUNT(*) FROM TPV_CodigosRapido q WHERE (q.Cod_Rapido <> 'BAJA1' AND NOT EXISTS (SELECT 1 FROM Articulos a"
         " WHERE a.Cod_Empresa = q.Cod_Empresa AND a.Codigo = q.Cod_Articulo))"
         " OR NOT EXISTS (SELECT 1 FROM Almacenes w WHERE w.Cod_Empresa = q.Cod_Empresa AND w.Codigo = q.Cod_Almacen)"},
        {"salon assigned to an unknown salon or warehouse",
         "SELECT COUNT(*) FROM TPV_Sln_Salones_Almacen s WHERE NOT EXISTS (SELECT 1 FROM TPV_Sln_Salones x WHERE x.Cod_Empresa = s.Cod_Empresa"
         " AND x.Cod_CfgSalon = s.Cod_CfgSalon) OR NOT EXISTS (SELECT 1 FROM Almacenes a WHERE a.Cod_Empresa = s.Cod_Empresa AND a.Codigo = s.Cod_Almacen)"},
        {"floor plan with a raw quote or another root",
         "SELECT COUNT(*) FROM TPV_Sln_Salones WHERE Doc_Xml LIKE '%''%' OR Doc_Xml NOT LIKE '<FlowGraph%'"},
        {"palette element of an unknown group",
         "SELECT COUNT(*) FROM TPV_Sln_Elementos e WHERE NOT EXISTS (SELECT 1 FROM TPV_Sln_GrpElementos g WHERE g.Cod_Grupo = e.Cod_Grupo)"},
        {"picture element without its picture", "SELECT COUNT(*) FROM TPV_Sln_Elementos WHERE Tipo BETWEEN 7 AND 12 AND Imagen IS NULL"},
        {"message warehouse of an unknown message or warehouse",
         "SELECT COUNT(*) FROM TPV_Gestor_Mensajes_Almacen w WHERE NOT EXISTS (SELECT 1 FROM TPV_Gestor_Mensajes m WHERE m.Cod_Empresa = w.Cod_Empresa"
         " AND m.Cod_Mensaje = w.Cod_Mensaje AND m.Origen = w.Origen) OR NOT EXISTS (SELECT 1 FROM Almacenes a WHERE a.Cod_Empresa = w.Cod_Empresa"
         " AND a.Codigo = w.Cod_Almacen)"},
        {"message in force without warehouse (the manager would not close)",
         "SELECT COUNT(*) FROM TPV_Gestor_Mensajes m WHERE m.FechaFinal >= '2026-12-06' AND NOT EXISTS (SELECT 1 FROM TPV_Gestor_Mensajes_Almacen w"
         " WHERE w.Cod_Empresa = m.Cod_Empresa AND w.Cod_Mensaje = m.Cod_Mensaje AND w.Origen = m.Origen)"},
        {"history of an unknown message",
         "SELECT COUNT(*) FROM TPV_Gestor_Mensajes_Historico h WHERE NOT EXISTS (SELECT 1 FROM TPV_Gestor_Mensajes m WHERE m.Cod_Empresa = h.Cod_Empresa"
         " AND m.Cod_Mensaje = h.Cod_Mensaje AND m.Origen = h.Origen)"},
        {"message without its creation (added or duplicated) in the history",
         "SELECT COUNT(*) FROM TPV_Gestor_Mensajes m WHERE NOT EXISTS (SELECT 1 FROM TPV_Gestor_Mensajes_Historico h WHERE m.Cod_Empresa = h.Cod_Empresa"
         " AND m.Cod_Mensaje = h.Cod_Mensaje AND m.Origen = h.Origen AND h.Operacion IN ('A', 'D'))"},
        {"deleted message still present",
         "SELECT COUNT(*) FROM TPV_Gestor_Mensajes_Baja b INNER JOIN TPV_Gestor_Mensajes m ON m.Cod_Empresa = b.Cod_Empresa AND m.Cod_Mensaje = b.Cod_Mensaje AND m.Origen = b.Origen"},
        {"parking band of an unknown warehouse",
         "SELECT (SELECT COUNT(*) FROM Parking_Gratis p WHERE NOT EXISTS (SELECT 1 FROM Almacenes a WHERE a.Cod_Empresa = p.Cod_Empresa AND a.Codigo = p.Cod_Almacen))"
         " + (SELECT COUNT(*) FROM Parking_Tarifa p WHERE NOT EXISTS (SELECT 1 FROM Almacenes a WHERE a.Cod_Empresa = p.Cod_Empresa AND a.Codigo = p.Cod_Almacen))"},
    });
    // The parameters window purges rows of vanished terminals before saving:
    // on the demo data it must find nothing to purge.
    auto& c = db().conn();
    const int general = db().count("Tpv_Parametros"), terminal = db().count("Tpv_Parametros_Ex");
    {
        db::TransactionGuard g(c);
        EXPECT_EQ(c.execute("DELETE FROM TPV_Parametros  WHERE NOT EXISTS (SELECT 1 FROM Tpvs WHERE Tpvs.Empresa = TPV_Parametros.Cod_Empresa"
                            "   AND Tpvs.Almacen = TPV_Parametros.Cod_Almacen)"), 0);
        EXPECT_EQ(c.execute("DELETE FROM TPV_Parametros_Ex  WHERE NOT EXISTS (SELECT 1 FROM Tpvs WHERE Tpvs.Empresa = TPV_Parametros_Ex.Cod_Empresa"
                            "   AND Tpvs.Almacen = TPV_Parametros_Ex.Cod_Almacen   AND Tpvs.Codigo = TPV_Parametros_Ex.Cod_Tpv)"), 0);
    }
    EXPECT_EQ(db().count("Tpv_Parametros"), general);
    EXPECT_GT(terminal, 0);
    EXPECT_GT(db().count("TPV_Gestor_Mensajes", "Origen = 1"), 0);
    EXPECT_GT(db().count("TPV_CfgPantalla_Grupos_Lineas", "OrigenImagen = 1 AND Imagen IS NOT NULL"), 0);
}

TEST_F(DemoDataSet, SummaryCountsEveryRowWritten)
{
    long long total = 0;
    QStringList tables;
    for (const auto& t : db::schema::tables())
        tables << t.name;
    for (const QString& table : tables) {
        const int n = db().count(table);
        EXPECT_GT(n, 0) << "empty table " << table.toStdString();
        total += n;
    }
    EXPECT_EQ(s_summary.rows, total);
    EXPECT_EQ(s_summary.tickets, 2000);
}

TEST(DemoData, SameSeedGivesTheSameDataAndAnotherSeedAnother)
{
    TestDatabase a, b, c;
    fill(a, 300, 0.1, 7);
    fill(b, 300, 0.1, 7);
    fill(c, 300, 0.1, 8);
    const QString sql = "SELECT * FROM TPV_Tickets_Lineas ORDER BY Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Num_Linea";
    EXPECT_EQ(digest(a, sql), digest(b, sql));
    EXPECT_NE(digest(a, sql), digest(c, sql));
    EXPECT_EQ(digest(a, "SELECT * FROM Reservas ORDER BY Codigo"), digest(b, "SELECT * FROM Reservas ORDER BY Codigo"));
    EXPECT_EQ(a.count("TPV_Tickets"), 300);
}

TEST(DemoData, RefusesADatabaseThatHoldsDataAndChangesNothing)
{
    TestDatabase db;
    db.fillDemo();
    const int tickets = db.count("TPV_Tickets");
    EXPECT_THROW(fill(db, 50), Error);
    EXPECT_EQ(db.count("TPV_Tickets"), tickets);
    EXPECT_EQ(db.count("Empresas"), 2);
}

TEST(DemoData, AFailureHalfWayLeavesNothingWritten)
{
    TestDatabase db(TestDatabase::File);
    // A palette group already there makes the salon catalogue collide, late
    // in the run, after the tickets.
    db.exec("INSERT INTO TPV_Sln_GrpElementos (Cod_Grupo, Descripcion) VALUES (1, 'Mío')");
    try {
        fill(db, 200);
        FAIL() << "the collision must be reported";
    } catch (const Error& e) {
        EXPECT_TRUE(e.description().contains("TPV_Sln_GrpElementos")) << e.description().toStdString();
    }
    EXPECT_EQ(db.count("Empresas"), 0);
    EXPECT_EQ(db.count("TPV_Tickets"), 0);
    EXPECT_EQ(db.count("TPV_Sln_GrpElementos"), 1);
    EXPECT_EQ(db.conn().transactionDepth(), 0);
    // And the same file takes the data once the collision is gone.
    db.exec("DELETE FROM TPV_Sln_GrpElementos");
    EXPECT_EQ(fill(db, 200).tickets, 200);
}

TEST(DemoData, ProgressCountsTheTicketsAndACancelLeavesNothingWritten)
{
    TestDatabase db(TestDatabase::File);
    demo::DemoOptions o;
    o.today = kToday;
    o.tickets = 1000;
    QList<long long> seen;
    o.progress = [&](long long done, long long total) {
        EXPECT_EQ(total, 1000);
        seen << done;
        return seen.size() < 3; // the third report says stop
    };
    const demo::DemoSummary summary = demo::DemoData::generate(db.conn(), o);
    EXPECT_TRUE(summary.cancelled);
    EXPECT_EQ(summary.tickets, 0);
    EXPECT_EQ(seen, (QList<long long>{256, 512, 768}));
    EXPECT_EQ(db.count("Empresas"), 0);
    EXPECT_EQ(db.count("TPV_Tickets"), 0);
    EXPECT_EQ(db.count("TPV_Tickets_Lineas"), 0);
    EXPECT_EQ(db.conn().transactionDepth(), 0);

    // Let through, the same file takes the whole set.
    o.progress = [](long long, long long) { return true; };
    const demo::DemoSummary done = demo::DemoData::generate(db.conn(), o);
    EXPECT_FALSE(done.cancelled);
    EXPECT_EQ(done.tickets, 1000);
}
