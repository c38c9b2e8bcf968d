// The connection to a database server through ODBC: the engine the driver
// reports, the session's date reading, logins that fail, servers that are
// unreachable or go away in the middle of a save.
#include "db/Connection.h"
#include "db/Error.h"
#include "support/TestDatabase.h"

#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace zqvr;
using zqvr::test::onServer;
using zqvr::test::TestDatabase;

namespace {
#define SERVER_ONLY()                                                                                          \
    if (!onServer())                                                                                           \
    GTEST_SKIP() << "prueba del servidor"

// A port on 127.0.0.1 where nothing listens.
int closedPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}
} // namespace

TEST(ServerConnection, TheDialectIsTheEngineTheDriverReportsAndDatesAreReadDayFirst)
{
    SERVER_ONLY();
    TestDatabase db;
    auto& c = db.conn();
    EXPECT_TRUE(c.isPostgreSQL());
    EXPECT_EQ(c.dialect().kind(), db::Dialect::Kind::PostgreSQL);
    // 06/12/2026 is the sixth of December, as the suite's literals mean it.
    EXPECT_EQ(c.scalar("SELECT CAST('06/12/2026' AS date)").toDate(), QDate(2026, 12, 6));
    db.exec("INSERT INTO Reservas (Cod_Empresa, Codigo, Fecha) VALUES (1, 1, " + c.dialect().date(QDate(2026, 1, 2)) + ")");
    EXPECT_EQ(c.scalar("SELECT Fecha FROM Reservas").toDate(), QDate(2026, 1, 2));
    // Values bound with their types arrive as such.
    c.execute("INSERT INTO Reservas (Cod_Empresa, Codigo, Fecha) VALUES (1, 2, ?)", {QDate(2026, 3, 4)});
    EXPECT_EQ(c.scalar("SELECT Fecha FROM Reservas WHERE Codigo = 2").toDate(), QDate(2026, 3, 4));
}

TEST(ServerConnection, LoginsThatFailSayWhichServerAndWhy)
{
    SERVER_ONLY();
    const QString dsn = qEnvironmentVariable("ZQVR_PG_ODBC");
    try {
        db::Connection::open("odbc:" + dsn + ";Database=no_such_database_here");
        ADD_FAILURE() << "opened a database that does not exist";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), errc::ConnectionFailed);
        EXPECT_TRUE(e.description().startsWith("No se pudo conectar con el servidor 127.0.0.1")) << e.description().toStdString();
        EXPECT_TRUE(e.description().contains("no_such_database_here")) << e.description().toStdString();
    }
    try {
        db::Connection::open("odbc:" + dsn + ";Database=postgres;Username=nadie");
        ADD_FAILURE() << "a user the server does not know logged in";
    } catch (const Error& e) {
        EXPECT_TRUE(e.description().contains("nadie")) << e.description().toStdString();
    }
}

TEST(ServerConnection, ADriverThatIsNotInstalledIsNamedInTheMessage)
{
    try {
        db::Connection::open("odbc:Driver={Controlador Inexistente};Server=db1;Database=x");
        ADD_FAILURE() << "opened through a driver that does not exist";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), errc::ConnectionFailed);
        EXPECT_TRUE(e.description().contains("db1")) << e.description().toStdString();
        EXPECT_TRUE(e.description().contains("Controlador Inexistente")) << e.description().toStdString();
    }
}

TEST(ServerConnection, AnUnreachableSqlServerThroughFreeTdsFailsWithinTheLoginTimeOut)
{
    if (!QFile::exists("/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so") &&
        !QFile::exists("/usr/lib/aarch64-linux-gnu/odbc/libtdsodbc.so"))
        GTEST_SKIP() << "FreeTDS no está instalado";
    const int port = closedPort();
    QElapsedTimer t;
    t.start();
    try {
        db::Connection::open(QString("odbc:Driver=FreeTDS;Server=127.0.0.1;Port=%1;Database=Drumelt_TPV;UID=sa;PWD=x;"
                                     "TDS_Version=7.4;ClientCharset=UTF-8")
                                 .arg(port),
                             3);
        ADD_FAILURE() << "opened a server that is not there";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), errc::ConnectionFailed);
        EXPECT_TRUE(e.description().startsWith("No se pudo conectar con el servidor 127.0.0.1")) << e.description().toStdString();
    }
    EXPECT_LT(t.elapsed(), 10000);
}

TEST(ServerConnection, ASessionEndedInTheMiddleOfASaveWritesNothingAndSaysSo)
{
    SERVER_ONLY();
    TestDatabase db;
    auto other = db.openAnother();
    const int pid = db.conn().scalar("SELECT pg_backend_pid()").toInt();
    try {
        db::TransactionGuard guard(db.conn());
        db.exec("INSERT INTO TPVs (Codigo, Host) VALUES (1, 'A')");
        other->execute(QString("SELECT pg_terminate_backend(%1)").arg(pid));
        db.exec("INSERT INTO TPVs (Codigo, Host) VALUES (2, 'B')");
        guard.commit();
        ADD_FAILURE() << "the save went on after its session ended";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), errc::ConnectionFailed) << e.description().toStdString();
        EXPECT_TRUE(e.description().startsWith("Se perdió la conexión con el servidor 127.0.0.1")) << e.description().toStdString();
    }
    EXPECT_EQ(other->scalar("SELECT COUNT(*) FROM TPVs").toInt(), 0);
    EXPECT_EQ(db.conn().transactionDepth(), 0);
}
