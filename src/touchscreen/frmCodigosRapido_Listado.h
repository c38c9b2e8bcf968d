#pragma once
// The printed list of a warehouse's quick codes: the user picks the
// warehouse, the sort column and direction, the device (screen, printer or
// PDF file) and the printer; Aceptar prints "Codigos Rapidos.rpt" through
// the host's own connection.
#include "touchscreen_export.h"

#include <QDialog>
#include <memory>

namespace Ui { class frmCodigosRapido_Listado; }

namespace zqvr::touchscreen {

class ZQVR_TOUCHSCREEN_EXPORT frmCodigosRapido_Listado : public QDialog {
    Q_OBJECT
public:
    explicit frmCodigosRapido_Listado(QWidget* parent = nullptr);
    ~frmCodigosRapido_Listado() override;

    // The listing window the component keeps: the sort and the direction
    // chosen are still there when it is opened again, from this or a later
    // quick-code window. It is bound to the host context of each opening.
    static frmCodigosRapido_Listado& instance();

    // Shows that warehouse (the one of the quick-code window) in the picker.
    void setAlmacen(qint16 almacen);

private:
    // Hands the warehouse picker the current connection, company and user.
    void enlazar();
    void cmdAceptar_Click();
    void cmdSalir_Click();

    std::unique_ptr<Ui::frmCodigosRapido_Listado> ui;
};

} // namespace zqvr::touchscreen
