#include "messages/ColourCombo.h"

#include "frame/Services.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace zqvr::messages {

namespace {
constexpr int OtherColourData = -1;

QIcon swatch(const QColor& c)
{
    QPixmap pm(28, 14);
    pm.fill(c);
    QPainter p(&pm);
    p.setPen(Qt::gray);
    p.drawRect(0, 0, pm.width() - 1, pm.height() - 1);
    return QIcon(pm);
}
} // namespace

int toColourNumber(const QColor& c)
{
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

QColor fromColourNumber(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

ColourCombo::ColourCombo(QWidget* parent) : QComboBox(parent)
{
    setIconSize(QSize(28, 14));
    const std::pair<QColor, const char*> usual[] = {
        {QColor(255, 255, 255), "Blanco"},        {QColor(240, 240, 240), "Gris claro"},
        {QColor(192, 192, 192), "Gris"},          {QColor(255, 255, 200), "Amarillo claro"},
        {QColor(255, 255, 0), "Amarillo"},        {QColor(255, 230, 230), "Rosa"},
        {QColor(255, 192, 128), "Naranja"},       {QColor(255, 0, 0), "Rojo"},
        {QColor(192, 0, 0), "Rojo oscuro"},       {QColor(230, 255, 230), "Verde claro"},
        {QColor(0, 192, 0), "Verde"},             {QColor(220, 235, 255), "Azul claro"},
        {QColor(0, 128, 255), "Azul"},            {QColor(0, 0, 128), "Azul marino"},
        {QColor(128, 0, 128), "Morado"},          {QColor(0, 0, 0), "Negro"}};
    for (const auto& [c, name] : usual)
        addColour(toColourNumber(c), QString::fromUtf8(name));
    addItem(QStringLiteral("Otro color..."), OtherColourData);
    m_current = itemData(0).toInt();
    connect(this, &QComboBox::activated, this, &ColourCombo::onActivated);
}

int ColourCombo::colourNumber() const { return m_current; }

int ColourCombo::indexOfColour(int value) const
{
    for (int i = 0; i < count(); ++i)
        if (itemData(i).toInt() == value && itemData(i).toInt() != OtherColourData)
            return i;
    return -1;
}

int ColourCombo::addColour(int value, const QString& name)
{
    const int at = count() > 0 && itemData(count() - 1).toInt() == OtherColourData ? count() - 1 : count();
    insertItem(at, swatch(fromColourNumber(value)), name, value);
    return at;
}

void ColourCombo::setColourNumber(int value)
{
    value &= 0xFFFFFF;
    int i = indexOfColour(value);
    if (i < 0) {
        const QColor c = fromColourNumber(value);
        i = addColour(value, QStringLiteral("RGB(%1, %2, %3)").arg(c.red()).arg(c.green()).arg(c.blue()));
    }
    setCurrentIndex(i);
    if (m_current != value) {
        m_current = value;
        Q_EMIT colourChanged(value);
    }
}

void ColourCombo::onActivated(int index)
{
    if (itemData(index).toInt() != OtherColourData) {
        setColourNumber(itemData(index).toInt());
        return;
    }
    QColorDialog dialog(colour(), this);
    dialog.setObjectName(QStringLiteral("dlgColor"));
    dialog.setWindowTitle(QStringLiteral("Color de Fondo"));
    const int previous = m_current;
    if (frame::runModal(dialog) == frame::DialogResult::Accepted && dialog.selectedColor().isValid())
        setColourNumber(toColourNumber(dialog.selectedColor()));
    else
        setCurrentIndex(indexOfColour(previous));
}

} // namespace zqvr::messages
