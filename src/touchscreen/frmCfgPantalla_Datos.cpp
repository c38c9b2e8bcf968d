#include "touchscreen/frmCfgPantalla_Datos.h"

#include "controls/ctlTextBox.h"
#include "frame/ErrorReport.h"
#include "frame/KeyBinding.h"
#include "frame/Wiring.h"
#include "frame/Services.h"
#include "host/Teclado.h"
#include "ui_frmCfgPantalla_Datos.h"

#include <QKeyEvent>
#include <cmath>

namespace zqvr::touchscreen {

frmCfgPantalla_Datos::frmCfgPantalla_Datos(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::frmCfgPantalla_Datos>())
{
    ui->setupUi(this);
    ui->txtCodigo->setNumeric(true);
    // Enter in the type list moves on like Enter in the text fields.
    frame::enterMovesOn({ui->cboTipoPantalla});
    frame::wire(ui->cmdAceptar, &QPushButton::clicked, this, &frmCfgPantalla_Datos::cmdAceptar_Click);
    frame::wire(ui->cmdCancelar, &QPushButton::clicked, this, &frmCfgPantalla_Datos::cmdCancelar_Click);
    frame::bindAcceptCancelKeys(this, ui->cmdAceptar, ui->cmdCancelar);
}

frmCfgPantalla_Datos::~frmCfgPantalla_Datos() = default;

bool frmCfgPantalla_Datos::Form_Load()
{
    if (!m_descripcion.isEmpty())
        ui->txtDescripcion->setText(m_descripcion);
    if (m_codigo != 0) {
        ui->txtCodigo->setText(QString::number(m_codigo));
        ui->txtCodigo->setHabilitado(false);
    }
    ui->cboTipoPantalla->clear();
    ui->cboTipoPantalla->addItem(QStringLiteral(" 3 x 4 "));
    ui->cboTipoPantalla->addItem(QStringLiteral(" 9 x 4 "));
    ui->cboTipoPantalla->setCurrentIndex(m_tipo == 1 ? 1 : 0);
    return true;
}

void frmCfgPantalla_Datos::cmdAceptar_Click()
{
    if (ui->txtDescripcion->text().trimmed().isEmpty()) {
        frame::msgAtencion(QStringLiteral("Debe especificar una descripción para la pantalla"));
        ui->txtDescripcion->setFocus();
        return;
    }
    const double code = ui->txtCodigo->Valor();
    if (code == 0) {
        frame::msgAtencion(QStringLiteral("Se esperaba código"));
        ui->txtCodigo->setFocus();
        return;
    }
    // The code is a 16-bit number the terminals look configurations up by.
    if (code < 1 || code > 32767 || code != std::floor(code)) {
        frame::msgAtencion(QStringLiteral("El código debe ser un número entero entre 1 y 32767"));
        ui->txtCodigo->setFocus();
        return;
    }
    m_codigo = static_cast<qint16>(code);
    m_descripcion = ui->txtDescripcion->text();
    m_tipo = static_cast<qint16>(ui->cboTipoPantalla->currentIndex());
    accept();
}

void frmCfgPantalla_Datos::cmdCancelar_Click() { reject(); }

void frmCfgPantalla_Datos::reject()
{
    m_descripcion.clear();
    m_tipo = 0;
    QDialog::reject();
}

} // namespace zqvr::touchscreen
