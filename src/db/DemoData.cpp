#include "db/DemoData.h"

#include "db/Connection.h"

namespace zqvr::db {

DemoSummary DemoData::generate(Connection& conn, const DemoOptions& options)
{
    Q_UNUSED(conn);
    Q_UNUSED(options);
    return {};
}

} // namespace zqvr::db
