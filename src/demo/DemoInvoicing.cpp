#include "demo/DemoInvoicing.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/Schema.h"
#include "db/SqlLiteral.h"
#include "host/InvoiceServices.h"
#include "host/TillConnector.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zqvr::demo {

using db::sqlInt;
using db::sqlText;

QString DemoInvoicing::tillFolder(const QString& centralPath) { return QFileInfo(centralPath).absolutePath(); }

QString DemoInvoicing::tillPrefix(const QString& centralPath)
{
    return QFileInfo(centralPath).completeBaseName() + QLatin1Char('.');
}

QString DemoInvoicing::tillPath(const QString& centralPath, const QString& host)
{
    return QDir(tillFolder(centralPath)).filePath(tillPrefix(centralPath) + host + QStringLiteral(".db"));
}

namespace {

// Copies what `select` reads on `from` into `table` of `to`, value by value:
// a server's rows reach the till's file with their types.
void copyRows(db::Connection& from, const QString& select, db::Connection& to, const QString& table)
{
    auto rs = from.query(select);
    QStringList columns;
    QStringList marks;
    for (int i = 0; i < rs.fieldCount(); ++i) {
        columns << rs.fieldName(i);
        marks << QStringLiteral("?");
    }
    const QString insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns.join(QStringLiteral(", ")),
                                                                                  marks.join(QStringLiteral(", ")));
    QVariantList row;
    for (; !rs.eof(); rs.moveNext()) {
        row.clear();
        for (int i = 0; i < columns.size(); ++i)
            row << rs.value(i).variant();
        to.execute(insert, row);
    }
}

const char* const kTillTables[] = {"TPV_Tickets", "TPV_Tickets_Lineas", "TPV_Tickets_Lineas_Promocion",
                                   "Tpv_Tickets_Tarjeta", "TPV_Tickets_Factura"};

} // namespace

void DemoInvoicing::makeTillDatabases(db::Connection& central, const QString& centralPath)
{
    const QString cs = central.connectionString();
    const bool centralIsFile = cs.startsWith(QLatin1String("sqlite:"), Qt::CaseInsensitive);
    const QString besidePath = centralPath.isEmpty() && centralIsFile ? cs.mid(7) : centralPath;
    if (besidePath.isEmpty() || besidePath == QLatin1String(":memory:"))
        return;
    reraiseAs(QStringLiteral("DemoInvoicing::makeTillDatabases"), [&] {
        auto rs = central.query(QStringLiteral("SELECT Codigo, Empresa, Almacen FROM TPVs WHERE Host = ") + sqlText(tillHost()));
        if (rs.eof())
            return;
        const int caja = rs.value(0).toInt();
        const int empresa = rs.value(1).toInt();
        const int almacen = rs.value(2).toInt();
        rs.close();
        central.execute(QStringLiteral("UPDATE TPVs SET SQLUser = ") +
                        sqlText(host::CifradoTpv::Cifrar(tillUser(), QString::fromLatin1(host::kTillLoginKey))) + QStringLiteral(", SQLPassword = ") +
                        sqlText(host::CifradoTpv::Cifrar(tillPassword(), QString::fromLatin1(host::kTillLoginKey))) +
                        QStringLiteral(", EnLinea = 1 WHERE Codigo = ") + sqlInt(caja));

        const QString path = tillPath(besidePath, tillHost());
        QFile::remove(path);
        auto till = db::Connection::open(QStringLiteral("sqlite:") + path);
        try {
            db::Schema::ensure(*till);
            const QString scope = QStringLiteral(" WHERE Cod_Empresa = ") + sqlInt(empresa) +
                                  QStringLiteral(" AND Cod_Almacen = ") + sqlInt(almacen) + QStringLiteral(" AND Caja = ") +
                                  sqlInt(caja);
            // A central file is read by the till's own connection, far faster than row by row.
            const bool attached = centralIsFile && QFileInfo(cs.mid(7)) == QFileInfo(besidePath);
            if (attached)
                till->execute(QStringLiteral("ATTACH DATABASE ") + sqlText(QFileInfo(besidePath).absoluteFilePath()) +
                              QStringLiteral(" AS central"));
            {
                db::TransactionGuard guard(*till, db::TransactionGuard::Write);
                for (const char* table : kTillTables) {
                    const QString name = QLatin1String(table);
                    if (attached)
                        till->execute(QStringLiteral("INSERT INTO %1 SELECT * FROM central.%1").arg(name) + scope);
                    else
                        copyRows(central, QStringLiteral("SELECT * FROM ") + name + scope, *till, name);
                }
                till->execute(QStringLiteral("UPDATE TPV_Tickets_Factura SET Enviado = 1"));
                if (attached)
                    till->execute(QStringLiteral("INSERT INTO TPV_Contador_Ticket_Caja SELECT * FROM central.TPV_Contador_Ticket_Caja"));
                else
                    copyRows(central, QStringLiteral("SELECT * FROM TPV_Contador_Ticket_Caja"), *till, QStringLiteral("TPV_Contador_Ticket_Caja"));
                guard.commit();
            }
            if (attached)
                till->execute(QStringLiteral("DETACH DATABASE central"));
        } catch (...) {
            // No half-made till is left behind: the next start makes it again.
            till.reset();
            QFile::remove(path);
            throw;
        }
    });
}

} // namespace zqvr::demo
