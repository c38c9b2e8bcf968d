#pragma once
// The suite's permission service, created per use: give it the connection,
// then the user, then ask for a right by number. Rights are granted per user
// in SGD_Usuarios_Derechos (Cod_Usuario, Derecho); user 0 is the supervisor
// and holds every right.
namespace zqvr::db { class Connection; }
#include "host_export.h"

namespace zqvr::host {

class ZQVR_HOST_EXPORT Permisos {
public:
    void setConexion(db::Connection* conn) { m_conn = conn; }
    void setUsuario(int user) { m_user = user; }
    // Throws zqvr::Error when the rights cannot be read.
    bool TieneDerecho(int right) const;

private:
    db::Connection* m_conn = nullptr;
    int m_user = 0;
};

} // namespace zqvr::host
