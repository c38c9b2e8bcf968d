#include "frame/UserEntryClass.h"

namespace zqvr::frame {

void UserEntryClass::beforeShow(Form& screen)
{
    screen.setProperty("Usuario", m_usuario);
}

} // namespace zqvr::frame
