#include "touchscreen/clsCfgPantallaTactil.h"

#include "controls/Progress.h"
#include "db/Error.h"
#include "host/Empresa.h"
#include "touchscreen/LayoutStore.h"

namespace zqvr::touchscreen {

int clsCfgPantallaTactil::ActualizarImagenesFicha(int Cod_Articulo, const QString& strPathImageName)
{
    // The host's connection and company are read here, at the entry point; the store is handed them.
    try {
        // Many keys take a while: the count shows, and a cancel leaves every key as it was.
        controls::Progress progress(QStringLiteral("Actualizando las imágenes de las teclas..."), 0);
        return LayoutStore::refreshRecordPictures(hostConnection(), hostCompany().CodigoEmpresa(), Cod_Articulo,
                                                  strPathImageName, [&](int done, int total) {
                                                      progress.setTotal(total);
                                                      return progress.advance(done);
                                                  });
    } catch (const Error& e) {
        throw e.withSource(QStringLiteral("clsCfgPantallaTactil::ActualizarImagenesFicha"));
    }
}

} // namespace zqvr::touchscreen
