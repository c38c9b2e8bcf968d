#pragma once
// Entry class of the touch-screen configurations: shows frmCfgPantalla.
// It drops its screen when the screen closes, so the next Show starts a
// fresh one.
#include "component_export.h"
#include "frame/EntryClass.h"

namespace zqvr::component {

class ZQVR_COMPONENT_EXPORT frmclsCfgPantalla : public frame::EntryClass {
    Q_OBJECT
public:
    explicit frmclsCfgPantalla(QObject* parent = nullptr);
};

} // namespace zqvr::component
