#include "reservations/ReservationStore.h"

#include "db/Connection.h"
#include "db/Error.h"

namespace zqvr::reservations {

namespace {
QString src(const char* procedure) { return QStringLiteral("ReservationStore::") + QLatin1String(procedure); }
} // namespace

QList<ReservationListRow> ReservationStore::list(const ReservationFilter& f) const
{
    return reraiseAs(src("list"), [&] {
        QList<ReservationListRow> out;
        auto rs = m_conn.query(sql::reservationList(m_conn.dialect(), f));
        while (!rs.eof()) {
            ReservationListRow r;
            r.codigo = rs.value(0).toInt();
            r.fecha = rs.value(1).toDate();
            r.vencimiento = rs.value(2).toDate();
            r.nombreCliente = rs.value(3).toString();
            r.cajero = rs.value(4).toInt();
            r.nombreCajero = rs.value(5).toString();
            r.entregado = rs.value(6).toDouble();
            r.vendido = rs.value(7).toDouble();
            r.pendiente = rs.value(8).toBool();
            r.anulado = rs.value(9).toBool();
            out.push_back(std::move(r));
            rs.moveNext();
        }
        return out;
    });
}

std::optional<ReservationHeader> ReservationStore::header(int empresa, int codigo) const
{
    return reraiseAs(src("header"), [&]() -> std::optional<ReservationHeader> {
        auto rs = m_conn.query(sql::reservationHeader(empresa, codigo));
        if (rs.eof())
            return std::nullopt;
        ReservationHeader h;
        h.codigo = rs["Codigo"].toInt();
        h.empresa = rs["Cod_Empresa"].toInt();
        h.almacen = rs["Cod_Almacen"].toInt();
        h.fecha = rs["Fecha"].toDateTime();
        h.ultModificacion = rs["Fecha_Ult_Modificacion"].toDateTime();
        h.vencimiento = rs["Fecha_Vencimiento"].toDate();
        h.cliente = rs["Cod_Cliente"].toInt();
        h.nombreCliente = rs["Nomb_Cliente"].toString();
        h.telefono = rs["Telefono"].toString();
        h.nif = rs["Nif"].toString();
        h.domicilio = rs["Domicilio"].toString();
        h.paquete = rs["Paquete"].toString();
        h.observaciones = rs["Observaciones"].toString();
        h.agente = rs["Agente"].toInt();
        h.nombreAgente = rs["Nombre_Agente"].toString();
        h.cajero = rs["Cajero"].toInt();
        h.ultDto = rs["Ult_Dto_Aplicado"].toDouble();
        h.pendiente = rs["Pendiente"].toBool();
        h.anulado = rs["Anulado"].toBool();
        return h;
    });
}

bool ReservationStore::intraCommunity(int empresaClientes, int cliente) const
{
    if (cliente == 0)
        return true;
    return reraiseAs(src("intraCommunity"),
                     [&] { return m_conn.scalar(sql::intraCommunity(empresaClientes, cliente)).toBool(); });
}

QList<ReservationLineRow> ReservationStore::lines(int empresa, int empresaArticulos, int codigo) const
{
    return reraiseAs(src("lines"), [&] {
        QList<ReservationLineRow> out;
        auto rs = m_conn.query(sql::reservationLines(m_conn.dialect(), empresa, empresaArticulos, codigo));
        while (!rs.eof()) {
            ReservationLineRow l;
            l.vendida = rs.value(0).toBool();
            l.numLinea = rs.value(1).toInt();
            l.articulo = rs.value(2).toLongLong();
            l.descripcion = rs.value(3).toString();
            l.descTicket = rs.value(4).toString();
            l.cualidadX = rs.value(5).toInt();
            l.cualidadY = rs.value(6).toInt();
            l.nombreCualidadX = rs.value(7).toString();
            l.nombreCualidadY = rs.value(8).toString();
            l.unidades = rs.value(9).toDouble();
            l.pvp = rs.value(10).toDouble();
            l.tipoImpuesto = rs.value(11).toInt();
            l.serie = rs.value(12).toString();
            l.agente = rs.value(13).toInt();
            l.dto = rs.value(14).toDouble();
            l.nombreAgente = rs.value(15).toString();
            l.articuloExiste = rs.value(16).toBool();
            out.push_back(std::move(l));
            rs.moveNext();
        }
        return out;
    });
}

QList<ReservationMovementRow> ReservationStore::movements(int empresa, int codigo) const
{
    return reraiseAs(src("movements"), [&] {
        QList<ReservationMovementRow> out;
        auto rs = m_conn.query(sql::reservationMovements(empresa, codigo));
        while (!rs.eof()) {
            ReservationMovementRow m;
            m.numEntrega = rs.value(0).toInt();
            m.fecha = rs.value(1).toDateTime();
            m.tipoPago = rs.value(2).toInt();
            m.cantidad = rs.value(3).toDouble();
            m.almacen = rs.value(4).toInt();
            m.venta = rs.value(5).toBool();
            m.anulacion = rs.value(6).toBool();
            m.cambio = rs.value(7).toBool();
            out.push_back(std::move(m));
            rs.moveNext();
        }
        return out;
    });
}

QString ReservationStore::warehouseName(int empresa, int almacen) const
{
    return reraiseAs(src("warehouseName"), [&] {
        return m_conn.scalar(sql::warehouseName(empresa, almacen)).toString();
    });
}

} // namespace zqvr::reservations
