#pragma once
// Entry class of the invoice-from-ticket screen (frmFacturaTicket). The screen is made
// with the entry object and kept after its window closes.
#include "component_export.h"
#include "frame/EntryClass.h"

namespace zqvr::component {

class ZQVR_COMPONENT_EXPORT frmclsFacturaTicket : public frame::EntryClass {
    Q_OBJECT
public:
    explicit frmclsFacturaTicket(QObject* parent = nullptr);
};

} // namespace zqvr::component
