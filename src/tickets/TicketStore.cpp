#include "tickets/TicketStore.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "host/Formato.h"

namespace zqvr::tickets {

namespace {
QString src(const char* procedure) { return QStringLiteral("TicketStore::") + QLatin1String(procedure); }

int digits(QStringView s, qsizetype from, qsizetype n)
{
    int v = 0;
    for (qsizetype i = from; i < from + n; ++i) {
        const char16_t c = s[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        v = v * 10 + (c - u'0');
    }
    return v;
}

// The time of day of a sale. Read without a time zone: only the clock
// time is shown, and a local date-time would look the zone up for every row.
QTime readTime(const db::Value& v)
{
    if (v.variant().typeId() == QMetaType::QString) {
        const QString s = v.variant().toString();
        if (s.size() >= 16 && (s[10] == u' ' || s[10] == u'T') && s[13] == u':') {
            const int h = digits(s, 11, 2), mi = digits(s, 14, 2);
            const int sec = s.size() >= 19 && s[16] == u':' ? digits(s, 17, 2) : 0;
            if (h >= 0 && mi >= 0 && sec >= 0)
                return QTime(h, mi, sec);
        }
    }
    const QVariant& var = v.variant();
    if (var.typeId() == QMetaType::QDateTime)
        return var.toDateTime().time();
    if (var.typeId() == QMetaType::QTime)
        return var.toTime();
    return v.toDateTime().time();
}
} // namespace

static TicketRow readTicketRow(const db::RecordSet& rs)
{
    TicketRow r;
    r.codigo = rs.value(0).toInt();
    r.fecha = rs.value(1).toDate();
    r.hora = readTime(rs.value(2));
    r.total = rs.value(3).toDouble();
    r.efectivo = rs.value(4).toDouble();
    r.tarjeta = rs.value(5).toDouble();
    r.cambio = rs.value(6).toDouble();
    r.cheque = rs.value(7).toDouble();
    r.vales = rs.value(8).toDouble();
    r.credito = rs.value(9).toDouble();
    r.cliente = rs.value(10).toInt();
    r.nombreCliente = rs.value(11).toString();
    return r;
}

QList<TicketRow> TicketStore::tickets(const TicketFilter& f) const
{
    return reraiseAs(src("tickets"), [&] {
        QList<TicketRow> out;
        auto rs = m_conn.query(sql::ticketList(m_conn.dialect(), f));
        while (!rs.eof()) {
            out.push_back(readTicketRow(rs));
            rs.moveNext();
        }
        return out;
    });
}

std::optional<TicketStore::Found> TicketStore::ticket(const TicketKey& k, int empresaClientes) const
{
    return reraiseAs(src("ticket"), [&]() -> std::optional<Found> {
        auto rs = m_conn.query(sql::ticketByKey(m_conn.dialect(), k, empresaClientes));
        if (rs.eof())
            return std::nullopt;
        Found f;
        f.row = readTicketRow(rs);
        f.cajero = rs.value(12).toInt();
        f.nombreCajero = rs.value(13).toString();
        return f;
    });
}

QList<TicketLineRow> TicketStore::lines(const TicketKey& k, int empresaArticulos) const
{
    return reraiseAs(src("lines"), [&] {
        QList<TicketLineRow> out;
        auto rs = m_conn.query(sql::ticketLines(m_conn.dialect(), k, empresaArticulos));
        while (!rs.eof()) {
            TicketLineRow l;
            l.numLinea = rs.value(0).toInt();
            l.articulo = rs.value(1).toLongLong();
            l.descripcion = rs.value(2).toString();
            l.pvp = rs.value(3).toDouble();
            l.cantidad = rs.value(4).toDouble();
            l.dto = rs.value(5).toDouble();
            l.pm = rs.value(6).toBool();
            l.promocion = rs.value(7).toBool();
            l.pa = rs.value(8).toBool();
            l.impuesto = rs.value(9).toDouble();
            l.kit = rs.value(10).toBool();
            l.tipoPromocion = rs.value(11).toInt();
            out.push_back(std::move(l));
            rs.moveNext();
        }
        return out;
    });
}

QList<TicketDayRow> TicketStore::days(int empresa, int almacen, const QDate& from, const QDate& to,
                                      qint64 articulo) const
{
    return reraiseAs(src("days"), [&] {
        QList<TicketDayRow> out;
        auto rs = m_conn.query(sql::ticketDays(m_conn.dialect(), empresa, almacen, from, to, articulo));
        while (!rs.eof()) {
            TicketDayRow r;
            r.fecha = rs.value(0).toDate();
            r.caja = rs.value(1).toInt();
            r.cajero = rs.value(2).toInt();
            r.nombreCajero = rs.value(3).toString();
            out.push_back(std::move(r));
            rs.moveNext();
        }
        return out;
    });
}

int TicketStore::lastCashier(int empresa, int almacen, int caja, const QDate& fecha) const
{
    return reraiseAs(src("lastCashier"), [&] {
        return m_conn.scalar(sql::lastCashier(m_conn.dialect(), empresa, almacen, caja, fecha)).toInt();
    });
}

QString TicketStore::cardName(const TicketKey& k) const
{
    return reraiseAs(src("cardName"), [&] {
        auto rs = m_conn.query(sql::cardName(m_conn.dialect(), k));
        const QString name = rs.eof() ? QString() : rs.value(0).toString();
        return name.isEmpty() ? QStringLiteral("Tarjeta") : name;
    });
}

std::optional<QString> TicketStore::parameter(int empresa, int almacen, int codigo) const
{
    return reraiseAs(src("parameter"), [&]() -> std::optional<QString> {
        auto rs = m_conn.query(sql::parameter(empresa, almacen, codigo));
        if (rs.eof())
            return std::nullopt;
        return rs.value(0).toString();
    });
}

QMap<int, QString> TicketStore::parameters(int empresa, int almacen, int from, int to) const
{
    return reraiseAs(src("parameters"), [&] {
        QMap<int, QString> out;
        auto rs = m_conn.query(sql::parameterRange(empresa, almacen, from, to));
        while (!rs.eof()) {
            out.insert(rs.value(0).toInt(), rs.value(1).toString());
            rs.moveNext();
        }
        return out;
    });
}

bool TicketStore::textReceipt(int empresa, int almacen) const
{
    const auto v = parameter(empresa, almacen, 75);
    if (!v)
        return true;
    // The parameters window writes the combo's index as text ("0", "1").
    return host::Formato::LeerNumero(*v) != 0.0;
}

QString nombreTipoPromocion(int tipo)
{
    static const char* const names[] = {"Bonificación", "Combinado", "Promoción MxN", "Unidad a %/Importe Dto",
                                        "Cupones Dtos", "Volumen Venta", "Venta Artículos", "Dtos Tramos",
                                        "Código Concurso", "Sorteo Regalos", "Combo", "Combinado Grupos",
                                        "Precio Estrella", "Liquidación", "GruposPvp"};
    if (tipo < 2 || tipo > 16)
        return {};
    return QString::fromUtf8(names[tipo - 2]);
}

QString textoImpuesto(double rate)
{
    // As many decimals as the rate has (up to two), in the suite's notation.
    const double r = host::Redondear(rate, 2);
    int decimals = 0;
    if (host::Redondear(r, 0) != r)
        decimals = host::Redondear(r, 1) == r ? 1 : 2;
    return host::Formato::FormatoNumero(r, decimals) + QLatin1Char('%');
}

} // namespace zqvr::tickets
