// Tries the component's statements against a site's SQL Server without
// changing it: every SELECT runs and its first row is read; every other
// statement is compiled under SET NOEXEC ON, which checks it against the
// database and runs nothing. A grid-print table is then made and dropped for
// real, since it lives in tempdb. Prints each statement that failed and why.
//
//   zqvr-sqlserver-smoke "DSN=tienda" statements.sql
//
// The statements file holds the statements the contract tests record
// (scripts/sqlserver-smoke.sh makes it), separated by lines "-- zqvr --".
#include "db/Connection.h"
#include "db/Error.h"
#include "reports/DynamicTable.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QTextStream>
#include <QTime>

using namespace zqvr;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        err << "Uso: zqvr-sqlserver-smoke CADENA_ODBC FICHERO_DE_SENTENCIAS\n";
        return 2;
    }
    QFile file(args.at(2));
    if (!file.open(QIODevice::ReadOnly)) {
        err << "No se pudo leer " << args.at(2) << ": " << file.errorString() << "\n";
        return 2;
    }
    QStringList statements;
    QSet<QString> seen;
    for (const QString& s : QString::fromUtf8(file.readAll()).split(QStringLiteral("\n-- zqvr --\n"))) {
        const QString t = s.trimmed();
        if (!t.isEmpty() && !seen.contains(t)) {
            seen.insert(t);
            statements << t;
        }
    }

    std::unique_ptr<db::Connection> conn;
    try {
        conn = db::Connection::open(QStringLiteral("odbc:") + args.at(1), 10);
    } catch (const Error& e) {
        err << e.description() << "\n";
        return 1;
    }
    if (!conn->isSqlServer()) {
        err << "La conexión no lleva a un SQL Server.\n";
        return 1;
    }

    int failed = 0;
    auto report = [&](const QString& sql, const Error& e) {
        ++failed;
        out << "FALLO: " << sql << "\n       " << e.description() << "\n";
    };
    for (const QString& sql : std::as_const(statements)) {
        const bool reads = sql.startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive) &&
                           !sql.contains(QLatin1String(" INTO "), Qt::CaseInsensitive);
        try {
            if (reads) {
                auto rs = conn->query(sql);
                rs.close();
            } else {
                conn->execute(QStringLiteral("SET NOEXEC ON"));
                try {
                    conn->execute(sql);
                } catch (...) {
                    conn->execute(QStringLiteral("SET NOEXEC OFF"));
                    throw;
                }
                conn->execute(QStringLiteral("SET NOEXEC OFF"));
            }
        } catch (const Error& e) {
            report(sql, e);
        }
    }

    // The grid printer's table: made, filled and dropped in tempdb.
    const QString table = reports::DynamicTable::makeName(conn->dialect(), QTime::currentTime());
    const QList<int> types = {reports::gridtype::Int32, reports::gridtype::Currency, reports::gridtype::Date,
                              reports::gridtype::Text, reports::gridtype::Boolean};
    const QStringList fields = {QStringLiteral("Codigo"), QStringLiteral("Importe"), QStringLiteral("Fecha"),
                                QStringLiteral("Nombre"), QStringLiteral("Activo")};
    QStringList definitions;
    for (int t : types)
        definitions << reports::DynamicTable::columnDefinition(t, false, 10, conn->dialect());
    try {
        reports::DynamicTable::fill(*conn, table, fields, types, definitions, 2,
                                    [](int row, int col) {
                                        const QStringList cells = {QString::number(row + 1), QStringLiteral("1.234,50"),
                                                                   QStringLiteral("06/12/2026"), QStringLiteral("O'Neill"),
                                                                   QStringLiteral("Verdadero")};
                                        return cells.at(col);
                                    },
                                    false);
        conn->execute(QStringLiteral("DROP TABLE ") + table);
    } catch (const Error& e) {
        report(QStringLiteral("(tabla de impresión de rejilla) ") + table, e);
    }

    out << statements.size() << " sentencias probadas, " << failed << " fallos.\n";
    return failed == 0 ? 0 : 1;
}
