#include "db/Connection.h"
#include "db/SqlLiteral.h"

#include "db/Error.h"

#include <QAtomicInt>
#include <atomic>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlRecord>
#include <QSqlError>
#include <QSqlQuery>

namespace zqvr::db {

namespace {
QAtomicInt g_counter;
// The advisory lock a write transaction takes on PostgreSQL ("ZQVR").
constexpr qint64 kWriteLockKey = 0x5A515652;

// The engine's own description, without what the ODBC layers wrap around it
// ("[FreeTDS][SQL Server]...", psqlODBC's "ERROR:  ...;\nError while executing
// the query"): the user reads what the server said.
QString withoutDriverWrapping(QString msg)
{
    static const QRegularExpression vendors(QStringLiteral("^(\\[[^\\]]*\\])+\\s*"));
    static const QRegularExpression severity(QStringLiteral("^ERROR:\\s*"));
    static const QRegularExpression trailer(QStringLiteral(";?\\s*Error while executing the query$"));
    msg.remove(vendors);
    msg.remove(severity);
    msg.remove(trailer);
    return msg.trimmed();
}

QString engineMessage(const QSqlError& e)
{
    QString msg = withoutDriverWrapping(e.databaseText().trimmed());
    if (msg.isEmpty())
        msg = e.text().trimmed();
    if (msg.isEmpty())
        msg = QStringLiteral("Error de base de datos.");
    return msg;
}
} // namespace

namespace {
std::atomic<bool> g_singleOpenResult{false};

// "Server=db1;Port=1433;..." -> "db1" (or the DSN's name), for messages.
QString serverOf(const QString& odbc)
{
    static const QRegularExpression key(
        QStringLiteral("(?:^|;)\\s*(Server|Servername|Host|Address|DSN)\\s*=\\s*(\\{[^}]*\\}|[^;]*)"),
        QRegularExpression::CaseInsensitiveOption);
    QString found;
    int rank = 99;
    for (auto it = key.globalMatch(odbc); it.hasNext();) {
        const auto m = it.next();
        const QString k = m.captured(1).toLower();
        const int r = k == QLatin1String("dsn") ? 1 : 0;
        if (r < rank) {
            rank = r;
            found = m.captured(2).trimmed();
            if (found.startsWith(QLatin1Char('{')) && found.endsWith(QLatin1Char('}')))
                found = found.mid(1, found.size() - 2);
        }
    }
    return found.isEmpty() ? QStringLiteral("(sin nombre)") : found;
}

// The ODBC states of a lost or refused connection: 08xxx, and PostgreSQL's
// administrator shutdown of the session (57P01..57P03).
bool isConnectionLost(const QSqlError& e)
{
    const QString all = e.nativeErrorCode() + QLatin1Char(' ') + e.databaseText() + QLatin1Char(' ') + e.driverText();
    static const QRegularExpression lost(QStringLiteral("\\b(08S01|08003|08006|08001|57P0[123])\\b|"
                                                        "server closed the connection|terminating connection|"
                                                        "no connection to the server|could not receive data"),
                                         QRegularExpression::CaseInsensitiveOption);
    return lost.match(all).hasMatch();
}
} // namespace

void Connection::setSingleOpenResultCheck(bool on) { g_singleOpenResult = on; }

bool Connection::singleOpenResultCheck() { return g_singleOpenResult; }

std::unique_ptr<Connection> Connection::open(const QString& connectionString, QObject* parent)
{
    return open(connectionString, kDefaultLoginTimeout, parent);
}

std::unique_ptr<Connection> Connection::open(const QString& connectionString, int loginTimeoutSeconds,
                                             QObject* parent)
{
    const QString cs = connectionString.trimmed();
    const QString name = QStringLiteral("zqvr-%1").arg(g_counter.fetchAndAddRelaxed(1));
    std::unique_ptr<Dialect> dialect;
    QSqlDatabase db;
    bool recording = false;
    bool odbc = false;
    if (cs.startsWith(QLatin1String("record:"), Qt::CaseInsensitive)) {
        const QString engine = cs.mid(7).toLower();
        if (engine == QLatin1String("sqlserver"))
            dialect = std::make_unique<SqlServerDialect>();
        else if (engine == QLatin1String("postgresql"))
            dialect = std::make_unique<PostgreSqlDialect>();
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
        if (loginTimeoutSeconds > 0)
            db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(loginTimeoutSeconds));
        // Amounts come back as numbers, not as the engine's decimal text.
        db.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
        odbc = true;
    } else {
        throw Error(errc::ConnectionFailed,
                    QStringLiteral("Cadena de conexión no reconocida: \"%1\". Use sqlite:RUTA u odbc:CADENA.")
                        .arg(cs));
    }

