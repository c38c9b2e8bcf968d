#include "frame/modComun.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "frame/ErrorReport.h"
#include "frame/HostContext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <cmath>

namespace zqvr::frame {

QString tempImageFolder()
{
    const QString dir = QDir::homePath() + QStringLiteral("/TempImg/");
    QDir().mkpath(dir);
    return dir;
}

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

bool GuardarFicheroEnCampo(db::Connection& conn, const QString& selectSql, const QString& column,
                           const QString& path)
{
    // An unreadable file or a SELECT that finds no row is a plain false; an
    // error of the engine goes on to the caller's report with its own text.
    if (path.isEmpty())
        return conn.query(selectSql).eof() == false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return conn.writeBinary(selectSql, column, f.readAll());
}

QString SalvarImagenes(db::Connection& conn, const QString& sourcePath, const QString& selectSql,
                       const QString& tempName)
{
    const QString caption = QStringLiteral("modComun:SalvarImagenes");
    QString result;
    guarded(caption, [&] {
        if (!QFileInfo::exists(sourcePath))
            throw Error(53, QStringLiteral("No se encuentra el fichero \"%1\".").arg(sourcePath));
        QImage img(sourcePath);
        if (img.isNull())
            throw Error(481, QStringLiteral("La imagen \"%1\" no es válida.").arg(sourcePath));
        const QSize target = thumbnailSize(img.size());
        if (target != img.size())
            img = img.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QString name = tempName.isEmpty() ? QStringLiteral("1.png") : tempName;
        const QString path = tempImageFolder() + name;
        if (!img.save(path, "PNG"))
            throw Error(75, QStringLiteral("No se pudo guardar la imagen en \"%1\".").arg(path));
        if (!GuardarFicheroEnCampo(conn, selectSql, QStringLiteral("Imagen"), path))
            throw Error(3021, QStringLiteral("No se pudo guardar la imagen en la base de datos."));
        result = path;
    });
    return result;
}

QString SalvarImagenes(const QString& sourcePath, const QString& selectSql, const QString& tempName)
{
    QString result;
    guarded(QStringLiteral("modComun:SalvarImagenes"),
            [&] { result = SalvarImagenes(HostContext::instance().connection(), sourcePath, selectSql, tempName); });
    return result;
}

} // namespace zqvr::frame
