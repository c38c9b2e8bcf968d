#include "component/ClassRegistry.h"

#include "component/EntryClasses.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace zqvr::component {

ClassRegistry& ClassRegistry::instance()
{
    static ClassRegistry r;
    return r;
}

ClassRegistry::ClassRegistry()
{
    // Only classes whose screens are really built are registered.
    registerEntryClasses([this](const QString& name, Factory f) { add(name, std::move(f)); });
}

void ClassRegistry::add(const QString& className, Factory f)
{
    m_classes.append({QStringLiteral("ZQVRTpvs.") + className, std::move(f)});
}

QStringList ClassRegistry::programIds() const
{
    QStringList ids;
    for (const auto& c : m_classes)
        ids << c.first;
    return ids;
}

QObject* ClassRegistry::create(const QString& progId) const
{
    for (const auto& c : m_classes) {
        if (c.first.compare(progId, Qt::CaseInsensitive) == 0) {
            QObject* o = c.second();
            if (o) {
                ++m_live;
                QObject::connect(o, &QObject::destroyed, [this] { --m_live; });
            }
            return o;
        }
    }
    return nullptr;
}

QString componentRegistryPath()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Brevanto/components.ini");
}

bool registerServer(const QString& libraryPath)
{
    QDir().mkpath(QFileInfo(componentRegistryPath()).absolutePath());
    QSettings s(componentRegistryPath(), QSettings::IniFormat);
    s.beginGroup(QStringLiteral("ZQVRTPVS"));
    s.setValue(QStringLiteral("Description"), QStringLiteral("Brevanto Class TPV"));
    s.setValue(QStringLiteral("Library"), libraryPath);
    s.setValue(QStringLiteral("Classes"), ClassRegistry::instance().programIds());
    s.endGroup();
    s.sync();
    return s.status() == QSettings::NoError;
}

bool unregisterServer()
{
    QSettings s(componentRegistryPath(), QSettings::IniFormat);
    s.remove(QStringLiteral("ZQVRTPVS"));
    s.sync();
    return s.status() == QSettings::NoError;
}

} // namespace zqvr::component
