#pragma once
// The statements of the reservations viewer, built as text in the suite's
// dialect. Reservations are read only: the terminals write them.
#include "reservations_export.h"

#include <QDate>
#include <QString>

namespace zqvr::db { class Dialect; }

namespace zqvr::reservations {

// The states of the list's state filter, in the order of cboEstado.
enum class EstadoFiltro { Abierta = 0, Anulada = 1, Cerrada = 2, Todas = 3 };

// What the list shows. With a number only that reservation is looked for
// (the state still applies); otherwise the customer text, the range of the
// day made (both ends required), the optional range of the last change (an
// invalid date leaves that end open) and the optional warehouse (0 = any).
struct ZQVR_RESERVATIONS_EXPORT ReservationFilter {
    int empresa = 0;
    int numero = 0;
    QString cliente;
    QDate desde, hasta;
    QDate modifDesde, modifHasta;
    EstadoFiltro estado = EstadoFiltro::Abierta;
    int almacen = 0;
};

namespace sql {

// The customer text as a LIKE pattern that finds it anywhere in the name,
// with %, _, [ and the escape character itself searched literally (quotes
// are doubled by the literal helper). Goes with likeEscape().
ZQVR_RESERVATIONS_EXPORT QString likeContains(const QString& text);
// The ESCAPE clause of the patterns likeContains makes.
ZQVR_RESERVATIONS_EXPORT QString likeEscape();

// The reservations of the filter, newest first. The last day of each range is
// included whole, whatever the time of day stored.
ZQVR_RESERVATIONS_EXPORT QString reservationList(const db::Dialect& d, const ReservationFilter& f);
// One reservation's header with its agent's name ("" when none or gone).
ZQVR_RESERVATIONS_EXPORT QString reservationHeader(int empresa, int codigo);
// Whether a customer is intra-community.
ZQVR_RESERVATIONS_EXPORT QString intraCommunity(int empresaClientes, int cliente);
// The article lines in line order, with the article's descriptions, the names
// of the quality values and the agent. A line whose article was deleted since
// is listed too, with empty descriptions.
ZQVR_RESERVATIONS_EXPORT QString reservationLines(const db::Dialect& d, int empresa, int empresaArticulos, int codigo);
// The payments, sales, exchanges and cancellations in the order they were made.
ZQVR_RESERVATIONS_EXPORT QString reservationMovements(int empresa, int codigo);

// The name of a warehouse.
ZQVR_RESERVATIONS_EXPORT QString warehouseName(int empresa, int almacen);

} // namespace sql
} // namespace zqvr::reservations
