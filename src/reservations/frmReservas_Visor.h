#pragma once
// The reservations viewer: a filtered list of the company's reservations
// and, for the one selected, its header, article lines, payments and sales,
// and what is still owed; it prints the reservation shown. It only reads:
// the terminals write the reservations.
//
// Moving the selection through the list (arrow keys, move buttons) loads the
// reservation it lands on; the "Detalles" tab is brought forward only by
// Enter or a double click on a row, so that the list can be browsed with the
// arrow keys. The list holds the host company's reservations only, so that
// each one opens with the articles, customers, agents and tax rates of the
// company it belongs to.
// Keys: F9 prints (while "Detalles" is selected), Esc closes the window.
#include "reservations_export.h"
#include "reservations/Reservation.h"

#include "frame/Form.h"

#include <memory>
#include <optional>

namespace Ui { class frmReservas_Visor; }

namespace zqvr::reservations {

class ZQVR_RESERVATIONS_EXPORT frmReservas_Visor : public frame::Form {
    Q_OBJECT
public:
    explicit frmReservas_Visor(QWidget* parent = nullptr);
    ~frmReservas_Visor() override;

    // Grid columns.
    enum ResCol { ResFecha, ResCodigo, ResCliente, ResVencim, ResEntregado, ResVendido, ResPend, ResAnul, ResCols };
    enum ArtCol { ArtL, ArtCodigo, ArtDescripcion, ArtCualidadX, ArtCualidadY, ArtUnid, ArtPrecio, ArtDto, ArtImporte,
                  ArtCols };
    enum EntCol { EntFecha, EntTipo, EntCantidad, EntCols };

    // The reservation the detail shows; nothing when none is.
    const std::optional<Reservation>& reserva() const { return m_reserva; }

protected:
    void formLoad() override;

private:
    void txtReserva_Filtro_KeyPress(int& keyAscii);
    void cboEstado_Enter();
    void cboEstado_Click(int index);
    void grdReservas_RowColChange(int row, int col);
    void grdReservas_EnterPressed(int row);
    void grdReservas_DoubleClicked(int row, int col);
    void grdReservas_BeforeFirstRow();
    void Tabs_Click(int tab);
    void cmdPrimero_Click();
    void cmdAnterior_Click();
    void cmdSiguiente_Click();
    void cmdUltimo_Click();
    void cmdImprimir_Click();
    void cmdSalir_Click();

    void configurarGrids();
    // Reads the filters and fills the list; false (after telling the user) when a filter is refused.
    bool CargarReservas();
    // Loads the reservation of the selected row into the detail.
    void CargarReserva();
    void limpiarDetalle();
    void mostrarReserva(const Reservation& r);
    void moverA(int row);
    void abrirDetalle();
    bool hayReservas() const;
    int reservaSeleccionada() const;

    std::unique_ptr<Ui::frmReservas_Visor> ui;
    std::optional<Reservation> m_reserva;
    bool m_filling = false; // the list is being filled: its selection moves load nothing
};

} // namespace zqvr::reservations
