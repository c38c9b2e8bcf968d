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
    const auto caption = [](const char* handler) { return QStringLiteral("frmCfgSalones:") + QLatin1String(handler); };
    frame::wire(ui->lstAlm, &controls::ctlAlmacenCons::CheckCambiado, this, &frmCfgSalones::lstAlm_ItemCheck,
                caption("lstAlm_ItemCheck"));
    frame::wire(ui->cmdAgregar, &QPushButton::clicked, this, &frmCfgSalones::cmdAgregar_Click, caption("cmdAgregar_Click"));
    frame::wire(ui->cmdModificar, &QPushButton::clicked, this, &frmCfgSalones::cmdModificar_Click,
                caption("cmdModificar_Click"));
    frame::wire(ui->cmdEliminar, &QPushButton::clicked, this, &frmCfgSalones::cmdEliminar_Click,
                caption("cmdEliminar_Click"));
    frame::wire(ui->cmdConfigurar, &QPushButton::clicked, this, &frmCfgSalones::cmdConfigurar_Click,
                caption("cmdConfigurar_Click"));
    frame::wire(ui->cmdSalir, &QPushButton::clicked, this, &frmCfgSalones::cmdSalir_Click);
    frame::wire(ui->vsLineas, &controls::Grid::DoubleClicked, this, &frmCfgSalones::vsLineas_DblClick);
}

frmCfgSalones::~frmCfgSalones() = default;

void frmCfgSalones::formLoad()
{
    m_loading = true;
    controls::Grid& g = *ui->vsLineas;
    g.setCols(2);
    g.setFixedRows(1);
    g.setRows(1);
    g.setTextMatrix(0, ColCodigo, QStringLiteral("Código"));
    g.setTextMatrix(0, ColDescripcion, QStringLiteral("Descripción"));
    g.setColWidth(ColCodigo, 900);
    g.setColWidth(ColDescripcion, 3800);
    g.setColAlignment(ColDescripcion, controls::Grid::AlignLeft);
    g.setFixedAlignment(ColCodigo, controls::Grid::AlignCenter);
    g.setFixedAlignment(ColDescripcion, controls::Grid::AlignCenter);
    g.horizontalHeader()->setStretchLastSection(true);
    ui->lstAlm->setConexion(&frame::conn());
    ui->lstAlm->setEmpresa(&frame::empresa());
    ui->lstAlm->Cargar();
    Cargar();
    m_loading = false;
}

void frmCfgSalones::Cargar()
{
    frame::guarded(QStringLiteral("frmCfgSalones:Cargar"), [&] {
        controls::Grid& g = *ui->vsLineas;
        g.setRedraw(false);
        g.ClearData();
        ui->lstAlm->setAllChecked(false);
        const QList<SalonRow> rows = store().Cargar();
        for (const SalonRow& r : rows)
            g.AddItem(QString::number(r.codigo) + QLatin1Char('\t') + r.descripcion);
        g.setRedraw(true);
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
    frame::guarded(QStringLiteral("frmCfgSalones:Cargar"), [&] {
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
    const bool ok = frame::guarded(QStringLiteral("frmCfgSalones:lstAlm_ItemCheck"), [&] {
        store().AsignarAlmacen(salonActual(), code, checked);
    });
    if (!ok)
        ui->lstAlm->setChecked(index, !checked); // the list shows what is stored
}

void frmCfgSalones::cmdAgregar_Click()
{
    frmCfgSalones_Datos dlg(this);
    dlg.setCodigo(0);
    dlg.Form_Load();
    frame::runModal(dlg);
    if (dlg.Descripcion().isEmpty())
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
    frame::guarded(QStringLiteral("frmCfgSalones:cmdModificar_Click"), [&] {
        const int row = lineaActual();
        if (row < 0)
            return;
        const qint16 salon = salonActual();
        SalonStore s = store();
        frmCfgSalones_Datos dlg(this);
        dlg.setXml(s.LeerXml(salon));
        dlg.setDescripcion(ui->vsLineas->TextMatrix(row, ColDescripcion));
        dlg.setCodigo(salon);
        dlg.Form_Load();
        frame::runModal(dlg);
        if (dlg.Descripcion().isEmpty())
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
    if (editor.Form_Load())
        frame::runModal(editor);
}

void frmCfgSalones::cmdSalir_Click()
{
    close();
}

} // namespace zqvr::salons
