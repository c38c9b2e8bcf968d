#include "controls/ControlArray.h"

#include <algorithm>

namespace zqvr::controls {

namespace {

constexpr char IndexProperty[] = "index";
constexpr char InnerPartProperty[] = "zqvrInnerPart";

void collect(const QWidget* parent, QList<QWidget*>& out)
{
    for (QObject* child : parent->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || isInnerPart(w))
            continue;
        // A separate window (a dialog owned by the screen) is not one of its controls.
        if (w->isWindow())
            continue;
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            out.append(w);
        collect(w, out);
    }
}

} // namespace

void setArrayIndex(QWidget* control, const QString& name, int index)
{
    control->setObjectName(name);
    control->setProperty(IndexProperty, index);
}

int arrayIndex(const QObject* control)
{
    const QVariant v = control->property(IndexProperty);
    return v.isValid() ? v.toInt() : -1;
}

QString controlKey(const QObject* control)
{
    const int i = arrayIndex(control);
    return i < 0 ? control->objectName() : control->objectName() + QLatin1Char('!') + QString::number(i);
}

void markInnerPart(QWidget* part) { part->setProperty(InnerPartProperty, true); }

bool isInnerPart(const QObject* object) { return object->property(InnerPartProperty).toBool(); }

QList<QWidget*> windowControls(const QWidget* window)
{
    QList<QWidget*> out;
    if (window)
        collect(window, out);
    return out;
}

QWidget* findControl(const QWidget* window, const QString& name, int index)
{
    for (QWidget* w : windowControls(window)) {
        if (w->objectName() != name)
            continue;
        if (index < 0 || arrayIndex(w) == index)
            return w;
    }
    return nullptr;
}

QList<QWidget*> controlArray(const QWidget* window, const QString& name)
{
    QList<QWidget*> out;
    for (QWidget* w : windowControls(window))
        if (w->objectName() == name && arrayIndex(w) >= 0)
            out.append(w);
    std::stable_sort(out.begin(), out.end(),
                     [](const QWidget* a, const QWidget* b) { return arrayIndex(a) < arrayIndex(b); });
    return out;
}

} // namespace zqvr::controls
