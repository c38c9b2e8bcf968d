#include "demo/DemoReservations.h"

#include "db/Connection.h"
#include "db/Error.h"

#include <QStringList>
#include <cmath>
#include <QVariantList>

namespace zqvr::demo {

namespace {

QString iso(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }
QString isoAt(const QDate& d, int h, int m) { return iso(d) + QStringLiteral(" %1:%2:00").arg(h, 2, 10, QLatin1Char('0')).arg(m, 2, 10, QLatin1Char('0')); }

struct Customer {
    int code = 0;
    QString name, phone, nif, street;
};

Customer customer(db::Connection& conn, bool intraCom)
{
    auto rs = conn.query(QStringLiteral("SELECT c.Codigo, c.Nombre, c.Nif, c.Direccion, t.Numero FROM Clientes c"
                                        " LEFT JOIN Clientes_Telefonos t ON t.Cod_Empresa = c.Cod_Empresa"
                                        " AND t.Cod_Cliente = c.Codigo AND t.Codigo = 0"
                                        " WHERE c.Cod_Empresa = 1 AND c.IntraCom = ? ORDER BY c.Codigo"),
                         {intraCom ? 1 : 0});
    Customer c;
    if (!rs.eof()) {
        c.code = rs.value(0).toInt();
        c.name = rs.value(1).toString();
        c.nif = rs.value(2).toString();
        c.street = rs.value(3).toString();
        c.phone = rs.value(4).toString();
    }
    return c;
}

struct Article {
    int code = 0;
    double price = 0;
    int tax = 0;
    bool qualities = false;
};

// The articles to reserve: the dearest ones, the textile ones (sizes and colours) first.
QList<Article> articles(db::Connection& conn)
{
    QList<Article> out;
    auto rs = conn.query(QStringLiteral("SELECT Codigo, PVP, TipoImpuesto, CualidadX FROM Articulos"
                                        " WHERE Cod_Empresa = 1 AND EsKit = 0 AND PVP > 0"
                                        " ORDER BY CualidadX DESC, PVP DESC, Codigo"));
    for (; !rs.eof() && out.size() < 8; rs.moveNext())
        out.push_back({rs.value(0).toInt(), rs.value(1).toDouble(), rs.value(2).toInt(), rs.value(3).toInt() != 0});
    return out;
}

} // namespace

long long demoReservations(db::Connection& conn, const QDate& today)
{
    const QList<Article> arts = articles(conn);
    const Customer plain = customer(conn, false);
    const Customer intra = customer(conn, true);
    if (arts.size() < 4 || plain.code == 0)
        return 0; // not the demo data set: nothing to build on
    const int almacen = conn.scalar(QStringLiteral("SELECT MIN(Codigo) FROM Almacenes WHERE Cod_Empresa = 1")).toInt();
    const int agente = conn.scalar(QStringLiteral("SELECT MIN(Codigo) FROM Agentes WHERE Cod_Empresa = 1")).toInt();
    const int cajero = conn.scalar(QStringLiteral("SELECT MIN(CodUsuario) FROM SGD_Usuarios_Almacenes"
                                                  " WHERE Cod_Empresa = 1 AND CodUsuario > 1"))
                           .toInt();
    const int caja = conn.scalar(QStringLiteral("SELECT MIN(Codigo) FROM TPVs WHERE Empresa = 1 AND Almacen = ") +
                                 QString::number(almacen))
                         .toInt();
    int numero = conn.scalar(QStringLiteral("SELECT MAX(Codigo) FROM Reservas")).toInt();
    long long rows = 0;

    struct Line {
        int article; // index into arts, -1: an article deleted since
        double units;
        double dto;
        bool sold;
    };
    struct Move {
        int day;  // days after the reservation was made
        int kind; // Tipo_Pago
        double amount;
        bool sale, cancel, exchange;
    };
    auto amountOf = [&](const Line& l) {
        const double price = l.article >= 0 ? arts[l.article].price : 59.90;
        const double gross = l.units * price;
        return std::round((gross - gross * l.dto / 100.0) * 100.0) / 100.0;
    };
    auto add = [&](const Customer* c, const QString& walkInName, int age, bool pendiente, bool anulado, double dto,
                   const QString& remarks, const QList<Line>& lines, const QList<Move>& moves) {
        ++numero;
        const QDate made = today.addDays(-age);
        int n = 0;
        for (const Line& l : lines) {
            const Article a = l.article >= 0 ? arts[l.article] : Article{900000 + numero, 59.90, 2, false};
            rows += conn.execute(QStringLiteral("INSERT INTO Reservas_Lineas (Cod_Empresa, Codigo, Num_Linea, Cod_Articulo,"
                                                " CualidadX, CualidadY, Unidades, Pvp, TipoImpuesto, Serie, Agente, Dto,"
                                                " Vendida) VALUES (1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                                 {numero, ++n, a.code, a.qualities ? 3 : 0, a.qualities ? 2 : 0, l.units,
                                  l.article >= 0 ? a.price : 59.90, a.tax, QString(), agente, l.dto, l.sold ? 1 : 0});
        }
        double paid = 0, sold = 0;
        QString last = isoAt(made, 10, 15);
        int entry = 0;
        for (const Move& m : moves) {
            last = isoAt(made.addDays(m.day), 10 + entry, 5 * entry);
            rows += conn.execute(QStringLiteral("INSERT INTO Reservas_Historico (Cod_Empresa, Codigo, Num_Entrega, Fecha,"
                                                " Tipo_Pago, Cantidad, Cod_Almacen, Caja, Venta, Anulacion, Cambio)"
                                                " VALUES (1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                                 {numero, ++entry, last, m.kind, m.amount, almacen, caja, m.sale ? 1 : 0,
                                  m.cancel ? 1 : 0, m.exchange ? 1 : 0});
            (m.sale ? sold : paid) += m.amount;
        }
        double value = 0;
        for (const Line& l : lines)
            if (!l.sold)
                value += amountOf(l);
        rows += conn.execute(
            QStringLiteral("INSERT INTO Reservas (Cod_Empresa, Codigo, Cod_Almacen, Caja, Fecha, Fecha_Ult_Modificacion,"
                           " Fecha_Vencimiento, Cod_Cliente, Nomb_Cliente, Telefono, Nif, Domicilio, Paquete, Observaciones,"
                           " Agente, Cajero, Ult_Dto_Aplicado, Pendiente, Anulado, Total_Entregado, Total_Ventas,"
                           " Total_Pendiente) VALUES (1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {numero, almacen, caja, iso(made), last, iso(made.addDays(60)), c ? c->code : 0, c ? c->name : walkInName,
             c ? c->phone : QStringLiteral("628 41 90 17"), c ? c->nif : QString(), c ? c->street : QString(),
             QStringLiteral("PQ-%1").arg(numero, 6, 10, QLatin1Char('0')), remarks, agente, cajero, dto,
             pendiente ? 1 : 0, anulado ? 1 : 0, paid, sold, pendiente ? value - paid + sold : 0.0});
    };

    // Open, made last month: two payments on account, one line already sold
    // (with its sale), an exchange, and a line whose article was deleted since.
    const Line sold{1, 1, 0, true};
    add(&plain, QString(), 40, true, false, 10, QStringLiteral("Avisar por teléfono al llegar el pedido"),
        {{0, 2, 10, false}, sold, {-1, 1, 0, false}, {2, 1, 0, false}},
        {{0, 0, 50.0, false, false, false},
         {12, 1, 30.0, false, false, false},
         {20, 4, amountOf(sold), true, false, false},
         {25, 2, 15.0, false, false, true}});
    // Open, for an intra-community customer: no tax is added to its lines.
    if (intra.code != 0)
        add(&intra, QString(), 8, true, false, 0, QStringLiteral("Envío a Portugal"), {{3, 1, 0, false}, {0, 1, 0, false}},
            {{0, 1, 40.0, false, false, false}});
    // Open, for nobody in particular: treated as intra-community too.
    add(nullptr, QStringLiteral("Cliente de paso"), 3, true, false, 0, QString(), {{2, 2, 0, false}},
        {{0, 0, 20.0, false, false, false}});
    // Closed: everything sold out of the payments.
    const Line all{3, 1, 5, true};
    add(&plain, QString(), 52, false, false, 5, QString(), {all},
        {{0, 0, amountOf(all), false, false, false}, {9, 4, amountOf(all), true, false, false}});
    // Cancelled: the payment given back.
    add(&plain, QString(), 30, false, true, 0, QStringLiteral("Anulada a petición del cliente"), {{1, 1, 0, false}},
        {{0, 1, 25.0, false, false, false}, {6, 1, -25.0, false, true, false}});
    return rows;
}

} // namespace zqvr::demo
