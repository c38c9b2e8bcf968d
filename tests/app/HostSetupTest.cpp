// The demo host's first start: the demo data made behind a progress window
// that can cancel it without leaving a file, and the installation folder
// found beside the program or, once installed, in the shared folder.
#include "HostSetup.h"

#include "controls/Progress.h"
#include "db/Error.h"
#include "host/TillConnector.h"
#include "support/TestDatabase.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(HostSetup, CancellingTheDemoDataLeavesNoDatabaseFileAndTheNextStartMakesIt)
{
    QTemporaryDir dir;
    brevanto::HostOptions options;
    options.dbPath = dir.filePath("datos/demo.db");
    options.demoScale = 0.5;
    zqvr::controls::Progress::setShowAfter(0);
    QString label;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        label = dlg->labelText();
        for (QAbstractButton* b : dlg->findChildren<QAbstractButton*>())
            if (b->text() == QLatin1String("Cancelar"))
                b->click();
    });
    try {
        brevanto::openDemoDatabase(options);
        ADD_FAILURE() << "a cancelled demo set must not open";
    } catch (const zqvr::Error& e) {
        EXPECT_EQ(e.number(), brevanto::kDemoCancelled);
    }
    zqvr::controls::Progress::setShowAfter(500);
    EXPECT_EQ(label, QStringLiteral("Creando los datos de demostración: tickets\n256 de 1000"));
    EXPECT_FALSE(QFileInfo::exists(options.dbPath));

    bool created = false;
    auto conn = brevanto::openDemoDatabase(options, &created);
    EXPECT_TRUE(created);
    EXPECT_EQ(conn->scalar(QStringLiteral("SELECT COUNT(*) FROM TPV_Tickets")).toInt(), 1000);
}

TEST(HostSetup, TheInstallationFolderIsTheProgramsOwnUntilInstalled)
{
    QTemporaryDir root;
    const QString bin = root.filePath("usr/bin");
    const QString shared = root.filePath("usr/share/brevanto");
    ASSERT_TRUE(QDir().mkpath(bin));
    EXPECT_EQ(brevanto::installationFolder(bin), bin) << "nothing anywhere: the program's folder";
    ASSERT_TRUE(QDir().mkpath(shared + "/Rpt"));
    EXPECT_EQ(brevanto::installationFolder(bin), shared);
    ASSERT_TRUE(QDir().mkpath(bin + "/Rpt"));
    EXPECT_EQ(brevanto::installationFolder(bin), bin) << "a build tree's copy beside the program wins";
}

} // namespace

TEST(HostSetup, TheDatabaseShownNeverCarriesAPassword)
{
    brevanto::HostOptions o;
    o.dbPath = QStringLiteral("/data/demo.db");
    EXPECT_EQ(brevanto::databaseShown(o), "/data/demo.db");
    o.connection = QStringLiteral("odbc:Driver=FreeTDS;Server=SQL01;UID=tpv;PWD={a;b}}c=1};Database=Drumelt");
    EXPECT_EQ(brevanto::databaseShown(o), "odbc:Driver=FreeTDS;Server=SQL01;UID=tpv;PWD=****;Database=Drumelt");
    o.connection = QStringLiteral("odbc:password = s3cr3t ;DSN=tienda;Pwd=x");
    EXPECT_EQ(brevanto::databaseShown(o), "odbc:password = ****;DSN=tienda;Pwd=****");
    o.connection = QStringLiteral("odbc:DSN=tienda;PasswordHint=x");
    EXPECT_EQ(brevanto::databaseShown(o), "odbc:DSN=tienda;PasswordHint=x");
}

TEST(HostSetup, ADemoOnAServerKeepsItsTillInAFileOfItsOwnBesideTheEmbeddedDemos)
{
    if (!zqvr::test::onServer())
        GTEST_SKIP() << "demo on the test server";
    QTemporaryDir dir;
    brevanto::HostOptions options;
    options.dbPath = dir.filePath("datos/demo.db");
    options.connection = zqvr::test::newServerDatabase();
    options.demoScale = 0.05;
    bool created = false;
    auto conn = brevanto::openDemoDatabase(options, &created);
    ASSERT_TRUE(created);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("datos/demo.TPV01.db"))) << "the embedded demo's till is not taken";
    const QString tillFile = dir.filePath("datos/servidor.TPV01.db");
    ASSERT_TRUE(QFileInfo::exists(tillFile));

    // The till the host installed reaches that file, which holds TPV01's tickets as the server does.
    auto till = zqvr::host::TillConnector::current()->open({QStringLiteral("TPV01"), 0, {}, {}});
    const QString mine = QStringLiteral("SELECT COUNT(*) FROM TPV_Tickets WHERE Caja = 1");
    EXPECT_GT(till->scalar(mine).toInt(), 0);
    EXPECT_EQ(till->scalar(mine).toInt(), conn->scalar(mine).toInt());
    EXPECT_EQ(till->scalar(QStringLiteral("SELECT SUM(Total) FROM TPV_Tickets")).toDouble(),
              conn->scalar(QStringLiteral("SELECT SUM(Total) FROM TPV_Tickets WHERE Caja = 1")).toDouble());
    EXPECT_EQ(till->scalar(QStringLiteral("SELECT COUNT(*) FROM TPV_Tickets WHERE Caja <> 1")).toInt(), 0);
    EXPECT_EQ(till->scalar(QStringLiteral("SELECT MIN(Fecha) FROM TPV_Tickets")).toDate(),
              conn->scalar(QStringLiteral("SELECT MIN(Fecha) FROM TPV_Tickets WHERE Caja = 1")).toDate());

    // The next start keeps the till as it is.
    till->execute(QStringLiteral("DELETE FROM TPV_Tickets_Factura"));
    till.reset();
    conn.reset();
    conn = brevanto::openDemoDatabase(options, &created);
    EXPECT_FALSE(created);
    till = zqvr::host::TillConnector::current()->open({QStringLiteral("TPV01"), 0, {}, {}});
    EXPECT_EQ(till->scalar(QStringLiteral("SELECT COUNT(*) FROM TPV_Tickets_Factura")).toInt(), 0);
    zqvr::host::TillConnector::install(nullptr);
}
