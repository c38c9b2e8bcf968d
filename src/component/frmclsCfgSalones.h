#pragma once
// Entry class of the salons: shows the salon list (frmCfgSalones). The
// screen is made with the entry object and kept after its window closes.
#include "component_export.h"
#include "frame/EntryClass.h"

namespace zqvr::component {

class ZQVR_COMPONENT_EXPORT frmclsCfgSalones : public frame::EntryClass {
    Q_OBJECT
public:
    explicit frmclsCfgSalones(QObject* parent = nullptr);
};

} // namespace zqvr::component
