#include "parking/frmParkingMtto.h"

#include "controls/Grid.h"
#include "frame/Wiring.h"
#include "frame/ErrorReport.h"
#include "frame/HostContext.h"
#include "frame/Services.h"
#include "host/Empresa.h"
#include "host/Formato.h"
#include "parking/frmParkingMtto_Datos.h"
#include "parking/frmParkingMtto_Datos_2.h"
#include "ui_frmParkingMtto.h"

#include <QTabWidget>

namespace zqvr::parking {

using controls::Grid;

namespace {

QString amount(double v) { return host::Formato::FormatoNumero(v, 2); }

template <class Band>
const Band* findBand(const std::vector<Band>& bands, qint32 id)
{
    for (const Band& b : bands)
        if (b.id == id)
            return &b;
    return nullptr;
}

} // namespace

frmParkingMtto::frmParkingMtto(QWidget* parent)
    : Form(QStringLiteral("frmParkingMtto"), QStringLiteral("Mantenimiento de Parking"), parent),
      ui(std::make_unique<Ui::frmParkingMtto>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("frmParkingMtto"));
    // The window tells whoever listens that it closed.
    setRaisesUnloadNotice(true);

    frame::wire(ui->cmdAgregar, &QPushButton::clicked, this, &frmParkingMtto::cmdAgregar_Click);
    frame::wire(ui->cmdModificar, &QPushButton::clicked, this, &frmParkingMtto::cmdModificar_Click);
    frame::wire(ui->cmdEliminar, &QPushButton::clicked, this, &frmParkingMtto::cmdEliminar_Click);
    frame::wire(ui->cmdSalir, &QPushButton::clicked, this, &frmParkingMtto::cmdSalir_Click);
    frame::declareReports(this, frame::ReportNames().reportAs(QStringLiteral("ssTab_CurrentChanged"),
                                                              QStringLiteral("ssTab_Click")));
    frame::wire(ui->ssTab, &QTabWidget::currentChanged, this, &frmParkingMtto::ssTab_Click);
    configurarGrid(*ui->vsGratis, QStringLiteral("Importe Inicial"), QStringLiteral("Importe Final"),
                   QStringLiteral("Minutos"));
    configurarGrid(*ui->vsTarifas, QStringLiteral("Minuto Inicial"), QStringLiteral("Minuto Final"),
                   QStringLiteral("Pvp"));
}

frmParkingMtto::~frmParkingMtto() = default;

ParkingStore frmParkingMtto::store() const { return ParkingStore(frame::conn(), frame::empresa().CodigoEmpresa()); }

void frmParkingMtto::configurarGrid(Grid& grid, const QString& h3, const QString& h4, const QString& h5)
{
    grid.setFixedRows(1);
    grid.setRows(1);
    // The band's id, hidden; the warehouse's code and name; the band.
    grid.setColumns({{QString(), -1, Grid::AlignRight, {}, true},
                     {QStringLiteral("Almacén"), 900, Grid::AlignRight},
                     {QStringLiteral("Almacén"), 1500, Grid::AlignLeft},
                     {h3, 1100, Grid::AlignRight},
                     {h4, 1100, Grid::AlignRight},
                     {h5, 1100, Grid::AlignRight}});
}

void frmParkingMtto::formLoad()
{
    // A fresh load shows no band of the last one.
    ui->vsGratis->ClearData();
    ui->vsTarifas->ClearData();
    {
        // Choosing the first tab is not a user's click.
        const QSignalBlocker block(ui->ssTab);
        ui->ssTab->setCurrentIndex(TabGratis);
    }
    Cargar_Gratis();
}

void frmParkingMtto::formUnload()
{
    m_gratis.clear();
    m_tarifas.clear();
}

void frmParkingMtto::Cargar_Gratis()
{
    Grid& g = *ui->vsGratis;
    const controls::RedrawOff paused(g);
    g.ClearData();
    m_gratis.clear();
    m_gratis = store().CargarGratis();
    for (const FreeBand& b : m_gratis)
        g.AddItem(QString::number(b.id) + QLatin1Char('\t') + QString::number(b.almacen) + QLatin1Char('\t') +
                  b.nombre + QLatin1Char('\t') + amount(b.importeInicial) + QLatin1Char('\t') +
                  amount(b.importeFinal) + QLatin1Char('\t') + QString::number(b.minutos));
}

void frmParkingMtto::Cargar_Tarifas()
{
    Grid& g = *ui->vsTarifas;
    const controls::RedrawOff paused(g);
    g.ClearData();
    m_tarifas.clear();
    m_tarifas = store().CargarTarifas();
    for (const TariffBand& b : m_tarifas)
        g.AddItem(QString::number(b.id) + QLatin1Char('\t') + QString::number(b.almacen) + QLatin1Char('\t') +
                  b.nombre + QLatin1Char('\t') + QString::number(b.minutoInicial) + QLatin1Char('\t') +
                  QString::number(b.minutoFinal) + QLatin1Char('\t') + amount(b.pvp));
}

