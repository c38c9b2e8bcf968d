#pragma once
// Hands every built entry class to the registry, with its factory.
#include <QObject>
#include <QString>
#include <functional>

namespace zqvr::component {

void registerEntryClasses(const std::function<void(const QString&, std::function<QObject*()>)>& add);

} // namespace zqvr::component
