// The stand-in company object, its settings file and the permission service.
#include "host/Empresa.h"
#include "host/Permisos.h"
#include "db/Error.h"
#include "support/TestDatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zqvr;

namespace {

QString writeFile(const QTemporaryDir& dir, const QByteArray& text)
{
    const QString path = dir.filePath("empresa.cfg");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text);
    return path;
}

} // namespace

TEST(EmpresaSettings, FileFillsMembersAndNamedValues)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir,
                                   "# host settings\n"
                                   "; another comment\n"
                                   "CodigoEmpresa = 3\n"
                                   "empresaarticulos=4\n"
                                   "EmpresaClientes = 5\n"
                                   "DecimalesPrecio = tres\n"
                                   "RutaAplicacion = /opt/brevanto//\n"
                                   "IndicadorReservas = R\n"
                                   "UsuarioActual = 7\n"
                                   "Tpv_HabilitarParamTpv = S\n"
                                   "OficinaCentral = 0\n"
                                   "NombreTarjetaClub = Tarjeta Añaza = Club\n"
                                   "a line without equals sign\n"
                                   "   \n"
                                   "Almacen_PD =\n");
    host::Empresa e;
    QString error;
    ASSERT_TRUE(host::loadEmpresaSettings(e, path, &error)) << error.toStdString();
    EXPECT_EQ(e.CodigoEmpresa(), 3);
    EXPECT_EQ(e.EmpresaArticulos(), 4);
    EXPECT_EQ(e.EmpresaClientes(), 5);
    EXPECT_EQ(e.DecimalesPrecio(), 2); // not a number: the default stays
    EXPECT_EQ(e.RutaAplicacion(), "/opt/brevanto");
    EXPECT_EQ(e.IndicadorReservas(0), "R");
    EXPECT_EQ(e.usuarioActual(), 7);
    EXPECT_TRUE(e.variableBool("TPV_HABILITARPARAMTPV"));
    EXPECT_FALSE(e.variableBool("OficinaCentral"));
    EXPECT_FALSE(e.variableBool("NoSuchValue"));
    // The value is everything after the first '=', read as UTF-8.
    EXPECT_EQ(e.Variable("nombretarjetaclub").toString(), "Tarjeta Añaza = Club");
    EXPECT_TRUE(e.Variable("Almacen_PD").isValid());
    EXPECT_EQ(e.Variable("Almacen_PD").toString(), "");
    EXPECT_FALSE(e.Variable("a line without equals sign").isValid());

    host::Empresa missing;
    EXPECT_FALSE(host::loadEmpresaSettings(missing, dir.filePath("none.cfg"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(Permisos, RightsComeFromTheUsersRowsAndTheSupervisorHoldsAll)
{
    test::TestDatabase db;
    db.exec("INSERT INTO SGD_Usuarios_Derechos (Cod_Usuario, Derecho) VALUES (4, 5), (4, 7), (6, 1)");
    host::Permisos p;
    EXPECT_THROW(p.TieneDerecho(5), Error);
    p.setConexion(&db.conn());
    p.setUsuario(4);
    EXPECT_TRUE(p.TieneDerecho(5));
    EXPECT_FALSE(p.TieneDerecho(6));
    p.setUsuario(6);
    EXPECT_FALSE(p.TieneDerecho(5));
    p.setUsuario(0);
    EXPECT_TRUE(p.TieneDerecho(5));
}
