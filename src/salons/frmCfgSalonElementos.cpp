#include "salons/frmCfgSalonElementos.h"

#include "ui_frmCfgSalonElementos.h"

#include "db/Connection.h"
#include "frame/ErrorReport.h"
#include "frame/KeyBinding.h"
#include "frame/Wiring.h"
#include "frame/HostContext.h"
#include "frame/Services.h"
#include "host/Empresa.h"
#include "salons/DocXml.h"
#include "salons/ElementCatalog.h"
#include "salons/FlowGraphDocument.h"
#include "salons/FlowNodeItem.h"
#include "salons/PaletteDrag.h"
#include "salons/SalonStore.h"
#include "salons/XamlMarkup.h"

#include <QApplication>
#include <QDir>
#include <QSet>

namespace zqvr::salons {

namespace {
const QString Atencion = QStringLiteral("¡ Atención !");
}

frmCfgSalonElementos::frmCfgSalonElementos(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::frmCfgSalonElementos>())
{
    ui->setupUi(this);
    setModal(true);
    ui->splitter->setStretchFactor(1, 1);
    ui->splitter->setSizes({220, 780});
    // The surface's events report by the system's event names.
    frame::declareReports(this, frame::ReportNames()
                                    .under(QStringLiteral("frmCfgSalonElementos"),
                                           {QStringLiteral("cmdAceptar_Click"), QStringLiteral("Form_Load"),
                                            QStringLiteral("AddCustomFlowGraphShape"), QStringLiteral("graSalon_DragDrop")})
                                    .reportAs(QStringLiteral("graSalon_ElementDropped"), QStringLiteral("graSalon_DragDrop"))
                                    .reportAs(QStringLiteral("graSalon_NodeSelectionChanged"),
                                              QStringLiteral("graSalon_SelChange")));
    frame::wire(ui->graSalon, &FlowGraphView::ElementDropped, this, &frmCfgSalonElementos::graSalon_DragDrop);
    frame::wire(ui->graSalon, &FlowGraphView::NodeSelectionChanged, this, &frmCfgSalonElementos::graSalon_SelChange);
    frame::wire(ui->cmdRenombrar, &QPushButton::clicked, this, &frmCfgSalonElementos::cmdRenombrar_Click);
    frame::wire(ui->cmdEliminarNodo, &QPushButton::clicked, this, &frmCfgSalonElementos::cmdEliminarNodo_Click);
    frame::wire(ui->cmdAceptar, &QPushButton::clicked, this, &frmCfgSalonElementos::cmdAceptar_Click);
    frame::wire(ui->cmdCancelar, &QPushButton::clicked, this, &frmCfgSalonElementos::cmdCancelar_Click);
    frame::bindAcceptCancelKeys(this, ui->cmdAceptar, ui->cmdCancelar);
    // Enter in the label field applies it.
    frame::wire(ui->txtRenombrar, &controls::ctlTextBox::KeyPress, this, &frmCfgSalonElementos::txtRenombrar_KeyPress);
}

frmCfgSalonElementos::~frmCfgSalonElementos() = default;

FlowGraphView* frmCfgSalonElementos::surface() const { return ui->graSalon; }
ExplorerBar* frmCfgSalonElementos::palette() const { return ui->Arbol; }

void frmCfgSalonElementos::showEvent(QShowEvent* e)
{
    if (!m_loaded)
        Form_Load();
    Dialog::showEvent(e);
}

bool frmCfgSalonElementos::Form_Load()
{
    m_loaded = true;
    return frame::guarded(this, QStringLiteral("Form_Load"), [&] {
        db::Connection& conn = frame::conn();
        host::Empresa& empresa = frame::empresa();
        ui->Arbol->setConexion(&conn);
        ui->Arbol->setEmpresa(&empresa);
        ui->Arbol->setPictureFolder(empresa.RutaAplicacion());
        ui->Arbol->Cargar();

        const QStringList missing = ui->graSalon->LoadImages(empresa.RutaAplicacion());
        ui->graSalon->newPage();

        const FlowGraphLoad loaded = loadFlowGraph(decodeDocXml(m_docXml));
        if (loaded.valid)
            ui->graSalon->loadPage(loaded.page);
        QStringList problems = loaded.problems;
        if (!loaded.valid && !problems.isEmpty())
            problems << QStringLiteral("Se abre una página vacía; si acepta, el plano guardado se sustituirá por el nuevo.");
        // Pictures the plan uses but that are not installed.
        QSet<int> absent;
        for (const FlowNode& n : loaded.page.nodes)
            if (n.isPicture() && ui->graSalon->picture(n.imageIndex).isNull())
                absent.insert(n.imageIndex);
        if (!absent.isEmpty()) {
            QList<int> idx(absent.begin(), absent.end());
            std::sort(idx.begin(), idx.end());
            QStringList files;
            for (int i : idx)
                files << (i >= 0 && i < ui->graSalon->pictureCount()
                              ? QDir::toNativeSeparators(elementPicturePath(empresa.RutaAplicacion(), i))
                              : QStringLiteral("imagen %1").arg(i));
            problems << QStringLiteral("No se encuentran las imágenes de algunos elementos; se dibujan con una interrogación:\n%1")
                            .arg(files.join(QLatin1Char('\n')));
        }
        Q_UNUSED(missing);
        // Drawn elements whose markup cannot be read.
        int unreadable = 0;
        for (FlowNodeItem* item : ui->graSalon->nodes())
            if (!item->isPictureNode() && !item->markup().isEmpty() && !item->look().valid)
                ++unreadable;
        if (unreadable > 0)
            problems << QStringLiteral("%1 elemento(s) tienen un dibujo que no se puede leer; se muestran como un recuadro con su etiqueta.")
                            .arg(unreadable);
        if (!problems.isEmpty())
            frame::msgAtencion(problems.join(QStringLiteral("\n")));
    });
}

FlowNodeItem* frmCfgSalonElementos::AddCustomFlowGraphShape(int nResShapeID, double left, double top, double width,
                                                           double height)
{
    FlowNodeItem* item = nullptr;
    frame::guarded(this, QStringLiteral("AddCustomFlowGraphShape"), [&] {
        FlowNode n;
        n.shape = nResShapeID;
        n.left = left;
        n.top = top;
        n.width = width;
        n.height = height;
        item = ui->graSalon->addNode(n);
    });
    return item;
}

void frmCfgSalonElementos::graSalon_DragDrop(const QPointF& point)
{
    // The drag's own pointer ends with the drag; no pointer of ours is set
    // here, so none is restored (that would undo the pointer of whoever set one).
    PaletteDrag& drag = PaletteDrag::shared();
    frame::guarded(this, QStringLiteral("graSalon_DragDrop"), [&] {
        if (!drag.active() || !ui->graSalon->hasActivePage())
            return;
        ElementCatalog catalog(frame::conn());
        const std::optional<FlowNode> node = nodeForDrop(drag, point, [&](int type) { return catalog.Xaml(type); });
        if (!node)
            return;
        FlowNodeItem* item = nullptr;
        if (node->isPicture()) {
            item = AddCustomFlowGraphShape(PictureShapeId, node->left, node->top, node->width, node->height);
            if (item) {
                item->setImageIndex(node->imageIndex);
                item->setCaption(node->caption);
                item->setSize(QSizeF(PictureNodeSize, PictureNodeSize));
            }
        } else {
            item = ui->graSalon->addNode(*node);
        }
        if (item) {
            ui->graSalon->scene()->clearSelection();
            item->setSelected(true);
        }
    });
    drag.key.clear();
}

void frmCfgSalonElementos::graSalon_SelChange(FlowNodeItem* node)
{
    if (!node)
        return;
    m_selected = node;
    ui->txtRenombrar->setText(node->caption());
    ui->txtRenombrar->setFocus();
    ui->txtRenombrar->selectAll();
}

void frmCfgSalonElementos::txtRenombrar_KeyPress(int& keyAscii)
{
    if (keyAscii == 13) {
        keyAscii = 0;
        cmdRenombrar_Click();
    }
}

// Reached from the button and from Enter in the label field: reports under its own name either way.
void frmCfgSalonElementos::cmdRenombrar_Click()
{
    frame::guarded(this, QStringLiteral("cmdRenombrar_Click"), [&] {
        const QString text = ui->txtRenombrar->text();
        if (text.isEmpty()) {
            frame::msgBox(QStringLiteral("Debe elegir una etiqueta para el nodo."), Atencion, frame::MsgIcon::Information);
            return;
        }
        FlowNodeItem* node = m_selected.data();
        if (!node)
            return;
        node->setCaption(text);
        if (node->imageIndex() == -1 && !node->isPictureNode()) {
            if (node->markup().isEmpty())
                return;
            const XamlRename r = setXamlText(node->markup(), text);
            if (r.changed)
                node->setMarkup(r.markup);
            else
                frame::msgAtencion(QStringLiteral("Se ha cambiado la etiqueta del elemento, pero no el texto de su dibujo. ") +
                                   r.problem);
        }
    });
}

void frmCfgSalonElementos::cmdEliminarNodo_Click()
{
    FlowNodeItem* node = m_selected.data();
    if (!node)
        return;
    m_selected.clear();
    ui->graSalon->removeNode(node);
    ui->txtRenombrar->clear();
}

void frmCfgSalonElementos::cmdAceptar_Click()
{
    const QString xml = saveFlowGraph(ui->graSalon->page());
    SalonStore store(frame::conn(), frame::empresa().CodigoEmpresa());
    store.GuardarPlano(m_codSalon, xml);
    m_docXml = encodeDocXml(xml);
    accept();
}

void frmCfgSalonElementos::cmdCancelar_Click()
{
    m_codSalon = 0;
    m_docXml.clear();
    QDialog::reject();
}

void frmCfgSalonElementos::reject()
{
    // Esc and the window's close box cancel like the button.
    cmdCancelar_Click();
}

} // namespace zqvr::salons
