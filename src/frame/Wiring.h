#pragma once
// One line to connect a control's event to a screen's handler:
//
//   wire(cmdAceptar, &QPushButton::clicked, this, &frmTPVs::cmdAceptar_Click);
//   wire(txtCodigo, &ctlTextBox::KeyPress, this, &frmTPVs::txtCodigo_KeyPress);
//
// The handler runs inside the screen's error report: whatever it throws is
// shown with the critical icon under "Error en <control>_<Event>", the
// procedure derived from the control's name and the event (clicked is Click,
// doubleClicked DblClick, textChanged Change, ...), so no screen types it by
// hand. A screen whose procedures report under other names declares them
// once in its constructor (frame::declareReports, ErrorReport.h):
//
//   declareReports(this, ReportNames().under(QStringLiteral("frmCfgPantalla"), {QStringLiteral("cmdAgregar_Click")}));
//
// The handler takes the signal's arguments (int& keyAscii for KeyPress) or none.
#include "frame/ErrorReport.h"
#include "frame_export.h"

#include <QMetaMethod>
#include <QObject>
#include <type_traits>
#include <utility>

namespace zqvr::frame {

// The event name a signal stands for: "clicked" -> "Click", "KeyPress" -> "KeyPress".
ZQVR_FRAME_EXPORT QString eventName(const QByteArray& signalName);
// "<objectName>_<event>", the procedure a handler reports as.
ZQVR_FRAME_EXPORT QString handlerProcedure(const QObject* control, const QString& event);

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
QMetaObject::Connection wire(Sender* control, Signal signal, Receiver* receiver, Handler handler)
{
    QString event = eventName(QMetaMethod::fromSignal(signal).name());
    return QObject::connect(control, signal, receiver,
                            [control, receiver, handler, event](auto&&... args) {
                                guarded(receiver, handlerProcedure(control, event), [&] {
                                    detail::callHandler(receiver, handler, std::forward<decltype(args)>(args)...);
                                });
                            });
}

// An element of a control array (objectName the array's name, property
// "index" its index): the handler takes the element's index, as the system's
// array handlers do, and reports as the procedure "<array>_<Event>":
//
//   wireElement(b, &QPushButton::clicked, this, &frmParametros::cmdFotoBorrar_Click);  // (int index)
//
// The index is read when the event comes, so the element may be numbered after it is wired.
template <class Sender, class Signal, class Receiver>
QMetaObject::Connection wireElement(Sender* control, Signal signal, Receiver* receiver, void (Receiver::*handler)(int))
{
    QString event = eventName(QMetaMethod::fromSignal(signal).name());
    return QObject::connect(control, signal, receiver, [control, receiver, handler, event] {
        guarded(receiver, handlerProcedure(control, event),
                [&] { (receiver->*handler)(control->property("index").toInt()); });
    });
}

} // namespace zqvr::frame
