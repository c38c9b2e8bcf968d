#include "terminals/frmTPVs.h"

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
    : Form(QStringLiteral("frmTPVs"), QStringLiteral("TPVs"), parent), m_tpv(std::make_unique<clsTPV>())
{
    setupUi(this);
    txtCodigo->setNumeric(true);
    txtCodigo->setMaxLength(6);
    // TPVs keeps tariffs as 16-bit numbers: the pickers take no larger code.
    txtTarifaPVP->setMaxCode(32767);
    txtTarifaProm->setMaxCode(32767);
    cmdPrimero->setIcon(style()->standardIcon(QStyle::SP_MediaSkipBackward));
    cmdAnterior->setIcon(style()->standardIcon(QStyle::SP_MediaSeekBackward));
    cmdSiguiente->setIcon(style()->standardIcon(QStyle::SP_MediaSeekForward));
    cmdUltimo->setIcon(style()->standardIcon(QStyle::SP_MediaSkipForward));

    using frame::wire;
    wire(txtCodigo, &controls::ctlTextBox::KeyPress, this, &frmTPVs::txtCodigo_KeyPress);
    wire(cmdAceptar, &QPushButton::clicked, this, &frmTPVs::cmdAceptar_Click);
    wire(cmdEliminar, &QPushButton::clicked, this, &frmTPVs::cmdEliminar_Click);
    wire(cmdCancelar, &QPushButton::clicked, this, &frmTPVs::cmdCancelar_Click);
    wire(cmdBuscar, &QPushButton::clicked, this, &frmTPVs::cmdBuscar_Click);
    wire(cmdCerrar, &QPushButton::clicked, this, &frmTPVs::cmdCerrar_Click);
    wire(cmdPrimero, &QPushButton::clicked, this, &frmTPVs::cmdPrimero_Click);
    wire(cmdAnterior, &QPushButton::clicked, this, &frmTPVs::cmdAnterior_Click);
    wire(cmdSiguiente, &QPushButton::clicked, this, &frmTPVs::cmdSiguiente_Click);
    wire(cmdUltimo, &QPushButton::clicked, this, &frmTPVs::cmdUltimo_Click);

    using frame::bindKey;
    bindAcceptCancelKeys(this, cmdAceptar, cmdCancelar);
    bindKey(this, Qt::ALT | Qt::Key_Up, cmdPrimero);
    bindKey(this, Qt::ALT | Qt::Key_Left, cmdAnterior);
    bindKey(this, Qt::ALT | Qt::Key_Right, cmdSiguiente);
    bindKey(this, Qt::ALT | Qt::Key_Down, cmdUltimo);
    bindKey(this, Qt::Key_Escape, this, &frmTPVs::escapePressed);
    frame::enterMovesOn({cboEmpresa});
}

frmTPVs::~frmTPVs() = default;

void frmTPVs::formLoad()
{
    db::Connection& conn = frame::conn();
    host::Empresa& empresa = frame::empresa();

    m_tpv = std::make_unique<clsTPV>();
    m_tpv->setConexion(&conn);

    txtTarifaPVP->setConexion(&conn);
    txtTarifaPVP->setEmpresa(&empresa);
    txtTarifaProm->setConexion(&conn);
    txtTarifaProm->setEmpresa(&empresa);
    txtAlmacen->setConexion(&conn);
    txtAlmacen->setEmpresa(&empresa);
    txtAlmacen->setUsuario(empresa.usuarioActual());

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
    cboEmpresa->clear();
    for (const auto& [nombre, codigo] : TerminalStore(frame::conn()).companies())
        cboEmpresa->addItem(nombre, codigo);
}

void frmTPVs::escapePressed()
{
    if (txtCodigo->Valor() <= 0)
        cmdCerrar_Click();
    else
        cmdCancelar_Click();
}


// ---- states and fields ----

void frmTPVs::clearAll()
{
    txtCodigo->clear();
    clearData();
}

void frmTPVs::clearData()
{
    txtHost->clear();
    txtDescripcion->clear();
    txtTarifaPVP->setText(QString());
    txtTarifaPVP->setCodigo(0);
    txtTarifaProm->setText(QString());
    txtTarifaProm->setCodigo(0);
    txtAlmacen->setText(QString());
    cboEmpresa->setCurrentIndex(cboEmpresa->count() > 0 ? 0 : -1);
    chkEnLinea->setChecked(false);
    chkEmergencia->setChecked(false);
}

void frmTPVs::showTerminal()
{
    frame::guarded(QStringLiteral("¡ Atención !"), [&] {
        const clsTPV& t = *m_tpv;
        txtCodigo->setText(QString::number(t.Codigo()));
        txtHost->setText(t.Host());
        txtDescripcion->setText(t.Descripcion());
        txtTarifaPVP->setCodigo(t.TarifaPVP());
        txtTarifaPVP->Cargar();
        txtTarifaProm->setCodigo(t.TarifaProm());
        txtTarifaProm->Cargar();
        txtAlmacen->setCodigo(t.Almacen());
        txtAlmacen->Cargar();
        chkEnLinea->setChecked(t.EnLinea() == 1);
        const int index = cboEmpresa->findData(static_cast<int>(t.Empresa()));
        if (index >= 0)
            cboEmpresa->setCurrentIndex(index);
        chkEmergencia->setChecked(t.Emergencia());
    });
}

void frmTPVs::enterChoosing()
{
    txtCodigo->setHabilitado(true);
    cmdAceptar->setEnabled(false);
    cmdCancelar->setEnabled(false);
    txtCodigo->setFocus(Qt::OtherFocusReason);
}

void frmTPVs::enterEditing()
{
    txtCodigo->setHabilitado(false);
    cmdAceptar->setEnabled(true);
    cmdCancelar->setEnabled(true);
    txtHost->setFocus(Qt::OtherFocusReason);
}

// ---- handlers ----

void frmTPVs::openTypedCode()
{
    if (txtCodigo->Valor() == 0)
        return;
    const qint16 code = toCode(txtCodigo->Valor());
    m_tpv->setCodigo(code);
    if (m_tpv->Cargar()) {
        showTerminal();
    } else {
        // A new terminal with that code: nothing of the one shown before stays.
        txtCodigo->setText(QString::number(code));
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
    if (cboEmpresa->currentIndex() < 0) {
        frame::msgBox(QStringLiteral("Debe especificar una empresa."), QStringLiteral("Brevanto"),
                      frame::MsgIcon::Critical);
        cboEmpresa->setFocus(Qt::OtherFocusReason);
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
    t.setHost(txtHost->text());
    t.setDescripcion(txtDescripcion->text());
    t.setEmpresa(toCode(cboEmpresa->currentData().toInt()));
    t.setTarifaPVP(toCode(static_cast<double>(txtTarifaPVP->Codigo())));
    t.setTarifaProm(toCode(static_cast<double>(txtTarifaProm->Codigo())));
    t.setAlmacen(toCode(static_cast<double>(txtAlmacen->Codigo())));
    t.setEnLinea(chkEnLinea->isChecked() ? 1 : 0);
    t.setEmergencia(chkEmergencia->isChecked());
    t.Modificar();
    *m_tpv = t;
    clearAll();
    enterChoosing();
}

void frmTPVs::cmdEliminar_Click()
{
    if (!frame::askYesNo(QStringLiteral("¿Desea eliminar el TPV actual?"), QStringLiteral("Confirmar")))
        return;
    m_tpv->setCodigo(toCode(txtCodigo->Valor()));
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
        txtCodigo->setText(QString::number(code));
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
