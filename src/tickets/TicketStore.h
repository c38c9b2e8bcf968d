#pragma once
// Reading tickets as the viewer, its search and the receipt need them. Only
// reads: nothing here changes the database. Failures are re-raised with the
// source "TicketStore::<procedure>".
#include "tickets_export.h"
#include "tickets/TicketStatements.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <optional>

namespace zqvr::db { class Connection; }

namespace zqvr::tickets {

struct ZQVR_TICKETS_EXPORT TicketRow {
    int codigo = 0;
    QDate fecha;
    QTime hora; // time of the sale
    int cliente = 0;
    QString nombreCliente;
    double total = 0, efectivo = 0, tarjeta = 0, cheque = 0, vales = 0, credito = 0, cambio = 0;
};

struct ZQVR_TICKETS_EXPORT TicketLineRow {
    int numLinea = 0;
    qint64 articulo = 0;
    QString descripcion;
    double pvp = 0, cantidad = 0, dto = 0;
    bool pm = false, promocion = false, pa = false;
    double impuesto = 0;
    bool kit = false;
    int tipoPromocion = 0;
};

// One till and cashier that recorded tickets on a day.
struct ZQVR_TICKETS_EXPORT TicketDayRow {
    QDate fecha;
    int caja = 0;
    int cajero = 0;
    QString nombreCajero;
};

class ZQVR_TICKETS_EXPORT TicketStore {
public:
    explicit TicketStore(db::Connection& conn) : m_conn(conn) {}

    QList<TicketRow> tickets(const TicketFilter& f) const;
    // One ticket by its key with its cashier (code and name); nothing when it does not exist.
    struct Found {
        TicketRow row;
        int cajero = 0;
        QString nombreCajero;
    };
    std::optional<Found> ticket(const TicketKey& k, int empresaClientes) const;
    QList<TicketLineRow> lines(const TicketKey& k, int empresaArticulos) const;
    QList<TicketDayRow> days(int empresa, int almacen, const QDate& from, const QDate& to, qint64 articulo) const;
    // The cashier of the latest ticket of a till on a day, 0 when the till sold nothing.
    int lastCashier(int empresa, int almacen, int caja, const QDate& fecha) const;
    // The first card's name, "Tarjeta" when the ticket has no card row or the name is empty.
    QString cardName(const TicketKey& k) const;
    // A general-scope parameter; nothing when the row is missing.
    std::optional<QString> parameter(int empresa, int almacen, int codigo) const;
    // The general-scope parameters of a code range that have a row.
    QMap<int, QString> parameters(int empresa, int almacen, int from, int to) const;
    // Code 75: the text receipt (true, also when the row is missing) or the host's ticket model.
    bool textReceipt(int empresa, int almacen) const;

private:
    db::Connection& m_conn;
};

// Name shown for a promotion kind; "" for 0, 1 and anything above 16.
ZQVR_TICKETS_EXPORT QString nombreTipoPromocion(int tipo);
// The tax rate as the lines grid shows it: "7%", "9,5%", "0%".
ZQVR_TICKETS_EXPORT QString textoImpuesto(double rate);

} // namespace zqvr::tickets
