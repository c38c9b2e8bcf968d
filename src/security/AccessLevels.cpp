// The window-side entry to the access levels: it reads the host context,
// which clsControlSeg and its store are handed and never read themselves.
#include "security/clsControlSeg.h"

#include "frame/HostContext.h"
#include "host/Empresa.h"

namespace zqvr::security {

void applyAccessLevels(QWidget* form, QList<QWidget*> exits)
{
    frame::HostContext& host = frame::HostContext::instance();
    clsControlSeg seg;
    seg.setExitControls(std::move(exits));
    seg.setConexion(host.conexion());
    seg.setEmpresa(host.empresa());
    seg.setContentForm(form);
    seg.setUsuario(host.empresa() ? host.empresa()->usuarioActual() : 0);
    seg.SetStateAllControl();
}

} // namespace zqvr::security
