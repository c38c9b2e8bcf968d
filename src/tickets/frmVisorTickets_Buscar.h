#pragma once
// The ticket search: on which days, tills and cashiers a warehouse recorded
// tickets between two dates, optionally only tickets that sold an article.
// The caller hands it the warehouse, runs it modally and reads the choice;
// a cashier of 0 means nothing was chosen.
#include "tickets_export.h"

#include <QDate>
#include <QDialog>
#include <memory>

namespace Ui { class frmVisorTickets_Buscar; }

namespace zqvr::tickets {

class ZQVR_TICKETS_EXPORT frmVisorTickets_Buscar : public QDialog {
    Q_OBJECT
public:
    enum Col { ColFecha, ColCaja, ColCajero };

    explicit frmVisorTickets_Buscar(QWidget* parent = nullptr);
    ~frmVisorTickets_Buscar() override;

    // The warehouse shown when the dialog opens.
    void setCodigoAlmacen(int almacen);

    // The choice.
    int CodigoAlmacen() const { return m_almacen; }
    qint64 CodigoArticulo() const { return m_articulo; }
    QDate Fecha() const { return m_fecha; }
    int Caja() const { return m_caja; }
    int CodigoCajero() const { return m_cajero; }

private:
    void txtArticulo_KeyPress(int& keyAscii);
    void cmdAceptar_Click();
    void cmdCancelar_Click();
    void grdTickets_Cajeros_Choose();
    void buscar();
    // Takes the selected till row; false on a date row or with no row.
    bool elegir();

    std::unique_ptr<Ui::frmVisorTickets_Buscar> ui;
    qint64 m_articuloBuscado = 0; // the article of the last search
    int m_almacen = 0;
    qint64 m_articulo = 0;
    QDate m_fecha;
    int m_caja = 0;
    int m_cajero = 0;
};

} // namespace zqvr::tickets
