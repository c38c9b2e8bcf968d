#include "reservations/Reservation.h"

#include "db/Error.h"
#include "host/Empresa.h"
#include "host/Formato.h"

#include <QHash>

namespace zqvr::reservations {

double lineAmount(double unidades, double pvp, double dto, double taxRate)
{
    const double bruto = unidades * pvp;
    double importe = host::Redondear(bruto - bruto * dto / 100.0, 2);
    if (taxRate != 0.0)
        importe += host::Redondear(importe * taxRate / 100.0, 2);
    return host::Redondear(importe, 2);
}

ReservationTotals computeTotals(const QList<ReservationLine>& lines, const QList<ReservationMovementRow>& movements)
{
    ReservationTotals t;
    for (const ReservationLine& l : lines)
        if (!l.vendida)
            t.totalReservaPendiente += l.importe;
    for (const ReservationMovementRow& m : movements)
        (m.venta ? t.vendido : t.entregado) += m.cantidad;
    t.totalReservaPendiente = host::Redondear(t.totalReservaPendiente, 2);
    t.entregado = host::Redondear(t.entregado, 2);
    t.vendido = host::Redondear(t.vendido, 2);
    // A sale is paid out of what was delivered: it takes its share of the
    // payments along with its line.
    t.pendiente = host::Redondear(t.totalReservaPendiente - t.entregado + t.vendido, 2);
    return t;
}

QString estadoTexto(bool pendiente, bool anulado)
{
    if (anulado)
        return QStringLiteral("ANULADA");
    return pendiente ? QStringLiteral("ABIERTA") : QStringLiteral("CERRADA");
}

QString nombreTipoPago(int tipo)
{
    switch (tipo) {
    case 0:
        return QStringLiteral("EFECTIVO");
    case 1:
        return QStringLiteral("TARJETA");
    case 2:
        return QStringLiteral("VALE");
    case 3:
        return QStringLiteral("CHEQUE");
    case 4:
        return QStringLiteral("VENTA");
    default:
        return QString::number(tipo);
    }
}

QString tipoEntregaTexto(const ReservationMovementRow& m)
{
    return m.cambio ? nombreTipoPago(m.tipoPago) + QStringLiteral(" (CAMBIO)") : nombreTipoPago(m.tipoPago);
}

std::optional<Reservation> loadReservation(db::Connection& conn, const host::Empresa& empresa, int codigo)
{
    const ReservationStore store(conn);
    const int company = empresa.CodigoEmpresa();
    auto header = store.header(company, codigo);
    if (!header)
        return std::nullopt;
    Reservation r;
    r.header = *header;
    r.intraComunitario = store.intraCommunity(empresa.EmpresaClientes(), header->cliente);
    r.impuestoSumado = empresa.SumarImpuestos() && !r.intraComunitario;
    QList<ReservationLineRow> rows = store.lines(company, empresa.EmpresaArticulos(), codigo);
    // The company's rates read once, however many lines and types there are.
    const QHash<int, double> rates =
        r.impuestoSumado && !rows.isEmpty() ? empresa.ValoresImpuesto() : QHash<int, double>();
    r.lines.reserve(rows.size());
    for (ReservationLineRow& row : rows) {
        ReservationLine l;
        static_cast<ReservationLineRow&>(l) = std::move(row);
        l.importe = lineAmount(l.unidades, l.pvp, l.dto, rates.value(l.tipoImpuesto, 0.0));
        r.lines.push_back(std::move(l));
    }
    r.movements = store.movements(company, codigo);
    r.totals = computeTotals(r.lines, r.movements);
    return r;
}

} // namespace zqvr::reservations
