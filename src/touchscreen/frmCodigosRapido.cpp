#include "touchscreen/frmCodigosRapido.h"

#include "controls/Grid.h"
#include "controls/ctlCodePicker.h"
#include "controls/ctlTextBox.h"
#include "frame/ErrorReport.h"
#include "frame/HostContext.h"
#include "frame/Services.h"
#include "frame/Wiring.h"
#include "host/Empresa.h"
#include "touchscreen/QuickCodeStore.h"
#include "touchscreen/frmCodigosRapido_Listado.h"
#include "ui_frmCodigosRapido.h"

namespace zqvr::touchscreen {

using controls::Grid;

namespace {
constexpr int KeyEnter = 13;
}

frmCodigosRapido::frmCodigosRapido(QWidget* parent)
    : Form(QStringLiteral("frmCodigosRapido"), QStringLiteral("Códigos Rápido"), parent),
      ui(std::make_unique<Ui::frmCodigosRapido>())
{
    ui->setupUi(this);
    ui->txtCodigo->setMaxLength(QuickCodeMaxLength);
    ui->txtUnidades->setNumeric(true);
    ui->txtAlmacen->setMaxCode(32767);

    frame::wire(ui->txtAlmacen, &controls::ctlCodePicker::KeyPress, this, &frmCodigosRapido::txtAlmacen_KeyPress);
    // A warehouse chosen in the search dialog shows its codes at once too.
    frame::declareReports(this, frame::ReportNames().reportAs(QStringLiteral("txtAlmacen_CodigoCambiado"),
                                                              QStringLiteral("txtAlmacen_Change")));
    frame::wire(ui->txtAlmacen, &controls::ctlCodePicker::CodigoCambiado, this, &frmCodigosRapido::txtAlmacen_Change);
    frame::wire(ui->txtUnidades, &controls::ctlTextBox::KeyPress, this, &frmCodigosRapido::txtUnidades_KeyPress);
    frame::wire(ui->cmdEliminar, &QPushButton::clicked, this, &frmCodigosRapido::cmdEliminar_Click);
    frame::wire(ui->cmdImprimir, &QPushButton::clicked, this, &frmCodigosRapido::cmdImprimir_Click);
    frame::wire(ui->cmdSalir, &QPushButton::clicked, this, &frmCodigosRapido::cmdSalir_Click);
    Grid& g = *ui->vsLineas;
    g.setFixedRows(1);
    g.setColumns({{QStringLiteral("Código Rápido"), 1200, Grid::AlignLeft, {}, false, Grid::AlignCenter},
                  {QStringLiteral("Artículo"), 1000, Grid::AlignRight, {}, false, Grid::AlignCenter},
                  {QStringLiteral("Artículo"), 6000, Grid::AlignLeft, {}, false, Grid::AlignCenter},
                  {QStringLiteral("Unidades"), 1000, Grid::AlignRight, {}, false, Grid::AlignCenter}});
}

frmCodigosRapido::~frmCodigosRapido() = default;

QuickCodeStore frmCodigosRapido::store() const
{
    host::Empresa& e = frame::empresa();
    return QuickCodeStore(frame::conn(), e.CodigoEmpresa(), e.EmpresaArticulos());
}

void frmCodigosRapido::formLoad()
{
    ui->vsLineas->setRows(1);
    host::Empresa& empresa = frame::empresa();
    db::Connection& conn = frame::conn();
    ui->txtArticulo->setEmpresa(&empresa);
    ui->txtArticulo->setConexion(&conn);
    ui->txtAlmacen->setConexion(&conn);
    ui->txtAlmacen->setEmpresa(&empresa);
    ui->txtAlmacen->setUsuario(empresa.usuarioActual());
    const qint64 own = ui->txtAlmacen->AlmacenUsuario();
    if (own != 0) {
        ui->txtAlmacen->setCodigo(own);
        ui->txtAlmacen->Cargar();
    } else {
        ui->txtAlmacen->setText(QString());
    }
    // Only the central office looks after other warehouses' codes.
    ui->txtAlmacen->setHabilitado(empresa.variableBool(QStringLiteral("OficinaCentral")));

    ui->txtCodigo->clear();
    ui->txtArticulo->setText(QString());
    ui->txtUnidades->setText(QStringLiteral("1"));
    CargarLineas();
    ui->txtCodigo->setFocus();
}

void frmCodigosRapido::CargarLineas()
{
    Grid& g = *ui->vsLineas;
    m_almacen = static_cast<qint16>(ui->txtAlmacen->Codigo());
    const controls::RedrawOff paused(g);
    g.ClearData();
    for (const QuickCode& q : store().Cargar(m_almacen))
        g.AddItem(q.codigo + QLatin1Char('\t') + QString::number(q.articulo) + QLatin1Char('\t') +
                  q.descripcion + QLatin1Char('\t') + unitsText(q.unidades));
}

void frmCodigosRapido::txtAlmacen_KeyPress(int& keyAscii)
{
    if (keyAscii != KeyEnter)
        return;
    CargarLineas();
}

void frmCodigosRapido::txtAlmacen_Change() { CargarLineas(); }

void frmCodigosRapido::txtUnidades_KeyPress(int& keyAscii)
{
    if (keyAscii != KeyEnter)
        return;
    keyAscii = 0;
    Grabar();
}

void frmCodigosRapido::Grabar()
{
    QuickCodeStore s = store();
    // The article as typed, even when its field was never left.
    ui->txtArticulo->setText(ui->txtArticulo->text());
    ui->txtArticulo->Cargar();
    QuickCodeEntry entry;
    const bool almacenValido = ui->txtAlmacen->EsValido() && m_almacen != 0 &&
                               ui->txtAlmacen->Codigo() == m_almacen;
    if (auto p = s.Validar(almacenValido, ui->txtCodigo->text(), static_cast<qint32>(ui->txtArticulo->Codigo()),
                           ui->txtUnidades->text(), entry)) {
        frame::msgAtencion(p->message);
        switch (p->field) {
        case EntryProblem::Field::Almacen: ui->txtAlmacen->codeField()->setFocus(); break;
        case EntryProblem::Field::Codigo: ui->txtCodigo->setFocus(); break;
        case EntryProblem::Field::Articulo: ui->txtArticulo->codeField()->setFocus(); break;
        case EntryProblem::Field::Unidades: ui->txtUnidades->setFocus(); ui->txtUnidades->selectAll(); break;
        }
        return;
    }
    s.Guardar(m_almacen, entry.codigo, entry.articulo, entry.unidades);
    CargarLineas();
    // Show the code just saved.
    Grid& g = *ui->vsLineas;
    for (int r = g.FixedRows(); r < g.Rows(); ++r) {
        if (g.TextMatrix(r, 0) == entry.codigo) {
            g.setRow(r);
            break;
        }
    }
    ui->txtCodigo->clear();
    ui->txtArticulo->setText(QString());
    ui->txtUnidades->setText(QStringLiteral("1"));
    ui->txtCodigo->setFocus();
}

void frmCodigosRapido::cmdEliminar_Click()
{
    Grid& g = *ui->vsLineas;
    const int row = g.Row();
    if (row < g.FixedRows() || row >= g.Rows())
        return;
    store().Eliminar(m_almacen, g.TextMatrix(row, 0));
    g.RemoveItem(row);
}

void frmCodigosRapido::cmdSalir_Click() { close(); }

void frmCodigosRapido::cmdImprimir_Click()
{
    // The component's one listing window, modal over this one; it keeps the
    // user's sort and direction from one opening to the next.
    frmCodigosRapido_Listado& dlg = frmCodigosRapido_Listado::instance();
    const qint16 almacen = ui->txtAlmacen->EsValido() ? static_cast<qint16>(ui->txtAlmacen->Codigo()) : m_almacen;
    if (almacen > 0)
        dlg.setAlmacen(almacen);
    frame::runModal(dlg);
}

} // namespace zqvr::touchscreen
