#include "parameters/frmParametros.h"

#include "ui_frmParametros.h"

#include "controls/ControlArray.h"
#include "controls/Grid.h"
#include "controls/ctlCodePicker.h"
#include "controls/ctlTextBox.h"
#include "db/Connection.h"
#include "frame/KeyBinding.h"
#include "frame/Wiring.h"
#include "frame/ErrorReport.h"
#include "frame/HostContext.h"
#include "frame/OperationNotice.h"
#include "frame/Services.h"
#include "host/Empresa.h"
#include "host/Teclado.h"
#include "parameters/ColorButton.h"
#include "parameters/LogoFolder.h"
#include "parameters/ParameterStore.h"
#include "reports/frmVistaPreliminarOp.h"
#include "security/clsControlSeg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zqvr::parameters {

using controls::Grid;
using controls::ctlTextBox;
using frame::MsgButtons;
using frame::MsgIcon;

namespace {

const QString kAtencion = QStringLiteral("¡ Atención !");
constexpr int kMaxPreviewRows = 18;

// Moves the focusable controls under `area` to the end of the window's
// focus chain, in their order. The panels from Designer are made before the
// catalogue's settings; this puts Tab back in the order the window reads.
void moveToFocusChainEnd(QWidget* window, QWidget* area)
{
    QList<QWidget*> moving;
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain())
        if (w->focusPolicy() != Qt::NoFocus && (w == area || area->isAncestorOf(w)))
            moving.push_back(w);
    for (QWidget* w : moving) {
        QWidget* last = window->previousInFocusChain();
        while (last != window && last->focusPolicy() == Qt::NoFocus)
            last = last->previousInFocusChain();
        if (last != window)
            QWidget::setTabOrder(last, w);
    }
}

void fillCombo(QComboBox* c, const QList<ListEntry>& entries)
{
    const QSignalBlocker block(c);
    c->clear();
    for (const ListEntry& e : entries)
        c->addItem(e.text, e.data);
    if (c->count() > 0)
        c->setCurrentIndex(0);
}

int comboIndexOf(const QComboBox* c, int data)
{
    for (int i = 0; i < c->count(); ++i)
        if (c->itemData(i).toInt() == data)
            return i;
    return -1;
}

// Shows the terminal's operation panel as the rows of vsLineas would lay it
// out and returns the position the user clicked (0 none). The window lives
// only for this call.
int showOperationPanel(const std::vector<OperationKey>& keys, int mode, QWidget* parent)
{
    reports::frmVistaPreliminarOp vista(parent);
    for (const OperationKey& k : keys)
        vista.Agregar(k.operation, k.key, k.color, k.position, k.visible);
    vista.setModo(mode);
    frame::runModal(vista);
    return vista.Posicion();
}

} // namespace

frmParametros::frmParametros(QWidget* parent)
    : Form(QStringLiteral("frmParametros"), QStringLiteral("Parámetros de TPV"), parent),
      ui(std::make_unique<Ui::frmParametros>()), m_values(std::make_unique<ScopeValues>())
{
    ui->setupUi(this);
    nameArrayElements();
    prepareFixedControls();
    buildCatalogueTabs();
    wireHandlers();
    bindKeys();
    setPreview(&showOperationPanel);
}

frmParametros::~frmParametros() = default;

void frmParametros::setPreview(PreviewFn fn)
{
    m_preview = std::move(fn);
    ui->cmdVisual->setEnabled(bool(m_preview));
    ui->cmdVistaPos->setEnabled(bool(m_preview));
}

// ---- building ----

