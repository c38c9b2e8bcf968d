#pragma once
// The configurations of the current company (TPV_CfgPantalla): the
// statements behind the list window, without any widget.
#include "touchscreen_export.h"

#include <QString>
#include <vector>

namespace zqvr::db { class Connection; }

namespace zqvr::touchscreen {

struct CfgPantalla {
    int codigo = 0;
    QString descripcion;
    int tipo = 0;
};

class ZQVR_TOUCHSCREEN_EXPORT CfgPantallaStore {
public:
    CfgPantallaStore(db::Connection& conn, int empresa) : m_conn(conn), m_empresa(empresa) {}

    // Every configuration of the company, by code.
    std::vector<CfgPantalla> list();
    // true when a configuration has this code or this description.
    bool exists(int codigo, const QString& descripcion);
    void insert(const CfgPantalla& cfg);
    // update, remove and forceReload raise rowDeletedError (db/Error.h)
    // when another user deleted the configuration meanwhile.
    void update(int codigo, const QString& descripcion, int tipo);
    // Whether the configuration may take grid type tipo: always when the type
    // stays, otherwise only while it has no group and no key. Groups are
    // numbered by their button on the grid, so a layout made on one grid
    // would sit on the wrong buttons of the other.
    bool typeChangeAllowed(int codigo, int tipo);
    // Removes the configuration with its groups and keys, all or nothing, so
    // a configuration given the freed code later starts from an empty layout.
    void remove(int codigo);
    // Clears the ten reload marks, so the terminals load the configuration again.
    void forceReload(int codigo);
    // The company's name for the listing's header (the company object carries none).
    QString companyName();

private:
    db::Connection& m_conn;
    int m_empresa;
};

} // namespace zqvr::touchscreen
