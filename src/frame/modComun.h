#pragma once
// Picture saving shared by the stores: a picture goes into the Imagen column
// of a row as a thumbnail of at most 60 x 60. The picture travels as bytes in
// memory, so two instances of the program saving at once never meet in a
// shared file, and nothing here shows a dialog: failures are raised for the
// calling screen to report.
#include "frame_export.h"
#include <QByteArray>
#include <QSize>
#include <QString>

namespace zqvr::db { class Connection; }

namespace zqvr::frame {

// The size a picture is stored at: pictures larger than 60 x 60 shrink to fit, keeping proportions.
ZQVR_FRAME_EXPORT QSize thumbnailSize(const QSize& original);
// The picture at sourcePath as it is stored: PNG bytes at thumbnailSize.
// Raises zqvr::Error (source "modComun::SalvarImagenes") when the file is
// missing or is not a picture.
ZQVR_FRAME_EXPORT QByteArray thumbnailBytes(const QString& sourcePath);
// Stores the thumbnail of the picture at sourcePath into the Imagen column
// of the row that selectSql yields, and returns the bytes stored. Raises
// zqvr::Error when the file is missing or not a picture, or when the SELECT
// finds no row; the engine's own errors pass through.
ZQVR_FRAME_EXPORT QByteArray SalvarImagenes(db::Connection& conn, const QString& sourcePath, const QString& selectSql);
// Stores picture bytes already made (thumbnailBytes) into the Imagen column
// of the row that selectSql yields; raises when the SELECT finds no row.
ZQVR_FRAME_EXPORT void GuardarImagen(db::Connection& conn, const QString& selectSql, const QByteArray& bytes);

} // namespace zqvr::frame
