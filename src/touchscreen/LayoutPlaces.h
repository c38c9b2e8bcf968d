#pragma once
// Where a button of a layout page sits. Pages are numbered on a 9 x 4 grid
// (place = row * 9 + column). A "9 x 4" configuration uses every place; a
// "3 x 4" one only columns 6, 7 and 8, which is where the terminals draw it.
#include "touchscreen_export.h"
#include <QString>

namespace zqvr::touchscreen {

// Parking value of Posicion / Cod_Grupo while a move is under way; never a real place or group.
inline constexpr int ParkedPlace = 99;

// Grid types of TPV_CfgPantalla.Tipo.
inline constexpr int Tipo3x4 = 0;
inline constexpr int Tipo9x4 = 1;

// Buttons per page: 12 for "3 x 4", 36 for "9 x 4".
ZQVR_TOUCHSCREEN_EXPORT int buttonCount(int tipo);
// Columns per page row: 3 or 9.
ZQVR_TOUCHSCREEN_EXPORT int buttonColumns(int tipo);
// Stored place of button index i.
ZQVR_TOUCHSCREEN_EXPORT int placeOf(int tipo, int index);
// Button index of stored place p; -1 when p is not a place of this grid type.
ZQVR_TOUCHSCREEN_EXPORT int indexOf(int tipo, int place);

// Where a dragged button ends up: f the dragged index, t the target's,
// after = the pointer was on the target's right half. Equal to f when nothing moves.
ZQVR_TOUCHSCREEN_EXPORT int finalIndex(int f, int t, bool after);

// The SQL expression that moves a stored place by one index ("Posicion" shifted
// by shift, " - 1" or " + 1"), for the key moves.
ZQVR_TOUCHSCREEN_EXPORT QString shiftedPlaceSql(int tipo, const QString& shift);
// The place of a group once its number is shifted, read from Cod_Grupo before the update.
ZQVR_TOUCHSCREEN_EXPORT QString shiftedGroupPlaceSql(int tipo, const QString& shift);

// The index each button of a page has after moving f to final (the
// dragged one goes to final, those between shift by one). Used by the
// working copy and the default group.
ZQVR_TOUCHSCREEN_EXPORT int indexAfterMove(int index, int f, int final);

// Type labels: "3 x 4" / "9 x 4" in the list, " 3 x 4 " / " 9 x 4 " in the dialog.
ZQVR_TOUCHSCREEN_EXPORT QString tipoLabel(int tipo);

} // namespace zqvr::touchscreen
