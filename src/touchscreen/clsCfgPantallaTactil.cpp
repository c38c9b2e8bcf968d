#include "touchscreen/clsCfgPantallaTactil.h"

#include "db/Error.h"
#include "host/Empresa.h"
#include "touchscreen/LayoutStore.h"

namespace zqvr::touchscreen {

int clsCfgPantallaTactil::ActualizarImagenesFicha(int Cod_Articulo, const QString& strPathImageName)
{
    // The host's connection and company are read here, at the entry point; the store is handed them.
    try {
        return LayoutStore::refreshRecordPictures(hostConnection(), hostCompany().CodigoEmpresa(), Cod_Articulo,
                                                  strPathImageName);
    } catch (const Error& e) {
        throw e.withSource(QStringLiteral("clsCfgPantallaTactil::ActualizarImagenesFicha"));
    }
}

} // namespace zqvr::touchscreen
