#pragma once
// What a screen decided about a control's visibility, as opposed to what
// follows from its window not being shown yet.
#include <QWidget>

namespace zqvr::controls {

// True when the screen hid the control itself (hide(), setVisible(false)).
// A control that is merely inside a window not shown yet is not hidden by
// the screen: it appears with its window.
inline bool hiddenByScreen(const QWidget* w)
{
    return w->testAttribute(Qt::WA_WState_ExplicitShowHide) && w->testAttribute(Qt::WA_WState_Hidden);
}

// What access level 0 does to a control: shown, unless its screen hid it on
// purpose (a level grants access, it never brings back what the screen took away).
inline void showForLevelZero(QWidget* w)
{
    if (!hiddenByScreen(w))
        w->setVisible(true);
}

} // namespace zqvr::controls
