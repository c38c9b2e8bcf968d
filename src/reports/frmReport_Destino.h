#pragma once
// The choice of output device and printer before a report is printed:
// "Pantalla" (the viewer), "Impresora" (the chosen printer, no further
// dialog) or "Fichero" (a PDF where the user says). Result() is true only
// after Aceptar.
//
//   frmReport_Destino dlg(this);
//   dlg.setWindowTitle("Imprimir Tickets");
//   if (frame::runModal(dlg) == frame::DialogResult::Accepted)
//       reports::sendReport(report, dlg.Destino(), dlg.Impresora());
#include "reports_export.h"
#include "reports/ReportOutput.h"

#include <QDialog>
#include <memory>

namespace Ui { class frmReport_Destino; }

namespace zqvr::reports {

class ZQVR_REPORTS_EXPORT frmReport_Destino : public QDialog {
    Q_OBJECT
public:
    explicit frmReport_Destino(QWidget* parent = nullptr);
    ~frmReport_Destino() override;

    // What Aceptar stored (the device of cboDispositivo, the printer of cboImpresora).
    reports::Destino Destino() const { return m_destino; }
    QString Impresora() const { return m_impresora; }
    bool Result() const { return m_result; }

    // The choices shown when the dialog opens.
    void setDestino(reports::Destino d);
    void setImpresora(const QString& name);

private:
    void cmdAceptar_Click();
    void cmdCancelar_Click();
    void cboDispositivo_Change();

    std::unique_ptr<Ui::frmReport_Destino> ui;
    reports::Destino m_destino = reports::Destino::Pantalla;
    QString m_impresora;
    bool m_result = false;
};

} // namespace zqvr::reports
