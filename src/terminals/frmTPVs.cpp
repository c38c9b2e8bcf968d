#include "terminals/frmTPVs.h"

#include "ui_frmTPVs.h"

#include "controls/ColumnLimit.h"
#include "controls/ctlCodePicker.h"
#include "controls/ctlTextBox.h"
#include "db/Connection.h"
#include "db/Error.h"
#include "frame/ErrorReport.h"
#include "frame/HostContext.h"
#include "frame/KeyBinding.h"
#include "frame/Services.h"
#include "frame/Wiring.h"
#include "host/Empresa.h"
#include "host/Teclado.h"
#include "terminals/TerminalStore.h"
#include "terminals/frmTPVs_Buscar.h"

#include <QComboBox>
#include <QPushButton>
#include <QStyle>
#include <cmath>
#include <limits>

namespace zqvr::terminals {

namespace {

constexpr int KeyEnter = 13;

// Codes are 16-bit in TPVs: a value that does not fit is refused, never cut down.
qint16 toCode(double value)
{
    const double r = std::round(value);
    if (!std::isfinite(r) || r < std::numeric_limits<qint16>::min() || r > std::numeric_limits<qint16>::max())
        throw Error(6, QStringLiteral("Desbordamiento"));
    return static_cast<qint16>(r);
}

} // namespace

frmTPVs::frmTPVs(QWidget* parent)
    : Form(QStringLiteral("frmTPVs"), QStringLiteral("TPVs"), parent),
      ui(std::make_unique<Ui::frmTPVs>()), m_tpv(std::make_unique<clsTPV>())
{
    ui->setupUi(this);
    ui->txtCodigo->setNumeric(true);
    ui->txtCodigo->setMaxLength(6);
    controls::limitToColumn(ui->txtHost, QStringLiteral("TPVs"), QStringLiteral("Host"));
    controls::limitToColumn(ui->txtDescripcion, QStringLiteral("TPVs"), QStringLiteral("Descripcion"));
    // TPVs keeps tariffs as 16-bit numbers: the pickers take no larger code.
    ui->txtTarifaPVP->setMaxCode(32767);
    ui->txtTarifaProm->setMaxCode(32767);
    ui->cmdPrimero->setIcon(style()->standardIcon(QStyle::SP_MediaSkipBackward));
    ui->cmdAnterior->setIcon(style()->standardIcon(QStyle::SP_MediaSeekBackward));
    ui->cmdSiguiente->setIcon(style()->standardIcon(QStyle::SP_MediaSeekForward));
    ui->cmdUltimo->setIcon(style()->standardIcon(QStyle::SP_MediaSkipForward));

    using frame::wire;
    wire(ui->txtCodigo, &controls::ctlTextBox::KeyPress, this, &frmTPVs::txtCodigo_KeyPress);
    wire(ui->cmdAceptar, &QPushButton::clicked, this, &frmTPVs::cmdAceptar_Click);
    wire(ui->cmdEliminar, &QPushButton::clicked, this, &frmTPVs::cmdEliminar_Click);
    wire(ui->cmdCancelar, &QPushButton::clicked, this, &frmTPVs::cmdCancelar_Click);
    wire(ui->cmdBuscar, &QPushButton::clicked, this, &frmTPVs::cmdBuscar_Click);
    wire(ui->cmdCerrar, &QPushButton::clicked, this, &frmTPVs::cmdCerrar_Click);
    wire(ui->cmdPrimero, &QPushButton::clicked, this, &frmTPVs::cmdPrimero_Click);
    wire(ui->cmdAnterior, &QPushButton::clicked, this, &frmTPVs::cmdAnterior_Click);
    wire(ui->cmdSiguiente, &QPushButton::clicked, this, &frmTPVs::cmdSiguiente_Click);
    wire(ui->cmdUltimo, &QPushButton::clicked, this, &frmTPVs::cmdUltimo_Click);

    using frame::bindKey;
    bindAcceptCancelKeys(this, ui->cmdAceptar, ui->cmdCancelar);
    bindKey(this, Qt::ALT | Qt::Key_Up, ui->cmdPrimero);
    bindKey(this, Qt::ALT | Qt::Key_Left, ui->cmdAnterior);
    bindKey(this, Qt::ALT | Qt::Key_Right, ui->cmdSiguiente);
    bindKey(this, Qt::ALT | Qt::Key_Down, ui->cmdUltimo);
    bindKey(this, Qt::Key_Escape, this, &frmTPVs::escapePressed);
    frame::enterMovesOn({ui->cboEmpresa});
}

frmTPVs::~frmTPVs() = default;

void frmTPVs::formLoad()
{
    db::Connection& conn = frame::conn();
    host::Empresa& empresa = frame::empresa();

    m_tpv = std::make_unique<clsTPV>();
    m_tpv->setConexion(&conn);

    ui->txtTarifaPVP->setConexion(&conn);
    ui->txtTarifaPVP->setEmpresa(&empresa);
    ui->txtTarifaProm->setConexion(&conn);
    ui->txtTarifaProm->setEmpresa(&empresa);
    ui->txtAlmacen->setConexion(&conn);
    ui->txtAlmacen->setEmpresa(&empresa);
    ui->txtAlmacen->setUsuario(empresa.usuarioActual());

    fillCompanies();
    clearAll();
    enterChoosing();
}

void frmTPVs::formUnload()
{
    m_tpv = std::make_unique<clsTPV>();
}

void frmTPVs::fillCompanies()
{
    ui->cboEmpresa->clear();
    for (const auto& [nombre, codigo] : TerminalStore(frame::conn()).companies())
        ui->cboEmpresa->addItem(nombre, codigo);
}

void frmTPVs::escapePressed()
{
    if (ui->txtCodigo->Valor() <= 0)
        cmdCerrar_Click();
    else
        cmdCancelar_Click();
}


// ---- states and fields ----

void frmTPVs::clearAll()
{
    ui->txtCodigo->clear();
    clearData();
}

void frmTPVs::clearData()
{
    ui->txtHost->clear();
    ui->txtDescripcion->clear();
    ui->txtTarifaPVP->setText(QString());
    ui->txtTarifaPVP->setCodigo(0);
    ui->txtTarifaProm->setText(QString());
    ui->txtTarifaProm->setCodigo(0);
    ui->txtAlmacen->setText(QString());
    ui->cboEmpresa->setCurrentIndex(ui->cboEmpresa->count() > 0 ? 0 : -1);
    ui->chkEnLinea->setChecked(false);
    ui->chkEmergencia->setChecked(false);
}

void frmTPVs::showTerminal()
{
    frame::guarded(QStringLiteral("¡ Atención !"), [&] {
        const clsTPV& t = *m_tpv;
        ui->txtCodigo->setText(QString::number(t.Codigo()));
        ui->txtHost->setText(t.Host());
        ui->txtDescripcion->setText(t.Descripcion());
        ui->txtTarifaPVP->setCodigo(t.TarifaPVP());
        ui->txtTarifaPVP->Cargar();
        ui->txtTarifaProm->setCodigo(t.TarifaProm());
        ui->txtTarifaProm->Cargar();
        ui->txtAlmacen->setCodigo(t.Almacen());
        ui->txtAlmacen->Cargar();
        ui->chkEnLinea->setChecked(t.EnLinea() == 1);
        const int index = ui->cboEmpresa->findData(static_cast<int>(t.Empresa()));
        if (index >= 0)
            ui->cboEmpresa->setCurrentIndex(index);
        ui->chkEmergencia->setChecked(t.Emergencia());
    });
}

void frmTPVs::enterChoosing()
{
    ui->txtCodigo->setHabilitado(true);
    ui->cmdAceptar->setEnabled(false);
    ui->cmdCancelar->setEnabled(false);
    ui->txtCodigo->setFocus(Qt::OtherFocusReason);
}

void frmTPVs::enterEditing()
{
    ui->txtCodigo->setHabilitado(false);
    ui->cmdAceptar->setEnabled(true);
    ui->cmdCancelar->setEnabled(true);
    ui->txtHost->setFocus(Qt::OtherFocusReason);
}

// ---- handlers ----

void frmTPVs::openTypedCode()
{
    if (ui->txtCodigo->Valor() == 0)
        return;
    const qint16 code = toCode(ui->txtCodigo->Valor());
    m_tpv->setCodigo(code);
    if (m_tpv->Cargar()) {
        showTerminal();
    } else {
        // A new terminal with that code: nothing of the one shown before stays.
        ui->txtCodigo->setText(QString::number(code));
        clearData();
    }
    enterEditing();
}

void frmTPVs::txtCodigo_KeyPress(int& keyAscii)
{
    if (keyAscii != KeyEnter)
        return;
    keyAscii = 0;
    openTypedCode();
}

bool frmTPVs::validate()
{
    if (ui->cboEmpresa->currentIndex() < 0) {
        frame::msgBox(QStringLiteral("Debe especificar una empresa."), QStringLiteral("Brevanto"),
                      frame::MsgIcon::Critical);
        ui->cboEmpresa->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void frmTPVs::cmdAceptar_Click()
{
    if (!validate())
        return;
    // Everything is converted before the record changes, so that a value
    // that does not fit leaves the record as it was.
    clsTPV t = *m_tpv;
    t.setHost(ui->txtHost->text());
    t.setDescripcion(ui->txtDescripcion->text());
    t.setEmpresa(toCode(ui->cboEmpresa->currentData().toInt()));
    t.setTarifaPVP(toCode(static_cast<double>(ui->txtTarifaPVP->Codigo())));
    t.setTarifaProm(toCode(static_cast<double>(ui->txtTarifaProm->Codigo())));
    t.setAlmacen(toCode(static_cast<double>(ui->txtAlmacen->Codigo())));
    t.setEnLinea(ui->chkEnLinea->isChecked() ? 1 : 0);
    t.setEmergencia(ui->chkEmergencia->isChecked());
    t.Modificar();
    *m_tpv = t;
    clearAll();
    enterChoosing();
}

void frmTPVs::cmdEliminar_Click()
{
    if (!frame::askYesNo(QStringLiteral("¿Desea eliminar el TPV actual?"), QStringLiteral("Confirmar")))
        return;
    m_tpv->setCodigo(toCode(ui->txtCodigo->Valor()));
    m_tpv->Eliminar();
    clearAll();
    enterChoosing();
}

void frmTPVs::cmdCancelar_Click()
{
    clearAll();
    enterChoosing();
}

void frmTPVs::cmdBuscar_Click()
{
    qint16 code = 0;
    {
        frmTPVs_Buscar dialog(this);
        if (frame::runModal(dialog) == frame::DialogResult::Accepted)
            code = dialog.Codigo();
    }
    if (code > 0) {
        ui->txtCodigo->setText(QString::number(code));
        // As Enter in the code field, reported as that field's own event.
        frame::guarded(this, QStringLiteral("txtCodigo_KeyPress"), [this] {
            int key = KeyEnter;
            txtCodigo_KeyPress(key);
        });
    }
}

void frmTPVs::cmdCerrar_Click() { close(); }

void frmTPVs::step(bool (clsTPV::*move)(clsTPV*))
{
    if ((m_tpv.get()->*move)(nullptr)) {
        showTerminal();
        enterEditing();
    }
}

void frmTPVs::cmdPrimero_Click() { step(&clsTPV::Cargar_Primero); }
void frmTPVs::cmdAnterior_Click() { step(&clsTPV::Cargar_Anterior); }
void frmTPVs::cmdSiguiente_Click() { step(&clsTPV::Cargar_Siguiente); }
void frmTPVs::cmdUltimo_Click() { step(&clsTPV::Cargar_Ultimo); }

} // namespace zqvr::terminals
