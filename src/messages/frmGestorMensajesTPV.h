#pragma once
// The terminal messages of the company: the list by origin with its date
// filters, the warehouses whose terminals show the selected message, and
// add, change, duplicate, delete and view through the message editor. The
// window does not let the user leave a message in force without warehouses.
#include "messages_export.h"
#include "frame/Form.h"
#include "frame/Services.h"
#include "messages/MensajeTPV.h"

#include <QList>
#include <memory>
#include <optional>

class QCheckBox;

namespace Ui { class frmGestorMensajesTPV; }

namespace zqvr::messages {

class frmGestorMensajesTPV_Datos;

class ZQVR_MESSAGES_EXPORT frmGestorMensajesTPV : public frame::Form {
    Q_OBJECT
    Q_PROPERTY(int Usuario READ Usuario WRITE setUsuario)
public:
    explicit frmGestorMensajesTPV(QWidget* parent = nullptr);
    ~frmGestorMensajesTPV() override;

    int Usuario() const { return m_usuario; }
    void setUsuario(int usuario) { m_usuario = usuario; }
    // The installation's origin read on loading (0 = central).
    int origenInstalacion() const { return m_origen; }
    // The message of the selected row, if any.
    std::optional<ClaveMensaje> seleccionado() const;
    // The day the list and the closing check compare with (today unless a test fixes it).
    void setHoy(const QDate& d) { m_hoy = d; }
    // Fills the list from the database with the chkVer filters (throws Error).
    void cargar();

protected:
    void formLoad() override;
    bool formQueryUnload() override;

private:
    void cmdAgregar_Click();
    void cmdModificar_Click();
    void cmdDuplicar_Click();
    void cmdEliminar_Click();
    void cmdVisualizar_Click();
    frame::DialogResult mostrarEditor(frmGestorMensajesTPV_Datos& editor, const ClaveMensaje& k, bool soloLectura);
    void cmdSalir_Click();
    void chkVer_Click(int index);
    void vsMensajes_RowColChange();
    void lstAlm_ItemCheck(int index, int code, bool checked);

    void prepararGrid();
    void seleccionar(const ClaveMensaje& k);
    void habilitarBotones();
    // Opens the editor on the message; false when it no longer exists (the list is reloaded).
    bool existeOAvisa(const ClaveMensaje& k);
    QDate hoy() const;

    std::unique_ptr<Ui::frmGestorMensajesTPV> ui;
    QList<QCheckBox*> chkVer;
    int m_usuario = 0;
    int m_origen = 0;
    QDate m_hoy;
};

} // namespace zqvr::messages
