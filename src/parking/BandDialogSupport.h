#pragma once
// What the two band dialogs share: preparing the warehouse picker and
// showing a refused check on its field.
#include "parking/BandValidation.h"

class QDialog;

namespace zqvr::controls { class ctlAlmacen; }

namespace zqvr::parking::detail {

// Gives the picker the host's connection, company and user and, for a
// warehouse other than 0, shows it with its name.
void prepareWarehouse(controls::ctlAlmacen& picker, qint16 almacen);
// Takes whatever code is typed in the picker (even when its field still has
// the focus, as after Alt+A) and looks it up; true when it names a warehouse.
bool warehouseTyped(controls::ctlAlmacen& picker);
// Shows the problem's message ("¡ Atención !") and puts the focus on its field.
void refuse(QDialog& dialog, const BandProblem& problem);

} // namespace zqvr::parking::detail
