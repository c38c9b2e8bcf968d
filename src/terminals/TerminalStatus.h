#pragma once
// What the terminal monitor shows for each terminal of a company, read with
// one statement per kind of figure for all terminals together (today's
// sales, reservation collections, new reservations, the article queue), so
// that a refresh costs the same few statements whether the company has two
// terminals or hundreds.
//
//   TerminalStatusReader reader(conn, empresa.CodigoEmpresa(), !empresa.IndicadorReservas(0).isEmpty());
//   for (const TerminalStatus& t : reader.read(QDate::currentDate())) ...
#include "terminals_export.h"
#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace zqvr::db { class Connection; }

namespace zqvr::terminals {

// Where a terminal's flag lives in the article queue: bit `bit` of column
// "Act" (column 0) or "Act<column>".
struct QueueSlot {
    int column = 0;
    int bit = 0;
    bool operator==(const QueueSlot&) const = default;
};

// Terminal n has taken a queued row once bit (n - 1) mod 31 of column
// (n - 1) div 31 is set. Codes below 1 have no slot.
ZQVR_TERMINALS_EXPORT std::optional<QueueSlot> queueSlot(int terminalCode);
// "Act", "Act1", "Act2", ...
ZQVR_TERMINALS_EXPORT QString queueColumnName(int column);

struct ZQVR_TERMINALS_EXPORT TerminalStatus {
    int codigo = 0;
    QString host;
    QString descripcion;
    bool enLinea = false;
    bool postoServerOk = false;
    std::optional<int> almacen; // empty when the terminal has no warehouse
    QString version;
    QString serial;
    double ventaDia = 0;      // today's ticket sales
    double cobroReservas = 0; // today's reservation collections
    double reservasNuevas = 0; // value of the reservations made today
    // Rows of the article queue the terminal has not taken: 0 off line, empty
    // when the queue has no column for its code.
    std::optional<long long> cola;

    double ventasTotal() const { return ventaDia + reservasNuevas; }
};

class ZQVR_TERMINALS_EXPORT TerminalStatusReader {
public:
    TerminalStatusReader(db::Connection& conn, int company, bool reservations);

    // Every terminal of the company in code order with its figures for the day.
    std::vector<TerminalStatus> read(const QDate& today) const;

    // The statements, in the engine's dialect (the benchmark times them bare).
    QString terminalsSql() const;
    QString salesSql(const QDate& today) const;
    QString collectionsSql(const QDate& today) const;
    QString newReservationsSql(const QDate& today) const;
    // One pass over the queue: the rows some on-line terminal has not taken,
    // grouped by the on-line terminals' bits of each column. masks[k] holds
    // those bits of column k (0: column not asked). Empty when no mask is set.
    QString queueSql(const std::vector<qint64>& masks) const;
    // The "Act" columns the queue table has (index k for "Act<k>").
    std::vector<int> queueColumns() const;

    // Sales of a day in the warehouses of the company's terminals (the
    // comparison with the previous year).
    double salesOfDay(const QDate& day) const;
    QString salesOfDaySql(const QDate& day) const;

private:
    QString tillFilter() const;
    void readQueue(std::vector<TerminalStatus>& rows) const;

    db::Connection& m_conn;
    int m_company;
    bool m_reservations;
};

} // namespace zqvr::terminals
