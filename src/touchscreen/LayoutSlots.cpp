#include "touchscreen/LayoutSlots.h"

namespace zqvr::touchscreen {

namespace {
// A stored button that would show nothing at all still has to be findable on the page.
QString withEmptyMark(bool stored, qint32 backColor, const QByteArray& imagen, const QString& caption)
{
    if (stored && backColor == DefaultButtonColor && imagen.isEmpty() && caption.trimmed().isEmpty())
        return EmptyCaption;
    return caption;
}
} // namespace

QString GroupSlot::caption() const
{
    return withEmptyMark(stored(), backColor, imagen, tipoTexto == 1 ? QString() : texto);
}

QString KeySlot::caption() const
{
    return withEmptyMark(stored(), backColor, imagen, tipoTexto == 2 ? QString() : shownText());
}

} // namespace zqvr::touchscreen
