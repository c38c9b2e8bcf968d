#include "reservations/ReservationStatements.h"

#include "db/Dialect.h"
#include "db/SqlLiteral.h"
#include "db/TextMatch.h"

namespace zqvr::reservations::sql {

using db::sqlInt;

namespace {
constexpr QChar kEscape = u'!';

QString stateCondition(EstadoFiltro e)
{
    switch (e) {
    case EstadoFiltro::Abierta:
        return QStringLiteral(" AND r.Pendiente=1");
    case EstadoFiltro::Anulada:
        return QStringLiteral(" AND r.Anulado=1");
    case EstadoFiltro::Cerrada:
        return QStringLiteral(" AND r.Pendiente=0 AND r.Anulado=0");
    case EstadoFiltro::Todas:
        break;
    }
    return {};
}
} // namespace

QString likeContains(const QString& text)
{
    QString p;
    p.reserve(text.size() + 8);
    p += QLatin1Char('%');
    for (QChar c : text) {
        // '[' opens a character class on SQL Server; the others are everyone's wildcards.
        if (c == u'%' || c == u'_' || c == u'[' || c == kEscape)
            p += kEscape;
        p += c;
    }
    p += QLatin1Char('%');
    return db::sqlText(p);
}

QString likeEscape() { return QStringLiteral(" ESCAPE ") + db::sqlText(QString(kEscape)); }

QString reservationList(const db::Dialect& d, const ReservationFilter& f)
{
    QString s = QStringLiteral("SELECT r.Codigo, r.Fecha, r.Fecha_Vencimiento, r.Nomb_Cliente, r.Cajero, ") +
                d.isNull(QStringLiteral("a.Nombre"), QStringLiteral("''")) +
                QStringLiteral(" AS Nomb_Cajero, r.Total_Entregado, r.Total_Ventas, r.Pendiente, r.Anulado"
                               " FROM Reservas r LEFT JOIN SGD_Usuarios a ON r.Cajero=a.Codigo"
                               " WHERE r.Cod_Empresa=") +
                sqlInt(f.empresa);
    if (f.numero > 0)
        return s + QStringLiteral(" AND r.Codigo=") + sqlInt(f.numero) + stateCondition(f.estado);
    if (!f.cliente.isEmpty())
        s += QStringLiteral(" AND r.Nomb_Cliente ") + db::likeIgnoringCase(d) + QLatin1Char(' ') + likeContains(f.cliente) + likeEscape();
    s += QStringLiteral(" AND r.Fecha >= ") + d.date(f.desde) + QStringLiteral(" AND r.Fecha < ") +
         d.date(f.hasta.addDays(1));
    if (f.modifDesde.isValid())
        s += QStringLiteral(" AND r.Fecha_Ult_Modificacion >= ") + d.date(f.modifDesde);
    if (f.modifHasta.isValid())
        s += QStringLiteral(" AND r.Fecha_Ult_Modificacion < ") + d.date(f.modifHasta.addDays(1));
    if (f.almacen > 0)
        s += QStringLiteral(" AND r.Cod_Almacen =") + sqlInt(f.almacen);
    return s + stateCondition(f.estado) + QStringLiteral(" ORDER BY r.Fecha DESC, r.Codigo DESC");
}

QString reservationHeader(int empresa, int codigo)
{
    return QStringLiteral("SELECT r.Codigo, r.Cod_Empresa, r.Cod_Almacen, r.Fecha, r.Fecha_Ult_Modificacion,"
                          " r.Fecha_Vencimiento, r.Cod_Cliente, r.Nomb_Cliente, r.Telefono, r.Nif, r.Domicilio,"
                          " r.Paquete, r.Observaciones, r.Agente, r.Cajero, r.Ult_Dto_Aplicado, r.Pendiente,"
                          " r.Anulado, ag.Nombre AS Nombre_Agente"
                          " FROM Reservas r LEFT JOIN Agentes ag ON ag.Cod_Empresa=r.Cod_Empresa AND ag.Codigo=r.Agente"
                          " WHERE r.Codigo=") +
           sqlInt(codigo) + QStringLiteral(" AND r.Cod_Empresa=") + sqlInt(empresa);
}

QString intraCommunity(int empresaClientes, int cliente)
{
    return QStringLiteral("SELECT IntraCom FROM Clientes WHERE Cod_Empresa =") + sqlInt(empresaClientes) +
           QStringLiteral(" AND Codigo =") + sqlInt(cliente);
}

QString reservationLines(const db::Dialect& d, int empresa, int empresaArticulos, int codigo)
{
    const auto nz = [&](const char* e, const char* alias) {
        return d.isNull(QLatin1String(e), QStringLiteral("''")) + QStringLiteral(" AS ") + QLatin1String(alias);
    };
    return QStringLiteral("SELECT RL.Vendida, RL.Num_Linea, RL.Cod_Articulo, ") + nz("a.Descripcion", "Descripcion") +
           QStringLiteral(", ") + nz("a.Desc_Ticket", "Desc_Ticket") + QStringLiteral(", ") +
           d.isNull(QStringLiteral("RL.CualidadX"), QStringLiteral("0")) + QStringLiteral(" AS CualidadX, ") +
           d.isNull(QStringLiteral("RL.CualidadY"), QStringLiteral("0")) + QStringLiteral(" AS CualidadY, ") +
           nz("b.Nombre", "NombCualX") + QStringLiteral(", ") + nz("c.Nombre", "NombCualY") +
           QStringLiteral(", RL.Unidades, RL.Pvp, RL.TipoImpuesto, RL.Serie, RL.Agente, RL.Dto, ") +
           nz("ag.Nombre", "Nomb_Agente") +
           QStringLiteral(", CASE WHEN a.Codigo IS NULL THEN 0 ELSE 1 END AS Existe"
                          " FROM Reservas_Lineas RL LEFT JOIN Articulos a ON a.Codigo=RL.Cod_Articulo AND a.Cod_Empresa=") +
           sqlInt(empresaArticulos) +
           QStringLiteral(" LEFT JOIN Cualidades_Des b ON a.Cod_Empresa = b.Cod_Empresa AND a.CualidadX = b.Cod_Cualidad"
                          " AND b.Codigo = RL.CualidadX"
                          " LEFT JOIN Cualidades_Des c ON a.Cod_Empresa = c.Cod_Empresa AND a.CualidadY = c.Cod_Cualidad"
                          " AND c.Codigo = RL.CualidadY"
                          " LEFT JOIN Agentes ag ON ag.Cod_Empresa=RL.Cod_Empresa AND ag.Codigo=RL.Agente"
                          " WHERE RL.Codigo = ") +
           sqlInt(codigo) + QStringLiteral(" AND RL.Cod_Empresa=") + sqlInt(empresa) +
           QStringLiteral(" ORDER BY RL.Num_Linea");
}

QString reservationMovements(int empresa, int codigo)
{
    return QStringLiteral("SELECT Num_Entrega, Fecha, Tipo_Pago, Cantidad, Cod_Almacen, Venta, Anulacion, Cambio"
                          " FROM Reservas_Historico WHERE Cod_Empresa=") +
           sqlInt(empresa) + QStringLiteral(" AND Codigo=") + sqlInt(codigo) + QStringLiteral(" ORDER BY Num_Entrega");
}

QString warehouseName(int empresa, int almacen)
{
    return QStringLiteral("SELECT Nombre FROM Almacenes WHERE Cod_Empresa =") + sqlInt(empresa) +
           QStringLiteral(" AND Codigo =") + sqlInt(almacen);
}

} // namespace zqvr::reservations::sql
