// The reservations viewer reads what the terminals wrote when they took a
// reservation; its statements are the system's own text, rendered for SQL Server.
#include "reservations/ReservationStatements.h"
#include "reservations/ReservationStore.h"
#include "support/StatementContract.h"

#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::reservations;
using db::Connection;

namespace {

ReservationFilter filter()
{
    ReservationFilter f;
    f.empresa = 1;
    f.cliente = QStringLiteral("50%_O'Neil");
    f.desde = QDate(2026, 11, 1);
    f.hasta = QDate(2026, 11, 30);
    f.modifDesde = QDate(2026, 11, 15);
    f.modifHasta = QDate(2026, 12, 5);
    f.estado = EstadoFiltro::Cerrada;
    f.almacen = 3;
    return f;
}

} // namespace

TEST(StatementContract, TheReservationsViewerSendsTheSystemsStatements)
{
    test::expectStatements("reservations viewer", {
        // The customer text is searched literally; the last day of each range is
        // taken whole.
        {"list by filters", [](Connection& c) { ReservationStore(c).list(filter()); },
         {"SELECT r.Codigo, r.Fecha, r.Fecha_Vencimiento, r.Nomb_Cliente, r.Cajero, ISNULL(a.Nombre, '') AS Nomb_Cajero,"
          " r.Total_Entregado, r.Total_Ventas, r.Pendiente, r.Anulado FROM Reservas r"
          " LEFT JOIN SGD_Usuarios a ON r.Cajero=a.Codigo WHERE r.Cod_Empresa=1 AND r.Nomb_Cliente LIKE '%50!%!_O''Neil%' ESCAPE '!'"
          " AND r.Fecha >= '01/11/2026' AND r.Fecha < '01/12/2026' AND r.Fecha_Ult_Modificacion >= '15/11/2026'"
          " AND r.Fecha_Ult_Modificacion < '06/12/2026' AND r.Cod_Almacen =3 AND r.Pendiente=0 AND r.Anulado=0"
          " ORDER BY r.Fecha DESC, r.Codigo DESC"}},
        {"list of every state with the change dates open", [](Connection& c) {
             ReservationFilter f = filter();
             f.cliente.clear();
             f.modifDesde = f.modifHasta = QDate();
             f.estado = EstadoFiltro::Todas;
             f.almacen = 0;
             ReservationStore(c).list(f);
         },
         {"SELECT r.Codigo, r.Fecha, r.Fecha_Vencimiento, r.Nomb_Cliente, r.Cajero, ISNULL(a.Nombre, '') AS Nomb_Cajero,"
          " r.Total_Entregado, r.Total_Ventas, r.Pendiente, r.Anulado FROM Reservas r"
          " LEFT JOIN SGD_Usuarios a ON r.Cajero=a.Codigo WHERE r.Cod_Empresa=1 AND r.Fecha >= '01/11/2026' AND r.Fecha < '01/12/2026'"
          " ORDER BY r.Fecha DESC, r.Codigo DESC"}},
        {"list by number (open ones)", [](Connection& c) {
             ReservationFilter f = filter();
             f.numero = 101;
             f.estado = EstadoFiltro::Abierta;
             ReservationStore(c).list(f);
         },
         {"SELECT r.Codigo, r.Fecha, r.Fecha_Vencimiento, r.Nomb_Cliente, r.Cajero, ISNULL(a.Nombre, '') AS Nomb_Cajero,"
          " r.Total_Entregado, r.Total_Ventas, r.Pendiente, r.Anulado FROM Reservas r"
          " LEFT JOIN SGD_Usuarios a ON r.Cajero=a.Codigo WHERE r.Cod_Empresa=1 AND r.Codigo=101 AND r.Pendiente=1"}},
        {"cancelled ones", [](Connection& c) {
             ReservationFilter f = filter();
             f.numero = 101;
             f.estado = EstadoFiltro::Anulada;
             ReservationStore(c).list(f);
         },
         {"SELECT r.Codigo, r.Fecha, r.Fecha_Vencimiento, r.Nomb_Cliente, r.Cajero, ISNULL(a.Nombre, '') AS Nomb_Cajero,"
          " r.Total_Entregado, r.Total_Ventas, r.Pendiente, r.Anulado FROM Reservas r"
          " LEFT JOIN SGD_Usuarios a ON r.Cajero=a.Codigo WHERE r.Cod_Empresa=1 AND r.Codigo=101 AND r.Anulado=1"}},
        {"header", [](Connection& c) { ReservationStore(c).header(1, 101); },
         {"SELECT r.Codigo, r.Cod_Empresa, r.Cod_Almacen, r.Fecha, r.Fecha_Ult_Modificacion, r.Fecha_Vencimiento,"
          " r.Cod_Cliente, r.Nomb_Cliente, r.Telefono, r.Nif, r.Domicilio, r.Paquete, r.Observaciones, r.Agente,"
          " r.Cajero, r.Ult_Dto_Aplicado, r.Pendiente, r.Anulado, ag.Nombre AS Nombre_Agente FROM Reservas r"
          " LEFT JOIN Agentes ag ON ag.Cod_Empresa=r.Cod_Empresa AND ag.Codigo=r.Agente"
          " WHERE r.Codigo=101 AND r.Cod_Empresa=1"}},
        {"intra-community customer", [](Connection& c) { ReservationStore(c).intraCommunity(2, 55); },
         {"SELECT IntraCom FROM Clientes WHERE Cod_Empresa =2 AND Codigo =55"}},
        // A line whose article was deleted since is still shown (LEFT JOIN, Existe = 0).
        {"lines", [](Connection& c) { ReservationStore(c).lines(1, 2, 101); },
         {"SELECT RL.Vendida, RL.Num_Linea, RL.Cod_Articulo, ISNULL(a.Descripcion, '') AS Descripcion,"
          " ISNULL(a.Desc_Ticket, '') AS Desc_Ticket, ISNULL(RL.CualidadX, 0) AS CualidadX,"
          " ISNULL(RL.CualidadY, 0) AS CualidadY, ISNULL(b.Nombre, '') AS NombCualX, ISNULL(c.Nombre, '') AS NombCualY,"
          " RL.Unidades, RL.Pvp, RL.TipoImpuesto, RL.Serie, RL.Agente, RL.Dto, ISNULL(ag.Nombre, '') AS Nomb_Agente,"
          " CASE WHEN a.Codigo IS NULL THEN 0 ELSE 1 END AS Existe FROM Reservas_Lineas RL"
          " LEFT JOIN Articulos a ON a.Codigo=RL.Cod_Articulo AND a.Cod_Empresa=2"
          " LEFT JOIN Cualidades_Des b ON a.Cod_Empresa = b.Cod_Empresa AND a.CualidadX = b.Cod_Cualidad"
          " AND b.Codigo = RL.CualidadX LEFT JOIN Cualidades_Des c ON a.Cod_Empresa = c.Cod_Empresa"
          " AND a.CualidadY = c.Cod_Cualidad AND c.Codigo = RL.CualidadY"
          " LEFT JOIN Agentes ag ON ag.Cod_Empresa=RL.Cod_Empresa AND ag.Codigo=RL.Agente"
          " WHERE RL.Codigo = 101 AND RL.Cod_Empresa=1 ORDER BY RL.Num_Linea"}},
        {"payments", [](Connection& c) { ReservationStore(c).movements(1, 101); },
         {"SELECT Num_Entrega, Fecha, Tipo_Pago, Cantidad, Cod_Almacen, Venta, Anulacion, Cambio FROM Reservas_Historico"
          " WHERE Cod_Empresa=1 AND Codigo=101 ORDER BY Num_Entrega"}},
        {"warehouse name", [](Connection& c) { ReservationStore(c).warehouseName(1, 3); },
         {"SELECT Nombre FROM Almacenes WHERE Cod_Empresa =1 AND Codigo =3"}},
    });
}
