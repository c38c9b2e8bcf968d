#pragma once
// The salons of the company: add, change and delete salons, assign each to
// the warehouses whose terminals use it (saved at each check) and open the
// floor-plan editor of the selected salon.
#include "salons_export.h"
#include "frame/Form.h"

#include <memory>

namespace Ui { class frmCfgSalones; }

namespace zqvr::salons {

class ZQVR_SALONS_EXPORT frmCfgSalones : public frame::Form {
    Q_OBJECT
public:
    explicit frmCfgSalones(QWidget* parent = nullptr);
    ~frmCfgSalones() override;

protected:
    void formLoad() override;

private:
    void Cargar();
    // The selected data line, or -1.
    int lineaActual() const;
    qint16 salonActual() const;
    void mostrarAlmacenes(int row);
    void seleccionar(int row);
    void habilitar();

    void vsLineas_RowColChange(int row, int col);
    void vsLineas_DblClick(int row, int col);
    void lstAlm_ItemCheck(int index, int code, bool checked);
    void cmdAgregar_Click();
    void cmdModificar_Click();
    void cmdEliminar_Click();
    void cmdConfigurar_Click();
    void cmdSalir_Click();

    std::unique_ptr<Ui::frmCfgSalones> ui;
    bool m_loading = false;
};

} // namespace zqvr::salons