    if (!db.open()) {
        const QString msg = engineMessage(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        if (odbc)
            throw Error(errc::ConnectionFailed, QStringLiteral("No se pudo conectar con el servidor %1: %2")
                                                    .arg(serverOf(cs.mid(5)), msg));
        throw Error(errc::ConnectionFailed,
                    QStringLiteral("No se pudo abrir la base de datos: %1").arg(msg));
    }
    if (odbc) {
        switch (db.driver()->dbmsType()) {
        case QSqlDriver::MSSqlServer:
            dialect = std::make_unique<SqlServerDialect>();
            break;
        case QSqlDriver::PostgreSQL:
            dialect = std::make_unique<PostgreSqlDialect>();
            break;
        default:
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw Error(errc::ConnectionFailed,
                        QStringLiteral("El servidor %1 no es SQL Server ni PostgreSQL: ZQVRTpvs no puede trabajar con él.")
                            .arg(serverOf(cs.mid(5))));
        }
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
    } else if (conn->isSqlServer()) {
        conn->execute(QStringLiteral("SET DATEFORMAT dmy"));
    } else {
        // The suite's literals are day-first; dates come back as ISO text.
        conn->execute(QStringLiteral("SET DateStyle = 'ISO, DMY'"));
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

QString Connection::serverLabel() const
{
    if (m_connectionString.startsWith(QLatin1String("odbc:"), Qt::CaseInsensitive))
        return serverOf(m_connectionString.mid(5));
    return m_connectionString.section(QLatin1Char(':'), 1);
}

void Connection::fail(const QSqlQuery& q) const
{
    const QSqlError e = q.lastError();
    if (!isSQLite() && isConnectionLost(e))
        throw Error(errc::ConnectionFailed, QStringLiteral("Se perdió la conexión con el servidor %1: %2")
                                                .arg(serverLabel(), engineMessage(e)));
    bool ok = false;
    long number = e.nativeErrorCode().toLong(&ok);
    if (!ok || number == 0)
        number = errc::Database;
    throw Error(number, engineMessage(e));
}

void Connection::beforeStatement(const QString& sql, bool writes)
{
    if (writes && m_rollbackOnly)
        throw Error(errc::Database,
                    QStringLiteral("La transacción ya se anuló por un error anterior; no se escribe nada más en ella."));
    if (!g_singleOpenResult || m_pending.empty())
        return;
    for (auto it = m_pending.begin(); it != m_pending.end();) {
        const auto p = it->lock();
        if (!p || !p->unread) {
            it = m_pending.erase(it);
            continue;
        }
        throw Error(errc::Database,
                    QStringLiteral("Se ejecuta \"%1\" mientras la consulta \"%2\" de la misma conexión aún tiene "
                                   "filas sin leer; SQL Server no admite dos resultados abiertos en una conexión.")
                        .arg(sql.simplified(), p->sql.simplified()));
    }
}

RecordSet Connection::track(QSqlQuery q, const QString& sql)
{
    if (!g_singleOpenResult)
        return RecordSet(std::move(q), sql);
    auto pending = std::make_shared<RecordSet::Pending>();
    pending->sql = sql;
    m_pending.push_back(pending);
    return RecordSet(std::move(q), sql, std::move(pending));
}

QSqlQuery Connection::prepare(const QString& sql, const QVariantList& params)
{
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        fail(q);
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& v = params.at(i);
        // The embedded file keeps dates as the text its statements compare
        // with; a server takes them as dates.
        if (isSQLite() && v.typeId() == QMetaType::QDate)
            q.bindValue(i, v.toDate().toString(QStringLiteral("yyyy-MM-dd")));
        else if (isSQLite() && v.typeId() == QMetaType::QDateTime)
            q.bindValue(i, v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        else
            q.bindValue(i, v);
    }
    return q;
}

namespace {
// ZQVR_RECORD_DUMP=FILE: every statement a recording connection is given is
// also appended to FILE, so that scripts/sqlserver-smoke.sh can try on a
// site's server exactly what the contract tests check.
void dumpRecorded(const QString& sql)
{
    static const QString path = qEnvironmentVariable("ZQVR_RECORD_DUMP");
    if (path.isEmpty())
        return;
    QFile f(path);
    if (f.open(QIODevice::Append))
        f.write((sql + QStringLiteral("\n-- zqvr --\n")).toUtf8());
}
} // namespace

void Connection::record(const QString& sql)
{
    m_recorded << sql;
    if (m_dialect->kind() == Dialect::Kind::SqlServer)
        dumpRecorded(sql);
}

int Connection::execute(const QString& sql)
{
    if (m_recording) {
        record(sql);
        return 0;
    }
    beforeStatement(sql, true);
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
        record(sql);
        return 0;
    }
    beforeStatement(sql, true);
    QSqlQuery q = prepare(sql, params);
    if (!q.exec())
        fail(q);
    const int n = q.numRowsAffected();
    return n < 0 ? 0 : n;
}

RecordSet Connection::query(const QString& sql)
{
    if (m_recording) {
        record(sql);
        QSqlQuery none(database());
        none.setForwardOnly(true);
        none.exec(QStringLiteral("SELECT NULL WHERE 0"));
        return RecordSet(std::move(none), sql);
    }
    beforeStatement(sql, false);
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (!q.exec(sql))
        fail(q);
    return track(std::move(q), sql);
}

RecordSet Connection::query(const QString& sql, const QVariantList& params)
{
    if (m_recording)
        return query(sql);
    beforeStatement(sql, false);
    QSqlQuery q = prepare(sql, params);
    if (!q.exec())
        fail(q);
    return track(std::move(q), sql);
}

Value Connection::scalar(const QString& sql)
{
    RecordSet rs = query(sql);
    if (rs.eof() || rs.fieldCount() == 0)
        return Value();
    Value v = rs.value(0);
    rs.close();
    return v;
}

void Connection::beginTrans(bool takeWriteLock)
{
    if (m_depth > 0) {
        if (takeWriteLock && !m_writeLocked)
            throw Error(errc::Database,
                        QStringLiteral("No se puede tomar el bloqueo de escritura dentro de una transacción "
                                       "abierta para leer."));
        if (m_rollbackOnly)
            throw Error(errc::Database,
                        QStringLiteral("La transacción ya se anuló por un error anterior; no se escribe nada más en ella."));
        ++m_depth;
        return;
    }
    if (m_recording) {
        // Nothing runs, but the nesting rules above hold all the same.
    } else if (isSQLite()) {
        execute(takeWriteLock ? m_dialect->beginWriteTransaction() : QStringLiteral("BEGIN"));
    } else {
        QSqlDatabase db = database();
        if (!db.transaction())
            throw Error(errc::ConnectionFailed, QStringLiteral("No se pudo empezar una transacción en el servidor %1: %2")
                                                    .arg(serverLabel(), engineMessage(db.lastError())));
        if (takeWriteLock && isPostgreSQL()) {
            // The component's writers take one lock in turn, as the embedded
            // file's BEGIN IMMEDIATE does: a number read under it (a counter,
            // the highest message) is still free when it is written, even where
            // no row yet exists to lock.
            try {
                QSqlQuery q(db);
                if (!q.exec(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kWriteLockKey)))
                    fail(q);
            } catch (...) {
                db.rollback();
                throw;
            }
        }
    }
    m_depth = 1;
    m_writeLocked = takeWriteLock;
    m_rollbackOnly = false;
}

void Connection::commitTrans()
{
    if (m_depth == 0)
        throw Error(errc::Database, QStringLiteral("No hay ninguna transacción abierta."));
    if (m_depth > 1) {
        --m_depth;
        return;
    }
    if (m_rollbackOnly) {
        m_depth = 0;
        m_rollbackOnly = false;
        m_writeLocked = false;
        throw Error(errc::Database,
                    QStringLiteral("La transacción se anuló por un error anterior: no se ha guardado nada."));
    }
    if (m_recording) {
    } else if (isSQLite()) {
        execute(QStringLiteral("COMMIT"));
    } else {
        QSqlDatabase db = database();
        if (!db.commit()) {
            const QSqlError e = db.lastError();
            m_depth = 0;
            m_writeLocked = false;
            db.rollback();
            throw Error(errc::Database, QStringLiteral("El servidor %1 no guardó la transacción: %2")
                                            .arg(serverLabel(), engineMessage(e)));
        }
    }
    m_depth = 0;
    m_writeLocked = false;
}

void Connection::rollbackTrans()
{
    if (m_depth == 0)
        return;
    if (!m_rollbackOnly && !m_recording) {
        if (isSQLite()) {
            QSqlQuery q(database());
            q.exec(QStringLiteral("ROLLBACK"));
        } else {
            database().rollback();
        }
    }
    --m_depth;
    // An inner scope that fails undoes the whole transaction at once; the
    // outer scopes must not go on writing as if they were still inside one.
    m_rollbackOnly = m_depth > 0;
    if (m_depth == 0)
        m_writeLocked = false;
}

bool Connection::writeBinary(const QString& selectSql, const QString& column, const QByteArray& data)
{
    const SelectParts parts = splitSelect(selectSql);
    RecordSet rs = query(selectSql);
    if (rs.eof())
        return false;
    rs.close();
    QString sql = m_dialect->updateFromSelect(parts, column);
    if (data.isEmpty() && isPostgreSQL()) {
        // PostgreSQL's driver sends an empty binary parameter as a bit
        // string, which a bytea column refuses: the empty picture is written
        // as the literal the statements use to clear one.
        sql.replace(sql.indexOf(QLatin1String("= ?")), 3, QStringLiteral("= ''"));
        execute(sql);
        return true;
    }
    execute(sql, {QVariant(data.isNull() ? QByteArray("") : data)});
    return true;
}

void Connection::setServerName(const QString& name)
{
    if (auto* d = dynamic_cast<SQLiteDialect*>(m_dialect.get()))
        d->setServerName(name);
    else if (isPostgreSQL())
        execute(QStringLiteral("SET brevanto.server_name = ") + sqlText(name));
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
