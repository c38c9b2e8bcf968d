#include "messages/frmGestorMensajesTPV_Datos.h"

#include "ui_frmGestorMensajesTPV_Datos.h"

#include "controls/ColumnLimit.h"
#include "controls/ctlMaskEdBox.h"
#include "db/Connection.h"
#include "frame/Wiring.h"
#include "frame/HostContext.h"
#include "frame/Services.h"
#include "host/Empresa.h"
#include "host/Formato.h"
#include "messages/ImagenMensaje.h"
#include "controls/ControlArray.h"
#include "frame/KeyBinding.h"
#include "messages/VistaPrevia.h"
#include "messages/clsGestorMensajes.h"
#include "messages/frmGestorMensajesTPV_Historico.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QPixmap>
#include <QTimer>

namespace zqvr::messages {

namespace {
// Busy pointer for the life of the object.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor()
    {
        if (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    }
};
} // namespace

frmGestorMensajesTPV_Datos::frmGestorMensajesTPV_Datos(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::frmGestorMensajesTPV_Datos>())
{
    ui->setupUi(this);
    // The two mode buttons are one control array.
    controls::setArrayIndex(ui->optModoMostrar_0, QStringLiteral("optModoMostrar"), 0);
    controls::setArrayIndex(ui->optModoMostrar_1, QStringLiteral("optModoMostrar"), 1);

    for (auto* f : {ui->txtHorario1Ini, ui->txtHorario1Fin, ui->txtHorario2Ini, ui->txtHorario2Fin}) {
        f->setKind(controls::ctlMaskEdBox::Kind::Time);
        f->installEventFilter(this);
    }
    ui->txtNumRepetir->setNumeric(true);
    ui->txtNumRepetir->setMaxLength(6);
    ui->txtIntervalosNumTickets->setNumeric(true);
    ui->txtIntervalosNumTickets->setMaxLength(6);
    ui->txtIntervalosMinEuros->setNumeric(true);
    ui->txtIntervalosMinEuros->setMaxLength(15);
    ui->txtRuta->setReadOnly(true);
    for (auto [box, column] : {std::pair{ui->txtDescripcion, "Descripcion"}, {ui->txtLinea1, "Linea1"}, {ui->txtLinea2, "Linea2"}})
        controls::limitToColumn(box, QStringLiteral("TPV_Gestor_Mensajes"), QLatin1String(column));
    prepararVistaPrevia(*ui->vsP);
    // Enter moves on from the drop-downs and the picture box as from the fields.
    frame::enterMovesOn({ui->cboMostrar, ui->cboColor, ui->chkMostrarImagen});

    // The procedures report in the messages' own way, under these names.
    frame::declareReports(this, frame::ReportNames()
                                    .style(frame::ReportStyle::NumberInText)
                                    .under(QStringLiteral("frmGestorMensajesTPV_Datos"),
                                           {QStringLiteral("Form_Load"), QStringLiteral("cmdPrev_Click"),
                                            QStringLiteral("cmdExaminar_Click"), QStringLiteral("cmdHistorico_Click")}));
    frame::wire(ui->cmdAceptar, &QPushButton::clicked, this, &frmGestorMensajesTPV_Datos::cmdAceptar_Click);
    frame::wire(ui->cmdCancelar, &QPushButton::clicked, this, &frmGestorMensajesTPV_Datos::cmdCancelar_Click);
    frame::wire(ui->cmdPrev, &QPushButton::clicked, this, &frmGestorMensajesTPV_Datos::cmdPrev_Click);
    frame::wire(ui->cmdExaminar, &QPushButton::clicked, this, &frmGestorMensajesTPV_Datos::cmdExaminar_Click);
    frame::wire(ui->cmdHistorico, &QPushButton::clicked, this, &frmGestorMensajesTPV_Datos::cmdHistorico_Click);
    frame::wireElement(ui->optModoMostrar_0, &QRadioButton::clicked, this, &frmGestorMensajesTPV_Datos::optModoMostrar_Click);
    frame::wireElement(ui->optModoMostrar_1, &QRadioButton::clicked, this, &frmGestorMensajesTPV_Datos::optModoMostrar_Click);
    frame::wire(ui->chkMostrarImagen, &QCheckBox::clicked, this, &frmGestorMensajesTPV_Datos::chkMostrarImagen_Click);
    resize(980, 560);
}

frmGestorMensajesTPV_Datos::~frmGestorMensajesTPV_Datos()
{
    // Also when the dialog goes away after an error: the file never outlives it.
    borrarImagenTemporal();
}

QWidget* frmGestorMensajesTPV_Datos::control(const QString& name) const
{
    if (name == QLatin1String("optModoMostrar"))
        return ui->optModoMostrar_0;
    return findChild<QWidget*>(name);
}

void frmGestorMensajesTPV_Datos::borrarImagenTemporal()
{
    if (!m_imagenTemporal.isEmpty()) {
        ui->picFoto->clear();
        QFile::remove(m_imagenTemporal);
        m_imagenTemporal.clear();
    }
}

bool frmGestorMensajesTPV_Datos::Form_Load()
{
    return frame::guarded(this, QStringLiteral("Form_Load"), [&] {
        ui->cboMostrar->clear();
        ui->cboMostrar->addItem(QStringLiteral("Antes del Cobro"), 0);
        ui->cboMostrar->addItem(QStringLiteral("Después del Cobro"), 1);
        ui->cboMostrar->setCurrentIndex(0);
        ui->cboColor->setColourNumber(toColourNumber(palette().color(QPalette::Button)));
        for (auto* f : {ui->txtHorario1Ini, ui->txtHorario1Fin, ui->txtHorario2Ini, ui->txtHorario2Fin})
            f->setText(QStringLiteral("00:00"));
        ui->txtNumRepetir->setText(QStringLiteral("0"));
        ui->txtIntervalosNumTickets->setText(QStringLiteral("0"));
        ui->txtIntervalosMinEuros->setText(QStringLiteral("0"));
        ui->optModoMostrar_0->setChecked(true);
        ui->txtUsuario->setConexion(&frame::conn());
        ui->txtUsuario->setEmpresa(&frame::empresa());
        ui->txtUsuario->setCodigo(m_usuario);
        ui->txtUsuario->Cargar();
        ui->picFoto->hide();
        ui->cmdOcultar->hide();
        ui->pctFotoCargando->hide();
        ui->cmdHistorico->setEnabled(m_numero > 0);

        if (m_numero > 0)
            cargarMensaje();

        if (m_soloLectura) {
            bloquear();
        } else {
            ui->cmdAceptar->setVisible(true);
            ui->cmdCancelar->setText(QStringLiteral("&Cancelar"));
        }
    });
}

void frmGestorMensajesTPV_Datos::cargarMensaje()
{
    clsGestorMensajes store(frame::conn());
    const ClaveMensaje k{frame::empresa().CodigoEmpresa(), m_numero, m_origen};
    const std::optional<MensajeGuardado> g = store.Leer(k);
    if (!g)
        throw rowDeletedError(nombreMensaje(k));
    const MensajeTPV& m = g->mensaje;
    ui->txtDescripcion->setText(m.Descripcion);
    ui->txtLinea1->setText(m.Linea1);
    ui->txtLinea2->setText(m.Linea2);
    ui->cboColor->setColourNumber(m.Color);
    ui->txtFechaInicial->setFecha(m.FechaInicial);
    ui->txtFechaFinal->setFecha(m.FechaFinal);
    const int i = ui->cboMostrar->findData(m.Cod_Mostrar);
    if (i >= 0)
        ui->cboMostrar->setCurrentIndex(i);
    (m.ModoMostrar == 1 ? ui->optModoMostrar_1 : ui->optModoMostrar_0)->setChecked(true);
    ui->txtNumRepetir->setText(QString::number(m.NumRepetir));
    ui->txtNumRepetir->setHabilitado(m.ModoMostrar != 1);
    ui->chkMostrarImagen->setChecked(m.MostrarImagen);
    // The creator stays as stored: a change does not rewrite it.
    ui->txtUsuario->setCodigo(m.Usuario);
    ui->txtUsuario->Cargar();
    ui->txtUsuario->setHabilitado(false);
    ui->chkHorario1->setChecked(m.Horario1);
    ui->chkHorario2->setChecked(m.Horario2);
    ui->txtHorario1Ini->setText(m.Hora1Ini);
    ui->txtHorario1Fin->setText(m.Hora1Fin);
    ui->txtHorario2Ini->setText(m.Hora2Ini);
    ui->txtHorario2Fin->setText(m.Hora2Fin);
    ui->chkL->setChecked(m.Dias[0]);
    ui->chkM->setChecked(m.Dias[1]);
    ui->chkX->setChecked(m.Dias[2]);
    ui->chkJ->setChecked(m.Dias[3]);
    ui->chkV->setChecked(m.Dias[4]);
    ui->chkS->setChecked(m.Dias[5]);
    ui->chkD->setChecked(m.Dias[6]);
    ui->chkIntervalosTickets->setChecked(m.IntervaloTickets);
    ui->txtIntervalosNumTickets->setText(QString::number(m.IntervaloNumTickets));
    ui->chkIntervalosEuros->setChecked(m.IntervaloEuros);
    ui->txtIntervalosMinEuros->setText(host::Formato::FormatoNumero(m.IntervaloMinEuros, 2));
    ui->txtRuta->clear();

    m_hayImagenGuardada = !g->imagen.isEmpty();
    if (m_hayImagenGuardada) {
        ui->pctFotoCargando->show();
        m_imagenTemporal = rutaImagenTemporal(frame::empresa().RutaAplicacion(),
                                              QStringLiteral("MensajeTPV_%1.png").arg(m_numero));
        escribirFichero(m_imagenTemporal, g->imagen);
        mostrarFoto(m_imagenTemporal);
        ui->pctFotoCargando->hide();
    }
    cmdPrev_Click();
}

void frmGestorMensajesTPV_Datos::mostrarFoto(const QString& path)
{
    QPixmap pm(path);
    if (pm.isNull()) {
        ui->picFoto->clear();
        return;
    }
    if (pm.height() > AltoImagenMensaje || pm.width() > 380)
        pm = pm.scaled(380, AltoImagenMensaje, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    ui->picFoto->setPixmap(pm);
}

void frmGestorMensajesTPV_Datos::bloquear()
{
    ui->cmdAceptar->hide();
    ui->cmdPrev->hide();
    for (QWidget* w : {static_cast<QWidget*>(ui->txtDescripcion), static_cast<QWidget*>(ui->txtUsuario),
                       static_cast<QWidget*>(ui->txtFechaInicial), static_cast<QWidget*>(ui->txtFechaFinal),
                       static_cast<QWidget*>(ui->cboMostrar), static_cast<QWidget*>(ui->fraTexto),
                       static_cast<QWidget*>(ui->fraModoMostrar), static_cast<QWidget*>(ui->chkMostrarImagen),
                       static_cast<QWidget*>(ui->txtRuta), static_cast<QWidget*>(ui->cmdExaminar),
                       static_cast<QWidget*>(ui->fraFranjas), static_cast<QWidget*>(ui->chkIntervalosTickets),
                       static_cast<QWidget*>(ui->txtIntervalosNumTickets), static_cast<QWidget*>(ui->chkIntervalosEuros),
                       static_cast<QWidget*>(ui->txtIntervalosMinEuros)})
        w->setEnabled(false);
    ui->cmdCancelar->setText(QStringLiteral("&Salir"));
    const QVariant origen = frame::empresa().Variable(QStringLiteral("Tpv_Mensajes_CodigoOrigen"));
    if (origen.toInt() == 0)
        ui->cmdHistorico->setEnabled(false);
}

CamposEditor frmGestorMensajesTPV_Datos::campos() const
{
    CamposEditor c;
    c.descripcion = ui->txtDescripcion->text();
    c.linea1 = ui->txtLinea1->text();
    c.linea2 = ui->txtLinea2->text();
    c.color = ui->cboColor->colourNumber();
    c.fechaInicial = ui->txtFechaInicial->text();
    c.fechaFinal = ui->txtFechaFinal->text();
    c.codMostrar = ui->cboMostrar->currentData().toInt();
    c.modoMostrar = ui->optModoMostrar_1->isChecked() ? 1 : 0;
    c.numRepetir = ui->txtNumRepetir->text();
    c.mostrarImagen = ui->chkMostrarImagen->isChecked();
    c.hayImagenGuardada = m_hayImagenGuardada;
    c.ruta = ui->txtRuta->text();
    c.usuario = static_cast<int>(ui->txtUsuario->Codigo());
    c.horario1 = ui->chkHorario1->isChecked();
    c.horario2 = ui->chkHorario2->isChecked();
    c.hora1Ini = ui->txtHorario1Ini->text();
    c.hora1Fin = ui->txtHorario1Fin->text();
    c.hora2Ini = ui->txtHorario2Ini->text();
    c.hora2Fin = ui->txtHorario2Fin->text();
    c.dias = {ui->chkL->isChecked(), ui->chkM->isChecked(), ui->chkX->isChecked(), ui->chkJ->isChecked(),
              ui->chkV->isChecked(), ui->chkS->isChecked(), ui->chkD->isChecked()};
    c.intervaloTickets = ui->chkIntervalosTickets->isChecked();
    c.intervaloNumTickets = ui->txtIntervalosNumTickets->text();
    c.intervaloEuros = ui->chkIntervalosEuros->isChecked();
    c.intervaloMinEuros = ui->txtIntervalosMinEuros->text();
    return c;
}

void frmGestorMensajesTPV_Datos::cmdAceptar_Click()
{
    const CamposEditor c = campos();
    if (const std::optional<Rechazo> r = Validar(c)) {
        frame::msgAtencion(r->mensaje);
        if (QWidget* w = control(r->control))
            w->setFocus();
        return;
    }
    m_mensaje = aMensaje(c);
    m_aceptado = true;
    accept();
}

void frmGestorMensajesTPV_Datos::cmdCancelar_Click()
{
    m_aceptado = false;
    reject();
}

void frmGestorMensajesTPV_Datos::closeEvent(QCloseEvent* e)
{
    m_aceptado = false;
    Dialog::closeEvent(e);
}

void frmGestorMensajesTPV_Datos::optModoMostrar_Click(int index)
{
    if (index == 1) {
        ui->txtNumRepetir->setHabilitado(false);
        ui->txtNumRepetir->setText(QStringLiteral("0"));
    } else {
        ui->txtNumRepetir->setHabilitado(true);
    }
}

void frmGestorMensajesTPV_Datos::chkMostrarImagen_Click()
{
    cmdPrev_Click();
}

void frmGestorMensajesTPV_Datos::cmdPrev_Click()
{
    frame::guarded(this, QStringLiteral("cmdPrev_Click"), [&] {
        const int modo = ui->optModoMostrar_1->isChecked() ? 1 : 0;
        const int color = ui->cboColor->colourNumber();
        pintarVistaPrevia(*ui->vsP, filasVistaPrevia(m_origen == 0, ui->txtLinea1->text(), ui->txtLinea2->text(), modo),
                          color);
        const QColor back = fromColourNumber(color);
        ui->cmdOcultar->setStyleSheet(QStringLiteral("background-color: %1;").arg(back.name()));
        ui->cmdOcultar->setVisible(modo == 1);

        const QString ruta = ui->txtRuta->text().trimmed();
        const QString file = !ruta.isEmpty() ? ruta : m_imagenTemporal;
        if (ui->chkMostrarImagen->isChecked() && !file.isEmpty() && QFileInfo(file).isFile()) {
            mostrarFoto(file);
            ui->picFoto->show();
        } else {
            ui->picFoto->hide();
        }
    });
}

void frmGestorMensajesTPV_Datos::cmdExaminar_Click()
{
    const QString chosen = frame::Services::files().openFile(
        this, QStringLiteral("Seleccione la imagen"), QString(),
        QStringLiteral("Fichero de Imagen (*.jpg *.bmp *.gif *.JPG *.BMP *.GIF)"));
    if (chosen.isEmpty() || !QFileInfo(chosen).isFile())
        return;
    QString resized;
    {
        BusyCursor busy;
        resized = redimensionarImagen(chosen);
    }
    ui->txtRuta->setText(resized);
    cmdPrev_Click();
}

void frmGestorMensajesTPV_Datos::cmdHistorico_Click()
{
    frmGestorMensajesTPV_Historico historico(this);
    historico.setClave({frame::empresa().CodigoEmpresa(), m_numero, m_origen});
    frame::runModal(historico);
}

bool frmGestorMensajesTPV_Datos::txtHorario_Validate(controls::ctlMaskEdBox* field)
{
    if (field->isValid() || m_soloLectura)
        return true;
    frame::msgNoPermitida(QStringLiteral("Debe introducir una hora válida"));
    return false;
}

bool frmGestorMensajesTPV_Datos::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && !m_validando) {
        auto* field = qobject_cast<controls::ctlMaskEdBox*>(watched);
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Leaving for another window (a message box) is not leaving the field.
        if (field && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            // Checked once the focus has landed: going to "Cancelar" (or the
            // dialog closing) leaves without checking, as cancelling should.
            QTimer::singleShot(0, field, [this, field] {
                if (!isVisible() || QApplication::focusWidget() == ui->cmdCancelar || m_validando)
                    return;
                m_validando = true;
                const bool ok = txtHorario_Validate(field);
                m_validando = false;
                if (!ok)
                    field->setFocus(Qt::OtherFocusReason);
            });
        }
    }
    return Dialog::eventFilter(watched, event);
}

} // namespace zqvr::messages
