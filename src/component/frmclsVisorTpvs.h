#pragma once
// Entry class of the terminal monitor: shows the live board of the
// terminals (frmVisorTpvs). The screen is made with the entry object and
// kept after its window closes; a later Show loads it again.
#include "component_export.h"
#include "frame/EntryClass.h"

namespace zqvr::component {

class ZQVR_COMPONENT_EXPORT frmclsVisorTpvs : public frame::EntryClass {
    Q_OBJECT
public:
    explicit frmclsVisorTpvs(QObject* parent = nullptr);
};

} // namespace zqvr::component
