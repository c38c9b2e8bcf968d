#pragma once
#include "frame/Form.h"

#include <memory>

namespace Ui { class frmPedidos; }

// Holds uic's class rather than inheriting it ("class frmPedidos : private Ui_frmPedidos" would not pass).
class frmPedidos : public frame::Form {
public:
    explicit frmPedidos(QWidget* parent = nullptr);
    ~frmPedidos() override;

protected:
    void formLoad() override;

private:
    std::unique_ptr<Ui::frmPedidos> ui;
};
