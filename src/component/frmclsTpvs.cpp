#include "component/frmclsTpvs.h"

#include "terminals/frmTPVs.h"

namespace zqvr::component {

// The entry object listens for its screen's closing notice (it would drop
// the screen on it), but the terminal screen never raises one.
frmclsTpvs::frmclsTpvs(QObject* parent)
    : EntryClass([] { return new terminals::frmTPVs; }, Creation::AtConstruction, true, parent)
{
}

} // namespace zqvr::component
