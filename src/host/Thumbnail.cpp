#include "host/Thumbnail.h"

#include "db/Error.h"
#include "db/Picture.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <cmath>

namespace zqvr::host {

namespace {
const QString Source = QStringLiteral("modComun::SalvarImagenes");
} // namespace

QSize thumbnailSize(const QSize& original)
{
    const int w = original.width();
    const int h = original.height();
    if (w <= 0 || h <= 0 || (w <= 60 && h <= 60))
        return original;
    const double r = static_cast<double>(w) / h;
    if (w > h)
        return QSize(60, std::max(1L, std::lround(60.0 / r)));
    return QSize(std::max(1L, std::lround(60.0 * r)), 60);
}

QByteArray thumbnailBytes(const QString& sourcePath)
{
    if (sourcePath.isEmpty() || !QFileInfo(sourcePath).isFile())
        throw Error(53, QStringLiteral("No se encuentra el fichero \"%1\".").arg(sourcePath), Source);
    QImage img(sourcePath);
    if (img.isNull())
        throw Error(481, QStringLiteral("La imagen \"%1\" no es válida.").arg(sourcePath), Source);
    const QSize target = thumbnailSize(img.size());
    if (target != img.size())
        img = img.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!img.save(&buffer, "PNG") || bytes.isEmpty())
        throw Error(481, QStringLiteral("No se pudo convertir la imagen \"%1\".").arg(sourcePath), Source);
    return bytes;
}

QByteArray SalvarImagenes(db::Connection& conn, const QString& sourcePath, const QString& selectSql)
{
    const QByteArray bytes = thumbnailBytes(sourcePath);
    db::storePicture(conn, selectSql, bytes);
    return bytes;
}

} // namespace zqvr::host