// Designer names an element of a control array name_index; the window, its
// security and its tests know it by the array's name and the index.
void frmParametros::nameArrayElements()
{
    using controls::setArrayIndex;
    setArrayIndex(ui->lblInfo_0, QStringLiteral("lblInfo"), 0);
    setArrayIndex(ui->lblInfo_1, QStringLiteral("lblInfo"), 1);
    setArrayIndex(ui->lblInfo_2, QStringLiteral("lblInfo"), 2);
    setArrayIndex(ui->picLogo_0, QStringLiteral("picLogo"), 0);
    setArrayIndex(ui->picLogo_1, QStringLiteral("picLogo"), 1);
    setArrayIndex(ui->cmdFotoExaminar_0, QStringLiteral("cmdFotoExaminar"), 0);
    setArrayIndex(ui->cmdFotoExaminar_1, QStringLiteral("cmdFotoExaminar"), 1);
    setArrayIndex(ui->cmdFotoBorrar_0, QStringLiteral("cmdFotoBorrar"), 0);
    setArrayIndex(ui->cmdFotoBorrar_1, QStringLiteral("cmdFotoBorrar"), 1);
    lblInfo[0] = ui->lblInfo_0;
    lblInfo[1] = ui->lblInfo_1;
    lblInfo[2] = ui->lblInfo_2;
    picLogo[0] = ui->picLogo_0;
    picLogo[1] = ui->picLogo_1;
}

void frmParametros::prepareFixedControls()
{
    ui->vsLineas->setColumns({{QString(), -1, {}, {}, true},
                          {QStringLiteral("Operación"), 3000},
                          {QString(), -1, {}, {}, true},
                          {QStringLiteral("Tecla"), 1000},
                          {QStringLiteral("Posición"), 1000},
                          {QStringLiteral("Color"), 900},
                          {QStringLiteral("Visible"), 800},
                          {QString(), -1, {}, {}, true}});
    ui->vsLineas->setRows(1);

    ui->vsBalanzas->setColumns({{QStringLiteral("Codigo"), 1200}, {QStringLiteral("Tipo"), 3500}, {QString(), -1, {}, {}, true}});
    ui->vsBalanzas->setRows(1);
    ui->txtCodigo->setNumeric(true);
    ui->txtCodigo->setEnterMovesFocus(true);
    fillCombo(ui->cboTipo, scaleTypeEntries());
}

// Every tab gets the catalogue's settings below its own panel; the tabs
// without a panel of their own get their page here, in tab order.
void frmParametros::buildCatalogueTabs()
{
    for (int t = 0; t < kTabCount; ++t) {
        const Tab tab = static_cast<Tab>(t);
        const QString pageName = QStringLiteral("qt_tab_%1").arg(t);
        QWidget* page = ui->sstTpv->widget(t);
        if (page && page->objectName() == pageName) {
            // Tab goes through the panel after the tabs before it.
            moveToFocusChainEnd(this, page);
        } else {
            page = new QWidget(ui->sstTpv);
            page->setObjectName(pageName);
            new QVBoxLayout(page);
            ui->sstTpv->insertTab(t, page, tabCaption(tab));
        }
        if (QWidget* settings = m_catalogue.buildTab(tab, page)) {
            auto* layout = static_cast<QBoxLayout*>(page->layout());
            if (layout->count() > 0)
                layout->setStretch(0, 0);
            layout->addWidget(settings, 1);
        }
    }
    moveToFocusChainEnd(this, ui->cmdAceptar);
    moveToFocusChainEnd(this, ui->cmdCancelar);
}

void frmParametros::wireHandlers()
{
    declareReportNames();
    wireTopBar();
    wireOperations();
    wireScales();
    wireLogo();
    wireCatalogueControls();
}

void frmParametros::declareReportNames()
{
    // The procedures the window reports in its own way.
    frame::declareReports(
        this, frame::ReportNames()
                  .under(QStringLiteral("frmParametros"),
                         {QStringLiteral("cmdCopiarGeneral_Click"), QStringLiteral("cmdEliminarParametrosTpv_Click"),
                          QStringLiteral("CargarComboImpuestos")})
                  .under(QStringLiteral("frmTPV_Parametros"), {QStringLiteral("Cargar_Opciones")})
                  .reportAs(QStringLiteral("cboTipo_KeyDown"), QStringLiteral("cboTipo_KeyPress"))
                  // A logo the folder refuses: its reason, as a warning.
                  .rename(QStringLiteral("LogoFolder"), kAtencion, frame::ReportStyle::PlainText, MsgIcon::Exclamation)
                  // A save that failed: what happened, then the statement that failed.
                  .explain(QStringLiteral("GuardarOpciones"), [](const Error& e) {
                      const auto* save = dynamic_cast<const SaveError*>(&e);
                      if (!save)
                          return false;
                      frame::msgBox(QStringLiteral("Ha ocurrido un error al guardar los parametros. Es posible que no "
                                                   "haya especificado alguno."),
                                    kAtencion, MsgIcon::Critical);
                      frame::msgBox(save->statement(), kAtencion, MsgIcon::Critical);
                      return true;
                  }));
}

