#pragma once
// Maintenance of the sales terminals, one at a time: type or search a code,
// edit the terminal, save, delete, and step through the terminals in code
// order. The terminals read what is saved here the next time they start.
//
// States: choosing (the code field is open and focused, Aceptar and
// Cancelar disabled) and editing (the code is fixed, the fields are open).
// Keys, seen before the controls: Alt+Up/Left/Right/Down first, previous,
// next, last; F9 Aceptar and F12 Cancelar while enabled; Esc closes the
// screen when no code is entered and cancels the edit otherwise.
#include "terminals_export.h"
#include "frame/Form.h"
#include "terminals/clsTPV.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace zqvr::controls {
class ctlTextBox;
class ctlTarifa;
class ctlAlmacen;
} // namespace zqvr::controls

namespace zqvr::terminals {

class ZQVR_TERMINALS_EXPORT frmTPVs : public frame::Form {
    Q_OBJECT
public:
    explicit frmTPVs(QWidget* parent = nullptr);
    ~frmTPVs() override;

protected:
    void formLoad() override;
    void formUnload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Event handlers.
    void txtCodigo_KeyPress(int& keyAscii);
    void cmdAceptar_Click();
    void cmdEliminar_Click();
    void cmdCancelar_Click();
    void cmdBuscar_Click();
    void cmdCerrar_Click();
    void cmdPrimero_Click();
    void cmdAnterior_Click();
    void cmdSiguiente_Click();
    void cmdUltimo_Click();

    // Loads the code typed in txtCodigo (a new terminal when it has no row).
    void abrirCodigo();
    void navegar(bool (clsTPV::*step)(clsTPV*), const QString& reportName);
    bool validar();
    // Every field empty, the code included.
    void limpiar();
    // Every field but the code empty.
    void limpiarDatos();
    void mostrar();
    void estadoEligiendo();
    void estadoEditando();
    void cargarEmpresas();

    controls::ctlTextBox* txtCodigo = nullptr;
    controls::ctlTextBox* txtHost = nullptr;
    controls::ctlTextBox* txtDescripcion = nullptr;
    QComboBox* cboEmpresa = nullptr;
    controls::ctlTarifa* txtTarifaPVP = nullptr;
    controls::ctlTarifa* txtTarifaProm = nullptr;
    controls::ctlAlmacen* txtAlmacen = nullptr;
    QCheckBox* chkEnLinea = nullptr;
    QCheckBox* chkEmergencia = nullptr;
    QPushButton* cmdBuscar = nullptr;
    QPushButton* cmdEliminar = nullptr;
    QPushButton* cmdAceptar = nullptr;
    QPushButton* cmdCancelar = nullptr;
    QPushButton* cmdPrimero = nullptr;
    QPushButton* cmdAnterior = nullptr;
    QPushButton* cmdSiguiente = nullptr;
    QPushButton* cmdUltimo = nullptr;
    QPushButton* cmdCerrar = nullptr;

    std::unique_ptr<clsTPV> m_tpv;
};

} // namespace zqvr::terminals
