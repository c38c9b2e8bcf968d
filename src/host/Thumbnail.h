#pragma once
// Pictures as the stores keep them: a thumbnail of at most 60 x 60 in the
// Imagen column of a row. The picture travels as bytes in memory, so two
// instances of the program saving at once never meet in a shared file, and
// nothing here shows a dialog: failures are raised for the calling screen
// or host to report.
#include "host_export.h"
#include <QByteArray>
#include <QSize>
#include <QString>

namespace zqvr::db { class Connection; }

namespace zqvr::host {

// The size a picture is stored at: pictures larger than 60 x 60 shrink to fit, keeping proportions.
ZQVR_HOST_EXPORT QSize thumbnailSize(const QSize& original);
// The picture at sourcePath as it is stored: PNG bytes at thumbnailSize.
// Raises zqvr::Error (source "modComun::SalvarImagenes") when the file is
// missing or is not a picture.
ZQVR_HOST_EXPORT QByteArray thumbnailBytes(const QString& sourcePath);
// Stores the thumbnail of the picture at sourcePath into the Imagen column
// of the row that selectSql yields, and returns the bytes stored. Raises
// zqvr::Error when the file is missing or not a picture, or when the SELECT
// finds no row; the engine's own errors pass through.
ZQVR_HOST_EXPORT QByteArray SalvarImagenes(db::Connection& conn, const QString& sourcePath, const QString& selectSql);

} // namespace zqvr::host
