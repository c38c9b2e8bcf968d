// The embedded schema: versioning and upgrades, and the tables as the back
// office's statements use them.
#include "db/Connection.h"
#include "db/Error.h"
#include "db/Schema.h"
#include "db/SchemaSteps.h"
#include "support/TestDatabase.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zqvr;
using zqvr::test::TestDatabase;
using zqvr::test::fileHash;

namespace {

bool hasColumn(db::Connection& c, const QString& table, const QString& column)
{
    auto rs = c.query(QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(table));
    for (; !rs.eof(); rs.moveNext())
        if (rs.value(0).toString().compare(column, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

TEST(Schema, EnsureCreatesTheCurrentVersionOnceAndOnlyOnce)
{
    QTemporaryDir dir;
    auto c = db::Connection::open("sqlite:" + dir.filePath("new.db"));
    EXPECT_EQ(db::Schema::versionOf(*c), 0);
    db::Schema::ensure(*c);
    EXPECT_EQ(db::Schema::versionOf(*c), db::Schema::currentVersion());
    c->execute("INSERT INTO TPVs (Codigo, Host) VALUES (1, 'TPV01')");
    // Ensuring again (every start of a host does) keeps the data and the version.
    db::Schema::ensure(*c);
    EXPECT_EQ(c->scalar("SELECT COUNT(*) FROM Zqvr_Schema").toInt(), 1);
    EXPECT_EQ(c->scalar("SELECT Host FROM TPVs").toString(), "TPV01");

    // The steps of this build end at the current version, in ascending order.
    const auto& steps = db::schema::steps();
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.back().version, db::Schema::currentVersion());
    for (size_t i = 1; i < steps.size(); ++i)
        EXPECT_LT(steps[i - 1].version, steps[i].version);
}

// A file of the first version had a card-payment line number of its own;
// upgraded, the table has the suite's columns and keeps every row in order.
TEST(Schema, CardPaymentsOfAFirstVersionFileKeepTheirRowsWithoutTheLineNumber)
{
    QTemporaryDir dir;
    auto c = db::Connection::open("sqlite:" + dir.filePath("v1.db"));
    const std::vector<db::schema::Step> first(db::schema::steps().begin(), db::schema::steps().begin() + 1);
    db::schema::migrate(*c, first);
    ASSERT_TRUE(hasColumn(*c, "Tpv_Tickets_Tarjeta", "Linea"));
    c->execute("INSERT INTO Tpv_Tickets_Tarjeta (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Linea, Tipo, Importe)"
               " VALUES (1, 1, 1, '2026-12-05', 7, 2, 4, 1.5), (1, 1, 1, '2026-12-05', 7, 1, 3, 2.5)");

    db::Schema::ensure(*c);
    EXPECT_EQ(db::Schema::versionOf(*c), db::Schema::currentVersion());
    EXPECT_FALSE(hasColumn(*c, "Tpv_Tickets_Tarjeta", "Linea"));
    auto rs = c->query("SELECT Tipo, Importe FROM Tpv_Tickets_Tarjeta WHERE Codigo = 7");
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.value(0).toInt(), 3); // the first line comes first
    rs.moveNext();
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.value(0).toInt(), 4);
    EXPECT_DOUBLE_EQ(rs.value(1).toDouble(), 1.5);
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
}

TEST(Schema, FileOfANewerBuildIsRefusedAndLeftUntouched)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("newer.db");
    const int newer = db::Schema::currentVersion() + 1;
    {
        auto c = db::Connection::open("sqlite:" + path);
        db::Schema::ensure(*c);
        c->execute(QStringLiteral("UPDATE Zqvr_Schema SET Version = %1").arg(newer));
    }
    const QByteArray before = fileHash(path);
    auto c = db::Connection::open("sqlite:" + path);
    try {
        db::Schema::ensure(*c);
        FAIL() << "a newer file must be refused";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), errc::SchemaTooNew);
        EXPECT_EQ(e.description(),
                  QStringLiteral("La base de datos fue creada por una versión más reciente de ZQVRTpvs "
                                 "(versión %1); esta versión admite hasta la %2.")
                      .arg(newer)
                      .arg(db::Schema::currentVersion()));
    }
    c.reset();
    EXPECT_EQ(fileHash(path), before);
}

