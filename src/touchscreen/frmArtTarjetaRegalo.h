#pragma once
// The company's gift-card articles: Enter in the article field adds the
// article, Delete in the list or Eliminar removes the selected one (no
// question asked). The terminals read the list when they sell.
#include "touchscreen_export.h"

#include "frame/Form.h"

#include <memory>

namespace Ui { class frmArtTarjetaRegalo; }

namespace zqvr::touchscreen {

class ZQVR_TOUCHSCREEN_EXPORT frmArtTarjetaRegalo : public frame::Form {
    Q_OBJECT
public:
    explicit frmArtTarjetaRegalo(QWidget* parent = nullptr);
    ~frmArtTarjetaRegalo() override;

protected:
    void formLoad() override;

private:
    void txtArticulo_KeyPress(int& keyAscii);
    void vsArticulos_KeyDown(int& keyCode, int shift);
    void cmdEliminar_Click();
    void cmdCerrar_Click();

    void cargar();
    void AddArt();
    void RemoveArt();

    std::unique_ptr<Ui::frmArtTarjetaRegalo> ui;
};

} // namespace zqvr::touchscreen
