#include "terminals/frmTPVs.h"

#include "controls/ctlCodePicker.h"
#include "controls/ctlTextBox.h"
#include "db/Connection.h"
#include "db/Error.h"
#include "frame/ErrorReport.h"
#include "frame/HostContext.h"
#include "frame/Services.h"
#include "host/Empresa.h"
#include "host/Teclado.h"
#include "terminals/frmTPVs_Buscar.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
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

QLabel* label(const QString& name, const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setBuddy(buddy);
    return l;
}

QPushButton* button(const QString& name, const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmTPVs::frmTPVs(QWidget* parent)
    : Form(QStringLiteral("frmTPVs"), QStringLiteral("TPVs"), parent), m_tpv(std::make_unique<clsTPV>())
{
    txtCodigo = new controls::ctlTextBox(this);
    txtCodigo->setObjectName(QStringLiteral("txtCodigo"));
    txtCodigo->setNumeric(true);
    txtCodigo->setMaxLength(6);
    cmdBuscar = button(QStringLiteral("cmdBuscar"), QStringLiteral("&Buscar..."), this);
    txtHost = new controls::ctlTextBox(this);
    txtHost->setObjectName(QStringLiteral("txtHost"));
    txtDescripcion = new controls::ctlTextBox(this);
    txtDescripcion->setObjectName(QStringLiteral("txtDescripcion"));
    cboEmpresa = new QComboBox(this);
    cboEmpresa->setObjectName(QStringLiteral("cboEmpresa"));
    cboEmpresa->setEditable(false);
    txtTarifaPVP = new controls::ctlTarifa(this);
    txtTarifaPVP->setObjectName(QStringLiteral("txtTarifaPVP"));
    txtTarifaProm = new controls::ctlTarifa(this);
    txtTarifaProm->setObjectName(QStringLiteral("txtTarifaProm"));
    // TPVs keeps tariffs as 16-bit numbers: the pickers take no larger code.
    txtTarifaPVP->setMaxCode(32767);
    txtTarifaProm->setMaxCode(32767);
    txtAlmacen = new controls::ctlAlmacen(this);
    txtAlmacen->setObjectName(QStringLiteral("txtAlmacen"));
    chkEnLinea = new QCheckBox(QStringLiteral("En Línea"), this);
    chkEnLinea->setObjectName(QStringLiteral("chkEnLinea"));
    chkEmergencia = new QCheckBox(QStringLiteral("Tpv Emergencia"), this);
    chkEmergencia->setObjectName(QStringLiteral("chkEmergencia"));

    cmdPrimero = button(QStringLiteral("cmdPrimero"), QString(), this);
    cmdAnterior = button(QStringLiteral("cmdAnterior"), QString(), this);
    cmdSiguiente = button(QStringLiteral("cmdSiguiente"), QString(), this);
    cmdUltimo = button(QStringLiteral("cmdUltimo"), QString(), this);
    cmdPrimero->setIcon(style()->standardIcon(QStyle::SP_MediaSkipBackward));
    cmdAnterior->setIcon(style()->standardIcon(QStyle::SP_MediaSeekBackward));
    cmdSiguiente->setIcon(style()->standardIcon(QStyle::SP_MediaSeekForward));
    cmdUltimo->setIcon(style()->standardIcon(QStyle::SP_MediaSkipForward));
    cmdEliminar = button(QStringLiteral("cmdEliminar"), QStringLiteral("&Eliminar"), this);
    cmdAceptar = button(QStringLiteral("cmdAceptar"), QStringLiteral("&Aceptar"), this);
    cmdCancelar = button(QStringLiteral("cmdCancelar"), QStringLiteral("&Cancelar"), this);
    cmdCerrar = button(QStringLiteral("cmdCerrar"), QStringLiteral("&Salir"), this);

    auto* fields = new QGridLayout;
    int row = 0;
    fields->addWidget(label(QStringLiteral("lblCodigo"), QStringLiteral("Código:"), txtCodigo, this), row, 0);
    fields->addWidget(txtCodigo, row, 1);
    fields->addWidget(cmdBuscar, row++, 2);
    fields->addWidget(label(QStringLiteral("lblHost"), QStringLiteral("Host:"), txtHost, this), row, 0);
    fields->addWidget(txtHost, row++, 1, 1, 2);
    fields->addWidget(label(QStringLiteral("lblDescripcion"), QStringLiteral("Descripción:"), txtDescripcion, this),
                      row, 0);
    fields->addWidget(txtDescripcion, row++, 1, 1, 2);
    fields->addWidget(label(QStringLiteral("lblEmpresa"), QStringLiteral("Empresa:"), cboEmpresa, this), row, 0);
    fields->addWidget(cboEmpresa, row++, 1, 1, 2);
    fields->addWidget(label(QStringLiteral("lblTarifaPVP"), QStringLiteral("Tarifa:"), txtTarifaPVP, this), row, 0);
    fields->addWidget(txtTarifaPVP, row++, 1, 1, 2);
    fields->addWidget(
        label(QStringLiteral("lblTarifaProm"), QStringLiteral("Tarifa Promoción:"), txtTarifaProm, this), row, 0);
    fields->addWidget(txtTarifaProm, row++, 1, 1, 2);
    fields->addWidget(label(QStringLiteral("lblAlmacen"), QStringLiteral("Almacén:"), txtAlmacen, this), row, 0);
    fields->addWidget(txtAlmacen, row++, 1, 1, 2);
    auto* checks = new QHBoxLayout;
    checks->addWidget(chkEnLinea);
    checks->addWidget(chkEmergencia);
    checks->addStretch();
    fields->addLayout(checks, row++, 1, 1, 2);
    fields->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPrimero);
    buttons->addWidget(cmdAnterior);
    buttons->addWidget(cmdSiguiente);
    buttons->addWidget(cmdUltimo);
    buttons->addStretch();
    buttons->addWidget(cmdEliminar);
    buttons->addWidget(cmdAceptar);
    buttons->addWidget(cmdCancelar);
    buttons->addWidget(cmdCerrar);

    auto* main = new QVBoxLayout(this);
    main->addLayout(fields);
    main->addStretch();
    main->addLayout(buttons);
    resize(560, 330);

    connect(txtCodigo, &controls::ctlTextBox::KeyPress, this, [this](int& k) { txtCodigo_KeyPress(k); });
    connect(cmdAceptar, &QPushButton::clicked, this, [this] { cmdAceptar_Click(); });
    connect(cmdEliminar, &QPushButton::clicked, this, [this] { cmdEliminar_Click(); });
    connect(cmdCancelar, &QPushButton::clicked, this, [this] { cmdCancelar_Click(); });
    connect(cmdBuscar, &QPushButton::clicked, this, [this] { cmdBuscar_Click(); });
    connect(cmdCerrar, &QPushButton::clicked, this, [this] { cmdCerrar_Click(); });
    connect(cmdPrimero, &QPushButton::clicked, this, [this] { cmdPrimero_Click(); });
    connect(cmdAnterior, &QPushButton::clicked, this, [this] { cmdAnterior_Click(); });
    connect(cmdSiguiente, &QPushButton::clicked, this, [this] { cmdSiguiente_Click(); });
    connect(cmdUltimo, &QPushButton::clicked, this, [this] { cmdUltimo_Click(); });
}

