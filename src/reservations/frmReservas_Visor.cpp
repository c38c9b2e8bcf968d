#include "reservations/frmReservas_Visor.h"
#include "ui_frmReservas_Visor.h"

#include "reservations/ReservationPrinting.h"

#include "reports/PrintTarget.h"

#include "frame/ErrorReport.h"
#include "frame/HostContext.h"
#include "frame/KeyBinding.h"
#include "frame/OperationNotice.h"
#include "frame/Services.h"
#include "frame/Wiring.h"
#include "host/Empresa.h"
#include "host/Formato.h"
#include "host/OleColor.h"

#include <algorithm>
#include <QHash>
#include <QHeaderView>

namespace zqvr::reservations {

using host::Formato;

namespace {
constexpr int KeyEnter = 13;
const QString kAtencion = QStringLiteral("¡ Atención !");
// The suite's colours (24-bit RGB, red in the low byte).
constexpr int kVerde = 65280;
constexpr int kRojo = 255;
constexpr int kBlanco = 16777215;

QString fechaTexto(const QDate& d) { return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString(); }

QString sinTabuladores(QString s) { return s.replace(QLatin1Char('\t'), QLatin1Char(' ')); }

// Where the printout goes.
std::optional<ReservationPrintTarget> elegirDestino(QWidget* parent, int codigo)
{
    return reports::choosePrintTarget(parent, QStringLiteral("Imprimir Reserva"),
                                      QStringLiteral("reserva_%1.pdf").arg(codigo), QStringLiteral("PDF (*.pdf)"));
}
} // namespace

frmReservas_Visor::frmReservas_Visor(QWidget* parent)
    : Form(QStringLiteral("frmReservas_Visor"), QStringLiteral("Visor de Reservas"), parent),
      ui(std::make_unique<Ui::frmReservas_Visor>())
{
    ui->setupUi(this);
    configurarGrids();
    ui->cboEstado->addItems({QStringLiteral("ABIERTA"), QStringLiteral("ANULADA"), QStringLiteral("CERRADA"),
                             QStringLiteral("TODAS")});
    ui->txtReserva_Filtro->setNumeric(true);
    for (controls::ctlTextBox* t : {ui->txtCod_Reserva, ui->txtFecha, ui->txtCliente, ui->txtNomb_Cliente,
                                    ui->txtTelefono, ui->txtNif, ui->txtDomicilio, ui->txtVencimiento, ui->txtAgente,
                                    ui->txtUltModificacion, ui->txtPaquete, ui->txtObservaciones})
        t->setHabilitado(false);
    ui->txtAlmReserva->setHabilitado(false);
    ui->txtAlmacen->setMaxCode(32767);
    ui->txtAlmReserva->setMaxCode(32767);

    // A failure while loading the list or a reservation, or while printing:
    // its description under "¡ Atención !".
    frame::declareReports(this, frame::ReportNames()
                                    .rename(QStringLiteral("CargarReservas"), kAtencion, frame::ReportStyle::PlainText)
                                    .rename(QStringLiteral("CargarReserva"), kAtencion, frame::ReportStyle::PlainText)
                                    .rename(QStringLiteral("cmdImprimir_Click"), kAtencion, frame::ReportStyle::PlainText));

    frame::wire(ui->txtReserva_Filtro, &controls::ctlTextBox::KeyPress, this,
                &frmReservas_Visor::txtReserva_Filtro_KeyPress);
    frame::wire(ui->cboEstado, &QComboBox::activated, this, &frmReservas_Visor::cboEstado_Click);
    frame::wire(ui->grdReservas, &controls::Grid::RowColChange, this, &frmReservas_Visor::grdReservas_RowColChange);
    frame::wire(ui->grdReservas, &controls::Grid::EnterPressed, this, &frmReservas_Visor::grdReservas_EnterPressed);
    frame::wire(ui->grdReservas, &controls::Grid::DoubleClicked, this, &frmReservas_Visor::grdReservas_DoubleClicked);
    frame::wire(ui->grdReservas, &controls::Grid::BeforeFirstRow, this,
                &frmReservas_Visor::grdReservas_BeforeFirstRow);
    frame::wire(ui->Tabs, &QTabWidget::currentChanged, this, &frmReservas_Visor::Tabs_Click);
    frame::wire(ui->cmdPrimero, &QPushButton::clicked, this, &frmReservas_Visor::cmdPrimero_Click);
    frame::wire(ui->cmdAnterior, &QPushButton::clicked, this, &frmReservas_Visor::cmdAnterior_Click);
    frame::wire(ui->cmdSiguiente, &QPushButton::clicked, this, &frmReservas_Visor::cmdSiguiente_Click);
    frame::wire(ui->cmdUltimo, &QPushButton::clicked, this, &frmReservas_Visor::cmdUltimo_Click);
    frame::wire(ui->cmdImprimir, &QPushButton::clicked, this, &frmReservas_Visor::cmdImprimir_Click);
    frame::wire(ui->cmdSalir, &QPushButton::clicked, this, &frmReservas_Visor::cmdSalir_Click);

    frame::enterMovesOn({ui->txtFechaIni, ui->txtFechaFin, ui->txtModifDesde, ui->txtModifHasta});
    frame::bindControlKey(ui->cboEstado, Qt::Key_Return, this, &frmReservas_Visor::cboEstado_Enter);
    frame::bindControlKey(ui->cboEstado, Qt::Key_Enter, this, &frmReservas_Visor::cboEstado_Enter);
    frame::bindKey(this, Qt::Key_F9, ui->cmdImprimir);
    frame::bindKey(this, Qt::Key_Escape, ui->cmdSalir);
}

frmReservas_Visor::~frmReservas_Visor() = default;

void frmReservas_Visor::configurarGrids()
{
    using controls::Grid;
    auto twoLines = [this](Grid* g) {
        g->verticalHeader()->setDefaultSectionSize(2 * g->fontMetrics().height() + 6);
    };
    auto* r = ui->grdReservas;
    r->setFixedRows(1);
    r->setRows(1);
    r->setColumns({{QStringLiteral("Fecha"), 1150, Grid::AlignLeft},
                   {QStringLiteral("Código"), 900, Grid::AlignRight},
                   {QStringLiteral("Cliente"), 4200, Grid::AlignLeft},
                   {QStringLiteral("Vencim."), 1150, Grid::AlignLeft},
                   {QStringLiteral("Entregado"), 1250, Grid::AlignRight},
                   {QStringLiteral("Vendido"), 1250, Grid::AlignRight},
                   {QStringLiteral("Pend."), 650, Grid::AlignCenter},
                   {QStringLiteral("Anul."), 650, Grid::AlignCenter}});
    twoLines(r);
    auto* a = ui->grdArticulos;
    a->setFixedRows(1);
    a->setRows(1);
    a->setColumns({{QStringLiteral("L"), 300, Grid::AlignCenter},
                   {QStringLiteral("Código"), 1000, Grid::AlignRight},
                   {QStringLiteral("Artículo"), 3400, Grid::AlignLeft},
                   {QStringLiteral("Artículo"), 1100, Grid::AlignLeft},
                   {QStringLiteral("Artículo"), 1300, Grid::AlignLeft},
                   {QStringLiteral("Unid"), 800, Grid::AlignRight},
                   {QStringLiteral("Precio"), 1000, Grid::AlignRight},
                   {QStringLiteral("Dto"), 700, Grid::AlignRight},
                   {QStringLiteral("Importe"), 1150, Grid::AlignRight}});
    twoLines(a);
    auto* e = ui->grdEntregas;
    e->setFixedRows(1);
    e->setRows(1);
    e->setColumns({{QStringLiteral("Fecha"), 1000, Grid::AlignLeft},
                   {QStringLiteral("Tipo Entrega"), 2200, Grid::AlignLeft},
                   {QStringLiteral("Cantidad"), 1200, Grid::AlignRight}});
}

void frmReservas_Visor::formLoad()
{
    auto& conn = frame::conn();
    auto& emp = frame::empresa();
    for (controls::ctlAlmacen* p : {ui->txtAlmacen, ui->txtAlmReserva}) {
        p->setConexion(&conn);
        p->setEmpresa(&emp);
        p->setUsuario(emp.usuarioActual());
    }
    const QDate today = QDate::currentDate();
    ui->txtFechaIni->setFecha(QDate(today.year(), today.month(), 1));
    ui->cboEstado->setCurrentIndex(int(EstadoFiltro::Abierta));
    m_filling = true;
    ui->grdReservas->ClearData();
    m_filling = false;
    limpiarDetalle();
    ui->Tabs->setCurrentIndex(0);
    ui->cmdImprimir->setEnabled(false);
    ui->txtReserva_Filtro->setFocus(Qt::OtherFocusReason);
}

// ---- the list ----

void frmReservas_Visor::txtReserva_Filtro_KeyPress(int& keyAscii)
{
    if (keyAscii != KeyEnter || ui->txtReserva_Filtro->text().trimmed().isEmpty())
        return; // an empty number: Enter moves on to the next filter
    keyAscii = 0;
    bool ok = false;
    const QString numero = ui->txtReserva_Filtro->text().trimmed();
    if (numero.toInt(&ok) <= 0 || !ok) {
        // Nothing of the other filters is cleared for a number that is none.
        frame::msgAtencion(QStringLiteral("El número de reserva no es válido: ") + numero + QLatin1Char('.'));
        return;
    }
    // A number finds its reservation whatever its dates, customer and state.
    ui->txtFechaIni->setText(QString());
    ui->txtFechaFin->setText(QString());
    ui->txtCliente_Filtro->clear();
    ui->cboEstado->setCurrentIndex(int(EstadoFiltro::Todas));
    CargarReservas();
}

void frmReservas_Visor::cboEstado_Enter() { CargarReservas(); }

void frmReservas_Visor::cboEstado_Click(int) { CargarReservas(); }

bool frmReservas_Visor::CargarReservas()
{
    bool loaded = false;
    frame::guarded(this, QStringLiteral("CargarReservas"), [&] {
        auto& emp = frame::empresa();
        ReservationFilter f;
        f.empresa = emp.CodigoEmpresa();
        f.estado = static_cast<EstadoFiltro>(std::max(0, ui->cboEstado->currentIndex()));
        const QString numero = ui->txtReserva_Filtro->text().trimmed();
        auto refuse = [&](const QString& text, QWidget* field) {
            frame::msgAtencion(text);
            field->setFocus(Qt::OtherFocusReason);
        };
        if (!numero.isEmpty()) {
            bool ok = false;
            f.numero = numero.toInt(&ok);
            if (!ok || f.numero <= 0)
                return refuse(QStringLiteral("El número de reserva no es válido: ") + numero + QLatin1Char('.'),
                              ui->txtReserva_Filtro);
        } else {
            if (ui->txtFechaIni->isEmpty() || ui->txtFechaFin->isEmpty())
                return refuse(QStringLiteral("Indique la fecha desde y la fecha hasta, o un número de reserva."),
                              ui->txtFechaIni->isEmpty() ? ui->txtFechaIni : ui->txtFechaFin);
            // Each date as a date: what the field shows never goes into a statement.
            struct Bound {
                controls::ctlMaskEdBox* field;
                const char* name;
                QDate* out;
            };
            const Bound bounds[] = {{ui->txtFechaIni, "desde", &f.desde},
                                    {ui->txtFechaFin, "hasta", &f.hasta},
                                    {ui->txtModifDesde, "de última modificación desde", &f.modifDesde},
                                    {ui->txtModifHasta, "de última modificación hasta", &f.modifHasta}};
            for (const Bound& b : bounds) {
                if (b.field->isEmpty())
                    continue; // an empty modification bound leaves that end open
                if (!b.field->isValid())
                    return refuse(QStringLiteral("La fecha ") + QString::fromUtf8(b.name) + QStringLiteral(" no es válida: ") +
                                      b.field->text() + QLatin1Char('.'),
                                  b.field);
                *b.out = b.field->Fecha();
            }
            f.cliente = ui->txtCliente_Filtro->text().trimmed();
            if (ui->txtAlmacen->EsValido() && ui->txtAlmacen->Codigo() > 0)
                f.almacen = int(ui->txtAlmacen->Codigo());
        }

        // No operation notice here: its window would take the activation
        // from the list, and the arrow keys are meant to browse it at once.
        const QList<ReservationListRow> rows = ReservationStore(frame::conn()).list(f);
        auto* g = ui->grdReservas;
        m_filling = true;
        {
            const controls::RedrawOff paused(*g);
            g->ClearData();
            // A month shares few dates and amounts: each is formatted once.
            QHash<double, QString> amounts;
            auto amount = [&](double v) -> const QString& {
                auto it = amounts.constFind(v);
                if (it == amounts.constEnd())
                    it = amounts.insert(v, Formato::FormatoNumero(v, 2));
                return it.value();
            };
            QHash<qint64, QString> dates;
            auto date = [&](const QDate& d) -> const QString& {
                auto it = dates.constFind(d.toJulianDay());
                if (it == dates.constEnd())
                    it = dates.insert(d.toJulianDay(), fechaTexto(d));
                return it.value();
            };
            const QColor verde = host::fromOleColor(kVerde), rojo = host::fromOleColor(kRojo),
                         blanco = host::fromOleColor(kBlanco);
            QString line;
            int row = g->FixedRows();
            for (const ReservationListRow& r : rows) {
                line.clear();
                line += date(r.fecha);
                line += QLatin1Char('\t');
                line += QString::number(r.codigo);
                line += QLatin1Char('\t');
                line += sinTabuladores(r.nombreCliente);
                line += QStringLiteral("\nCJ: ");
                line += QString::number(r.cajero);
                line += QStringLiteral(" - ");
                line += sinTabuladores(r.nombreCajero);
                line += QLatin1Char('\t');
                line += date(r.vencimiento);
                line += QLatin1Char('\t');
                line += amount(r.entregado);
                line += QLatin1Char('\t');
                line += amount(r.vendido);
                line += QLatin1Char('\t');
                if (r.pendiente)
                    line += QLatin1Char('X');
                line += QLatin1Char('\t');
                if (r.anulado)
                    line += QLatin1Char('X');
                g->AddItem(line);
                // "Pend.": green while open, red once closed, plain when cancelled.
                if (!r.anulado) {
                    g->setCellBackColor(row, ResPend, r.pendiente ? verde : rojo);
                    g->setCellForeColor(row, ResPend, blanco);
                }
                g->setCellBackColor(row, ResAnul, r.anulado ? rojo : blanco);
                if (r.anulado)
                    g->setCellForeColor(row, ResAnul, blanco);
                ++row;
            }
            if (hayReservas())
                g->setRow(1);
        }
        m_filling = false;
        loaded = true;
        if (!hayReservas()) {
            limpiarDetalle();
            if (f.numero > 0)
                frame::msgBox(QStringLiteral("No se ha encontrado la reserva ") + QString::number(f.numero) +
                                  QLatin1Char('.'),
                              kAtencion, frame::MsgIcon::Information);
            return;
        }
        CargarReserva();
        g->setFocus(Qt::OtherFocusReason);
    });
    m_filling = false;
    return loaded;
}

bool frmReservas_Visor::hayReservas() const { return ui->grdReservas->Rows() > ui->grdReservas->FixedRows(); }

int frmReservas_Visor::reservaSeleccionada() const
{
    const int row = ui->grdReservas->Row();
    if (!hayReservas() || row < ui->grdReservas->FixedRows())
        return 0;
    return ui->grdReservas->TextMatrix(row, ResCodigo).toInt();
}

void frmReservas_Visor::grdReservas_RowColChange(int row, int)
{
    if (m_filling || row < ui->grdReservas->FixedRows())
        return;
    // A move along the same row (another column) keeps the reservation shown.
    if (m_reserva && m_reserva->header.codigo == reservaSeleccionada())
        return;
    CargarReserva();
}

void frmReservas_Visor::grdReservas_EnterPressed(int) { abrirDetalle(); }

void frmReservas_Visor::grdReservas_DoubleClicked(int, int) { abrirDetalle(); }

void frmReservas_Visor::grdReservas_BeforeFirstRow() { ui->txtReserva_Filtro->setFocus(Qt::OtherFocusReason); }

void frmReservas_Visor::abrirDetalle()
{
    if (!hayReservas())
        return;
    if (ui->Tabs->currentIndex() == 1)
        CargarReserva();
    else
        ui->Tabs->setCurrentIndex(1); // Tabs_Click loads it
}

void frmReservas_Visor::Tabs_Click(int tab)
{
    ui->cmdImprimir->setEnabled(tab == 1);
    if (tab == 1)
        CargarReserva();
}

// ---- the detail ----

void frmReservas_Visor::CargarReserva()
{
    frame::guarded(this, QStringLiteral("CargarReserva"), [&] {
        const int codigo = reservaSeleccionada();
        if (codigo <= 0) {
            limpiarDetalle();
            return;
        }
        auto r = loadReservation(frame::conn(), frame::empresa(), codigo);
        if (!r) {
            // Gone since the list was read.
            limpiarDetalle();
            return;
        }
        mostrarReserva(*r);
        m_reserva = std::move(r);
    });
}

void frmReservas_Visor::limpiarDetalle()
{
    m_reserva.reset();
    for (controls::ctlTextBox* t : {ui->txtCod_Reserva, ui->txtFecha, ui->txtCliente, ui->txtNomb_Cliente,
                                    ui->txtTelefono, ui->txtNif, ui->txtDomicilio, ui->txtVencimiento, ui->txtAgente,
                                    ui->txtUltModificacion, ui->txtPaquete, ui->txtObservaciones})
        t->clear();
    ui->txtAlmReserva->setText(QString());
    ui->lblEstado->clear();
    ui->lblDto->clear();
    ui->grdArticulos->ClearData();
    ui->grdEntregas->ClearData();
    for (QLabel* l : {ui->lblEntregado, ui->lblVendido, ui->lblPendiente, ui->lblTotalResPte})
        l->setText(QStringLiteral("0,00"));
}

void frmReservas_Visor::mostrarReserva(const Reservation& r)
{
    const ReservationHeader& h = r.header;
    ui->txtCod_Reserva->setText(QString::number(h.codigo));
    ui->txtAlmReserva->setCodigo(h.almacen);
    ui->txtAlmReserva->Cargar();
    ui->txtFecha->setText(h.fecha.isValid() ? h.fecha.toString(QStringLiteral("dd/MM/yyyy")) : QString());
    ui->txtUltModificacion->setText(
        h.ultModificacion.isValid() ? h.ultModificacion.toString(QStringLiteral("dd/MM/yyyy hh:mm")) : QString());
    ui->txtAgente->setText(h.nombreAgente);
    if (h.ultDto == 0.0) {
        ui->lblDto->setText(QStringLiteral("---"));
    } else {
        const double d = host::Redondear(h.ultDto, 2);
        const int decimals = host::Redondear(d, 0) == d ? 0 : (host::Redondear(d, 1) == d ? 1 : 2);
        ui->lblDto->setText(Formato::FormatoNumero(d, decimals) + QLatin1Char('%'));
    }
    ui->txtCliente->setText(h.cliente != 0 ? QString::number(h.cliente) : QString());
    ui->txtNomb_Cliente->setText(h.nombreCliente);
    ui->txtTelefono->setText(h.telefono);
    ui->txtNif->setText(h.nif);
    ui->txtPaquete->setText(h.paquete);
    ui->txtDomicilio->setText(h.domicilio);
    ui->txtVencimiento->setText(fechaTexto(h.vencimiento));
    ui->txtObservaciones->setText(h.observaciones);
    ui->lblEstado->setText(estadoTexto(h.pendiente, h.anulado));

    const int decimales = frame::empresa().DecimalesPrecio();
    auto* a = ui->grdArticulos;
    {
        const controls::RedrawOff paused(*a);
        a->ClearData();
        for (const ReservationLine& l : r.lines) {
            QString line = l.vendida ? QStringLiteral("V") : QString();
            line += QLatin1Char('\t') + QString::number(l.articulo);
            line += QLatin1Char('\t') + sinTabuladores(l.descTicket) + QStringLiteral("\nAG: ") +
                    QString::number(l.agente) + QStringLiteral(" - ") + sinTabuladores(l.nombreAgente);
            line += QLatin1Char('\t') + sinTabuladores(l.nombreCualidadX);
            line += QLatin1Char('\t') + sinTabuladores(l.nombreCualidadY);
            line += QLatin1Char('\t') + Formato::FormatoNumero(l.unidades, 2);
            line += QLatin1Char('\t') + Formato::FormatoNumero(l.pvp, decimales);
            line += QLatin1Char('\t') + Formato::FormatoNumero(l.dto, 2);
            line += QLatin1Char('\t') + Formato::FormatoNumero(l.importe, 2);
            a->AddItem(line);
        }
    }
    auto* e = ui->grdEntregas;
    {
        const controls::RedrawOff paused(*e);
        e->ClearData();
        const QColor rojo = host::fromOleColor(kRojo), blanco = host::fromOleColor(kBlanco);
        int row = e->FixedRows();
        for (const ReservationMovementRow& m : r.movements) {
            e->AddItem((m.fecha.isValid() ? m.fecha.toString(QStringLiteral("dd/MM/yy")) : QString()) +
                       QLatin1Char('\t') + tipoEntregaTexto(m) + QLatin1Char('\t') +
                       Formato::FormatoNumero(m.cantidad, 2));
            if (m.venta)
                e->setRowFontBold(row, true);
            if (m.anulacion) {
                e->setRowBackColor(row, rojo);
                for (int c = 0; c < EntCols; ++c)
                    e->setCellForeColor(row, c, blanco);
            }
            ++row;
        }
    }
    ui->lblEntregado->setText(Formato::FormatoNumero(r.totals.entregado, 2));
    ui->lblVendido->setText(Formato::FormatoNumero(r.totals.vendido, 2));
    ui->lblPendiente->setText(Formato::FormatoNumero(r.totals.pendiente, 2));
    ui->lblTotalResPte->setText(Formato::FormatoNumero(r.totals.totalReservaPendiente, 2));
}

// ---- moving ----

void frmReservas_Visor::moverA(int row)
{
    ui->grdReservas->setRow(row);
    // On the list the buttons act as the grid's own keys, so browsing goes on there.
    if (ui->Tabs->currentIndex() == 0)
        ui->grdReservas->setFocus(Qt::OtherFocusReason);
}

void frmReservas_Visor::cmdPrimero_Click()
{
    if (hayReservas())
        moverA(1);
}

void frmReservas_Visor::cmdAnterior_Click()
{
    if (hayReservas() && ui->grdReservas->Row() >= 2)
        moverA(ui->grdReservas->Row() - 1);
}

void frmReservas_Visor::cmdSiguiente_Click()
{
    if (hayReservas() && ui->grdReservas->Row() < ui->grdReservas->Rows() - 1)
        moverA(std::max(1, ui->grdReservas->Row() + 1));
}

void frmReservas_Visor::cmdUltimo_Click()
{
    if (hayReservas())
        moverA(ui->grdReservas->Rows() - 1);
}

// ---- printing ----

void frmReservas_Visor::cmdImprimir_Click()
{
    if (!m_reserva) {
        frame::msgAtencion(QStringLiteral("No hay ninguna reserva que imprimir."));
        return;
    }
    const auto destino = elegirDestino(this, m_reserva->header.codigo);
    if (!destino)
        return;
    auto& conn = frame::conn();
    auto& emp = frame::empresa();
    std::optional<frame::OperationNotice> notice(std::in_place);
    const bool personalizado = frame::askYesNo(
        QStringLiteral("¿Desea imprimir la reserva en formato personalizado? Si contesta 'No' se imprimirá en formato "
                       "estándar."),
        QStringLiteral("IMPRIMIR RESERVA"));
    if (personalizado) {
        // The host's object may show windows of its own.
        notice.reset();
        ReservationPrinting::printCustom(conn, emp, *m_reserva, *destino, this);
        return;
    }
    auto rpt = ReservationPrinting::build(ReservationPrinting::standardLayout(emp), conn, emp, *m_reserva);
    notice.reset();
    ReservationPrinting::deliver(rpt, *destino, this);
}

void frmReservas_Visor::cmdSalir_Click() { close(); }

} // namespace zqvr::reservations
