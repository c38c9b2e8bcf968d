#pragma once
// Entry class of the gift-card articles window (frmArtTarjetaRegalo). The
// screen is made with the entry object and kept after its window closes.
#include "component_export.h"
#include "frame/EntryClass.h"

namespace zqvr::component {

class ZQVR_COMPONENT_EXPORT frmclsArtTarjetaRegalo : public frame::EntryClass {
    Q_OBJECT
public:
    explicit frmclsArtTarjetaRegalo(QObject* parent = nullptr);
};

} // namespace zqvr::component
