#pragma once
// The search dialog of the terminal screen: terminals by host name, 14 at a
// time. A text is a prefix ("PC" finds PC01, PC02...); "*" stands for any
// text ("*C0" finds every host that contains "C0").
//
//   frmTPVs_Buscar dialog(parent);
//   if (frame::runModal(dialog) == frame::DialogResult::Accepted && dialog.Codigo() > 0)
//       ...   // accepted on a chosen terminal (an empty list accepts nothing)
#include "terminals_export.h"
#include "db/RecordSet.h"

#include <QDialog>
#include <memory>

namespace Ui { class frmTPVs_Buscar; }

namespace zqvr::terminals {

class ZQVR_TERMINALS_EXPORT frmTPVs_Buscar : public QDialog {
    Q_OBJECT
public:
    // Rows added to the list at a time.
    static constexpr int PageRows = 14;

    explicit frmTPVs_Buscar(QWidget* parent = nullptr);
    ~frmTPVs_Buscar() override;

    // The terminal chosen; 0 and "" when the dialog was cancelled.
    qint16 Codigo() const { return m_codigo; }
    QString Host() const { return m_host; }

    // Closes the open result too, so that nothing stays read from the database.
    void done(int result) override;

private:
    void txtNombre_KeyPress(int& keyAscii);
    void txtNombre_KeyDown(int& keyCode, int shift);
    void vsListado_AfterLastRow();
    void cmdAceptar_Click();
    void cmdCancelar_Click();
    void vsListado_BeforeFirstRow();

    void search();
    void loadPage();
    void closeResult();
    bool hasRows() const;

    std::unique_ptr<Ui::frmTPVs_Buscar> ui;
    // The result of the last search, open while rows remain to be listed.
    db::RecordSet m_rs;
    qint16 m_codigo = 0;
    QString m_host;
};

} // namespace zqvr::terminals
