#include "db/Connection.h"

#include <QApplication>
#include <QLocale>
#include <QStyleFactory>
#include <gtest/gtest.h>

namespace {
// The offscreen platform warns about window features it lacks on every show;
// those lines bury the test output and say nothing about the code.
QtMessageHandler g_previous = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext& ctx, const QString& msg)
{
    if (type == QtWarningMsg && msg.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (g_previous)
        g_previous(type, ctx, msg);
}
// The "pg." copies of the tests need the server scripts/test.sh starts.
class NeedsServer : public ::testing::Environment {
public:
    void SetUp() override
    {
        GTEST_SKIP() << "No hay servidor PostgreSQL de pruebas (ZQVR_PG_ODBC): ejecute scripts/test.sh.";
    }
};
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    g_previous = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    ::testing::InitGoogleTest(&argc, argv);
    // A statement run while another result of the connection has unread rows
    // fails here as it would on SQL Server through FreeTDS.
    zqvr::db::Connection::setSingleOpenResultCheck(true);
    if (qEnvironmentVariable("ZQVR_TEST_ENGINE") == QLatin1String("postgresql") &&
        qEnvironmentVariableIsEmpty("ZQVR_PG_ODBC"))
        ::testing::AddGlobalTestEnvironment(new NeedsServer);
    return RUN_ALL_TESTS();
}
