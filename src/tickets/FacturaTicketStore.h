#pragma once
// Everything the invoice-from-ticket screen reads and writes: the ticket and
// its invoice, the customer's fiscal data, the warehouse's invoice series,
// the till's own database, and the generation of an invoice.
//
// Generating writes to two databases, in an order chosen so that a failure
// anywhere followed by a retry never makes two invoices nor puts two numbers
// on one ticket:
//   1. the number: when the till already holds an invoice row for the
//      ticket, its number is used again; otherwise a new number is reserved
//      (committed by the numbering object on its own);
//   2. the till's row, when the till is reachable and has the ticket;
//   3. one central transaction that looks again, under the write lock,
//      whether the ticket has an invoice (another user may have made it):
//      when it has, nothing is written and that invoice is the result; when
//      not, the ticket moves to the customer, the statistics follow it and
//      the invoice row is inserted.
// A failure before 3 commits leaves the central database untouched. A retry
// then finds the till row (when it was written) and reuses its number; when
// the till could not take it, the reserved number stays unused: a gap, never
// a duplicate. The central key holds one invoice per ticket.
//
// Failures are re-raised with the source "FacturaTicketStore::<procedure>".
#include "tickets_export.h"
#include "tickets/TicketStatements.h"

#include <QDate>
#include <QString>
#include <memory>
#include <optional>

namespace zqvr::db { class Connection; class Dialect; }
namespace zqvr::host {
class Empresa;
class NumeradorFacturas;
class EstadisticasClientes;
class TillConnector;
class Descifrador;
struct TillLogin;
} // namespace zqvr::host

namespace zqvr::tickets {

// What a till logs in with when its row keeps no login.
inline constexpr const char* kUsuarioCajaDefecto = "sa";
inline constexpr const char* kPasswordCajaDefecto = "vorlm";

// The invoice's fiscal block.
struct ZQVR_TICKETS_EXPORT FiscalData {
    QString nif, nombre, nombreComercial, direccion;
    int cp = 0;
    QString localidad, provincia, pais, telefono;
    bool operator==(const FiscalData&) const = default;
};

struct ZQVR_TICKETS_EXPORT StoredInvoice {
    int cliente = 0;
    int serie = 0;
    int numero = 0;
    FiscalData fiscal;
    QDate fechaFactura;
    int almacenFactura = 0;
};

struct ZQVR_TICKETS_EXPORT InvoiceTicket {
    int cliente = 0;
    int cajero = 0;
    std::optional<StoredInvoice> factura; // the ticket's invoice, when it has one
};

struct ZQVR_TICKETS_EXPORT CustomerFiscal {
    FiscalData fiscal;
    bool bloqueado = false;
};

// The host objects a generation uses.
struct ZQVR_TICKETS_EXPORT InvoiceHost {
    host::NumeradorFacturas* numerador = nullptr;
    host::EstadisticasClientes* estadisticas = nullptr;
    host::TillConnector* caja = nullptr;
    host::Descifrador* descifrador = nullptr;
};

struct ZQVR_TICKETS_EXPORT InvoiceRequest {
    TicketKey key;            // key.empresa: the company code
    int cliente = 0;          // customer of the invoice
    FiscalData fiscal;
    int serie = 0;
    int facturaAlmacen = 0;   // the host's "Almacen_PD"
    QDate hoy = QDate::currentDate();
};

struct ZQVR_TICKETS_EXPORT InvoiceOutcome {
    bool generated = false;   // false: the ticket had its invoice already (made by another user)
    StoredInvoice invoice;    // what the central database holds now
    bool tillCopy = false;    // the till's database holds the invoice row
};

class ZQVR_TICKETS_EXPORT FacturaTicketStore {
public:
    FacturaTicketStore(db::Connection& conn, host::Empresa& empresa) : m_conn(conn), m_empresa(empresa) {}

    // The ticket with its invoice, if any (what the screen shows on Enter); nothing when there is no ticket.
    std::optional<InvoiceTicket> ticketConFactura(const TicketKey& k) const;
    // The ticket alone; nothing when it does not exist.
    std::optional<InvoiceTicket> ticket(const TicketKey& k) const;
    // The ticket's invoice; nothing when it has none.
    std::optional<StoredInvoice> factura(const TicketKey& k) const;
    // A customer's fiscal data, billing overrides first, with its main telephone; nothing when unknown.
    std::optional<CustomerFiscal> cliente(int codigo) const;
    // The warehouse's invoice series (general parameter 374), 0 when it is not set.
    int serie(int almacen) const;

    // The login of an online till, deciphered, with the defaults for an empty
    // user or password; nothing when the till is not online or not known.
    std::optional<host::TillLogin> loginCaja(int caja, host::Descifrador& descifrador) const;
    // The till's own database, or nullptr when it cannot be reached (never throws).
    std::unique_ptr<db::Connection> abrirCaja(int caja, host::TillConnector& connector,
                                              host::Descifrador& descifrador) const;

    // Generates the invoice (see the top of this file). Throws Error; the
    // central database is then as it was.
    InvoiceOutcome generar(const InvoiceRequest& r, const InvoiceHost& h);

    // The insert of an invoice row in a database of that dialect (the till's carries Enviado = 1).
    static QString insertFactura(const db::Dialect& d, const InvoiceRequest& r, int numero, bool copiaCaja);

private:
    struct TillResult {
        int numero = 0;
        int cliente = 0;
        bool written = false;
    };
    std::optional<StoredInvoice> facturaEn(db::Connection& c, const TicketKey& k, bool lock) const;
    void moverVentas(const TicketKey& k, int anterior, int nuevo, host::EstadisticasClientes& est);

    db::Connection& m_conn;
    host::Empresa& m_empresa;
};

} // namespace zqvr::tickets
