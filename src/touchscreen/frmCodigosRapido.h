#pragma once
// The quick codes of a warehouse: the list, an entry line (code, article,
// units; Enter in the units saves it: an existing code is changed, a new one
// created) and deletion. The terminals of the warehouse pick up every change
// on their next load, and drop deleted codes through their deletion records.
// Outside the central office the user works on their own warehouse only.
#include "touchscreen_export.h"
#include "frame/Form.h"

#include <memory>

namespace Ui { class frmCodigosRapido; }

namespace zqvr::touchscreen {

class QuickCodeStore;

class ZQVR_TOUCHSCREEN_EXPORT frmCodigosRapido : public frame::Form {
    Q_OBJECT
public:
    explicit frmCodigosRapido(QWidget* parent = nullptr);
    ~frmCodigosRapido() override;

protected:
    void formLoad() override;

private:
    void txtAlmacen_KeyPress(int& keyAscii);
    void txtAlmacen_Change();
    void txtUnidades_KeyPress(int& keyAscii);
    void cmdEliminar_Click();
    void cmdImprimir_Click();
    void cmdSalir_Click();

    void CargarLineas();
    void Grabar();
    QuickCodeStore store() const;

    std::unique_ptr<Ui::frmCodigosRapido> ui;
    // The warehouse whose codes the grid shows.
    qint16 m_almacen = 0;
};

} // namespace zqvr::touchscreen
