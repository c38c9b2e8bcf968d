#include "terminals/TerminalStatus.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <map>

namespace zqvr::terminals {

using db::sqlInt;

namespace {

constexpr int kBitsPerColumn = 31;

qint64 tillKey(qint64 almacen, qint64 caja) { return (almacen << 32) ^ (caja & 0xFFFFFFFF); }

// Figures keyed by warehouse and till, from a statement that yields
// Cod_Almacen, Caja and the amount in that order.
QHash<qint64, double> figuresByTill(db::Connection& conn, const QString& sql)
{
    QHash<qint64, double> figures;
    db::RecordSet rs = conn.query(sql);
    while (!rs.eof()) {
        if (!rs.value(0).isNull() && !rs.value(1).isNull())
            figures.insert(tillKey(rs.value(0).toLongLong(), rs.value(1).toLongLong()), rs.value(2).toDouble());
        rs.moveNext();
    }
    return figures;
}

double figureOf(const QHash<qint64, double>& figures, const TerminalStatus& t)
{
    if (!t.almacen)
        return 0;
    return figures.value(tillKey(*t.almacen, t.codigo), 0.0);
}

QString textOf(const db::RecordSet& rs, const QString& field)
{
    return rs.hasField(field) ? rs.value(field).toString() : QString();
}

bool flagOf(const db::RecordSet& rs, const QString& field)
{
    return rs.hasField(field) && rs.value(field).toBool();
}

} // namespace

std::optional<QueueSlot> queueSlot(int terminalCode)
{
    if (terminalCode < 1)
        return std::nullopt;
    const int k = (terminalCode - 1) / kBitsPerColumn;
    return QueueSlot{k, (terminalCode - 1) - kBitsPerColumn * k};
}

QString queueColumnName(int column)
{
    return column == 0 ? QStringLiteral("Act") : QStringLiteral("Act%1").arg(column);
}

TerminalStatusReader::TerminalStatusReader(db::Connection& conn, int company, bool reservations)
    : m_conn(conn), m_company(company), m_reservations(reservations)
{
}

QString TerminalStatusReader::terminalsSql() const
{
    // In code order, so that a row of the board is the same terminal from one
    // refresh to the next.
    return QStringLiteral("SELECT * FROM TPVS WHERE Empresa =") + sqlInt(m_company) +
           QStringLiteral(" ORDER BY Codigo");
}

QString TerminalStatusReader::tillFilter() const
{
    // Only the tills of the company's terminals: the engines reach them
    // through the (company, warehouse, till, date) keys instead of reading
    // every row of the day.
    const QString c = sqlInt(m_company);
    return QStringLiteral(" AND Cod_Almacen IN (SELECT Almacen FROM TPVs WHERE Empresa = %1)"
                          " AND Caja IN (SELECT Codigo FROM TPVs WHERE Empresa = %1)")
        .arg(c);
}

QString TerminalStatusReader::salesSql(const QDate& today) const
{
    const db::Dialect& d = m_conn.dialect();
    return QStringLiteral("SELECT Cod_Almacen, Caja, ") + d.isNull(QStringLiteral("SUM(Total)"), QStringLiteral("0")) +
           QStringLiteral(" AS Total FROM TPV_Tickets WHERE Cod_Empresa =") + sqlInt(m_company) + tillFilter() +
           QStringLiteral(" AND Fecha =") + d.date(today) + QStringLiteral(" GROUP BY Cod_Almacen, Caja");
}

QString TerminalStatusReader::collectionsSql(const QDate& today) const
{
    // Collections carry their time; the day runs up to, not including, the
    // next midnight, so one made at 00:00 counts on its own day only.
    const db::Dialect& d = m_conn.dialect();
    const QString day = d.date(today);
    return QStringLiteral("SELECT Cod_Almacen, Caja, ") + d.isNull(QStringLiteral("SUM(Cantidad)"), QStringLiteral("0")) +
           QStringLiteral(" AS Cantidad FROM Reservas_Historico WHERE Cod_Empresa = ") + sqlInt(m_company) +
           tillFilter() + QStringLiteral(" AND Fecha >= ") + day + QStringLiteral(" AND Fecha < ") +
           d.dateAdd(QStringLiteral("d"), 1, day) + QStringLiteral(" AND Venta = 0 GROUP BY Cod_Almacen, Caja");
}

QString TerminalStatusReader::newReservationsSql(const QDate& today) const
{
    const db::Dialect& d = m_conn.dialect();
    return QStringLiteral("SELECT Cod_Almacen, Caja, ") +
           d.isNull(QStringLiteral("SUM(Total_Entregado+Total_Pendiente)"), QStringLiteral("0")) +
           QStringLiteral(" AS Total FROM Reservas WHERE Cod_Empresa = ") + sqlInt(m_company) + tillFilter() +
           QStringLiteral(" AND Fecha = ") + d.date(today) +
           QStringLiteral(" AND Anulado = 0 GROUP BY Cod_Almacen, Caja");
}

QString TerminalStatusReader::queueSql(const std::vector<qint64>& masks) const
{
    QStringList masked, pending;
    for (size_t k = 0; k < masks.size(); ++k) {
        if (masks[k] == 0)
            continue;
        const QString m = sqlInt(masks[k]);
        const QString expr = QStringLiteral("(%1 & %2)").arg(queueColumnName(int(k)), m);
        masked << expr;
        pending << expr + QStringLiteral(" <> ") + m;
    }
    if (masked.isEmpty())
        return {};
    // Rows every on-line terminal has taken (most of the queue) are left out
    // at once; the rest collapse into a few groups of identical bits.
    return QStringLiteral("SELECT ") + masked.join(QStringLiteral(", ")) +
           QStringLiteral(", COUNT(*) AS N FROM Articulos_ToPos WHERE ") + pending.join(QStringLiteral(" OR ")) +
           QStringLiteral(" GROUP BY ") + masked.join(QStringLiteral(", "));
}

std::vector<int> TerminalStatusReader::queueColumns() const
{
    static const QRegularExpression actName(QStringLiteral("^act(\\d*)$"), QRegularExpression::CaseInsensitiveOption);
    std::vector<int> columns;
    db::RecordSet rs = m_conn.query(QStringLiteral("SELECT * FROM Articulos_ToPos WHERE 1 = 0"));
    for (int i = 0; i < rs.fieldCount(); ++i) {
        const QRegularExpressionMatch m = actName.match(rs.fieldName(i));
        if (!m.hasMatch())
            continue;
        const QString digits = m.captured(1);
        // "Act1" is column 1; "Act01" is not a column the terminals use.
        if (digits.isEmpty())
            columns.push_back(0);
        else if (!digits.startsWith(QLatin1Char('0')))
            columns.push_back(digits.toInt());
    }
    std::sort(columns.begin(), columns.end());
    return columns;
}

void TerminalStatusReader::readQueue(std::vector<TerminalStatus>& rows) const
{
    const std::vector<int> columns = queueColumns();
    const int maxColumn = columns.empty() ? -1 : columns.back();
    std::vector<qint64> masks(size_t(maxColumn + 1), 0);
    // Terminals of each column with their bit.
    std::map<int, std::vector<std::pair<TerminalStatus*, qint64>>> byColumn;
    for (TerminalStatus& t : rows) {
        if (!t.enLinea) {
            t.cola = 0;
            continue;
        }
        const std::optional<QueueSlot> slot = queueSlot(t.codigo);
        if (!slot || !std::binary_search(columns.begin(), columns.end(), slot->column)) {
            t.cola.reset(); // no column in the queue for this terminal
            continue;
        }
        const qint64 bit = qint64(1) << slot->bit;
        masks[size_t(slot->column)] |= bit;
        byColumn[slot->column].push_back({&t, bit});
        t.cola = 0;
    }
    const QString sql = queueSql(masks);
    if (sql.isEmpty())
        return;
    db::RecordSet rs = m_conn.query(sql);
    const int count = int(byColumn.size());
    while (!rs.eof()) {
        const long long n = rs.value(count).toLongLong();
        int field = 0;
        for (auto& [column, terminals] : byColumn) {
            const db::Value v = rs.value(field++);
            // A NULL flag column counts for nobody, as "(Act & bit) = 0" is not true of it.
            if (v.isNull())
                continue;
            const qint64 bits = v.toLongLong();
            for (auto& [t, bit] : terminals)
                if ((bits & bit) == 0)
                    *t->cola += n;
        }
        rs.moveNext();
    }
}

std::vector<TerminalStatus> TerminalStatusReader::read(const QDate& today) const
{
    std::vector<TerminalStatus> rows;
    {
        db::RecordSet rs = m_conn.query(terminalsSql());
        while (!rs.eof()) {
            TerminalStatus t;
            t.codigo = rs.value(QStringLiteral("Codigo")).toInt();
            t.host = textOf(rs, QStringLiteral("Host"));
            t.descripcion = textOf(rs, QStringLiteral("Descripcion"));
            t.enLinea = flagOf(rs, QStringLiteral("EnLinea"));
            t.postoServerOk = flagOf(rs, QStringLiteral("PostoServerOk"));
            const db::Value almacen = rs.value(QStringLiteral("Almacen"));
            if (!almacen.isNull())
                t.almacen = almacen.toInt();
            t.version = textOf(rs, QStringLiteral("Version"));
            t.serial = textOf(rs, QStringLiteral("Serial"));
            rows.push_back(std::move(t));
            rs.moveNext();
        }
    }
    if (rows.empty())
        return rows;

    const QHash<qint64, double> sales = figuresByTill(m_conn, salesSql(today));
    QHash<qint64, double> collections, newReservations;
    if (m_reservations) {
        collections = figuresByTill(m_conn, collectionsSql(today));
        newReservations = figuresByTill(m_conn, newReservationsSql(today));
    }
    for (TerminalStatus& t : rows) {
        t.ventaDia = figureOf(sales, t);
        t.cobroReservas = figureOf(collections, t);
        t.reservasNuevas = figureOf(newReservations, t);
    }
    readQueue(rows);
    return rows;
}

QString TerminalStatusReader::salesOfDaySql(const QDate& day) const
{
    const db::Dialect& d = m_conn.dialect();
    const QString c = sqlInt(m_company);
    // The company of a terminal is its Empresa column.
    return QStringLiteral("SELECT ") + d.isNull(QStringLiteral("SUM(Importe_Pvp)"), QStringLiteral("0")) +
           QStringLiteral(" AS Importe FROM Articulos_Ventas_Dia WHERE Cod_Empresa =") + c +
           QStringLiteral(" AND Cod_Almacen IN (SELECT Almacen FROM TPVs WHERE Empresa=") + c +
           QStringLiteral(")  AND Fecha =") + d.date(day);
}

double TerminalStatusReader::salesOfDay(const QDate& day) const
{
    return m_conn.scalar(salesOfDaySql(day)).toDouble();
}

} // namespace zqvr::terminals
