#include "terminals/TerminalStore.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"
#include "db/TextMatch.h"

namespace zqvr::terminals {

using db::sqlFlag;
using db::sqlInt;
using db::sqlText;

std::optional<Terminal> TerminalStore::loadWhere(const QString& sql)
{
    db::RecordSet rs = m_conn.query(sql);
    if (rs.eof())
        return std::nullopt;
    Terminal t;
    t.codigo = static_cast<qint16>(rs[QStringLiteral("Codigo")].toInt());
    t.host = rs[QStringLiteral("Host")].toString();
    t.descripcion = rs[QStringLiteral("Descripcion")].toString();
    t.empresa = static_cast<qint16>(rs[QStringLiteral("Empresa")].toInt());
    t.tarifaPVP = static_cast<qint16>(rs[QStringLiteral("TarifaPVP")].toInt());
    t.tarifaProm = static_cast<qint16>(rs[QStringLiteral("TarifaProm")].toInt());
    t.enLinea = rs[QStringLiteral("EnLinea")].toBool() ? 1 : 0;
    t.almacen = static_cast<qint16>(rs[QStringLiteral("Almacen")].toInt());
    t.emergencia = rs[QStringLiteral("Emergencia")].toBool();
    rs.close();
    return t;
}

std::optional<Terminal> TerminalStore::load(int codigo)
{
    return loadWhere(QStringLiteral("SELECT * FROM TPVs WHERE Codigo =") + sqlInt(codigo));
}

// The terminal next to the code: the nearest code below it ("<", DESC) or above it (">", ASC).
std::optional<Terminal> TerminalStore::neighbour(int codigo, const QString& comparison, const QString& order)
{
    const db::Dialect& d = m_conn.dialect();
    return loadWhere(QStringLiteral("SELECT * FROM TPVs WHERE Codigo IN (") +
                     d.selectTop(1, QStringLiteral("Codigo FROM TPVs WHERE Codigo ") + comparison + QStringLiteral(" ") +
                                        sqlInt(codigo) + QStringLiteral(" ORDER BY Codigo ") + order) +
                     QStringLiteral(")"));
}

// The lowest (MIN) or highest (MAX) terminal; with none the code looked for is 0.
std::optional<Terminal> TerminalStore::end(const QString& aggregate)
{
    const db::Dialect& d = m_conn.dialect();
    return loadWhere(QStringLiteral("SELECT * FROM TPVs WHERE Codigo IN (SELECT ") +
                     d.isNull(aggregate + QStringLiteral("(Codigo)"), QStringLiteral("0")) +
                     QStringLiteral(" AS Codigo FROM TPVs)"));
}

std::optional<Terminal> TerminalStore::previous(int codigo)
{
    return neighbour(codigo, QStringLiteral("<"), QStringLiteral("DESC"));
}

std::optional<Terminal> TerminalStore::next(int codigo)
{
    return neighbour(codigo, QStringLiteral(">"), QStringLiteral("ASC"));
}

std::optional<Terminal> TerminalStore::first() { return end(QStringLiteral("MIN")); }
std::optional<Terminal> TerminalStore::last() { return end(QStringLiteral("MAX")); }

void TerminalStore::save(const Terminal& t)
{
    // Update, insert and the emergency clearing land together or not at
    // all: a terminal is never left half-saved, nor two emergency terminals.
    db::TransactionGuard guard(m_conn);
    const QString sql = QStringLiteral("UPDATE TPVs SET Host =") + sqlText(t.host) +
                        QStringLiteral(", Descripcion=") + sqlText(t.descripcion) +
                        QStringLiteral(", Empresa =") + sqlInt(t.empresa) +
                        QStringLiteral(", TarifaPVP =") + sqlInt(t.tarifaPVP) +
                        QStringLiteral(", TarifaProm =") + sqlInt(t.tarifaProm) +
                        QStringLiteral(", EnLinea =") + sqlInt(t.enLinea) +
                        QStringLiteral(", Almacen =") + sqlInt(t.almacen) +
                        QStringLiteral(", Emergencia =") + sqlFlag(t.emergencia) +
                        QStringLiteral(" WHERE Codigo =") + sqlInt(t.codigo);
    if (m_conn.execute(sql) == 0)
        insert(t);
    if (t.emergencia)
        m_conn.execute(QStringLiteral("UPDATE TPVs SET Emergencia = 0 WHERE Codigo <> ") + sqlInt(t.codigo));
    guard.commit();
}

void TerminalStore::insert(const Terminal& t)
{
    m_conn.execute(QStringLiteral("INSERT INTO TPVs (Codigo, Host, Descripcion, Empresa, TarifaPVP, TarifaProm,"
                                  " EnLinea, Almacen, Emergencia) VALUES (") +
                   sqlInt(t.codigo) + QStringLiteral(", ") + sqlText(t.host) + QStringLiteral(", ") +
                   sqlText(t.descripcion) + QStringLiteral(", ") + sqlInt(t.empresa) + QStringLiteral(", ") +
                   sqlInt(t.tarifaPVP) + QStringLiteral(", ") + sqlInt(t.tarifaProm) + QStringLiteral(", ") +
                   sqlInt(t.enLinea) + QStringLiteral(", ") + sqlInt(t.almacen) + QStringLiteral(", ") +
                   sqlFlag(t.emergencia) + QStringLiteral(")"));
}

void TerminalStore::remove(int codigo)
{
    expectRow(m_conn.execute(QStringLiteral("DELETE FROM TPVs WHERE Codigo =") + sqlInt(codigo)),
              QStringLiteral("El TPV %1").arg(codigo));
}

bool TerminalStore::anyTerminal()
{
    db::RecordSet rs = m_conn.query(m_conn.dialect().selectTop(1, QStringLiteral("* FROM TPVs")));
    const bool any = !rs.eof();
    rs.close();
    return any;
}

QList<std::pair<QString, int>> TerminalStore::companies()
{
    QList<std::pair<QString, int>> out;
    db::RecordSet rs = m_conn.query(QStringLiteral("SELECT * FROM Empresas ORDER BY Nombre_1"));
    while (!rs.eof()) {
        out.push_back({rs[QStringLiteral("Nombre_1")].toString(), rs[QStringLiteral("Codigo")].toInt()});
        rs.moveNext();
    }
    return out;
}

db::RecordSet TerminalStore::searchByHost(const QString& pattern)
{
    return m_conn.query(QStringLiteral("SELECT Codigo, Host FROM TPVs WHERE ") +
                        QStringLiteral(" (Host ") + db::likeIgnoringCase(m_conn.dialect(), QStringLiteral("like")) + QLatin1Char(' ') + db::sqlLikePattern(pattern) + QStringLiteral(")") +
                        QStringLiteral(" ORDER BY Host"));
}

QString TerminalStore::counterCondition(bool continuous, const QDate& date) const
{
    if (continuous)
        return QStringLiteral(" WHERE ") + m_conn.dialect().year(QStringLiteral("Fecha")) + QStringLiteral(" =") +
               sqlInt(date.year());
    return QStringLiteral(" WHERE Fecha =") + m_conn.dialect().date(date);
}

qint32 TerminalStore::nextTicketNumber(bool take, bool continuous, const QDate& date)
{
    if (!date.isValid())
        throw Error(errc::InvalidArgument, QStringLiteral("La fecha del ticket no es válida."));
    db::Connection& c = m_conn;
    const QString where = counterCondition(continuous, date);

    if (!take) {
        // Only a look at the number the next ticket would get: nothing is
        // written, so no lock is taken either.
        db::RecordSet rs = c.query(QStringLiteral("SELECT * FROM TPV_Contador_Ticket_Caja") + where);
        return rs.eof() ? 1 : rs[QStringLiteral("Codigo")].toInt() + 1;
    }

    // Taking a number: the counter row stays locked from the read to the
    // commit, so two tills asking at the same moment never get the same one.
    db::TransactionGuard guard(c, db::TransactionGuard::Write);
    db::RecordSet rs = c.query(QStringLiteral("SELECT * FROM TPV_Contador_Ticket_Caja") +
                               c.dialect().updateLockHint() + where + c.dialect().updateLockSuffix());
    qint32 next = 1;
    if (rs.eof()) {
        rs.close();
        c.execute(QStringLiteral("INSERT INTO TPV_Contador_Ticket_Caja (Fecha, Codigo) VALUES (") +
                  c.dialect().date(date) + QStringLiteral(", 1)"));
    } else {
        const qint32 last = rs[QStringLiteral("Codigo")].toInt();
        // With continuous numbering the year may hold one row per day: only
        // the row read moves on, never every row that holds the same number.
        const QDate rowDate = rs[QStringLiteral("Fecha")].toDate();
        rs.close();
        next = last + 1;
        const int n = c.execute(QStringLiteral("UPDATE TPV_Contador_Ticket_Caja SET Codigo = ") + sqlInt(next) +
                                QStringLiteral(" WHERE Fecha =") + c.dialect().date(rowDate.isValid() ? rowDate : date) +
                                QStringLiteral(" AND Codigo = ") + sqlInt(last));
        if (n == 0)
            throw Error(errc::Database, QStringLiteral("No se pudo actualizar el contador de tickets."));
    }
    guard.commit();
    return next;
}

} // namespace zqvr::terminals
