#pragma once
#include "frame/Form.h"
#include "ui_frmPedidos.h"

class frmPedidos : public frame::Form, private Ui_frmPedidos {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
