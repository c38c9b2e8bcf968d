#include "HostSetup.h"

#include "controls/Progress.h"
#include "demo/DemoData.h"
#include "demo/DemoInvoicing.h"
#include "host/TillConnector.h"
#include "db/Error.h"
#include "db/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
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
        } else if (a == QLatin1String("--connection")) {
            if (!next(options.connection))
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
        } else if (a == QLatin1String("--pdf")) {
            if (!next(options.pdfPath))
                return false;
        } else if (a == QLatin1String("--controls")) {
            options.controlsPage = true;
        } else if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            message = QStringLiteral("Uso: brevanto-host [--db FICHERO | --connection CADENA] [--config FICHERO] [--scale N] [--open PROGID]... [--controls] [--pdf FICHERO] [--refresh-picture ARTICULO FICHERO]");
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

zqvr::frame::MsgResult ConsoleMessages::show(const zqvr::frame::Message& m)
{
    QTextStream(stderr) << m.caption << ": " << m.text << "\n";
    return m.defaultButton;
}

QString installationFolder(const QString& programFolder)
{
    if (QFileInfo(programFolder + QStringLiteral("/Rpt")).isDir())
        return programFolder;
    const QString shared = QDir::cleanPath(programFolder + QStringLiteral("/" ZQVR_SHARED_FOLDER));
    if (QFileInfo(shared + QStringLiteral("/Rpt")).isDir())
        return shared;
    return programFolder;
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
           "NoProcesarPermisosControles = 0\n"
           "# Copies of an invoice made from a ticket: name and whether it is checked at first.\n"
           "TipoDoc_1 = Original\n"
           "SelectDf_1 = 1\n"
           "TipoDoc_2 = Copia Cliente\n"
           "SelectDf_2 = 1\n"
           "TipoDoc_3 = Copia Contabilidad\n"
           "SelectDf_3 = 0\n";
}

QString databaseShown(const HostOptions& options)
{
    if (options.connection.isEmpty())
        return options.dbPath;
    static const QRegularExpression password(QStringLiteral("(^|;|:)(\\s*(?:PWD|Password)\\s*=\\s*)(\\{(?:[^}]|\\}\\})*\\}|[^;]*)"),
                                             QRegularExpression::CaseInsensitiveOption);
    QString shown = options.connection;
    shown.replace(password, QStringLiteral("\\1\\2****"));
    return shown;
}

std::unique_ptr<zqvr::db::Connection> openDemoDatabase(const HostOptions& options, bool* created)
{
    const bool onServer = !options.connection.isEmpty();
    const QFileInfo fi(options.dbPath);
    const bool existed = onServer || fi.exists();
    if (!onServer)
        QDir().mkpath(fi.absolutePath());
    auto conn = zqvr::db::Connection::open(onServer ? options.connection : QStringLiteral("sqlite:") + options.dbPath);
    const int version = zqvr::db::Schema::versionOf(*conn);
    zqvr::db::Schema::ensure(*conn); // refuses a newer file and changes nothing
    if (created)
        *created = version == 0;
    if (version == 0) {
        zqvr::demo::DemoOptions demo;
        demo.scale = options.demoScale;
        try {
            // A large --scale takes minutes: the tickets are counted, and a cancel writes nothing.
            zqvr::controls::Progress progress(QStringLiteral("Creando los datos de demostración: tickets"),
                                              static_cast<long long>(demo.scale * zqvr::demo::DemoData::ticketsPerScale));
            demo.progress = [&](long long done, long long total) {
                progress.setTotal(total);
                return progress.advance(done);
            };
            if (zqvr::demo::DemoData::generate(*conn, demo).cancelled)
                throw Error(kDemoCancelled, QStringLiteral("Se canceló la creación de los datos de demostración."));
        } catch (const Error&) {
            // Leave no half-made demo file behind: the next start makes it again.
            conn.reset();
            if (!existed)
                QFile::remove(options.dbPath);
            throw;
        }
    }
    // The demo's tills keep their databases as files beside the demo database;
    // with the demo database on a server, in the same folder under a name of
    // their own, so that the embedded demo's tills are never taken for them.
    const QString besidePath = onServer ? QDir(fi.absolutePath()).filePath(QStringLiteral("servidor.db")) : options.dbPath;
    QDir().mkpath(fi.absolutePath());
    const QString tillFile = zqvr::demo::DemoInvoicing::tillPath(besidePath, zqvr::demo::DemoInvoicing::tillHost());
    // Fresh demo data on a server get fresh tills: a till file left by an
    // earlier database would not match (an embedded file's are made with its data).
    if (!QFileInfo::exists(tillFile) || (onServer && version == 0))
        zqvr::demo::DemoInvoicing::makeTillDatabases(*conn, besidePath);
    zqvr::host::TillConnector::install(std::make_shared<zqvr::host::FileTillConnector>(
        zqvr::demo::DemoInvoicing::tillFolder(besidePath), zqvr::demo::DemoInvoicing::tillPrefix(besidePath)));
    return conn;
}

void applyDemoInvoiceCopies(zqvr::host::Empresa& empresa)
{
    if (empresa.Variable(QStringLiteral("TipoDoc_1")).isValid())
        return;
    empresa.setVariable(QStringLiteral("TipoDoc_1"), QStringLiteral("Original"));
    empresa.setVariable(QStringLiteral("SelectDf_1"), 1);
    empresa.setVariable(QStringLiteral("TipoDoc_2"), QStringLiteral("Copia Cliente"));
    empresa.setVariable(QStringLiteral("SelectDf_2"), 1);
    empresa.setVariable(QStringLiteral("TipoDoc_3"), QStringLiteral("Copia Contabilidad"));
    empresa.setVariable(QStringLiteral("SelectDf_3"), 0);
}

} // namespace brevanto
