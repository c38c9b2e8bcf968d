#include "touchscreen/PageButton.h"

#include "controls/ControlArray.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace zqvr::touchscreen {

PageButton::PageButton(const QString& arrayName, int index, QWidget* parent) : QPushButton(parent), m_index(index)
{
    controls::setArrayIndex(this, arrayName, index);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QPushButton::clicked, this, [this] { Q_EMIT Selected(m_index); });
}

void PageButton::setFace(const QColor& back, const QColor& fore, const QPixmap& picture, const QString& caption)
{
    m_back = back;
    m_fore = fore;
    m_picture = picture;
    setText(caption);
    update();
}

// Drawn like the terminal's key: the colour fills it, the picture sits on
// top and the caption wraps below it (or fills the key when there is no picture).
void PageButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, m_back.isValid() ? m_back : palette().button().color());
    const bool sunken = isDown();
    p.setPen(sunken ? QColor(90, 90, 90) : QColor(255, 255, 255));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(sunken ? QColor(255, 255, 255) : QColor(110, 110, 110));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());

    QRect textArea = r.adjusted(3, 3, -3, -3);
    if (!m_picture.isNull()) {
        const int textHeight = text().isEmpty() ? 0 : fontMetrics().height() + 2;
        const QRect picArea = r.adjusted(4, 4, -4, -4 - textHeight);
        const QPixmap scaled = m_picture.scaled(picArea.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        p.drawPixmap(picArea.x() + (picArea.width() - scaled.width()) / 2,
                     picArea.y() + (picArea.height() - scaled.height()) / 2, scaled);
        textArea = QRect(r.left() + 2, r.bottom() - textHeight - 1, r.width() - 4, textHeight);
    }
    p.setPen(isEnabled() ? m_fore : QColor(120, 120, 120));
    p.setFont(font());
    if (m_picture.isNull())
        p.drawText(textArea, Qt::AlignCenter | Qt::TextWordWrap, text());
    else // one line under the picture
        p.drawText(textArea, Qt::AlignCenter, fontMetrics().elidedText(text(), Qt::ElideRight, textArea.width()));
    if (hasFocus()) {
        p.setPen(QPen(palette().highlight().color(), 1, Qt::DotLine));
        p.drawRect(r.adjusted(2, 2, -3, -3));
    }
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
