#include "salons/frmCfgSalones_Datos.h"

#include "ui_frmCfgSalones_Datos.h"

#include "controls/ColumnLimit.h"
#include "frame/ErrorReport.h"
#include "frame/KeyBinding.h"
#include "frame/Wiring.h"
#include "frame/Services.h"

#include <cmath>

namespace zqvr::salons {

frmCfgSalones_Datos::frmCfgSalones_Datos(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::frmCfgSalones_Datos>())
{
    ui->setupUi(this);
    setModal(true);
    ui->txtCodigo->setNumeric(true);
    ui->txtCodigo->setMaxLength(6);
    controls::limitToColumn(ui->txtDescripcion, QStringLiteral("TPV_Sln_Salones"), QStringLiteral("Descripcion"));
    frame::wire(ui->cmdAceptar, &QPushButton::clicked, this, &frmCfgSalones_Datos::cmdAceptar_Click);
    frame::wire(ui->cmdCancelar, &QPushButton::clicked, this, &frmCfgSalones_Datos::cmdCancelar_Click);
    frame::bindAcceptCancelKeys(this, ui->cmdAceptar, ui->cmdCancelar);
}

frmCfgSalones_Datos::~frmCfgSalones_Datos() = default;

bool frmCfgSalones_Datos::Form_Load()
{
    if (!m_descripcion.isEmpty())
        ui->txtDescripcion->setText(m_descripcion);
    if (m_codigo != 0) {
        ui->txtCodigo->setText(QString::number(m_codigo));
        ui->txtCodigo->setHabilitado(false);
        // The code is fixed: the name is what there is to change.
        ui->txtDescripcion->setFocus();
    }
    if (!m_xml.isEmpty())
        ui->txtXml->setPlainText(m_xml);
    return true;
}

void frmCfgSalones_Datos::cmdAceptar_Click()
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
    // Salon codes are 16-bit whole numbers; anything else would be stored as another code.
    if (code != std::floor(code) || code < 1 || code > 32767) {
        frame::msgAtencion(QStringLiteral("El código debe ser un número entero entre 1 y 32767"));
        ui->txtCodigo->setFocus();
        return;
    }
    m_codigo = qint16(code);
    m_descripcion = ui->txtDescripcion->text();
    m_xml = ui->txtXml->toPlainText();
    accept();
}

void frmCfgSalones_Datos::cmdCancelar_Click()
{
    m_descripcion.clear();
    QDialog::reject();
}

void frmCfgSalones_Datos::reject()
{
    // Esc and the close box cancel like the button.
    cmdCancelar_Click();
}

} // namespace zqvr::salons
