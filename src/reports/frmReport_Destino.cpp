#include "reports/frmReport_Destino.h"
#include "ui_frmReport_Destino.h"

#include "frame/ErrorReport.h"
#include "frame/Wiring.h"

namespace zqvr::reports {

frmReport_Destino::frmReport_Destino(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::frmReport_Destino>())
{
    ui->setupUi(this);
    frame::wire(ui->cmdAceptar, &QPushButton::clicked, this, &frmReport_Destino::cmdAceptar_Click);
    frame::wire(ui->cmdCancelar, &QPushButton::clicked, this, &frmReport_Destino::cmdCancelar_Click);
    frame::wire(ui->cboDispositivo, &controls::ctlDispositivo::DispositivoCambiado, this,
                &frmReport_Destino::cboDispositivo_Change);
    cboDispositivo_Change();
}

// The printer only means something when printing: for the screen or a file
// its box is greyed out (what was chosen in it is still stored).
void frmReport_Destino::cboDispositivo_Change()
{
    ui->cboImpresora->setEnabled(ui->cboDispositivo->Valor() == controls::ctlDispositivo::Impresora);
}

frmReport_Destino::~frmReport_Destino() = default;

void frmReport_Destino::setDestino(reports::Destino d)
{
    ui->cboDispositivo->setValor(controls::ctlDispositivo::Dispositivo(int(d)));
}

void frmReport_Destino::setImpresora(const QString& name)
{
    ui->cboImpresora->setImpresora(name);
}

void frmReport_Destino::cmdAceptar_Click()
{
    m_destino = reports::Destino(int(ui->cboDispositivo->Valor()));
    m_impresora = ui->cboImpresora->Impresora();
    m_result = true;
    accept();
}

void frmReport_Destino::cmdCancelar_Click()
{
    m_result = false;
    reject();
}

} // namespace zqvr::reports