TEST(Schema, OlderFileIsUpgradedStepByStepInOneTransaction)
{
    ZQVR_SQLITE_ONLY();
    TestDatabase db;
    auto& c = db.conn();
    // A later build's path: version 1 of this build, then two more steps.
    std::vector<db::schema::Step> steps = db::schema::steps();
    const int base = steps.back().version;
    steps.push_back({base + 1, {"ALTER TABLE TPVs ADD COLUMN Ubicacion TEXT DEFAULT ''",
                                "CREATE INDEX IX_TPVs_Ubicacion ON TPVs (Ubicacion)"}});
    steps.push_back({base + 2, {"UPDATE TPVs SET Ubicacion = 'Sala de ventas'"}});
    c.execute("INSERT INTO TPVs (Codigo, Host) VALUES (1, 'TPV01')");

    db::schema::migrate(c, steps);
    EXPECT_EQ(db::Schema::versionOf(c), base + 2);
    EXPECT_EQ(c.scalar("SELECT Ubicacion FROM TPVs WHERE Codigo = 1").toString(), "Sala de ventas");

    // A step that fails leaves the file as it was: no statement of the step
    // is kept and the version does not move.
    std::vector<db::schema::Step> broken = steps;
    broken.push_back({base + 3, {"ALTER TABLE TPVs ADD COLUMN Planta INTEGER", "ALTER TABLE NoSuchTable ADD COLUMN X INTEGER"}});
    try {
        db::schema::migrate(c, broken);
        FAIL();
    } catch (const Error& e) {
        EXPECT_TRUE(e.description().contains("NoSuchTable")) << e.description().toStdString();
    }
    EXPECT_EQ(db::Schema::versionOf(c), base + 2);
    EXPECT_FALSE(hasColumn(c, "TPVs", "Planta"));
    EXPECT_EQ(c.transactionDepth(), 0);

    // This build meets the upgraded file: newer than what it knows, refused.
    EXPECT_THROW(db::Schema::ensure(c), Error);
}

