#pragma once
// The components sold inside one kit line of a ticket, read only. The
// caller sets the ticket's warehouse, till, date, number and the line, then
// calls cargar and runs the window modally.
#include "kits_export.h"

#include <QDate>
#include <QDialog>
#include <memory>

namespace Ui { class frmArticulosKit; }

namespace zqvr::kits {

class ZQVR_KITS_EXPORT frmArticulosKit : public QDialog {
    Q_OBJECT
public:
    explicit frmArticulosKit(QWidget* parent = nullptr);
    ~frmArticulosKit() override;

    void setCodigo(qint32 ticket) { m_codigo = ticket; }
    void setCaja(qint16 caja) { m_caja = caja; }
    void setAlmacen(qint16 almacen) { m_almacen = almacen; }
    void setFecha(const QDate& fecha) { m_fecha = fecha; }
    void setNumLinea(qint16 linea) { m_numLinea = linea; }

    // Fills the grid; a failure is reported under "frmArticulosKit:Form_Load".
    void cargar();

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
