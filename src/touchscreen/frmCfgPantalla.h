#pragma once
// The list of touch-screen configurations of the company: create, change
// and delete them, open the layout editor of one, and mark one for the
// terminals to load again ("Forzar Carga Tpv"); changes made in the
// editor reach the terminals only after that mark. "Imprimir" shows the
// list in the report viewer.
#include "touchscreen_export.h"
#include "frame/Form.h"

#include <memory>

namespace Ui { class frmCfgPantalla; }

namespace zqvr::touchscreen {

class ZQVR_TOUCHSCREEN_EXPORT frmCfgPantalla : public frame::Form {
    Q_OBJECT
public:
    explicit frmCfgPantalla(QWidget* parent = nullptr);
    ~frmCfgPantalla() override;

protected:
    void formLoad() override;

private:
    void Cargar();
    void cmdAgregar_Click();
    void cmdModificar_Click();
    void cmdEliminar_Click();
    void cmdConfigurar_Click();
    void cmdForzar_Click();
    // The list as it stands, through the grid printer into the report viewer.
    void cmdImprimir_Click();
    void cmdSalir_Click();
    void vsLineas_DblClick(int row, int col);
    // Modificar and Eliminar need a line to work on.
    void habilitarBotones();
    // The selected data line, or 0 when none.
    int lineaSeleccionada() const;

    std::unique_ptr<Ui::frmCfgPantalla> ui;
};

} // namespace zqvr::touchscreen
