#pragma once
// Entry class of the ticket viewer (frmVisorTickets). The screen is made
// with the entry object and kept after its window closes.
#include "component_export.h"
#include "frame/EntryClass.h"

namespace zqvr::component {

class ZQVR_COMPONENT_EXPORT frmclsVisorTickets : public frame::EntryClass {
    Q_OBJECT
public:
    explicit frmclsVisorTickets(QObject* parent = nullptr);
};

} // namespace zqvr::component
