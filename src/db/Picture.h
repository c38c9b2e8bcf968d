#pragma once
// Writing a picture into the Imagen column of one row. The picture arrives as
// bytes already made (host/Thumbnail.h shrinks files to what is stored), so
// the database layer needs nothing of images itself.
#include "db_export.h"
#include <QByteArray>
#include <QString>

namespace zqvr::db {

class Connection;

// Stores bytes into the Imagen column of the row that selectSql yields;
// raises zqvr::Error (source "modComun::SalvarImagenes") when the SELECT
// finds no row. The engine's own errors pass through.
ZQVR_DB_EXPORT void storePicture(Connection& conn, const QString& selectSql, const QByteArray& bytes);

} // namespace zqvr::db
