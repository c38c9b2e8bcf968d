#pragma once
// Access levels of a window's controls. The security tables grant each
// user group a level on each control of each window (0 shown, 1 locked,
// 2 disabled); a window applies the levels of its user when it loads:
//
//   security::clsControlSeg seg;
//   seg.setConexion(&conn);
//   seg.setEmpresa(&empresa);
//   seg.setContentForm(this);
//   seg.setUsuario(empresa.usuarioActual());
//   seg.SetStateAllControl();
//
// or in one call: security::applyAccessLevels(this). On the suite's
// development server the same call keeps the catalogue of windows and
// controls in the security tables up to date.
//
// A level is a ceiling for the rest of the window's life: a control locked
// (1) or disabled (2) for the user stays so whatever the screen's own rules
// do to it later, and level 0 never shows a control the screen hid. When the
// levels cannot be read the window fails closed: its controls are locked
// (all but the way out, setExitControls) and the user is told why.
#include "security_export.h"
#include "security/AccessLevelStore.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace zqvr { class Error; }
namespace zqvr::db { class Connection; }
namespace zqvr::host { class Empresa; }

namespace zqvr::security {

class ZQVR_SECURITY_EXPORT clsControlSeg : public QObject {
    Q_OBJECT
public:
    explicit clsControlSeg(QObject* parent = nullptr) : QObject(parent) {}

    void setEmpresa(host::Empresa* empresa) { m_empresa = empresa; }
    void setConexion(db::Connection* conn) { m_conn = conn; }
    void setContentForm(QWidget* form) { m_form = form; }
    QWidget* ContentForm() const { return m_form; }
    void setUsuario(int user) { m_user = user; }
    // The controls that stay usable when the levels cannot be read: the
    // window's way out (its close button).
    void setExitControls(QList<QWidget*> controls) { m_exits = std::move(controls); }

    // Applies every level granted to the user on the window; reports its own
    // failures (caption "clsControlSeg:SetStateAllControl") and never throws.
    // On a failure every control of the window but the exit controls is
    // locked as level 1 locks it.
    void SetStateAllControl();
    // Applies one level to one control; levels 1 and 2 stay its ceiling.
    void setControlState(QWidget* control, int level);

    // The controls of the window by key: "name", or "name!index" for an
    // element of a control array. Inner parts of composite controls are not
    // controls of the window.
    static QHash<QString, QWidget*> windowControls(QWidget* form);
    static QString controlKey(const QWidget* control);

Q_SIGNALS:
    void AfterSetStateAllControls();
    // A handler may change the level or act on the control further.
    void AfterSetStateControl(QWidget* control, int& level);

private:
    void applyGrantedLevels();
    void updateCatalogue();
    void failClosed(const Error& e);

    host::Empresa* m_empresa = nullptr;
    db::Connection* m_conn = nullptr;
    QPointer<QWidget> m_form;
    int m_user = 0;
    QHash<QString, QWidget*> m_controls; // the key-to-control dictionary
    QList<QWidget*> m_exits;
};

// Applies the access levels of the host context's user to a window; exits
// stay usable should the levels fail to be read. (AccessLevels.cpp: the one
// place the host context is read.)
ZQVR_SECURITY_EXPORT void applyAccessLevels(QWidget* form, QList<QWidget*> exits = {});

} // namespace zqvr::security
