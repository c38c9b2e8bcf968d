#include "salons/ExplorerBar.h"

#include "frame/Wiring.h"
#include "frame/ErrorReport.h"
#include "salons/ElementCatalog.h"
#include "salons/FlowGraphView.h"
#include "salons/FlowNodeItem.h"
#include "salons/PaletteDrag.h"

#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QVBoxLayout>

namespace zqvr::salons {

namespace {
constexpr int IconSide = 32;
}

ExplorerTree::ExplorerTree(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setIconSize(QSize(IconSide, IconSide));
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void ExplorerTree::mousePressEvent(QMouseEvent* e)
{
    Q_EMIT MouseDown(e->button(), e->position().toPoint());
    QTreeWidget::mousePressEvent(e);
}

void ExplorerTree::mouseReleaseEvent(QMouseEvent* e)
{
    Q_EMIT MouseUp(e->button(), e->position().toPoint());
    QTreeWidget::mouseReleaseEvent(e);
}

void ExplorerTree::startDrag(Qt::DropActions)
{
    QTreeWidgetItem* item = currentItem();
    if (!item || !item->parent())
        return;
    auto* mime = new QMimeData;
    mime->setData(QLatin1String(PaletteMimeType), item->data(0, ExplorerBar::KeyRole).toString().toUtf8());
    QDrag drag(this);
    drag.setMimeData(mime);
    const QPixmap pix = item->icon(0).pixmap(iconSize());
    if (!pix.isNull()) {
        drag.setPixmap(pix);
        drag.setHotSpot(QPoint(pix.width() / 2, pix.height() / 2));
    }
    drag.exec(Qt::CopyAction, Qt::CopyAction);
}

ExplorerBar::ExplorerBar(QWidget* parent) : QWidget(parent), m_tree(new ExplorerTree(this))
{
    // The inner tree is named so that it never clashes with a screen's control names.
    m_tree->setObjectName(QStringLiteral("wndTreeView"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);
    frame::declareReports(this, frame::ReportNames()
                                    .under(QStringLiteral("ExplorerBar"),
                                           {QStringLiteral("wndTreeView_MouseDown"), QStringLiteral("Cargar")})
                                    .reportAs(QStringLiteral("wndTreeView_ItemClicked"), QStringLiteral("wndTreeView_Click")));
    frame::wire(m_tree, &ExplorerTree::MouseDown, this, &ExplorerBar::wndTreeView_MouseDown);
    frame::wire(m_tree, &QTreeWidget::itemClicked, this, &ExplorerBar::wndTreeView_Click);
}

QIcon ExplorerBar::elementIcon(int tipo, const QString& xaml) const
{
    QPixmap pix(IconSide, IconSide);
    pix.fill(Qt::transparent);
    if (tipo >= FirstPictureType && tipo <= LastPictureType) {
        const QPixmap file(elementPicturePath(m_pictureFolder, tipo - FirstPictureType));
        if (!file.isNull())
            return QIcon(file);
    }
    if (xaml.isEmpty())
        return QIcon();
    // A miniature of the element's drawing.
    FlowNode n;
    n.markup = xaml;
    const QSizeF size = markupSize(xaml);
    n.width = size.width();
    n.height = size.height();
    FlowNodeItem item(n, nullptr);
    QPainter p(&pix);
    const double scale = (IconSide - 2) / std::max(n.width, n.height);
    p.translate((IconSide - n.width * scale) / 2, (IconSide - n.height * scale) / 2);
    p.scale(scale, scale);
    QStyleOptionGraphicsItem option;
    item.paint(&p, &option, nullptr);
    p.end();
    return QIcon(pix);
}

void ExplorerBar::Cargar()
{
    frame::guarded(this, QStringLiteral("Cargar"), [&] {
        PaletteDrag::shared().clear();
        m_tree->clear();
        if (!m_conn)
            throw Error(91, QStringLiteral("No se ha indicado la conexión con la base de datos."));
        ElementCatalog catalog(*m_conn);
        const QList<PaletteGroup> groups = catalog.Cargar();
        QFont bold = m_tree->font();
        bold.setBold(true);
        for (const PaletteGroup& g : groups) {
            auto* heading = new QTreeWidgetItem(m_tree, QStringList(g.descripcion));
            heading->setFont(0, bold);
            heading->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            for (const PaletteElement& e : g.elements) {
                auto* item = new QTreeWidgetItem(heading, QStringList(e.descripcion));
                item->setData(0, KeyRole, e.key());
                item->setData(0, RelacionRole, e.codRelacion);
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
                item->setIcon(0, elementIcon(e.tipo, g.codGrupo == MarkupGroup ? catalog.Xaml(e.tipo) : QString()));
            }
            heading->setExpanded(true);
        }
    });
}

void ExplorerBar::wndTreeView_MouseDown(Qt::MouseButton button, const QPoint& pos)
{
    QTreeWidgetItem* item = m_tree->itemAt(pos);
    if (!item || !item->parent() || !m_conn)
        return;
    // The group is found again by its heading; with two equal headings the first row wins.
    const std::optional<int> group = ElementCatalog(*m_conn).GrupoDeDescripcion(item->parent()->text(0));
    m_tree->setCurrentItem(item);
    PaletteDrag& drag = PaletteDrag::shared();
    drag.key = item->data(0, KeyRole).toString();
    drag.text = item->text(0);
    drag.group = group.value_or(0);
}

void ExplorerBar::wndTreeView_Click(QTreeWidgetItem* item, int)
{
    if (!item || !item->parent())
        return;
    PaletteDrag& drag = PaletteDrag::shared();
    drag.key = item->data(0, KeyRole).toString();
    drag.text = item->text(0);
}

} // namespace zqvr::salons