TEST(Schema, ReorderingShiftsKeysWithOneUpdateWithoutCollisions)
{
    // Moving a group or a key renumbers the others with a single UPDATE each
    // (after parking the dragged one at 99); the rows pass through numbers
    // that others still hold while the statement runs.
    TestDatabase db;
    for (int g = 1; g <= 4; ++g) {
        db.exec(QStringLiteral("INSERT INTO TPV_CfgPantalla_Grupos (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo, Posicion) "
                               "VALUES (1, 1, %1, %2)").arg(g).arg(9 * ((g - 1) / 3) + 6 + (g - 1) % 3));
        db.exec(QStringLiteral("INSERT INTO TPV_CfgPantalla_Grupos_Lineas (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo, Posicion, Cod_Articulo) "
                               "VALUES (1, 1, 1, %1, %2)").arg(9 * ((g - 1) / 3) + 6 + (g - 1) % 3).arg(100 + g));
    }
    // Group 4 to the front of a "3 x 4" page: the others move one forward.
    db.exec("UPDATE TPV_CfgPantalla_Grupos SET Cod_Grupo=99, Posicion =6  WHERE Cod_Grupo = 4 AND Cod_Empresa = 1 AND Cod_CfgPantalla=1");
    db.exec("UPDATE TPV_CfgPantalla_Grupos SET Cod_Grupo=Cod_Grupo  + 1, Posicion  =((FLOOR(((Cod_Grupo-1) + 1) / 3) + 1) * 6) + ((Cod_Grupo-1) + 1)"
            "  WHERE Cod_Grupo <> 99 AND Cod_Grupo BETWEEN 1 AND 3 AND Cod_Empresa = 1 AND Cod_CfgPantalla=1");
    db.exec("UPDATE TPV_CfgPantalla_Grupos SET Cod_Grupo=1  WHERE Cod_Grupo = 99 AND Cod_Empresa = 1 AND Cod_CfgPantalla=1");
    auto rs = db.conn().query("SELECT Cod_Grupo, Posicion FROM TPV_CfgPantalla_Grupos ORDER BY Cod_Grupo");
    const int expected[4][2] = {{1, 6}, {2, 7}, {3, 8}, {4, 15}};
    for (const auto& e : expected) {
        ASSERT_FALSE(rs.eof());
        EXPECT_EQ(rs["Cod_Grupo"].toInt(), e[0]);
        EXPECT_EQ(rs["Posicion"].toInt(), e[1]);
        rs.moveNext();
    }
    // The first key after the last one: the others move one index back.
    const QString index = "(FLOOR((Posicion - 6) / 3) + (Posicion % 3))";
    db.exec("UPDATE TPV_CfgPantalla_Grupos_Lineas SET  Posicion =99  WHERE Posicion = 6 AND Cod_Empresa = 1 AND Cod_CfgPantalla=1 AND Cod_Grupo = 1");
    db.exec("UPDATE TPV_CfgPantalla_Grupos_Lineas SET  Posicion  =((FLOOR((" + index + " - 1) / 3) + 1) * 6) + (" + index +
            " - 1)  WHERE Posicion<>99 AND Posicion BETWEEN 6 AND 15 AND Cod_Empresa = 1 AND Cod_CfgPantalla=1 AND Cod_Grupo = 1");
    db.exec("UPDATE TPV_CfgPantalla_Grupos_Lineas SET  Posicion= 15 WHERE Posicion = 99 AND Cod_Empresa = 1 AND Cod_CfgPantalla=1 AND Cod_Grupo = 1");
    QStringList keys, positions;
    for (auto k = db.conn().query("SELECT Cod_Articulo, Posicion FROM TPV_CfgPantalla_Grupos_Lineas ORDER BY Posicion"); !k.eof();
         k.moveNext()) {
        keys << k["Cod_Articulo"].toString();
        positions << k["Posicion"].toString();
    }
    EXPECT_EQ(keys.join(','), "102,103,104,101");
    EXPECT_EQ(positions.join(','), "6,7,8,15");
}

