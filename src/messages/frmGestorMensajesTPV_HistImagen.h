#pragma once
// The previous and the new picture of one change of a message. The pictures
// are written to temporary files under the installation's Image folder
// while the window exists.
#include "messages_export.h"

#include "frame/Dialog.h"

#include <memory>

namespace Ui { class frmGestorMensajesTPV_HistImagen; }

namespace zqvr::messages {

class ZQVR_MESSAGES_EXPORT frmGestorMensajesTPV_HistImagen : public frame::Dialog {
    Q_OBJECT
public:
    explicit frmGestorMensajesTPV_HistImagen(QWidget* parent = nullptr);
    ~frmGestorMensajesTPV_HistImagen() override;

    void setId(int id) { m_id = id; }
    // Reads the pictures; errors are reported ("frmGestorMensajesTPV_HistImagen:Form_Load").
    bool Form_Load() override;
    QString ficheroAnterior() const { return m_anterior; }
    QString ficheroActual() const { return m_actual; }

private:
    void borrarFicheros();
    void cmdSalir_Click();

    std::unique_ptr<Ui::frmGestorMensajesTPV_HistImagen> ui;
    int m_id = 0;
    QString m_anterior;
    QString m_actual;
};

} // namespace zqvr::messages
