#pragma once
// What the keys of a terminal's operation panel show: the caption of each
// operation code and the name of the key that runs it.
#include "reports_export.h"

#include <QString>

namespace zqvr::reports {

// The caption of an operation code (0-41); code 18 shows the host's club-card
// name, "Empleado" when that is empty; 23, 34 and unknown codes show "No Conocido".
ZQVR_REPORTS_EXPORT QString operationCaption(int code, const QString& clubCardName);
// The key's name as the parameters window lists it: "0"-"9", "A"-"Z", "F2"-"F16",
// "Inicio", "Fin", "RePág", "AvPág", "Insert", "Supr", "*"; "" for any other code.
ZQVR_REPORTS_EXPORT QString operationKeyName(int keyCode);

} // namespace zqvr::reports
