#pragma once
// The till side of the demo's invoicing: the first till (TPV01) gets its own
// database, an embedded file beside the demo database (or where that file
// would be, when the demo database is on a server), holding the tickets it
// sold and the invoices made from them, and a ciphered login in TPVs, so that
// a ticket of the demo can be invoiced with its till copy out of the box.
#include "demo_export.h"
#include <QString>

namespace zqvr::db { class Connection; }

namespace zqvr::demo {

class ZQVR_DEMO_EXPORT DemoInvoicing {
public:
    // The host whose database the demo keeps.
    static QString tillHost() { return QStringLiteral("TPV01"); }
    // The login TPV01 keeps, in plain text (TPVs holds it ciphered).
    static QString tillUser() { return QStringLiteral("caja01"); }
    static QString tillPassword() { return QStringLiteral("Demo;Caja=01}"); }
    // The folder and the name prefix of the tills' files of a demo database:
    // "/data/brevanto-demo.db" keeps TPV01's as "/data/brevanto-demo.TPV01.db".
    static QString tillFolder(const QString& centralPath);
    static QString tillPrefix(const QString& centralPath);
    static QString tillPath(const QString& centralPath, const QString& host);

    // Writes TPV01's file, with its tickets and invoices read from the central
    // database, and its login into TPVs. The file goes beside `centralPath`
    // (for a central database on a server: where its file would be); left
    // empty, beside the central file itself, and nothing is made for a
    // database in memory or on a server. Throws Error when the file cannot be made.
    static void makeTillDatabases(db::Connection& central, const QString& centralPath = QString());
};

} // namespace zqvr::demo
