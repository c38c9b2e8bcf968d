#include "HostSetup.h"

#include "demo/DemoData.h"
#include "db/Error.h"
#include "db/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

namespace brevanto {

using zqvr::Error;

bool parseArguments(const QStringList& args, HostOptions& options, QString& message)
{
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args.at(i);
        auto next = [&](QString& out) {
            if (i + 1 >= args.size()) {
                message = QStringLiteral("Falta el valor de %1.").arg(a);
                return false;
            }
            out = args.at(++i);
            return true;
        };
        if (a == QLatin1String("--db")) {
            if (!next(options.dbPath))
                return false;
        } else if (a == QLatin1String("--config")) {
            if (!next(options.configPath))
                return false;
        } else if (a == QLatin1String("--scale")) {
            QString v;
            if (!next(v))
                return false;
            bool ok = false;
            options.demoScale = v.toDouble(&ok);
            if (!ok || options.demoScale <= 0) {
                message = QStringLiteral("Escala no válida: %1").arg(v);
                return false;
            }
        } else if (a == QLatin1String("--open")) {
            QString v;
            if (!next(v))
                return false;
            options.open << v;
        } else if (a == QLatin1String("--refresh-picture")) {
            QString article;
            if (!next(article) || !next(options.refreshFile))
                return false;
            bool ok = false;
            options.refreshArticle = article.toInt(&ok);
            if (!ok) {
                message = QStringLiteral("Código de artículo no válido: %1").arg(article);
                return false;
            }
            options.refreshPicture = true;
        } else if (a == QLatin1String("--controls")) {
            options.controlsPage = true;
        } else if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            message = QStringLiteral("Uso: brevanto-host [--db FICHERO] [--config FICHERO] [--scale N] [--open PROGID]... [--controls] [--refresh-picture ARTICULO FICHERO]");
            return false;
        } else {
            message = QStringLiteral("Argumento desconocido: %1").arg(a);
            return false;
        }
    }
    if (options.dbPath.isEmpty())
        options.dbPath = defaultDatabasePath();
    if (options.configPath.isEmpty())
        options.configPath = defaultConfigPath();
    return true;
}

QString defaultDatabasePath()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dir.isEmpty())
        dir = QDir::homePath() + QStringLiteral("/.local/share");
    return dir + QStringLiteral("/Brevanto/brevanto-demo.db");
}

QString defaultConfigPath()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (dir.isEmpty())
        dir = QDir::homePath() + QStringLiteral("/.config");
    return dir + QStringLiteral("/Brevanto/brevanto-host.conf");
}

void writeDefaultConfig(const QString& path, const QString& appFolder)
{
    if (QFileInfo::exists(path))
        return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text))
        return;
    QTextStream out(&f);
    out << "# Demo host settings: the company object's members and the named values\n"
           "# the host keeps for the logged-in user (read through Variable).\n"
           "CodigoEmpresa = 1\n"
           "EmpresaArticulos = 1\n"
           "EmpresaClientes = 1\n"
           "DecimalesPrecio = 2\n"
        << "RutaAplicacion = " << appFolder << "\n"
        << "IndicadorReservas = S\n"
           "SumarImpuestos = 1\n"
           "UsuarioActual = 1\n"
           "Tpv_ModoOpVtasEstadoTpvs = 0\n"
           "Tpv_HabilitarParamTpv = 1\n"
           "OficinaCentral = 1\n"
           "EsFenvary = 0\n"
           "Almacen_PD = 1\n"
           "NombreTarjetaClub = Tarjeta Club\n"
           "Tpv_Mensajes_CodigoOrigen = 1\n"
           "NoProcesarPermisosControles = 0\n";
}

std::unique_ptr<zqvr::db::Connection> openDemoDatabase(const HostOptions& options, bool* created)
{
    const QFileInfo fi(options.dbPath);
    const bool existed = fi.exists();
    QDir().mkpath(fi.absolutePath());
    auto conn = zqvr::db::Connection::open(QStringLiteral("sqlite:") + options.dbPath);
    const int version = zqvr::db::Schema::versionOf(*conn);
    zqvr::db::Schema::ensure(*conn); // refuses a newer file and changes nothing
    if (created)
        *created = version == 0;
    if (version == 0) {
        zqvr::demo::DemoOptions demo;
        demo.scale = options.demoScale;
        try {
            zqvr::demo::DemoData::generate(*conn, demo);
        } catch (const Error&) {
            // Leave no half-made demo file behind: the next start makes it again.
            conn.reset();
            if (!existed)
                QFile::remove(options.dbPath);
            throw;
        }
    }
    return conn;
}

} // namespace brevanto
