#pragma once
// How the message windows report a failure: "[number] description" with the
// procedure's name as caption and the critical icon; the window stays open.
#include "db/Error.h"
#include "frame/OperationNotice.h"
#include "frame/Services.h"

#include <QApplication>
#include <QString>

namespace zqvr::messages {

inline void informarError(long number, const QString& description, const QString& procedure)
{
    frame::modMsgOp(false);
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    frame::msgBox(QStringLiteral("[%1] %2").arg(number).arg(description), procedure, frame::MsgIcon::Critical);
}

// Runs a window procedure and reports whatever it throws; false when it failed.
template <class F>
bool informando(const QString& procedure, F&& f)
{
    try {
        f();
        return true;
    } catch (const Error& e) {
        informarError(e.number(), e.description(), procedure);
    } catch (const std::exception& e) {
        informarError(errc::Database, QString::fromUtf8(e.what()), procedure);
    }
    return false;
}

} // namespace zqvr::messages
