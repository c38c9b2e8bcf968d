#include "frame/EntryClass.h"

#include "frame/HostContext.h"

namespace zqvr::frame {

EntryClass::EntryClass(Factory factory, Creation creation, bool releaseOnNotice, QObject* parent)
    : QObject(parent), m_factory(std::move(factory)), m_releaseOnNotice(releaseOnNotice)
{
    if (creation == Creation::AtConstruction)
        createScreen();
}

EntryClass::~EntryClass()
{
    if (Form* s = m_screen.data()) {
        s->unloadForm();
        // The screen may be inside its own modal loop further up the stack.
        s->deleteLater();
    }
}

QObject* EntryClass::empresaBrevanto() const { return HostContext::instance().empresaObject(); }

void EntryClass::setEmpresaBrevanto(QObject* empresa) { HostContext::instance().setEmpresa(empresa); }

QObject* EntryClass::conexionBrevanto() const { return HostContext::instance().conexionObject(); }

void EntryClass::setConexionBrevanto(QObject* conexion) { HostContext::instance().setConexion(conexion); }

void EntryClass::createScreen()
{
    Form* s = m_factory();
    m_screen = s;
    if (m_releaseOnNotice)
        connect(s, &Form::unloaded, this, &EntryClass::frmS_Unload);
}

void EntryClass::frmS_Unload()
{
    if (Form* s = m_screen.data()) {
        m_screen.clear();
        s->deleteLater();
    }
}

void EntryClass::Show(int Modal, QObject* OwnerForm)
{
    if (!m_screen)
        createScreen();
    Form* s = m_screen.data();
    beforeShow(*s);
    s->showForm(Modal, OwnerForm);
}

} // namespace zqvr::frame
