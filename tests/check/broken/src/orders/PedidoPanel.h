#pragma once
#include <QWidget>

// A widget that is no frm* file is a screen source too.
class PedidoPanel : public QWidget {
protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::ShortcutOverride)
            return static_cast<QKeyEvent*>(e)->key() == Qt::Key_Return;
        return QWidget::eventFilter(o, e);
    }
};