TEST(Schema, RowsTheStatementsLeaveToTheDatabase)
{
    TestDatabase db;
    auto& c = db.conn();
    // The history insert names no date and no identity: both come from the table.
    const QDateTime before = QDateTime::currentDateTime().addSecs(-2);
    c.execute("INSERT INTO TPV_Gestor_Mensajes_Historico(Cod_Empresa, Cod_Mensaje, Origen, Usuario, Operacion, Descripcion) VALUES (1, 7, 0, 3, 'A', 'Oferta')");
    c.execute("INSERT INTO TPV_Gestor_Mensajes_Historico(Cod_Empresa, Cod_Mensaje, Origen, Usuario, Operacion, Descripcion) VALUES (1, 7, 0, 3, 'M', 'Oferta 2')");
    auto rs = c.query("SELECT Id, Fecha FROM TPV_Gestor_Mensajes_Historico ORDER BY Id");
    ASSERT_FALSE(rs.eof());
    const int first = rs["Id"].toInt();
    const QDateTime stamp = rs["Fecha"].toDateTime();
    EXPECT_TRUE(stamp.isValid());
    EXPECT_GE(stamp, before);
    EXPECT_LE(stamp, QDateTime::currentDateTime().addSecs(2));
    rs.moveNext();
    EXPECT_EQ(rs["Id"].toInt(), first + 1);
    rs.close();

    // A message number used again after the highest was deleted can be deleted again.
    for (int i = 0; i < 2; ++i)
        c.execute("INSERT INTO TPV_Gestor_Mensajes_Baja (Cod_Empresa, Cod_Mensaje, Origen, Act) SELECT 1, 5, 0, 0");
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes_Baja", "Cod_Mensaje = 5"), 2);

    // Quick-code deletions and parameters are inserted without some columns.
    c.execute("INSERT INTO TPV_CodigosRapido_Baja (Cod_Empresa, Cod_Almacen, Cod_Rapido) VALUES (1, 1, '12')");
    EXPECT_EQ(c.scalar("SELECT Act FROM TPV_CodigosRapido_Baja").toInt(), 0);
    c.execute("INSERT INTO Tpv_Parametros (Cod_Empresa, Cod_Almacen, Codigo, Valor) VALUES (1, 1, 100, 'CABECERA')");
    // Within a scope a code appears once.
    EXPECT_THROW(c.execute("INSERT INTO TPV_Parametros (Cod_Empresa, Cod_Almacen, Codigo, Valor) VALUES (1, 1, 100, 'OTRA')"), Error);
    c.execute("INSERT INTO Tpv_Parametros_Ex (Cod_Empresa, Cod_Almacen, Cod_Tpv, Codigo, Valor) VALUES (1, 1, 2, 100, 'OTRA')");
    // Parking bands get their identity from the table.
    c.execute("INSERT INTO Parking_Gratis (Cod_Empresa, Cod_Almacen, ImporteInicial, ImporteFinal, Minutos) VALUES (1, 1, 10, 10, 30)");
    EXPECT_GT(c.scalar("SELECT Id FROM Parking_Gratis").toInt(), 0);
}

