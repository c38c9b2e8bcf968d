#pragma once
// Keys of one window. A binding is a QAction with the window's shortcut
// context: it acts only while a control of that window has the focus, and
// it sees the key before the control does (a key a control needs itself,
// such as Left in a text field, is not bound). Never an application-wide
// event filter: with many screens open every key would run through each.
//
//   bindKey(this, Qt::Key_F9, cmdAceptar);                          // F9 = Aceptar while enabled
//   bindKey(this, Qt::Key_Escape, this, &frmTPVs::escapePressed);   // a handler of the screen
#include "frame/ErrorReport.h"
#include "frame_export.h"

#include <QAction>
#include <functional>
#include <initializer_list>
#include <QKeySequence>
#include <QString>
#include <QWidget>

class QAbstractButton;


namespace zqvr::frame {

// A bare window-scoped action for `key`; `run` is called on the key.
ZQVR_FRAME_EXPORT QAction* addWindowKey(QWidget* window, const QKeySequence& key, std::function<void()> run);

// `run` is called for `key` pressed in `control` (the keypad's Enter counts
// as Enter), before the control itself sees the key, which it then never does.
// The control's own key, not a window shortcut: it acts for the control that
// receives the key, whichever window is active.
ZQVR_FRAME_EXPORT void addControlKey(QWidget* control, const QKeySequence& key, std::function<void()> run);

// The key presses `button` while it is enabled and visible. The focus moves to
// the button first, so a field or picker still being typed in takes its value,
// as it does when the button is clicked; the button's own handler reports failures.
ZQVR_FRAME_EXPORT QAction* bindKey(QWidget* window, const QKeySequence& key, QAbstractButton* button);

// The keys of every maintenance window: F9 presses Aceptar and F12 Cancelar (as bindKey above).
ZQVR_FRAME_EXPORT void bindAcceptCancelKeys(QWidget* window, QAbstractButton* aceptar, QAbstractButton* cancelar);

// The key runs a member handler of the window, inside the error report
// (the procedure "Form_KeyDown", see ReportNames for another caption).
template <class Window, class Handler>
QAction* bindKey(QWidget* window, const QKeySequence& key, Window* receiver, Handler handler)
{
    return addWindowKey(window, key, [receiver, handler] {
        guarded(receiver, QStringLiteral("Form_KeyDown"), [&] { (receiver->*handler)(); });
    });
}

// The same for a key pressed in one control only (Enter in a drop-down list),
// the procedure "<control>_KeyDown". Not for Enter to the next field: that is enterMovesOn.
template <class Window, class Handler>
void bindControlKey(QWidget* control, const QKeySequence& key, Window* receiver, Handler handler)
{
    const QString procedure = control->objectName() + QStringLiteral("_KeyDown");
    addControlKey(control, key, [receiver, handler, procedure] {
        guarded(receiver, procedure, [&] { (receiver->*handler)(); });
    });
}

// Enter (and the keypad's Enter) in each field moves the focus on to the next
// field in the tab order, as the system's forms do.
ZQVR_FRAME_EXPORT void enterMovesOn(std::initializer_list<QWidget*> fields);

} // namespace zqvr::frame
