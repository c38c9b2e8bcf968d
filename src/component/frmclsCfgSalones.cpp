#include "component/frmclsCfgSalones.h"

#include "salons/frmCfgSalones.h"

namespace zqvr::component {

// The salon list raises its closing notice, but this entry object does not
// listen for it: a later Show loads the same screen object again.
frmclsCfgSalones::frmclsCfgSalones(QObject* parent)
    : EntryClass([] { return new salons::frmCfgSalones; }, Creation::AtConstruction, false, parent)
{
}

} // namespace zqvr::component
