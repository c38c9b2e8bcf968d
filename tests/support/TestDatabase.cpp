#include "support/TestDatabase.h"

#include "demo/DemoData.h"
#include "db/Error.h"
#include "db/Schema.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QStringList>

namespace zqvr::test {

namespace {

QString serverDsn() { return qEnvironmentVariable("ZQVR_PG_ODBC"); }

std::unique_ptr<db::Connection> openAdmin()
{
    return db::Connection::open(QStringLiteral("odbc:") + serverDsn() + QStringLiteral(";Database=postgres"));
}

int g_databases = 0;
QStringList g_leftOver;

// Databases a test made with newServerDatabase(): dropped when the process ends.
void dropLeftOver()
{
    if (g_leftOver.isEmpty())
        return;
    try {
        auto admin = openAdmin();
        for (const QString& name : std::as_const(g_leftOver))
            admin->execute(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
    } catch (const Error&) {
        // The cluster is thrown away with its folder at the end of the run.
    }
    g_leftOver.clear();
}

QString uniqueName(const char* kind)
{
    return QStringLiteral("zt_%1_%2_%3").arg(QLatin1String(kind)).arg(QCoreApplication::applicationPid()).arg(++g_databases);
}

// The template every test database is copied from: made once per cluster
// (under an advisory lock, since tests run in parallel processes).
QString templateDatabase(db::Connection& admin)
{
    const QString name = QStringLiteral("zqvr_tpl_v%1").arg(db::Schema::currentVersion());
    admin.execute(QStringLiteral("SELECT pg_advisory_lock(4242)"));
    try {
        const bool exists =
            admin.scalar(QStringLiteral("SELECT COUNT(*) FROM pg_database WHERE datname = '%1'").arg(name)).toInt() > 0;
        if (!exists) {
            const QString building = name + QStringLiteral("_new");
            admin.execute(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(building));
            admin.execute(QStringLiteral("CREATE DATABASE %1").arg(building));
            {
                auto conn = db::Connection::open(QStringLiteral("odbc:") + serverDsn() + QStringLiteral(";Database=") +
                                                 building);
                db::Schema::ensure(*conn);
            }
            admin.execute(QStringLiteral("ALTER DATABASE %1 RENAME TO %2").arg(building, name));
        }
    } catch (...) {
        admin.execute(QStringLiteral("SELECT pg_advisory_unlock(4242)"));
        throw;
    }
    admin.execute(QStringLiteral("SELECT pg_advisory_unlock(4242)"));
    return name;
}

} // namespace

bool onServer()
{
    return qEnvironmentVariable("ZQVR_TEST_ENGINE").compare(QLatin1String("postgresql"), Qt::CaseInsensitive) == 0;
}

QString newServerDatabase()
{
    auto admin = openAdmin();
    const QString name = uniqueName("x");
    admin->execute(QStringLiteral("CREATE DATABASE %1").arg(name));
    if (g_leftOver.isEmpty())
        qAddPostRoutine(dropLeftOver);
    g_leftOver << name;
    return QStringLiteral("odbc:") + serverDsn() + QStringLiteral(";Database=") + name;
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
        auto admin = openAdmin();
        const QString tpl = templateDatabase(*admin);
        m_serverDatabase = uniqueName("t");
        admin->execute(QStringLiteral("CREATE DATABASE %1 TEMPLATE %2").arg(m_serverDatabase, tpl));
        m_connectionString = QStringLiteral("odbc:") + serverDsn() + QStringLiteral(";Database=") + m_serverDatabase;
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
    if (m_dir)
        m_empresa->setRutaAplicacion(m_dir->path());
}

TestDatabase::~TestDatabase()
{
    m_conn.reset();
    if (m_serverDatabase.isEmpty())
        return;
    try {
        openAdmin()->execute(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_serverDatabase));
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
}

int TestDatabase::count(const QString& table, const QString& where)
{
    QString sql = QStringLiteral("SELECT COUNT(*) FROM ") + table;
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    return m_conn->scalar(sql).toInt();
}

} // namespace zqvr::test
