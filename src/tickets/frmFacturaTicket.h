#pragma once
// Invoice from ticket: the user names a ticket (warehouse, till, date,
// number), chooses the customer and checks the fiscal data; Aceptar reprints
// the ticket's invoice when it has one, or, once confirmed, numbers a new
// invoice, records it centrally and in the till's own database and prints it.
// Keys: Enter in cboDto moves to the next field and Up to the previous one.
#include "tickets_export.h"
#include "tickets/FacturaTicketStore.h"

#include "frame/Form.h"

#include <memory>

namespace Ui { class frmFacturaTicket; }
namespace zqvr::controls { class ctlCheckBox; }

namespace zqvr::tickets {

class ZQVR_TICKETS_EXPORT frmFacturaTicket : public frame::Form {
    Q_OBJECT
public:
    explicit frmFacturaTicket(QWidget* parent = nullptr);
    ~frmFacturaTicket() override;

    // The copies checked: bit i for chkCopia(i); none checked gives copy 1 only.
    int mascaraCopias() const;
    // The pseudo printers of cboImpresora that show the invoice or write it to a PDF file.
    static QString pantalla();
    static QString ficheroPdf();

protected:
    void formLoad() override;

private:
    void txtTicket_KeyPress(int& keyAscii);
    void txtCliente_Validar(qint64 code, bool& cancel);
    void cmdAceptar_Click();
    void cmdCancelar_Click();
    void cboDto_Up();

    // The ticket's key from the fields; false when one of them is not valid.
    bool claveTicket(TicketKey& k) const;
    void cargarTicket(const TicketKey& k);
    // Fills the fiscal fields from the customer; nothing when it is unknown.
    std::optional<CustomerFiscal> cargarCliente(int codigo);
    void mostrarFiscal(const FiscalData& f);
    FiscalData fiscal() const;
    void limpiarFiscal();
    // Prints the ticket's invoice; its failures are told as a printing problem.
    void imprimir(const TicketKey& k, int cajero);

    std::unique_ptr<Ui::frmFacturaTicket> ui;
    QList<controls::ctlCheckBox*> m_copias;
};

} // namespace zqvr::tickets
