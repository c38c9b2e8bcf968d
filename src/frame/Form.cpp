#include "frame/Form.h"

#include "frame/ErrorReport.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QPointer>

namespace zqvr::frame {

Form::Form(const QString& formName, const QString& caption, QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(formName);
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

Form::~Form()
{
    if (m_modalLoop)
        m_modalLoop->quit();
}

void Form::loadForm()
{
    if (m_loaded)
        return;
    m_loaded = true;
    ++m_loadCount;
    for (QObject* child : findChildren<QObject*>())
        watchControlErrors(child);
    try {
        formLoad();
    } catch (...) {
        // A screen whose load failed is not shown; the error goes to the host.
        m_loaded = false;
        throw;
    }
}

void Form::watchControlErrors(QObject* control)
{
    const QMetaObject* meta = control->metaObject();
    if (meta->indexOfSignal("ErrorOccurred(int,QString,QString)") < 0)
        return;
    connect(control, SIGNAL(ErrorOccurred(int, QString, QString)), this,
            SLOT(reportControlError(int, QString, QString)), Qt::UniqueConnection);
}

void Form::reportControlError(int number, const QString& description, const QString& source)
{
    const QObject* control = sender();
    const QString name = control ? control->objectName() : QString();
    reportError(Error(number, description, source), name + QStringLiteral(":Cargar"));
}

void Form::showForm(int modal, QObject* owner)
{
    if (auto* ownerWidget = qobject_cast<QWidget*>(owner)) {
        if (parentWidget() != ownerWidget) {
            const Qt::WindowFlags flags = windowFlags() | Qt::Window;
            setParent(ownerWidget, flags);
        }
    }
    loadForm();
    if (!m_loaded) // the load step closed the screen itself
        return;
    if (modal == 1) {
        setWindowModality(Qt::ApplicationModal);
        show();
        raise();
        activateWindow();
        if (m_modalLoop)
            return; // already running modally: the window is just brought up
        QPointer<Form> self(this);
        QEventLoop loop;
        m_modalLoop = &loop;
        loop.exec(QEventLoop::DialogExec);
        if (self) {
            m_modalLoop = nullptr;
            setWindowModality(Qt::NonModal);
        }
    } else {
        if (!isVisible())
            setWindowModality(Qt::NonModal);
        show();
        raise();
        activateWindow();
    }
}

void Form::closeEvent(QCloseEvent* e)
{
    if (!m_loaded || m_inUnload) {
        e->accept();
        return;
    }
    if (!formQueryUnload()) {
        e->ignore();
        return;
    }
    e->accept();
    finishUnload();
}

void Form::unloadForm()
{
    if (!m_loaded)
        return;
    if (isVisible()) {
        close(); // runs closeEvent, hence the unload step
        if (m_loaded && !isVisible())
            finishUnload();
        return;
    }
    finishUnload();
}

void Form::finishUnload()
{
    if (m_inUnload)
        return;
    m_inUnload = true;
    // A failing unload step is reported; the window still closes.
    guarded(QStringLiteral("Error en Form_Unload"), [this] { formUnload(); });
    m_loaded = false;
    if (isVisible())
        hide();
    m_inUnload = false;
    if (m_modalLoop)
        m_modalLoop->quit();
    if (m_raisesNotice)
        Q_EMIT unloaded();
}

} // namespace zqvr::frame
