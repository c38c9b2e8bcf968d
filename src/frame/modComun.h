#pragma once
// Picture saving shared by the screens: a picture goes into the Imagen
// column of a row, and a thumbnail of at most 60 x 60 stays on disk in the
// user's temporary picture folder.
#include "frame_export.h"
#include <QSize>
#include <QString>

namespace zqvr::db { class Connection; }

namespace zqvr::frame {

// The user's temporary picture folder ("<home>/TempImg/"), created on demand.
ZQVR_FRAME_EXPORT QString tempImageFolder();
// The size a picture is stored at: pictures larger than 60 x 60 shrink to fit, keeping proportions.
ZQVR_FRAME_EXPORT QSize thumbnailSize(const QSize& original);
// Stores the picture at sourcePath into the Imagen column of the row that
// selectSql yields, keeping a thumbnail named tempName ("1.png" when empty) in
// the temporary folder. Returns the thumbnail's path, or "" after reporting
// the failure (caption "modComun:SalvarImagenes").
ZQVR_FRAME_EXPORT QString SalvarImagenes(const QString& sourcePath, const QString& selectSql, const QString& tempName = QString());
ZQVR_FRAME_EXPORT QString SalvarImagenes(db::Connection& conn, const QString& sourcePath, const QString& selectSql,
                       const QString& tempName = QString());
// Stores the file into the column of the rows the SELECT yields; true on
// success, false when the file cannot be read or the SELECT finds no row.
// An empty path leaves the row unchanged. Errors of the engine are thrown.
ZQVR_FRAME_EXPORT bool GuardarFicheroEnCampo(db::Connection& conn, const QString& selectSql, const QString& column,
                           const QString& path);

} // namespace zqvr::frame
