#pragma once
#include <QDialog>
#include "ui_frmPedidos_Buscar.h"

// uic's class by its namespaced name, on a line of its own, is inherited all the same.
class frmPedidos_Buscar final : public QDialog,
                                public Ui::frmPedidos_Buscar {
    Q_OBJECT
};

// Neither a comment nor a literal counts: class frmX : private Ui_frmX {
inline const char* pattern() { return "class frmX : private Ui_frmX {"; }
