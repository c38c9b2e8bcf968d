#include "orders/PedidoPanel.h"

#include <QApplication>

void PedidoPanel::start()
{
    QApplication::instance()->installEventFilter(this);
    try {
        refresh();
    } catch (...) {
    }
}
