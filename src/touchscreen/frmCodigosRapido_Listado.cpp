#include "touchscreen/frmCodigosRapido_Listado.h"
#include "ui_frmCodigosRapido_Listado.h"

#include "controls/ctlTextBox.h"
#include "frame/Wiring.h"
#include "frame/ErrorReport.h"
#include "frame/HostContext.h"
#include "frame/Services.h"
#include "host/Empresa.h"
#include "reports/Report.h"
#include "reports/ReportOutput.h"
#include "touchscreen/QuickCodeListing.h"
#include "touchscreen/QuickCodeStore.h"

#include <QApplication>
#include <QPointer>

namespace zqvr::touchscreen {

namespace {
// The hourglass while the report is read and laid out.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};
} // namespace

frmCodigosRapido_Listado::frmCodigosRapido_Listado(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmCodigosRapido_Listado>())
{
    ui->setupUi(this);
    ui->cboOrdenadoPor->addItems(ordenadoPorCaptions());
    ui->cboOrdenadoPor->setCurrentIndex(int(ListingSort::CodigoRapido));
    ui->cboOrden->addItems(ordenCaptions());
    ui->cboOrden->setCurrentIndex(int(ListingDirection::Ascendente));
    ui->txtAlmacen->setMaxCode(32767);
    enlazar();

    frame::wire(ui->cmdAceptar, &QPushButton::clicked, this, &frmCodigosRapido_Listado::cmdAceptar_Click);
    frame::wire(ui->cmdSalir, &QPushButton::clicked, this, &frmCodigosRapido_Listado::cmdSalir_Click);
}

frmCodigosRapido_Listado::~frmCodigosRapido_Listado() = default;

frmCodigosRapido_Listado& frmCodigosRapido_Listado::instance()
{
    // Without a parent: it outlives the quick-code window that opened it.
    static QPointer<frmCodigosRapido_Listado> kept;
    if (!kept)
        kept = new frmCodigosRapido_Listado;
    else
        kept->enlazar();
    return *kept;
}

void frmCodigosRapido_Listado::enlazar()
{
    host::Empresa& empresa = frame::empresa();
    ui->txtAlmacen->setConexion(&frame::conn());
    ui->txtAlmacen->setEmpresa(&empresa);
    ui->txtAlmacen->setUsuario(empresa.usuarioActual());
    // Outside the central office only the user's own warehouse is listed.
    ui->txtAlmacen->setHabilitado(empresa.variableBool(QStringLiteral("OficinaCentral")));
}

void frmCodigosRapido_Listado::setAlmacen(qint16 almacen)
{
    ui->txtAlmacen->setCodigo(almacen);
    ui->txtAlmacen->Cargar();
}

void frmCodigosRapido_Listado::cmdAceptar_Click()
{
    if (!ui->txtAlmacen->EsValido() || ui->txtAlmacen->Codigo() <= 0) {
        frame::msgAtencion(QStringLiteral("Debe indicar un almacén válido."));
        ui->txtAlmacen->codeField()->setFocus();
        return;
    }
    host::Empresa& empresa = frame::empresa();
    QuickCodeListingParams p;
    p.empresa = empresa.CodigoEmpresa();
    p.almacen = static_cast<qint16>(ui->txtAlmacen->Codigo());
    p.ordenadoPor = ui->cboOrdenadoPor->currentIndex();
    p.orden = ui->cboOrden->currentIndex();
    p.subtitulo = DevCriterio(p.almacen, ui->txtAlmacen->Nombre(), p.ordenadoPor, p.orden);

    std::shared_ptr<reports::Report> rpt;
    {
        BusyCursor busy;
        rpt = reports::Report::open(empresa.RutaAplicacion() + QStringLiteral("/Rpt/Codigos Rapidos.rpt"));
        db::Connection& conn = frame::conn();
        // The host's connection is already open: the company block reads
        // through it too, so no separate logon is made.
        rpt->setConnection(&conn);
        rpt->setQuery(conn, QuickCodeStore(conn, p.empresa, empresa.EmpresaArticulos())
                                .listingStatement(p.almacen, p.ordenadoPor, p.orden));
        rpt->setParameter(1, p.empresa);
        rpt->setParameter(2, p.almacen);
        rpt->setParameter(3, p.ordenadoPor);
        rpt->setParameter(4, p.orden);
        rpt->setParameter(5, p.subtitulo);
        rpt->setTitle(windowTitle());
        rpt->prepare();
    }
    reports::sendReport(rpt, int(ui->cboDispositivo->Valor()), ui->cboImpresora->Impresora(), true, this);
}

void frmCodigosRapido_Listado::cmdSalir_Click()
{
    reject();
}

} // namespace zqvr::touchscreen
