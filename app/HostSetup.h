#pragma once
// What the demo host does before it shows anything: find its database and
// its configuration, open the connection, make sure the schema is there
// (creating the demo data on first run) and fill the company object.
#include "db/Connection.h"
#include "frame/Services.h"
#include "host/Empresa.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace brevanto {

// Messages of an unattended run: written to the error output, answered with the default button.
class ConsoleMessages final : public zqvr::frame::MessageService {
public:
    zqvr::frame::MsgResult show(const zqvr::frame::Message& m) override;
};

struct HostOptions {
    QString dbPath;     // --db PATH; default: <data folder>/brevanto-demo.db
    // --connection TEXT: a connection string instead of the file, e.g.
    // "odbc:DSN=brevanto" for a database server (schema and demo data made
    // on the first start when the database is empty).
    QString connection;
    QString configPath; // --config PATH; default: <config folder>/Brevanto/brevanto-host.conf
    double demoScale = 1.0; // --scale N: size of the demo data made on first run
    QStringList open;       // --open PROGID (repeatable): entry classes shown at start
    bool controlsPage = false; // --controls: the controls page shown at start
    // --pdf FILE: after opening the --open classes, print the controls page's
    // article list into FILE through the report layouts and exit (the
    // installation check: screens open and the layouts are found).
    QString pdfPath;
    // --refresh-picture ARTICLE FILE: run the touch-screen picture refresh and exit.
    bool refreshPicture = false;
    int refreshArticle = 0;
    QString refreshFile;
};

// Parses the command line; returns false (with a message) on a bad argument.
bool parseArguments(const QStringList& args, HostOptions& options, QString& message);

// The installation folder (RutaAplicacion): the program's own folder in a
// build tree, where Rpt/ is copied beside it; the shared data folder
// (<prefix>/share/brevanto) once installed.
QString installationFolder(const QString& programFolder);

QString defaultDatabasePath();
QString defaultConfigPath();
// Writes the default configuration when the file does not exist yet.
void writeDefaultConfig(const QString& path, const QString& appFolder);

// The database as the host names it on screen and in its output: the file,
// or the server's connection string with every password value hidden.
QString databaseShown(const HostOptions& options);

// The error number of a demo data set the user cancelled on first start.
constexpr long kDemoCancelled = 50101;

// Opens (or creates) the database and brings its schema up to date; a new
// database gets the demo data, with a progress window that can cancel it
// (kDemoCancelled; the new file is removed). Throws zqvr::Error with a clear message.
std::unique_ptr<zqvr::db::Connection> openDemoDatabase(const HostOptions& options, bool* created = nullptr);

// The invoice copies (TipoDoc_n, SelectDf_n) of the demo, for a configuration written before they existed.
void applyDemoInvoiceCopies(zqvr::host::Empresa& empresa);

} // namespace brevanto
