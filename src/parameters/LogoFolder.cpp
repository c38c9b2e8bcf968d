#include "parameters/LogoFolder.h"

#include "db/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QBuffer>

namespace zqvr::parameters {

namespace {

[[noreturn]] void fail(const QString& text) { throw Error(75, text, QStringLiteral("frmParametros:Logotipo")); }

// Writes bytes to a file through a temporary one, so that a failed write leaves the old file whole.
void writeWhole(const QString& path, const QByteArray& data)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size() || !f.commit())
        fail(QStringLiteral("No se ha podido escribir el fichero \"%1\": %2").arg(path, f.errorString()));
}

QByteArray bmpBytes(const QImage& img)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "BMP");
    return out;
}

} // namespace

QString LogoFolder::programFolder(const QString& rutaAplicacion, bool esFenvary)
{
    return rutaAplicacion + (esFenvary ? QStringLiteral("/../Fenvary/Fenvary") : QStringLiteral("/../Kolvane/Kolvane"));
}

QString LogoFolder::fileName(int k, int almacen)
{
    return k == 0 ? QStringLiteral("Logo.bmp") : QStringLiteral("logo%1.bmp").arg(almacen);
}

QString LogoFolder::dotMatrixName(int k, int almacen)
{
    return k == 0 ? QStringLiteral("LogoMX.bmp") : QStringLiteral("LogoMX%1.bmp").arg(almacen);
}

QImage LogoFolder::dotMatrixImage(const QImage& source)
{
    QImage img = source;
    if (img.width() > 360 || img.height() > 120)
        img = img.scaled(360, 120, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // Transparent parts print as paper.
    QImage flat(img.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter p(&flat);
        p.drawImage(0, 0, img);
    }
    return flat.convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::ThresholdDither);
}

void LogoFolder::install(int k, int almacen, const QString& source, bool dotMatrix) const
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        fail(QStringLiteral("No se puede leer el fichero \"%1\": %2").arg(source, in.errorString()));
    const QByteArray bytes = in.readAll();
    QImage picture;
    if (!picture.loadFromData(bytes))
        fail(QStringLiteral("El fichero \"%1\" no es una imagen.").arg(source));
    if (!QDir().mkpath(imageFolder()))
        fail(QStringLiteral("No se puede crear la carpeta \"%1\".").arg(imageFolder()));
    // Everything is prepared before the first file changes.
    const QByteArray mx = dotMatrix ? bmpBytes(dotMatrixImage(picture)) : QByteArray();
    writeWhole(path(k, almacen), bytes);
    if (dotMatrix) {
        writeWhole(dotMatrixPath(k, almacen), mx);
        writeWhole(markerPath(), QByteArray());
    }
}

void LogoFolder::remove(int k, int almacen) const
{
    const QString logo = path(k, almacen);
    if (!QFileInfo::exists(logo))
        return;
    for (const QString& p : {logo, dotMatrixPath(k, almacen)}) {
        QFile f(p);
        if (f.exists() && !f.remove())
            fail(QStringLiteral("No se ha podido borrar el fichero \"%1\": %2").arg(p, f.errorString()));
    }
}

} // namespace zqvr::parameters
