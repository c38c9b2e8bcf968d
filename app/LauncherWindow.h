#pragma once
// The demo host's main window: it plays the suite's main application. It
// lists every entry class the library registers and opens one with Show,
// exactly as any other host would through the library's exported functions.
#include <QHash>
#include <QMainWindow>
#include <QPointer>

class QCheckBox;
class QListWidget;
class QListWidgetItem;

namespace zqvr::db { class Connection; }
namespace zqvr::host { class Empresa; }

namespace brevanto {

class LauncherWindow : public QMainWindow {
    Q_OBJECT
public:
    LauncherWindow(zqvr::db::Connection* conn, zqvr::host::Empresa* empresa, const QString& dbPath,
                   QWidget* parent = nullptr);
    ~LauncherWindow() override;

    // Creates the entry object (kept for later Shows) and shows its screen.
    void openClass(const QString& progId);
    // Releases the entry object of a class (its screen closes).
    void releaseClass(const QString& progId);
    void openControlsPage();
    QListWidget* classList() const { return m_list; }
    QObject* entryObject(const QString& progId) const { return m_objects.value(progId); }

private:
    void onOpen();
    void onRelease();

    zqvr::db::Connection* m_conn;
    zqvr::host::Empresa* m_empresa;
    QListWidget* m_list = nullptr;
    QCheckBox* m_modal = nullptr;
    QHash<QString, QObject*> m_objects;
    QPointer<QWidget> m_controlsPage;
};

} // namespace brevanto
