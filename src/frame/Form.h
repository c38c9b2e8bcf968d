#pragma once
// A screen of the component. The screen object outlives its window: showing
// it loads it (the load step reads the host context and fills combos and
// grids), closing it unloads it (the unload step runs, the window goes away),
// and showing it again loads it again.
#include "frame_export.h"
#include <QWidget>

class QEventLoop;

namespace zqvr::frame {

class ZQVR_FRAME_EXPORT Form : public QWidget {
    Q_OBJECT
public:
    // objectName becomes the form name (frmTPVs); caption the window title.
    Form(const QString& formName, const QString& caption, QWidget* parent = nullptr);
    ~Form() override;

    bool isLoaded() const { return m_loaded; }
    // Loads the screen when it is not loaded, then shows it; Modal = 1 returns
    // only after the screen is closed. A given owner keeps the screen above it.
    void showForm(int modal = 0, QObject* owner = nullptr);
    // Unloads the screen as closing it does (runs the unload step); a no-op when not loaded.
    void unloadForm();
    // Loads without showing (what touching a control of an unloaded form does).
    void loadForm();
    // Whether this screen raises its closing notice (`unloaded`) from its unload step.
    bool raisesUnloadNotice() const { return m_raisesNotice; }
    // How many times the load step has run on this object (fresh-load checks).
    int loadCount() const { return m_loadCount; }
    // Reports the failures the suite's controls raise by themselves (a picker's
    // look-up when the user leaves it, a check list loading itself) under
    // "<control name>:Cargar". Every control present when the screen loads is
    // watched; a screen that creates controls later passes them here.
    void watchControlErrors(QObject* control);

Q_SIGNALS:
    // The parameterless closing notice, raised by screens that send it.
    void unloaded();

protected:
    // The screen's load step; errors it throws reach the caller of Show.
    virtual void formLoad() {}
    // Return false to refuse closing (the window stays).
    virtual bool formQueryUnload() { return true; }
    // The screen's unload step.
    virtual void formUnload() {}
    void setRaisesUnloadNotice(bool on) { m_raisesNotice = on; }
    void closeEvent(QCloseEvent* e) override;

private Q_SLOTS:
    void reportControlError(int number, const QString& description, const QString& source);

private:
    void finishUnload();

    bool m_loaded = false;
    bool m_raisesNotice = false;
    bool m_inUnload = false;
    int m_loadCount = 0;
    QEventLoop* m_modalLoop = nullptr;
};

} // namespace zqvr::frame
