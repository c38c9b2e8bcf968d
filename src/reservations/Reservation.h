#pragma once
// One reservation as the viewer shows it and the printout prints it: the
// header, the article lines with their amounts, the movements and the
// totals, worked out once so that screen and paper always agree.
#include "reservations_export.h"
#include "reservations/ReservationStore.h"

#include <optional>

namespace zqvr::db { class Connection; }
namespace zqvr::host { class Empresa; }

namespace zqvr::reservations {

struct ZQVR_RESERVATIONS_EXPORT ReservationLine : ReservationLineRow {
    // Units × price less the discount, with the tax added when it applies.
    double importe = 0;
};

struct ZQVR_RESERVATIONS_EXPORT ReservationTotals {
    double totalReservaPendiente = 0; // the lines not sold yet
    double entregado = 0;             // paid on account (payments, refunds)
    double vendido = 0;               // the sales made out of the payments
    double pendiente = 0;             // what the customer still owes
};

struct ZQVR_RESERVATIONS_EXPORT Reservation {
    ReservationHeader header;
    // No customer counts as intra-community: no tax is added to its lines.
    bool intraComunitario = true;
    bool impuestoSumado = false; // the lines' amounts carry their tax
    QList<ReservationLine> lines;
    QList<ReservationMovementRow> movements;
    ReservationTotals totals;
};

// The amount of a line: units × price less the discount percentage, rounded
// to cents; with a tax rate (percent, 0 = none) the tax, rounded to cents, is added.
ZQVR_RESERVATIONS_EXPORT double lineAmount(double unidades, double pvp, double dto, double taxRate);
ZQVR_RESERVATIONS_EXPORT ReservationTotals computeTotals(const QList<ReservationLine>& lines,
                                                         const QList<ReservationMovementRow>& movements);
// "ANULADA", "ABIERTA" or "CERRADA".
ZQVR_RESERVATIONS_EXPORT QString estadoTexto(bool pendiente, bool anulado);
// "EFECTIVO", "TARJETA", "VALE", "CHEQUE", "VENTA"; another kind by its number.
ZQVR_RESERVATIONS_EXPORT QString nombreTipoPago(int tipo);
// A movement's kind as the payments grid writes it; an exchange is marked " (CAMBIO)".
ZQVR_RESERVATIONS_EXPORT QString tipoEntregaTexto(const ReservationMovementRow& m);

// Reads one reservation of the host's company, its lines with the company
// object's tax rule (its flag, and its rate for each tax type, unless the
// customer is intra-community) and its movements. Nothing when the company
// has no reservation of that number. Throws Error.
ZQVR_RESERVATIONS_EXPORT std::optional<Reservation> loadReservation(db::Connection& conn, const host::Empresa& empresa,
                                                                    int codigo);

} // namespace zqvr::reservations
