#pragma once
// Every recorded change of one terminal message, newest first, with each
// field's value before ("Anterior") and after ("Mod.") the change; the
// pictures of a change open in their own window. Only reads.
#include "messages_export.h"
#include "messages/MensajeTPV.h"

#include "frame/Dialog.h"
#include <memory>

namespace Ui { class frmGestorMensajesTPV_Historico; }

namespace zqvr::messages {

class ZQVR_MESSAGES_EXPORT frmGestorMensajesTPV_Historico : public frame::Dialog {
    Q_OBJECT
public:
    explicit frmGestorMensajesTPV_Historico(QWidget* parent = nullptr);
    ~frmGestorMensajesTPV_Historico() override;

    void setClave(const ClaveMensaje& clave) { m_clave = clave; }
    // Fills the grid; errors are reported ("frmGestorMensajesTPV_Historico:cargar")
    // and leave it empty (the window still opens).
    bool Form_Load() override;

private:
    void prepararGrid();
    void cmdVerImagen_Click();
    void cmdSalir_Click();

    std::unique_ptr<Ui::frmGestorMensajesTPV_Historico> ui;
    ClaveMensaje m_clave;
};

} // namespace zqvr::messages
