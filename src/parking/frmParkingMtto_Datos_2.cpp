#include "parking/frmParkingMtto_Datos_2.h"

#include "frame/KeyBinding.h"
#include "frame/Wiring.h"
#include "frame/ErrorReport.h"
#include "parking/BandDialogSupport.h"
#include "parking/BandValidation.h"
#include "ui_frmParkingMtto_Datos_2.h"

namespace zqvr::parking {

frmParkingMtto_Datos_2::frmParkingMtto_Datos_2(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::frmParkingMtto_Datos_2>())
{
    ui->setupUi(this);
    ui->txtMinutoInicial->setNumeric(true);
    ui->txtMinutoFinal->setNumeric(true);
    ui->txtPvp->setNumeric(true);
    frame::bindAcceptCancelKeys(this, ui->cmdAceptar, ui->cmdCancelar);
    frame::wire(ui->cmdAceptar, &QPushButton::clicked, this, &frmParkingMtto_Datos_2::cmdAceptar_Click);
    frame::wire(ui->cmdCancelar, &QPushButton::clicked, this, &frmParkingMtto_Datos_2::cmdCancelar_Click);
}

frmParkingMtto_Datos_2::~frmParkingMtto_Datos_2() = default;

bool frmParkingMtto_Datos_2::Form_Load()
{
    detail::prepareWarehouse(*ui->txtAlmacen, m_almacen);
    // A new band starts with empty fields.
    if (m_almacen == 0)
        return true;
    ui->txtMinutoInicial->setText(QString::number(m_minutoInicial));
    ui->txtMinutoFinal->setText(QString::number(m_minutoFinal));
    ui->txtPvp->setText(amountFieldText(m_pvp));
    return true;
}

void frmParkingMtto_Datos_2::cmdAceptar_Click()
{
    TariffBandInput in;
    in.almacenValido = detail::warehouseTyped(*ui->txtAlmacen);
    in.almacen = static_cast<qint16>(ui->txtAlmacen->Codigo());
    in.minutoInicial = ui->txtMinutoInicial->text();
    in.minutoFinal = ui->txtMinutoFinal->text();
    in.pvp = ui->txtPvp->text();
    TariffBand band;
    if (auto p = validarTarifa(in, band)) {
        detail::refuse(*this, *p);
        return;
    }
    m_almacen = band.almacen;
    m_minutoInicial = band.minutoInicial;
    m_minutoFinal = band.minutoFinal;
    m_pvp = band.pvp;
    accept();
}

void frmParkingMtto_Datos_2::cmdCancelar_Click() { reject(); }

void frmParkingMtto_Datos_2::reject()
{
    m_almacen = 0;
    m_minutoInicial = 0;
    m_minutoFinal = 0;
    m_pvp = 0;
    QDialog::reject();
}

} // namespace zqvr::parking
