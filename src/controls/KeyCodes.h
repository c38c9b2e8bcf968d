#pragma once
// How the controls translate Qt's key events into the codes the screens
// expect in their key events.
#include "controls_export.h"
#include <Qt>

class QKeyEvent;

namespace zqvr::controls {

// Shift state: 1 Shift, 2 Ctrl, 4 Alt, added together.
ZQVR_CONTROLS_EXPORT int shiftState(Qt::KeyboardModifiers m);
// Character code of a key press: Enter 13, Esc 27, Backspace 8, otherwise the
// typed character; 0 when the key types no character.
ZQVR_CONTROLS_EXPORT int characterCode(const QKeyEvent* e);

} // namespace zqvr::controls
