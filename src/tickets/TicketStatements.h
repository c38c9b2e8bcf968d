#pragma once
// The statements of the ticket viewer, its search and its printing, built
// as text in the suite's dialect. Every join between the ticket tables
// carries the whole ticket key: a ticket number is unique only within one
// company, warehouse, till and date.
#include "tickets_export.h"
#include <QDate>
#include <QString>

namespace zqvr::db { class Dialect; }

namespace zqvr::tickets {

// The whole key of one ticket.
struct ZQVR_TICKETS_EXPORT TicketKey {
    int empresa = 0;
    int almacen = 0;
    int caja = 0;
    QDate fecha;
    int codigo = 0;
    bool operator==(const TicketKey&) const = default;
};

// What the viewer lists: one day, till and cashier of a warehouse,
// optionally only the tickets that sold an article (0 = all).
struct ZQVR_TICKETS_EXPORT TicketFilter {
    int empresa = 0;
    int empresaClientes = 0;
    int almacen = 0;
    int caja = 0;
    int cajero = 0;
    QDate fecha;
    qint64 articulo = 0;
};

namespace sql {

// Tickets of the filter in time order, with the customer's name ("" when
// there is none or it no longer exists). With an article each ticket comes once.
ZQVR_TICKETS_EXPORT QString ticketList(const db::Dialect& d, const TicketFilter& f);

// Lines of one ticket in line order with description, tax rate valid on the
// ticket's date (0 when none), kit mark and promotion kind. A line whose
// article no longer exists is still listed, with an empty description.
ZQVR_TICKETS_EXPORT QString ticketLines(const db::Dialect& d, const TicketKey& k, int empresaArticulos);

// One ticket by its whole key, with its cashier's name ("" when the user no longer exists).
ZQVR_TICKETS_EXPORT QString ticketByKey(const db::Dialect& d, const TicketKey& k, int empresaClientes);

// Days, tills and cashiers with tickets in a warehouse between two dates,
// optionally only tickets that sold an article (0 = all).
ZQVR_TICKETS_EXPORT QString ticketDays(const db::Dialect& d, int empresa, int almacen, const QDate& from,
                                       const QDate& to, qint64 articulo);

// The cashier of the latest ticket of a till on a day.
ZQVR_TICKETS_EXPORT QString lastCashier(const db::Dialect& d, int empresa, int almacen, int caja, const QDate& fecha);

// Name of the card a ticket was paid with.
ZQVR_TICKETS_EXPORT QString cardName(const db::Dialect& d, const TicketKey& k);

// One general-scope terminal parameter, and a range of them in code order.
ZQVR_TICKETS_EXPORT QString parameter(int empresa, int almacen, int codigo);
ZQVR_TICKETS_EXPORT QString parameterRange(int empresa, int almacen, int from, int to);

} // namespace sql
} // namespace zqvr::tickets