void frmParametros::wireTopBar()
{
    frame::wire(ui->cboAlmacen, &QComboBox::currentIndexChanged, this, &frmParametros::cboAlmacen_Click);
    frame::wire(ui->cboTpv, &QComboBox::currentIndexChanged, this, &frmParametros::cboTpv_Click);
    frame::wire(ui->cmdAceptar, &QPushButton::clicked, this, &frmParametros::cmdAceptar_Click);
    frame::wire(ui->cmdCancelar, &QPushButton::clicked, this, &frmParametros::cmdCancelar_Click);
    frame::wire(ui->cmdCopiarGeneral, &QPushButton::clicked, this, &frmParametros::cmdCopiarGeneral_Click);
    frame::wire(ui->cmdEliminarParametrosTpv, &QPushButton::clicked, this, &frmParametros::cmdEliminarParametrosTpv_Click);
}

void frmParametros::wireOperations()
{
    frame::wire(ui->cmdAgregar, &QPushButton::clicked, this, &frmParametros::cmdAgregar_Click);
    frame::wire(ui->cmdEliminarOP, &QPushButton::clicked, this, &frmParametros::cmdEliminarOP_Click);
    frame::wire(ui->cmdVisual, &QPushButton::clicked, this, &frmParametros::cmdVisual_Click);
    frame::wire(ui->cmdVistaPos, &QPushButton::clicked, this, &frmParametros::cmdVistaPos_Click);
    frame::wire(ui->vsLineas, &Grid::RowColChange, this, &frmParametros::vsLineas_RowColChange);
}

void frmParametros::wireScales()
{
    frame::wire(ui->cmdEliminar, &QPushButton::clicked, this, &frmParametros::cmdEliminar_Click);
    // Enter in the key type looks the key up.
    frame::bindControlKey(ui->cboTipo, Qt::Key_Return, this, &frmParametros::cboTipo_Enter);
    frame::bindControlKey(ui->cboTipo, Qt::Key_Enter, this, &frmParametros::cboTipo_Enter);
}

void frmParametros::wireLogo()
{
    for (auto* b : findChildren<QPushButton*>(QStringLiteral("cmdFotoExaminar")))
        frame::wireElement(b, &QPushButton::clicked, this, &frmParametros::cmdFotoExaminar_Click);
    for (auto* b : findChildren<QPushButton*>(QStringLiteral("cmdFotoBorrar")))
        frame::wireElement(b, &QPushButton::clicked, this, &frmParametros::cmdFotoBorrar_Click);
}

void frmParametros::wireCatalogueControls()
{
    for (auto* b : findChildren<QPushButton*>(QStringLiteral("cmdExaminar_Vinculo")))
        frame::wireElement(b, &QPushButton::clicked, this, &frmParametros::cmdExaminar_Vinculo_Click);

    // Reactions of single settings; they run on load too.
    if (QComboBox* aut = m_catalogue.combo(364))
        frame::wire(aut, &QComboBox::currentIndexChanged, this, &frmParametros::applyReactions);
    if (QComboBox* recarga = m_catalogue.combo(393))
        frame::wire(recarga, &QComboBox::currentIndexChanged, this, &frmParametros::applyReactions);
    if (auto* detallar = qobject_cast<QCheckBox*>(m_catalogue.control(64)))
        frame::wire(detallar, &QCheckBox::toggled, this, &frmParametros::applyReactions);
    // Enter in these lists moves on as in the fields.
    for (int code : {364, 376, 431})
        if (QComboBox* c = m_catalogue.combo(code))
            frame::enterMovesOn({c});
}

void frmParametros::bindKeys()
{
    // F9 saves and F12 leaves while their buttons are enabled.
    frame::bindAcceptCancelKeys(this, ui->cmdAceptar, ui->cmdCancelar);
}

// ---- load ----

