#include "db/Schema.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SchemaSteps.h"

namespace zqvr::db {

namespace {

// Version 1: the suite's master tables the component reads and the
// point-of-sale tables it reads and writes.
//
// Types are SQLite's: INTEGER for codes and flags, REAL for amounts, TEXT for
// texts, dates ('yyyy-MM-dd') and date-times ('yyyy-MM-dd HH:mm:ss'), BLOB for
// pictures. A SQL Server script would write SMALLINT/INT, MONEY, VARCHAR,
// DATETIME, IMAGE and IDENTITY(1,1) in their place.
const QStringList kVersion1 = {
    // ---- companies, warehouses, terminals ----
    QStringLiteral(R"(CREATE TABLE IF NOT EXISTS Empresas (
        Codigo INTEGER NOT NULL PRIMARY KEY,
        Nombre_1 TEXT NOT NULL DEFAULT '',
        Nombre_2 TEXT NOT NULL DEFAULT '',
        CIF TEXT NOT NULL DEFAULT '',
        Direccion TEXT NOT NULL DEFAULT '',
        Poblacion TEXT NOT NULL DEFAULT '',
        Provincia TEXT NOT NULL DEFAULT '',
        Cod_Postal TEXT NOT NULL DEFAULT '',
        Telefono TEXT NOT NULL DEFAULT ''))"),
    QStringLiteral(R"(CREATE TABLE IF NOT EXISTS Almacenes (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Nombre TEXT NOT NULL DEFAULT '',
        Direccion TEXT NOT NULL DEFAULT '',
        Poblacion TEXT NOT NULL DEFAULT '',
        Telefono TEXT NOT NULL DEFAULT '',
        PRIMARY KEY (Cod_Empresa, Codigo)))"),
    QStringLiteral(R"(CREATE TABLE IF NOT EXISTS TPVs (
        Codigo INTEGER NOT NULL PRIMARY KEY,
        Host TEXT NOT NULL DEFAULT '',
        Descripcion TEXT NOT NULL DEFAULT '',
        Empresa INTEGER NOT NULL DEFAULT 0,
        TarifaPVP INTEGER NOT NULL DEFAULT 0,
        TarifaProm INTEGER NOT NULL DEFAULT 0,
        EnLinea INTEGER NOT NULL DEFAULT 0,
        Almacen INTEGER NOT NULL DEFAULT 0,
        Emergencia INTEGER NOT NULL DEFAULT 0,
        SQLUser TEXT,
        SQLPassword TEXT,
        SQLPort TEXT,
        PostoServerOk INTEGER NOT NULL DEFAULT 0,
        Version TEXT,
        Serial TEXT))"),
    QStringLiteral("CREATE INDEX IF NOT EXISTS IX_TPVs_Empresa ON TPVs (Empresa, Almacen)"),
    QStringLiteral("CREATE INDEX IF NOT EXISTS IX_TPVs_Host ON TPVs (Host)"),
    // Lives in each till's own database; the embedded file carries one too.
    QStringLiteral(R"(CREATE TABLE IF NOT EXISTS TPV_Contador_Ticket_Caja (
        Fecha TEXT NOT NULL PRIMARY KEY,
        Codigo INTEGER NOT NULL DEFAULT 0))"),

    // ---- price lists, discounts, articles, customers, agents ----
    QStringLiteral(R"(CREATE TABLE IF NOT EXISTS Tarifas (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Descripcion TEXT NOT NULL DEFAULT '',
        PRIMARY KEY (Cod_Empresa, Codigo)))"),
    QStringLiteral(R"(CREATE TABLE IF NOT EXISTS Grupos_Descuento (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Descripcion TEXT NOT NULL DEFAULT '',
        PRIMARY KEY (Cod_Empresa, Codigo)))"),
    QStringLiteral(R"(CREATE TABLE IF NOT EXISTS Articulos (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Descripcion TEXT NOT NULL DEFAULT '',
        Desc_Ticket TEXT NOT NULL DEFAULT '',
        PVP REAL NOT NULL DEFAULT 0,
        TipoImpuesto INTEGER NOT NULL DEFAULT 0,
        CualidadX INTEGER NOT NULL DEFAULT 0,
        CualidadY INTEGER NOT NULL DEFAULT 0,
        Imagen BLOB,
        PRIMARY KEY (Cod_Empresa, Codigo)))"),
    QStringLiteral(R"(CREATE TABLE IF NOT EXISTS Clientes (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Nombre TEXT NOT NULL DEFAULT '',
        CIF TEXT NOT NULL DEFAULT '',
        Direccion TEXT NOT NULL DEFAULT '',
        Poblacion TEXT NOT NULL DEFAULT '',
        Provincia TEXT NOT NULL DEFAULT '',
        Cod_Postal TEXT NOT NULL DEFAULT '',
        IntraCom INTEGER NOT NULL DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Codigo)))"),
    QStringLiteral(R"(CREATE TABLE IF NOT EXISTS Agentes (
        Codigo INTEGER NOT NULL PRIMARY KEY,
        Nombre TEXT NOT NULL DEFAULT ''))"),

    // ---- users and rights ----
    QStringLiteral(R"(CREATE TABLE IF NOT EXISTS SGD_Usuarios (
        Codigo INTEGER NOT NULL PRIMARY KEY,
        Nombre TEXT NOT NULL DEFAULT ''))"),
    QStringLiteral(R"(CREATE TABLE IF NOT EXISTS SGD_Usuarios_Almacenes (
        CodUsuario INTEGER NOT NULL,
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        PRIMARY KEY (CodUsuario, Cod_Empresa, Cod_Almacen)))"),
    QStringLiteral(R"(CREATE TABLE IF NOT EXISTS SGD_Usuarios_Derechos (
        Cod_Usuario INTEGER NOT NULL,
        Derecho INTEGER NOT NULL,
        PRIMARY KEY (Cod_Usuario, Derecho)))"),
};