// The screens' own tests run their statements on this schema; these are the
// statements of the ticket invoice and the reservations, whose tables the
// schema keeps for the screens that read them.
TEST(Schema, InvoiceAndReservationStatementsFindEveryColumnTheyRead)
{
    TestDatabase db;
    auto& c = db.conn();
    const db::Dialect& d = c.dialect();
    const QString today = d.date(QDate(2026, 12, 6));
    const QStringList statements = {
        // invoice from ticket
        "SELECT t.*, " + d.isNull("tf.Factura_Codigo", "0") + " AS Factura_Codigo, tf.Nif, tf.Nombre, tf.Nombre_Comercial, tf.Direccion,"
            " tf.CP, tf.Localidad, tf.Provincia, tf.Pais, tf.Telefono FROM TPV_Tickets t LEFT JOIN TPV_Tickets_Factura tf"
            " ON t.Cod_Empresa=tf.Cod_Empresa AND t.Cod_Almacen=tf.Cod_Almacen AND t.Caja=tf.Caja AND t.Fecha=tf.Fecha AND t.Codigo=tf.Codigo"
            " WHERE t.Cod_Empresa =1 AND t.Cod_Almacen =1 AND t.Caja =1 AND t.Fecha =" + today + " AND t.Codigo =1",
        "SELECT Cliente, Dto, Cajero, Enviado FROM TPV_Tickets",
        "SELECT PVP AS Pvp, Cantidad, Dto, Costo, Cod_Articulo FROM TPV_Tickets_Lineas",
        "SELECT Nif, Nombre, Nombre_Comercial, Direccion, Cp, Localidad, Provincia, Pais, F_Nif, F_Razon, F_Direccion, F_Cp,"
        " F_Localidad, F_Provincia, F_Pais, Bloqueado, IntraCom FROM Clientes WHERE Cod_Empresa =1 AND Codigo =1",
        "SELECT Numero FROM Clientes_Telefonos WHERE Cod_Empresa =1 AND Cod_Cliente =1 AND Codigo = 0",
        "SELECT Host, SQLUser, SQLPassword, SQLPort FROM TPVs WHERE EnLinea = 1 AND Codigo= 1",
        "INSERT INTO TPV_Tickets_Factura (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Cliente, Factura_Serie, Factura_Codigo, Nif,"
        " Nombre, Nombre_Comercial, Direccion, CP, Localidad, Provincia, Pais, Telefono, Factura_Fecha, Factura_Almacen, Enviado)"
        " VALUES (1, 1, 1, " + today + ", 1, 5, 11, 1, 'B35123456', 'A', 'B', 'C', 35002, 'D', 'E', 'F', 'G', " + today + ", 1, 1)",
        "UPDATE TPV_Tickets SET Cliente =5, Enviado = 0 WHERE Cod_Empresa =1 AND Cod_Almacen =1 AND Caja =1 AND Fecha =" + today + " AND Codigo =1",
        // reservations
        "SELECT r.*, a.Nombre AS Nomb_Cajero FROM Reservas r LEFT JOIN SGD_Usuarios a ON r.Cajero=a.Codigo WHERE r.Nomb_Cliente LIKE '%a%'"
        " AND r.Fecha BETWEEN " + today + " AND " + today + " AND r.Fecha_Ult_Modificacion BETWEEN " + today + " AND " +
            d.date(QDate(2026, 12, 7)) + " AND r.Cod_Almacen =1 AND r.Pendiente=0 AND r.Anulado=0 ORDER BY r.Fecha DESC, r.Codigo DESC",
        "SELECT Reservas.*," + d.isNull("Agentes.Nombre", "''") + " AS Nombre_Agente, Fecha_Vencimiento, Cod_Cliente, Telefono, Nif,"
        " Domicilio, Paquete, Observaciones, Ult_Dto_Aplicado, Total_Ventas FROM Reservas LEFT JOIN Agentes ON Reservas.Agente=Agentes.Codigo"
        " WHERE Reservas.Codigo=1 AND Reservas.Cod_Empresa=1",
        "SELECT RL.Vendida,RL.Num_Linea, a.Codigo, a.Descripcion, a.Desc_Ticket, " + d.isNull("RL.CualidadX", "0") + " AS CualidadX, " +
            d.isNull("RL.CualidadY", "0") + " AS CualidadY, " + d.isNull("b.Nombre", "''") + " AS NombCualX, " +
            d.isNull("c.Nombre", "''") + " AS NombCualY ,RL.Unidades, RL.Pvp, RL.TipoImpuesto, RL.Serie, RL.Agente, RL.Dto,"
            " ag.Nombre AS Nomb_Agente FROM Reservas_Lineas RL INNER JOIN Articulos A ON A.Codigo=RL.Cod_Articulo AND A.Cod_Empresa=1"
            " LEFT JOIN Cualidades_Des b ON a.Cod_Empresa = b.Cod_Empresa AND a.CualidadX = b.Cod_Cualidad AND b.Codigo = RL.CualidadX"
            " LEFT JOIN Cualidades_Des c ON a.Cod_Empresa = c.Cod_Empresa AND a.CualidadY = c.Cod_Cualidad AND c.Codigo = RL.CualidadY"
            " LEFT JOIN Agentes ag ON ag.Codigo=RL.Agente WHERE RL.Codigo = 1 AND RL.Cod_Empresa=1",
        "SELECT Fecha, Tipo_Pago, Cantidad, Cod_Almacen, Venta, Anulacion, Cambio FROM Reservas_Historico WHERE Cod_Empresa=1 AND Codigo=1 ORDER BY Num_Entrega",
        // the company list
        "SELECT * FROM Empresas ORDER BY Nombre_1",
    };
    for (const QString& sql : statements) {
        try {
            if (sql.startsWith("SELECT"))
                c.query(sql);
            else
                c.execute(sql);
        } catch (const Error& e) {
            ADD_FAILURE() << e.description().toStdString() << "\n  in: " << sql.toStdString();
        }
    }
}
