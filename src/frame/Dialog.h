#pragma once
// A maintenance dialog of the component. The caller sets its inputs, runs it
// with frame::runModal (Services.h) and acts on the result:
//
//   frmCfgSalones_Datos dlg(this);
//   dlg.setCodigo(codigo);
//   if (frame::runModal(dlg) != frame::DialogResult::Accepted)
//       return;
//   ... dlg.Codigo() ...
//
// runModal runs the load step first; a load step that refuses (it has
// reported why, or found nothing to show) means the dialog is not shown and
// the result is Cancelled, since accepting its defaults would overwrite what
// is stored.
#include "frame_export.h"

#include <QDialog>

namespace zqvr::frame {

class ZQVR_FRAME_EXPORT Dialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

    // The load step: fills the controls from the inputs and the stored data.
    // Returns false when the dialog is not to be shown. Errors are reported
    // by the step itself under the dialog's report name for it.
    virtual bool Form_Load() { return true; }
};

} // namespace zqvr::frame
