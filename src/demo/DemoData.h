#pragma once
// A realistic, internally consistent demo data set, sized by a scale factor:
// scale 1 is the small set of the demo host; the number of tickets grows
// linearly with it (ticketsPerScale), so benchmarks can ask for a million.
#include "demo_export.h"
#include <QDate>
#include <functional>

namespace zqvr::db {
class Connection;
} // namespace zqvr::db

namespace zqvr::demo {

struct ZQVR_DEMO_EXPORT DemoOptions {
    double scale = 1.0;
    // "Today" of the data set: tickets cover the last weeks before it and
    // the same weeks a year earlier.
    QDate today = QDate::currentDate();
    // Fixed seed, so that the same options give the same data.
    unsigned seed = 20261206;
    // Overrides the ticket count that the scale implies when > 0.
    long long tickets = 0;
    // Told the tickets made so far and the tickets planned, every few
    // hundred tickets; returning false cancels: nothing is written.
    std::function<bool(long long done, long long total)> progress;
};

struct ZQVR_DEMO_EXPORT DemoSummary {
    long long rows = 0;    // rows written, all tables
    long long tickets = 0; // rows of TPV_Tickets
    bool cancelled = false; // progress said stop: the database is as it was
};

class ZQVR_DEMO_EXPORT DemoData {
public:
    static constexpr long long ticketsPerScale = 2000;
    // Fills an empty database that has the schema. Throws Error on failure
    // (nothing is left half-written: it runs in one transaction).
    static DemoSummary generate(db::Connection& conn, const DemoOptions& options = {});
};

} // namespace zqvr::demo
