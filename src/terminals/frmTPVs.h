#pragma once
// Maintenance of the sales terminals, one at a time: type or search a code,
// edit the terminal, save, delete, and step through the terminals in code
// order. The terminals read what is saved here the next time they start.
//
// States: choosing (the code field is open and focused, Aceptar and
// Cancelar disabled) and editing (the code is fixed, the fields are open).
// Keys of the window: Alt+Up/Left/Right/Down first, previous, next, last;
// F9 Aceptar and F12 Cancelar while enabled; Esc closes the screen when no
// code is entered and cancels the edit otherwise.
#include "frame/Form.h"
#include "terminals/clsTPV.h"
#include "terminals_export.h"

#include <memory>

namespace Ui { class frmTPVs; }

namespace zqvr::terminals {

class ZQVR_TERMINALS_EXPORT frmTPVs : public frame::Form {
    Q_OBJECT
public:
    explicit frmTPVs(QWidget* parent = nullptr);
    ~frmTPVs() override;

protected:
    void formLoad() override;
    void formUnload() override;

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
    void escapePressed();

    // Loads the code typed in txtCodigo (a new terminal when it has no row).
    void openTypedCode();
    void step(bool (clsTPV::*move)(clsTPV*));
    bool validate();
    // Every field empty, the code included.
    void clearAll();
    // Every field but the code empty.
    void clearData();
    void showTerminal();
    void enterChoosing();
    void enterEditing();
    void fillCompanies();

    std::unique_ptr<Ui::frmTPVs> ui;
    std::unique_ptr<clsTPV> m_tpv;
};

} // namespace zqvr::terminals
