#include "host/TillConnector.h"

#include "db/Connection.h"
#include "db/Error.h"

#include <QDir>
#include <QFileInfo>
#include <mutex>

namespace zqvr::host {

namespace {
std::mutex g_lock;
std::shared_ptr<TillConnector>& installed()
{
    static std::shared_ptr<TillConnector> c;
    return c;
}

int serverPort(int port) { return port == 0 ? 1433 : port; }
} // namespace

QString tillDataSource(const QString& host, int port)
{
    if (port == 0 || port == 1433)
        return host;
    return host + QLatin1Char(',') + QString::number(port);
}

QString odbcValue(const QString& value)
{
    QString v = value;
    v.replace(QLatin1Char('}'), QStringLiteral("}}"));
    return QLatin1Char('{') + v + QLatin1Char('}');
}

QString tillOdbcConnectionString(const TillLogin& login)
{
    return QStringLiteral("Driver=FreeTDS;Server=") + odbcValue(login.host) + QStringLiteral(";Port=") +
           odbcValue(QString::number(serverPort(login.port))) + QStringLiteral(";Database=") +
           odbcValue(QString::fromLatin1(kTillCatalog)) + QStringLiteral(";UID=") + odbcValue(login.user) +
           QStringLiteral(";PWD=") + odbcValue(login.password) + QStringLiteral(";TDS_Version=7.4;ClientCharset=UTF-8");
}

std::shared_ptr<TillConnector> TillConnector::current()
{
    std::lock_guard<std::mutex> g(g_lock);
    if (!installed())
        installed() = std::make_shared<OdbcTillConnector>();
    return installed();
}

void TillConnector::install(std::shared_ptr<TillConnector> connector)
{
    std::lock_guard<std::mutex> g(g_lock);
    installed() = std::move(connector);
}

std::unique_ptr<db::Connection> OdbcTillConnector::open(const TillLogin& login)
{
    if (login.host.trimmed().isEmpty())
        throw Error(errc::ConnectionFailed, QStringLiteral("La caja no tiene indicado el nombre de su equipo."),
                    QStringLiteral("OdbcTillConnector::open"));
    // An unreachable till costs the user seconds, not the driver's minutes.
    return db::Connection::open(QStringLiteral("odbc:") + tillOdbcConnectionString(login), kTillLoginTimeoutSeconds);
}

QString FileTillConnector::pathFor(const QString& host) const
{
    return QDir(m_folder).filePath(m_prefix + host.trimmed() + QStringLiteral(".db"));
}

std::unique_ptr<db::Connection> FileTillConnector::open(const TillLogin& login)
{
    const QString host = login.host.trimmed();
    // A host name is a file name here: nothing that leaves the folder.
    if (host.isEmpty() || host.contains(QLatin1Char('/')) || host.contains(QLatin1Char('\\')) || host.startsWith(QLatin1Char('.')))
        throw Error(errc::ConnectionFailed, QStringLiteral("El equipo de la caja \"%1\" no es válido.").arg(host),
                    QStringLiteral("FileTillConnector::open"));
    const QString path = pathFor(host);
    if (!QFileInfo(path).isFile())
        throw Error(errc::ConnectionFailed, QStringLiteral("No se encuentra la base de datos de la caja \"%1\".").arg(host),
                    QStringLiteral("FileTillConnector::open"));
    return db::Connection::open(QStringLiteral("sqlite:") + path);
}

} // namespace zqvr::host
