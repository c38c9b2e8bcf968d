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

namespace {
// Enter in the type list moves on like Enter in the text fields.
class EnterMovesOn : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                host::Teclado::Enter(static_cast<QWidget*>(o));
                return true;
            }
        }
        return false;
    }
};
} // namespace

frmCfgPantalla_Datos::frmCfgPantalla_Datos(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmCfgPantalla_Datos>())
{
    ui->setupUi(this);
    ui->txtCodigo->setNumeric(true);
    ui->cboTipoPantalla->installEventFilter(new EnterMovesOn(ui->cboTipoPantalla));
    frame::wire(ui->cmdAceptar, &QPushButton::clicked, this, &frmCfgPantalla_Datos::cmdAceptar_Click);
    frame::wire(ui->cmdCancelar, &QPushButton::clicked, this, &frmCfgPantalla_Datos::cmdCancelar_Click);
    frame::bindAcceptCancelKeys(this, ui->cmdAceptar, ui->cmdCancelar);
}

frmCfgPantalla_Datos::~frmCfgPantalla_Datos() = default;

void frmCfgPantalla_Datos::Cargar()
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
