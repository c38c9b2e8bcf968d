#include "component/EntryClasses.h"

#include "component/frmclsCfgSalones.h"
#include "component/frmclsGestorMensajesTPV.h"
#include "component/frmclsTpvs.h"
#include "component/frmclsVisorTpvs.h"

namespace zqvr::component {

void registerEntryClasses(const std::function<void(const QString&, std::function<QObject*()>)>& add)
{
    // One line per entry class whose screen is built, in the library's order.
    add(QStringLiteral("frmclsTpvs"), [] { return new frmclsTpvs; });
    add(QStringLiteral("frmclsVisorTpvs"), [] { return new frmclsVisorTpvs; });
    add(QStringLiteral("frmclsCfgSalones"), [] { return new frmclsCfgSalones; });
    add(QStringLiteral("frmclsGestorMensajesTPV"), [] { return new frmclsGestorMensajesTPV; });
}

} // namespace zqvr::component
