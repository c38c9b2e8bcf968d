// The terminals draw their salons from TPV_Sln_Salones and the salons'
// warehouses; the statements of the salon list, the floor-plan editor and
// its element palette are the system's text, rendered for SQL Server.
#include "db/Error.h"
#include "salons/ElementCatalog.h"
#include "salons/SalonStore.h"
#include "support/StatementContract.h"

#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::salons;
using db::Connection;

namespace {
// The recorder changes no row: a write that must hit one is reported as
// done meanwhile by another user, after its statements were sent.
template <typename F>
void rejected(F&& f)
{
    EXPECT_THROW(f(), zqvr::Error);
}

// A floor plan keeps its quotes as | in the stored text.
const QString kPlan = QStringLiteral("<FlowGraph a='1'/>");
} // namespace

TEST(StatementContract, TheSalonScreensSendTheSystemsStatements)
{
    test::expectStatements("salons", {
        {"list", [](Connection& c) { SalonStore(c, 1).Cargar(); },
         {"SELECT * FROM TPV_Sln_Salones WHERE Cod_Empresa =1 ORDER BY Cod_CfgSalon"}},
        {"existence check", [](Connection& c) { EXPECT_FALSE(SalonStore(c, 1).Existe(3, QStringLiteral("Sala d'Or"))); },
         {" SELECT TOP 1 * FROM TPV_Sln_Salones WHERE Cod_Empresa =1 AND (Cod_CfgSalon = 3"
          " OR Descripcion = 'Sala d''Or')"}},
        {"add", [](Connection& c) { SalonStore(c, 1).Agregar(3, QStringLiteral("Sala d'Or"), kPlan); },
         {"INSERT INTO TPV_Sln_Salones (Cod_Empresa, Cod_CfgSalon, Descripcion, Doc_Xml)"
          " VALUES (1,3,'Sala d''Or','<FlowGraph a=|1|/>')"}},
        {"read the plan to change it", [](Connection& c) { SalonStore(c, 1).LeerXml(3); },
         {"SELECT Doc_Xml FROM TPV_Sln_Salones WHERE Cod_Empresa = 1 AND Cod_CfgSalon =3"}},
        {"change", [](Connection& c) { rejected([&] { SalonStore(c, 1).Modificar(3, QStringLiteral("Terraza"), kPlan); }); },
         {"UPDATE TPV_Sln_Salones SET Descripcion ='Terraza' ,Doc_Xml ='<FlowGraph a=|1|/>'"
          " WHERE Cod_Empresa = 1 AND Cod_CfgSalon =3"}},
        {"delete", [](Connection& c) { rejected([&] { SalonStore(c, 1).Eliminar(3); }); },
         {"DELETE FROM TPV_Sln_Salones_Almacen WHERE Cod_Empresa =1 AND Cod_Cfgsalon =3",
          "DELETE FROM TPV_Sln_Salones WHERE Cod_Empresa =1 AND Cod_Cfgsalon =3"}},
        {"warehouses of a salon", [](Connection& c) { SalonStore(c, 1).Almacenes(3); },
         {"SELECT Cod_Almacen FROM TPV_Sln_Salones_Almacen WHERE Cod_Empresa =1 AND Cod_Cfgsalon =3"}},
        // A tick first checks that the salon is still there, so that a salon
        // deleted meanwhile gets no assignment rows; the recorder has none,
        // so the tick stops there.
        {"warehouse tick (stops at the missing salon)",
         [](Connection& c) { rejected([&] { SalonStore(c, 1).AsignarAlmacen(3, 2, true); }); },
         {"SELECT COUNT(*) FROM TPV_Sln_Salones WHERE Cod_Empresa =1 AND Cod_CfgSalon =3"}},
        {"open the floor plan", [](Connection& c) { SalonStore(c, 1).LeerDocXmlGuardado(3); },
         {"SELECT Doc_Xml FROM TPV_Sln_Salones WHERE Cod_Empresa =1   AND Cod_CfgSalon =3"}},
        {"save the floor plan", [](Connection& c) { rejected([&] { SalonStore(c, 1).GuardarPlano(3, kPlan); }); },
         {"UPDATE TPV_Sln_Salones SET Doc_Xml = '<FlowGraph a=|1|/>' WHERE Cod_Empresa =1 AND Cod_CfgSalon =3"}},
    });
}

TEST(StatementContract, TheElementPaletteSendsTheSystemsStatements)
{
    test::expectStatements("salon elements", {
        // Without groups there are no element statements to follow.
        {"palette (groups only: none stored)", [](Connection& c) { EXPECT_TRUE(ElementCatalog(c).Cargar().isEmpty()); },
         {"SELECT grp.Cod_Grupo, grp.Descripcion AS grpDescripcion  FROM TPV_Sln_GrpElementos grp "
          " ORDER BY grp.Cod_Grupo"}},
        {"group of a dragged element", [](Connection& c) { ElementCatalog(c).GrupoDeDescripcion(QStringLiteral("Mesas d'Or")); },
         {"SELECT grp.Cod_Grupo  FROM TPV_Sln_GrpElementos grp  WHERE grp.Descripcion = 'Mesas d''Or'"}},
        {"markup of a dropped element", [](Connection& c) { ElementCatalog(c).Xaml(4); },
         {"SELECT Xaml FROM TPV_Sln_Elementos  WHERE Tipo =4"}},
    });
}
