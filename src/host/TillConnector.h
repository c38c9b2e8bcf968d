#pragma once
// How the back office reaches a till's own database: the till's host, port
// and login (from TPVs) become a connection. On a site that is SQL Server on
// the till's computer, reached through ODBC and FreeTDS; the demo and the
// tests keep one embedded file per till instead. A host installs its own
// connector with install().
#include "host_export.h"

#include <QString>
#include <memory>

namespace zqvr::db { class Connection; }

namespace zqvr::host {

// What the central database knows of a till's server, login already deciphered.
struct ZQVR_HOST_EXPORT TillLogin {
    QString host;
    int port = 0; // 0 or 1433: the server's default port
    QString user;
    QString password;
};

// The 20-character key the tills' stored logins are ciphered with.
inline constexpr const char* kTillLoginKey = "ZqvrTpvs-Caja#2026!k";
// The till's database on its server.
inline constexpr const char* kTillCatalog = "Drumelt_TPV";
// An unreachable till costs the user this long, not the driver's default minute.
inline constexpr int kTillLoginTimeoutSeconds = 5;

// The data source as the suite writes it: the host, followed by "," and the
// port unless the port is 0 or 1433 ("TPV01", "TPV01,14330").
ZQVR_HOST_EXPORT QString tillDataSource(const QString& host, int port);
// A value of an ODBC connection string, braced so that ';', '=' and spaces in
// it are taken as they are ("{pa;ss}"); a '}' inside is doubled.
ZQVR_HOST_EXPORT QString odbcValue(const QString& value);
// The FreeTDS connection string of a till:
// Driver=FreeTDS;Server={host};Port={port};Database={Drumelt_TPV};UID={..};PWD={..};TDS_Version=7.4;ClientCharset=UTF-8
ZQVR_HOST_EXPORT QString tillOdbcConnectionString(const TillLogin& login);

class ZQVR_HOST_EXPORT TillConnector {
public:
    virtual ~TillConnector() = default;
    // An open connection to the till's database; throws Error when it cannot be opened.
    virtual std::unique_ptr<db::Connection> open(const TillLogin& login) = 0;

    static std::shared_ptr<TillConnector> current();
    // nullptr restores the default (ODBC through FreeTDS).
    static void install(std::shared_ptr<TillConnector> connector);
};

class ZQVR_HOST_EXPORT OdbcTillConnector : public TillConnector {
public:
    std::unique_ptr<db::Connection> open(const TillLogin& login) override;
};

// One embedded database file per till, named after the till's host
// ("<folder>/<prefix>TPV01.db"). A till without a file is unreachable; the login is not checked.
class ZQVR_HOST_EXPORT FileTillConnector : public TillConnector {
public:
    explicit FileTillConnector(QString folder, QString prefix = QString())
        : m_folder(std::move(folder)), m_prefix(std::move(prefix)) {}
    std::unique_ptr<db::Connection> open(const TillLogin& login) override;
    QString pathFor(const QString& host) const;

private:
    QString m_folder;
    QString m_prefix;
};

} // namespace zqvr::host
