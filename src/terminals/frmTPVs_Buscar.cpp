#include "terminals/frmTPVs_Buscar.h"

#include "ui_frmTPVs_Buscar.h"

#include "controls/Grid.h"
#include "controls/ctlTextBox.h"
#include "db/Connection.h"
#include "frame/ErrorReport.h"
#include "frame/HostContext.h"
#include "frame/Wiring.h"
#include "terminals/TerminalStore.h"

#include <QHeaderView>
#include <QPushButton>

namespace zqvr::terminals {

namespace {
constexpr int KeyEnter = 13;
constexpr int ColCodigo = 0;
constexpr int ColHost = 1;
} // namespace

frmTPVs_Buscar::frmTPVs_Buscar(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::frmTPVs_Buscar>())
{
    setObjectName(QStringLiteral("frmTPVs_Buscar"));
    setWindowTitle(QStringLiteral("Buscar TPVs"));

    ui->setupUi(this);
    // Enter belongs to the search field and the list, never to a default button.
    ui->cmdAceptar->setDefault(false);
    ui->cmdCancelar->setDefault(false);

    ui->vsListado->setFixedRows(1);
    ui->vsListado->setRows(1);
    // ColCodigo, ColHost.
    ui->vsListado->setColumns({{QStringLiteral("Código"), 1000, controls::Grid::AlignRight},
                           {QStringLiteral("Host"), 3600, controls::Grid::AlignLeft}});
    // The host takes whatever width the dialog has left.
    ui->vsListado->horizontalHeader()->setStretchLastSection(true);

    // The list's own moves report as the system's key events of the list.
    frame::declareReports(this, frame::ReportNames()
                                    .reportAs(QStringLiteral("vsListado_AfterLastRow"), QStringLiteral("vsListado_KeyDown"))
                                    .reportAs(QStringLiteral("vsListado_BeforeFirstRow"), QStringLiteral("vsListado_KeyDown"))
                                    .reportAs(QStringLiteral("vsListado_EnterPressed"), QStringLiteral("vsListado_KeyPress")));
    using frame::wire;
    wire(ui->txtNombre, &controls::ctlTextBox::KeyPress, this, &frmTPVs_Buscar::txtNombre_KeyPress);
    wire(ui->txtNombre, &controls::ctlTextBox::KeyDown, this, &frmTPVs_Buscar::txtNombre_KeyDown);
    wire(ui->cmdAceptar, &QPushButton::clicked, this, &frmTPVs_Buscar::cmdAceptar_Click);
    wire(ui->cmdCancelar, &QPushButton::clicked, this, &frmTPVs_Buscar::cmdCancelar_Click);
    wire(ui->vsListado, &controls::Grid::AfterLastRow, this, &frmTPVs_Buscar::vsListado_AfterLastRow);
    wire(ui->vsListado, &controls::Grid::BeforeFirstRow, this, &frmTPVs_Buscar::vsListado_BeforeFirstRow);
    wire(ui->vsListado, &controls::Grid::EnterPressed, this, &frmTPVs_Buscar::cmdAceptar_Click);
}

frmTPVs_Buscar::~frmTPVs_Buscar() { closeResult(); }

void frmTPVs_Buscar::done(int result)
{
    closeResult();
    QDialog::done(result);
}

void frmTPVs_Buscar::closeResult()
{
    if (m_rs.isOpen())
        m_rs.close();
}

bool frmTPVs_Buscar::hasRows() const { return ui->vsListado->Rows() > ui->vsListado->FixedRows(); }

void frmTPVs_Buscar::search()
{
    QString texto = ui->txtNombre->text();
    if (!texto.endsWith(QLatin1Char('*')))
        texto += QLatin1Char('*');
    closeResult();
    m_rs = TerminalStore(frame::conn()).searchByHost(texto);
    ui->vsListado->ClearData();
    loadPage();
    if (hasRows()) {
        ui->vsListado->setRow(ui->vsListado->FixedRows());
        ui->vsListado->setFocus(Qt::OtherFocusReason);
    } else {
        ui->txtNombre->setFocus(Qt::OtherFocusReason);
    }
}

void frmTPVs_Buscar::loadPage()
{
    if (!m_rs.isOpen())
        return;
    {
        const controls::RedrawOff paused(*ui->vsListado);
        for (int n = 0; n < PageRows && !m_rs.eof(); ++n) {
            ui->vsListado->AddItem(QString::number(m_rs[QStringLiteral("Codigo")].toInt()));
            // The host goes in as a cell text, so that no character of it can split the row.
            ui->vsListado->setTextMatrix(ui->vsListado->Rows() - 1, ColHost, m_rs[QStringLiteral("Host")].toString());
            m_rs.moveNext();
        }
    }
    if (m_rs.eof())
        closeResult();
}

void frmTPVs_Buscar::txtNombre_KeyPress(int& keyAscii)
{
    if (keyAscii != KeyEnter)
        return;
    keyAscii = 0;
    search();
}

void frmTPVs_Buscar::txtNombre_KeyDown(int& keyCode, int shift)
{
    if (keyCode == Qt::Key_Down && hasRows()) {
        keyCode = 0;
        ui->vsListado->setFocus(Qt::OtherFocusReason);
    }
}

void frmTPVs_Buscar::vsListado_AfterLastRow()
{
    // The next rows come in below; the list then moves on to them as usual.
    if (m_rs.isOpen())
        loadPage();
}

void frmTPVs_Buscar::vsListado_BeforeFirstRow() { ui->txtNombre->setFocus(Qt::OtherFocusReason); }

void frmTPVs_Buscar::cmdAceptar_Click()
{
    const int row = ui->vsListado->Row();
    if (hasRows() && row >= ui->vsListado->FixedRows() && row < ui->vsListado->Rows()) {
        m_codigo = static_cast<qint16>(ui->vsListado->TextMatrix(row, ColCodigo).toInt());
        m_host = ui->vsListado->TextMatrix(row, ColHost);
    }
    accept();
}

void frmTPVs_Buscar::cmdCancelar_Click()
{
    m_codigo = 0;
    m_host.clear();
    reject();
}

} // namespace zqvr::terminals
