#pragma once
#include <QWidget>

// A widget may watch its own resizes; keys are no business of an event filter.
class PedidoVista : public QWidget {
protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Resize)
            refit();
        return QWidget::eventFilter(o, e);
    }
};
