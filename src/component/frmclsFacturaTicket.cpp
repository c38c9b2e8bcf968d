#include "component/frmclsFacturaTicket.h"

#include "tickets/frmFacturaTicket.h"

namespace zqvr::component {

frmclsFacturaTicket::frmclsFacturaTicket(QObject* parent)
    : EntryClass([] { return new tickets::frmFacturaTicket; }, Creation::AtConstruction, false, parent)
{
}

} // namespace zqvr::component
