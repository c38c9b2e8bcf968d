#pragma once
// A public entry class: a thin launcher that owns one screen object,
// stores the host context it is given and shows the screen.
//
//   QObject* obj = ZQVRTpvs_CreateObject("ZQVRTpvs.frmclsTpvs");
//   obj->setProperty("EmpresaBrevanto", QVariant::fromValue<QObject*>(empresa));
//   obj->setProperty("ConexionBrevanto", QVariant::fromValue<QObject*>(conn));
//   QMetaObject::invokeMethod(obj, "Show", Q_ARG(int, 0), Q_ARG(QObject*, owner));
//   delete obj; // releasing the entry object unloads its screen
#include "frame_export.h"
#include "frame/Form.h"

#include <QObject>
#include <QPointer>
#include <functional>

namespace zqvr::frame {

class ZQVR_FRAME_EXPORT EntryClass : public QObject {
    Q_OBJECT
    Q_PROPERTY(QObject* EmpresaBrevanto READ empresaBrevanto WRITE setEmpresaBrevanto)
    Q_PROPERTY(QObject* ConexionBrevanto READ conexionBrevanto WRITE setConexionBrevanto)
public:
    enum class Creation { AtConstruction, AtFirstShow };
    using Factory = std::function<Form*()>;

    // releaseOnNotice: the entry class subscribes to its screen's closing
    // notice and drops the screen on it, so the next Show makes a new one.
    EntryClass(Factory factory, Creation creation, bool releaseOnNotice, QObject* parent = nullptr);
    ~EntryClass() override;

    QObject* empresaBrevanto() const;
    void setEmpresaBrevanto(QObject* empresa);
    QObject* conexionBrevanto() const;
    void setConexionBrevanto(QObject* conexion);

    // Modal = 1 returns after the screen closes; 0 returns at once.
    Q_INVOKABLE void Show(int Modal = 0, QObject* OwnerForm = nullptr);

    // The screen object held, or nullptr.
    Form* screen() const { return m_screen.data(); }

protected:
    // Runs after the screen exists and before it is shown (Usuario hand-over).
    virtual void beforeShow(Form& screen) {}

private:
    void createScreen();
    void frmS_Unload();

    Factory m_factory;
    bool m_releaseOnNotice;
    QPointer<Form> m_screen;
};

} // namespace zqvr::frame
