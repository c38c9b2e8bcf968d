#pragma once
// Remote access to a terminal's desktop: the VNC viewer in the host folder
// (else the one on the PATH) started on the terminal's host name. The
// terminals' VNC servers share one password; it reaches the viewer through a
// password file readable by the user alone, never through the command line
// (any local user can read another's command line). The file goes away once
// the viewer has ended, and at the latest when the host program ends.
#include "terminals_export.h"
#include <QString>
#include <QStringList>
#include <functional>

namespace zqvr::terminals {

class ZQVR_TERMINALS_EXPORT RemoteViewer {
public:
    // Starts program with arguments, detached; true when it started. pid gets
    // its process id (0 when unknown).
    using Launcher = std::function<bool(const QString& program, const QStringList& arguments, qint64* pid)>;

    // The password the terminals' VNC servers expect.
    static QString terminalPassword();
    // The viewer program: "<hostFolder>/vncviewer" when it is an executable
    // file, else "vncviewer" found on the PATH, else "".
    static QString findViewer(const QString& hostFolder);
    // Throws zqvr::Error for a host the viewer could not take as its host: an
    // empty one, or one that begins with "-" (it would be read as an option).
    static void checkHost(const QString& terminalHost);
    // The viewer's arguments for a terminal, given the password file; checks the host first.
    static QStringList arguments(const QString& terminalHost, const QString& passwordFile);
    // Writes the password file (mode 0600, in the user's private runtime
    // folder when there is one) and returns its path; throws zqvr::Error.
    static QString writePasswordFile(const QString& password);

    // Starts the viewer on terminalHost. Returns false when no viewer was
    // found (nothing is written then); throws zqvr::Error when the host is
    // refused by checkHost (before anything is written), or when the
    // password file cannot be written or the viewer cannot be started.
    static bool start(const QString& hostFolder, const QString& terminalHost);

    // Tests replace the launcher so that nothing is started; nullptr restores
    // QProcess::startDetached.
    static void setLauncher(Launcher launcher);
};

} // namespace zqvr::terminals
