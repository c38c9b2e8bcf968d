// Remote access: the viewer found, the command line it gets, and the password
// file that carries the terminals' password instead of the command line.
#include "db/Error.h"
#include "terminals/RemoteViewer.h"
#include "terminals/VncPassword.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::terminals;

namespace {

QByteArray hex(const char* h) { return QByteArray::fromHex(h); }

// An executable (or not) file named vncviewer in a folder.
void makeViewer(const QString& folder, bool executable)
{
    QFile f(QDir(folder).filePath(QStringLiteral("vncviewer")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\nexit 0\n");
    f.close();
    QFile::Permissions p = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (executable)
        p |= QFileDevice::ExeOwner;
    f.setPermissions(p);
}

// Keeps PATH pointing at one folder for the test's life.
class PathOverride {
public:
    explicit PathOverride(const QString& path) : m_old(qgetenv("PATH")) { qputenv("PATH", path.toLocal8Bit()); }
    ~PathOverride() { qputenv("PATH", m_old); }

private:
    QByteArray m_old;
};

struct Launch {
    QString program;
    QStringList arguments;
    QByteArray fileBytes;
    QFile::Permissions filePermissions;
};

class RemoteViewerStart : public ::testing::Test {
protected:
    void TearDown() override { RemoteViewer::setLauncher(nullptr); }

    // Records the launch; the viewer "started" with the given pid (or failed).
    void scriptLaunch(bool ok, qint64 pid)
    {
        RemoteViewer::setLauncher([this, ok, pid](const QString& program, const QStringList& args, qint64* outPid) {
            launches.push_back({program, args, {}, {}});
            const int i = int(args.indexOf(QStringLiteral("-passwd")));
            if (i >= 0 && i + 1 < args.size()) {
                QFile f(args[i + 1]);
                if (f.open(QIODevice::ReadOnly))
                    launches.back().fileBytes = f.readAll();
                launches.back().filePermissions = f.permissions();
            }
            *outPid = pid;
            return ok;
        });
    }
    QString passwordFileOf(const Launch& l) const
    {
        return l.arguments.value(int(l.arguments.indexOf(QStringLiteral("-passwd"))) + 1);
    }

    QTemporaryDir host;
    std::vector<Launch> launches;
};

// A process id that is certainly gone: a program that has already ended.
qint64 endedProcessId()
{
    QProcess p;
    p.start(QStringLiteral("true"));
    p.waitForFinished();
    return p.processId() > 0 ? p.processId() : 999999;
}

} // namespace

TEST(VncPassword, DesMatchesTheStandardAndViewerPasswordFiles)
{
    // The textbook DES example.
    EXPECT_EQ(desEncryptBlock(hex("133457799BBCDFF1"), hex("0123456789ABCDEF")), hex("85E813540F0AB405"));
    // What the VNC password tools write for "password".
    EXPECT_EQ(vncPasswordFileBytes(QStringLiteral("password")), hex("dbd83cfd727a1458"));
    // Short passwords are padded with zero bytes; long ones cut to eight characters.
    EXPECT_EQ(vncPasswordFileBytes(QStringLiteral("ab")), hex("f9b845297cb5d3f2"));
    EXPECT_EQ(vncPasswordFileBytes(RemoteViewer::terminalPassword()), hex("651fe42d4cb18cea"));
}

TEST(RemoteViewerFind, HostFolderFirstThenPathThenNothing)
{
    QTemporaryDir host, bin, empty;
    ASSERT_NO_FATAL_FAILURE(makeViewer(bin.path(), true));
    PathOverride path(bin.path());
    // A viewer in the host folder that cannot run is passed over for the PATH's.
    ASSERT_NO_FATAL_FAILURE(makeViewer(host.path(), false));
    EXPECT_EQ(RemoteViewer::findViewer(host.path()), QDir(bin.path()).filePath("vncviewer"));
    ASSERT_NO_FATAL_FAILURE(makeViewer(host.path(), true));
    EXPECT_EQ(RemoteViewer::findViewer(host.path()), QDir(host.path()).filePath("vncviewer"));
    PathOverride none(empty.path());
    EXPECT_EQ(RemoteViewer::findViewer(empty.path()), QString());
}

TEST_F(RemoteViewerStart, PasswordTravelsInAPrivateFileRemovedWhenTheViewerEnds)
{
    ASSERT_NO_FATAL_FAILURE(makeViewer(host.path(), true));
    scriptLaunch(true, endedProcessId());
    ASSERT_TRUE(RemoteViewer::start(host.path(), QStringLiteral("CAJA07")));
    ASSERT_EQ(launches.size(), 1u);
    const Launch& l = launches[0];
    EXPECT_EQ(l.program, QDir(host.path()).filePath("vncviewer"));
    EXPECT_EQ(l.arguments.last(), QStringLiteral("CAJA07"));
    for (const QString& a : l.arguments)
        EXPECT_FALSE(a.contains(QStringLiteral("kqzu"))) << a.toStdString();
    EXPECT_EQ(l.fileBytes, vncPasswordFileBytes(RemoteViewer::terminalPassword()));
    EXPECT_EQ(l.filePermissions & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup |
                                   QFileDevice::WriteOther),
              QFile::Permissions());
    const QString file = passwordFileOf(l);
    EXPECT_TRUE(QFileInfo::exists(file));
    // The viewer has ended: the file goes at the next look.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !QFileInfo::exists(file); }, 5000));
}

TEST_F(RemoteViewerStart, AViewerThatFailsToStartLeavesNoPasswordFile)
{
    ASSERT_NO_FATAL_FAILURE(makeViewer(host.path(), true));
    scriptLaunch(false, 0);
    EXPECT_THROW(RemoteViewer::start(host.path(), QStringLiteral("CAJA07")), Error);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_FALSE(QFileInfo::exists(passwordFileOf(launches[0])));
}

// A host name the viewer would take for one of its options ("-via" makes it
// connect through another machine) never reaches its command line.
TEST_F(RemoteViewerStart, AHostThatBeginsWithADashIsRefusedBeforeAnythingIsWritten)
{
    ASSERT_NO_FATAL_FAILURE(makeViewer(host.path(), true));
    scriptLaunch(true, endedProcessId());
    for (const QString& bad : {QStringLiteral("-via=otra.maquina"), QStringLiteral(" -listen"), QStringLiteral("-"),
                               QStringLiteral("  ")}) {
        SCOPED_TRACE(bad.toStdString());
        try {
            RemoteViewer::start(host.path(), bad);
            ADD_FAILURE() << "started";
        } catch (const Error& e) {
            EXPECT_EQ(e.description(),
                      QStringLiteral("\"%1\" no es un nombre de equipo válido para el acceso remoto.").arg(bad));
        }
        EXPECT_THROW(RemoteViewer::arguments(bad, QStringLiteral("/tmp/p")), Error);
    }
    EXPECT_TRUE(launches.empty());
    // A host with a dash inside is an ordinary name, the last word of the command line.
    EXPECT_EQ(RemoteViewer::arguments(QStringLiteral("caja-07.tienda"), QStringLiteral("/tmp/p")),
              (QStringList{QStringLiteral("-passwd"), QStringLiteral("/tmp/p"), QStringLiteral("caja-07.tienda")}));
}

TEST_F(RemoteViewerStart, NoViewerStartsNothing)
{
    QTemporaryDir empty;
    PathOverride path(empty.path());
    scriptLaunch(true, 0);
    EXPECT_FALSE(RemoteViewer::start(host.path(), QStringLiteral("CAJA07")));
    EXPECT_TRUE(launches.empty());
}
