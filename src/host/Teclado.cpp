#include "host/Teclado.h"

#include <QApplication>
#include <QWidget>

namespace zqvr::host {

void Teclado::Enter(QWidget* from)
{
    QWidget* w = from ? from : QApplication::focusWidget();
    if (!w)
        return;
    QWidget* next = w->nextInFocusChain();
    // Skip what cannot take the focus (labels, hidden or disabled fields).
    for (int guard = 0; next && next != w && guard < 500; ++guard) {
        if (next->isVisible() && next->isEnabled() && (next->focusPolicy() & Qt::TabFocus) &&
            next->window() == w->window())
            break;
        next = next->nextInFocusChain();
    }
    if (next && next != w)
        next->setFocus(Qt::TabFocusReason);
}

} // namespace zqvr::host
