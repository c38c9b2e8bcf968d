#include "support/TestDatabase.h"

#include "demo/DemoData.h"
#include "demo/DemoInvoicing.h"
#include "db/Error.h"
#include "db/Schema.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QStringList>

namespace zqvr::test {

namespace {

// Every test database on the server is a schema of its own in one database,
// copied from a template schema that holds the tables: a schema is made in a
// few milliseconds where a database takes most of a second.
const QString kTestDatabase = QStringLiteral("zqvr_tests");

QString serverDsn() { return qEnvironmentVariable("ZQVR_PG_ODBC"); }

QString schemaConnection(const QString& schema)
{
    return QStringLiteral("odbc:") + serverDsn() + QStringLiteral(";Database=") + kTestDatabase +
           QStringLiteral(";ConnSettings={SET search_path TO ") + schema + QStringLiteral("}");
}

std::unique_ptr<db::Connection> openAdmin()
{
    return db::Connection::open(QStringLiteral("odbc:") + serverDsn() + QStringLiteral(";Database=") + kTestDatabase);
}

int g_databases = 0;
QStringList g_leftOver;

// Schemas a test made with newServerDatabase(): dropped when the process ends.
void dropLeftOver()
{
    if (g_leftOver.isEmpty())
        return;
    try {
        auto admin = openAdmin();
        for (const QString& name : std::as_const(g_leftOver))
            admin->execute(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(name));
    } catch (const Error&) {
        // The cluster is thrown away with its folder at the end of the run.
    }
    g_leftOver.clear();
}

QString uniqueName(const char* kind)
{
    return QStringLiteral("zt_%1_%2_%3").arg(QLatin1String(kind)).arg(QCoreApplication::applicationPid()).arg(++g_databases);
}

// The test database, the copying function and the template schema: made once
// per cluster, under an advisory lock, since tests run in parallel processes.
QString templateSchema()
{
    const QString name = QStringLiteral("zqvr_tpl_v%1").arg(db::Schema::currentVersion());
    static bool ready = false;
    if (ready)
        return name;
    {
        auto server = db::Connection::open(QStringLiteral("odbc:") + serverDsn() + QStringLiteral(";Database=postgres"));
        server->execute(QStringLiteral("SELECT pg_advisory_lock(4241)"));
        const bool exists =
            server->scalar(QStringLiteral("SELECT COUNT(*) FROM pg_database WHERE datname = '%1'").arg(kTestDatabase)).toInt() > 0;
        if (!exists)
            server->execute(QStringLiteral("CREATE DATABASE %1").arg(kTestDatabase));
        server->execute(QStringLiteral("SELECT pg_advisory_unlock(4241)"));
    }
    auto admin = openAdmin();
    admin->execute(QStringLiteral("SELECT pg_advisory_lock(4242)"));
    try {
        const bool exists =
            admin->scalar(QStringLiteral("SELECT COUNT(*) FROM information_schema.schemata WHERE schema_name = '%1'").arg(name))
                .toInt() > 0;
        if (!exists) {
            admin->execute(QStringLiteral(
                "CREATE OR REPLACE FUNCTION zqvr_clone_schema(src text, dst text) RETURNS void LANGUAGE plpgsql AS $$ "
                "DECLARE t record; BEGIN "
                "EXECUTE format('CREATE SCHEMA %I', dst); "
                "FOR t IN SELECT tablename FROM pg_tables WHERE schemaname = src LOOP "
                "EXECUTE format('CREATE TABLE %I.%I (LIKE %I.%I INCLUDING ALL)', dst, t.tablename, src, t.tablename); "
                "EXECUTE format('INSERT INTO %I.%I SELECT * FROM %I.%I', dst, t.tablename, src, t.tablename); "
                "END LOOP; END $$"));
            const QString building = name + QStringLiteral("_new");
            admin->execute(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(building));
            admin->execute(QStringLiteral("CREATE SCHEMA %1").arg(building));
            {
                auto conn = db::Connection::open(schemaConnection(building));
                db::Schema::ensure(*conn);
            }
            admin->execute(QStringLiteral("ALTER SCHEMA %1 RENAME TO %2").arg(building, name));
        }
    } catch (...) {
        admin->execute(QStringLiteral("SELECT pg_advisory_unlock(4242)"));
        throw;
    }
    admin->execute(QStringLiteral("SELECT pg_advisory_unlock(4242)"));
    ready = true;
    return name;
}

} // namespace

bool onServer()
{
    return qEnvironmentVariable("ZQVR_TEST_ENGINE").compare(QLatin1String("postgresql"), Qt::CaseInsensitive) == 0;
}

QString newServerDatabase()
{
    templateSchema();
    auto admin = openAdmin();
    const QString name = uniqueName("x");
    admin->execute(QStringLiteral("CREATE SCHEMA %1").arg(name));
    if (g_leftOver.isEmpty())
        qAddPostRoutine(dropLeftOver);
    g_leftOver << name;
    return schemaConnection(name);
}

QByteArray fileHash(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

TestDatabase::TestDatabase(Kind kind)
{
    if (kind == File || onServer()) {
        // Also on the server: the host's installation folder (reports, pictures) lives here.
        m_dir = std::make_unique<QTemporaryDir>();
        m_path = m_dir->filePath(QStringLiteral("test.db"));
    } else {
        m_path = QStringLiteral(":memory:");
    }
    if (onServer()) {
        if (serverDsn().isEmpty())
            throw Error(errc::ConnectionFailed,
                        QStringLiteral("No hay servidor PostgreSQL de pruebas (ZQVR_PG_ODBC): ejecute scripts/test.sh."));
        const QString tpl = templateSchema();
        m_serverDatabase = uniqueName("t");
        openAdmin()->execute(QStringLiteral("SELECT zqvr_clone_schema('%1', '%2')").arg(tpl, m_serverDatabase));
        m_connectionString = schemaConnection(m_serverDatabase);
    } else {
        m_connectionString = QStringLiteral("sqlite:") + m_path;
    }
    m_conn = db::Connection::open(m_connectionString);
    db::Schema::ensure(*m_conn);
    m_empresa = std::make_unique<host::Empresa>();
    m_empresa->setCodigoEmpresa(1);
    m_empresa->setEmpresaArticulos(1);
    m_empresa->setEmpresaClientes(1);
    m_empresa->setDecimalesPrecio(2);
    m_empresa->setVariable(QStringLiteral("UsuarioActual"), 1);
    m_empresa->setConexion(m_conn.get());
    if (m_dir)
        m_empresa->setRutaAplicacion(m_dir->path());
}

TestDatabase::~TestDatabase()
{
    m_conn.reset();
    if (m_serverDatabase.isEmpty())
        return;
    try {
        openAdmin()->execute(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(m_serverDatabase));
    } catch (const Error&) {
        // The cluster is thrown away with its folder at the end of the run.
    }
}

std::unique_ptr<db::Connection> TestDatabase::openAnother()
{
    return db::Connection::open(m_connectionString);
}

void TestDatabase::fillDemo(double scale)
{
    demo::DemoOptions o;
    o.scale = scale;
    o.today = QDate(2026, 12, 6);
    demo::DemoData::generate(*m_conn, o);
    // The demo's till file beside the central file; for a database on the
    // server, where its file would be.
    if (onServer())
        demo::DemoInvoicing::makeTillDatabases(*m_conn, m_path);
}

int TestDatabase::count(const QString& table, const QString& where)
{
    QString sql = QStringLiteral("SELECT COUNT(*) FROM ") + table;
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    return m_conn->scalar(sql).toInt();
}

} // namespace zqvr::test
