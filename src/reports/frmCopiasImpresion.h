#pragma once
// How many copies and on which printer. Imprimir refuses 0 copies (an empty
// field counts as 0) with "Se esperaba número de copias."; Salir closes
// without storing, so Copias() stays 0.
//
//   frmCopiasImpresion dlg(this);
//   frame::runModal(dlg);
//   if (dlg.Copias() > 0)
//       reports::printReport(*report, dlg.Impresora(), dlg.Copias());
#include "reports_export.h"

#include <QDialog>
#include <memory>

namespace Ui { class frmCopiasImpresion; }

namespace zqvr::reports {

class ZQVR_REPORTS_EXPORT frmCopiasImpresion : public QDialog {
    Q_OBJECT
public:
    static constexpr int CopiasIniciales = 1;

    explicit frmCopiasImpresion(QWidget* parent = nullptr);
    ~frmCopiasImpresion() override;

    qint16 Copias() const { return m_copias; }
    QString Impresora() const { return m_impresora; }

private:
    void cmdImprimir_Click();
    void cmdSalir_Click();

    std::unique_ptr<Ui::frmCopiasImpresion> ui;
    qint16 m_copias = 0;
    QString m_impresora;
};

} // namespace zqvr::reports
