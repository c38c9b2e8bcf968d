#include "component/frmclsGestorMensajesTPV.h"

#include "messages/frmGestorMensajesTPV.h"

namespace zqvr::component {

frmclsGestorMensajesTPV::frmclsGestorMensajesTPV(QObject* parent)
    : EntryClass([] { return new messages::frmGestorMensajesTPV; }, Creation::AtConstruction, false, parent)
{
}

void frmclsGestorMensajesTPV::beforeShow(frame::Form& screen)
{
    if (auto* s = qobject_cast<messages::frmGestorMensajesTPV*>(&screen))
        s->setUsuario(m_usuario);
}

} // namespace zqvr::component
