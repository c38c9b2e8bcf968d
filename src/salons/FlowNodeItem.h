#pragma once
// One node of the floor plan on the drawing surface: a drawn element painted
// from its XAML markup (Border and TextBlock) or a picture element painted
// from the surface's element pictures, with its label. Selected nodes show a
// handle at the lower right corner that resizes them; moves and resizes
// snap to the surface's grid.
#include "salons_export.h"
#include "salons/FlowGraphDocument.h"
#include "salons/XamlMarkup.h"

#include <QGraphicsObject>
#include <QPixmap>

namespace zqvr::salons {

class FlowGraphView;

class ZQVR_SALONS_EXPORT FlowNodeItem : public QGraphicsObject {
    Q_OBJECT
public:
    FlowNodeItem(const FlowNode& node, FlowGraphView* surface);

    // The node as it is now (position and size included).
    FlowNode node() const;

    QString caption() const { return m_node.caption; }
    void setCaption(const QString& caption);
    int imageIndex() const { return m_node.imageIndex; }
    void setImageIndex(int index);
    QString markup() const { return m_node.markup; }
    void setMarkup(const QString& markup);
    QSizeF size() const { return {m_node.width, m_node.height}; }
    void setSize(const QSizeF& size);
    const XamlLook& look() const { return m_look; }

    // Whether a picture node's picture is missing from the surface's pictures.
    bool pictureMissing() const;
    bool isPictureNode() const { return m_node.isPicture(); }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override;
    void mousePressEvent(QGraphicsSceneMouseEvent* e) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* e) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* e) override;
    void hoverMoveEvent(QGraphicsSceneHoverEvent* e) override;

private:
    QRectF handleRect() const;
    void paintMarkup(QPainter* p, const QRectF& r);
    void paintPicture(QPainter* p, const QRectF& r);
    void paintLabel(QPainter* p, const QRectF& r, const QString& text, const QFont& font, const QColor& colour);

    FlowNode m_node;
    XamlLook m_look;
    FlowGraphView* m_surface;
    bool m_resizing = false;
};

} // namespace zqvr::salons
