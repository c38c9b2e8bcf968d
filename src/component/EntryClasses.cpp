#include "component/EntryClasses.h"

#include "component/frmclsParametros.h"
#include "component/frmclsTpvs.h"

namespace zqvr::component {

void registerEntryClasses(const std::function<void(const QString&, std::function<QObject*()>)>& add)
{
    // One line per entry class whose screen is built, in the library's order.
    add(QStringLiteral("frmclsTpvs"), [] { return new frmclsTpvs; });
    add(QStringLiteral("frmclsParametros"), [] { return new frmclsParametros; });
}

} // namespace zqvr::component
