// The access levels of a window's controls are shared with the rest of the
// suite through the SGD_ tables; their statements are the system's text,
// rendered for SQL Server.
#include "host/Permisos.h"
#include "security/AccessLevelStore.h"
#include "support/StatementContract.h"

#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::security;
using db::Connection;

TEST(StatementContract, TheAccessLevelsSendTheSystemsStatements)
{
    test::expectStatements("access levels", {
        {"development server check", [](Connection& c) { EXPECT_FALSE(AccessLevelStore(c).onDevelopmentServer()); },
         {"SELECT ISNULL(@@SERVERNAME, '')"}},
        {"levels of a window", [](Connection& c) { AccessLevelStore(c).grants(QStringLiteral("frmTPV's"), 4); },
         {"SELECT gc.Cod_Grupo, f.Nombre AS Formulario, c.Nombre AS Control, c.Indice, gc.Permiso"
          " FROM SGD_Controles_Grupos gc INNER JOIN SGD_Formularios f ON gc.Cod_Formulario = f.Cod_Formulario "
          " INNER JOIN SGD_Controles c ON gc.Cod_Formulario = c.Cod_Formulario AND gc.Cod_Control = c.Cod_Control"
          " WHERE f.Nombre = 'frmTPV''s' AND (gc.Cod_Grupo = 0 OR gc.Cod_Grupo IN (SELECT CodGrupo FROM"
          " SGD_Usuarios_Grupos WHERE CodUsuario = 4)) ORDER BY c.Nombre, gc.Permiso ASC"}},
        // A window not yet in the catalogue gets the next code (1 on an
        // empty table) and every control is inserted.
        {"catalogue upkeep of a new window",
         [](Connection& c) {
             AccessLevelStore(c).updateCatalogue(QStringLiteral("frmTPVs"), {{QStringLiteral("cmdAceptar"), QString(), 3}});
         },
         {"SELECT cod_Formulario  FROM SGD_Formularios WHERE Nombre ='frmTPVs'",
          "SELECT Max(Cod_Formulario) AS codigo FROM SGD_Formularios",
          "INSERT INTO SGD_Formularios (Cod_Formulario, Nombre) VALUES (1,'frmTPVs')",
          "UPDATE SGD_Controles SET TabIndex=-1 WHERE Cod_Formulario=1",
          "UPDATE SGD_Controles SET TabIndex=? WHERE Cod_Formulario=? AND Nombre=? AND Indice=?",
          "SELECT ISNULL(Max(Cod_Control), 0) FROM SGD_Controles WHERE Cod_Formulario = 1",
          "INSERT INTO SGD_Controles (Cod_Formulario, Cod_Control, Nombre, Indice,TabIndex) VALUES (?,?,?,?,?)",
          "DELETE cg FROM SGD_Controles_Grupos cg INNER JOIN SGD_Controles c ON cg.Cod_Formulario=c.Cod_Formulario"
          " AND cg.Cod_Control=c.Cod_Control WHERE c.TabIndex=-1",
          "DELETE FROM SGD_Controles WHERE TabIndex=-1"}},
        {"a user's right",
         [](Connection& c) {
             host::Permisos p;
             p.setConexion(&c);
             p.setUsuario(4);
             EXPECT_FALSE(p.TieneDerecho(120));
         },
         {"SELECT COUNT(*) FROM SGD_Usuarios_Derechos WHERE Cod_Usuario = 4 AND Derecho = 120"}},
    });
}
