#include "component/frmclsCfgPantalla.h"

#include "touchscreen/frmCfgPantalla.h"

namespace zqvr::component {

frmclsCfgPantalla::frmclsCfgPantalla(QObject* parent)
    : EntryClass([] { return new touchscreen::frmCfgPantalla; }, Creation::AtConstruction, true, parent)
{
}

} // namespace zqvr::component
