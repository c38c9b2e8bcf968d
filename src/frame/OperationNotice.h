#pragma once
#include "frame_export.h"
#include <QString>

namespace zqvr::frame {

// Shows (or takes down) the operation-in-progress notice with the hourglass
// pointer. An empty text shows "Realizando operación, espere por favor...".
// Never fails: every step is attempted and errors are ignored.
ZQVR_FRAME_EXPORT void modMsgOp(bool show, const QString& text = QString());
ZQVR_FRAME_EXPORT bool operationNoticeVisible();

// Brackets a long operation: shows the notice now and takes it down when
// the scope is left, by return or by exception.
class ZQVR_FRAME_EXPORT OperationNotice {
public:
    explicit OperationNotice(const QString& text = QString()) { modMsgOp(true, text); }
    ~OperationNotice() { modMsgOp(false); }
    OperationNotice(const OperationNotice&) = delete;
    OperationNotice& operator=(const OperationNotice&) = delete;
};

} // namespace zqvr::frame
