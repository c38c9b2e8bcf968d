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

void DemoInvoicing::makeTillDatabases(db::Connection& central)
{
    const QString cs = central.connectionString();
    if (!cs.startsWith(QLatin1String("sqlite:"), Qt::CaseInsensitive))
        return;
    const QString centralPath = cs.mid(7);
    if (centralPath == QLatin1String(":memory:") || centralPath.isEmpty())
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

        const QString path = tillPath(centralPath, tillHost());
        QFile::remove(path);
        auto till = db::Connection::open(QStringLiteral("sqlite:") + path);
        db::Schema::ensure(*till);
        till->execute(QStringLiteral("ATTACH DATABASE ") + sqlText(QFileInfo(centralPath).absoluteFilePath()) +
                      QStringLiteral(" AS central"));
        const QString scope = QStringLiteral(" WHERE Cod_Empresa = ") + sqlInt(empresa) +
                              QStringLiteral(" AND Cod_Almacen = ") + sqlInt(almacen) + QStringLiteral(" AND Caja = ") +
                              sqlInt(caja);
        {
            db::TransactionGuard guard(*till, db::TransactionGuard::Write);
            for (const char* table : {"TPV_Tickets", "TPV_Tickets_Lineas", "TPV_Tickets_Lineas_Promocion", "Tpv_Tickets_Tarjeta"})
                till->execute(QStringLiteral("INSERT INTO %1 SELECT * FROM central.%1").arg(QLatin1String(table)) + scope);
            till->execute(QStringLiteral("INSERT INTO TPV_Tickets_Factura SELECT * FROM central.TPV_Tickets_Factura") + scope);
            till->execute(QStringLiteral("UPDATE TPV_Tickets_Factura SET Enviado = 1"));
            till->execute(QStringLiteral("INSERT INTO TPV_Contador_Ticket_Caja SELECT * FROM central.TPV_Contador_Ticket_Caja"));
            guard.commit();
        }
        till->execute(QStringLiteral("DETACH DATABASE central"));
    });
}

} // namespace zqvr::demo
