#include "frame/KeyBinding.h"

#include "host/Teclado.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace zqvr::frame {

namespace {

QAction* addKey(QWidget* owner, const QKeySequence& key, std::function<void()> run, Qt::ShortcutContext context)
{
    auto* action = new QAction(owner);
    action->setShortcut(key);
    action->setShortcutContext(context);
    QObject::connect(action, &QAction::triggered, owner, [run = std::move(run)] { run(); });
    owner->addAction(action);
    return action;
}

// One key of one control, watched on that control only (never application-wide).
class ControlKey : public QObject {
public:
    ControlKey(QWidget* control, const QKeySequence& key, std::function<void()> run)
        : QObject(control), m_key(key[0]), m_run(std::move(run))
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        const auto* k = static_cast<QKeyEvent*>(e);
        const Qt::KeyboardModifiers mods = k->modifiers() & ~Qt::KeypadModifier;
        if (k->key() != m_key.key() || mods != m_key.keyboardModifiers())
            return false;
        m_run();
        return true;
    }

private:
    QKeyCombination m_key;
    std::function<void()> m_run;
};

} // namespace

QAction* addWindowKey(QWidget* window, const QKeySequence& key, std::function<void()> run)
{
    return addKey(window, key, std::move(run), Qt::WindowShortcut);
}

void addControlKey(QWidget* control, const QKeySequence& key, std::function<void()> run)
{
    new ControlKey(control, key, std::move(run));
}

void bindAcceptCancelKeys(QWidget* window, QAbstractButton* aceptar, QAbstractButton* cancelar)
{
    bindKey(window, Qt::Key_F9, aceptar);
    bindKey(window, Qt::Key_F12, cancelar);
}

QAction* bindKey(QWidget* window, const QKeySequence& key, QAbstractButton* button)
{
    QPointer<QAbstractButton> target(button);
    return addWindowKey(window, key, [target] {
        if (!target || !target->isEnabled() || !target->isVisible())
            return;
        target->setFocus(Qt::ShortcutFocusReason);
        // Taking the focus may have run a field's handler that disabled or removed the button.
        if (target && target->isEnabled() && target->isVisible())
            target->click();
    });
}

void enterMovesOn(std::initializer_list<QWidget*> fields)
{
    for (QWidget* field : fields) {
        const auto next = [field] { host::Teclado::Enter(field); };
        addControlKey(field, Qt::Key_Return, next);
        addControlKey(field, Qt::Key_Enter, next);
    }
}

} // namespace zqvr::frame
