#include "frame/Wiring.h"

#include <QHash>

namespace zqvr::frame {

QString eventName(const QByteArray& signalName)
{
    static const QHash<QByteArray, QString> names = {
        {"clicked", QStringLiteral("Click")},
        {"toggled", QStringLiteral("Click")},
        {"stateChanged", QStringLiteral("Click")},
        {"activated", QStringLiteral("Click")},
        {"currentIndexChanged", QStringLiteral("Click")},
        {"doubleClicked", QStringLiteral("DblClick")},
        {"itemDoubleClicked", QStringLiteral("DblClick")},
        {"textChanged", QStringLiteral("Change")},
        {"textEdited", QStringLiteral("Change")},
        {"valueChanged", QStringLiteral("Change")},
        {"editingFinished", QStringLiteral("LostFocus")},
        {"timeout", QStringLiteral("Timer")},
    };
    const auto it = names.constFind(signalName);
    if (it != names.constEnd())
        return *it;
    // The suite's own controls already raise their events by the system's names (KeyPress, CodigoCambiado).
    QString name = QString::fromLatin1(signalName);
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    return name;
}

QString handlerProcedure(const QObject* control, const QString& event)
{
    return control->objectName() + QLatin1Char('_') + event;
}

} // namespace zqvr::frame
