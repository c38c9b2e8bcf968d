// The ticket viewer, its search, the reprinted receipt and the invoice made
// from a ticket read the tickets the terminals wrote; their statements are
// the system's own text, rendered for SQL Server.
#include "host/Empresa.h"
#include "host/InvoiceServices.h"
#include "InvoiceFixture.h"
#include "support/StatementContract.h"
#include "tickets/FacturaTicketStore.h"
#include "tickets/TicketPrinting.h"
#include "tickets/TicketStore.h"

#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::tickets;
using db::Connection;

namespace {

const QDate kDay(2026, 12, 6);

TicketFilter filter(qint64 articulo)
{
    TicketFilter f;
    f.empresa = 1;
    f.empresaClientes = 2;
    f.almacen = 3;
    f.caja = 4;
    f.cajero = 5;
    f.fecha = kDay;
    f.articulo = articulo;
    return f;
}

const TicketKey kTicket{1, 3, 4, kDay, 77};

host::Empresa& empresa()
{
    static host::Empresa e;
    e.setCodigoEmpresa(1);
    e.setEmpresaClientes(2);
    return e;
}

const QString kListColumns = QStringLiteral(
    "t.Codigo, t.Fecha, t.Hora, t.Total, t.Efectivo, t.Tarjeta, t.Cambio, t.Cheque, t.Vales, t.Credito,"
    " t.Cliente AS Cod_Cliente, ISNULL(c.Nombre, '') AS Cliente");

} // namespace

