#include "parameters/ColorButton.h"

#include "frame/Services.h"

#include <QColorDialog>

namespace zqvr::parameters {

QColor fromSuiteColor(int rgb) { return QColor(rgb & 0xff, (rgb >> 8) & 0xff, (rgb >> 16) & 0xff); }
int toSuiteColor(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

ColorButton::ColorButton(QWidget* parent) : QToolButton(parent)
{
    setMinimumWidth(80);
    setColor(0);
    connect(this, &QToolButton::clicked, this, &ColorButton::choose);
}

void ColorButton::setColor(int rgb)
{
    m_color = rgb & 0xffffff;
    const QColor c = m_color == 0 ? QColor(Qt::white) : fromSuiteColor(m_color);
    setStyleSheet(QStringLiteral("QToolButton { background-color: %1; border: 1px solid gray; }").arg(c.name()));
}

void ColorButton::choose()
{
    QColorDialog dialog(m_color == 0 ? QColor(Qt::white) : fromSuiteColor(m_color), this);
    dialog.setObjectName(QStringLiteral("dlgColor"));
    if (frame::runModal(dialog) == frame::DialogResult::Accepted)
        setColor(toSuiteColor(dialog.selectedColor()));
}

} // namespace zqvr::parameters