void frmParametros::formLoad()
{
    host::Empresa& empresa = frame::empresa();
    db::Connection& conn = frame::conn();
    m_allowAlmacen = m_allowTpv = false;
    m_esFenvary = empresa.variableBool(QStringLiteral("EsFenvary"));
    m_programFolder = LogoFolder::programFolder(empresa.RutaAplicacion(), m_esFenvary);
    m_values = std::make_unique<ScopeValues>(m_esFenvary);

    // Sales-report groupings named by the host: the first always, the others when not empty.
    QList<ListEntry> infVta{{QStringLiteral("---"), 0}};
    for (int i = 0; i < 3; ++i) {
        const QString text = empresa.Variable(QStringLiteral("InformeVtaAgrupado%1").arg(i)).toString();
        if (i == 0 || !text.isEmpty())
            infVta.push_back({text, int(infVta.size())});
    }
    m_values->setEntries(518, infVta);
    m_catalogue.refillCombo(518, *m_values);

    m_catalogue.preparePickers(&conn, &empresa);
    ui->sstTpv->setCurrentIndex(0);

    CargarOperaciones();
    QList<ListEntry> labels{{QStringLiteral("---"), 0}};
    labels += ParameterStore(conn, empresa.CodigoEmpresa()).labelModels();
    m_values->setEntries(403, labels);
    m_catalogue.refillCombo(403, *m_values);

    CargarAlmacenes();
    CargarTpvs();
    ui->cmdCopiarGeneral->setEnabled(false);
    ui->cmdEliminarParametrosTpv->setEnabled(false);
    const bool byTerminal = empresa.variableBool(QStringLiteral("Tpv_HabilitarParamTpv"));
    for (QWidget* w : {static_cast<QWidget*>(ui->lblTpv), static_cast<QWidget*>(ui->cboTpv),
                       static_cast<QWidget*>(ui->cmdCopiarGeneral), static_cast<QWidget*>(ui->cmdEliminarParametrosTpv)})
        w->setVisible(byTerminal);

    CargarComboImpuestos();
    // The levels stay a ceiling for the enable rules that run from here on.
    security::applyAccessLevels(this, {ui->cmdCancelar});
    Cargar_Opciones(almacenActual(), tpvActual());
    applyReactions();
    if (lblInfo[2])
        lblInfo[2]->setText(QStringLiteral("Logo para el almacén ") + ui->cboAlmacen->currentText());
    m_allowAlmacen = m_allowTpv = true;
}

void frmParametros::CargarAlmacenes()
{
    const QSignalBlocker block(ui->cboAlmacen);
    ui->cboAlmacen->clear();
    for (const ListEntry& w : ParameterStore(frame::conn(), frame::empresa().CodigoEmpresa()).warehouses())
        ui->cboAlmacen->addItem(w.text, w.data);
    if (ui->cboAlmacen->count() > 0)
        ui->cboAlmacen->setCurrentIndex(0);
}

void frmParametros::CargarTpvs()
{
    const bool allowed = m_allowTpv;
    m_allowTpv = false;
    ui->cboTpv->clear();
    ui->cboTpv->addItem(QStringLiteral("TODOS"), 0);
    if (frame::empresa().variableBool(QStringLiteral("Tpv_HabilitarParamTpv")) && ui->cboAlmacen->currentIndex() >= 0) {
        for (const ListEntry& t : ParameterStore(frame::conn(), frame::empresa().CodigoEmpresa()).terminals(almacenActual()))
            ui->cboTpv->addItem(t.text, t.data);
    }
    ui->cboTpv->setCurrentIndex(0);
    m_allowTpv = allowed;
}

void frmParametros::CargarOperaciones()
{
    fillCombo(ui->cboOperacion, operationEntries());
    fillCombo(ui->cboTecla, keyEntries());
    QList<ListEntry> positions;
    for (int p = 1; p <= 30; ++p)
        positions.push_back({QString::number(p), p});
    fillCombo(ui->cboPosicion, positions);
}

void frmParametros::CargarComboImpuestos()
{
    frame::guarded(this, QStringLiteral("CargarComboImpuestos"), [this] {
        QList<ListEntry> taxes{{QStringLiteral("Estipulado"), -1}};
        ParameterStore store(frame::conn(), frame::empresa().CodigoEmpresa());
        for (const ParameterStore::TaxRate& t : store.taxRates(almacenActual(), QDate::currentDate()))
            taxes.push_back({QLocale().toString(t.valor) + QStringLiteral(" %"), t.tipo});
        m_values->setEntries(535, taxes);
        m_catalogue.refillCombo(535, *m_values);
    });
}

