#include "tickets/TicketStatements.h"

#include "db/Dialect.h"
#include "db/SqlLiteral.h"

namespace zqvr::tickets::sql {

using db::sqlInt;

namespace {
QString listColumns(const db::Dialect& d)
{
    return QStringLiteral("t.Codigo, t.Fecha, t.Hora, t.Total, t.Efectivo, t.Tarjeta, t.Cambio, t.Cheque, t.Vales,"
                          " t.Credito, t.Cliente AS Cod_Cliente, ") +
           d.isNull(QStringLiteral("c.Nombre"), QStringLiteral("''")) + QStringLiteral(" AS Cliente");
}
} // namespace

QString ticketList(const db::Dialect& d, const TicketFilter& f)
{
    const QString clientes = QStringLiteral(" LEFT JOIN Clientes c ON c.Cod_Empresa =") + sqlInt(f.empresaClientes) +
                             QStringLiteral(" AND c.Codigo = t.Cliente");
    const QString where = QStringLiteral(" WHERE t.Cod_Empresa =") + sqlInt(f.empresa) +
                          QStringLiteral(" AND t.Cod_Almacen =") + sqlInt(f.almacen) +
                          QStringLiteral(" AND t.Caja =") + sqlInt(f.caja) +
                          QStringLiteral(" AND t.Cajero =") + sqlInt(f.cajero) +
                          QStringLiteral(" AND t.Fecha =") + d.date(f.fecha);
    if (f.articulo == 0)
        return QStringLiteral("SELECT ") + listColumns(d) + QStringLiteral(" FROM TPV_Tickets t") + clientes + where +
               QStringLiteral(" ORDER BY t.Hora");
    return QStringLiteral("SELECT DISTINCT ") + listColumns(d) +
           QStringLiteral(" FROM TPV_Tickets t INNER JOIN TPV_Tickets_Lineas tl ON t.Codigo = tl.Codigo"
                          " AND t.Cod_Empresa = tl.Cod_Empresa AND t.Cod_Almacen = tl.Cod_Almacen"
                          " AND t.Caja = tl.Caja AND t.Fecha = tl.Fecha") +
           clientes + where + QStringLiteral(" AND tl.Cod_Articulo =") + sqlInt(f.articulo) +
           QStringLiteral(" ORDER BY t.Hora");
}

QString ticketLines(const db::Dialect& d, const TicketKey& k, int empresaArticulos)
{
    const QString kit = d.ticketLineIsKit(QStringLiteral("tl.Cod_Empresa"), QStringLiteral("tl.Cod_Almacen"),
                                          QStringLiteral("tl.Caja"), QStringLiteral("tl.Fecha"),
                                          QStringLiteral("tl.Codigo"), QStringLiteral("tl.Num_Linea"));
    return QStringLiteral("SELECT tl.Num_Linea , tl.Cod_Articulo, ") +
           d.isNull(QStringLiteral("a.Descripcion"), QStringLiteral("''")) +
           QStringLiteral(" AS Descripcion, tl.PVP, tl.Cantidad, tl.Dto , tl.PM, tl.Promocion, tl.PA, ") +
           d.isNull(QStringLiteral("ti.Imp_Valor"), QStringLiteral("0")) + QStringLiteral(" AS Impuesto, ") + kit +
           QStringLiteral(" Kit, ") + d.isNull(QStringLiteral("tlp.Tipo_Promocion"), QStringLiteral("0")) +
           QStringLiteral(" AS Tipo_Promocion FROM TPV_Tickets_Lineas tl"
                          " LEFT JOIN Articulos a ON a.Cod_Empresa = ") +
           sqlInt(empresaArticulos) +
           QStringLiteral(" AND a.Codigo = tl.Cod_Articulo"
                          " LEFT JOIN Igic_Tipos ti ON ti.Cod_Empresa = ") +
           sqlInt(k.empresa) +
           QStringLiteral(" AND ti.Tipo = tl.TipoImpuesto AND ti.FechaI <= tl.Fecha AND ti.FechaF >= tl.Fecha"
                          " LEFT JOIN TPV_Tickets_Lineas_Promocion tlp ON tlp.Cod_Empresa = tl.Cod_Empresa"
                          " AND tlp.Cod_Almacen = tl.Cod_Almacen AND tlp.Caja = tl.Caja AND tlp.Fecha = tl.Fecha"
                          " AND tlp.Codigo = tl.Codigo AND tlp.Num_Linea = tl.Num_Linea"
                          " WHERE tl.Cod_Empresa = ") +
           sqlInt(k.empresa) + QStringLiteral(" AND tl.Cod_Almacen = ") + sqlInt(k.almacen) +
           QStringLiteral(" AND tl.Caja = ") + sqlInt(k.caja) + QStringLiteral(" AND tl.Fecha = ") + d.date(k.fecha) +
           QStringLiteral(" AND tl.Codigo =") + sqlInt(k.codigo) + QStringLiteral(" ORDER BY tl.Num_Linea");
}

QString ticketByKey(const db::Dialect& d, const TicketKey& k, int empresaClientes)
{
    return QStringLiteral("SELECT ") + listColumns(d) + QStringLiteral(", t.Cajero, ") +
           d.isNull(QStringLiteral("u.Nombre"), QStringLiteral("''")) +
           QStringLiteral(" AS NomCajero FROM TPV_Tickets t LEFT JOIN Clientes c ON c.Cod_Empresa =") +
           sqlInt(empresaClientes) +
           QStringLiteral(" AND c.Codigo = t.Cliente LEFT JOIN SGD_Usuarios u ON u.Codigo = t.Cajero"
                          " WHERE t.Cod_Empresa =") +
           sqlInt(k.empresa) + QStringLiteral(" AND t.Cod_Almacen =") + sqlInt(k.almacen) +
           QStringLiteral(" AND t.Caja =") + sqlInt(k.caja) + QStringLiteral(" AND t.Fecha =") + d.date(k.fecha) +
           QStringLiteral(" AND t.Codigo =") + sqlInt(k.codigo);
}

QString ticketDays(const db::Dialect& d, int empresa, int almacen, const QDate& from, const QDate& to,
                   qint64 articulo)
{
    QString s = QStringLiteral("SELECT DISTINCT TPV_Tickets.Fecha,TPV_Tickets.Caja, TPV_Tickets.Cajero, ") +
                d.isNull(QStringLiteral("SGD_Usuarios.Nombre"), QStringLiteral("''")) +
                QStringLiteral(" AS NomCajero FROM TPV_Tickets"
                               " LEFT JOIN SGD_Usuarios ON TPV_Tickets.Cajero=SGD_Usuarios.Codigo");
    QString where = QStringLiteral(" WHERE ");
    if (articulo != 0) {
        s += QStringLiteral(" INNER JOIN TPV_Tickets_Lineas ON TPV_Tickets.Codigo=TPV_Tickets_Lineas.Codigo"
                            " AND TPV_Tickets.Cod_Empresa=TPV_Tickets_Lineas.Cod_Empresa"
                            " AND TPV_Tickets.Cod_Almacen=TPV_Tickets_Lineas.Cod_Almacen"
                            " AND TPV_Tickets.Caja=TPV_Tickets_Lineas.Caja"
                            " AND TPV_Tickets.Fecha=TPV_Tickets_Lineas.Fecha");
        where += QStringLiteral("TPV_Tickets_Lineas.Cod_Articulo = ") + sqlInt(articulo) + QStringLiteral(" AND ");
    }
    return s + where + QStringLiteral("TPV_Tickets.Cod_Empresa=") + sqlInt(empresa) +
           QStringLiteral(" AND TPV_Tickets.Cod_Almacen=") + sqlInt(almacen) +
           QStringLiteral(" AND TPV_Tickets.Fecha >= ") + d.date(from) +
           QStringLiteral(" AND TPV_Tickets.Fecha <= ") + d.date(to) +
           QStringLiteral(" ORDER BY TPV_Tickets.Fecha, TPV_Tickets.Caja, TPV_Tickets.Cajero");
}

QString lastCashier(const db::Dialect& d, int empresa, int almacen, int caja, const QDate& fecha)
{
    return d.selectTop(1, QStringLiteral("Cajero FROM TPV_Tickets WHERE Cod_Empresa =") + sqlInt(empresa) +
                              QStringLiteral(" AND Cod_Almacen =") + sqlInt(almacen) + QStringLiteral(" AND Caja =") +
                              sqlInt(caja) + QStringLiteral(" AND Fecha =") + d.date(fecha) +
                              QStringLiteral(" ORDER BY Hora DESC"));
}

QString cardName(const db::Dialect& d, const TicketKey& k)
{
    return QStringLiteral("SELECT ") + d.isNull(QStringLiteral("T.Nombre"), QStringLiteral("''")) +
           QStringLiteral(" AS Nombre FROM Tpv_Tickets_Tarjeta TT LEFT JOIN Tarjetas T ON (T.Codigo = TT.Tipo )"
                          " WHERE TT.Cod_Empresa = ") +
           sqlInt(k.empresa) + QStringLiteral(" AND TT.Cod_Almacen = ") + sqlInt(k.almacen) +
           QStringLiteral(" AND TT.Caja = ") + sqlInt(k.caja) + QStringLiteral(" AND TT.Fecha =") + d.date(k.fecha) +
           QStringLiteral(" AND TT.Codigo =") + sqlInt(k.codigo);
}

QString parameter(int empresa, int almacen, int codigo)
{
    return QStringLiteral("SELECT Valor FROM TPV_Parametros WHERE Cod_Empresa =") + sqlInt(empresa) +
           QStringLiteral(" AND Cod_Almacen =") + sqlInt(almacen) + QStringLiteral(" AND Codigo = ") + sqlInt(codigo);
}

QString parameterRange(int empresa, int almacen, int from, int to)
{
    return QStringLiteral("SELECT Codigo, Valor FROM TPV_Parametros WHERE Cod_Empresa =") + sqlInt(empresa) +
           QStringLiteral(" AND Cod_Almacen =") + sqlInt(almacen) + QStringLiteral(" AND Codigo BETWEEN ") +
           sqlInt(from) + QStringLiteral(" AND ") + sqlInt(to) + QStringLiteral(" ORDER BY Codigo");
}

} // namespace zqvr::tickets::sql
