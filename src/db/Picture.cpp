#include "db/Picture.h"

#include "db/Connection.h"
#include "db/Error.h"

namespace zqvr::db {

void storePicture(Connection& conn, const QString& selectSql, const QByteArray& bytes)
{
    if (!conn.writeBinary(selectSql, QStringLiteral("Imagen"), bytes))
        throw Error(errc::NoCurrentRow, QStringLiteral("No se encontró la fila donde guardar la imagen."),
                    QStringLiteral("modComun::SalvarImagenes"));
}

} // namespace zqvr::db
