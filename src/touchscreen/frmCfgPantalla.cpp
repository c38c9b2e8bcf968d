#include "touchscreen/frmCfgPantalla.h"

#include "controls/Grid.h"
#include "db/Connection.h"
#include "frame/ErrorReport.h"
#include "frame/HostContext.h"
#include "frame/Services.h"
#include "frame/Wiring.h"
#include "host/Empresa.h"
#include "reports/CRPrintGrid.h"
#include "touchscreen/CfgPantallaStore.h"
#include "touchscreen/LayoutPlaces.h"
#include "touchscreen/frmCfgPantalla_Datos.h"
#include "touchscreen/frmGrpCfgPantalla.h"
#include "ui_frmCfgPantalla.h"

namespace zqvr::touchscreen {

using controls::Grid;

namespace {
CfgPantallaStore store() { return CfgPantallaStore(frame::conn(), frame::empresa().CodigoEmpresa()); }
} // namespace

frmCfgPantalla::frmCfgPantalla(QWidget* parent)
    : frame::Form(QStringLiteral("frmCfgPantalla"), QStringLiteral("Configuración Pantallas Táctil"), parent),
      ui(std::make_unique<Ui::frmCfgPantalla>())
{
    ui->setupUi(this);
    setRaisesUnloadNotice(true);
    // The list's procedures report under the screen's name.
    frame::declareReports(this, frame::ReportNames().under(
                                    QStringLiteral("frmCfgPantalla"),
                                    {QStringLiteral("cmdAgregar_Click"), QStringLiteral("cmdModificar_Click"),
                                     QStringLiteral("cmdEliminar_Click"), QStringLiteral("cmdConfigurar_Click"),
                                     QStringLiteral("cmdForzar_Click"), QStringLiteral("cmdImprimir_Click"),
                                     QStringLiteral("Cargar")}));
    frame::wire(ui->cmdAgregar, &QPushButton::clicked, this, &frmCfgPantalla::cmdAgregar_Click);
    frame::wire(ui->cmdModificar, &QPushButton::clicked, this, &frmCfgPantalla::cmdModificar_Click);
    frame::wire(ui->cmdEliminar, &QPushButton::clicked, this, &frmCfgPantalla::cmdEliminar_Click);
    frame::wire(ui->cmdConfigurar, &QPushButton::clicked, this, &frmCfgPantalla::cmdConfigurar_Click);
    frame::wire(ui->cmdForzar, &QPushButton::clicked, this, &frmCfgPantalla::cmdForzar_Click);
    frame::wire(ui->cmdImprimir, &QPushButton::clicked, this, &frmCfgPantalla::cmdImprimir_Click);
    frame::wire(ui->cmdSalir, &QPushButton::clicked, this, &frmCfgPantalla::cmdSalir_Click);
    frame::wire(ui->vsLineas, &Grid::DoubleClicked, this, &frmCfgPantalla::vsLineas_DblClick);
    ui->vsLineas->setFixedRows(1);
    ui->vsLineas->setColumns({{QStringLiteral("Código"), 900, {}, {}, false, Grid::AlignCenter},
                              {QStringLiteral("Descripción"), 3800, Grid::AlignLeft, {}, false, Grid::AlignCenter},
                              {QString(), -1, {}, {}, true, Grid::AlignCenter},
                              {QStringLiteral("Tipo"), 800, Grid::AlignCenter, {}, false, Grid::AlignCenter}});
}

frmCfgPantalla::~frmCfgPantalla() = default;

void frmCfgPantalla::formLoad()
{
    Cargar();
}

int frmCfgPantalla::lineaSeleccionada() const
{
    const int row = ui->vsLineas->Row();
    return row >= 1 && row < ui->vsLineas->Rows() ? row : 0;
}

void frmCfgPantalla::habilitarBotones()
{
    const bool any = ui->vsLineas->Rows() > 1;
    ui->cmdEliminar->setEnabled(any);
    ui->cmdModificar->setEnabled(any);
}

void frmCfgPantalla::Cargar()
{
    frame::guarded(this, QStringLiteral("Cargar"), [&] {
        const auto list = store().list();
        Grid* g = ui->vsLineas;
        {
            const controls::RedrawOff paused(*g);
            g->setRows(1);
            for (const auto& c : list)
                g->AddItem(QString::number(c.codigo) + QLatin1Char('\t') + c.descripcion + QLatin1Char('\t')
                           + QString::number(c.tipo) + QLatin1Char('\t') + tipoLabel(c.tipo));
        }
        if (g->Rows() > 1)
            g->setRow(1);
    });
    habilitarBotones();
}

void frmCfgPantalla::cmdAgregar_Click()
{
    frmCfgPantalla_Datos dlg(this);
    dlg.setCodigo(0);
    dlg.setDescripcion(QString());
    if (frame::runModal(dlg) != frame::DialogResult::Accepted)
        return;
    CfgPantallaStore s = store();
    if (s.exists(dlg.Codigo(), dlg.Descripcion())) {
        frame::msgNoPermitida(QStringLiteral("El elemento especificado ya existe."));
        return;
    }
    s.insert({dlg.Codigo(), dlg.Descripcion(), dlg.Tipo()});
    Cargar();
    // The new configuration is selected, wherever its code puts it in the list,
    // so that the buttons act on it next.
    Grid* g = ui->vsLineas;
    int line = g->Rows() - 1;
    for (int r = 1; r < g->Rows(); ++r)
        if (g->TextMatrix(r, 0).toInt() == dlg.Codigo())
            line = r;
    g->setRow(line);
    habilitarBotones();
}

void frmCfgPantalla::cmdModificar_Click()
{
    const int row = lineaSeleccionada();
    if (row == 0)
        return;
    frame::guarded(this, QStringLiteral("cmdModificar_Click"), [&] {
        Grid* g = ui->vsLineas;
        frmCfgPantalla_Datos dlg(this);
        dlg.setDescripcion(g->TextMatrix(row, 1));
        dlg.setCodigo(static_cast<qint16>(g->TextMatrix(row, 0).toInt()));
        dlg.setTipo(static_cast<qint16>(g->TextMatrix(row, 2).toInt()));
        if (frame::runModal(dlg) != frame::DialogResult::Accepted)
            return;
        CfgPantallaStore s = store();
        const int codigo = g->TextMatrix(row, 0).toInt();
        if (!s.typeChangeAllowed(codigo, dlg.Tipo())) {
            frame::msgNoPermitida(QStringLiteral("No se puede cambiar el tipo de una configuración que ya tiene "
                                                 "grupos. Elimine antes sus grupos en Cfg. Grupos."));
            return;
        }
        s.update(codigo, dlg.Descripcion(), dlg.Tipo());
        g->setTextMatrix(row, 1, dlg.Descripcion());
        g->setTextMatrix(row, 2, QString::number(dlg.Tipo()));
        g->setTextMatrix(row, 3, tipoLabel(dlg.Tipo()));
    });
}

// A double click on a line changes it as the button does, reported under cmdModificar_Click.
void frmCfgPantalla::vsLineas_DblClick(int row, int)
{
    if (row >= 1)
        cmdModificar_Click();
}

void frmCfgPantalla::cmdEliminar_Click()
{
    const int row = lineaSeleccionada();
    if (row == 0)
        return;
    frame::guarded(this, QStringLiteral("cmdEliminar_Click"), [&] {
        if (!frame::askYesNo(QStringLiteral("¿Está seguro que desea eliminar el elemento actual?"),
                             QStringLiteral("¡ Atención !")))
            return;
        store().remove(ui->vsLineas->TextMatrix(row, 0).toInt());
        ui->vsLineas->RemoveItem(row);
        if (ui->vsLineas->Rows() > 1)
            ui->vsLineas->setRow(std::min(row, ui->vsLineas->Rows() - 1));
    });
    habilitarBotones();
}

void frmCfgPantalla::cmdConfigurar_Click()
{
    const int row = lineaSeleccionada();
    if (row == 0)
        return;
    Grid* g = ui->vsLineas;
    frmGrpCfgPantalla editor(this);
    editor.setCodigo(g->TextMatrix(row, 0).toInt());
    editor.setTipo(g->TextMatrix(row, 2).toInt());
    editor.setDescripcion(g->TextMatrix(row, 1));
    frame::runModal(editor);
}

void frmCfgPantalla::cmdForzar_Click()
{
    const int row = lineaSeleccionada();
    if (row == 0)
        return;
    store().forceReload(ui->vsLineas->TextMatrix(row, 0).toInt());
    frame::msgBox(QStringLiteral("Operación realizada con éxito"), QStringLiteral("¡ Atención !"),
                  frame::MsgIcon::Information);
}

void frmCfgPantalla::cmdImprimir_Click()
{
    const host::Empresa& empresa = frame::empresa();
    db::Connection& conn = frame::conn();
    const QString nombre = store().companyName();
    reports::CRPrintGrid job;
    job.setEmpresa_AppPath(empresa.RutaAplicacion());
    job.setEmpresa_Codigo(empresa.CodigoEmpresa());
    job.setEmpresa_Nombre(nombre);
    job.setConnectionString(conn.property(QStringLiteral("Extended Properties")).toString());
    job.setReportSource(ui->vsLineas);
    job.setTitulo(windowTitle());
    job.setAjustarColumnas(true);
    job.Imprimir(0, QString());
}

void frmCfgPantalla::cmdSalir_Click() { close(); }

} // namespace zqvr::touchscreen
