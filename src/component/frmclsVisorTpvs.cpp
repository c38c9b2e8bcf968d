#include "component/frmclsVisorTpvs.h"

#include "terminals/frmVisorTpvs.h"

namespace zqvr::component {

frmclsVisorTpvs::frmclsVisorTpvs(QObject* parent)
    : EntryClass([] { return new terminals::frmVisorTpvs; }, Creation::AtConstruction, false, parent)
{
}

} // namespace zqvr::component
