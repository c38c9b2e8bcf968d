#pragma once
// The components sold inside one kit line of a ticket
// (TPV_Tickets_KitComposicion), read only. A component whose article no
// longer exists is still listed, with an empty description.
#include "kits_export.h"

#include <QDate>
#include <QList>
#include <QString>

namespace zqvr::db {
class Connection;
class Dialect;
} // namespace zqvr::db

namespace zqvr::kits {

struct ZQVR_KITS_EXPORT KitLineKey {
    int empresa = 0;
    int almacen = 0;
    int caja = 0;
    QDate fecha;
    int codigo = 0;
    int numLinea = 0;
};

struct ZQVR_KITS_EXPORT KitComponent {
    qint64 codigo = 0;
    QString descripcion;
    double unidades = 0;
};

ZQVR_KITS_EXPORT QString kitCompositionSql(const db::Dialect& d, const KitLineKey& k, int empresaArticulos);
// Throws Error with the source "KitComposition::components".
ZQVR_KITS_EXPORT QList<KitComponent> kitComponents(db::Connection& conn, const KitLineKey& k,
                                                   int empresaArticulos);

} // namespace zqvr::kits
