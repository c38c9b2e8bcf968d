#include "component/frmclsVisorTickets.h"

#include "tickets/frmVisorTickets.h"

namespace zqvr::component {

frmclsVisorTickets::frmclsVisorTickets(QObject* parent)
    : EntryClass([] { return new tickets::frmVisorTickets; }, Creation::AtConstruction, false, parent)
{
}

} // namespace zqvr::component
