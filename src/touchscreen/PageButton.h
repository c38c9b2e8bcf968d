#pragma once
// A group button or article key of the layout editor: a click selects it;
// pressing the left button and moving drags it, and releasing drops it
// wherever the pointer is (the editor decides what lies there).
#include "touchscreen_export.h"

#include <QColor>
#include <QPixmap>
#include <QPoint>
#include <QPushButton>

namespace zqvr::touchscreen {

class ZQVR_TOUCHSCREEN_EXPORT PageButton : public QPushButton {
    Q_OBJECT
public:
    PageButton(const QString& arrayName, int index, QWidget* parent = nullptr);
    int index() const { return m_index; }
    bool dragging() const { return m_dragging; }

    // What the key shows: colours, picture (drawn above the caption) and caption.
    void setFace(const QColor& back, const QColor& fore, const QPixmap& picture, const QString& caption);
    QColor backColor() const { return m_back; }
    QColor foreColor() const { return m_fore; }
    QPixmap picture() const { return m_picture; }

Q_SIGNALS:
    void Selected(int index);
    void DragOver(int index, const QPoint& globalPos);
    void Dropped(int index, const QPoint& globalPos);
    void DragCancelled(int index);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    int m_index;
    bool m_maybeDrag = false;
    bool m_dragging = false;
    QPoint m_pressPos;
    QColor m_back;
    QColor m_fore;
    QPixmap m_picture;
};

} // namespace zqvr::touchscreen
