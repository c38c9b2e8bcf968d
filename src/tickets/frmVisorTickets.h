#pragma once
// The ticket viewer: the tickets one till of a warehouse recorded for one
// cashier on one day (optionally only those that sold an article), with
// totals and payments, the lines of the selected ticket, the composition of
// its kit lines, and the reprint of the ticket. It only reads.
//
// The lines, the kit window and the reprint always use the warehouse, till,
// cashier and date of the search that filled the list, not what the fields
// show at the moment: a field edited after the search never pairs a ticket
// number with another till's or day's lines.
// Keys: Esc closes the window.
#include "tickets_export.h"
#include "tickets/TicketPrinting.h"

#include "frame/Form.h"

#include <memory>

class QAction;
class QMenu;

namespace Ui { class frmVisorTickets; }

namespace zqvr::tickets {

class ZQVR_TICKETS_EXPORT frmVisorTickets : public frame::Form {
    Q_OBJECT
public:
    explicit frmVisorTickets(QWidget* parent = nullptr);
    ~frmVisorTickets() override;

    // Grid columns.
    enum CabCol { CabCodigo, CabFecha, CabHora, CabCliente, CabImporte, CabEfectivo, CabTarjeta, CabCheques,
                  CabVales, CabCredito, CabCambio, CabCols };
    enum LinCol { LinNumLinea, LinArticulo, LinDescripcion, LinK, LinPVP, LinCantidad, LinDto, LinIgic, LinPM,
                  LinPR, LinPA, LinTPromo, LinCols };

    // The right-click menu of the lines grid ("Popup") and its command 1.
    QMenu* popupMenu() const { return m_popup; }
    QAction* kitCommand() const { return m_kitCommand; }
    // Runs a command of the pop-up bar (1 = "Composición del Kit").
    void CommandBars_Execute(int id);

protected:
    void formLoad() override;

private:
    struct Listed {
        bool valid = false;
        int almacen = 0;
        int caja = 0;
        int cajero = 0;
        QString nombreCajero;
        QDate fecha;
    };

    void txtArticulo_KeyPress(int& keyAscii);
    void SSTab_Click(int tab);
    void cmdPrimero_Click();
    void cmdAnterior_Click();
    void cmdSiguiente_Click();
    void cmdUltimo_Click();
    void cmdBuscarCajero_Click();
    void cmdImprimir_Click();
    void cmdCerrar_Click();
    void vsLineas_RightClicked(int row, int col, const QPoint& globalPos);

    void configurarGrids();
    // Runs the search of the fields (Enter in txtArticulo).
    void buscar();
    // Fills the ticket list; false when a criterion is missing (the list is then empty).
    bool cargarTickets();
    void cargarLineas();
    void moverA(int row);
    void limpiarLista();
    bool hayTickets() const;
    bool lineaEsKit() const;
    TicketKey claveSeleccionada() const;
    const TicketRow* ticketSeleccionado() const;

    std::unique_ptr<Ui::frmVisorTickets> ui;
    QMenu* m_popup = nullptr;
    QAction* m_kitCommand = nullptr;
    Listed m_listed;
    QList<TicketRow> m_tickets;       // the rows of vsCab, in grid order
    QList<TicketLineRow> m_lines;     // the rows of vsLineas
};

} // namespace zqvr::tickets
