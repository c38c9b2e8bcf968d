#include "messages/frmGestorMensajesTPV_Historico.h"

#include "ui_frmGestorMensajesTPV_Historico.h"

#include "controls/Grid.h"
#include "frame/Wiring.h"
#include "frame/HostContext.h"
#include "frame/Services.h"
#include "messages/ColourCombo.h"
#include "frame/ErrorReport.h"
#include "messages/clsGestorMensajes.h"
#include "messages/frmGestorMensajesTPV_HistImagen.h"

#include <QKeySequence>

#include <iterator>
#include <optional>

namespace zqvr::messages {

namespace {
constexpr int ColumnCount = 59;
constexpr int IdColumn = 58;
constexpr int ColorColumn = 10; // "Anterior"; "Mod." is the next one

// Each field of the message has an "Anterior" and a "Mod." column under its caption.
struct Field {
    const char* caption;
    int width;
    std::optional<controls::Grid::Alignment> alignment = {};
};
const Field kFields[] = {{"Descripción", 2200},
                         {"Linea 1", 2200},
                         {"Linea 2", 2200},
                         {"Color", 600},
                         {"Fecha Inicial", 1100},
                         {"Fecha Final", 1100},
                         {"Repetir", 1100, controls::Grid::AlignRight},
                         {"Mostrar Img.", 600, controls::Grid::AlignCenter},
                         {"Mostrar", 1100},
                         {"Modo Mostrar", 1100},
                         {"H1", 600, controls::Grid::AlignCenter},
                         {"H2", 600, controls::Grid::AlignCenter},
                         {"De", 1100},
                         {"Hasta", 1100},
                         {"De", 1100},
                         {"Hasta", 1100},
                         {"L", 600, controls::Grid::AlignCenter},
                         {"M", 600, controls::Grid::AlignCenter},
                         {"X", 600, controls::Grid::AlignCenter},
                         {"J", 600, controls::Grid::AlignCenter},
                         {"V", 600, controls::Grid::AlignCenter},
                         {"S", 600, controls::Grid::AlignCenter},
                         {"D", 600, controls::Grid::AlignCenter},
                         {"Act.Ticket", 600, controls::Grid::AlignCenter},
                         {"Act. Euros", 600, controls::Grid::AlignCenter},
                         {"Num.Tickets", 1100, controls::Grid::AlignRight},
                         {"Min.Euros", 1100, controls::Grid::AlignRight}};
// User code and name, date, operation, two columns per field and the id.
static_assert(4 + 2 * int(std::size(kFields)) + 1 == ColumnCount && ColumnCount - 1 == IdColumn);
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
    using controls::Grid;
    // "Fecha" and "Operación" have no lower caption: each takes both header rows.
    QStringList bands = {QStringLiteral("Usuario"), QStringLiteral("Usuario"), QStringLiteral("Fecha"),
                         QStringLiteral("Operación")};
    QList<Grid::Column> columns = {{QStringLiteral("Código"), 800},
                                   {QStringLiteral("Nombre"), 2400},
                                   {QString(), 2600},
                                   {QString(), 1200, Grid::AlignCenter}};
    for (const Field& f : kFields) {
        const QString caption = QString::fromUtf8(f.caption);
        bands << caption << caption;
        columns << Grid::Column(QStringLiteral("Anterior"), f.width, f.alignment)
                << Grid::Column(QStringLiteral("Mod."), f.width, f.alignment);
    }
    bands << QString();
    columns << Grid::Column(QString(), -1, {}, {}, true); // the change's id, read by "Ver Imagen"
    ui->vsMensajes->setColumns(bands, columns);
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
