#include "component/frmclsParametros.h"

#include "parameters/frmParametros.h"

namespace zqvr::component {

frmclsParametros::frmclsParametros(QObject* parent)
    : EntryClass([] { return new parameters::frmParametros; }, Creation::AtConstruction, false, parent)
{
}

} // namespace zqvr::component
