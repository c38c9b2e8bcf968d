#include "salons/FlowGraphView.h"

#include "salons/FlowNodeItem.h"
#include "salons/PaletteDrag.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QImageReader>
#include <QKeyEvent>
#include <QScrollBar>
#include <QMimeData>
#include <QWheelEvent>
#include <cmath>

namespace zqvr::salons {

const char* const PaletteMimeType = "application/x-zqvr-salon-element";

namespace {
constexpr int PictureCount = 6;
const QColor PageColour(255, 255, 255);
const QColor GridColour(240, 240, 240);
constexpr double PageMargin = 400;
} // namespace

FlowGraphView::FlowGraphView(QWidget* parent) : QGraphicsView(parent), m_scene(new QGraphicsScene(this))
{
    setScene(m_scene);
    setAcceptDrops(true);
    // Drops arrive at the viewport, which has to take them itself.
    viewport()->setAcceptDrops(true);
    setDragMode(QGraphicsView::RubberBandDrag);
    setRenderHint(QPainter::Antialiasing);
    setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setBackgroundBrush(PageColour);
    m_scene->setSceneRect(0, 0, 1600, 1200);
    connect(m_scene, &QGraphicsScene::selectionChanged, this, [this] { Q_EMIT NodeSelectionChanged(selectedNode()); });
    connect(m_scene, &QGraphicsScene::changed, this, [this] { growSceneRect(); });
}

QStringList FlowGraphView::LoadImages(const QString& folder)
{
    m_pictures.clear();
    QStringList missing;
    for (int i = 0; i < PictureCount; ++i) {
        const QString path = elementPicturePath(folder, i);
        QImageReader reader(path);
        const QImage img = reader.read();
        if (img.isNull())
            missing << QDir::toNativeSeparators(path);
        m_pictures << QPixmap::fromImage(img);
    }
    viewport()->update();
    return missing;
}

QPixmap FlowGraphView::picture(int index) const
{
    return index >= 0 && index < m_pictures.size() ? m_pictures[index] : QPixmap();
}

void FlowGraphView::newPage(const QString& caption)
{
    clearNodes();
    m_pageCaption = caption;
    m_hasPage = true;
    m_scrollToOrigin = true;
    if (isVisible())
        ensureVisible(QRectF(0, 0, 1, 1), 0, 0);
}

void FlowGraphView::clearNodes()
{
    m_scene->clear();
    m_lastZ = 0;
    m_scene->setSceneRect(0, 0, 1600, 1200);
}

void FlowGraphView::loadPage(const FlowGraphPage& page)
{
    newPage(page.caption);
    const bool wasSnapping = m_snap;
    m_snap = false; // stored positions are kept as they are
    for (const FlowNode& n : page.nodes)
        addNode(n);
    m_snap = wasSnapping;
    growSceneRect();
}

FlowGraphPage FlowGraphView::page() const
{
    FlowGraphPage p;
    p.caption = m_pageCaption;
    for (FlowNodeItem* item : nodes())
        p.nodes << item->node();
    return p;
}

FlowNodeItem* FlowGraphView::addNode(const FlowNode& node)
{
    if (!m_hasPage)
        return nullptr;
    auto* item = new FlowNodeItem(node, this);
    // Later nodes lie on top, in the order they are saved.
    item->setZValue(++m_lastZ);
    m_scene->addItem(item);
    return item;
}

void FlowGraphView::removeNode(FlowNodeItem* item)
{
    if (!item)
        return;
    m_scene->removeItem(item);
    delete item;
}

QList<FlowNodeItem*> FlowGraphView::nodes() const
{
    QList<FlowNodeItem*> out;
    const QList<QGraphicsItem*> all = m_scene->items(Qt::AscendingOrder);
    out.reserve(all.size());
    for (QGraphicsItem* i : all)
        if (auto* n = qobject_cast<FlowNodeItem*>(i->toGraphicsObject()))
            out << n;
    std::stable_sort(out.begin(), out.end(), [](FlowNodeItem* a, FlowNodeItem* b) { return a->zValue() < b->zValue(); });
    return out;
}

FlowNodeItem* FlowGraphView::selectedNode() const
{
    FlowNodeItem* first = nullptr;
    for (QGraphicsItem* i : m_scene->selectedItems()) {
        auto* n = qobject_cast<FlowNodeItem*>(i->toGraphicsObject());
        if (n && (!first || n->zValue() < first->zValue()))
            first = n;
    }
    return first;
}

double FlowGraphView::snap(double v) const
{
    return m_snap ? std::round(v / m_grid) * m_grid : v;
}

QPointF FlowGraphView::snap(const QPointF& p) const
{
    return {snap(p.x()), snap(p.y())};
}

void FlowGraphView::setZoom(double factor)
{
    m_zoom = std::clamp(factor, 0.1, 8.0);
    setTransform(QTransform::fromScale(m_zoom, m_zoom));
}

void FlowGraphView::growSceneRect()
{
    // The sheet always reaches a little beyond the farthest node, so there is room to drop more.
    const QRectF used = m_scene->itemsBoundingRect();
    QRectF want = m_scene->sceneRect().united(used.adjusted(0, 0, PageMargin, PageMargin));
    want.setTopLeft(QPointF(std::min(0.0, used.left()), std::min(0.0, used.top())));
    if (want != m_scene->sceneRect())
        m_scene->setSceneRect(want);
}

void FlowGraphView::drawBackground(QPainter* p, const QRectF& rect)
{
    p->fillRect(rect, PageColour);
    if (m_grid * m_zoom < 4)
        return;
    p->setPen(QPen(GridColour, 0));
    const double left = std::floor(rect.left() / m_grid) * m_grid;
    const double top = std::floor(rect.top() / m_grid) * m_grid;
    QVector<QLineF> lines;
    for (double x = left; x <= rect.right(); x += m_grid)
        lines << QLineF(x, rect.top(), x, rect.bottom());
    for (double y = top; y <= rect.bottom(); y += m_grid)
        lines << QLineF(rect.left(), y, rect.right(), y);
    p->drawLines(lines);
}

void FlowGraphView::showEvent(QShowEvent* e)
{
    QGraphicsView::showEvent(e);
    // A page opens at its top left corner, where plans start.
    if (m_scrollToOrigin) {
        m_scrollToOrigin = false;
        horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
        verticalScrollBar()->setValue(verticalScrollBar()->minimum());
    }
}

void FlowGraphView::wheelEvent(QWheelEvent* e)
{
    if (e->modifiers() & Qt::ControlModifier) {
        setZoom(m_zoom * (e->angleDelta().y() > 0 ? 1.25 : 0.8));
        e->accept();
        return;
    }
    QGraphicsView::wheelEvent(e);
}

void FlowGraphView::keyPressEvent(QKeyEvent* e)
{
    if (e->modifiers() & Qt::ControlModifier) {
        switch (e->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal: setZoom(m_zoom * 1.25); return;
        case Qt::Key_Minus: setZoom(m_zoom * 0.8); return;
        case Qt::Key_0: setZoom(1.0); return;
        default: break;
        }
    }
    QGraphicsView::keyPressEvent(e);
}

void FlowGraphView::dragEnterEvent(QDragEnterEvent* e)
{
    if (e->mimeData()->hasFormat(QLatin1String(PaletteMimeType)))
        e->acceptProposedAction();
    else
        e->ignore();
}

void FlowGraphView::dragMoveEvent(QDragMoveEvent* e)
{
    if (e->mimeData()->hasFormat(QLatin1String(PaletteMimeType)))
        e->acceptProposedAction();
    else
        e->ignore();
}

void FlowGraphView::dropEvent(QDropEvent* e)
{
    if (!e->mimeData()->hasFormat(QLatin1String(PaletteMimeType))) {
        e->ignore();
        return;
    }
    e->acceptProposedAction();
    Q_EMIT ElementDropped(snap(mapToScene(e->position().toPoint())));
}

} // namespace zqvr::salons
