#include "parking/frmParkingMtto_Datos.h"

#include "host/Formato.h"
#include "frame/KeyBinding.h"
#include "frame/Wiring.h"
#include "frame/ErrorReport.h"
#include "parking/BandDialogSupport.h"
#include "parking/BandValidation.h"
#include "ui_frmParkingMtto_Datos.h"

namespace zqvr::parking {

frmParkingMtto_Datos::frmParkingMtto_Datos(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::frmParkingMtto_Datos>())
{
    ui->setupUi(this);
    ui->txtImporteInicial->setNumeric(true);
    ui->txtImporteFinal->setNumeric(true);
    ui->txtMinutos->setNumeric(true);
    frame::bindAcceptCancelKeys(this, ui->cmdAceptar, ui->cmdCancelar);
    frame::wire(ui->cmdAceptar, &QPushButton::clicked, this, &frmParkingMtto_Datos::cmdAceptar_Click);
    frame::wire(ui->cmdCancelar, &QPushButton::clicked, this, &frmParkingMtto_Datos::cmdCancelar_Click);
}

frmParkingMtto_Datos::~frmParkingMtto_Datos() = default;

bool frmParkingMtto_Datos::Form_Load()
{
    detail::prepareWarehouse(*ui->txtAlmacen, m_almacen);
    // A new band starts with empty fields.
    if (m_almacen == 0)
        return true;
    ui->txtImporteInicial->setText(amountFieldText(m_importeInicial));
    ui->txtImporteFinal->setText(amountFieldText(m_importeFinal));
    ui->txtMinutos->setText(QString::number(m_minutos));
    return true;
}

void frmParkingMtto_Datos::cmdAceptar_Click()
{
    FreeBandInput in;
    in.almacenValido = detail::warehouseTyped(*ui->txtAlmacen);
    in.almacen = static_cast<qint16>(ui->txtAlmacen->Codigo());
    in.importeInicial = ui->txtImporteInicial->text();
    in.importeFinal = ui->txtImporteFinal->text();
    in.minutos = ui->txtMinutos->text();
    FreeBand band;
    if (auto p = validarGratis(in, band)) {
        detail::refuse(*this, *p);
        return;
    }
    m_almacen = band.almacen;
    m_importeInicial = band.importeInicial;
    m_importeFinal = band.importeFinal;
    m_minutos = band.minutos;
    accept();
}

void frmParkingMtto_Datos::cmdCancelar_Click() { reject(); }

void frmParkingMtto_Datos::reject()
{
    m_almacen = 0;
    m_importeInicial = 0;
    m_importeFinal = 0;
    m_minutos = 0;
    QDialog::reject();
}

} // namespace zqvr::parking
