// brevanto-host: the demo host. It opens the embedded database (created with
// the demo data on first run), makes the company object and the connection,
// and lets the user open every entry class of the library.
#include "ControlsDemoPage.h"
#include "HostSetup.h"
#include "LauncherWindow.h"

#include "component/ZQVRTpvs.h"

#include "db/Error.h"
#include "frame/QtTranslations.h"
#include "frame/Services.h"
#include "host/Empresa.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("brevanto-host"));
    QApplication::setOrganizationName(QStringLiteral("Brevanto"));
    // Standard buttons and dialogs in the screens' language.
    zqvr::frame::installQtTranslations();

    brevanto::HostOptions options;
    QString message;
    if (!brevanto::parseArguments(QApplication::arguments(), options, message)) {
        QTextStream(stderr) << message << "\n";
        return message.startsWith(QLatin1String("Uso:")) ? 0 : 2;
    }

    // The installation folder: where the report layouts (Rpt/) and the remote viewer live.
    const QString appFolder = brevanto::installationFolder(QApplication::applicationDirPath());
    brevanto::writeDefaultConfig(options.configPath, appFolder);
    zqvr::host::Empresa empresa;
    empresa.setRutaAplicacion(appFolder);
    QString configError;
    if (!zqvr::host::loadEmpresaSettings(empresa, options.configPath, &configError))
        QTextStream(stderr) << "No se pudo leer " << options.configPath << ": " << configError << "\n";
    brevanto::applyDemoInvoiceCopies(empresa);
    // A configuration written by a build elsewhere may name a folder without
    // the report layouts: this program's own folder has them.
    if (!QFileInfo(empresa.RutaAplicacion() + QStringLiteral("/Rpt")).isDir()
        && QFileInfo(appFolder + QStringLiteral("/Rpt")).isDir()) {
        QTextStream(stderr) << "RutaAplicacion " << empresa.RutaAplicacion() << " no tiene Rpt/; se usa " << appFolder << "\n";
        empresa.setRutaAplicacion(appFolder);
    }

    std::unique_ptr<zqvr::db::Connection> conn;
    try {
        bool created = false;
        conn = brevanto::openDemoDatabase(options, &created);
        if (created)
            QTextStream(stdout) << "Base de datos de demostración creada en " << brevanto::databaseShown(options) << "\n";
    } catch (const zqvr::Error& e) {
        const QString where = brevanto::databaseShown(options);
        QTextStream(stderr) << "No se pudo abrir la base de datos " << where << ": " << e.description() << "\n";
        if (e.number() == brevanto::kDemoCancelled)
            return 1; // the user's own choice: no box to tell them
        zqvr::frame::msgBox(QStringLiteral("No se pudo abrir la base de datos %1:\n%2").arg(where, e.description()),
                            QStringLiteral("Brevanto"), zqvr::frame::MsgIcon::Critical);
        return 1;
    }

    if (options.refreshPicture) {
        // The windowless entry class, reached late-bound as any host reaches it.
        std::unique_ptr<QObject> cls(ZQVRTpvs_CreateObject("ZQVRTpvs.clsCfgPantallaTactil"));
        cls->setProperty("EmpresaBrevanto", QVariant::fromValue<QObject*>(&empresa));
        cls->setProperty("ConexionBrevanto", QVariant::fromValue<QObject*>(conn.get()));
        try {
            int changed = 0;
            QMetaObject::invokeMethod(cls.get(), "ActualizarImagenesFicha", Q_RETURN_ARG(int, changed),
                                      Q_ARG(int, options.refreshArticle), Q_ARG(QString, options.refreshFile));
            QTextStream(stdout) << "Teclas actualizadas: " << changed << "\n";
            return 0;
        } catch (const zqvr::Error& e) {
            QTextStream(stderr) << e.source() << ": " << e.description() << "\n";
            return 1;
        }
    }

    // The company object reads its tax rates through the host's connection.
    empresa.setConexion(conn.get());
    brevanto::LauncherWindow window(conn.get(), &empresa, brevanto::databaseShown(options));
    if (!options.pdfPath.isEmpty()) {
        // Unattended: what a screen would show in a box goes to the error output.
        zqvr::frame::Services::setMessages(std::make_shared<brevanto::ConsoleMessages>());
    }
    window.show();
    for (const QString& progId : options.open)
        window.openClass(progId);
    if (!options.pdfPath.isEmpty()) {
        brevanto::ControlsDemoPage page(conn.get(), &empresa);
        page.printArticles(options.pdfPath);
        const bool written = QFileInfo(options.pdfPath).size() > 0;
        if (written)
            QTextStream(stdout) << "Informe escrito en " << options.pdfPath << "\n";
        return written ? 0 : 1;
    }
    if (options.controlsPage)
        window.openControlsPage();
    const int rc = QApplication::exec();
    return rc;
}