int frmParametros::almacenActual() const { return ui->cboAlmacen->currentData().toInt(); }
int frmParametros::tpvActual() const { return ui->cboTpv->currentIndex() < 0 ? 0 : ui->cboTpv->currentData().toInt(); }

// ---- scope ----

void frmParametros::LimpiarOpciones()
{
    m_values->reset();
    m_values->keys.clear();
    showValues();
    showScales({});
    for (QLabel* p : picLogo)
        p->clear();
}

void frmParametros::Cargar_Opciones(int almacen, int tpv)
{
    frame::guarded(this, QStringLiteral("Cargar_Opciones"), [&] {
        frame::OperationNotice notice;
        ParameterStore store(frame::conn(), frame::empresa().CodigoEmpresa());
        m_values->load(store.load(almacen, tpv));
        showValues();
        CargarLogos();
    });
}

void frmParametros::showValues()
{
    m_catalogue.show(*m_values);
    showKeys(m_values->keys);
    showScales(m_values->scales);
    applyReactions();
}

void frmParametros::showKeys(const std::vector<OperationKey>& keys)
{
    const controls::RedrawOff paused(*ui->vsLineas);
    ui->vsLineas->setRows(1);
    for (const OperationKey& k : keys) {
        ui->vsLineas->AddItem(QStringList{QString::number(k.operation), operationName(k.operation), QString::number(k.key),
                                      keyName(k.key), QString::number(k.position), QString(),
                                      k.visible ? QStringLiteral("X") : QString(), QString::number(k.color)}
                              .join(QLatin1Char('\t')));
        ui->vsLineas->setCellBackColor(ui->vsLineas->Rows() - 1, 5, k.color == 0 ? QColor(Qt::white) : fromSuiteColor(k.color));
    }
}

void frmParametros::showScales(const std::vector<ScaleRow>& rows)
{
    ui->vsBalanzas->setRows(1);
    for (const ScaleRow& r : rows)
        ui->vsBalanzas->AddItem(r.prefix + QLatin1Char('\t') + storedScaleTypeName(r.type) + QLatin1Char('\t') +
                            QString::number(r.type));
}

ScopeValues frmParametros::currentValues() const
{
    ScopeValues v = *m_values;
    m_catalogue.read(v);
    v.keys.clear();
    for (int r = 1; r < ui->vsLineas->Rows(); ++r)
        v.keys.push_back({ui->vsLineas->TextMatrix(r, 0).toInt(), ui->vsLineas->TextMatrix(r, 2).toInt(),
                          ui->vsLineas->TextMatrix(r, 4).toInt(), ui->vsLineas->TextMatrix(r, 7).toInt(),
                          ui->vsLineas->TextMatrix(r, 6) == QLatin1String("X")});
    v.scales.clear();
    for (int r = 1; r < ui->vsBalanzas->Rows(); ++r)
        v.scales.push_back({ui->vsBalanzas->TextMatrix(r, 0), ui->vsBalanzas->TextMatrix(r, 2).toInt()});
    return v;
}

void frmParametros::applyReactions()
{
    if (auto* clave = m_catalogue.control(80))
        if (QComboBox* aut = m_catalogue.combo(364))
            clave->setEnabled(aut->currentIndex() == 0);
    if (auto* alm = m_catalogue.control(548))
        if (QComboBox* recarga = m_catalogue.combo(393))
            alm->setEnabled(recarga->currentIndex() == 4);
    auto* detallar = qobject_cast<QCheckBox*>(m_catalogue.control(64));
    auto* retraer = qobject_cast<QCheckBox*>(m_catalogue.control(478));
    if (detallar && retraer) {
        retraer->setEnabled(detallar->isChecked());
        if (!detallar->isChecked())
            retraer->setChecked(false);
    }
}

void frmParametros::cboAlmacen_Click()
{
    if (!m_allowAlmacen)
        return;
    frame::OperationNotice notice;
    LimpiarOpciones();
    CargarComboImpuestos();
    CargarTpvs();
    Cargar_Opciones(almacenActual(), tpvActual());
    lblInfo[2]->setText(QStringLiteral("Logo para el almacén ") + ui->cboAlmacen->currentText());
}

