#pragma once
// The suite's keyboard service: one parameterless call made when Enter is
// pressed in a drop-down list; it moves the focus to the next field.
class QWidget;
#include "host_export.h"

namespace zqvr::host {

class ZQVR_HOST_EXPORT Teclado {
public:
    // Moves the focus from the focused widget (or from `from` when given) to the next field.
    static void Enter(QWidget* from = nullptr);
};

} // namespace zqvr::host