TEST(StatementContract, TheTicketViewerAndItsSearchSendTheSystemsStatements)
{
    test::expectStatements("ticket viewer", {
        {"ticket list", [](Connection& c) { TicketStore(c).tickets(filter(0)); },
         {"SELECT " + kListColumns +
          " FROM TPV_Tickets t LEFT JOIN Clientes c ON c.Cod_Empresa =2 AND c.Codigo = t.Cliente"
          " WHERE t.Cod_Empresa =1 AND t.Cod_Almacen =3 AND t.Caja =4 AND t.Cajero =5 AND t.Fecha ='06/12/2026'"
          " ORDER BY t.Hora"}},
        {"ticket list of an article", [](Connection& c) { TicketStore(c).tickets(filter(1001)); },
         {"SELECT DISTINCT " + kListColumns +
          " FROM TPV_Tickets t INNER JOIN TPV_Tickets_Lineas tl ON t.Codigo = tl.Codigo"
          " AND t.Cod_Empresa = tl.Cod_Empresa AND t.Cod_Almacen = tl.Cod_Almacen AND t.Caja = tl.Caja"
          " AND t.Fecha = tl.Fecha LEFT JOIN Clientes c ON c.Cod_Empresa =2 AND c.Codigo = t.Cliente"
          " WHERE t.Cod_Empresa =1 AND t.Cod_Almacen =3 AND t.Caja =4 AND t.Cajero =5 AND t.Fecha ='06/12/2026'"
          " AND tl.Cod_Articulo =1001 ORDER BY t.Hora"}},
        // A line whose article was removed from the article file is still
        // listed (LEFT JOIN, empty description): the ticket's total includes it.
        {"ticket lines", [](Connection& c) { TicketStore(c).lines(kTicket, 9); },
         {"SELECT tl.Num_Linea , tl.Cod_Articulo, ISNULL(a.Descripcion, '') AS Descripcion, tl.PVP, tl.Cantidad,"
          " tl.Dto , tl.PM, tl.Promocion, tl.PA, ISNULL(ti.Imp_Valor, 0) AS Impuesto,"
          " dbo.fn_TPVTicketsLineasEsKit(tl.Cod_Empresa,tl.Cod_Almacen,tl.Caja,tl.Fecha, tl.Codigo, tl.Num_Linea) Kit,"
          " ISNULL(tlp.Tipo_Promocion, 0) AS Tipo_Promocion FROM TPV_Tickets_Lineas tl"
          " LEFT JOIN Articulos a ON a.Cod_Empresa = 9 AND a.Codigo = tl.Cod_Articulo"
          " LEFT JOIN Igic_Tipos ti ON ti.Cod_Empresa = 1 AND ti.Tipo = tl.TipoImpuesto AND ti.FechaI <= tl.Fecha"
          " AND ti.FechaF >= tl.Fecha"
          " LEFT JOIN TPV_Tickets_Lineas_Promocion tlp ON tlp.Cod_Empresa = tl.Cod_Empresa"
          " AND tlp.Cod_Almacen = tl.Cod_Almacen AND tlp.Caja = tl.Caja AND tlp.Fecha = tl.Fecha"
          " AND tlp.Codigo = tl.Codigo AND tlp.Num_Linea = tl.Num_Linea"
          " WHERE tl.Cod_Empresa = 1 AND tl.Cod_Almacen = 3 AND tl.Caja = 4 AND tl.Fecha = '06/12/2026'"
          " AND tl.Codigo =77 ORDER BY tl.Num_Linea"}},
        // The viewer opens on the till's latest cashier of the day.
        {"last cashier of a till", [](Connection& c) { TicketStore(c).lastCashier(1, 3, 1, kDay); },
         {"SELECT TOP 1 Cajero FROM TPV_Tickets WHERE Cod_Empresa =1 AND Cod_Almacen =3 AND Caja =1"
          " AND Fecha ='06/12/2026' ORDER BY Hora DESC"}},
        // A ticket chosen by its whole key, with its cashier's name.
        {"one ticket", [](Connection& c) { TicketStore(c).ticket(kTicket, 2); },
         {"SELECT " + kListColumns +
          ", t.Cajero, ISNULL(u.Nombre, '') AS NomCajero FROM TPV_Tickets t LEFT JOIN Clientes c ON c.Cod_Empresa =2"
          " AND c.Codigo = t.Cliente LEFT JOIN SGD_Usuarios u ON u.Codigo = t.Cajero WHERE t.Cod_Empresa =1"
          " AND t.Cod_Almacen =3 AND t.Caja =4 AND t.Fecha ='06/12/2026' AND t.Codigo =77"}},
        // The search orders the cashiers of a till too, so that a page shows
        // them in a stable order; with an article the lines are joined on
        // the whole ticket key.
        {"search by dates", [](Connection& c) { TicketStore(c).days(1, 3, kDay.addDays(-5), kDay, 0); },
         {"SELECT DISTINCT TPV_Tickets.Fecha,TPV_Tickets.Caja, TPV_Tickets.Cajero,"
          " ISNULL(SGD_Usuarios.Nombre, '') AS NomCajero FROM TPV_Tickets"
          " LEFT JOIN SGD_Usuarios ON TPV_Tickets.Cajero=SGD_Usuarios.Codigo"
          " WHERE TPV_Tickets.Cod_Empresa=1 AND TPV_Tickets.Cod_Almacen=3"
          " AND TPV_Tickets.Fecha >= '01/12/2026' AND TPV_Tickets.Fecha <= '06/12/2026'"
          " ORDER BY TPV_Tickets.Fecha, TPV_Tickets.Caja, TPV_Tickets.Cajero"}},
        {"search by dates and article", [](Connection& c) { TicketStore(c).days(1, 3, kDay, kDay, 1001); },
         {"SELECT DISTINCT TPV_Tickets.Fecha,TPV_Tickets.Caja, TPV_Tickets.Cajero,"
          " ISNULL(SGD_Usuarios.Nombre, '') AS NomCajero FROM TPV_Tickets"
          " LEFT JOIN SGD_Usuarios ON TPV_Tickets.Cajero=SGD_Usuarios.Codigo"
          " INNER JOIN TPV_Tickets_Lineas ON TPV_Tickets.Codigo=TPV_Tickets_Lineas.Codigo"
          " AND TPV_Tickets.Cod_Empresa=TPV_Tickets_Lineas.Cod_Empresa"
          " AND TPV_Tickets.Cod_Almacen=TPV_Tickets_Lineas.Cod_Almacen AND TPV_Tickets.Caja=TPV_Tickets_Lineas.Caja"
          " AND TPV_Tickets.Fecha=TPV_Tickets_Lineas.Fecha"
          " WHERE TPV_Tickets_Lineas.Cod_Articulo = 1001 AND TPV_Tickets.Cod_Empresa=1 AND TPV_Tickets.Cod_Almacen=3"
          " AND TPV_Tickets.Fecha >= '06/12/2026' AND TPV_Tickets.Fecha <= '06/12/2026'"
          " ORDER BY TPV_Tickets.Fecha, TPV_Tickets.Caja, TPV_Tickets.Cajero"}},
    });
}

TEST(StatementContract, TheReprintedReceiptSendsTheSystemsStatements)
{
    test::expectStatements("receipt", {
        {"printing path (code 75)",
         [](Connection& c) { EXPECT_EQ(TicketPrinting::pathFor(c, kTicket), TicketPrinting::Path::TextReceipt); },
         {"SELECT Valor FROM TPV_Parametros WHERE Cod_Empresa =1 AND Cod_Almacen =3 AND Codigo = 75"}},
        // Header and footer are each read with one statement in code order
        // rather than one per code.
        {"receipt data",
         [](Connection& c) {
             TicketToPrint t;
             t.key = kTicket;
             EXPECT_EQ(TicketPrinting::receiptData(c, t).nombreTarjeta, QStringLiteral("Tarjeta"));
         },
         {"SELECT Codigo, Valor FROM TPV_Parametros WHERE Cod_Empresa =1 AND Cod_Almacen =3"
          " AND Codigo BETWEEN 100 AND 109 ORDER BY Codigo",
          "SELECT Codigo, Valor FROM TPV_Parametros WHERE Cod_Empresa =1 AND Cod_Almacen =3"
          " AND Codigo BETWEEN 130 AND 139 ORDER BY Codigo",
          "SELECT ISNULL(T.Nombre, '') AS Nombre FROM Tpv_Tickets_Tarjeta TT LEFT JOIN Tarjetas T"
          " ON (T.Codigo = TT.Tipo ) WHERE TT.Cod_Empresa = 1 AND TT.Cod_Almacen = 3 AND TT.Caja = 4"
          " AND TT.Fecha ='06/12/2026' AND TT.Codigo =77"}},
    });
}

