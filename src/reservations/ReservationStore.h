#pragma once
// Reading reservations as the viewer and its printout need them. Only reads:
// the terminals write the reservations. Failures are re-raised with the
// source "ReservationStore::<procedure>".
#include "reservations_export.h"
#include "reservations/ReservationStatements.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

namespace zqvr::db { class Connection; }

namespace zqvr::reservations {

// One row of the list.
struct ZQVR_RESERVATIONS_EXPORT ReservationListRow {
    int codigo = 0;
    QDate fecha;
    QDate vencimiento;
    QString nombreCliente;
    int cajero = 0;
    QString nombreCajero;
    double entregado = 0, vendido = 0;
    bool pendiente = false, anulado = false;
};

struct ZQVR_RESERVATIONS_EXPORT ReservationHeader {
    int empresa = 0;
    int codigo = 0;
    int almacen = 0;
    QDateTime fecha;
    QDateTime ultModificacion;
    QDate vencimiento;
    int cliente = 0;
    QString nombreCliente, telefono, nif, domicilio, paquete, observaciones;
    int agente = 0;
    QString nombreAgente;
    int cajero = 0;
    double ultDto = 0;
    bool pendiente = false, anulado = false;
};

struct ZQVR_RESERVATIONS_EXPORT ReservationLineRow {
    int numLinea = 0;
    bool vendida = false;
    qint64 articulo = 0;
    bool articuloExiste = true; // false: the article was deleted since
    QString descripcion, descTicket;
    int cualidadX = 0, cualidadY = 0;
    QString nombreCualidadX, nombreCualidadY;
    double unidades = 0, pvp = 0, dto = 0;
    int tipoImpuesto = 0;
    QString serie;
    int agente = 0;
    QString nombreAgente;
};

struct ZQVR_RESERVATIONS_EXPORT ReservationMovementRow {
    int numEntrega = 0;
    QDateTime fecha;
    int tipoPago = 0;
    double cantidad = 0;
    int almacen = 0;
    bool venta = false, anulacion = false, cambio = false;
};

class ZQVR_RESERVATIONS_EXPORT ReservationStore {
public:
    explicit ReservationStore(db::Connection& conn) : m_conn(conn) {}

    QList<ReservationListRow> list(const ReservationFilter& f) const;
    // Nothing when the company has no reservation of that number.
    std::optional<ReservationHeader> header(int empresa, int codigo) const;
    // Whether the customer is intra-community; true for no customer (0), as
    // no tax is charged to a sale nobody is named on. A customer that no
    // longer exists is not intra-community.
    bool intraCommunity(int empresaClientes, int cliente) const;
    QList<ReservationLineRow> lines(int empresa, int empresaArticulos, int codigo) const;
    QList<ReservationMovementRow> movements(int empresa, int codigo) const;
    // "" when the warehouse does not exist.
    QString warehouseName(int empresa, int almacen) const;

private:
    db::Connection& m_conn;
};

} // namespace zqvr::reservations
