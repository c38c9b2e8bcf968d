// An entry class the host creates without a window: it reads the host context
// and hands it to the order store, so it may include the frame.
#pragma once
#include "frame/WindowlessEntryClass.h"

class clsPedidosLote : public frame::WindowlessEntryClass {
public:
    void Recalcular();
};
