#include "frame/WindowlessEntryClass.h"

#include "frame/HostContext.h"

namespace zqvr::frame {

WindowlessEntryClass::WindowlessEntryClass(QObject* parent) : QObject(parent) {}

QObject* WindowlessEntryClass::empresaBrevanto() const { return HostContext::instance().empresaObject(); }

void WindowlessEntryClass::setEmpresaBrevanto(QObject* empresa) { HostContext::instance().setEmpresa(empresa); }

QObject* WindowlessEntryClass::conexionBrevanto() const { return HostContext::instance().conexionObject(); }

void WindowlessEntryClass::setConexionBrevanto(QObject* conexion)
{
    HostContext::instance().setConexion(conexion);
}

db::Connection& WindowlessEntryClass::hostConnection() const { return conn(); }

host::Empresa& WindowlessEntryClass::hostCompany() const { return empresa(); }

} // namespace zqvr::frame
