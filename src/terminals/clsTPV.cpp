#include "terminals/clsTPV.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"

namespace zqvr::terminals {

using db::sqlFlag;
using db::sqlInt;
using db::sqlText;

namespace {
constexpr long ObjectNotSet = 91;
}

db::Connection& clsTPV::conexion() const
{
    if (!m_conn)
        throw Error(ObjectNotSet, QStringLiteral("No se ha indicado la conexión con la base de datos."));
    return *m_conn;
}

db::Connection& clsTPV::tillConnection() const
{
    if (!m_connTpv)
        throw Error(ObjectNotSet,
                    QStringLiteral("No se ha indicado la conexión con la base de datos del TPV."));
    return *m_connTpv;
}

void clsTPV::Modificar()
{
    reraiseAs(QStringLiteral("clsTPV::Modificar"), [&] {
        db::Connection& c = conexion();
        // Update, insert and the emergency clearing land together or not at
        // all: a terminal is never left half-saved, nor two emergency terminals.
        db::TransactionGuard guard(c);
        const QString sql = QStringLiteral("UPDATE TPVs SET Host =") + sqlText(m_host) +
                            QStringLiteral(", Descripcion=") + sqlText(m_descripcion) +
                            QStringLiteral(", Empresa =") + sqlInt(m_empresa) +
                            QStringLiteral(", TarifaPVP =") + sqlInt(m_tarifaPVP) +
                            QStringLiteral(", TarifaProm =") + sqlInt(m_tarifaProm) +
                            QStringLiteral(", EnLinea =") + sqlInt(m_enLinea) +
                            QStringLiteral(", Almacen =") + sqlInt(m_almacen) +
                            QStringLiteral(", Emergencia =") + sqlFlag(m_emergencia) +
                            QStringLiteral(" WHERE Codigo =") + sqlInt(m_codigo);
        if (c.execute(sql) == 0)
            Insertar();
        if (m_emergencia)
            c.execute(QStringLiteral("UPDATE TPVs SET Emergencia = 0 WHERE Codigo <> ") + sqlInt(m_codigo));
        guard.commit();
    });
}

void clsTPV::Insertar()
{
    reraiseAs(QStringLiteral("clsTPV::Insertar"), [&] {
        conexion().execute(
            QStringLiteral("INSERT INTO TPVs (Codigo, Host, Descripcion, Empresa, TarifaPVP, TarifaProm,"
                           " EnLinea, Almacen, Emergencia) VALUES (") +
            sqlInt(m_codigo) + QStringLiteral(", ") + sqlText(m_host) + QStringLiteral(", ") +
            sqlText(m_descripcion) + QStringLiteral(", ") + sqlInt(m_empresa) + QStringLiteral(", ") +
            sqlInt(m_tarifaPVP) + QStringLiteral(", ") + sqlInt(m_tarifaProm) + QStringLiteral(", ") +
            sqlInt(m_enLinea) + QStringLiteral(", ") + sqlInt(m_almacen) + QStringLiteral(", ") +
            sqlFlag(m_emergencia) + QStringLiteral(")"));
    });
}

void clsTPV::Eliminar()
{
    reraiseAs(QStringLiteral("clsTPV::Eliminar"), [&] {
        expectRow(conexion().execute(QStringLiteral("DELETE FROM TPVs WHERE Codigo =") + sqlInt(m_codigo)),
                  QStringLiteral("El TPV %1").arg(m_codigo));
    });
}

bool clsTPV::CargarInst(const QString& sql, clsTPV& dest)
{
    return reraiseAs(QStringLiteral("clsTPV::CargarInst"), [&] {
        db::RecordSet rs = conexion().query(sql);
        if (rs.eof())
            return false;
        // Read everything first, so that a failing field leaves the target as it was.
        clsTPV row(dest);
        row.m_codigo = static_cast<qint16>(rs[QStringLiteral("Codigo")].toInt());
        row.m_host = rs[QStringLiteral("Host")].toString();
        row.m_descripcion = rs[QStringLiteral("Descripcion")].toString();
        row.m_empresa = static_cast<qint16>(rs[QStringLiteral("Empresa")].toInt());
        row.m_tarifaPVP = static_cast<qint16>(rs[QStringLiteral("TarifaPVP")].toInt());
        row.m_tarifaProm = static_cast<qint16>(rs[QStringLiteral("TarifaProm")].toInt());
        row.m_enLinea = rs[QStringLiteral("EnLinea")].toBool() ? 1 : 0;
        row.m_almacen = static_cast<qint16>(rs[QStringLiteral("Almacen")].toInt());
        row.m_emergencia = rs[QStringLiteral("Emergencia")].toBool();
        rs.close();
        dest = row;
        return true;
    });
}

bool clsTPV::Cargar(clsTPV* clsDest)
{
    clsTPV& dest = clsDest ? *clsDest : *this;
    return reraiseAs(QStringLiteral("clsTPV::Cargar"), [&] {
        if (dest.m_codigo == 0)
            return false;
        return CargarInst(QStringLiteral("SELECT * FROM TPVs WHERE Codigo =") + sqlInt(dest.m_codigo), dest);
    });
}

// The terminal next to the target's code: the nearest code below it ("<",
// DESC) or above it (">", ASC).
bool clsTPV::loadNeighbour(clsTPV* clsDest, const QString& comparison, const QString& order,
                          const QString& source)
{
    clsTPV& dest = clsDest ? *clsDest : *this;
    return reraiseAs(source, [&] {
        const db::Dialect& d = conexion().dialect();
        return CargarInst(QStringLiteral("SELECT * FROM TPVs WHERE Codigo IN (") +
                              d.selectTop(1, QStringLiteral("Codigo FROM TPVs WHERE Codigo ") + comparison +
                                                 QStringLiteral(" ") + sqlInt(dest.m_codigo) +
                                                 QStringLiteral(" ORDER BY Codigo ") + order) +
                              QStringLiteral(")"),
                          dest);
    });
}

// The lowest (MIN) or highest (MAX) terminal; with none the code looked for is 0.
bool clsTPV::loadEnd(clsTPV* clsDest, const QString& aggregate, const QString& source)
{
    clsTPV& dest = clsDest ? *clsDest : *this;
    return reraiseAs(source, [&] {
        const db::Dialect& d = conexion().dialect();
        return CargarInst(QStringLiteral("SELECT * FROM TPVs WHERE Codigo IN (SELECT ") +
                              d.isNull(aggregate + QStringLiteral("(Codigo)"), QStringLiteral("0")) +
                              QStringLiteral(" AS Codigo FROM TPVs)"),
                          dest);
    });
}

bool clsTPV::Cargar_Anterior(clsTPV* clsDest)
{
    return loadNeighbour(clsDest, QStringLiteral("<"), QStringLiteral("DESC"), QStringLiteral("clsTPV::Cargar_Anterior"));
}

bool clsTPV::Cargar_Siguiente(clsTPV* clsDest)
{
    return loadNeighbour(clsDest, QStringLiteral(">"), QStringLiteral("ASC"), QStringLiteral("clsTPV::Cargar_Siguiente"));
}

bool clsTPV::Cargar_Primero(clsTPV* clsDest)
{
    return loadEnd(clsDest, QStringLiteral("MIN"), QStringLiteral("clsTPV::Cargar_Primero"));
}

bool clsTPV::Cargar_Ultimo(clsTPV* clsDest)
{
    return loadEnd(clsDest, QStringLiteral("MAX"), QStringLiteral("clsTPV::Cargar_Ultimo"));
}

QString clsTPV::counterCondition(db::Connection& conn, bool continua, const QDate& fecha) const
{
    if (continua)
        return QStringLiteral(" WHERE ") + conn.dialect().year(QStringLiteral("Fecha")) + QStringLiteral(" =") +
               sqlInt(fecha.year());
    return QStringLiteral(" WHERE Fecha =") + conn.dialect().date(fecha);
}

qint32 clsTPV::Dev_CodigoTicket(bool bolAct, bool bolNumeracion_Continua, const QDate& dtePOSFecha)
{
    return reraiseAs(QStringLiteral("clsTPV::Dev_CodigoTicket"), [&]() -> qint32 {
        if (!dtePOSFecha.isValid())
            throw Error(errc::InvalidArgument, QStringLiteral("La fecha del ticket no es válida."));
        db::Connection& c = tillConnection();
        const QString where = counterCondition(c, bolNumeracion_Continua, dtePOSFecha);

        if (!bolAct) {
            // Only a look at the number the next ticket would get: nothing is
            // written, so no lock is taken either.
            db::RecordSet rs = c.query(QStringLiteral("SELECT * FROM TPV_Contador_Ticket_Caja") + where);
            return rs.eof() ? 1 : rs[QStringLiteral("Codigo")].toInt() + 1;
        }

        // Taking a number: the counter row stays locked from the read to the
        // commit, so two tills asking at the same moment never get the same one.
        db::TransactionGuard guard(c, db::TransactionGuard::Write);
        db::RecordSet rs = c.query(QStringLiteral("SELECT * FROM TPV_Contador_Ticket_Caja") +
                                   c.dialect().updateLockHint() + where);
        qint32 next = 1;
        if (rs.eof()) {
            rs.close();
            c.execute(QStringLiteral("INSERT INTO TPV_Contador_Ticket_Caja (Fecha, Codigo) VALUES (") +
                      c.dialect().date(dtePOSFecha) + QStringLiteral(", 1)"));
        } else {
            const qint32 last = rs[QStringLiteral("Codigo")].toInt();
            // With continuous numbering the year may hold one row per day: only
            // the row read moves on, never every row that holds the same number.
            const QDate rowDate = rs[QStringLiteral("Fecha")].toDate();
            rs.close();
            next = last + 1;
            const int n = c.execute(QStringLiteral("UPDATE TPV_Contador_Ticket_Caja SET Codigo = ") + sqlInt(next) +
                                    QStringLiteral(" WHERE Fecha =") + c.dialect().date(rowDate.isValid() ? rowDate : dtePOSFecha) +
                                    QStringLiteral(" AND Codigo = ") + sqlInt(last));
            if (n == 0)
                throw Error(errc::Database, QStringLiteral("No se pudo actualizar el contador de tickets."));
        }
        guard.commit();
        return next;
    });
}

} // namespace zqvr::terminals
