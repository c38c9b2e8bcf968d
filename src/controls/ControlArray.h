#pragma once
// Control arrays and walks over a window's controls.
//
// An element of a control array keeps the array's name as objectName and
// carries its index in the dynamic property "index"; its key is
// "name!index" (single controls: just the name), which is how the security
// tables and the parameters catalogue address it.
//
// Composite controls (the pickers, the check list) mark their inner widgets
// as inner parts: a walk over "every control of the window" never returns
// them and never descends into them, so a picker's code field is not taken
// for a screen's txtCodigo.
#include "controls_export.h"

#include <QList>
#include <QString>
#include <QWidget>

namespace zqvr::controls {

// Makes `control` element `index` of the array `name`.
ZQVR_CONTROLS_EXPORT void setArrayIndex(QWidget* control, const QString& name, int index);
// The element's index, or -1 for a control outside any array.
ZQVR_CONTROLS_EXPORT int arrayIndex(const QObject* control);
// "name!index" for an array element, "name" otherwise.
ZQVR_CONTROLS_EXPORT QString controlKey(const QObject* control);

// Marks a composite control's inner widget; its name should not be a control name either.
ZQVR_CONTROLS_EXPORT void markInnerPart(QWidget* part);
ZQVR_CONTROLS_EXPORT bool isInnerPart(const QObject* object);

// Every named control of the window, in creation order, without inner parts.
ZQVR_CONTROLS_EXPORT QList<QWidget*> windowControls(const QWidget* window);
// The control called `name` (index -1: a single control or any element), or nullptr.
ZQVR_CONTROLS_EXPORT QWidget* findControl(const QWidget* window, const QString& name, int index = -1);
// The elements of an array, ordered by index.
ZQVR_CONTROLS_EXPORT QList<QWidget*> controlArray(const QWidget* window, const QString& name);

template <class T>
T* findControl(const QWidget* window, const QString& name, int index = -1)
{
    return qobject_cast<T*>(findControl(window, name, index));
}

} // namespace zqvr::controls
