#pragma once
// What a store or screen sends to the suite's SQL Server is a contract with
// the terminals and the other programs of the suite that read the same
// tables. Each case runs one operation on its own recording connection: every
// statement is rendered through the SQL Server dialect and kept, changes
// affect no row and queries return no row. The statements kept are compared
// with the expected text, in order.
//
//   test::expectStatements("quick codes", {
//       {"Eliminar", [](db::Connection& c) { QuickCodeStore(c, 1, 1).Eliminar(2, "12"); },
//        {"DELETE FROM ...", "INSERT INTO ..."}},
//   });
#include "db/Connection.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <vector>

namespace zqvr::test {

struct StatementCase {
    const char* operation;
    std::function<void(db::Connection&)> run;
    QStringList statements;
};

// The statements as C++ literals, so that a new or changed statement can be read off a failure.
inline std::string statementListing(const QStringList& statements)
{
    std::string out;
    for (const QString& s : statements) {
        QString quoted = s;
        quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
        out += "    \"" + quoted.toStdString() + "\",\n";
    }
    return out;
}

// The statements as gtest prints them on a mismatch: one readable text each.
inline std::vector<std::string> lines(const QStringList& statements)
{
    std::vector<std::string> out;
    for (const QString& s : statements)
        out.push_back(s.toStdString());
    return out;
}

// Runs every case on a fresh "record:sqlserver" connection and reports how
// many statements the screen or store has under contract.
inline void expectStatements(const char* subject, const std::vector<StatementCase>& cases)
{
    int count = 0;
    for (const StatementCase& c : cases) {
        auto conn = db::Connection::open(QStringLiteral("record:sqlserver"));
        c.run(*conn);
        const QStringList sent = conn->recordedStatements();
        EXPECT_EQ(lines(sent), lines(c.statements)) << subject << ": " << c.operation << "\nsent:\n"
                                                    << statementListing(sent);
        count += int(c.statements.size());
    }
    std::cout << "[ contract ] " << subject << ": " << count << " statements\n";
}

} // namespace zqvr::test
