#include "db/Connection.h"

#include "db/Error.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

namespace zqvr::db {

namespace {
QAtomicInt g_counter;

QString engineMessage(const QSqlError& e)
{
    QString msg = e.databaseText().trimmed();
    if (msg.isEmpty())
        msg = e.text().trimmed();
    if (msg.isEmpty())
        msg = QStringLiteral("Error de base de datos.");
    return msg;
}
} // namespace

std::unique_ptr<Connection> Connection::open(const QString& connectionString, QObject* parent)
{
    const QString cs = connectionString.trimmed();
    const QString name = QStringLiteral("zqvr-%1").arg(g_counter.fetchAndAddRelaxed(1));
    std::unique_ptr<Dialect> dialect;
    QSqlDatabase db;
    bool recording = false;
    if (cs.startsWith(QLatin1String("record:"), Qt::CaseInsensitive)) {
        const QString engine = cs.mid(7).toLower();
        if (engine == QLatin1String("sqlserver"))
            dialect = std::make_unique<SqlServerDialect>();
        else if (engine == QLatin1String("sqlite"))
            dialect = std::make_unique<SQLiteDialect>();
        else
            throw Error(errc::ConnectionFailed,
                        QStringLiteral("Motor desconocido en la cadena de conexión \"%1\".").arg(connectionString));
        // An empty in-memory database only gives the empty results.
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(QStringLiteral(":memory:"));
        recording = true;
    } else if (cs.startsWith(QLatin1String("sqlite:"), Qt::CaseInsensitive)) {
        const QString path = cs.mid(7);
        if (path.isEmpty())
            throw Error(errc::ConnectionFailed,
                        QStringLiteral("La cadena de conexión no indica ningún fichero de base de datos."));
        if (path != QLatin1String(":memory:")) {
            const QFileInfo fi(path);
            if (fi.exists() && fi.isDir())
                throw Error(errc::ConnectionFailed,
                            QStringLiteral("\"%1\" es una carpeta, no un fichero de base de datos.").arg(path));
            if (!fi.absoluteDir().exists())
                throw Error(errc::ConnectionFailed,
                            QStringLiteral("No existe la carpeta de la base de datos \"%1\".").arg(path));
        }
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        dialect = std::make_unique<SQLiteDialect>();
    } else if (cs.startsWith(QLatin1String("odbc:"), Qt::CaseInsensitive)) {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
            throw Error(errc::ConnectionFailed,
                        QStringLiteral("El controlador ODBC de Qt no está instalado."));
        db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name);
        db.setDatabaseName(cs.mid(5));
        dialect = std::make_unique<SqlServerDialect>();
    } else {
        throw Error(errc::ConnectionFailed,
                    QStringLiteral("Cadena de conexión no reconocida: \"%1\". Use sqlite:RUTA u odbc:CADENA.")
                        .arg(cs));
    }

    if (!db.open()) {
        const QString msg = engineMessage(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw Error(errc::ConnectionFailed,
                    QStringLiteral("No se pudo abrir la base de datos: %1").arg(msg));
    }
    std::unique_ptr<Connection> conn(new Connection(name, cs, std::move(dialect), parent));
    conn->m_recording = recording;
    if (recording)
        return conn;
    // Only the connection object refers to the database from here on, so
    // that closing it (also when the probe below fails) releases it entirely.
    db = QSqlDatabase();
    if (conn->isSQLite()) {
        // A file that is not a database opens fine and fails on first read:
        // find out now, before anything is written.
        QSqlQuery probe(conn->database());
        if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
            const QString msg = engineMessage(probe.lastError());
            throw Error(errc::NotADatabase,
                        QStringLiteral("El fichero no es una base de datos válida: %1").arg(msg));
        }
    } else {
        conn->execute(QStringLiteral("SET DATEFORMAT dmy"));
    }
    return conn;
}

Connection::Connection(QString name, QString connectionString, std::unique_ptr<Dialect> dialect,
                       QObject* parent)
    : QObject(parent), m_name(std::move(name)), m_connectionString(std::move(connectionString)),
      m_dialect(std::move(dialect))
{
}

