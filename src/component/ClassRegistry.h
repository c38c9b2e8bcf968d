#pragma once
// The library's class registry: program identifiers ("ZQVRTpvs.frmclsTpvs")
// mapped to the factories of the entry classes whose screens are built.
#include "component_export.h"
#include <QObject>
#include <QStringList>
#include <functional>

namespace zqvr::component {

class ZQVR_COMPONENT_EXPORT ClassRegistry {
public:
    using Factory = std::function<QObject*()>;
    static ClassRegistry& instance();

    // Program identifiers of every registered class, in registration order.
    QStringList programIds() const;
    // A new entry object, or nullptr for an unknown identifier (any case).
    QObject* create(const QString& progId) const;
    // Entry objects alive now (DllCanUnloadNow answers from it).
    int liveObjects() const { return m_live; }

private:
    ClassRegistry();
    void add(const QString& className, Factory f);
    QList<QPair<QString, Factory>> m_classes;
    mutable int m_live = 0;
};

// The per-user component registry file hosts read to find the library
// ("<config>/Brevanto/components.ini"): one group per program identifier with the library path.
ZQVR_COMPONENT_EXPORT QString componentRegistryPath();
ZQVR_COMPONENT_EXPORT bool registerServer(const QString& libraryPath);
ZQVR_COMPONENT_EXPORT bool unregisterServer();

} // namespace zqvr::component
