#include "messages/ImagenMensaje.h"

#include "db/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <cmath>

namespace zqvr::messages {

QSize tamanoRedimensionado(const QSize& original)
{
    if (original.width() <= 0 || original.height() <= 0)
        return {};
    const double w = static_cast<double>(original.width()) / original.height() * AltoImagenMensaje;
    return QSize(std::max(1L, std::lround(w)), AltoImagenMensaje);
}

QString rutaRedimensionada(const QString& path)
{
    const QFileInfo fi(path);
    const QString suffix = fi.suffix();
    if (suffix.isEmpty())
        return path + QStringLiteral("_resized");
    return path.left(path.size() - suffix.size() - 1) + QStringLiteral("_resized.") + suffix;
}

QString redimensionarImagen(const QString& path)
{
    if (!QFileInfo(path).isFile())
        throw Error(53, QStringLiteral("No se encuentra el fichero \"%1\".").arg(path));
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QSize original = reader.size();
    if (!reader.canRead() || !original.isValid() || original.isEmpty())
        throw Error(481, QStringLiteral("El fichero \"%1\" no es una imagen válida.").arg(path));
    const QSize target = tamanoRedimensionado(original);
    // Readers that can decode straight at the smaller size do so, so that a
    // very large picture never has to fit in memory whole.
    reader.setScaledSize(target);
    QImage img = reader.read();
    if (img.isNull())
        throw Error(481, QStringLiteral("No se pudo leer la imagen \"%1\" (%2 x %3 píxeles): %4")
                             .arg(path)
                             .arg(original.width())
                             .arg(original.height())
                             .arg(reader.errorString()));
    if (img.size() != target)
        img = img.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    const QString out = rutaRedimensionada(path);
    QByteArray format = QFileInfo(out).suffix().toLower().toLatin1();
    if (format == "jpg")
        format = "jpeg";
    // GIF cannot be written here: such pictures are kept as PNG under the name asked for.
    if (!QImageWriter::supportedImageFormats().contains(format))
        format = "png";
    QSaveFile f(out);
    if (!f.open(QIODevice::WriteOnly) || !img.save(&f, format.constData()) || !f.commit())
        throw Error(75, QStringLiteral("No se pudo guardar la imagen redimensionada en \"%1\".").arg(out));
    return out;
}

QString rutaImagenTemporal(const QString& rutaAplicacion, const QString& name)
{
    const QString dir = (rutaAplicacion.isEmpty() ? QDir::tempPath() : rutaAplicacion) + QStringLiteral("/Image");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name;
}

void escribirFichero(const QString& path, const QByteArray& bytes)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw Error(75, QStringLiteral("No se pudo escribir el fichero \"%1\".").arg(path));
}

QByteArray leerFichero(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw Error(53, QStringLiteral("No se puede leer el fichero \"%1\".").arg(path));
    return f.readAll();
}

} // namespace zqvr::messages
