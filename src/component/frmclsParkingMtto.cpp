#include "component/frmclsParkingMtto.h"

#include "parking/frmParkingMtto.h"

namespace zqvr::component {

frmclsParkingMtto::frmclsParkingMtto(QObject* parent)
    : EntryClass([] { return new parking::frmParkingMtto; }, Creation::AtFirstShow, false, parent)
{
}

} // namespace zqvr::component
