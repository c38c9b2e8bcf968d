#include "security/clsControlSeg.h"

#include "controls/Visibility.h"
#include "db/Connection.h"
#include "db/Error.h"
#include "frame/ErrorReport.h"
#include "host/Empresa.h"
#include "security/AccessLevelStore.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QMetaProperty>
#include <QSet>

#include <algorithm>

namespace zqvr::security {

namespace {

const char* const kCaption = "clsControlSeg:SetStateAllControl";

bool ownsAccessLevel(const QObject* o) { return o->metaObject()->indexOfProperty("AccessLevel") >= 0; }

// A control's index within its control array, -1 for a single control.
int arrayIndex(const QWidget* w)
{
    const QVariant v = w->property("index");
    bool ok = false;
    const int i = v.toInt(&ok);
    return v.isValid() && ok ? i : -1;
}

void collect(QWidget* parent, QList<QWidget*>& out)
{
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow())
            continue;
        const QString name = w->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
            out.push_back(w);
        // A control that takes its level itself owns what is inside it.
        if (!ownsAccessLevel(w))
            collect(w, out);
    }
}

QList<QWidget*> namedControls(QWidget* form)
{
    QList<QWidget*> out;
    if (form)
        collect(form, out);
    return out;
}

bool canBeLocked(const QWidget* w)
{
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           w->metaObject()->indexOfProperty("readOnly") >= 0;
}

// Keeps one control within the most restrictive level granted on it. It
// watches the control itself, never the application: when the screen's own
// rules enable the control or unlock it (a combo that enables a field, a
// check box that enables another), the level is put back at once.
class LevelCeiling : public QObject {
public:
    LevelCeiling(QWidget* control, int level) : QObject(control), m_control(control), m_level(level)
    {
        setObjectName(QStringLiteral("qt_level_ceiling"));
        control->installEventFilter(this);
        enforce();
    }

    static void hold(QWidget* control, int level)
    {
        if (level != 1 && level != 2)
            return;
        if (auto* c = control->findChild<LevelCeiling*>(QStringLiteral("qt_level_ceiling"), Qt::FindDirectChildrenOnly)) {
            c->m_level = std::max(c->m_level, level);
            c->enforce();
        } else {
            new LevelCeiling(control, level);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_control && (event->type() == QEvent::EnabledChange || event->type() == QEvent::ReadOnlyChange))
            enforce();
        return false;
    }

private:
    void enforce()
    {
        if (m_enforcing)
            return;
        m_enforcing = true;
        QWidget* w = m_control;
        const bool lockable = canBeLocked(w);
        const bool mustBeDisabled = m_level == 2 || (m_level == 1 && !lockable && !ownsAccessLevel(w));
        // Only the control's own state counts: a control disabled because its
        // container is follows the container, and was disabled here already.
        const bool enabled = !w->testAttribute(Qt::WA_ForceDisabled);
        const bool unlocked = m_level == 1 && lockable && !w->property("readOnly").toBool();
        if ((mustBeDisabled && enabled) || unlocked) {
            if (ownsAccessLevel(w))
                w->setProperty("AccessLevel", m_level);
            else if (mustBeDisabled)
                w->setEnabled(false);
            else
                w->setProperty("readOnly", true);
        }
        m_enforcing = false;
    }

    QWidget* m_control;
    int m_level;
    bool m_enforcing = false;
};

// Applies a level to a control and keeps it as the control's ceiling.
// Returns true when the level's effects were applied here, false when the
// control took the level itself or the level means nothing.
bool applyLevel(QWidget* control, int level)
{
    if (ownsAccessLevel(control) && control->setProperty("AccessLevel", level)) {
        LevelCeiling::hold(control, level);
        return false;
    }
    switch (level) {
    case 0:
        controls::showForLevelZero(control);
        break;
    case 1: {
        QPalette p = control->palette();
        const QColor grey = QApplication::palette().color(QPalette::Disabled, QPalette::Text);
        p.setColor(QPalette::Text, grey);
        p.setColor(QPalette::WindowText, grey);
        p.setColor(QPalette::ButtonText, grey);
        control->setPalette(p);
        if (canBeLocked(control))
            control->setProperty("readOnly", true);
        else
            control->setEnabled(false);
        break;
    }
    case 2: {
        control->setEnabled(false);
        if (auto* e = qobject_cast<QLineEdit*>(control))
            e->setFrame(false);
        else if (auto* c = qobject_cast<QComboBox*>(control))
            c->setFrame(false);
        else if (auto* f = qobject_cast<QFrame*>(control))
            f->setFrameShape(QFrame::NoFrame);
        if (QWidget* container = control->parentWidget()) {
            QPalette p = control->palette();
            const QColor back = container->palette().color(QPalette::Window);
            for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
                p.setColor(group, QPalette::Base, back);
                p.setColor(group, QPalette::Window, back);
                p.setColor(group, QPalette::Button, back);
            }
            control->setPalette(p);
            control->setAutoFillBackground(true);
        }
        break;
    }
    default:
        return false; // other levels change nothing
    }
    LevelCeiling::hold(control, level);
    return true;
}

} // namespace