frmTPVs::~frmTPVs()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

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

    cargarEmpresas();
    limpiar();
    estadoEligiendo();
    // The screen sees its keys before its controls do.
    qApp->installEventFilter(this);
}

void frmTPVs::formUnload()
{
    qApp->removeEventFilter(this);
    m_tpv = std::make_unique<clsTPV>();
}

void frmTPVs::cargarEmpresas()
{
    cboEmpresa->clear();
    db::RecordSet rs = frame::conn().query(QStringLiteral("SELECT * FROM Empresas ORDER BY Nombre_1"));
    while (!rs.eof()) {
        cboEmpresa->addItem(rs[QStringLiteral("Nombre_1")].toString(), rs[QStringLiteral("Codigo")].toInt());
        rs.moveNext();
    }
}

bool frmTPVs::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !isLoaded())
        return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || w->window() != this)
        return false;
    auto* ke = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods =
        ke->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);

    if (mods == Qt::AltModifier) {
        switch (ke->key()) {
        case Qt::Key_Up: cmdPrimero_Click(); return true;
        case Qt::Key_Left: cmdAnterior_Click(); return true;
        case Qt::Key_Right: cmdSiguiente_Click(); return true;
        case Qt::Key_Down: cmdUltimo_Click(); return true;
        default: return false;
        }
    }
    switch (ke->key()) {
    case Qt::Key_F9:
        if (cmdAceptar->isEnabled()) {
            // As a click would: the field being typed in hands over its value first.
            cmdAceptar->setFocus(Qt::OtherFocusReason);
            cmdAceptar_Click();
        }
        return true;
    case Qt::Key_F12:
        if (cmdCancelar->isEnabled())
            cmdCancelar_Click();
        return true;
    case Qt::Key_Escape:
        if (txtCodigo->Valor() <= 0)
            cmdCerrar_Click();
        else
            cmdCancelar_Click();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (w == cboEmpresa) {
            host::Teclado::Enter(cboEmpresa);
            return true;
        }
        return false;
    default: return false;
    }
}

