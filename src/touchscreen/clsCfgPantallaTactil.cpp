#include "touchscreen/clsCfgPantallaTactil.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"
#include "frame/HostContext.h"
#include "frame/modComun.h"
#include "host/Empresa.h"
#include "touchscreen/LayoutStore.h"

#include <QFileInfo>
#include <vector>

namespace zqvr::touchscreen {

using db::sqlInt;

int clsCfgPantallaTactil::ActualizarImagenesFicha(int Cod_Articulo, const QString& strPathImageName)
{
    const QString source = QStringLiteral("clsCfgPantallaTactil::ActualizarImagenesFicha");
    try {
        db::Connection& conn = frame::conn();
        const QString company = sqlInt(frame::empresa().CodigoEmpresa());
        if (!QFileInfo(strPathImageName).isFile()) {
            return conn.execute(QStringLiteral("UPDATE TPV_CfgPantalla_Grupos_Lineas SET Imagen = '' ")
                                + QStringLiteral(" WHERE Cod_Empresa = ") + company
                                + QStringLiteral(" AND Cod_Articulo = ") + sqlInt(Cod_Articulo)
                                + QStringLiteral(" AND OrigenImagen = 1"));
        }
        // A file that cannot become a picture changes nothing, rather than some keys.
        LayoutStore::checkPictureFile(strPathImageName);
        // Made once in memory: every key gets the same bytes, and no file is
        // shared with another instance refreshing at the same time.
        const QByteArray picture = frame::thumbnailBytes(strPathImageName);

        struct Row { int empresa, cfg, grupo, posicion; };
        std::vector<Row> rows;
        auto rs = conn.query(QStringLiteral("SELECT * FROM TPV_CfgPantalla_Grupos_Lineas")
                             + QStringLiteral(" WHERE Cod_Empresa = ") + company
                             + QStringLiteral(" AND Cod_Articulo = ") + sqlInt(Cod_Articulo)
                             + QStringLiteral(" AND OrigenImagen = 1"));
        while (!rs.eof()) {
            rows.push_back({rs["Cod_Empresa"].toInt(), rs["Cod_CfgPantalla"].toInt(), rs["Cod_Grupo"].toInt(),
                            rs["Posicion"].toInt()});
            rs.moveNext();
        }
        rs.close();

        db::TransactionGuard tx(conn);
        for (const Row& r : rows) {
            const QString select = QStringLiteral("SELECT Imagen FROM TPV_CfgPantalla_Grupos_Lineas")
                                   + QStringLiteral(" WHERE Cod_Empresa = ") + sqlInt(r.empresa)
                                   + QStringLiteral(" AND Cod_CfgPantalla=") + sqlInt(r.cfg)
                                   + QStringLiteral(" AND Cod_Grupo=") + sqlInt(r.grupo)
                                   + QStringLiteral(" AND Posicion = ") + sqlInt(r.posicion);
            frame::GuardarImagen(conn, select, picture);
        }
        tx.commit();
        return static_cast<int>(rows.size());
    } catch (const Error& e) {
        throw e.withSource(source);
    }
}

} // namespace zqvr::touchscreen