QString clsControlSeg::controlKey(const QWidget* control)
{
    const int i = arrayIndex(control);
    return i >= 0 ? control->objectName() + QLatin1Char('!') + QString::number(i) : control->objectName();
}

QHash<QString, QWidget*> clsControlSeg::windowControls(QWidget* form)
{
    QHash<QString, QWidget*> h;
    for (QWidget* w : namedControls(form))
        if (!h.contains(controlKey(w)))
            h.insert(controlKey(w), w);
    return h;
}

void clsControlSeg::setControlState(QWidget* control, int level)
{
    if (control && applyLevel(control, level))
        emit AfterSetStateControl(control, level);
}

void clsControlSeg::SetStateAllControl()
{
    try {
        applyGrantedLevels();
    } catch (const Error& e) {
        failClosed(e);
    } catch (const std::exception& e) {
        failClosed(Error(errc::Database, QString::fromUtf8(e.what())));
    }
}

void clsControlSeg::applyGrantedLevels()
{
    if (!m_form)
        throw Error(91, QStringLiteral("No se ha indicado el formulario cuyos controles se protegen."));
    if (!m_conn)
        throw Error(91, QStringLiteral("No se ha indicado la conexión."));
    updateCatalogue();
    if (m_empresa && m_empresa->variableBool(QStringLiteral("NoProcesarPermisosControles")))
        return;
    m_controls = windowControls(m_form);
    const QList<ControlGrant> grants = AccessLevelStore(*m_conn).grants(m_form->objectName(), m_user);
    // Rows come in ascending level per control, so the most restrictive is applied last.
    for (const ControlGrant& g : grants) {
        QWidget* w = m_controls.value(g.key);
        if (w) // a control no longer on the window is skipped
            setControlState(w, g.level);
    }
    emit AfterSetStateAllControls();
}

void clsControlSeg::failClosed(const Error& e)
{
    // Not knowing what the user may do is no reason to let them do anything:
    // every control is locked as level 1 locks it, but for the way out. The
    // frames and tabs that hold controls are left alone, so that what is
    // locked can still be read.
    if (m_form) {
        const QList<QWidget*> controls = namedControls(m_form);
        QSet<QWidget*> containers;
        for (QWidget* c : controls)
            for (QWidget* p = c->parentWidget(); p && p != m_form.data(); p = p->parentWidget())
                containers.insert(p);
        for (QWidget* w : controls)
            if (!containers.contains(w) && !m_exits.contains(w))
                applyLevel(w, 1);
    }
    frame::reportError(
        Error(e.number(),
              QStringLiteral("No se han podido leer los permisos del usuario en esta ventana; por seguridad, sus controles "
                             "quedan bloqueados.\n\n") +
                  e.description(),
              e.source(), e.statementNumber()),
        QString::fromLatin1(kCaption));
}

void clsControlSeg::updateCatalogue()
{
    AccessLevelStore store(*m_conn);
    if (!store.onDevelopmentServer())
        return;

    // The tab index of a control is its place in the window's focus order;
    // controls that take no focus follow the focusable ones.
    QList<QWidget*> controls = namedControls(m_form);
    QHash<QWidget*, int> order;
    int next = 0;
    for (QWidget* w = m_form->nextInFocusChain(); w && w != m_form && next < 10000; w = w->nextInFocusChain())
        if (!order.contains(w))
            order.insert(w, next++);
    int tail = 10000;
    QList<CatalogueControl> catalogue;
    for (QWidget* w : controls) {
        const int tabIndex = order.contains(w) ? order.value(w) : tail++;
        const int i = arrayIndex(w);
        const QString index = i >= 0 ? QString::number(i) : QStringLiteral(""); // empty, never NULL
        catalogue.push_back({w->objectName(), index, tabIndex});
    }
    store.updateCatalogue(m_form->objectName(), catalogue);
}

} // namespace zqvr::security
