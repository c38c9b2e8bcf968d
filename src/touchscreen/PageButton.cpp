#include "touchscreen/PageButton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace zqvr::touchscreen {

PageButton::PageButton(const QString& arrayName, int index, QWidget* parent) : QPushButton(parent), m_index(index)
{
    setObjectName(arrayName);
    setProperty("index", index);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QPushButton::clicked, this, [this] { Q_EMIT Selected(m_index); });
}

void PageButton::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        m_maybeDrag = true;
        m_dragging = false;
        m_pressPos = e->position().toPoint();
    }
    QPushButton::mousePressEvent(e);
}

void PageButton::mouseMoveEvent(QMouseEvent* e)
{
    if (m_maybeDrag && (e->buttons() & Qt::LeftButton)) {
        if (!m_dragging
            && (e->position().toPoint() - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
            m_dragging = true;
            setDown(false);
        }
        if (m_dragging) {
            Q_EMIT DragOver(m_index, e->globalPosition().toPoint());
            return;
        }
    }
    QPushButton::mouseMoveEvent(e);
}

void PageButton::mouseReleaseEvent(QMouseEvent* e)
{
    const bool wasDragging = m_dragging;
    m_maybeDrag = false;
    m_dragging = false;
    if (wasDragging && e->button() == Qt::LeftButton) {
        setDown(false);
        Q_EMIT Dropped(m_index, e->globalPosition().toPoint());
        return;
    }
    QPushButton::mouseReleaseEvent(e);
}

void PageButton::keyPressEvent(QKeyEvent* e)
{
    if (m_dragging && e->key() == Qt::Key_Escape) {
        m_dragging = false;
        m_maybeDrag = false;
        Q_EMIT DragCancelled(m_index);
        return;
    }
    QPushButton::keyPressEvent(e);
}

} // namespace zqvr::touchscreen
