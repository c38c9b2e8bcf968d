#pragma once
// The dialog in which one terminal message is written or looked at. The
// manager sets number (0 = new), origin, user and read-only before showing
// it, and reads the accepted flag and the record after; the dialog reads the
// stored message and its picture but writes nothing to the database. The
// stored picture lives in a temporary file while the dialog exists.
#include "messages_export.h"
#include "messages/MensajeTPV.h"

#include "frame/Dialog.h"
#include <memory>

namespace Ui { class frmGestorMensajesTPV_Datos; }

namespace zqvr::controls { class ctlMaskEdBox; }

namespace zqvr::messages {

class ZQVR_MESSAGES_EXPORT frmGestorMensajesTPV_Datos : public frame::Dialog {
    Q_OBJECT
public:
    explicit frmGestorMensajesTPV_Datos(QWidget* parent = nullptr);
    ~frmGestorMensajesTPV_Datos() override;

    // Inputs.
    void setNumero(int numero) { m_numero = numero; }
    void setOrigen(int origen) { m_origen = origen; }
    void setUsuario(int usuario) { m_usuario = usuario; }
    void setSoloLectura(bool on) { m_soloLectura = on; }
    // The load step: fills the controls and reads the stored message. Errors
    // are reported ("frmGestorMensajesTPV_Datos:Form_Load") and false is
    // returned: the dialog is then not shown, since accepting its defaults
    // would overwrite the stored message.
    bool Form_Load() override;

    // Outputs.
    bool aceptado() const { return m_aceptado; }
    const MensajeTPV& mensaje() const { return m_mensaje; }
    // The temporary file of the stored picture ("" when there is none).
    QString imagenTemporal() const { return m_imagenTemporal; }

    // The fields as typed (what Validar checks).
    CamposEditor campos() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void cmdAceptar_Click();
    void cmdCancelar_Click();
    void cmdPrev_Click();
    void cmdExaminar_Click();
    void cmdHistorico_Click();
    void optModoMostrar_Click(int index);
    void chkMostrarImagen_Click();
    // false keeps the focus in the field (not a valid time).
    bool txtHorario_Validate(controls::ctlMaskEdBox* field);

    void cargarMensaje();
    void mostrarFoto(const QString& path);
    void bloquear();
    void borrarImagenTemporal();
    QWidget* control(const QString& name) const;

    std::unique_ptr<Ui::frmGestorMensajesTPV_Datos> ui;
    int m_numero = 0;
    int m_origen = 0;
    int m_usuario = 0;
    bool m_soloLectura = false;
    bool m_aceptado = false;
    bool m_hayImagenGuardada = false;
    bool m_validando = false;
    QString m_imagenTemporal;
    MensajeTPV m_mensaje;
};

} // namespace zqvr::messages