// ---- states and fields ----

void frmTPVs::limpiar()
{
    txtCodigo->clear();
    limpiarDatos();
}

void frmTPVs::limpiarDatos()
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

void frmTPVs::mostrar()
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

void frmTPVs::estadoEligiendo()
{
    txtCodigo->setHabilitado(true);
    cmdAceptar->setEnabled(false);
    cmdCancelar->setEnabled(false);
    txtCodigo->setFocus(Qt::OtherFocusReason);
}

void frmTPVs::estadoEditando()
{
    txtCodigo->setHabilitado(false);
    cmdAceptar->setEnabled(true);
    cmdCancelar->setEnabled(true);
    txtHost->setFocus(Qt::OtherFocusReason);
}

// ---- handlers ----

void frmTPVs::abrirCodigo()
{
    if (txtCodigo->Valor() == 0)
        return;
    const qint16 code = toCode(txtCodigo->Valor());
    m_tpv->setCodigo(code);
    if (m_tpv->Cargar()) {
        mostrar();
    } else {
        // A new terminal with that code: nothing of the one shown before stays.
        txtCodigo->setText(QString::number(code));
        limpiarDatos();
    }
    estadoEditando();
}

void frmTPVs::txtCodigo_KeyPress(int& keyAscii)
{
    if (keyAscii != KeyEnter)
        return;
    keyAscii = 0;
    frame::guarded(QStringLiteral("Error en txtCodigo_KeyPress"), [&] { abrirCodigo(); });
}

bool frmTPVs::validar()
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
    frame::guarded(QStringLiteral("Error en cmdAceptar_Click"), [&] {
        if (!validar())
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
        limpiar();
        estadoEligiendo();
    });
}

void frmTPVs::cmdEliminar_Click()
{
    frame::guarded(QStringLiteral("Error en cmdEliminar_Click"), [&] {
        if (!frame::askYesNo(QStringLiteral("¿Desea eliminar el TPV actual?"), QStringLiteral("Confirmar")))
            return;
        m_tpv->setCodigo(toCode(txtCodigo->Valor()));
        m_tpv->Eliminar();
        limpiar();
        estadoEligiendo();
    });
}

void frmTPVs::cmdCancelar_Click()
{
    frame::guarded(QStringLiteral("Error en cmdCancelar_Click"), [&] {
        limpiar();
        estadoEligiendo();
    });
}

void frmTPVs::cmdBuscar_Click()
{
    frame::guarded(QStringLiteral("Error en cmdBuscar_Click"), [&] {
        qint16 code = 0;
        {
            frmTPVs_Buscar dialog(this);
            frame::runModal(dialog);
            code = dialog.Codigo();
        }
        if (code > 0) {
            txtCodigo->setText(QString::number(code));
            int key = KeyEnter;
            txtCodigo_KeyPress(key);
        }
    });
}

void frmTPVs::cmdCerrar_Click() { close(); }

void frmTPVs::navegar(bool (clsTPV::*step)(clsTPV*), const QString& reportName)
{
    frame::guarded(reportName, [&] {
        if ((m_tpv.get()->*step)(nullptr)) {
            mostrar();
            estadoEditando();
        }
    });
}

void frmTPVs::cmdPrimero_Click() { navegar(&clsTPV::Cargar_Primero, QStringLiteral("Error en cmdPrimero_Click")); }
void frmTPVs::cmdAnterior_Click() { navegar(&clsTPV::Cargar_Anterior, QStringLiteral("Error en cmdAnterior_Click")); }
void frmTPVs::cmdSiguiente_Click()
{
    navegar(&clsTPV::Cargar_Siguiente, QStringLiteral("Error en cmdSiguiente_Click"));
}
void frmTPVs::cmdUltimo_Click() { navegar(&clsTPV::Cargar_Ultimo, QStringLiteral("Error en cmdUltimo_Click")); }

} // namespace zqvr::terminals