TEST(StatementContract, TheInvoiceFromATicketSendsTheSystemsStatements)
{
    test::expectStatements("invoice from a ticket", {
        // The invoice's customer and series come along, for a ticket invoiced already.
        {"ticket with its invoice", [](Connection& c) { FacturaTicketStore(c, empresa()).ticketConFactura(kTicket); },
         {"SELECT t.*, ISNULL(tf.Factura_Codigo, 0) AS Factura_Codigo, ISNULL(tf.Nif, '') AS Nif,"
          " ISNULL(tf.Nombre, '') AS Nombre, ISNULL(tf.Nombre_Comercial, '') AS Nombre_Comercial,"
          " ISNULL(tf.Direccion, '') AS Direccion, ISNULL(tf.CP, 0) AS CP, ISNULL(tf.Localidad, '') AS Localidad,"
          " ISNULL(tf.Provincia, '') AS Provincia, ISNULL(tf.Pais, '') AS Pais, ISNULL(tf.Telefono, '') AS Telefono,"
          " tf.Cliente AS Factura_Cliente, tf.Factura_Serie FROM TPV_Tickets t LEFT JOIN TPV_Tickets_Factura tf"
          " ON t.Cod_Empresa=tf.Cod_Empresa AND t.Cod_Almacen=tf.Cod_Almacen AND t.Caja=tf.Caja AND t.Fecha=tf.Fecha"
          " AND t.Codigo=tf.Codigo WHERE t.Cod_Empresa =1 AND t.Cod_Almacen =3 AND t.Caja =4 AND t.Fecha ='06/12/2026'"
          " AND t.Codigo =77"}},
        // Read under the customer company; its telephone only when it exists.
        {"customer's fiscal data", [](Connection& c) { FacturaTicketStore(c, empresa()).cliente(6); },
         {"SELECT * FROM Clientes WHERE Cod_Empresa =2 AND Codigo =6"}},
        {"ticket", [](Connection& c) { FacturaTicketStore(c, empresa()).ticket(kTicket); },
         {"SELECT * FROM TPV_Tickets WHERE Cod_Empresa =1 AND Cod_Almacen =3 AND Caja =4 AND Fecha ='06/12/2026'"
          " AND Codigo =77"}},
        {"its invoice", [](Connection& c) { FacturaTicketStore(c, empresa()).factura(kTicket); },
         {"SELECT * FROM TPV_Tickets_Factura WHERE Cod_Empresa =1 AND Cod_Almacen =3 AND Caja =4"
          " AND Fecha ='06/12/2026' AND Codigo =77"}},
        {"invoice series (code 374)", [](Connection& c) { FacturaTicketStore(c, empresa()).serie(3); },
         {"SELECT Valor FROM TPV_Parametros WHERE Cod_Empresa =1 AND Cod_Almacen =3 AND Codigo = 374"}},
        {"till login", [](Connection& c) {
             host::CifradoTpv cifrado;
             FacturaTicketStore(c, empresa()).loginCaja(4, cifrado);
         },
         {"SELECT Host, SQLUser, SQLPassword, SQLPort FROM TPVs WHERE EnLinea = 1 AND Codigo= 4"}},
        {"invoice rows of the central database and of the till", [](Connection& c) {
             c.execute(FacturaTicketStore::insertFactura(c.dialect(), test::InvoiceWorld::request(), 12, false));
             c.execute(FacturaTicketStore::insertFactura(c.dialect(), test::InvoiceWorld::request(), 12, true));
         },
         {"INSERT INTO TPV_Tickets_Factura (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Cliente, Factura_Serie,"
          " Factura_Codigo, Nif, Nombre, Nombre_Comercial, Direccion, CP, Localidad, Provincia, Pais, Telefono,"
          " Factura_Fecha, Factura_Almacen) VALUES (1, 1, 1, '05/12/2026', 1, 6, 7, 12, 'B35999888',"
          " 'Suministros O''Donnell, S.L.', 'Ferre Díaz', 'Polígono El Goro, nave 7', 35219, 'Telde', 'Las Palmas',"
          " 'España', '928 000 111', '15/01/2027', 3)",
          "INSERT INTO TPV_Tickets_Factura (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Cliente, Factura_Serie,"
          " Factura_Codigo, Nif, Nombre, Nombre_Comercial, Direccion, CP, Localidad, Provincia, Pais, Telefono,"
          " Factura_Fecha, Factura_Almacen, Enviado) VALUES (1, 1, 1, '05/12/2026', 1, 6, 7, 12, 'B35999888',"
          " 'Suministros O''Donnell, S.L.', 'Ferre Díaz', 'Polígono El Goro, nave 7', 35219, 'Telde', 'Las Palmas',"
          " 'España', '928 000 111', '15/01/2027', 3, 1)"}},
    });
}
