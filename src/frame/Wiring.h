#pragma once
// One line to connect a control's event to a screen's handler:
//
//   wire(cmdAceptar, &QPushButton::clicked, this, &frmTPVs::cmdAceptar_Click);
//   wire(txtCodigo, &ctlTextBox::KeyPress, this, &frmTPVs::txtCodigo_KeyPress);
//
// The handler runs inside the screen's error report: whatever it throws is
// shown with the critical icon under "Error en <control>_<Event>", the
// caption derived from the control's name and the event (clicked is Click,
// doubleClicked DblClick, textChanged Change, ...), so no screen types it by
// hand. A screen whose procedure reports under another name passes it once
// ("frmCfgPantalla:cmdAgregar_Click"). The handler takes the signal's
// arguments (int& keyAscii for KeyPress) or none.
#include "frame/ErrorReport.h"
#include "frame_export.h"

#include <QMetaMethod>
#include <QObject>
#include <type_traits>
#include <utility>

namespace zqvr::frame {

// The event name a signal stands for: "clicked" -> "Click", "KeyPress" -> "KeyPress".
ZQVR_FRAME_EXPORT QString eventName(const QByteArray& signalName);
// "Error en <objectName>_<event>".
ZQVR_FRAME_EXPORT QString handlerCaption(const QObject* control, const QString& event);

namespace detail {
// The handler with the signal's arguments, or with none when it takes none.
// A template of its own so that the call not taken is never compiled: clang
// checks a call that does not depend on the arguments even in the branch
// an if constexpr discards.
template <class Receiver, class Handler, class... Args>
void callHandler(Receiver* receiver, Handler handler, Args&&... args)
{
    if constexpr (std::is_invocable_v<Handler, Receiver*, Args...>)
        (receiver->*handler)(std::forward<Args>(args)...);
    else
        (receiver->*handler)();
}
} // namespace detail

template <class Sender, class Signal, class Receiver, class Handler>
QMetaObject::Connection wire(Sender* control, Signal signal, Receiver* receiver, Handler handler,
                             const QString& reportName = QString())
{
    QString event = eventName(QMetaMethod::fromSignal(signal).name());
    return QObject::connect(control, signal, receiver,
                            [control, receiver, handler, event, reportName](auto&&... args) {
                                const QString caption =
                                    reportName.isEmpty() ? handlerCaption(control, event) : reportName;
                                guarded(caption, [&] {
                                    detail::callHandler(receiver, handler, std::forward<decltype(args)>(args)...);
                                });
                            });
}

// An element of a control array (objectName the array's name, property
// "index" its index): the handler takes the element's index, as the system's
// array handlers do, and reports under "Error en <array>_<Event>":
//
//   wireElement(b, &QPushButton::clicked, this, &frmParametros::cmdFotoBorrar_Click);  // (int index)
//
// The index is read when the event comes, so the element may be numbered after it is wired.
template <class Sender, class Signal, class Receiver>
QMetaObject::Connection wireElement(Sender* control, Signal signal, Receiver* receiver, void (Receiver::*handler)(int),
                                    const QString& reportName = QString())
{
    QString event = eventName(QMetaMethod::fromSignal(signal).name());
    return QObject::connect(control, signal, receiver, [control, receiver, handler, event, reportName] {
        const QString caption = reportName.isEmpty() ? handlerCaption(control, event) : reportName;
        guarded(caption, [&] { (receiver->*handler)(control->property("index").toInt()); });
    });
}

} // namespace zqvr::frame
