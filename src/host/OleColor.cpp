#include "host/OleColor.h"

namespace zqvr::host {

QColor fromOleColor(qint64 value)
{
    const auto v = static_cast<quint32>(value & 0xFFFFFF);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

int toOleColor(const QColor& color)
{
    const QColor c = color.toRgb();
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

} // namespace zqvr::host
