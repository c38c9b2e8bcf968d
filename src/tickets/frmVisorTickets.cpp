#include "tickets/frmVisorTickets.h"
#include "ui_frmVisorTickets.h"

#include "tickets/frmVisorTickets_Buscar.h"
#include "kits/frmArticulosKit.h"

#include "reports/PrintTarget.h"

#include "frame/ErrorReport.h"
#include "frame/KeyBinding.h"
#include "frame/Wiring.h"
#include "frame/HostContext.h"
#include "frame/OperationNotice.h"
#include "frame/Services.h"
#include "host/Empresa.h"
#include "host/Formato.h"

#include <QAction>
#include <QFontMetrics>
#include <QHash>
#include <QMenu>

#include <optional>

namespace zqvr::tickets {

using host::Formato;

namespace {
constexpr int KeyEnter = 13;
const QString kAtencionInfo = QStringLiteral("¡Atención!");
const QString kAtencionError = QStringLiteral("¡ Atención !");

QString flag(bool on) { return on ? QStringLiteral("X") : QString(); }

// Where a reprinted ticket goes; textFile: the file is the text receipt
// (.txt), otherwise the document of the host's ticket printing.
std::optional<PrintTarget> elegirDestino(QWidget* parent, bool textFile)
{
    return reports::choosePrintTarget(parent, QStringLiteral("Imprimir Tickets"),
                                      textFile ? QStringLiteral("ticket.txt") : QStringLiteral("ticket.pdf"),
                                      textFile ? QStringLiteral("Texto (*.txt)") : QStringLiteral("PDF (*.pdf)"));
}
} // namespace

frmVisorTickets::frmVisorTickets(QWidget* parent)
    : Form(QStringLiteral("frmVisorTickets"), QStringLiteral("Visor de Tickets"), parent),
      ui(std::make_unique<Ui::frmVisorTickets>())
{
    ui->setupUi(this);
    configurarGrids();
    // A failure while loading the list or the lines: its description under "¡ Atención !".
    frame::declareReports(this, frame::ReportNames()
                                    .under(QStringLiteral("frmVisorTickets"), {QStringLiteral("Form_Load")})
                                    .rename(QStringLiteral("cargarTickets"), kAtencionError, frame::ReportStyle::PlainText)
                                    .rename(QStringLiteral("cargarLineas"), kAtencionError, frame::ReportStyle::PlainText)
                                    .rename(QStringLiteral("cmdImprimir_Click"), QStringLiteral("Visor Tickets::Imprimir")));

    // The lines' own menu: the grid adds "Exportar..." after the kit entry.
    m_popup = ui->vsLineas->contextMenu();
    m_popup->setObjectName(QStringLiteral("Popup"));
    m_kitCommand = m_popup->addAction(QStringLiteral("Composición del Kit"));
    m_kitCommand->setData(1);
    connect(m_kitCommand, &QAction::triggered, this, [this] { CommandBars_Execute(1); }); // reports its own failures

    frame::wire(ui->txtArticulo, &controls::ctlCodePicker::KeyPress, this, &frmVisorTickets::txtArticulo_KeyPress);
    frame::wire(ui->SSTab, &QTabWidget::currentChanged, this, &frmVisorTickets::SSTab_Click);
    frame::wire(ui->cmdPrimero, &QPushButton::clicked, this, &frmVisorTickets::cmdPrimero_Click);
    frame::wire(ui->cmdAnterior, &QPushButton::clicked, this, &frmVisorTickets::cmdAnterior_Click);
    frame::wire(ui->cmdSiguiente, &QPushButton::clicked, this, &frmVisorTickets::cmdSiguiente_Click);
    frame::wire(ui->cmdUltimo, &QPushButton::clicked, this, &frmVisorTickets::cmdUltimo_Click);
    frame::wire(ui->cmdBuscarCajero, &QPushButton::clicked, this, &frmVisorTickets::cmdBuscarCajero_Click);
    frame::wire(ui->cmdImprimir, &QPushButton::clicked, this, &frmVisorTickets::cmdImprimir_Click);
    frame::wire(ui->cmdCerrar, &QPushButton::clicked, this, &frmVisorTickets::cmdCerrar_Click);
    frame::wire(ui->vsLineas, &controls::Grid::RightClicked, this, &frmVisorTickets::vsLineas_RightClicked);
    // The window sees Esc before its controls.
    frame::bindKey(this, Qt::Key_Escape, ui->cmdCerrar);
}

frmVisorTickets::~frmVisorTickets() = default;

namespace {
// The widths are the suite's, in twips, measured for its small default
// font; a column is widened to its caption or its widest usual value.
void anchoColumna(controls::Grid* g, int col, int twips, const QString& sample)
{
    const QFontMetrics fm(g->font());
    const int text = std::max(fm.horizontalAdvance(g->TextMatrix(0, col)), fm.horizontalAdvance(sample));
    g->setColWidth(col, std::max(twips, (text + 14) * 15));
}
} // namespace

void frmVisorTickets::configurarGrids()
{
    using controls::Grid;
    auto* g = ui->vsCab;
    g->setFixedRows(1);
    g->setRows(1);
    g->setColumns({{QStringLiteral("Código"), 800, Grid::AlignRight},   {QStringLiteral("Fecha"), 1000, Grid::AlignLeft},
                   {QStringLiteral("Hora"), 600, Grid::AlignLeft},      {QStringLiteral("Cliente"), 2000, Grid::AlignLeft},
                   {QStringLiteral("Importe"), 1200, Grid::AlignRight}, {QStringLiteral("Efectivo"), 950, Grid::AlignRight},
                   {QStringLiteral("Tarjeta"), 950, Grid::AlignRight},  {QStringLiteral("Cheques"), 950, Grid::AlignRight},
                   {QStringLiteral("Vales"), 950, Grid::AlignRight},    {QStringLiteral("Crédito"), 950, Grid::AlignRight},
                   {QStringLiteral("Cambio"), 950, Grid::AlignRight}});
    for (int c = 0; c < CabCols; ++c)
        anchoColumna(g, c, g->ColWidth(c),
                     c == CabFecha   ? QStringLiteral("00/00/0000")
                     : c == CabHora  ? QStringLiteral("00:00")
                     : c >= CabImporte ? QStringLiteral("00.000,00")
                                     : QString());
    auto* l = ui->vsLineas;
    l->setFixedRows(1);
    l->setRows(1);
    l->setColumns({{QStringLiteral("Núm. Línea"), 1000, Grid::AlignRight}, {QStringLiteral("Artículo"), 1300, Grid::AlignRight},
                   {QStringLiteral("Descripción"), 4100, Grid::AlignLeft}, {QStringLiteral("K"), 400, Grid::AlignCenter},
                   {QStringLiteral("P.V.P."), 800, Grid::AlignRight},      {QStringLiteral("Cantidad"), 1000, Grid::AlignRight},
                   {QStringLiteral("Dto."), 800, Grid::AlignRight},        {QStringLiteral("Igic"), 700, Grid::AlignRight},
                   {QStringLiteral("PM"), 400, Grid::AlignCenter},         {QStringLiteral("PR"), 400, Grid::AlignCenter},
                   {QStringLiteral("PA"), 400, Grid::AlignCenter},         {QStringLiteral("T.Promo"), 2000, Grid::AlignLeft}});
    for (int c = 0; c < LinTPromo; ++c)
        anchoColumna(l, c, l->ColWidth(c),
                     c == LinPVP || c == LinCantidad ? QStringLiteral("0.000,000")
                     : c == LinIgic                   ? QStringLiteral("00,00%")
                                                      : QString());
}

void frmVisorTickets::formLoad()
{
    auto& conn = frame::conn();
    auto& emp = frame::empresa();
    ui->txtAlmacen->setConexion(&conn);
    ui->txtAlmacen->setEmpresa(&emp);
    ui->txtAlmacen->setUsuario(emp.usuarioActual());
    ui->txtAlmacen->setSoloAlmacenesUsuario(true);
    ui->txtAlmacen->setMaxCode(32767);
    ui->txtUsuario->setConexion(&conn);
    ui->txtUsuario->setEmpresa(&emp);
    ui->txtArticulo->setConexion(&conn);
    ui->txtArticulo->setEmpresa(&emp);
    ui->txtCaja->setNumeric(true);
    ui->txtCaja->setText(QStringLiteral("1"));
    // The user's own warehouse, today and the cashier now on till 1, so
    // that one Enter in the article field lists what the till sold today.
    ui->txtFecha->setFecha(QDate::currentDate());
    frame::guarded(this, QStringLiteral("Form_Load"), [&] {
        const qint64 almacen = ui->txtAlmacen->AlmacenUsuario();
        if (almacen <= 0)
            return;
        ui->txtAlmacen->setCodigo(almacen);
        ui->txtAlmacen->Cargar();
        const int cajero = TicketStore(conn).lastCashier(emp.CodigoEmpresa(), int(almacen), 1, QDate::currentDate());
        if (cajero > 0) {
            ui->txtUsuario->setCodigo(cajero);
            ui->txtUsuario->Cargar();
        }
    });
    limpiarLista();
    ui->SSTab->setCurrentIndex(0);
    ui->txtArticulo->setFocus(Qt::OtherFocusReason);
}

// ---- search ----

void frmVisorTickets::txtArticulo_KeyPress(int& keyAscii)
{
    if (keyAscii != KeyEnter)
        return;
    keyAscii = 0;
    buscar();
}

void frmVisorTickets::limpiarLista()
{
    ui->vsCab->ClearData();
    ui->vsLineas->ClearData();
    ui->lblCodigo->clear();
    m_tickets.clear();
    m_lines.clear();
    m_listed = {};
    ui->cmdImprimir->setEnabled(false);
    ui->SSTab->setTabEnabled(1, false);
}

void frmVisorTickets::buscar()
{
    if (!ui->txtFecha->isValid()) {
        frame::msgBox(QStringLiteral("Se esperaba fecha válida."), kAtencionInfo, frame::MsgIcon::Information);
        ui->txtFecha->setFocus(Qt::OtherFocusReason);
        return;
    }
    bool loaded = false;
    frame::guarded(this, QStringLiteral("cargarTickets"), [&] { loaded = cargarTickets(); });
    if (!loaded)
        return;
    if (hayTickets()) {
        ui->cmdImprimir->setEnabled(true);
        ui->SSTab->setTabEnabled(1, true);
    } else {
        ui->cmdImprimir->setEnabled(false);
        ui->SSTab->setTabEnabled(1, false);
        frame::msgBox(QStringLiteral("No hay ningún ticket de la caja ") + QString::number(m_listed.caja) +
                          QStringLiteral(", del cajero ") + m_listed.nombreCajero + QStringLiteral(" en la fecha ") +
                          ui->txtFecha->text(),
                      kAtencionInfo, frame::MsgIcon::Information);
    }
}

bool frmVisorTickets::cargarTickets()
{
    // A search that cannot run empties the list: the tickets of the previous
    // search must never stay on screen under other criteria.
    limpiarLista();
    const int almacen = int(ui->txtAlmacen->Codigo());
    const int caja = int(ui->txtCaja->Valor());
    const int cajero = int(ui->txtUsuario->Codigo());
    QStringList missing;
    if (almacen <= 0)
        missing << QStringLiteral("el almacén");
    if (caja <= 0 || caja != ui->txtCaja->Valor())
        missing << QStringLiteral("la caja");
    if (cajero <= 0)
        missing << QStringLiteral("el cajero");
    if (!missing.isEmpty()) {
        QString list = missing.front();
        for (int i = 1; i < missing.size(); ++i)
            list += (i == missing.size() - 1 ? QStringLiteral(" y ") : QStringLiteral(", ")) + missing.at(i);
        frame::msgBox(QStringLiteral("Indique ") + list + QStringLiteral(" para buscar los tickets."), kAtencionInfo,
                      frame::MsgIcon::Information);
        (almacen <= 0 ? static_cast<QWidget*>(ui->txtAlmacen)
                      : caja <= 0 ? static_cast<QWidget*>(ui->txtCaja) : static_cast<QWidget*>(ui->txtUsuario))
            ->setFocus(Qt::OtherFocusReason);
        return false;
    }

    auto& emp = frame::empresa();
    TicketFilter f;
    f.empresa = emp.CodigoEmpresa();
    f.empresaClientes = emp.EmpresaClientes();
    f.almacen = almacen;
    f.caja = caja;
    f.cajero = cajero;
    f.fecha = ui->txtFecha->Fecha();
    f.articulo = ui->txtArticulo->Codigo();

    m_listed.almacen = almacen;
    m_listed.caja = caja;
    m_listed.cajero = cajero;
    m_listed.nombreCajero = ui->txtUsuario->Nombre();
    m_listed.fecha = f.fecha;
    m_listed.valid = true;

    frame::OperationNotice notice;
    auto* g = ui->vsCab;
    const controls::RedrawOff paused(*g);
    m_tickets = TicketStore(frame::conn()).tickets(f);
    // Thousands of rows share a date and most amounts (every empty payment
    // kind is 0,00): each distinct value is formatted once.
    QDate lastDate;
    QString lastDateText;
    QHash<double, QString> amounts;
    auto amount = [&](double v) -> const QString& {
        auto it = amounts.constFind(v);
        if (it == amounts.constEnd())
            it = amounts.insert(v, Formato::FormatoNumero(v, 2));
        return it.value();
    };
    QString row;
    for (const TicketRow& t : m_tickets) {
        if (t.fecha != lastDate) {
            lastDate = t.fecha;
            lastDateText = Formato::FormatoFecha(t.fecha);
        }
        row.clear();
        row += QString::number(t.codigo);
        row += QLatin1Char('\t');
        row += lastDateText;
        row += QLatin1Char('\t');
        if (t.hora.isValid()) {
            const char hhmm[] = {char('0' + t.hora.hour() / 10), char('0' + t.hora.hour() % 10), ':',
                                 char('0' + t.hora.minute() / 10), char('0' + t.hora.minute() % 10)};
            row += QLatin1String(hhmm, 5);
        }
        row += QLatin1Char('\t');
        if (t.cliente != 0) {
            row += QString::number(t.cliente);
            row += QStringLiteral(" - ");
            row += QString(t.nombreCliente).replace(QLatin1Char('\t'), QLatin1Char(' '));
        }
        for (double v : {t.total, t.efectivo, t.tarjeta, t.cheque, t.vales, t.credito, t.cambio}) {
            row += QLatin1Char('\t');
            row += amount(v);
        }
        g->AddItem(row);
    }
    if (hayTickets())
        g->setRow(1);
    return true;
}

bool frmVisorTickets::hayTickets() const { return ui->vsCab->Rows() > ui->vsCab->FixedRows(); }

const TicketRow* frmVisorTickets::ticketSeleccionado() const
{
    const int i = ui->vsCab->Row() - ui->vsCab->FixedRows();
    return i >= 0 && i < m_tickets.size() ? &m_tickets.at(i) : nullptr;
}

TicketKey frmVisorTickets::claveSeleccionada() const
{
    TicketKey k;
    k.empresa = frame::empresa().CodigoEmpresa();
    k.almacen = m_listed.almacen;
    k.caja = m_listed.caja;
    k.fecha = m_listed.fecha;
    if (const TicketRow* t = ticketSeleccionado())
        k.codigo = t->codigo;
    return k;
}

// ---- lines ----

void frmVisorTickets::SSTab_Click(int tab)
{
    if (tab == 1)
        frame::guarded(this, QStringLiteral("cargarLineas"), [&] { cargarLineas(); });
}

void frmVisorTickets::cargarLineas()
{
    auto* l = ui->vsLineas;
    l->ClearData();
    m_lines.clear();
    const TicketRow* t = ticketSeleccionado();
    ui->lblCodigo->setText(t ? QString::number(t->codigo) : QString());
    if (!t || !m_listed.valid)
        return;
    auto& emp = frame::empresa();
    m_lines = TicketStore(frame::conn()).lines(claveSeleccionada(), emp.EmpresaArticulos());
    const int decimales = emp.DecimalesPrecio();
    {
        const controls::RedrawOff paused(*l);
        for (const TicketLineRow& ln : m_lines) {
            QString row = QString::number(ln.numLinea);
            row += QLatin1Char('\t') + QString::number(ln.articulo);
            row += QLatin1Char('\t') + QString(ln.descripcion).replace(QLatin1Char('\t'), QLatin1Char(' '));
            row += QLatin1Char('\t') + flag(ln.kit);
            row += QLatin1Char('\t') + Formato::FormatoNumero(ln.pvp, decimales);
            row += QLatin1Char('\t') + Formato::FormatoNumero(ln.cantidad, 3);
            row += QLatin1Char('\t') + Formato::FormatoNumero(ln.dto, 2);
            row += QLatin1Char('\t') + textoImpuesto(ln.impuesto);
            row += QLatin1Char('\t') + flag(ln.pm);
            row += QLatin1Char('\t') + flag(ln.promocion);
            row += QLatin1Char('\t') + flag(ln.pa);
            row += QLatin1Char('\t') + nombreTipoPromocion(ln.tipoPromocion);
            l->AddItem(row);
        }
    }
    if (l->Rows() > l->FixedRows())
        l->setRow(1);
}

// ---- moving ----

void frmVisorTickets::moverA(int row)
{
    ui->vsCab->setRow(row);
    frame::guarded(this, QStringLiteral("cargarLineas"), [&] { cargarLineas(); });
}

void frmVisorTickets::cmdPrimero_Click()
{
    if (hayTickets())
        moverA(1);
}

void frmVisorTickets::cmdAnterior_Click()
{
    if (hayTickets() && ui->vsCab->Row() >= 2)
        moverA(ui->vsCab->Row() - 1);
}

void frmVisorTickets::cmdSiguiente_Click()
{
    if (hayTickets() && ui->vsCab->Row() >= 1 && ui->vsCab->Row() < ui->vsCab->Rows() - 1)
        moverA(ui->vsCab->Row() + 1);
}

void frmVisorTickets::cmdUltimo_Click()
{
    if (hayTickets())
        moverA(ui->vsCab->Rows() - 1);
}

// ---- kit composition ----

bool frmVisorTickets::lineaEsKit() const
{
    const int row = ui->vsLineas->Row();
    return row >= ui->vsLineas->FixedRows() && row < ui->vsLineas->Rows() &&
           ui->vsLineas->TextMatrix(row, LinK) == QLatin1String("X");
}

void frmVisorTickets::vsLineas_RightClicked(int row, int col, const QPoint& globalPos)
{
    m_kitCommand->setEnabled(lineaEsKit());
    if (ui->vsLineas->Rows() <= ui->vsLineas->FixedRows())
        return;
    m_popup->popup(globalPos);
}

void frmVisorTickets::CommandBars_Execute(int id)
{
    frame::guarded(this, QStringLiteral("CommandBars_Execute"), [&] {
        if (id != 1 || !lineaEsKit() || !m_listed.valid)
            return;
        const TicketKey k = claveSeleccionada();
        kits::frmArticulosKit kit(this);
        kit.setCodigo(k.codigo);
        kit.setCaja(static_cast<qint16>(k.caja));
        kit.setAlmacen(static_cast<qint16>(k.almacen));
        kit.setFecha(k.fecha);
        // The line's own number: line numbers may have gaps, so the row's
        // position could name another line's components.
        const int i = ui->vsLineas->Row() - ui->vsLineas->FixedRows();
        if (i < 0 || i >= m_lines.size())
            return;
        kit.setNumLinea(static_cast<qint16>(m_lines.at(i).numLinea));
        frame::runModal(kit);
    });
}

// ---- search dialog ----

void frmVisorTickets::cmdBuscarCajero_Click()
{
    frmVisorTickets_Buscar dlg(this);
    dlg.setCodigoAlmacen(int(ui->txtAlmacen->Codigo()));
    // Accepted on a date row, it chooses no till: the viewer keeps what it shows.
    if (frame::runModal(dlg) != frame::DialogResult::Accepted || dlg.CodigoCajero() <= 0)
        return;
    ui->txtCaja->setText(QString::number(dlg.Caja()));
    ui->txtFecha->setFecha(dlg.Fecha());
    if (dlg.CodigoArticulo() != 0) {
        ui->txtArticulo->setCodigo(dlg.CodigoArticulo());
        ui->txtArticulo->Cargar();
    } else {
        ui->txtArticulo->setText(QString());
    }
    ui->txtUsuario->setCodigo(dlg.CodigoCajero());
    ui->txtUsuario->Cargar();
    ui->txtAlmacen->setCodigo(dlg.CodigoAlmacen());
    ui->txtAlmacen->Cargar();
    buscar();
}

// ---- printing ----

void frmVisorTickets::cmdImprimir_Click()
{
    if (!hayTickets() || !ticketSeleccionado() || !m_listed.valid)
        return;
    auto& conn = frame::conn();
    auto& emp = frame::empresa();
    const TicketKey key = claveSeleccionada();
    const TicketPrinting::Path path = TicketPrinting::pathFor(conn, key);
    const auto destino = elegirDestino(this, path == TicketPrinting::Path::TextReceipt);
    if (!destino)
        return;
    frame::OperationNotice notice;
    // The receipt prints the lines the grid shows for this ticket.
    cargarLineas();
    TicketToPrint t;
    t.key = key;
    t.row = *ticketSeleccionado();
    t.cajero = m_listed.cajero;
    t.nombreCajero = m_listed.nombreCajero;
    t.lines = m_lines;
    TicketPrinting::print(conn, emp, t, *destino, path);
}

void frmVisorTickets::cmdCerrar_Click() { close(); }

} // namespace zqvr::tickets