const QString kVersionTable = QStringLiteral("Zqvr_Schema");

bool versionTableExists(Connection& conn)
{
    if (conn.isSQLite())
        return conn.scalar(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table'"
                                          " AND name = 'Zqvr_Schema'"))
                   .toInt() > 0;
    return conn.scalar(QStringLiteral("SELECT COUNT(*) FROM INFORMATION_SCHEMA.TABLES"
                                      " WHERE TABLE_NAME = 'Zqvr_Schema'"))
               .toInt() > 0;
}

} // namespace

namespace schema {

const std::vector<Step>& steps()
{
    static const std::vector<Step> s = {
        {1, kVersion1},
    };
    return s;
}

int recordedVersion(Connection& conn)
{
    if (!versionTableExists(conn))
        return 0;
    return conn.scalar(QStringLiteral("SELECT MAX(Version) FROM Zqvr_Schema")).toInt();
}

void migrate(Connection& conn, const std::vector<Step>& list)
{
    const int target = list.empty() ? 0 : list.back().version;
    const int found = recordedVersion(conn);
    if (found > target)
        throw Error(errc::SchemaTooNew,
                    QStringLiteral("La base de datos fue creada por una versión más reciente de "
                                   "ZQVRTpvs (versión %1); esta versión admite hasta la %2.")
                        .arg(found)
                        .arg(target));
    if (found == target)
        return;

    TransactionGuard guard(conn, TransactionGuard::Write);
    // Read again under the write lock: another program may have upgraded the
    // file between the first look and the lock.
    const int current = recordedVersion(conn);
    if (current > target)
        throw Error(errc::SchemaTooNew,
                    QStringLiteral("La base de datos fue creada por una versión más reciente de "
                                   "ZQVRTpvs (versión %1); esta versión admite hasta la %2.")
                        .arg(current)
                        .arg(target));
    conn.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS Zqvr_Schema (Version INTEGER NOT NULL)"));
    for (const Step& step : list) {
        if (step.version <= current)
            continue;
        for (const QString& sql : step.statements)
            conn.execute(sql);
    }
    conn.execute(QStringLiteral("DELETE FROM Zqvr_Schema"));
    conn.execute(QStringLiteral("INSERT INTO Zqvr_Schema (Version) VALUES (%1)").arg(target));
    guard.commit();
}

} // namespace schema

int Schema::currentVersion() { return schema::steps().back().version; }

int Schema::versionOf(Connection& conn) { return schema::recordedVersion(conn); }

void Schema::ensure(Connection& conn)
{
    // A server database belongs to the suite, which keeps its schema itself.
    if (!conn.isSQLite())
        return;
    schema::migrate(conn, schema::steps());
}

} // namespace zqvr::db
