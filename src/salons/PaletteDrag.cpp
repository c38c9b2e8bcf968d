#include "salons/PaletteDrag.h"

#include "salons/XamlMarkup.h"

#include <QDir>

namespace zqvr::salons {

PaletteDrag& PaletteDrag::shared()
{
    static PaletteDrag drag;
    return drag;
}

int elementType(const QString& key)
{
    const QString rest = key.mid(1).trimmed();
    qint64 v = 0;
    bool negative = false;
    qsizetype i = 0;
    if (i < rest.size() && (rest[i] == QLatin1Char('-') || rest[i] == QLatin1Char('+')))
        negative = rest[i++] == QLatin1Char('-');
    for (; i < rest.size() && rest[i].isDigit() && rest[i].unicode() < 128; ++i) {
        v = v * 10 + (rest[i].unicode() - '0');
        if (v > std::numeric_limits<int>::max())
            return 0;
    }
    return int(negative ? -v : v);
}

std::optional<FlowNode> nodeForDrop(const PaletteDrag& drag, const QPointF& point,
                                    const std::function<QString(int)>& xamlOf)
{
    if (!drag.active())
        return std::nullopt;
    const int type = elementType(drag.key);
    FlowNode n;
    n.left = point.x();
    n.top = point.y();
    n.tag = 1;
    n.caption = xmlSafeText(drag.text);
    if (drag.group == MarkupGroup) {
        n.shape = 0;
        n.markup = xmlSafeText(xamlOf(type));
        const QSizeF size = markupSize(n.markup);
        n.width = size.width();
        n.height = size.height();
    } else {
        n.shape = PictureShapeId;
        n.width = PictureNodeSize;
        n.height = PictureNodeSize;
        if (type >= FirstPictureType && type <= LastPictureType)
            n.imageIndex = type - FirstPictureType;
    }
    return n;
}

QString elementPicturePath(const QString& folder, int imageIndex)
{
    return QDir(folder).filePath(QStringLiteral("Imagen/CFG_SL_%1.png").arg(imageIndex + 1));
}

} // namespace zqvr::salons
