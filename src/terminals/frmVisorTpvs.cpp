#include "terminals/frmVisorTpvs.h"

#include "ui_frmVisorTpvs.h"

#include "controls/Grid.h"
#include "controls/ctlTextBox.h"
#include "db/Connection.h"
#include "db/Error.h"
#include "frame/KeyBinding.h"
#include "frame/Wiring.h"
#include "frame/ErrorReport.h"
#include "frame/HostContext.h"
#include "frame/Services.h"
#include "host/Empresa.h"
#include "terminals/TerminalStore.h"
#include "host/Formato.h"
#include "host/Permisos.h"
#include "terminals/RemoteViewer.h"
#include "terminals/TerminalStatus.h"

#include <QKeySequence>

namespace zqvr::terminals {

using controls::Grid;

namespace {

QString amount(double v) { return host::Formato::FormatoNumero(v, 2); }
QString mark(bool on) { return on ? QStringLiteral("X") : QString(); }
QString dayText(const QDate& d) { return host::Formato::FormatoFecha(d); }
// Texts the terminals wrote go into a tab-separated row: a tab inside one
// would push the following cells out of their columns.
QString cell(QString text) { return text.replace(QLatin1Char('\t'), QLatin1Char(' ')); }

} // namespace

frmVisorTpvs::frmVisorTpvs(QWidget* parent)
    : frame::Form(QStringLiteral("frmVisorTpvs"), QStringLiteral("Estado de los TPVs"), parent),
      ui(std::make_unique<Ui::frmVisorTpvs>()), m_clock([] { return QDate::currentDate(); })
{
    ui->setupUi(this);
    frame::declareReports(this, frame::ReportNames().under(QStringLiteral("frmVisorTpvs"),
                                                           {QStringLiteral("Form_Load"),
                                                            QStringLiteral("CalcularVentas")}));
    Timer.setObjectName(QStringLiteral("Timer"));
    Timer.setParent(this);
    connect(&Timer, &QTimer::timeout, this, [this] { Timer_Timer(); });
    frame::wire(ui->cmdAccRemoto, &QPushButton::clicked, this, &frmVisorTpvs::cmdAccRemoto_Click);
    frame::wire(ui->cmdSalir, &QPushButton::clicked, this, &frmVisorTpvs::cmdSalir_Click);
    for (const QKeySequence& key : {QKeySequence(Qt::SHIFT | Qt::Key_F8), QKeySequence(Qt::CTRL | Qt::Key_F8),
                                    QKeySequence(Qt::ALT | Qt::Key_F8)})
        frame::bindKey(this, key, this, &frmVisorTpvs::toggleSerial);
    configurarGrid();
}

frmVisorTpvs::~frmVisorTpvs()
{
    Timer.stop();
}

void frmVisorTpvs::setClock(std::function<QDate()> clock)
{
    m_clock = clock ? std::move(clock) : [] { return QDate::currentDate(); };
}

bool frmVisorTpvs::reservasActivas() const
{
    return !frame::empresa().IndicadorReservas(0).isEmpty();
}

void frmVisorTpvs::configurarGrid()
{
    Grid* g = ui->vsGrid;
    g->setFixedRows(1);
    g->setRows(1);
    g->setColumns({{QStringLiteral("Nº"), 600, Grid::AlignRight},
                   {QStringLiteral("Nombre"), 1500},
                   {QStringLiteral("Descripción"), 2600},
                   {QStringLiteral("Ln"), 450, Grid::AlignCenter},
                   {QStringLiteral("Act"), 450, Grid::AlignCenter},
                   {QStringLiteral("Venta Día"), 1300, Grid::AlignRight},
                   {QStringLiteral("Cobro Res."), 1300, Grid::AlignRight},
                   {QStringLiteral("Res. Nuevas"), 1300, Grid::AlignRight},
                   {QStringLiteral("Ventas Total"), 1300, Grid::AlignRight},
                   {QStringLiteral("Version"), 1000},
                   {QStringLiteral("Cola"), 800, Grid::AlignRight},
                   {QStringLiteral("Serial"), 1600}});
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void frmVisorTpvs::formLoad()
{
    db::Connection& conn = frame::conn();
    host::Empresa& empresa = frame::empresa();
    if (!TerminalStore(conn).anyTerminal()) {
        frame::msgBox(QStringLiteral("No hay TPVs dados de alta en este servidor."), QStringLiteral("¡ Atención !"),
                      frame::MsgIcon::Information);
        unloadForm();
        return;
    }

    ui->txtTotal->setText(amount(0));
    ui->txtAnterior->setText(amount(0));
    ui->txtAnterior1->setText(amount(0));
    ui->lblAnt->setText(QStringLiteral("Año Anterior:"));
    ui->lblAnt1->setText(QString());
    const QDate today = m_clock();
    calcularComparaciones(today);

    const bool reservas = reservasActivas();
    ui->vsGrid->setColHidden(ColCobroRes, !reservas);
    ui->vsGrid->setColHidden(ColResNuevas, !reservas);

    Timer.setInterval(RefreshMs);
    Timer.start();
    Refrescar();

    // Remote access only for the holders of right 5.
    host::Permisos permisos;
    permisos.setConexion(&conn);
    permisos.setUsuario(empresa.usuarioActual());
    bool allowed = false;
    frame::guarded(this, QStringLiteral("Form_Load"), [&] { allowed = permisos.TieneDerecho(5); });
    ui->cmdAccRemoto->setVisible(allowed);
}

void frmVisorTpvs::formUnload()
{
    Timer.stop();
}

void frmVisorTpvs::calcularComparaciones(const QDate& today)
{
    m_comparisonsFor = today;
    const ComparisonMode mode = comparisonMode(frame::empresa().Variable(QStringLiteral("Tpv_ModoOpVtasEstadoTpvs")));
    ui->txtAnterior1->setVisible(mode != ComparisonMode::SameWeekAndWeekday);
    ui->lblAnt1->setVisible(mode != ComparisonMode::SameWeekAndWeekday);
    if (mode == ComparisonMode::NearestWeekday) {
        const QDate d1 = sameDateLastYear(today);
        ui->lblAnt1->setText(QStringLiteral("(") + dayText(d1) + QStringLiteral("):"));
        ui->txtAnterior1->setText(CalcularVentas(d1));
        const QDate nearest = nearestSameWeekdayLastYear(today);
        ui->lblAnt->setText(QStringLiteral("Año Anterior (") + dayText(nearest) + QStringLiteral("):"));
        ui->txtAnterior->setText(CalcularVentas(nearest));
    } else if (mode == ComparisonMode::SameWeekAndWeekday) {
        const QDate d = sameWeekAndWeekdayLastYear(today);
        ui->lblAnt->setText(QStringLiteral("Mismo Día Semana Año Anterior (") + dayText(d) + QStringLiteral("):"));
        ui->txtAnterior->setText(CalcularVentas(d));
    }
}

QString frmVisorTpvs::CalcularVentas(const QDate& day)
{
    QString result = amount(0);
    frame::guarded(this, QStringLiteral("CalcularVentas"), [&] {
        TerminalStatusReader reader(frame::conn(), frame::empresa().CodigoEmpresa(), false);
        result = amount(reader.salesOfDay(day));
    });
    return result;
}

void frmVisorTpvs::Timer_Timer()
{
    // A tick that arrives while a refresh (or its error message) is still
    // open waits for the next one.
    if (m_refreshing)
        return;
    Refrescar();
}

void frmVisorTpvs::Refrescar()
{
    if (m_refreshing)
        return;
    m_refreshing = true;
    Grid* g = ui->vsGrid;
    const int top = g->TopRow();
    const int row = g->Row();
    {
        const controls::RedrawOff paused(*g);
        frame::guarded(QStringLiteral("¡ Atención !"), [&] {
            const QDate today = m_clock();
            // Left open across midnight, the board moves on to the new day.
            if (today != m_comparisonsFor)
                calcularComparaciones(today);
            rellenar(today);
        });
        if (row >= g->FixedRows() && row < g->Rows())
            g->setRow(row);
        if (top >= g->FixedRows() && top < g->Rows())
            g->setTopRow(top);
    }
    // "Total:" spans the first five cells. The totals row is not a merge row
    // of the grid: that would also join neighbouring equal totals (two 0,00)
    // into one cell.
    if (g->Rows() - g->FixedRows() >= 2 && g->TextMatrix(g->Rows() - 1, 0) == QLatin1String("Total:"))
        g->setSpan(g->Rows() - 1 - g->FixedRows(), ColCodigo, 1, ColVentaDia);
    m_refreshing = false;
}

void frmVisorTpvs::rellenar(const QDate& today)
{
    const bool reservas = reservasActivas();
    const TerminalStatusReader reader(frame::conn(), frame::empresa().CodigoEmpresa(), reservas);
    const std::vector<TerminalStatus> rows = reader.read(today);

    Grid* g = ui->vsGrid;
    g->ClearData();
    double venta = 0, cobro = 0, nuevas = 0;
    const QChar tab = QLatin1Char('\t');
    for (const TerminalStatus& t : rows) {
        const QStringList cells = {QString::number(t.codigo), cell(t.host), cell(t.descripcion), mark(t.enLinea),
                                   mark(t.postoServerOk), amount(t.ventaDia), amount(t.cobroReservas),
                                   amount(t.reservasNuevas), amount(t.ventasTotal()), cell(t.version),
                                   t.cola ? QString::number(*t.cola) : QString(), cell(t.serial)};
        g->AddItem(cells.join(tab));
        venta += t.ventaDia;
        cobro += t.cobroReservas;
        nuevas += t.reservasNuevas;
    }
    g->AddItem(QString());
    const QString total = QStringLiteral("Total:");
    g->AddItem(QStringList{total, total, total, total, total, amount(venta), amount(cobro), amount(nuevas),
                           amount(venta + nuevas)}
                   .join(tab));
    g->setRowFontBold(g->Rows() - 1, true);
    ui->txtTotal->setText(amount(venta));
}

void frmVisorTpvs::toggleSerial()
{
    ui->vsGrid->setColHidden(ColSerial, !ui->vsGrid->ColHidden(ColSerial));
}

void frmVisorTpvs::cmdAccRemoto_Click()
{
    Grid* g = ui->vsGrid;
    const int row = g->Row();
    // Only a terminal's row names a host: not the empty row, not the totals.
    const bool terminalRow = row >= g->FixedRows() && row < g->Rows() - 2;
    const QString host = terminalRow ? g->TextMatrix(row, ColNombre).trimmed() : QString();
    if (host.isEmpty()) {
        frame::msgAtencion(QStringLiteral("Seleccione un TPV con nombre de equipo."));
        return;
    }
    if (!frame::askYesNo(QStringLiteral("Esta operación puede afectar el rendimiento del TPV. ¿Esta seguro que "
                                        "desea continuar?"),
                         QStringLiteral("¡ Atención !")))
        return;
    if (!RemoteViewer::start(frame::empresa().RutaAplicacion(), host)) {
        frame::msgBox(QStringLiteral("No se encuentra VNCViewer.exe en el directorio de ejecución"),
                      QStringLiteral("Imposible continuar"), frame::MsgIcon::Exclamation);
        return;
    }
    unloadForm();
}

void frmVisorTpvs::cmdSalir_Click()
{
    unloadForm();
}

} // namespace zqvr::terminals
