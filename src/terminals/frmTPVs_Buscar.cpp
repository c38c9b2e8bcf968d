#include "terminals/frmTPVs_Buscar.h"

#include "controls/Grid.h"
#include "controls/ctlTextBox.h"
#include "db/Connection.h"
#include "db/SqlLiteral.h"
#include "frame/ErrorReport.h"
#include "frame/HostContext.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zqvr::terminals {

namespace {
constexpr int KeyEnter = 13;
constexpr int ColCodigo = 0;
constexpr int ColHost = 1;
} // namespace

frmTPVs_Buscar::frmTPVs_Buscar(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTPVs_Buscar"));
    setWindowTitle(QStringLiteral("Buscar TPVs"));

    txtNombre = new controls::ctlTextBox(this);
    txtNombre->setObjectName(QStringLiteral("txtNombre"));
    vsListado = new controls::Grid(this);
    vsListado->setObjectName(QStringLiteral("vsListado"));
    Label1 = new QLabel(QStringLiteral("1 &Escriba los primeros dígitos o letras que esta buscando."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setBuddy(txtNombre);
    Label2 = new QLabel(QStringLiteral("2 &Haga click en una entrada y despues en \"Aceptar\"."), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setBuddy(vsListado);
    cmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
    cmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));
    // Enter belongs to the search field and the list, never to a default button.
    for (QPushButton* b : {cmdAceptar, cmdCancelar}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    vsListado->setCols(2);
    vsListado->setFixedRows(1);
    vsListado->setRows(1);
    vsListado->setTextMatrix(0, ColCodigo, QStringLiteral("Código"));
    vsListado->setTextMatrix(0, ColHost, QStringLiteral("Host"));
    vsListado->setColWidth(ColCodigo, 1000);
    vsListado->setColAlignment(ColCodigo, controls::Grid::AlignRight);
    vsListado->setColWidth(ColHost, 3600);
    vsListado->setColAlignment(ColHost, controls::Grid::AlignLeft);
    // The host takes whatever width the dialog has left.
    vsListado->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdAceptar);
    buttons->addWidget(cmdCancelar);
    auto* main = new QVBoxLayout(this);
    main->addWidget(Label1);
    main->addWidget(txtNombre);
    main->addWidget(Label2);
    main->addWidget(vsListado, 1);
    main->addLayout(buttons);
    resize(420, 360);

    connect(txtNombre, &controls::ctlTextBox::KeyPress, this, [this](int& k) { txtNombre_KeyPress(k); });
    connect(txtNombre, &controls::ctlTextBox::KeyDown, this, [this](int& k, int s) { txtNombre_KeyDown(k, s); });
    connect(cmdAceptar, &QPushButton::clicked, this, [this] { cmdAceptar_Click(); });
    connect(cmdCancelar, &QPushButton::clicked, this, [this] { cmdCancelar_Click(); });
    connect(vsListado, &controls::Grid::AfterLastRow, this, [this] { vsListado_AfterLastRow(); });
    connect(vsListado, &controls::Grid::BeforeFirstRow, this,
            [this] { txtNombre->setFocus(Qt::OtherFocusReason); });
    connect(vsListado, &controls::Grid::EnterPressed, this, [this](int) { cmdAceptar_Click(); });
}

frmTPVs_Buscar::~frmTPVs_Buscar() { cerrarResultado(); }

void frmTPVs_Buscar::done(int result)
{
    cerrarResultado();
    QDialog::done(result);
}

void frmTPVs_Buscar::cerrarResultado()
{
    if (m_rs.isOpen())
        m_rs.close();
}

bool frmTPVs_Buscar::hayFilas() const { return vsListado->Rows() > vsListado->FixedRows(); }

void frmTPVs_Buscar::buscar()
{
    QString texto = txtNombre->text();
    if (!texto.endsWith(QLatin1Char('*')))
        texto += QLatin1Char('*');
    cerrarResultado();
    m_rs = frame::conn().query(QStringLiteral("SELECT Codigo, Host FROM TPVs WHERE ") +
                               QStringLiteral(" (Host like ") + db::sqlLikePattern(texto) + QStringLiteral(")"));
    vsListado->ClearData();
    cargarPagina();
    if (hayFilas()) {
        vsListado->setRow(vsListado->FixedRows());
        vsListado->setFocus(Qt::OtherFocusReason);
    } else {
        txtNombre->setFocus(Qt::OtherFocusReason);
    }
}

void frmTPVs_Buscar::cargarPagina()
{
    if (!m_rs.isOpen())
        return;
    vsListado->setRedraw(false);
    for (int n = 0; n < PageRows && !m_rs.eof(); ++n) {
        vsListado->AddItem(QString::number(m_rs[QStringLiteral("Codigo")].toInt()));
        // The host goes in as a cell text, so that no character of it can split the row.
        vsListado->setTextMatrix(vsListado->Rows() - 1, ColHost, m_rs[QStringLiteral("Host")].toString());
        m_rs.moveNext();
    }
    vsListado->setRedraw(true);
    if (m_rs.eof())
        cerrarResultado();
}

void frmTPVs_Buscar::txtNombre_KeyPress(int& keyAscii)
{
    if (keyAscii != KeyEnter)
        return;
    keyAscii = 0;
    frame::guarded(QStringLiteral("Error en txtNombre_KeyPress"), [&] { buscar(); });
}

void frmTPVs_Buscar::txtNombre_KeyDown(int& keyCode, int shift)
{
    if (keyCode == Qt::Key_Down && hayFilas()) {
        keyCode = 0;
        vsListado->setFocus(Qt::OtherFocusReason);
    }
}

void frmTPVs_Buscar::vsListado_AfterLastRow()
{
    // The next rows come in below; the list then moves on to them as usual.
    if (m_rs.isOpen())
        frame::guarded(QStringLiteral("Error en vsListado_KeyDown"), [&] { cargarPagina(); });
}

void frmTPVs_Buscar::cmdAceptar_Click()
{
    const int row = vsListado->Row();
    if (hayFilas() && row >= vsListado->FixedRows() && row < vsListado->Rows()) {
        m_codigo = static_cast<qint16>(vsListado->TextMatrix(row, ColCodigo).toInt());
        m_host = vsListado->TextMatrix(row, ColHost);
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