void frmParametros::cboTpv_Click()
{
    const bool terminal = tpvActual() != 0;
    ui->cmdCopiarGeneral->setEnabled(terminal);
    ui->cmdEliminarParametrosTpv->setEnabled(terminal);
    if (!m_allowTpv)
        return;
    frame::OperationNotice notice;
    LimpiarOpciones();
    Cargar_Opciones(almacenActual(), tpvActual());
}

// ---- saving ----

bool frmParametros::GuardarOpciones(int almacen, int tpv)
{
    const ScopeValues values = currentValues();
    // The clean-up goes in the save's own transaction: a save that fails
    // must not have removed anything on its way.
    const auto cleanup = frame::empresa().variableBool(QStringLiteral("OficinaCentral"))
                             ? ParameterStore::Cleanup::VanishedTerminals
                             : ParameterStore::Cleanup::VanishedTerminalsAndWarehouses;
    if (!frame::guarded(this, QStringLiteral("GuardarOpciones"), [&] {
            ParameterStore(frame::conn(), frame::empresa().CodigoEmpresa()).save(almacen, tpv, values, cleanup);
        }))
        return false;
    *m_values = values;
    frame::msgBox(QStringLiteral("Parámetros de TPV guardados correctamente."), QStringLiteral("Drumelt"),
                  MsgIcon::Information);
    return true;
}

bool frmParametros::numbersAreReadable(const ScopeValues& v)
{
    for (const CatalogueEntry& e : catalogue()) {
        if (e.kind != Kind::Number)
            continue;
        bool ok = false;
        storedNumber(v.value(e.code).text, &ok);
        if (ok)
            continue;
        frame::msgAtencion(QStringLiteral("El campo \"%1\" no contiene un número válido: %2")
                               .arg(fieldCaption(e), v.value(e.code).text.trimmed()));
        if (QWidget* field = m_catalogue.control(e.code)) {
            for (int t = 0; t < ui->sstTpv->count(); ++t)
                if (ui->sstTpv->widget(t)->isAncestorOf(field))
                    ui->sstTpv->setCurrentIndex(t);
            field->setFocus();
        }
        return false;
    }
    return true;
}

void frmParametros::cmdAceptar_Click()
{
    const ScopeValues v = currentValues();
    for (size_t a = 0; a < v.keys.size(); ++a)
        for (size_t b = a + 1; b < v.keys.size(); ++b)
            if (v.keys[a].position > 0 && v.keys[a].position == v.keys[b].position) {
                frame::msgAtencion(QStringLiteral("Existen varias operaciones en la misma posición: ") +
                                   QString::number(v.keys[a].position));
                return;
            }
    if (!numbersAreReadable(v))
        return;
    auto* minimo = qobject_cast<ctlTextBox*>(m_catalogue.control(541));
    bool okMin = false, okMax = false;
    const double min = storedNumber(v.value(541).text, &okMin).toDouble();
    const double max = storedNumber(v.value(542).text, &okMax).toDouble();
    if (okMin && min > 99999) {
        frame::msgBox(QStringLiteral("Las unidades mínimas permitidas para facturar no puede ser superior a 99999"), kAtencion,
                      MsgIcon::Information);
        minimo->setFocus();
        return;
    }
    if (okMin && okMax && max < min) {
        frame::msgBox(QStringLiteral("Las unidades mínimas permitidas debe ser inferior a las máximas permitidas"), kAtencion,
                      MsgIcon::Information);
        minimo->setFocus();
        return;
    }
    const int almacen = almacenActual();
    const int tpv = tpvActual();
    ParameterStore store(frame::conn(), frame::empresa().CodigoEmpresa());
    // Rows of a terminal or warehouse without terminals would be removed by
    // the next clean-up: saving them would look done and be lost.
    if (tpv != 0 && !store.terminalExists(almacen, tpv)) {
        frame::msgAtencion(QStringLiteral("El Tpv seleccionado ya no existe en el almacén. No se han guardado los parámetros."));
        return;
    }
    if (tpv == 0 && !frame::empresa().variableBool(QStringLiteral("OficinaCentral")) && !store.warehouseHasTerminals(almacen)) {
        frame::msgAtencion(QStringLiteral("El almacén seleccionado no tiene ningún Tpv. No se han guardado los parámetros."));
        return;
    }
    {
        frame::OperationNotice notice;
        GuardarOpciones(almacen, tpv);
    }
    ui->cboAlmacen->setFocus();
}

