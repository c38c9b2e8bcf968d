#pragma once
// The floor-plan drawing surface (graSalon): one page of nodes on a white
// sheet with a light grey grid, nodes that are selected, moved, resized and
// deleted with the mouse, zoom with Ctrl and the wheel or Ctrl + / Ctrl - /
// Ctrl 0, and palette elements dropped onto it. The page is read and
// written as FlowGraphPage (FlowGraphDocument.h).
#include "salons_export.h"
#include "salons/FlowGraphDocument.h"

#include <QGraphicsView>
#include <QList>
#include <QPixmap>

namespace zqvr::salons {

class FlowNodeItem;

// The drag of a palette element carries this type (the element's key as data).
ZQVR_SALONS_EXPORT extern const char* const PaletteMimeType;

class ZQVR_SALONS_EXPORT FlowGraphView : public QGraphicsView {
    Q_OBJECT
public:
    explicit FlowGraphView(QWidget* parent = nullptr);

    // The element pictures "<folder>/Imagen/CFG_SL_1.png" ... "_6.png", in
    // order, after emptying the list; returns the files that could not be read.
    QStringList LoadImages(const QString& folder);
    // Picture of an index; a null pixmap when there is none.
    QPixmap picture(int index) const;
    int pictureCount() const { return m_pictures.size(); }

    // Creates an empty page and makes it the active one (false: no active page).
    void newPage(const QString& caption = QString());
    bool hasActivePage() const { return m_hasPage; }
    void clearActivePage() { m_hasPage = false; clearNodes(); }

    void loadPage(const FlowGraphPage& page);
    FlowGraphPage page() const;

    // Adds a node to the active page; nullptr when there is none.
    FlowNodeItem* addNode(const FlowNode& node);
    void removeNode(FlowNodeItem* item);
    QList<FlowNodeItem*> nodes() const;
    // The first selected node, or nullptr.
    FlowNodeItem* selectedNode() const;

    int gridSize() const { return m_grid; }
    void setGridSize(int px) { m_grid = std::max(1, px); viewport()->update(); }
    bool snapToGrid() const { return m_snap; }
    void setSnapToGrid(bool on) { m_snap = on; }
    QPointF snap(const QPointF& p) const;
    double snap(double v) const;

    double zoom() const { return m_zoom; }
    void setZoom(double factor);

Q_SIGNALS:
    // The node selection changed; node is the first selected node or nullptr.
    void NodeSelectionChanged(zqvr::salons::FlowNodeItem* node);
    // A palette element was dropped at this point of the page (grid-snapped).
    void ElementDropped(const QPointF& pagePoint);

protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    void showEvent(QShowEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void clearNodes();
    void growSceneRect();

    QGraphicsScene* m_scene;
    QList<QPixmap> m_pictures;
    QString m_pageCaption;
    bool m_hasPage = false;
    int m_grid = 10;
    bool m_snap = true;
    double m_zoom = 1.0;
    double m_lastZ = 0;
    bool m_scrollToOrigin = true;
};

} // namespace zqvr::salons