void frmParkingMtto::cargarTab()
{
    if (ui->ssTab->currentIndex() == TabTarifas)
        Cargar_Tarifas();
    else
        Cargar_Gratis();
}

Grid& frmParkingMtto::gridActual() const
{
    return ui->ssTab->currentIndex() == TabTarifas ? *ui->vsTarifas : *ui->vsGratis;
}

bool frmParkingMtto::bandaActual(FreeBand& band) const
{
    const Grid& g = *ui->vsGratis;
    if (g.Row() < g.FixedRows())
        return false;
    const FreeBand* b = findBand(m_gratis, g.TextMatrix(g.Row(), 0).toInt());
    if (b)
        band = *b;
    return b != nullptr;
}

bool frmParkingMtto::bandaActual(TariffBand& band) const
{
    const Grid& g = *ui->vsTarifas;
    if (g.Row() < g.FixedRows())
        return false;
    const TariffBand* b = findBand(m_tarifas, g.TextMatrix(g.Row(), 0).toInt());
    if (b)
        band = *b;
    return b != nullptr;
}

void frmParkingMtto::ssTab_Click(int)
{
    cargarTab();
}

void frmParkingMtto::cmdAgregar_Click()
{
    if (ui->ssTab->currentIndex() == TabGratis) {
        frmParkingMtto_Datos dlg(this);
        if (frame::runModal(dlg) != frame::DialogResult::Accepted)
            return;
        FreeBand b;
        b.almacen = dlg.Almacen();
        b.importeInicial = dlg.ImporteInicial();
        b.importeFinal = dlg.ImporteFinal();
        b.minutos = dlg.Minutos();
        store().InsertarGratis(b);
    } else {
        frmParkingMtto_Datos_2 dlg(this);
        if (frame::runModal(dlg) != frame::DialogResult::Accepted)
            return;
        TariffBand b;
        b.almacen = dlg.Almacen();
        b.minutoInicial = dlg.MinutoInicial();
        b.minutoFinal = dlg.MinutoFinal();
        b.pvp = dlg.Pvp();
        store().InsertarTarifa(b);
    }
    cargarTab();
    // The last row, wherever the sort placed the new band.
    Grid& g = gridActual();
    if (g.Rows() > g.FixedRows())
        g.setRow(g.Rows() - 1);
}

void frmParkingMtto::cmdModificar_Click()
{
    Grid& g = gridActual();
    const int row = g.Row();
    if (ui->ssTab->currentIndex() == TabGratis) {
        FreeBand b;
        if (!bandaActual(b))
            return;
        frmParkingMtto_Datos dlg(this);
        dlg.setAlmacen(b.almacen);
        dlg.setImporteInicial(b.importeInicial);
        dlg.setImporteFinal(b.importeFinal);
        dlg.setMinutos(b.minutos);
        if (frame::runModal(dlg) != frame::DialogResult::Accepted)
            return;
        b.almacen = dlg.Almacen();
        b.importeInicial = dlg.ImporteInicial();
        b.importeFinal = dlg.ImporteFinal();
        b.minutos = dlg.Minutos();
        frame::guarded(this, QStringLiteral("cmdModificar_Click"), [&] { store().ModificarGratis(b); });
    } else {
        TariffBand b;
        if (!bandaActual(b))
            return;
        frmParkingMtto_Datos_2 dlg(this);
        dlg.setAlmacen(b.almacen);
        dlg.setMinutoInicial(b.minutoInicial);
        dlg.setMinutoFinal(b.minutoFinal);
        dlg.setPvp(b.pvp);
        if (frame::runModal(dlg) != frame::DialogResult::Accepted)
            return;
        b.almacen = dlg.Almacen();
        b.minutoInicial = dlg.MinutoInicial();
        b.minutoFinal = dlg.MinutoFinal();
        b.pvp = dlg.Pvp();
        frame::guarded(this, QStringLiteral("cmdModificar_Click"), [&] { store().ModificarTarifa(b); });
    }
    // Saved or not (a band deleted meanwhile is reported), the grid shows what is stored.
    cargarTab();
    if (g.Rows() > g.FixedRows())
        g.setRow(std::min(row, g.Rows() - 1));
}

void frmParkingMtto::cmdEliminar_Click()
{
    Grid& g = gridActual();
    const int row = g.Row();
    if (row < g.FixedRows())
        return;
    const qint32 id = g.TextMatrix(row, 0).toInt();
    if (!frame::askYesNo(QStringLiteral("¿Está seguro que desea eliminar el elemento actual?"),
                         QStringLiteral("¡ Atención !")))
        return;
    // Deleted or not (a band deleted meanwhile is reported), the grid shows what is stored.
    frame::guarded(this, QStringLiteral("cmdEliminar_Click"), [&] {
        if (ui->ssTab->currentIndex() == TabGratis)
            store().EliminarGratis(id);
        else
            store().EliminarTarifa(id);
    });
    cargarTab();
    if (g.Rows() > g.FixedRows())
        g.setRow(std::min(row, g.Rows() - 1));
}

void frmParkingMtto::cmdSalir_Click() { close(); }

} // namespace zqvr::parking
