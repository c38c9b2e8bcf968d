#include "component/ZQVRTpvs.h"

#include "component/ClassRegistry.h"

#include <QByteArray>

using zqvr::component::ClassRegistry;

extern "C" {

QObject* ZQVRTpvs_CreateObject(const char* progId)
{
    if (!progId)
        return nullptr;
    return ClassRegistry::instance().create(QString::fromUtf8(progId));
}

const char* ZQVRTpvs_ListClasses()
{
    static QByteArray list = ClassRegistry::instance().programIds().join(QLatin1Char('\n')).toUtf8();
    return list.constData();
}

int ZQVRTpvs_CanUnloadNow() { return ClassRegistry::instance().liveObjects() == 0 ? 1 : 0; }

int ZQVRTpvs_RegisterServer(const char* libraryPath)
{
    return zqvr::component::registerServer(QString::fromUtf8(libraryPath ? libraryPath : "")) ? 1 : 0;
}

int ZQVRTpvs_UnregisterServer() { return zqvr::component::unregisterServer() ? 1 : 0; }
}
