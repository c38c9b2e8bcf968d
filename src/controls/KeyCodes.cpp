#include "controls/KeyCodes.h"

#include <QKeyEvent>

namespace zqvr::controls {

int shiftState(Qt::KeyboardModifiers m)
{
    int s = 0;
    if (m & Qt::ShiftModifier)
        s |= 1;
    if (m & Qt::ControlModifier)
        s |= 2;
    if (m & Qt::AltModifier)
        s |= 4;
    return s;
}

int characterCode(const QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Backspace:
        return 8;
    default:
        break;
    }
    const QString t = e->text();
    if (t.isEmpty() || (e->modifiers() & Qt::ControlModifier))
        return 0;
    const QChar c = t.at(0);
    return c.isPrint() ? c.unicode() : 0;
}

} // namespace zqvr::controls
