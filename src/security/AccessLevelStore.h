#pragma once
// The security tables behind the access levels of a window's controls:
// the levels granted to a user's groups, and the catalogue of windows and
// controls that the suite's development server keeps up to date.
#include "security_export.h"

#include <QList>
#include <QString>

namespace zqvr::db { class Connection; }

namespace zqvr::security {

// The name @@SERVERNAME gives on the suite's development database server.
ZQVR_SECURITY_EXPORT extern const char* const kDevelopmentServer;

// A level granted on a control: key "name", or "name!index" for an element of a control array.
struct ControlGrant {
    QString key;
    int level = 0;
};

// A control of a window as the catalogue lists it; index is "" for a single control.
struct CatalogueControl {
    QString name;
    QString index;
    int tabIndex = 0;
};

class ZQVR_SECURITY_EXPORT AccessLevelStore {
public:
    explicit AccessLevelStore(db::Connection& conn) : m_conn(conn) {}

    // Whether the connection is to the suite's development server.
    bool onDevelopmentServer();
    // Makes the window's catalogue match its controls: the window and new
    // controls are added, each control takes its tab index, and controls no
    // longer on the window go with their grants; all or nothing.
    void updateCatalogue(const QString& form, const QList<CatalogueControl>& controls);
    // The levels granted on the window's controls to everyone (group 0) and
    // to the user's groups, in ascending level per control.
    QList<ControlGrant> grants(const QString& form, int user);

private:
    db::Connection& m_conn;
};

} // namespace zqvr::security
