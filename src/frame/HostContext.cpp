#include "frame/HostContext.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "host/Empresa.h"

namespace zqvr::frame {

HostContext& HostContext::instance()
{
    static HostContext ctx;
    return ctx;
}

void HostContext::setEmpresa(QObject* empresa) { m_empresa = empresa; }

void HostContext::setConexion(QObject* conexion) { m_conexion = conexion; }

host::Empresa* HostContext::empresa() const { return qobject_cast<host::Empresa*>(m_empresa.data()); }

db::Connection* HostContext::conexion() const { return qobject_cast<db::Connection*>(m_conexion.data()); }

host::Empresa& HostContext::company() const
{
    if (auto* e = empresa())
        return *e;
    throw Error(91, QStringLiteral("No se ha indicado la empresa (EmpresaBrevanto)."));
}

db::Connection& HostContext::connection() const
{
    if (auto* c = conexion())
        return *c;
    throw Error(91, QStringLiteral("No se ha indicado la conexión con la base de datos (ConexionBrevanto)."));
}

} // namespace zqvr::frame
