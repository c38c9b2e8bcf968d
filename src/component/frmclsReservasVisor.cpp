#include "component/frmclsReservasVisor.h"

#include "reservations/frmReservas_Visor.h"

namespace zqvr::component {

frmclsReservasVisor::frmclsReservasVisor(QObject* parent)
    : EntryClass([] { return new reservations::frmReservas_Visor; }, Creation::AtConstruction, false, parent)
{
}

} // namespace zqvr::component
