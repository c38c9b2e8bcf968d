#pragma once
// How screen procedures report a failure: a message box with the critical
// icon, the error's description as text and the procedure's report name as
// caption ("Error en cmdAceptar_Click", "frmTPVs:Validar"), preceded by
// "[n] " when the failing statement carries a number. The screen stays open.
#include "frame_export.h"
#include "db/Error.h"

#include <QString>
#include <exception>

namespace zqvr::frame {

ZQVR_FRAME_EXPORT QString errorCaption(const Error& e, const QString& reportName);
ZQVR_FRAME_EXPORT void reportError(const Error& e, const QString& reportName);
ZQVR_FRAME_EXPORT void reportException(const std::exception& e, const QString& reportName);

// Runs a screen procedure and reports whatever it throws under reportName.
// Returns false when it failed.
template <class F>
bool guarded(const QString& reportName, F&& f)
{
    try {
        f();
        return true;
    } catch (const Error& e) {
        reportError(e, reportName);
    } catch (const std::exception& e) {
        reportException(e, reportName);
    }
    return false;
}

} // namespace zqvr::frame
