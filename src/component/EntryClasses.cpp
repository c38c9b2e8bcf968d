#include "component/EntryClasses.h"

#include "component/frmclsArtTarjetaRegalo.h"
#include "component/frmclsTpvs.h"
#include "component/frmclsVisorTickets.h"

namespace zqvr::component {

void registerEntryClasses(const std::function<void(const QString&, std::function<QObject*()>)>& add)
{
    // One line per entry class whose screen is built, in the library's order.
    add(QStringLiteral("frmclsTpvs"), [] { return new frmclsTpvs; });
    add(QStringLiteral("frmclsVisorTickets"), [] { return new frmclsVisorTickets; });
    add(QStringLiteral("frmclsArtTarjetaRegalo"), [] { return new frmclsArtTarjetaRegalo; });
}

} // namespace zqvr::component
