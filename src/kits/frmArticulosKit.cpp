#include "kits/frmArticulosKit.h"
#include "ui_frmArticulosKit.h"

#include "kits/KitComposition.h"

#include "frame/Wiring.h"
#include "frame/ErrorReport.h"
#include "frame/HostContext.h"
#include "host/Empresa.h"
#include "host/Formato.h"

#include "controls/Grid.h"

namespace zqvr::kits {

frmArticulosKit::frmArticulosKit(QWidget* parent) : Dialog(parent), ui(std::make_unique<Ui::frmArticulosKit>())
{
    ui->setupUi(this);
    frame::declareReports(this, frame::ReportNames().under(QStringLiteral("frmArticulosKit"), {QStringLiteral("Form_Load")}));
    using controls::Grid;
    auto* g = ui->vsArticulos;
    g->setFixedRows(1);
    g->setRows(1);
    g->setColumns({{QStringLiteral("Artículo"), 1300, Grid::AlignRight, {}, false, Grid::AlignCenter},
                   {QStringLiteral("Artículo"), 4000, {}, {}, false, Grid::AlignCenter},
                   {QStringLiteral("Unidades"), 1100, Grid::AlignRight, {}, false, Grid::AlignCenter}});
    frame::wire(ui->cmdSalir, &QPushButton::clicked, this, &frmArticulosKit::cmdSalir_Click);
}

frmArticulosKit::~frmArticulosKit() = default;

void frmArticulosKit::cmdSalir_Click() { accept(); }

bool frmArticulosKit::Form_Load()
{
    frame::guarded(this, QStringLiteral("Form_Load"), [&] {
        auto* g = ui->vsArticulos;
        g->ClearData();
        auto& emp = frame::empresa();
        const KitLineKey k{emp.CodigoEmpresa(), m_almacen, m_caja, m_fecha, m_codigo, m_numLinea};
        const auto rows = kitComponents(frame::conn(), k, emp.EmpresaArticulos());
        const controls::RedrawOff paused(*g);
        for (const KitComponent& c : rows) {
            g->AddItem(QString::number(c.codigo) + QLatin1Char('\t') +
                       QString(c.descripcion).replace(QLatin1Char('\t'), QLatin1Char(' ')) + QLatin1Char('\t') +
                       host::Formato::FormatoNumero(c.unidades, 3));
        }
    });
    return true;
}

} // namespace zqvr::kits
