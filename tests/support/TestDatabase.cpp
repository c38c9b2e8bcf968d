#include "support/TestDatabase.h"

#include "demo/DemoData.h"
#include "db/Schema.h"

#include <QCryptographicHash>
#include <QFile>

namespace zqvr::test {

QByteArray fileHash(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

TestDatabase::TestDatabase(Kind kind)
{
    if (kind == File) {
        m_dir = std::make_unique<QTemporaryDir>();
        m_path = m_dir->filePath(QStringLiteral("test.db"));
    } else {
        m_path = QStringLiteral(":memory:");
    }
    m_conn = db::Connection::open(QStringLiteral("sqlite:") + m_path);
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

TestDatabase::~TestDatabase() = default;

std::unique_ptr<db::Connection> TestDatabase::openAnother()
{
    return db::Connection::open(QStringLiteral("sqlite:") + m_path);
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
