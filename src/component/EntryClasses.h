#pragma once
// Hands every built entry class to the registry, with its factory.
#include "component_export.h"
#include <QObject>
#include <QString>
#include <functional>

namespace zqvr::component {

ZQVR_COMPONENT_EXPORT void registerEntryClasses(const std::function<void(const QString&, std::function<QObject*()>)>& add);

} // namespace zqvr::component
