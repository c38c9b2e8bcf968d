#include "component/frmclsCodigosRapido.h"

#include "touchscreen/frmCodigosRapido.h"

namespace zqvr::component {

frmclsCodigosRapido::frmclsCodigosRapido(QObject* parent)
    : EntryClass([] { return new touchscreen::frmCodigosRapido; }, Creation::AtConstruction, false, parent)
{
}

} // namespace zqvr::component
