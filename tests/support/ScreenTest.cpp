#include "support/ScreenTest.h"

#include "frame/HostContext.h"

namespace zqvr::test {

void installInHostContext(TestDatabase& db)
{
    frame::HostContext::instance().setEmpresa(&db.empresa());
    frame::HostContext::instance().setConexion(&db.conn());
}

} // namespace zqvr::test
