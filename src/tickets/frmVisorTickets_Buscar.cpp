#include "tickets/frmVisorTickets_Buscar.h"
#include "ui_frmVisorTickets_Buscar.h"

#include "tickets/TicketStore.h"

#include "frame/ErrorReport.h"
#include "frame/Wiring.h"
#include "frame/HostContext.h"
#include "frame/Services.h"
#include "host/Empresa.h"
#include "host/Formato.h"

namespace zqvr::tickets {

namespace {
constexpr int KeyEnter = 13;
const QString kAtencion = QStringLiteral("¡Atención!");
} // namespace

frmVisorTickets_Buscar::frmVisorTickets_Buscar(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmVisorTickets_Buscar>())
{
    ui->setupUi(this);

    auto* g = ui->grdTickets_Cajeros;
    g->setFixedRows(1);
    g->setRows(1);
    // ColFecha, ColCaja, ColCajero.
    g->setColumns({{QStringLiteral("Fecha"), 1400},
                   {QStringLiteral("Caja"), 800, controls::Grid::AlignRight},
                   {QStringLiteral("Cajero"), 3600}});

    // The pickers read the host context now: the dialog is made and shown in one go.
    auto* conn = frame::HostContext::instance().conexion();
    auto* emp = frame::HostContext::instance().empresa();
    ui->txtAlmacen->setConexion(conn);
    ui->txtAlmacen->setEmpresa(emp);
    ui->txtAlmacen->setMaxCode(32767);
    if (emp)
        ui->txtAlmacen->setUsuario(emp->usuarioActual());
    ui->txtArticulo->setConexion(conn);
    ui->txtArticulo->setEmpresa(emp);
    ui->txtFechaI->setFecha(QDate::currentDate());
    ui->txtFechaF->setFecha(QDate::currentDate());
    // The warehouse comes from the viewer: the user starts with the dates.
    ui->txtFechaI->setFocus(Qt::OtherFocusReason);

    frame::wire(ui->txtArticulo, &controls::ctlCodePicker::KeyPress, this, &frmVisorTickets_Buscar::txtArticulo_KeyPress);
    frame::wire(ui->cmdAceptar, &QPushButton::clicked, this, &frmVisorTickets_Buscar::cmdAceptar_Click);
    frame::wire(ui->cmdCancelar, &QPushButton::clicked, this, &frmVisorTickets_Buscar::cmdCancelar_Click);
    frame::declareReports(this, frame::ReportNames()
                                    .under(QStringLiteral("frmVisorTickets_Buscar"), {QStringLiteral("Almacen")})
                                    .reportAs(QStringLiteral("grdTickets_Cajeros_EnterPressed"),
                                              QStringLiteral("grdTickets_Cajeros_KeyPress"))
                                    .reportAs(QStringLiteral("grdTickets_Cajeros_DoubleClicked"),
                                              QStringLiteral("grdTickets_Cajeros_DblClick")));
    frame::wire(g, &controls::Grid::EnterPressed, this, &frmVisorTickets_Buscar::grdTickets_Cajeros_Choose);
    frame::wire(g, &controls::Grid::DoubleClicked, this, &frmVisorTickets_Buscar::grdTickets_Cajeros_Choose);
}

frmVisorTickets_Buscar::~frmVisorTickets_Buscar() = default;

void frmVisorTickets_Buscar::setCodigoAlmacen(int almacen)
{
    frame::guarded(this, QStringLiteral("Almacen"), [&] {
        ui->txtAlmacen->setCodigo(almacen);
        ui->txtAlmacen->Cargar();
    });
}

void frmVisorTickets_Buscar::txtArticulo_KeyPress(int& keyAscii)
{
    if (keyAscii != KeyEnter)
        return;
    keyAscii = 0;
    buscar();
}

// Enter or a double click on a till row hands it back; a date row does nothing.
void frmVisorTickets_Buscar::grdTickets_Cajeros_Choose()
{
    if (elegir())
        accept();
}

void frmVisorTickets_Buscar::buscar()
{
    auto* g = ui->grdTickets_Cajeros;
    g->ClearData();
    const QDate from = ui->txtFechaI->Fecha();
    const QDate to = ui->txtFechaF->Fecha();
    if (!from.isValid() || !to.isValid()) {
        frame::msgBox(QStringLiteral("Se esperaba fecha válida."), kAtencion, frame::MsgIcon::Information);
        (from.isValid() ? ui->txtFechaF : ui->txtFechaI)->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (from > to) {
        frame::msgBox(QStringLiteral("La fecha inicial es posterior a la fecha final."), kAtencion,
                      frame::MsgIcon::Information);
        ui->txtFechaI->setFocus(Qt::OtherFocusReason);
        return;
    }
    const int almacen = int(ui->txtAlmacen->Codigo());
    if (almacen <= 0) {
        frame::msgBox(QStringLiteral("Se esperaba almacén."), kAtencion, frame::MsgIcon::Information);
        ui->txtAlmacen->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_articuloBuscado = ui->txtArticulo->Codigo();

    const auto rows = TicketStore(frame::conn()).days(frame::empresa().CodigoEmpresa(), almacen, from, to,
                                                      m_articuloBuscado);
    {
        const controls::RedrawOff paused(*g);
        QDate current;
        for (const TicketDayRow& r : rows) {
            if (r.fecha != current) {
                current = r.fecha;
                g->AddItem(host::Formato::FormatoFecha(current));
                g->setRowFontBold(g->Rows() - 1, true);
            }
            g->AddItem(QString());
            const int row = g->Rows() - 1;
            g->setTextMatrix(row, ColCaja, QString::number(r.caja));
            g->setTextMatrix(row, ColCajero, QString::number(r.cajero) + QStringLiteral(" - ") + r.nombreCajero);
        }
    }
    if (g->Rows() > g->FixedRows()) {
        g->setRow(g->FixedRows() + (g->Rows() > g->FixedRows() + 1 ? 1 : 0));
        g->setFocus(Qt::OtherFocusReason);
    } else {
        frame::msgBox(QStringLiteral("No hay ningún ticket entre el ") + host::Formato::FormatoFecha(from) +
                          QStringLiteral(" y el ") + host::Formato::FormatoFecha(to) + QLatin1Char('.'),
                      kAtencion, frame::MsgIcon::Information);
    }
}

bool frmVisorTickets_Buscar::elegir()
{
    auto* g = ui->grdTickets_Cajeros;
    const int row = g->Row();
    if (row < g->FixedRows() || row >= g->Rows() || g->TextMatrix(row, ColCaja).isEmpty())
        return false;
    int dateRow = row;
    while (dateRow >= g->FixedRows() && g->TextMatrix(dateRow, ColFecha).isEmpty())
        --dateRow;
    if (dateRow < g->FixedRows())
        return false;
    m_fecha = host::Formato::LeerFecha(g->TextMatrix(dateRow, ColFecha));
    m_caja = g->TextMatrix(row, ColCaja).toInt();
    const QString cajero = g->TextMatrix(row, ColCajero);
    m_cajero = cajero.left(cajero.indexOf(QLatin1Char(' '))).toInt();
    m_almacen = int(ui->txtAlmacen->Codigo());
    m_articulo = m_articuloBuscado;
    return m_cajero > 0;
}

void frmVisorTickets_Buscar::cmdAceptar_Click()
{
    // A date row chooses nothing: the viewer keeps what it shows.
    if (!elegir())
        m_cajero = 0;
    accept();
}

void frmVisorTickets_Buscar::cmdCancelar_Click()
{
    m_cajero = 0;
    reject();
}

} // namespace zqvr::tickets