void frmParametros::cmdCancelar_Click() { close(); }

void frmParametros::cmdCopiarGeneral_Click()
{
    const int tpv = tpvActual();
    if (tpv == 0)
        return;
    if (!frame::askYesNo(QStringLiteral("¿Desea sobreescribir los parámetros desde el General al Tpv seleccionado?."),
                         QStringLiteral("COPIAR PARAMETROS")))
        return;
    ParameterStore store(frame::conn(), frame::empresa().CodigoEmpresa());
    if (!store.terminalExists(almacenActual(), tpv)) {
        frame::msgAtencion(QStringLiteral("El Tpv seleccionado ya no existe en el almacén. No se han copiado los parámetros."));
        return;
    }
    store.copyGeneralToTerminal(almacenActual(), tpv);
    Cargar_Opciones(almacenActual(), tpv);
}

void frmParametros::cmdEliminarParametrosTpv_Click()
{
    const int tpv = tpvActual();
    if (tpv == 0)
        return;
    if (!frame::askYesNo(QStringLiteral("Va a eliminar la configuración del Tpv Seleccionado ¿Desea continuar?."),
                         QStringLiteral("ELIMINAR PARAMETROS")))
        return;
    ParameterStore(frame::conn(), frame::empresa().CodigoEmpresa()).deleteTerminal(almacenActual(), tpv);
    frame::msgBox(QStringLiteral("Configuración eliminada correctamente"), QStringLiteral("ELIMINAR PARAMETROS"),
                  MsgIcon::Information);
    LimpiarOpciones();
    ui->cboTpv->setCurrentIndex(0);
}

// ---- operation keys ----

void frmParametros::cmdAgregar_Click()
{
    if (ui->cboOperacion->currentIndex() < 0 || ui->cboTecla->currentIndex() < 0 || ui->cboPosicion->currentIndex() < 0)
        return;
    const int op = ui->cboOperacion->currentData().toInt();
    int row = -1;
    for (int r = 1; r < ui->vsLineas->Rows(); ++r)
        if (ui->vsLineas->TextMatrix(r, 0).toInt() == op)
            row = r;
    if (row < 0) {
        ui->vsLineas->AddItem(QString());
        row = ui->vsLineas->Rows() - 1;
    }
    const int colour = ui->cboColor->Color();
    const QStringList cells{QString::number(op), ui->cboOperacion->currentText(), ui->cboTecla->currentData().toString(),
                            ui->cboTecla->currentText(), ui->cboPosicion->currentText(), QString(),
                            ui->chkVisible->isChecked() ? QStringLiteral("X") : QString(), QString::number(colour)};
    for (int c = 0; c < cells.size(); ++c)
        ui->vsLineas->setTextMatrix(row, c, cells[c]);
    ui->vsLineas->setCellBackColor(row, 5, colour == 0 ? QColor(Qt::white) : fromSuiteColor(colour));
}

void frmParametros::cmdEliminarOP_Click()
{
    const int row = ui->vsLineas->Row();
    if (row >= 1 && row < ui->vsLineas->Rows())
        ui->vsLineas->RemoveItem(row);
}

void frmParametros::vsLineas_RowColChange(int row, int)
{
    if (row < 1 || row >= ui->vsLineas->Rows())
        return;
    ui->cboOperacion->setCurrentIndex(comboIndexOf(ui->cboOperacion, ui->vsLineas->TextMatrix(row, 0).toInt()));
    ui->cboTecla->setCurrentIndex(comboIndexOf(ui->cboTecla, ui->vsLineas->TextMatrix(row, 2).toInt()));
    ui->cboPosicion->setCurrentIndex(comboIndexOf(ui->cboPosicion, ui->vsLineas->TextMatrix(row, 4).toInt()));
    ui->cboColor->setColor(ui->vsLineas->TextMatrix(row, 7).toInt());
    ui->chkVisible->setChecked(ui->vsLineas->TextMatrix(row, 6) == QLatin1String("X"));
}

