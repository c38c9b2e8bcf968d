#include "terminals/RemoteViewer.h"

#include "db/Error.h"
#include "terminals/VncPassword.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <vector>

namespace zqvr::terminals {

namespace {

RemoteViewer::Launcher& launcherSlot()
{
    static RemoteViewer::Launcher launcher;
    return launcher;
}

bool processAlive(qint64 pid)
{
    if (pid <= 0)
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

// Removes the password files once their viewer has ended; lives as long as
// the application and removes whatever is left when it goes.
class PasswordFileJanitor : public QObject {
public:
    static PasswordFileJanitor& instance()
    {
        static QPointer<PasswordFileJanitor> janitor;
        if (!janitor) {
            janitor = new PasswordFileJanitor(QCoreApplication::instance());
        }
        return *janitor;
    }

    void watch(const QString& path, qint64 pid)
    {
        // Without a process to watch, the viewer has had ample time to read
        // the file after a minute.
        m_files.push_back({path, pid, pid > 0 ? -1 : 60000 / kPollMs});
        if (!m_timer.isActive())
            m_timer.start();
    }

    ~PasswordFileJanitor() override
    {
        for (const Watched& w : m_files)
            QFile::remove(w.path);
    }

private:
    static constexpr int kPollMs = 2000;
    struct Watched {
        QString path;
        qint64 pid;
        int ticksLeft; // -1: until the process ends
    };

    explicit PasswordFileJanitor(QObject* parent) : QObject(parent)
    {
        m_timer.setInterval(kPollMs);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { sweep(); });
    }

    void sweep()
    {
        for (auto it = m_files.begin(); it != m_files.end();) {
            const bool done = it->ticksLeft < 0 ? !processAlive(it->pid) : --it->ticksLeft <= 0;
            if (done) {
                QFile::remove(it->path);
                it = m_files.erase(it);
            } else {
                ++it;
            }
        }
        if (m_files.empty())
            m_timer.stop();
    }

    QTimer m_timer;
    std::vector<Watched> m_files;
};

} // namespace

QString RemoteViewer::terminalPassword() { return QStringLiteral("&kqzu4071&"); }

QString RemoteViewer::findViewer(const QString& hostFolder)
{
    if (!hostFolder.isEmpty()) {
        const QFileInfo local(QDir(hostFolder).filePath(QStringLiteral("vncviewer")));
        if (local.isFile() && local.isExecutable())
            return local.absoluteFilePath();
    }
    return QStandardPaths::findExecutable(QStringLiteral("vncviewer"));
}

void RemoteViewer::checkHost(const QString& terminalHost)
{
    // The viewer reads a word that begins with "-" as one of its options
    // ("-via", "-listen"...), and the viewers do not agree on a "--" that ends
    // them; no host name begins with "-", so such a name is refused.
    const QString host = terminalHost.trimmed();
    if (host.isEmpty() || host.startsWith(QLatin1Char('-')))
        throw Error(errc::InvalidArgument,
                    QStringLiteral("\"%1\" no es un nombre de equipo válido para el acceso remoto.").arg(terminalHost),
                    QStringLiteral("RemoteViewer::checkHost"));
}

QStringList RemoteViewer::arguments(const QString& terminalHost, const QString& passwordFile)
{
    checkHost(terminalHost);
    return {QStringLiteral("-passwd"), passwordFile, terminalHost};
}

QString RemoteViewer::writePasswordFile(const QString& password)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::tempPath();
    QTemporaryFile file(QDir(folder).filePath(QStringLiteral("zqvr-vnc-XXXXXX")));
    file.setAutoRemove(false);
    // QTemporaryFile creates the file for its owner alone (0600) before a
    // byte is written; the mode is set again in case a umask or ACL widened it.
    if (!file.open())
        throw Error(errc::InvalidArgument,
                    QStringLiteral("No se puede crear el fichero de contraseña del visor: %1").arg(file.errorString()),
                    QStringLiteral("RemoteViewer::writePasswordFile"));
    const QString path = file.fileName();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray bytes = vncPasswordFileBytes(password);
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (!written) {
        QFile::remove(path);
        throw Error(errc::InvalidArgument,
                    QStringLiteral("No se puede escribir el fichero de contraseña del visor."),
                    QStringLiteral("RemoteViewer::writePasswordFile"));
    }
    return path;
}

bool RemoteViewer::start(const QString& hostFolder, const QString& terminalHost)
{
    checkHost(terminalHost);
    const QString viewer = findViewer(hostFolder);
    if (viewer.isEmpty())
        return false;
    const QString passwordFile = writePasswordFile(terminalPassword());
    qint64 pid = 0;
    bool started = false;
    const QStringList args = arguments(terminalHost, passwordFile);
    if (launcherSlot())
        started = launcherSlot()(viewer, args, &pid);
    else
        started = QProcess::startDetached(viewer, args, hostFolder, &pid);
    if (!started) {
        QFile::remove(passwordFile);
        throw Error(errc::InvalidArgument, QStringLiteral("No se ha podido iniciar %1.").arg(viewer),
                    QStringLiteral("RemoteViewer::start"));
    }
    PasswordFileJanitor::instance().watch(passwordFile, pid);
    return true;
}

void RemoteViewer::setLauncher(Launcher launcher) { launcherSlot() = std::move(launcher); }

} // namespace zqvr::terminals
