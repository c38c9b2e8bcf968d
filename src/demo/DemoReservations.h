#pragma once
// A handful of reservations of the first company that show every case the
// reservations viewer knows, added after the generated ones.
#include "demo_export.h"
#include <QDate>

namespace zqvr::db { class Connection; }

namespace zqvr::demo {

// Adds the reservations and returns the rows written. Runs on the demo data
// being generated (its customers, articles, agents and cashiers), inside its transaction.
ZQVR_DEMO_EXPORT long long demoReservations(db::Connection& conn, const QDate& today);

} // namespace zqvr::demo
