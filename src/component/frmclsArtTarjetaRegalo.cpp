#include "component/frmclsArtTarjetaRegalo.h"

#include "touchscreen/frmArtTarjetaRegalo.h"

namespace zqvr::component {

frmclsArtTarjetaRegalo::frmclsArtTarjetaRegalo(QObject* parent)
    : EntryClass([] { return new touchscreen::frmArtTarjetaRegalo; }, Creation::AtConstruction, false, parent)
{
}

} // namespace zqvr::component
