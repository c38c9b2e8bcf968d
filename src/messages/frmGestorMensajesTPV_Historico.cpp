#include "messages/frmGestorMensajesTPV_Historico.h"

#include "ui_frmGestorMensajesTPV_Historico.h"

#include "frame/Wiring.h"
#include "frame/HostContext.h"
#include "frame/Services.h"
#include "messages/ColourCombo.h"
#include "frame/ErrorReport.h"
#include "messages/clsGestorMensajes.h"
#include "messages/frmGestorMensajesTPV_HistImagen.h"

#include <QKeySequence>

namespace zqvr::messages {

namespace {
constexpr int ColumnCount = 59;
constexpr int IdColumn = 58;
constexpr int ColorColumn = 10; // "Anterior"; "Mod." is the next one
} // namespace

frmGestorMensajesTPV_Historico::frmGestorMensajesTPV_Historico(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::frmGestorMensajesTPV_Historico>())
{
    ui->setupUi(this);
    prepararGrid();
    // The procedures report in the messages' own way, under the window's name.
    frame::declareReports(this, frame::ReportNames()
                                    .style(frame::ReportStyle::NumberInText)
                                    .allUnder(QStringLiteral("frmGestorMensajesTPV_Historico"))
                                    .reportAs(QStringLiteral("vsMensajes_DoubleClicked"), QStringLiteral("cmdVerImagen_Click")));
    frame::wire(ui->cmdVerImagen, &QPushButton::clicked, this, &frmGestorMensajesTPV_Historico::cmdVerImagen_Click);
    frame::wire(ui->cmdSalir, &QPushButton::clicked, this, &frmGestorMensajesTPV_Historico::cmdSalir_Click);
    frame::wire(ui->vsMensajes, &controls::Grid::DoubleClicked, this, &frmGestorMensajesTPV_Historico::cmdVerImagen_Click);
    resize(1100, 480);
}

frmGestorMensajesTPV_Historico::~frmGestorMensajesTPV_Historico() = default;

void frmGestorMensajesTPV_Historico::prepararGrid()
{
    controls::Grid& g = *ui->vsMensajes;
    const controls::RedrawOff paused(g);
    g.setCols(ColumnCount);
    g.setFixedRows(2);
    // Each field's caption spans its "Anterior" and "Mod." columns.
    const char* const fields[] = {"Descripción", "Linea 1", "Linea 2", "Color", "Fecha Inicial", "Fecha Final",
                                  "Repetir", "Mostrar Img.", "Mostrar", "Modo Mostrar", "H1", "H2", "De", "Hasta",
                                  "De", "Hasta", "L", "M", "X", "J", "V", "S", "D", "Act.Ticket", "Act. Euros",
                                  "Num.Tickets", "Min.Euros"};
    g.setTextMatrix(0, 0, QStringLiteral("Usuario"));
    g.setTextMatrix(0, 1, QStringLiteral("Usuario"));
    g.setTextMatrix(1, 0, QStringLiteral("Código"));
    g.setTextMatrix(1, 1, QStringLiteral("Nombre"));
    g.setTextMatrix(0, 2, QStringLiteral("Fecha"));
    g.setTextMatrix(0, 3, QStringLiteral("Operación")); // both header rows: the lower one is left empty
    for (int i = 0; i < 27; ++i) {
        const QString caption = QString::fromUtf8(fields[i]);
        const int col = 4 + 2 * i;
        g.setTextMatrix(0, col, caption);
        g.setTextMatrix(0, col + 1, caption);
        g.setTextMatrix(1, col, QStringLiteral("Anterior"));
        g.setTextMatrix(1, col + 1, QStringLiteral("Mod."));
        const bool flag = (i == 7 || i == 10 || i == 11 || (i >= 16 && i <= 24));
        const int width = i <= 2 ? 2200 : flag ? 600 : (i == 3 ? 600 : 1100);
        g.setColWidth(col, width);
        g.setColWidth(col + 1, width);
        if (flag) {
            g.setColAlignment(col, controls::Grid::AlignCenter);
            g.setColAlignment(col + 1, controls::Grid::AlignCenter);
        }
        if (i == 6 || i == 25 || i == 26) {
            g.setColAlignment(col, controls::Grid::AlignRight);
            g.setColAlignment(col + 1, controls::Grid::AlignRight);
        }
    }
    g.setColWidth(0, 800);
    g.setColWidth(1, 2400);
    g.setColWidth(2, 2600);
    g.setColWidth(3, 1200);
    g.setColAlignment(3, controls::Grid::AlignCenter);
    g.setColHidden(IdColumn, true);
}

bool frmGestorMensajesTPV_Historico::Form_Load()
{
    frame::guarded(this, QStringLiteral("cargar"), [&] {
        const std::vector<FilaHistorico> rows = clsGestorMensajes(frame::conn()).Historico(m_clave);
        controls::Grid& g = *ui->vsMensajes;
        {
            const controls::RedrawOff paused(g);
            g.ClearData();
            for (const FilaHistorico& r : rows) {
                QStringList cells = r.celdas;
                for (QString& c : cells)
                    c.replace(QLatin1Char('\t'), QLatin1Char(' '));
                g.AddItem(cells.join(QLatin1Char('\t')));
                const int row = g.Rows() - 1;
                if (r.colorAnterior)
                    g.setCellBackColor(row, ColorColumn, fromColourNumber(*r.colorAnterior));
                if (r.colorNuevo)
                    g.setCellBackColor(row, ColorColumn + 1, fromColourNumber(*r.colorNuevo));
            }
            if (g.Rows() > g.FixedRows())
                g.setRow(g.FixedRows());
        }
        ui->cmdVerImagen->setEnabled(!rows.empty());
    });
    return true;
}

void frmGestorMensajesTPV_Historico::cmdSalir_Click() { reject(); }

void frmGestorMensajesTPV_Historico::cmdVerImagen_Click()
{
    controls::Grid& g = *ui->vsMensajes;
    const int row = g.Row();
    if (row < g.FixedRows())
        return;
    const int id = g.TextMatrix(row, IdColumn).toInt();
    if (id <= 0)
        return;
    frmGestorMensajesTPV_HistImagen imagenes(this);
    imagenes.setId(id);
    frame::runModal(imagenes);
}

} // namespace zqvr::messages
