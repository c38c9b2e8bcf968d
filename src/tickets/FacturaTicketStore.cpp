#include "tickets/FacturaTicketStore.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"
#include "host/Empresa.h"
#include "host/Formato.h"
#include "host/InvoiceServices.h"
#include "host/TillConnector.h"

namespace zqvr::tickets {

using db::sqlInt;
using db::sqlText;

namespace {

QString src(const char* procedure) { return QStringLiteral("FacturaTicketStore::") + QLatin1String(procedure); }

// The five conditions of a ticket's key, for a table or an alias ("t.").
QString keyWhere(const db::Dialect& d, const TicketKey& k, const QString& prefix = QString())
{
    return prefix + QStringLiteral("Cod_Empresa =") + sqlInt(k.empresa) + QStringLiteral(" AND ") + prefix +
           QStringLiteral("Cod_Almacen =") + sqlInt(k.almacen) + QStringLiteral(" AND ") + prefix +
           QStringLiteral("Caja =") + sqlInt(k.caja) + QStringLiteral(" AND ") + prefix + QStringLiteral("Fecha =") +
           d.date(k.fecha) + QStringLiteral(" AND ") + prefix + QStringLiteral("Codigo =") + sqlInt(k.codigo);
}

QString text(const db::RecordSet& rs, const char* column) { return rs.value(QLatin1String(column)).toString(); }

// Billing override when filled, else the ordinary value.
QString override(const db::RecordSet& rs, const char* billing, const char* plain)
{
    const QString f = text(rs, billing);
    return f.trimmed().isEmpty() ? text(rs, plain) : f;
}

StoredInvoice readInvoice(const db::RecordSet& rs)
{
    StoredInvoice i;
    i.cliente = rs.value(QStringLiteral("Cliente")).toInt();
    i.serie = rs.value(QStringLiteral("Factura_Serie")).toInt();
    i.numero = rs.value(QStringLiteral("Factura_Codigo")).toInt();
    i.fiscal.nif = text(rs, "Nif");
    i.fiscal.nombre = text(rs, "Nombre");
    i.fiscal.nombreComercial = text(rs, "Nombre_Comercial");
    i.fiscal.direccion = text(rs, "Direccion");
    i.fiscal.cp = rs.value(QStringLiteral("CP")).toInt();
    i.fiscal.localidad = text(rs, "Localidad");
    i.fiscal.provincia = text(rs, "Provincia");
    i.fiscal.pais = text(rs, "Pais");
    i.fiscal.telefono = text(rs, "Telefono");
    if (rs.hasField(QStringLiteral("Factura_Fecha")))
        i.fechaFactura = rs.value(QStringLiteral("Factura_Fecha")).toDate();
    if (rs.hasField(QStringLiteral("Factura_Almacen")))
        i.almacenFactura = rs.value(QStringLiteral("Factura_Almacen")).toInt();
    return i;
}

QString ticketSelect(const db::Dialect& d, const TicketKey& k)
{
    return QStringLiteral("SELECT * FROM TPV_Tickets WHERE ") + keyWhere(d, k);
}

} // namespace

std::optional<InvoiceTicket> FacturaTicketStore::ticketConFactura(const TicketKey& k) const
{
    return reraiseAs(src("ticketConFactura"), [&]() -> std::optional<InvoiceTicket> {
        const db::Dialect& d = m_conn.dialect();
        auto col = [&](const char* c, const char* none) {
            return d.isNull(QStringLiteral("tf.") + QLatin1String(c), QLatin1String(none)) + QStringLiteral(" AS ") +
                   QLatin1String(c);
        };
        auto rs = m_conn.query(
            QStringLiteral("SELECT t.*, ") + col("Factura_Codigo", "0") + QStringLiteral(", ") + col("Nif", "''") +
            QStringLiteral(", ") + col("Nombre", "''") + QStringLiteral(", ") + col("Nombre_Comercial", "''") +
            QStringLiteral(", ") + col("Direccion", "''") + QStringLiteral(", ") + col("CP", "0") + QStringLiteral(", ") +
            col("Localidad", "''") + QStringLiteral(", ") + col("Provincia", "''") + QStringLiteral(", ") +
            col("Pais", "''") + QStringLiteral(", ") + col("Telefono", "''") +
            QStringLiteral(", tf.Cliente AS Factura_Cliente, tf.Factura_Serie FROM TPV_Tickets t LEFT JOIN TPV_Tickets_Factura tf"
                           " ON t.Cod_Empresa=tf.Cod_Empresa AND t.Cod_Almacen=tf.Cod_Almacen AND t.Caja=tf.Caja"
                           " AND t.Fecha=tf.Fecha AND t.Codigo=tf.Codigo WHERE ") +
            keyWhere(d, k, QStringLiteral("t.")));
        if (rs.eof())
            return std::nullopt;
        InvoiceTicket t;
        t.cliente = rs.value(QStringLiteral("Cliente")).toInt();
        t.cajero = rs.value(QStringLiteral("Cajero")).toInt();
        if (rs.value(QStringLiteral("Factura_Codigo")).toInt() != 0) {
            StoredInvoice i = readInvoice(rs);
            i.cliente = rs.value(QStringLiteral("Factura_Cliente")).toInt();
            t.factura = i;
        }
        return t;
    });
}

std::optional<InvoiceTicket> FacturaTicketStore::ticket(const TicketKey& k) const
{
    return reraiseAs(src("ticket"), [&]() -> std::optional<InvoiceTicket> {
        auto rs = m_conn.query(ticketSelect(m_conn.dialect(), k));
        if (rs.eof())
            return std::nullopt;
        InvoiceTicket t;
        t.cliente = rs.value(QStringLiteral("Cliente")).toInt();
        t.cajero = rs.value(QStringLiteral("Cajero")).toInt();
        return t;
    });
}

std::optional<StoredInvoice> FacturaTicketStore::facturaEn(db::Connection& c, const TicketKey& k, bool lock) const
{
    auto rs = c.query(QStringLiteral("SELECT * FROM TPV_Tickets_Factura") +
                      (lock ? c.dialect().updateLockHint() : QString()) + QStringLiteral(" WHERE ") +
                      keyWhere(c.dialect(), k));
    if (rs.eof() || rs.value(QStringLiteral("Factura_Codigo")).toInt() == 0)
        return std::nullopt;
    return readInvoice(rs);
}

std::optional<StoredInvoice> FacturaTicketStore::factura(const TicketKey& k) const
{
    return reraiseAs(src("factura"), [&] { return facturaEn(m_conn, k, false); });
}

std::optional<CustomerFiscal> FacturaTicketStore::cliente(int codigo) const
{
    return reraiseAs(src("cliente"), [&]() -> std::optional<CustomerFiscal> {
        const int empresa = m_empresa.EmpresaClientes();
        auto rs = m_conn.query(QStringLiteral("SELECT * FROM Clientes WHERE Cod_Empresa =") + sqlInt(empresa) +
                               QStringLiteral(" AND Codigo =") + sqlInt(codigo));
        if (rs.eof())
            return std::nullopt;
        CustomerFiscal c;
        c.fiscal.nif = override(rs, "F_Nif", "Nif");
        c.fiscal.nombre = override(rs, "F_Razon", "Nombre");
        c.fiscal.nombreComercial = text(rs, "Nombre_Comercial");
        c.fiscal.direccion = override(rs, "F_Direccion", "Direccion");
        if (rs.value(QStringLiteral("Cp")).toInt() > 0) {
            const int fcp = rs.value(QStringLiteral("F_Cp")).toInt();
            c.fiscal.cp = fcp > 0 ? fcp : rs.value(QStringLiteral("Cp")).toInt();
        }
        c.fiscal.localidad = override(rs, "F_Localidad", "Localidad");
        c.fiscal.provincia = override(rs, "F_Provincia", "Provincia");
        c.fiscal.pais = override(rs, "F_Pais", "Pais");
        c.bloqueado = rs.value(QStringLiteral("Bloqueado")).toInt() != 0;
        rs.close();
        c.fiscal.telefono = m_conn
                                .scalar(QStringLiteral("SELECT Numero FROM Clientes_Telefonos WHERE Cod_Empresa =") +
                                        sqlInt(empresa) + QStringLiteral(" AND Cod_Cliente =") + sqlInt(codigo) +
                                        QStringLiteral(" AND Codigo = 0"))
                                .toString();
        return c;
    });
}

int FacturaTicketStore::serie(int almacen) const
{
    return reraiseAs(src("serie"), [&] {
        const QString v = m_conn
                              .scalar(QStringLiteral("SELECT Valor FROM TPV_Parametros WHERE Cod_Empresa =") +
                                      sqlInt(m_empresa.CodigoEmpresa()) + QStringLiteral(" AND Cod_Almacen =") +
                                      sqlInt(almacen) + QStringLiteral(" AND Codigo = 374"))
                              .toString()
                              .trimmed();
        bool ok = false;
        const int s = v.toInt(&ok);
        return ok && s > 0 ? s : 0;
    });
}

std::optional<host::TillLogin> FacturaTicketStore::loginCaja(int caja, host::Descifrador& descifrador) const
{
    return reraiseAs(src("loginCaja"), [&]() -> std::optional<host::TillLogin> {
        auto rs = m_conn.query(QStringLiteral("SELECT Host, SQLUser, SQLPassword, SQLPort FROM TPVs WHERE EnLinea = 1 AND Codigo= ") +
                               sqlInt(caja));
        if (rs.eof())
            return std::nullopt;
        host::TillLogin l;
        l.host = text(rs, "Host").trimmed();
        bool ok = false;
        l.port = text(rs, "SQLPort").trimmed().toInt(&ok);
        if (!ok || l.port < 0)
            l.port = 0;
        const QString clave = QString::fromLatin1(host::kTillLoginKey);
        l.user = descifrador.Descifrar(text(rs, "SQLUser"), clave);
        if (l.user.isEmpty())
            l.user = QString::fromLatin1(kUsuarioCajaDefecto);
        l.password = descifrador.Descifrar(text(rs, "SQLPassword"), clave);
        if (l.password.isEmpty())
            l.password = QString::fromLatin1(kPasswordCajaDefecto);
        return l;
    });
}

std::unique_ptr<db::Connection> FacturaTicketStore::abrirCaja(int caja, host::TillConnector& connector,
                                                              host::Descifrador& descifrador) const
{
    // An unreachable till is no failure of the invoice: its copy is skipped.
    try {
        const std::optional<host::TillLogin> login = loginCaja(caja, descifrador);
        if (!login)
            return nullptr;
        return connector.open(*login);
    } catch (const std::exception&) {
        return nullptr;
    }
}

QString FacturaTicketStore::insertFactura(const db::Dialect& d, const InvoiceRequest& r, int numero, bool copiaCaja)
{
    const FiscalData& f = r.fiscal;
    const QString sep = QStringLiteral(", ");
    return QStringLiteral("INSERT INTO TPV_Tickets_Factura (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Cliente,"
                          " Factura_Serie, Factura_Codigo, Nif, Nombre, Nombre_Comercial, Direccion, CP, Localidad,"
                          " Provincia, Pais, Telefono, Factura_Fecha, Factura_Almacen") +
           (copiaCaja ? QStringLiteral(", Enviado") : QString()) + QStringLiteral(") VALUES (") + sqlInt(r.key.empresa) +
           sep + sqlInt(r.key.almacen) + sep + sqlInt(r.key.caja) + sep + d.date(r.key.fecha) + sep +
           sqlInt(r.key.codigo) + sep + sqlInt(r.cliente) + sep + sqlInt(r.serie) + sep + sqlInt(numero) + sep +
           sqlText(f.nif) + sep + sqlText(f.nombre) + sep + sqlText(f.nombreComercial) + sep + sqlText(f.direccion) +
           sep + sqlInt(f.cp) + sep + sqlText(f.localidad) + sep + sqlText(f.provincia) + sep + sqlText(f.pais) + sep +
           sqlText(f.telefono) + sep + d.date(r.hoy) + sep + sqlInt(r.facturaAlmacen) +
           (copiaCaja ? QStringLiteral(", 1") : QString()) + QStringLiteral(")");
}

void FacturaTicketStore::moverVentas(const TicketKey& k, int anterior, int nuevo, host::EstadisticasClientes& est)
{
    struct Line {
        qint64 articulo;
        double cantidad, importe, costo;
    };
    QList<Line> lines;
    {
        auto rs = m_conn.query(QStringLiteral("SELECT * FROM TPV_Tickets_Lineas WHERE ") + keyWhere(m_conn.dialect(), k));
        while (!rs.eof()) {
            const double pvp = rs.value(QStringLiteral("Pvp")).toDouble();
            const double cantidad = rs.value(QStringLiteral("Cantidad")).toDouble();
            const double dto = rs.value(QStringLiteral("Dto")).toDouble();
            const double bruto = pvp * cantidad;
            lines.push_back({rs.value(QStringLiteral("Cod_Articulo")).toLongLong(), cantidad,
                             host::Redondear(bruto - bruto * dto / 100.0, 2),
                             host::Redondear(cantidad * rs.value(QStringLiteral("Costo")).toDouble(), 2)});
            rs.moveNext();
        }
    }
    for (const Line& l : lines) {
        if (anterior > 0)
            est.Registrar(m_empresa, m_conn, anterior, k.fecha, l.articulo, -l.cantidad, -l.importe, -l.costo);
        if (nuevo > 0)
            est.Registrar(m_empresa, m_conn, nuevo, k.fecha, l.articulo, l.cantidad, l.importe, l.costo);
    }
}

InvoiceOutcome FacturaTicketStore::generar(const InvoiceRequest& req, const InvoiceHost& h)
{
    return reraiseAs(src("generar"), [&] {
        if (!h.numerador || !h.estadisticas || !h.caja || !h.descifrador)
            throw Error(errc::InvalidArgument, QStringLiteral("Faltan los servicios del anfitrión para generar la factura."));
        if (req.serie <= 0)
            throw Error(errc::InvalidArgument, QStringLiteral("No está definida la serie de facturación en los parámetros de TPVs"));
        InvoiceRequest r = req;
        InvoiceOutcome out;

        // Made already (another user, or a press that printed nothing): no number, no till row.
        if (std::optional<StoredInvoice> made = facturaEn(m_conn, r.key, false)) {
            out.invoice = *made;
            return out;
        }

        // 1-2. The till: its row's number when it has one, else a new number and the till's row.
        int numero = 0;
        bool wroteTill = false;
        std::unique_ptr<db::Connection> till = abrirCaja(r.key.caja, *h.caja, *h.descifrador);
        if (till) {
            // Whatever the till cannot do (a missing table, a dropped link)
            // only costs its copy; the numbering's own failures stop here.
            bool tillHasTicket = false;
            std::optional<StoredInvoice> there;
            try {
                auto rs = till->query(ticketSelect(till->dialect(), r.key));
                tillHasTicket = !rs.eof();
                rs.close();
                if (tillHasTicket)
                    there = facturaEn(*till, r.key, false);
            } catch (const std::exception&) {
                tillHasTicket = false;
            }
            if (there) {
                numero = there->numero;
                r.cliente = there->cliente;
                out.tillCopy = true;
            } else if (tillHasTicket) {
                numero = h.numerador->Siguiente(m_empresa, m_conn, r.serie);
                try {
                    till->execute(insertFactura(till->dialect(), r, numero, true));
                    out.tillCopy = wroteTill = true;
                } catch (const std::exception&) {
                    out.tillCopy = false;
                }
            }
        }
        // 3. No number from the till.
        if (numero == 0)
            numero = h.numerador->Siguiente(m_empresa, m_conn, r.serie);

        // 4-6. The central writes, all or nothing.
        db::TransactionGuard guard(m_conn, db::TransactionGuard::Write);
        if (std::optional<StoredInvoice> made = facturaEn(m_conn, r.key, true)) {
            guard.commit();
            out.generated = false;
            out.invoice = *made;
            // The row this press gave the till carries a number the invoice did
            // not get: the till takes the invoice that was made instead.
            if (wroteTill && (made->numero != numero || made->cliente != r.cliente)) {
                try {
                    till->execute(QStringLiteral("DELETE FROM TPV_Tickets_Factura WHERE ") + keyWhere(till->dialect(), r.key));
                    InvoiceRequest stored = r;
                    stored.cliente = made->cliente;
                    stored.serie = made->serie;
                    stored.fiscal = made->fiscal;
                    if (made->fechaFactura.isValid())
                        stored.hoy = made->fechaFactura;
                    stored.facturaAlmacen = made->almacenFactura;
                    till->execute(insertFactura(till->dialect(), stored, made->numero, true));
                } catch (const std::exception&) {
                    out.tillCopy = false;
                }
            }
            return out;
        }
        const db::Dialect& d = m_conn.dialect();
        const db::Value old = m_conn.scalar(QStringLiteral("SELECT Cliente FROM TPV_Tickets") + d.updateLockHint() +
                                        QStringLiteral(" WHERE ") + keyWhere(d, r.key));
        if (!old.variant().isValid())
            throw rowDeletedError(QStringLiteral("El ticket %1").arg(r.key.codigo));
        const int anterior = old.toInt();
        expectRow(m_conn.execute(QStringLiteral("UPDATE TPV_Tickets SET Cliente =") + sqlInt(r.cliente) +
                                 QStringLiteral(", Enviado = 0 WHERE ") + keyWhere(d, r.key)),
                  QStringLiteral("El ticket %1").arg(r.key.codigo));
        if (anterior != r.cliente)
            moverVentas(r.key, anterior, r.cliente, *h.estadisticas);
        m_conn.execute(insertFactura(d, r, numero, false));
        guard.commit();

        out.generated = true;
        out.invoice.cliente = r.cliente;
        out.invoice.serie = r.serie;
        out.invoice.numero = numero;
        out.invoice.fiscal = r.fiscal;
        out.invoice.fechaFactura = r.hoy;
        out.invoice.almacenFactura = r.facturaAlmacen;
        return out;
    });
}

} // namespace zqvr::tickets
