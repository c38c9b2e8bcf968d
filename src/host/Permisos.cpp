#include "host/Permisos.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"

namespace zqvr::host {

bool Permisos::TieneDerecho(int right) const
{
    if (!m_conn)
        throw Error(errc::InvalidArgument, QStringLiteral("El servicio de permisos no tiene conexión."),
                    QStringLiteral("Permisos::TieneDerecho"));
    if (m_user == 0)
        return true;
    const db::Value v = m_conn->scalar(
        QStringLiteral("SELECT COUNT(*) FROM SGD_Usuarios_Derechos WHERE Cod_Usuario = %1 AND Derecho = %2")
            .arg(db::sqlInt(m_user), db::sqlInt(right)));
    return v.toInt() > 0;
}

} // namespace zqvr::host
