#pragma once
#include "frame/Form.h"
#include "ui_frmPedidos.h"

class frmPedidos : public frame::Form, private Ui_frmPedidos {
protected:
    void formLoad() override;
};
