#include "component/EntryClasses.h"

#include "component/frmclsCfgSalones.h"
#include "component/frmclsGestorMensajesTPV.h"
#include "component/frmclsCodigosRapido.h"
#include "component/frmclsParkingMtto.h"
#include "component/frmclsParametros.h"
#include "component/frmclsTpvs.h"
#include "component/frmclsVisorTpvs.h"
#include "component/frmclsCfgPantalla.h"
#include "touchscreen/clsCfgPantallaTactil.h"
#include "component/frmclsArtTarjetaRegalo.h"
#include "component/frmclsVisorTickets.h"
#include "component/frmclsFacturaTicket.h"
#include "component/frmclsReservasVisor.h"

namespace zqvr::component {

void registerEntryClasses(const std::function<void(const QString&, std::function<QObject*()>)>& add)
{
    // One line per entry class whose screen is built, in the library's order.
    add(QStringLiteral("frmclsTpvs"), [] { return new frmclsTpvs; });
    add(QStringLiteral("frmclsVisorTpvs"), [] { return new frmclsVisorTpvs; });
    add(QStringLiteral("frmclsCfgSalones"), [] { return new frmclsCfgSalones; });
    add(QStringLiteral("frmclsGestorMensajesTPV"), [] { return new frmclsGestorMensajesTPV; });
    add(QStringLiteral("frmclsCodigosRapido"), [] { return new frmclsCodigosRapido; });
    add(QStringLiteral("frmclsParkingMtto"), [] { return new frmclsParkingMtto; });
    add(QStringLiteral("frmclsCfgPantalla"), [] { return new frmclsCfgPantalla; });
    add(QStringLiteral("clsCfgPantallaTactil"), [] { return new touchscreen::clsCfgPantallaTactil; });
    add(QStringLiteral("frmclsVisorTickets"), [] { return new frmclsVisorTickets; });
    add(QStringLiteral("frmclsFacturaTicket"), [] { return new frmclsFacturaTicket; });
    add(QStringLiteral("frmclsArtTarjetaRegalo"), [] { return new frmclsArtTarjetaRegalo; });
    add(QStringLiteral("frmclsParametros"), [] { return new frmclsParametros; });
    add(QStringLiteral("frmclsReservasVisor"), [] { return new frmclsReservasVisor; });
}

} // namespace zqvr::component
