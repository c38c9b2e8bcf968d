#pragma once
// Entry class of the reservations viewer (frmReservas_Visor). The screen is
// made with the entry object and kept after its window closes.
#include "component_export.h"
#include "frame/EntryClass.h"

namespace zqvr::component {

class ZQVR_COMPONENT_EXPORT frmclsReservasVisor : public frame::EntryClass {
    Q_OBJECT
public:
    explicit frmclsReservasVisor(QObject* parent = nullptr);
};

} // namespace zqvr::component
