// The demo host's first start: the demo data made behind a progress window
// that can cancel it without leaving a file, and the installation folder
// found beside the program or, once installed, in the shared folder.
#include "HostSetup.h"

#include "controls/Progress.h"
#include "db/Error.h"

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
