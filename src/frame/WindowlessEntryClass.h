#pragma once
// An entry class without a screen: it takes the host context like every
// other entry class and offers batch operations as invokable methods
// (the picture refresh of the touch-screen keys is one).
#include "frame_export.h"

#include <QObject>

namespace zqvr::db { class Connection; }
namespace zqvr::host { class Empresa; }

namespace zqvr::frame {

class ZQVR_FRAME_EXPORT WindowlessEntryClass : public QObject {
    Q_OBJECT
    Q_PROPERTY(QObject* EmpresaBrevanto READ empresaBrevanto WRITE setEmpresaBrevanto)
    Q_PROPERTY(QObject* ConexionBrevanto READ conexionBrevanto WRITE setConexionBrevanto)
public:
    explicit WindowlessEntryClass(QObject* parent = nullptr);

    QObject* empresaBrevanto() const;
    void setEmpresaBrevanto(QObject* empresa);
    QObject* conexionBrevanto() const;
    void setConexionBrevanto(QObject* conexion);

protected:
    // What the host handed over, for a batch method to pass to its store; raises when the host
    // has not set them.
    db::Connection& hostConnection() const;
    host::Empresa& hostCompany() const;
};

} // namespace zqvr::frame
