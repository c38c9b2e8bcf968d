#include "salons/frmCfgSalones.h"

#include "ui_frmCfgSalones.h"

#include "frame/Wiring.h"
#include "frame/ErrorReport.h"
#include "frame/HostContext.h"
#include "frame/Services.h"
#include "host/Empresa.h"
#include "salons/SalonStore.h"
#include "salons/frmCfgSalonElementos.h"
#include "salons/frmCfgSalones_Datos.h"

#include <QHeaderView>

namespace zqvr::salons {

namespace {
constexpr int ColCodigo = 0;
constexpr int ColDescripcion = 1;

SalonStore store()
{
    return SalonStore(frame::conn(), frame::empresa().CodigoEmpresa());
}
} // namespace

frmCfgSalones::frmCfgSalones(QWidget* parent)
    : Form(QStringLiteral("frmCfgSalones"), QStringLiteral("Configuración Salones"), parent),
      ui(std::make_unique<Ui::frmCfgSalones>())
{
    ui->setupUi(this);
    // The screen announces its closing; its entry object does not listen and keeps it.
    setRaisesUnloadNotice(true);
    frame::wire(ui->vsLineas, &controls::Grid::RowColChange, this, &frmCfgSalones::vsLineas_RowColChange);
    // The salon list's procedures report under the screen's name.
    frame::declareReports(this, frame::ReportNames().under(
                                    QStringLiteral("frmCfgSalones"),
                                    {QStringLiteral("lstAlm_ItemCheck"), QStringLiteral("cmdAgregar_Click"),
                                     QStringLiteral("cmdModificar_Click"), QStringLiteral("cmdEliminar_Click"),
                                     QStringLiteral("cmdConfigurar_Click"), QStringLiteral("Cargar")}));
    frame::wire(ui->lstAlm, &controls::ctlAlmacenCons::CheckCambiado, this, &frmCfgSalones::lstAlm_ItemCheck);
    frame::wire(ui->cmdAgregar, &QPushButton::clicked, this, &frmCfgSalones::cmdAgregar_Click);
    frame::wire(ui->cmdModificar, &QPushButton::clicked, this, &frmCfgSalones::cmdModificar_Click);
    frame::wire(ui->cmdEliminar, &QPushButton::clicked, this, &frmCfgSalones::cmdEliminar_Click);
    frame::wire(ui->cmdConfigurar, &QPushButton::clicked, this, &frmCfgSalones::cmdConfigurar_Click);
    frame::wire(ui->cmdSalir, &QPushButton::clicked, this, &frmCfgSalones::cmdSalir_Click);
    frame::wire(ui->vsLineas, &controls::Grid::DoubleClicked, this, &frmCfgSalones::vsLineas_DblClick);
    using controls::Grid;
    Grid& g = *ui->vsLineas;
    g.setFixedRows(1);
    g.setRows(1);
    // ColCodigo, ColDescripcion.
    g.setColumns({{QStringLiteral("Código"), 900, {}, {}, false, Grid::AlignCenter},
                  {QStringLiteral("Descripción"), 3800, Grid::AlignLeft, {}, false, Grid::AlignCenter}});
    g.horizontalHeader()->setStretchLastSection(true);
}

frmCfgSalones::~frmCfgSalones() = default;

void frmCfgSalones::formLoad()
{
    m_loading = true;
    ui->vsLineas->setRows(1);
    ui->lstAlm->setConexion(&frame::conn());
    ui->lstAlm->setEmpresa(&frame::empresa());
    ui->lstAlm->Cargar();
    Cargar();
    m_loading = false;
}

void frmCfgSalones::Cargar()
{
    frame::guarded(this, QStringLiteral("Cargar"), [&] {
        controls::Grid& g = *ui->vsLineas;
        QList<SalonRow> rows;
        {
            const controls::RedrawOff paused(g);
            g.ClearData();
            ui->lstAlm->setAllChecked(false);
            rows = store().Cargar();
            for (const SalonRow& r : rows)
                g.AddItem(QString::number(r.codigo) + QLatin1Char('\t') + r.descripcion);
        }
        habilitar();
        if (!rows.isEmpty())
            seleccionar(1);
    });
}

int frmCfgSalones::lineaActual() const
{
    const int row = ui->vsLineas->Row();
    return row >= ui->vsLineas->FixedRows() && row < ui->vsLineas->Rows() ? row : -1;
}

qint16 frmCfgSalones::salonActual() const
{
    const int row = lineaActual();
    return row < 0 ? 0 : qint16(ui->vsLineas->TextMatrix(row, ColCodigo).toInt());
}

void frmCfgSalones::habilitar()
{
    const bool any = ui->vsLineas->Rows() > ui->vsLineas->FixedRows();
    ui->cmdEliminar->setEnabled(any);
    ui->cmdModificar->setEnabled(any);
}

void frmCfgSalones::seleccionar(int row)
{
    ui->vsLineas->setRow(row);
    // The grid reports the change itself when the line really changes; make sure the list follows.
    mostrarAlmacenes(row);
}

void frmCfgSalones::vsLineas_RowColChange(int row, int)
{
    if (row >= ui->vsLineas->FixedRows())
        mostrarAlmacenes(row);
}

void frmCfgSalones::mostrarAlmacenes(int row)
{
    frame::guarded(this, QStringLiteral("Cargar"), [&] {
        ui->lstAlm->setAllChecked(false);
        if (row < ui->vsLineas->FixedRows() || row >= ui->vsLineas->Rows())
            return;
        const qint16 salon = qint16(ui->vsLineas->TextMatrix(row, ColCodigo).toInt());
        for (int code : store().Almacenes(salon))
            ui->lstAlm->setCheckedCodigo(code, true);
    });
}

void frmCfgSalones::lstAlm_ItemCheck(int index, int code, bool checked)
{
    if (m_loading)
        return;
    const int row = lineaActual();
    if (row < 0) {
        // Nothing to assign the warehouse to: the mark goes away again.
        ui->lstAlm->setChecked(index, false);
        return;
    }
    const bool ok = frame::guarded(this, QStringLiteral("lstAlm_ItemCheck"), [&] {
        store().AsignarAlmacen(salonActual(), code, checked);
    });
    if (!ok)
        ui->lstAlm->setChecked(index, !checked); // the list shows what is stored
}

void frmCfgSalones::cmdAgregar_Click()
{
    frmCfgSalones_Datos dlg(this);
    dlg.setCodigo(0);
    if (frame::runModal(dlg) != frame::DialogResult::Accepted)
        return;
    SalonStore s = store();
    if (s.Existe(dlg.Codigo(), dlg.Descripcion())) {
        frame::msgNoPermitida(QStringLiteral("El elemento especificado ya existe."));
        return;
    }
    s.Agregar(dlg.Codigo(), dlg.Descripcion(), dlg.Xml());
    Cargar();
    // The new salon is selected, wherever its code puts it in the list.
    controls::Grid& g = *ui->vsLineas;
    int line = g.Rows() - 1;
    for (int r = g.FixedRows(); r < g.Rows(); ++r)
        if (g.TextMatrix(r, ColCodigo).toInt() == dlg.Codigo())
            line = r;
    seleccionar(line);
    habilitar();
}

void frmCfgSalones::cmdModificar_Click()
{
    frame::guarded(this, QStringLiteral("cmdModificar_Click"), [&] {
        const int row = lineaActual();
        if (row < 0)
            return;
        const qint16 salon = salonActual();
        SalonStore s = store();
        frmCfgSalones_Datos dlg(this);
        dlg.setXml(s.LeerXml(salon));
        dlg.setDescripcion(ui->vsLineas->TextMatrix(row, ColDescripcion));
        dlg.setCodigo(salon);
        if (frame::runModal(dlg) != frame::DialogResult::Accepted)
            return;
        s.Modificar(salon, dlg.Descripcion(), dlg.Xml());
        ui->vsLineas->setTextMatrix(row, ColDescripcion, dlg.Descripcion());
    });
}

// A double click on a line changes it as the button does, reported under cmdModificar_Click.
void frmCfgSalones::vsLineas_DblClick(int row, int)
{
    if (row >= 1)
        cmdModificar_Click();
}

void frmCfgSalones::cmdEliminar_Click()
{
    const int row = lineaActual();
    if (row < 0)
        return;
    if (!frame::askYesNo(QStringLiteral("¿Está seguro que desea eliminar el elemento actual?"),
                         QStringLiteral("¡ Atención !")))
        return;
    store().Eliminar(salonActual());
    controls::Grid& g = *ui->vsLineas;
    g.RemoveItem(row);
    habilitar();
    if (g.Rows() > g.FixedRows())
        seleccionar(std::min(row, g.Rows() - 1));
    else
        ui->lstAlm->setAllChecked(false);
}

void frmCfgSalones::cmdConfigurar_Click()
{
    if (lineaActual() < 0)
        return;
    const qint16 salon = salonActual();
    const QString doc = store().LeerDocXmlGuardado(salon);
    frmCfgSalonElementos editor(this);
    editor.setCodSalon(salon);
    editor.setDocXml(doc);
    frame::runModal(editor);
}

void frmCfgSalones::cmdSalir_Click()
{
    close();
}

} // namespace zqvr::salons
