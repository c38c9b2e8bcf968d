#include "frame/KeyBinding.h"

#include "host/Teclado.h"

#include <QAbstractButton>
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

} // namespace

QAction* addWindowKey(QWidget* window, const QKeySequence& key, std::function<void()> run)
{
    return addKey(window, key, std::move(run), Qt::WindowShortcut);
}

QAction* addControlKey(QWidget* control, const QKeySequence& key, std::function<void()> run)
{
    return addKey(control, key, std::move(run), Qt::WidgetShortcut);
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
