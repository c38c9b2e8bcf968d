#include "ControlsDemoPage.h"

#include "controls/Grid.h"
#include "controls/ctlAlmacenCons.h"
#include "controls/ctlCheckBox.h"
#include "controls/ctlCodePicker.h"
#include "controls/ctlDispositivo.h"
#include "controls/ctlImpresoras.h"
#include "controls/ctlMaskEdBox.h"
#include "controls/ctlTextBox.h"
#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"
#include "frame/ErrorReport.h"
#include "host/Empresa.h"
#include "host/Formato.h"
#include "host/Teclado.h"
#include "reports/CRPrintGrid.h"

#include <QElapsedTimer>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace brevanto {

using namespace zqvr;
using namespace zqvr::controls;

namespace {
constexpr int kTotalsCaptionCols = 3; // "Total:" spans code, description and ticket text
}

ControlsDemoPage::ControlsDemoPage(db::Connection* conn, host::Empresa* empresa, QWidget* parent)
    : QWidget(parent), m_conn(conn), m_empresa(empresa)
{
    setObjectName(QStringLiteral("ControlsDemoPage"));
    setWindowTitle(tr("Controles"));

    // ---- pickers ----
    auto* pickersBox = new QGroupBox(tr("Selectores de código"), this);
    auto* pickers = new QFormLayout(pickersBox);
    auto addPicker = [&](ctlCodePicker* p, const char* name, const QString& label) {
        p->setObjectName(QLatin1String(name));
        p->setConexion(m_conn);
        p->setEmpresa(m_empresa);
        pickers->addRow(label, p);
        connect(p, &ctlCodePicker::CodigoCambiado, this, [this, p](qint64 code) {
            log(QStringLiteral("%1: código %2 %3").arg(p->objectName()).arg(code)
                    .arg(p->EsValido() ? QStringLiteral("«") + p->Nombre() + QStringLiteral("»")
                                       : tr("(no existe)")));
        });
        connect(p, &ctlCodePicker::KeyPress, this, [this, p](int& key) {
            if (key == 13) {
                log(p->objectName() + tr(": Intro"));
                host::Teclado::Enter(p->codeField());
            }
        });
    };
    addPicker(new ctlArticulo(pickersBox), "txtArticulo", tr("Artículo:"));
    addPicker(new ctlCliente(pickersBox), "txtCliente", tr("Cliente:"));
    auto* almacen = new ctlAlmacen(pickersBox);
    almacen->setUsuario(m_empresa ? m_empresa->usuarioActual() : 0);
    addPicker(almacen, "txtAlmacen", tr("Almacén:"));
    auto* soloUsuario = new ctlCheckBox(tr("Sólo los almacenes del usuario"), pickersBox);
    soloUsuario->setObjectName(QStringLiteral("chkSoloUsuario"));
    pickers->addRow(QString(), soloUsuario);
    connect(soloUsuario, &ctlCheckBox::ValorCambiado, this, [this, almacen](int on) {
        almacen->setSoloAlmacenesUsuario(on != 0);
        try {
            almacen->Cargar();
        } catch (const Error& e) {
            log(e.description());
        }
    });
    addPicker(new ctlUsuario(pickersBox), "txtUsuario", tr("Usuario:"));
    addPicker(new ctlAgente(pickersBox), "txtAgente", tr("Agente:"));
    addPicker(new ctlDtoGrp(pickersBox), "txtDtoGrp", tr("Grupo Dto.:"));
    addPicker(new ctlTarifa(pickersBox), "txtTarifa", tr("Tarifa:"));

    // ---- fields ----
    auto* fieldsBox = new QGroupBox(tr("Campos"), this);
    auto* fields = new QFormLayout(fieldsBox);
    auto* numero = new ctlTextBox(fieldsBox);
    numero->setObjectName(QStringLiteral("txtNumero"));
    numero->setNumeric(true);
    auto* valor = new QLabel(QStringLiteral("0"), fieldsBox);
    valor->setObjectName(QStringLiteral("lblValor"));
    connect(numero, &QLineEdit::textChanged, valor, [numero, valor] {
        valor->setText(host::Formato::FormatoNumero(numero->Valor(), 4));
    });
    auto* numeroRow = new QHBoxLayout;
    numeroRow->addWidget(numero);
    numeroRow->addWidget(new QLabel(tr("Valor:"), fieldsBox));
    numeroRow->addWidget(valor, 1);
    fields->addRow(tr("Número:"), numeroRow);

    auto* clave = new ctlTextBox(fieldsBox);
    clave->setObjectName(QStringLiteral("txtClave"));
    clave->setPasswordMask(true);
    fields->addRow(tr("Clave:"), clave);

    auto* bloqueado = new ctlTextBox(fieldsBox);
    bloqueado->setObjectName(QStringLiteral("txtBloqueado"));
    bloqueado->setText(tr("No se puede escribir aquí"));
    bloqueado->setHabilitado(false);
    fields->addRow(tr("Bloqueado:"), bloqueado);

    auto* fecha = new ctlMaskEdBox(ctlMaskEdBox::Kind::Date, fieldsBox);
    fecha->setObjectName(QStringLiteral("txtFecha"));
    fecha->setFecha(QDate::currentDate());
    auto* hora = new ctlMaskEdBox(ctlMaskEdBox::Kind::Time, fieldsBox);
    hora->setObjectName(QStringLiteral("txtHora"));
    hora->setHora(QTime(QTime::currentTime().hour(), QTime::currentTime().minute()));
    auto* validez = new QLabel(fieldsBox);
    validez->setObjectName(QStringLiteral("lblValidez"));
    auto showValidity = [fecha, hora, validez] {
        validez->setText(QStringLiteral("%1 / %2").arg(fecha->isValid() ? tr("fecha válida") : tr("fecha no válida"),
                                                      hora->isValid() ? tr("hora válida") : tr("hora no válida")));
    };
    connect(fecha, &QLineEdit::textChanged, validez, showValidity);
    connect(hora, &QLineEdit::textChanged, validez, showValidity);
    showValidity();
    auto* fechaRow = new QHBoxLayout;
    fechaRow->addWidget(fecha);
    fechaRow->addWidget(hora);
    fechaRow->addWidget(validez, 1);
    fields->addRow(tr("Fecha y hora:"), fechaRow);

    auto* opcion = new ctlCheckBox(tr("Opción"), fieldsBox);
    opcion->setObjectName(QStringLiteral("chkOpcion"));
    connect(opcion, &ctlCheckBox::ValorCambiado, this,
            [this](int v) { log(QStringLiteral("chkOpcion: Valor = %1").arg(v)); });
    fields->addRow(QString(), opcion);

    auto* dispositivo = new ctlDispositivo(fieldsBox);
    dispositivo->setObjectName(QStringLiteral("cboDispositivo"));
    fields->addRow(tr("Dispositivo:"), dispositivo);
    auto* impresora = new ctlImpresoras(fieldsBox);
    impresora->setObjectName(QStringLiteral("cboImpresora"));
    impresora->setPlaceholderText(tr("(no hay impresoras)"));
    fields->addRow(tr("Impresora:"), impresora);
    connect(dispositivo, &ctlDispositivo::DispositivoCambiado, this, [this, impresora](ctlDispositivo::Dispositivo d) {
        static const char* names[] = {"Pantalla", "Impresora", "Fichero"};
        log(QStringLiteral("cboDispositivo: %1, impresora «%2»").arg(QLatin1String(names[int(d)]), impresora->Impresora()));
    });

    // ---- warehouse check list ----
    auto* almacenesBox = new QGroupBox(tr("Almacenes"), this);
    auto* almacenesLayout = new QVBoxLayout(almacenesBox);
    auto* lstAlm = new ctlAlmacenCons(almacenesBox);
    lstAlm->setObjectName(QStringLiteral("lstAlm"));
    lstAlm->setConexion(m_conn);
    lstAlm->setEmpresa(m_empresa);
    try {
        lstAlm->Cargar();
    } catch (const Error& e) {
        log(e.description());
    }
    connect(lstAlm, &ctlAlmacenCons::CheckCambiado, this, [this, lstAlm](int index, int code, bool checked) {
        log(QStringLiteral("lstAlm: entrada %1, almacén %2 %3; marcados: %4")
                .arg(index).arg(code).arg(checked ? tr("marcado") : tr("desmarcado"))
                .arg(lstAlm->checkedCodes().size()));
    });
    almacenesLayout->addWidget(lstAlm);

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(pickersBox);
    leftLayout->addWidget(fieldsBox);
    leftLayout->addWidget(almacenesBox, 1);

    // ---- grid ----
    m_grid = new Grid(this);
    m_grid->setObjectName(QStringLiteral("vsArticulos"));
    m_grid->setCols(6);
    const char* headers[] = {"Código", "Descripción", "Desc. Ticket", "PVP", "Costo", "Margen %"};
    const int widths[] = {1000, 3600, 2400, 1100, 1100, 1100};
    for (int c = 0; c < 6; ++c) {
        m_grid->setTextMatrix(0, c, QString::fromUtf8(headers[c]));
        m_grid->setColWidth(c, widths[c]);
    }
    m_grid->setColAlignment(0, Grid::AlignRight);
    for (int c = 3; c < 6; ++c) {
        m_grid->setColAlignment(c, Grid::AlignRight);
        m_grid->setColDataType(c, Grid::TypeNumber);
    }
    m_grid->setColDataType(0, Grid::TypeNumber);
    connect(m_grid, &Grid::EnterPressed, this, [this](int row) {
        log(QStringLiteral("vsArticulos: Intro en la fila %1 (%2)").arg(row).arg(m_grid->TextMatrix(row, 1)));
    });
    connect(m_grid, &Grid::DeletePressed, this, [this](int row) {
        if (row >= m_grid->FixedRows() && !m_grid->MergeRow(row) && !m_grid->TextMatrix(row, 0).isEmpty()) {
            log(QStringLiteral("vsArticulos: fila %1 quitada de la lista").arg(row));
            m_grid->RemoveItem(row);
        }
    });
    connect(m_grid, &Grid::BeforeFirstRow, this, [this] { log(tr("vsArticulos: flecha arriba en la primera fila")); });
    connect(m_grid, &Grid::AfterLastRow, this, [this] { log(tr("vsArticulos: abajo en la última fila")); });
    connect(m_grid, &Grid::DoubleClicked, this, [this](int row, int col) {
        log(QStringLiteral("vsArticulos: doble clic en %1, %2: «%3»").arg(row).arg(col).arg(m_grid->TextMatrix(row, col)));
    });
    connect(m_grid, &Grid::RightClicked, this, [this](int row, int col, const QPoint&) {
        log(QStringLiteral("vsArticulos: botón derecho en %1, %2").arg(row).arg(col));
    });

    auto* gridButtons = new QHBoxLayout;
    auto* reload = new QPushButton(tr("&Recargar"), this);
    reload->setObjectName(QStringLiteral("cmdRecargar"));
    connect(reload, &QPushButton::clicked, this, &ControlsDemoPage::loadArticles);
    auto* sortByPrice = new QPushButton(tr("&Ordenar por PVP"), this);
    sortByPrice->setObjectName(QStringLiteral("cmdOrdenar"));
    connect(sortByPrice, &QPushButton::clicked, this, [this] {
        // The totals row stays at the bottom: sort, then put it back.
        loadArticles();
        const int totals = m_grid->Rows() - 1;
        if (totals < m_grid->FixedRows() + 1)
            return;
        m_grid->setRedraw(false);
        QStringList cells;
        for (int c = 0; c < m_grid->Cols(); ++c)
            cells << m_grid->TextMatrix(totals, c);
        m_grid->RemoveItem(totals);
        m_grid->RemoveItem(totals - 1); // the empty row before it
        m_grid->Sort(3, false);
        m_grid->AddItem(QString());
        m_grid->AddItem(cells.join(QLatin1Char('\t')));
        m_grid->setMergeRow(m_grid->Rows() - 1, true);
        m_grid->setRowFontBold(m_grid->Rows() - 1, true);
        m_grid->setRedraw(true);
    });
    auto* hideTicket = new ctlCheckBox(tr("Ocultar «Desc. Ticket»"), this);
    hideTicket->setObjectName(QStringLiteral("chkOcultar"));
    connect(hideTicket, &ctlCheckBox::ValorCambiado, this, [this](int v) { m_grid->setColHidden(2, v != 0); });
    auto* print = new QPushButton(tr("&Imprimir..."), this);
    print->setObjectName(QStringLiteral("cmdImprimir"));
    connect(print, &QPushButton::clicked, this, [this] { printArticles(); });
    gridButtons->addWidget(reload);
    gridButtons->addWidget(sortByPrice);
    gridButtons->addWidget(hideTicket);
    gridButtons->addWidget(print);
    gridButtons->addStretch(1);

    m_log = new QPlainTextEdit(this);
    m_log->setObjectName(QStringLiteral("txtEventos"));
    m_log->setReadOnly(true);
    m_log->setMaximumBlockCount(500);

    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addLayout(gridButtons);
    auto* splitter = new QSplitter(Qt::Vertical, right);
    splitter->addWidget(m_grid);
    splitter->addWidget(m_log);
    splitter->setStretchFactor(0, 4);
    splitter->setStretchFactor(1, 1);
    rightLayout->addWidget(splitter, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(left);
    layout->addWidget(right, 1);

    loadArticles();
}

void ControlsDemoPage::loadArticles()
{
    if (!m_conn || !m_empresa)
        return;
    QElapsedTimer timer;
    timer.start();
    m_grid->setRedraw(false);
    m_grid->ClearData();
    double pvp = 0, costo = 0;
    int count = 0;
    try {
        db::RecordSet rs = m_conn->query(
            QStringLiteral("SELECT Codigo, Descripcion, Desc_Ticket, PVP, Costo FROM Articulos WHERE Cod_Empresa = ")
            + db::sqlInt(m_empresa->EmpresaArticulos()) + QStringLiteral(" ORDER BY Codigo"));
        while (!rs.eof()) {
            const double p = rs.value(3).toDouble();
            const double c = rs.value(4).toDouble();
            const QString margin = p > 0 ? host::Formato::FormatoNumero((p - c) * 100.0 / p, 1) : QString();
            m_grid->AddItem(QString::number(rs.value(0).toLongLong()) + QLatin1Char('\t') + rs.value(1).toString()
                            + QLatin1Char('\t') + rs.value(2).toString() + QLatin1Char('\t')
                            + host::Formato::FormatoNumero(p, 2) + QLatin1Char('\t')
                            + host::Formato::FormatoNumero(c, 2) + QLatin1Char('\t') + margin);
            pvp += p;
            costo += c;
            ++count;
            rs.moveNext();
        }
    } catch (const Error& e) {
        log(e.description());
    }
    // An empty row, then the totals: "Total:" over the first columns as one cell, in bold.
    m_grid->AddItem(QString());
    QStringList totals;
    for (int c = 0; c < kTotalsCaptionCols; ++c)
        totals << tr("Total:");
    totals << host::Formato::FormatoNumero(pvp, 2) << host::Formato::FormatoNumero(costo, 2)
           << (pvp > 0 ? host::Formato::FormatoNumero((pvp - costo) * 100.0 / pvp, 1) : QString());
    m_grid->AddItem(totals.join(QLatin1Char('\t')));
    const int totalsRow = m_grid->Rows() - 1;
    m_grid->setMergeRow(totalsRow, true);
    m_grid->setRowFontBold(totalsRow, true);
    m_grid->setRowBackColor(totalsRow, QColor(0xFF, 0xF4, 0xC2));
    if (count > 0)
        m_grid->setRow(m_grid->FixedRows());
    m_grid->setRedraw(true);
    log(QStringLiteral("vsArticulos: %1 artículos en %2 ms").arg(count).arg(timer.elapsed()));
}

void ControlsDemoPage::printArticles(const QString& pdfPath)
{
    // The grid as it is on screen (hidden column, order, totals) through the
    // grid printer, in the same sequence as the component's list screens.
    frame::guarded(QStringLiteral("ControlsDemoPage:cmdImprimir_Click"), [this, &pdfPath] {
        if (!m_conn || !m_empresa)
            return;
        const QString nombre = m_conn->scalar(QStringLiteral("SELECT Nombre_1 FROM Empresas WHERE Codigo = ")
                                              + db::sqlInt(m_empresa->CodigoEmpresa())).toString();
        reports::CRPrintGrid job;
        job.setEmpresa_AppPath(m_empresa->RutaAplicacion());
        job.setEmpresa_Codigo(m_empresa->CodigoEmpresa());
        job.setEmpresa_Nombre(nombre);
        job.setConnectionString(m_conn->property(QStringLiteral("Extended Properties")).toString());
        job.setReportSource(m_grid);
        job.setTitulo(tr("Artículos"));
        job.setAjustarColumnas(true);
        if (!pdfPath.isEmpty()) {
            job.ImprimirPdf(pdfPath);
            log(tr("vsArticulos: impreso en %1").arg(pdfPath));
            return;
        }
        job.Imprimir(0, QString());
        log(tr("vsArticulos: impreso en la vista preliminar"));
    });
}

void ControlsDemoPage::log(const QString& line)
{
    if (m_log)
        m_log->appendPlainText(line);
}

} // namespace brevanto
