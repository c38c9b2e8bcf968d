#pragma once
// An entry class that also takes the code of the user on whose behalf its
// screen works (`Usuario`). The value is handed to the screen's own
// "Usuario" property on every Show, so a host may change it between shows.
#include "frame/EntryClass.h"

namespace zqvr::frame {

class ZQVR_FRAME_EXPORT UserEntryClass : public EntryClass {
    Q_OBJECT
    Q_PROPERTY(int Usuario READ Usuario WRITE setUsuario)
public:
    using EntryClass::EntryClass;

    int Usuario() const { return m_usuario; }
    void setUsuario(int usuario) { m_usuario = usuario; }

protected:
    void beforeShow(Form& screen) override;

private:
    int m_usuario = 0;
};

} // namespace zqvr::frame
