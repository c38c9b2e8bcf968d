#pragma once
// The process-wide host context: the company object and the connection the
// host handed to any entry object. The last writer wins and nothing clears
// it, so an entry object created later sees what an earlier one was given.
#include "frame_export.h"
#include <QObject>
#include <QPointer>

namespace zqvr::db { class Connection; }
namespace zqvr::host { class Empresa; }

namespace zqvr::frame {

class ZQVR_FRAME_EXPORT HostContext {
public:
    static HostContext& instance();

    void setEmpresa(QObject* empresa);
    void setConexion(QObject* conexion);
    QObject* empresaObject() const { return m_empresa.data(); }
    QObject* conexionObject() const { return m_conexion.data(); }

    // nullptr when not set (or released by the host).
    host::Empresa* empresa() const;
    db::Connection* conexion() const;
    // The same, throwing zqvr::Error with a clear message when missing.
    host::Empresa& company() const;
    db::Connection& connection() const;

private:
    HostContext() = default;
    QPointer<QObject> m_empresa;
    QPointer<QObject> m_conexion;
};

// Shorthands used by every screen.
inline db::Connection& conn() { return HostContext::instance().connection(); }
inline host::Empresa& empresa() { return HostContext::instance().company(); }

} // namespace zqvr::frame
