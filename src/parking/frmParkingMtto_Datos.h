#pragma once
// The free-parking band dialog: a warehouse, a purchase amount range and the
// free minutes it gives. The parking window sets the properties, runs the
// dialog with frame::runModal and reads them back when it was accepted.
//
//   frmParkingMtto_Datos dlg(this);
//   dlg.setAlmacen(1); dlg.setImporteInicial(20); ...   // or nothing, for a new band
//   if (frame::runModal(dlg) == frame::DialogResult::Accepted) ...
#include "parking_export.h"

#include "frame/Dialog.h"
#include <memory>

namespace Ui { class frmParkingMtto_Datos; }

namespace zqvr::parking {

class ZQVR_PARKING_EXPORT frmParkingMtto_Datos : public frame::Dialog {
    Q_OBJECT
public:
    explicit frmParkingMtto_Datos(QWidget* parent = nullptr);
    ~frmParkingMtto_Datos() override;

    qint16 Almacen() const { return m_almacen; }
    void setAlmacen(qint16 v) { m_almacen = v; }
    double ImporteInicial() const { return m_importeInicial; }
    void setImporteInicial(double v) { m_importeInicial = v; }
    double ImporteFinal() const { return m_importeFinal; }
    void setImporteFinal(double v) { m_importeFinal = v; }
    qint16 Minutos() const { return m_minutos; }
    void setMinutos(qint16 v) { m_minutos = v; }

    // The load step: the warehouse picker gets the connection, company and
    // user; the properties show in the fields. Throws Error when the
    // warehouse cannot be looked up.
    bool Form_Load() override;

    // Esc and the window's close button cancel.
    void reject() override;

private:
    void cmdAceptar_Click();
    void cmdCancelar_Click();

    std::unique_ptr<Ui::frmParkingMtto_Datos> ui;
    qint16 m_almacen = 0;
    double m_importeInicial = 0;
    double m_importeFinal = 0;
    qint16 m_minutos = 0;
};

} // namespace zqvr::parking
