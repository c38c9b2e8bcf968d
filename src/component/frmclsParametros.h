#pragma once
// Entry class of the terminal parameters: shows the parameters window
// (frmParametros). The screen is made with the entry object and kept after
// its window closes, so a later Show loads the same screen again.
#include "component_export.h"
#include "frame/EntryClass.h"

namespace zqvr::component {

class ZQVR_COMPONENT_EXPORT frmclsParametros : public frame::EntryClass {
    Q_OBJECT
public:
    explicit frmclsParametros(QObject* parent = nullptr);
};

} // namespace zqvr::component
