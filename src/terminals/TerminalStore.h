#pragma once
// The statements of the sales terminals (TPVs) and of the ticket counter of
// a terminal's database. clsTPV keeps the system's interface over it; the
// terminal screens read their lists through it.
#include "terminals_export.h"
#include "db/RecordSet.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>
#include <utility>

namespace zqvr::db { class Connection; }

namespace zqvr::terminals {

// One row of TPVs.
struct Terminal {
    qint16 codigo = 0;
    QString host;
    QString descripcion;
    qint16 empresa = 0;
    qint16 tarifaPVP = 0;
    qint16 tarifaProm = 0;
    qint16 enLinea = 0; // any non-zero value read back is 1
    qint16 almacen = 0;
    bool emergencia = false;
};

class ZQVR_TERMINALS_EXPORT TerminalStore {
public:
    explicit TerminalStore(db::Connection& conn) : m_conn(conn) {}

    // The terminal with the code; the nearest code below or above it; the
    // lowest or highest code. Empty when there is none.
    std::optional<Terminal> load(int codigo);
    std::optional<Terminal> previous(int codigo);
    std::optional<Terminal> next(int codigo);
    std::optional<Terminal> first();
    std::optional<Terminal> last();

    // Updates the terminal's row, inserts it when there is none, and when it
    // is the emergency terminal clears the flag on every other terminal;
    // all of it or nothing.
    void save(const Terminal& t);
    void insert(const Terminal& t);
    // Raises rowDeletedError (db/Error.h) when another user deleted the terminal meanwhile.
    void remove(int codigo);

    // Whether any terminal is registered.
    bool anyTerminal();
    // The companies a terminal may belong to (name, code), by name.
    QList<std::pair<QString, int>> companies();
    // Code and host of the terminals whose host matches the pattern (the
    // user's text, "*" as the wildcard), by host: read a page at a time.
    db::RecordSet searchByHost(const QString& pattern);

    // On the terminal's own database: the next ticket number of the date (or
    // of its year with continuous numbering). With take the number is taken:
    // the counter moves on under a lock and no other caller gets it; without
    // it nothing is written.
    qint32 nextTicketNumber(bool take, bool continuous, const QDate& date);

private:
    std::optional<Terminal> loadWhere(const QString& sql);
    std::optional<Terminal> neighbour(int codigo, const QString& comparison, const QString& order);
    std::optional<Terminal> end(const QString& aggregate);
    QString counterCondition(bool continuous, const QDate& date) const;

    db::Connection& m_conn;
};

} // namespace zqvr::terminals
