#pragma once
// The car-park window: the free-parking bands and the tariff bands of every
// warehouse of the company, one grid per tab. Agregar, Modificar and
// Eliminar act on the grid of the tab shown, through the band dialogs. The
// terminals read the bands as they stand.
#include "parking_export.h"
#include "frame/Form.h"
#include "parking/ParkingStore.h"

#include <memory>

namespace Ui { class frmParkingMtto; }
namespace zqvr::controls { class Grid; }

namespace zqvr::parking {

class ZQVR_PARKING_EXPORT frmParkingMtto : public frame::Form {
    Q_OBJECT
public:
    enum Tab { TabGratis = 0, TabTarifas = 1 };

    explicit frmParkingMtto(QWidget* parent = nullptr);
    ~frmParkingMtto() override;

protected:
    void formLoad() override;
    void formUnload() override;

private:
    void ssTab_Click(int previousTab);
    void cmdAgregar_Click();
    void cmdModificar_Click();
    void cmdEliminar_Click();
    void cmdSalir_Click();

    void Cargar_Gratis();
    void Cargar_Tarifas();
    void cargarTab();
    void configurarGrid(controls::Grid& grid, const QString& h3, const QString& h4, const QString& h5);
    controls::Grid& gridActual() const;
    // The band of the grid's current row; false when no data row is current
    // or its band is no longer in the grid.
    bool bandaActual(FreeBand& band) const;
    bool bandaActual(TariffBand& band) const;
    ParkingStore store() const;

    std::unique_ptr<Ui::frmParkingMtto> ui;
    std::vector<FreeBand> m_gratis;
    std::vector<TariffBand> m_tarifas;
};

} // namespace zqvr::parking