void frmParametros::cmdVisual_Click() { vistaPreliminar(0); }

void frmParametros::cmdVistaPos_Click() { vistaPreliminar(1); }

// Mode 0 shows the operation panel; mode 1 also lets the user pick the key's position.
void frmParametros::vistaPreliminar(int mode)
{
    if (ui->vsLineas->Rows() - 1 > kMaxPreviewRows) {
        frame::msgAtencion(QStringLiteral("Existen demasiadas operaciones asignadas para la previsualización."));
        return;
    }
    if (!m_preview)
        return;
    const int position = m_preview(currentValues().keys, mode, this);
    // The combo lists positions 1-30, so the clicked position is looked up by value.
    if (mode == 1 && position > 0) {
        const int index = comboIndexOf(ui->cboPosicion, position);
        if (index >= 0)
            ui->cboPosicion->setCurrentIndex(index);
    }
}

// ---- scales ----

void frmParametros::cboTipo_Enter()
{
    bool ok = false;
    const QString prefix = storedNumber(ui->txtCodigo->text(), &ok);
    if (!ok || prefix.contains(QLatin1Char('.')) || prefix.startsWith(QLatin1Char('-'))) {
        frame::msgAtencion(QStringLiteral("El código de la balanza debe ser un número entero."));
        ui->txtCodigo->setFocus();
        return;
    }
    if (prefix == QLatin1String("0")) {
        frame::msgAtencion(QStringLiteral("Indique el código de la balanza (distinto de 0)."));
        ui->txtCodigo->setFocus();
        return;
    }
    if (ui->vsBalanzas->Rows() - 1 >= kMaxScaleRows) {
        frame::msgBox(QStringLiteral("No puede definir más de 10 líneas."), QStringLiteral("¡Atención!"), MsgIcon::Exclamation);
        return;
    }
    ui->vsBalanzas->AddItem(prefix + QLatin1Char('\t') + ui->cboTipo->currentText() + QLatin1Char('\t') +
                        ui->cboTipo->currentData().toString());
    ui->txtCodigo->clear();
    ui->txtCodigo->setFocus();
}

void frmParametros::cmdEliminar_Click()
{
    const int row = ui->vsBalanzas->Row();
    if (row >= 1 && row < ui->vsBalanzas->Rows())
        ui->vsBalanzas->RemoveItem(row);
}

// ---- logos and links ----

void frmParametros::CargarLogos()
{
    ui->lblFotoCargando->show();
    const LogoFolder folder(m_programFolder);
    for (int k = 0; k < 2; ++k) {
        const QString path = folder.path(k, almacenActual());
        QPixmap pixmap;
        if (QFileInfo::exists(path) && pixmap.load(path))
            picLogo[k]->setPixmap(pixmap.scaled(picLogo[k]->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        else
            picLogo[k]->clear();
    }
    ui->lblFotoCargando->hide();
}

void frmParametros::cmdFotoExaminar_Click(int k)
{
    const QString file = frame::Services::files().openFile(this, QStringLiteral("Logotipo"), QString(),
                                                          QStringLiteral("Fichero de Imagen (*.bmp)"));
    if (file.isEmpty())
        return;
    auto* crearMX = qobject_cast<QCheckBox*>(m_catalogue.control(509));
    if (!frame::guarded(this, QStringLiteral("LogoFolder"), [&] {
            LogoFolder(m_programFolder).install(k, almacenActual(), file, crearMX && crearMX->isChecked());
        }))
        return;
    CargarLogos();
}

void frmParametros::cmdFotoBorrar_Click(int k)
{
    if (!frame::guarded(this, QStringLiteral("LogoFolder"), [&] { LogoFolder(m_programFolder).remove(k, almacenActual()); }))
        return;
    picLogo[k]->clear();
}

void frmParametros::cmdExaminar_Vinculo_Click(int i)
{
    const QString file = frame::Services::files().openFile(this, QStringLiteral("Vínculo"), QString(),
                                                          QStringLiteral("Todos los archivos (*.*)"));
    if (file.isEmpty())
        return;
    for (auto* t : findChildren<ctlTextBox*>(QStringLiteral("txtUbicacion_Vinculo")))
        if (t->property("index").toInt() == i)
            t->setText(file);
}

} // namespace zqvr::parameters
