#include "salons/FlowNodeItem.h"

#include "salons/FlowGraphView.h"

#include <QCursor>
#include <QFontMetricsF>
#include <QGraphicsSceneHoverEvent>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

namespace zqvr::salons {

namespace {
constexpr double HandleSize = 8;
constexpr double MinSide = 8;
constexpr double LabelHeight = 16;
const QColor SelectionColour(0, 120, 215);
} // namespace

FlowNodeItem::FlowNodeItem(const FlowNode& node, FlowGraphView* surface) : m_node(node), m_surface(surface)
{
    setFlags(ItemIsSelectable | ItemIsMovable | ItemSendsGeometryChanges);
    setAcceptHoverEvents(true);
    setPos(node.left, node.top);
    if (!m_node.isPicture())
        m_look = parseXaml(m_node.markup);
}

FlowNode FlowNodeItem::node() const
{
    FlowNode n = m_node;
    n.left = pos().x();
    n.top = pos().y();
    return n;
}

void FlowNodeItem::setCaption(const QString& caption)
{
    m_node.caption = xmlSafeText(caption);
    update();
}

void FlowNodeItem::setImageIndex(int index)
{
    m_node.imageIndex = index;
    update();
}

void FlowNodeItem::setMarkup(const QString& markup)
{
    m_node.markup = xmlSafeText(markup);
    m_look = parseXaml(m_node.markup);
    update();
}

void FlowNodeItem::setSize(const QSizeF& size)
{
    prepareGeometryChange();
    m_node.width = std::clamp(size.width(), MinSide, 10000.0);
    m_node.height = std::clamp(size.height(), MinSide, 10000.0);
    update();
}

bool FlowNodeItem::pictureMissing() const
{
    return m_node.isPicture() && m_surface->picture(m_node.imageIndex).isNull();
}

QRectF FlowNodeItem::boundingRect() const
{
    // Room for the label under a picture and for the selection outline.
    const double below = m_node.isPicture() ? LabelHeight : 0;
    return QRectF(-2, -2, m_node.width + 4, m_node.height + below + 4);
}

QPainterPath FlowNodeItem::shape() const
{
    QPainterPath p;
    p.addRect(QRectF(0, 0, m_node.width, m_node.height + (m_node.isPicture() ? LabelHeight : 0)));
    return p;
}

QRectF FlowNodeItem::handleRect() const
{
    return QRectF(m_node.width - HandleSize / 2, m_node.height - HandleSize / 2, HandleSize, HandleSize);
}

void FlowNodeItem::paint(QPainter* p, const QStyleOptionGraphicsItem*, QWidget*)
{
    const QRectF r(0, 0, m_node.width, m_node.height);
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    if (m_node.isPicture())
        paintPicture(p, r);
    else
        paintMarkup(p, r);
    if (isSelected()) {
        p->setBrush(Qt::NoBrush);
        p->setPen(QPen(SelectionColour, 1, Qt::DashLine));
        p->drawRect(r.adjusted(-1, -1, 1, 1));
        p->setPen(QPen(SelectionColour, 1));
        p->setBrush(Qt::white);
        p->drawRect(handleRect());
    }
    p->restore();
}

void FlowNodeItem::paintMarkup(QPainter* p, const QRectF& r)
{
    if (!m_look.valid) {
        // No drawing: a plain outline with the label, so the node can still be found and handled.
        p->setPen(QPen(QColor(150, 150, 150), 1, Qt::DashLine));
        p->setBrush(QColor(250, 250, 250));
        p->drawRect(r);
        paintLabel(p, r, m_node.caption, QFont(), Qt::black);
        return;
    }
    const double t = m_look.borderBrush.isValid() ? m_look.borderThickness : 0;
    const QRectF box = r.adjusted(t / 2, t / 2, -t / 2, -t / 2);
    const double radius = std::min({m_look.cornerRadius, box.width() / 2, box.height() / 2});
    p->setBrush(m_look.background.isValid() ? QBrush(m_look.background) : QBrush(Qt::NoBrush));
    p->setPen(t > 0 ? QPen(m_look.borderBrush, t) : QPen(Qt::NoPen));
    p->drawRoundedRect(box, radius, radius);
    QFont font;
    font.setPixelSize(int(std::max(6.0, m_look.fontSize)));
    font.setBold(m_look.bold);
    const QString text = m_look.hasTextBlock ? m_look.text : m_node.caption;
    paintLabel(p, box, text, font, m_look.hasTextBlock ? m_look.foreground : QColor(Qt::black));
}

void FlowNodeItem::paintPicture(QPainter* p, const QRectF& r)
{
    const QPixmap pix = m_surface->picture(m_node.imageIndex);
    if (!pix.isNull()) {
        const QSizeF s = QSizeF(pix.size()).scaled(r.size(), Qt::KeepAspectRatio);
        p->drawPixmap(QRectF(r.center() - QPointF(s.width() / 2, s.height() / 2), s), pix, pix.rect());
    } else {
        p->setPen(QPen(QColor(200, 80, 80), 1, Qt::DashLine));
        p->setBrush(QColor(255, 245, 245));
        p->drawRect(r);
        QFont f;
        f.setPixelSize(int(std::min(r.height(), r.width()) / 2));
        paintLabel(p, r, QStringLiteral("?"), f, QColor(200, 80, 80));
    }
    QFont small;
    small.setPixelSize(11);
    paintLabel(p, QRectF(r.left() - 20, r.bottom(), r.width() + 40, LabelHeight), m_node.caption, small, Qt::black);
}

void FlowNodeItem::paintLabel(QPainter* p, const QRectF& r, const QString& text, const QFont& font, const QColor& colour)
{
    if (text.isEmpty())
        return;
    p->setFont(font);
    p->setPen(colour);
    const QFontMetricsF fm(font);
    // Long labels are shortened on the drawing; the node keeps the whole text.
    QString shown = text;
    shown.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\t'), QLatin1Char(' '));
    shown = fm.elidedText(shown, Qt::ElideRight, r.width() - 4);
    p->drawText(r, Qt::AlignCenter | Qt::TextSingleLine, shown);
}

QVariant FlowNodeItem::itemChange(GraphicsItemChange change, const QVariant& value)
{
    if (change == ItemPositionChange && m_surface)
        return m_surface->snap(value.toPointF());
    return QGraphicsObject::itemChange(change, value);
}

void FlowNodeItem::mousePressEvent(QGraphicsSceneMouseEvent* e)
{
    if (isSelected() && e->button() == Qt::LeftButton && handleRect().adjusted(-2, -2, 2, 2).contains(e->pos())) {
        m_resizing = true;
        e->accept();
        return;
    }
    QGraphicsObject::mousePressEvent(e);
}

void FlowNodeItem::mouseMoveEvent(QGraphicsSceneMouseEvent* e)
{
    if (m_resizing) {
        const QPointF corner = m_surface ? QPointF(m_surface->snap(e->pos().x()), m_surface->snap(e->pos().y())) : e->pos();
        setSize(QSizeF(corner.x(), corner.y()));
        return;
    }
    QGraphicsObject::mouseMoveEvent(e);
}

void FlowNodeItem::mouseReleaseEvent(QGraphicsSceneMouseEvent* e)
{
    if (m_resizing) {
        m_resizing = false;
        return;
    }
    QGraphicsObject::mouseReleaseEvent(e);
}

void FlowNodeItem::hoverMoveEvent(QGraphicsSceneHoverEvent* e)
{
    const bool onHandle = isSelected() && handleRect().adjusted(-2, -2, 2, 2).contains(e->pos());
    setCursor(onHandle ? Qt::SizeFDiagCursor : Qt::SizeAllCursor);
    QGraphicsObject::hoverMoveEvent(e);
}

} // namespace zqvr::salons
