#pragma once
// Entry class of the terminal messages: shows the message manager
// (frmGestorMensajesTPV) on behalf of the user the host names in Usuario,
// which it hands to its screen on every Show.
#include "component_export.h"
#include "frame/EntryClass.h"

namespace zqvr::component {

class ZQVR_COMPONENT_EXPORT frmclsGestorMensajesTPV : public frame::EntryClass {
    Q_OBJECT
    Q_PROPERTY(int Usuario READ Usuario WRITE setUsuario)
public:
    explicit frmclsGestorMensajesTPV(QObject* parent = nullptr);

    int Usuario() const { return m_usuario; }
    void setUsuario(int usuario) { m_usuario = usuario; }

protected:
    void beforeShow(frame::Form& screen) override;

private:
    int m_usuario = 0;
};

} // namespace zqvr::component
