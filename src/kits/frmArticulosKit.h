#pragma once
// The components sold inside one kit line of a ticket, read only. The
// caller sets the ticket's warehouse, till, date, number and the line, then
// runs the window with frame::runModal.
#include "kits_export.h"

#include <QDate>
#include "frame/Dialog.h"
#include <memory>

namespace Ui { class frmArticulosKit; }

namespace zqvr::kits {

class ZQVR_KITS_EXPORT frmArticulosKit : public frame::Dialog {
    Q_OBJECT
public:
    explicit frmArticulosKit(QWidget* parent = nullptr);
    ~frmArticulosKit() override;

    void setCodigo(qint32 ticket) { m_codigo = ticket; }
    void setCaja(qint16 caja) { m_caja = caja; }
    void setAlmacen(qint16 almacen) { m_almacen = almacen; }
    void setFecha(const QDate& fecha) { m_fecha = fecha; }
    void setNumLinea(qint16 linea) { m_numLinea = linea; }

    // Fills the grid; a failure is reported under "frmArticulosKit:Form_Load"
    // and leaves it empty (the window still opens).
    bool Form_Load() override;

private:
    void cmdSalir_Click();
    std::unique_ptr<Ui::frmArticulosKit> ui;
    qint32 m_codigo = 0;
    qint16 m_caja = 0;
    qint16 m_almacen = 0;
    QDate m_fecha;
    qint16 m_numLinea = 0;
};

} // namespace zqvr::kits