Connection::~Connection()
{
    {
        QSqlDatabase db = database();
        if (db.isOpen()) {
            if (m_depth > 0)
                db.rollback();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(m_name);
}

QVariant Connection::property(const QString& name) const
{
    if (name.compare(QLatin1String("Extended Properties"), Qt::CaseInsensitive) == 0)
        return m_connectionString;
    return QObject::property(name.toUtf8().constData());
}

void Connection::fail(const QSqlQuery& q) const
{
    const QSqlError e = q.lastError();
    bool ok = false;
    long number = e.nativeErrorCode().toLong(&ok);
    if (!ok || number == 0)
        number = errc::Database;
    throw Error(number, engineMessage(e));
}

QSqlQuery Connection::prepare(const QString& sql, const QVariantList& params)
{
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        fail(q);
    for (int i = 0; i < params.size(); ++i)
        q.bindValue(i, params.at(i));
    return q;
}

int Connection::execute(const QString& sql)
{
    if (m_recording) {
        m_recorded << sql;
        return 0;
    }
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (!q.exec(sql))
        fail(q);
    const int n = q.numRowsAffected();
    return n < 0 ? 0 : n;
}

int Connection::execute(const QString& sql, const QVariantList& params)
{
    if (m_recording) {
        m_recorded << sql;
        return 0;
    }
    QSqlQuery q = prepare(sql, params);
    if (!q.exec())
        fail(q);
    const int n = q.numRowsAffected();
    return n < 0 ? 0 : n;
}

RecordSet Connection::query(const QString& sql)
{
    if (m_recording) {
        m_recorded << sql;
        QSqlQuery none(database());
        none.setForwardOnly(true);
        none.exec(QStringLiteral("SELECT NULL WHERE 0"));
        return RecordSet(std::move(none), sql);
    }
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (!q.exec(sql))
        fail(q);
    return RecordSet(std::move(q), sql);
}

RecordSet Connection::query(const QString& sql, const QVariantList& params)
{
    if (m_recording)
        return query(sql);
    QSqlQuery q = prepare(sql, params);
    if (!q.exec())
        fail(q);
    return RecordSet(std::move(q), sql);
}

Value Connection::scalar(const QString& sql)
{
    RecordSet rs = query(sql);
    if (rs.eof() || rs.fieldCount() == 0)
        return Value();
    return rs.value(0);
}

void Connection::beginTrans(bool takeWriteLock)
{
    if (m_depth == 0) {
        if (isSQLite()) {
            execute(takeWriteLock ? m_dialect->beginWriteTransaction() : QStringLiteral("BEGIN"));
        } else {
            QSqlDatabase db = database();
            if (!db.transaction())
                throw Error(errc::Database, engineMessage(db.lastError()));
        }
    }
    ++m_depth;
}

void Connection::commitTrans()
{
    if (m_depth == 0)
        throw Error(errc::Database, QStringLiteral("No hay ninguna transacción abierta."));
    if (m_depth == 1) {
        if (isSQLite()) {
            execute(QStringLiteral("COMMIT"));
        } else {
            QSqlDatabase db = database();
            if (!db.commit())
                throw Error(errc::Database, engineMessage(db.lastError()));
        }
    }
    --m_depth;
}

void Connection::rollbackTrans()
{
    if (m_depth == 0)
        return;
    m_depth = 0;
    if (isSQLite()) {
        QSqlQuery q(database());
        q.exec(QStringLiteral("ROLLBACK"));
    } else {
        database().rollback();
    }
}

bool Connection::writeBinary(const QString& selectSql, const QString& column, const QByteArray& data)
{
    const SelectParts parts = splitSelect(selectSql);
    RecordSet rs = query(selectSql);
    if (rs.eof())
        return false;
    rs.close();
    execute(m_dialect->updateFromSelect(parts, column), {QVariant(data.isNull() ? QByteArray("") : data)});
    return true;
}

void Connection::setServerName(const QString& name)
{
    if (auto* d = dynamic_cast<SQLiteDialect*>(m_dialect.get()))
        d->setServerName(name);
}

TransactionGuard::TransactionGuard(Connection& c, Mode mode) : m_conn(c)
{
    m_conn.beginTrans(mode == Write);
}

TransactionGuard::~TransactionGuard()
{
    if (!m_done)
        m_conn.rollbackTrans();
}

void TransactionGuard::commit()
{
    m_conn.commitTrans();
    m_done = true;
}

} // namespace zqvr::db
