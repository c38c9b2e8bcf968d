#include "tickets/frmFacturaTicket.h"
#include "ui_frmFacturaTicket.h"

#include "tickets/InvoiceReportPrinter.h"

#include "controls/ControlArray.h"
#include "frame/ErrorReport.h"
#include "frame/HostContext.h"
#include "frame/KeyBinding.h"
#include "frame/OperationNotice.h"
#include "frame/Services.h"
#include "frame/Wiring.h"
#include "host/Empresa.h"
#include "host/InvoiceServices.h"
#include "host/TillConnector.h"

#include <QDir>
#include <QPrinterInfo>
#include <QScreen>

#include <cmath>
#include <limits>

namespace zqvr::tickets {

namespace {
constexpr int KeyEnter = 13;
const QString kAtencion = QStringLiteral("¡ Atención !");
const QString kTicketNoEncontrado =
    QStringLiteral("No se ha encontrado el ticket en el servidor. Revise los datos y repita la operación.");
const QString kClienteBloqueado = QStringLiteral("El cliente especificado está bloqueado. Consulte la administración.");
const QString kErrorImpresion =
    QStringLiteral("La factura se ha generado correctamente, pero ha ocurrido un problema al imprimir.");

// A positive whole number typed in a field, 0 otherwise ("abc", "1,5", "-3").
int entero(const controls::ctlTextBox* field)
{
    const double v = field->Valor();
    if (v <= 0 || v != std::floor(v) || v > std::numeric_limits<int>::max())
        return 0;
    return int(v);
}
} // namespace

frmFacturaTicket::frmFacturaTicket(QWidget* parent)
    : Form(QStringLiteral("frmFacturaTicket"), QStringLiteral("Generar/Imprimir Factura de Ticket"), parent),
      ui(std::make_unique<Ui::frmFacturaTicket>())
{
    ui->setupUi(this);
    m_copias = {ui->chkCopia_0, ui->chkCopia_1, ui->chkCopia_2, ui->chkCopia_3, ui->chkCopia_4, ui->chkCopia_5};
    for (int i = 0; i < m_copias.size(); ++i)
        controls::setArrayIndex(m_copias[i], QStringLiteral("chkCopia"), i);
    ui->txtCaja->setNumeric(true);
    ui->txtTicket->setNumeric(true);
    ui->txtCP->setNumeric(true);
    ui->txtAlmacen->setMaxCode(32767);

    frame::declareReports(this, frame::ReportNames()
                                    .rename(QStringLiteral("cmdAceptar_Click"), kAtencion, frame::ReportStyle::PlainText)
                                    .explain(QStringLiteral("Imprimir"), [](const Error& e) {
                                        frame::msgBox(kErrorImpresion + QLatin1Char('\n') + e.description(), kAtencion,
                                                      frame::MsgIcon::Exclamation);
                                        return true;
                                    }));
    frame::wire(ui->txtTicket, &controls::ctlTextBox::KeyPress, this, &frmFacturaTicket::txtTicket_KeyPress);
    frame::wire(ui->txtCliente, &controls::ctlCodePicker::Validar, this, &frmFacturaTicket::txtCliente_Validar);
    frame::wire(ui->cmdAceptar, &QPushButton::clicked, this, &frmFacturaTicket::cmdAceptar_Click);
    frame::wire(ui->cmdCancelar, &QPushButton::clicked, this, &frmFacturaTicket::cmdCancelar_Click);
    frame::enterMovesOn({ui->cboDto});
    frame::bindControlKey(ui->cboDto, Qt::Key_Up, this, &frmFacturaTicket::cboDto_Up);
}

frmFacturaTicket::~frmFacturaTicket() = default;

QString frmFacturaTicket::pantalla() { return QStringLiteral("(Pantalla)"); }

QString frmFacturaTicket::ficheroPdf() { return QStringLiteral("(Fichero PDF)"); }

void frmFacturaTicket::formLoad()
{
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    auto& conn = frame::conn();
    auto& emp = frame::empresa();
    ui->txtCliente->setConexion(&conn);
    ui->txtCliente->setEmpresa(&emp);
    ui->txtAlmacen->setConexion(&conn);
    ui->txtAlmacen->setEmpresa(&emp);
    ui->txtAlmacen->setUsuario(emp.usuarioActual());
    ui->cboDto->setCurrentIndex(1);

    for (int i = 0; i < m_copias.size(); ++i) {
        controls::ctlCheckBox* box = m_copias[i];
        const QString n = QString::number(i + 1);
        const QString tipo = emp.Variable(QStringLiteral("TipoDoc_") + n).toString().trimmed();
        box->setText(QStringLiteral("---"));
        box->setValor(0);
        box->setEnabled(!tipo.isEmpty());
        if (!tipo.isEmpty()) {
            box->setText(tipo);
            box->setValor(int(emp.Variable(QStringLiteral("SelectDf_") + n).toString().trimmed().toDouble()));
        }
    }

    // The system's printers, then the viewer and a PDF file for a desk without one.
    const QString defecto = QPrinterInfo::defaultPrinterName();
    ui->cboImpresora->CargarNombres(QPrinterInfo::availablePrinterNames() << pantalla() << ficheroPdf(),
                                    defecto.isEmpty() ? pantalla() : defecto);
}

int frmFacturaTicket::mascaraCopias() const
{
    int mask = 0;
    for (int i = 0; i < m_copias.size(); ++i)
        if (m_copias[i]->isEnabled() && m_copias[i]->Valor())
            mask += 1 << i;
    return mask == 0 ? 1 : mask;
}

bool frmFacturaTicket::claveTicket(TicketKey& k) const
{
    k.empresa = frame::empresa().CodigoEmpresa();
    k.almacen = int(ui->txtAlmacen->Codigo());
    k.caja = entero(ui->txtCaja);
    k.codigo = entero(ui->txtTicket);
    k.fecha = ui->txtFecha->Fecha();
    return ui->txtAlmacen->EsValido() && k.almacen > 0 && k.caja > 0 && k.codigo > 0 && ui->txtFecha->isValid();
}

// ---- loading ----

void frmFacturaTicket::txtTicket_KeyPress(int& keyAscii)
{
    if (keyAscii != KeyEnter)
        return;
    TicketKey k;
    if (!claveTicket(k))
        return;
    keyAscii = 0;
    cargarTicket(k);
}

void frmFacturaTicket::cargarTicket(const TicketKey& k)
{
    FacturaTicketStore store(frame::conn(), frame::empresa());
    const std::optional<InvoiceTicket> t = store.ticketConFactura(k);
    if (!t) {
        frame::msgBox(kTicketNoEncontrado, kAtencion, frame::MsgIcon::Information);
        return;
    }
    ui->txtCliente->setCodigo(t->factura ? t->factura->cliente : t->cliente);
    ui->txtCliente->Cargar();
    if (t->factura) {
        mostrarFiscal(t->factura->fiscal);
        ui->cboDto->setFocus(Qt::OtherFocusReason);
    } else if (t->cliente != 0) {
        limpiarFiscal();
        cargarCliente(t->cliente);
        ui->txtNif->setFocus(Qt::OtherFocusReason);
    } else if (ui->txtCliente->isEnabled() && ui->txtCliente->Habilitado()) {
        limpiarFiscal();
        ui->txtCliente->setFocus(Qt::OtherFocusReason);
    }
}

std::optional<CustomerFiscal> frmFacturaTicket::cargarCliente(int codigo)
{
    const std::optional<CustomerFiscal> c = FacturaTicketStore(frame::conn(), frame::empresa()).cliente(codigo);
    if (c)
        mostrarFiscal(c->fiscal);
    return c;
}

void frmFacturaTicket::txtCliente_Validar(qint64 code, bool& cancel)
{
    if (code < 1)
        return;
    const std::optional<CustomerFiscal> c = cargarCliente(int(code));
    if (c && c->bloqueado) {
        frame::msgBox(kClienteBloqueado, kAtencion, frame::MsgIcon::Information);
        limpiarFiscal();
        cancel = true;
    }
}

void frmFacturaTicket::mostrarFiscal(const FiscalData& f)
{
    ui->txtNif->setText(f.nif);
    ui->txtNombre->setText(f.nombre);
    ui->txtNombre_1->setText(f.nombreComercial);
    ui->txtDireccion->setText(f.direccion);
    ui->txtCP->setText(f.cp > 0 ? QString::number(f.cp) : QString());
    ui->txtLocalidad->setText(f.localidad);
    ui->txtProvincia->setText(f.provincia);
    ui->txtPais->setText(f.pais);
    ui->txtTelefono->setText(f.telefono);
}

void frmFacturaTicket::limpiarFiscal() { mostrarFiscal(FiscalData()); }

FiscalData frmFacturaTicket::fiscal() const
{
    FiscalData f;
    f.nif = ui->txtNif->text();
    f.nombre = ui->txtNombre->text();
    f.nombreComercial = ui->txtNombre_1->text();
    f.direccion = ui->txtDireccion->text();
    f.cp = entero(ui->txtCP);
    f.localidad = ui->txtLocalidad->text();
    f.provincia = ui->txtProvincia->text();
    f.pais = ui->txtPais->text();
    f.telefono = ui->txtTelefono->text();
    return f;
}

void frmFacturaTicket::cboDto_Up() { focusPreviousChild(); }

void frmFacturaTicket::cmdCancelar_Click() { close(); }

// ---- Aceptar ----

void frmFacturaTicket::cmdAceptar_Click()
{
    TicketKey k;
    claveTicket(k);
    struct Check {
        bool failed;
        QString text;
        QWidget* focus;
    };
    const Check checks[] = {
        {!ui->txtAlmacen->EsValido() || k.almacen <= 0, QStringLiteral("Especifique un número de almacén valido"), ui->txtAlmacen},
        {k.codigo == 0, QStringLiteral("Especifique un número de Ticket valido"), ui->txtTicket},
        {k.caja == 0, QStringLiteral("Especifique un número de Caja valido"), ui->txtCaja},
        {!ui->txtFecha->isValid(), QStringLiteral("Especifique una fecha de ticket valida"), ui->txtFecha},
        {ui->txtCliente->Codigo() <= 0 || !ui->txtCliente->EsValido(),
         QStringLiteral("Especifique el cliente para generar la factura"), ui->txtCliente},
    };
    for (const Check& c : checks) {
        if (c.failed) {
            frame::msgAtencion(c.text);
            c.focus->setFocus(Qt::OtherFocusReason);
            return;
        }
    }

    frame::OperationNotice notice;
    host::Empresa& emp = frame::empresa();
    FacturaTicketStore store(frame::conn(), emp);
    const std::optional<InvoiceTicket> ticket = store.ticket(k);
    if (!ticket) {
        frame::modMsgOp(false);
        frame::msgBox(kTicketNoEncontrado, kAtencion, frame::MsgIcon::Information);
        return;
    }

    // The invoice exists: reprint what is stored, not what the fields show.
    if (const std::optional<StoredInvoice> stored = store.factura(k)) {
        ui->txtCliente->setCodigo(stored->cliente);
        ui->txtCliente->Cargar();
        mostrarFiscal(stored->fiscal);
        imprimir(k, ticket->cajero);
        return;
    }

    const int cliente = int(ui->txtCliente->Codigo());
    const std::optional<CustomerFiscal> datos = store.cliente(cliente);
    if (!datos || datos->bloqueado) {
        frame::modMsgOp(false);
        frame::msgBox(datos ? kClienteBloqueado : QStringLiteral("Especifique el cliente para generar la factura"),
                      kAtencion, datos ? frame::MsgIcon::Information : frame::MsgIcon::Exclamation);
        ui->txtCliente->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!frame::askYesNo(QStringLiteral("No se ha encontrado la factura solicitada para imprimir una copia. "
                                        "¿Desea generar la factura?"),
                         QStringLiteral("Confirmar"))) {
        frame::modMsgOp(false);
        return;
    }
    const int serie = store.serie(k.almacen);
    if (serie == 0) {
        frame::modMsgOp(false);
        frame::msgBox(QStringLiteral("No está definida la serie de facturación en los parámetros de TPVs"),
                      QStringLiteral("¡ Atención, imposible continuar !"), frame::MsgIcon::Exclamation);
        return;
    }

    InvoiceRequest r;
    r.key = k;
    r.cliente = cliente;
    r.fiscal = fiscal();
    r.serie = serie;
    r.facturaAlmacen = emp.Variable(QStringLiteral("Almacen_PD")).toInt();
    const auto numerador = host::NumeradorFacturas::current();
    const auto estadisticas = host::EstadisticasClientes::current();
    const auto caja = host::TillConnector::current();
    const auto descifrador = host::Descifrador::current();
    const InvoiceOutcome made =
        store.generar(r, InvoiceHost{numerador.get(), estadisticas.get(), caja.get(), descifrador.get()});
    if (made.invoice.cliente != cliente) {
        ui->txtCliente->setCodigo(made.invoice.cliente);
        ui->txtCliente->Cargar();
    }
    // Another user made it a moment ago: that one is printed.
    if (!made.generated)
        mostrarFiscal(made.invoice.fiscal);
    imprimir(k, ticket->cajero);
}

void frmFacturaTicket::imprimir(const TicketKey& k, int cajero)
{
    frame::guarded(this, QStringLiteral("Imprimir"), [&] {
        host::Empresa& emp = frame::empresa();
        host::InvoicePrintRequest r;
        r.conexion = &frame::conn();
        r.empresa = &emp;
        r.almacen = k.almacen;
        r.caja = k.caja;
        r.fecha = k.fecha;
        r.anio = k.fecha.year();
        r.ticket = k.codigo;
        r.copias = mascaraCopias();
        r.mostrarDtos = ui->cboDto->currentIndex() != 0;
        r.cajero = cajero;
        const FiscalData f = fiscal();
        r.nif = f.nif;
        r.nombre = f.nombre;
        r.nombreComercial = f.nombreComercial;
        r.direccion = f.direccion;
        r.localidad = f.localidad;
        r.provincia = f.provincia;
        r.pais = f.pais;
        r.telefono = f.telefono;
        r.cp = f.cp;
        const QString impresora = ui->cboImpresora->Impresora();
        if (impresora == pantalla()) {
            r.device = host::OutputDevice::Screen;
        } else if (impresora == ficheroPdf()) {
            r.device = host::OutputDevice::File;
            frame::modMsgOp(false);
            r.target = frame::Services::files().saveFile(
                this, windowTitle(),
                QDir::home().filePath(QStringLiteral("Factura %1-%2-%3.pdf").arg(k.caja).arg(k.fecha.toString(QStringLiteral("yyyyMMdd"))).arg(k.codigo)),
                QStringLiteral("PDF (*.pdf)"));
            if (r.target.isEmpty())
                return;
        } else {
            r.device = host::OutputDevice::Printer;
            r.impresora = impresora;
        }
        r.parametros.insert(QStringLiteral("Impresora_Externa"), r.impresora);
        std::unique_ptr<host::ImpresionFactura> printer = host::ImpresionFactura::create();
        if (!printer)
            printer = std::make_unique<InvoiceReportPrinter>();
        printer->Imprimir(r);
    });
    frame::modMsgOp(false);
    ui->txtAlmacen->setFocus(Qt::OtherFocusReason);
}

} // namespace zqvr::tickets
