#pragma once
// Entry class of the car-park bands: shows frmParkingMtto. The screen is
// made at the first Show and kept after its window closes, so a later Show
// loads the same screen again. The screen's closing notice reaches nobody.
#include "component_export.h"
#include "frame/EntryClass.h"

namespace zqvr::component {

class ZQVR_COMPONENT_EXPORT frmclsParkingMtto : public frame::EntryClass {
    Q_OBJECT
public:
    explicit frmclsParkingMtto(QObject* parent = nullptr);
};

} // namespace zqvr::component
