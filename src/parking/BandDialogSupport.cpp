#include "parking/BandDialogSupport.h"

#include "controls/ctlCodePicker.h"
#include "controls/ctlTextBox.h"
#include "frame/HostContext.h"
#include "frame/Services.h"
#include "host/Empresa.h"

#include <QAction>
#include <QDialog>

namespace zqvr::parking::detail {

void prepareWarehouse(controls::ctlAlmacen& picker, qint16 almacen)
{
    host::Empresa& empresa = frame::empresa();
    picker.setConexion(&frame::conn());
    picker.setEmpresa(&empresa);
    picker.setUsuario(empresa.usuarioActual());
    // Warehouse codes are small integers here.
    picker.setMaxCode(32767);
    if (almacen != 0) {
        picker.setCodigo(almacen);
        picker.Cargar();
    }
}

bool warehouseTyped(controls::ctlAlmacen& picker)
{
    picker.setText(picker.text());
    picker.Cargar();
    return picker.EsValido() && picker.Codigo() != 0;
}

void refuse(QDialog& dialog, const BandProblem& problem)
{
    frame::msgAtencion(problem.message);
    if (auto* w = dialog.findChild<QWidget*>(problem.field)) {
        // The picker takes the focus in its code field.
        if (auto* picker = qobject_cast<controls::ctlCodePicker*>(w))
            w = picker->codeField();
        w->setFocus();
        if (auto* box = qobject_cast<controls::ctlTextBox*>(w))
            box->selectAll();
    }
}

} // namespace zqvr::parking::detail
