#include "kits/frmArticulosKit.h"
#include "ui_frmArticulosKit.h"

#include "kits/KitComposition.h"

#include "frame/Wiring.h"
#include "frame/ErrorReport.h"
#include "frame/HostContext.h"
#include "host/Empresa.h"
#include "host/Formato.h"

namespace zqvr::kits {

frmArticulosKit::frmArticulosKit(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::frmArticulosKit>())
{
    ui->setupUi(this);
    auto* g = ui->vsArticulos;
    g->setCols(3);
    g->setFixedRows(1);
    g->setRows(1);
    g->setTextMatrix(0, 0, QStringLiteral("Artículo"));
    g->setTextMatrix(0, 1, QStringLiteral("Artículo"));
    g->setTextMatrix(0, 2, QStringLiteral("Unidades"));
    for (int c = 0; c < 3; ++c)
        g->setFixedAlignment(c, controls::Grid::AlignCenter);
    g->setColWidth(0, 1300);
    g->setColWidth(1, 4000);
    g->setColWidth(2, 1100);
    g->setColAlignment(0, controls::Grid::AlignRight);
    g->setColAlignment(2, controls::Grid::AlignRight);
    frame::wire(ui->cmdSalir, &QPushButton::clicked, this, &frmArticulosKit::cmdSalir_Click);
}

frmArticulosKit::~frmArticulosKit() = default;

void frmArticulosKit::cmdSalir_Click() { accept(); }

void frmArticulosKit::cargar()
{
    frame::guarded(QStringLiteral("frmArticulosKit:Form_Load"), [&] {
        auto* g = ui->vsArticulos;
        g->ClearData();
        auto& emp = frame::empresa();
        const KitLineKey k{emp.CodigoEmpresa(), m_almacen, m_caja, m_fecha, m_codigo, m_numLinea};
        const auto rows = kitComponents(frame::conn(), k, emp.EmpresaArticulos());
        g->setRedraw(false);
        for (const KitComponent& c : rows) {
            g->AddItem(QString::number(c.codigo) + QLatin1Char('\t') +
                       QString(c.descripcion).replace(QLatin1Char('\t'), QLatin1Char(' ')) + QLatin1Char('\t') +
                       host::Formato::FormatoNumero(c.unidades, 3));
        }
        g->setRedraw(true);
    });
}

} // namespace zqvr::kits
