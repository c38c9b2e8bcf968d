#include "reports/frmReport_Destino.h"
#include "ui_frmReport_Destino.h"

#include "frame/ErrorReport.h"

namespace zqvr::reports {

frmReport_Destino::frmReport_Destino(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::frmReport_Destino>())
{
    ui->setupUi(this);
    connect(ui->cmdAceptar, &QPushButton::clicked, this,
            [this] { frame::guarded(QStringLiteral("Error en cmdAceptar_Click"), [this] { cmdAceptar_Click(); }); });
    connect(ui->cmdCancelar, &QPushButton::clicked, this,
            [this] { frame::guarded(QStringLiteral("Error en cmdCancelar_Click"), [this] { cmdCancelar_Click(); }); });
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
