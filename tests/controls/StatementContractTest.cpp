// The pickers every screen uses look their codes up in the suite's master
// tables; their statements, rendered for SQL Server, are checked here like
// the screens' own.
#include "controls/ctlAlmacenCons.h"
#include "controls/ctlCodePicker.h"
#include "host/Empresa.h"
#include "support/StatementContract.h"

#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::controls;
using db::Connection;

namespace {

// Company 1, whose articles are those of company 9 and customers those of company 8.
host::Empresa& empresa()
{
    static host::Empresa e;
    e.setCodigoEmpresa(1);
    e.setEmpresaArticulos(9);
    e.setEmpresaClientes(8);
    return e;
}

template <typename P>
void lookUp(Connection& c, qint64 code)
{
    P picker;
    picker.setConexion(&c);
    picker.setEmpresa(&empresa());
    picker.setCodigo(code);
    picker.Cargar();
}

template <typename P>
void search(Connection& c, const QString& text)
{
    P picker;
    picker.setConexion(&c);
    picker.setEmpresa(&empresa());
    picker.search(text);
}

ctlAlmacen& userWarehouses(ctlAlmacen& picker, Connection& c)
{
    picker.setConexion(&c);
    picker.setEmpresa(&empresa());
    picker.setUsuario(4);
    picker.setSoloAlmacenesUsuario(true);
    return picker;
}

} // namespace

TEST(StatementContract, ThePickersSendTheirLookUpsInSqlServerText)
{
    test::expectStatements("pickers", {
        {"article", [](Connection& c) { lookUp<ctlArticulo>(c, 1001); },
         {"SELECT Descripcion FROM Articulos WHERE Codigo = 1001 AND Cod_Empresa = 9"}},
        {"customer", [](Connection& c) { lookUp<ctlCliente>(c, 7); },
         {"SELECT Nombre FROM Clientes WHERE Codigo = 7 AND Cod_Empresa = 8"}},
        {"user", [](Connection& c) { lookUp<ctlUsuario>(c, 4); }, {"SELECT Nombre FROM SGD_Usuarios WHERE Codigo = 4"}},
        {"agent", [](Connection& c) { lookUp<ctlAgente>(c, 3); },
         {"SELECT Nombre FROM Agentes WHERE Codigo = 3 AND Cod_Empresa = 1"}},
        {"discount group", [](Connection& c) { lookUp<ctlDtoGrp>(c, 3); },
         {"SELECT Descripcion FROM Grupos_Descuento WHERE Codigo = 3 AND Cod_Empresa = 1"}},
        {"tariff", [](Connection& c) { lookUp<ctlTarifa>(c, 3); },
         {"SELECT Descripcion FROM Tarifas WHERE Codigo = 3 AND Cod_Empresa = 1"}},
        {"warehouse of the user",
         [](Connection& c) {
             ctlAlmacen picker;
             userWarehouses(picker, c).setCodigo(2);
             picker.Cargar();
         },
         {"SELECT Nombre FROM Almacenes WHERE Codigo = 2 AND Cod_Empresa = 1 AND (Codigo IN (SELECT Cod_Almacen"
          " FROM SGD_Usuarios_Almacenes WHERE CodUsuario = 4 AND Cod_Empresa = 1))"}},
        {"the user's first warehouse",
         [](Connection& c) {
             ctlAlmacen picker;
             EXPECT_EQ(userWarehouses(picker, c).AlmacenUsuario(), 0);
         },
         {"SELECT MIN(ua.Cod_Almacen) FROM SGD_Usuarios_Almacenes ua INNER JOIN Almacenes a ON a.Cod_Empresa ="
          " ua.Cod_Empresa AND a.Codigo = ua.Cod_Almacen WHERE ua.CodUsuario = 4 AND ua.Cod_Empresa = 1"}},
        // A number typed into the search matches codes that start with it or names that contain it.
        {"article search by number", [](Connection& c) { search<ctlArticulo>(c, QStringLiteral("12")); },
         {"SELECT TOP 200 Codigo, Descripcion FROM Articulos WHERE Cod_Empresa = 9 AND (CAST(Codigo AS VARCHAR(20))"
          " LIKE '12%' OR Descripcion LIKE '%12%') ORDER BY Codigo"}},
        {"customer search by name", [](Connection& c) { search<ctlCliente>(c, QStringLiteral("O'Br*n")); },
         {"SELECT TOP 200 Codigo, Nombre FROM Clientes WHERE Cod_Empresa = 8 AND Nombre LIKE '%O''Br%n%'"
          " ORDER BY Nombre"}},
        {"warehouse list",
         [](Connection& c) {
             ctlAlmacenCons list;
             list.setConexion(&c);
             list.setEmpresa(&empresa());
         },
         {"SELECT Codigo, Nombre FROM Almacenes WHERE Cod_Empresa = 1 ORDER BY Codigo"}},
    });
}
