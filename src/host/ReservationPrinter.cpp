#include "host/ReservationPrinter.h"

namespace zqvr::host {

namespace {
ReservationPrinter::Factory& factory()
{
    static ReservationPrinter::Factory f;
    return f;
}
} // namespace

std::unique_ptr<ReservationPrinter> ReservationPrinter::create() { return factory() ? factory()() : nullptr; }

void ReservationPrinter::setFactory(Factory f) { factory() = std::move(f); }

} // namespace zqvr::host
