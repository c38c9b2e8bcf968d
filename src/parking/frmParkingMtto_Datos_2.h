#pragma once
// The parking tariff dialog: a warehouse, a range of minutes and the price
// per minute. Used like frmParkingMtto_Datos: Almacen 0 afterwards means
// cancelled. The order of the two minutes is not checked.
#include "parking_export.h"

#include "frame/Dialog.h"
#include <memory>

namespace Ui { class frmParkingMtto_Datos_2; }

namespace zqvr::parking {

class ZQVR_PARKING_EXPORT frmParkingMtto_Datos_2 : public frame::Dialog {
    Q_OBJECT
public:
    explicit frmParkingMtto_Datos_2(QWidget* parent = nullptr);
    ~frmParkingMtto_Datos_2() override;

    qint16 Almacen() const { return m_almacen; }
    void setAlmacen(qint16 v) { m_almacen = v; }
    qint16 MinutoInicial() const { return m_minutoInicial; }
    void setMinutoInicial(qint16 v) { m_minutoInicial = v; }
    qint16 MinutoFinal() const { return m_minutoFinal; }
    void setMinutoFinal(qint16 v) { m_minutoFinal = v; }
    double Pvp() const { return m_pvp; }
    void setPvp(double v) { m_pvp = v; }

    // The load step, as in frmParkingMtto_Datos.
    bool Form_Load() override;
    void reject() override;

private:
    void cmdAceptar_Click();
    void cmdCancelar_Click();

    std::unique_ptr<Ui::frmParkingMtto_Datos_2> ui;
    qint16 m_almacen = 0;
    qint16 m_minutoInicial = 0;
    qint16 m_minutoFinal = 0;
    double m_pvp = 0;
};

} // namespace zqvr::parking
