#include "touchscreen/CfgPantallaStore.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"

namespace zqvr::touchscreen {

using db::sqlInt;
using db::sqlText;

namespace {
QString configuracion(int codigo) { return QStringLiteral("La configuración %1").arg(codigo); }
} // namespace

std::vector<CfgPantalla> CfgPantallaStore::list()
{
    std::vector<CfgPantalla> out;
    auto rs = m_conn.query(QStringLiteral("SELECT * FROM TPV_CfgPantalla WHERE Cod_Empresa =") + sqlInt(m_empresa)
                           + QStringLiteral(" ORDER BY Cod_CfgPantalla"));
    while (!rs.eof()) {
        out.push_back({rs["Cod_CfgPantalla"].toInt(), rs["Descripcion"].toString(), rs["Tipo"].toInt()});
        rs.moveNext();
    }
    return out;
}

bool CfgPantallaStore::exists(int codigo, const QString& descripcion)
{
    const QString rest = QStringLiteral("* FROM TPV_CfgPantalla WHERE Cod_Empresa =") + sqlInt(m_empresa)
                         + QStringLiteral(" AND (Cod_CfgPantalla = ") + sqlInt(codigo)
                         + QStringLiteral(" OR Descripcion = ") + sqlText(descripcion) + QStringLiteral(")");
    auto rs = m_conn.query(QStringLiteral(" ") + m_conn.dialect().selectTop(1, rest));
    return !rs.eof();
}

void CfgPantallaStore::insert(const CfgPantalla& cfg)
{
    m_conn.execute(QStringLiteral("INSERT INTO TPV_CfgPantalla (Cod_Empresa, Cod_CfgPantalla, Descripcion, Tipo, "
                                  "Cod_GrupoDF) VALUES (")
                   + sqlInt(m_empresa) + QStringLiteral(",") + sqlInt(cfg.codigo) + QStringLiteral(",")
                   + sqlText(cfg.descripcion) + QStringLiteral(",") + sqlInt(cfg.tipo) + QStringLiteral(",0)"));
}

void CfgPantallaStore::update(int codigo, const QString& descripcion, int tipo)
{
    expectRow(m_conn.execute(QStringLiteral("UPDATE TPV_CfgPantalla SET Descripcion =") + sqlText(descripcion)
                             + QStringLiteral(" ,Tipo = ") + sqlInt(tipo) + QStringLiteral(" WHERE Cod_Empresa = ")
                             + sqlInt(m_empresa) + QStringLiteral(" AND Cod_CfgPantalla =") + sqlInt(codigo)),
              configuracion(codigo), Gender::Feminine);
}

bool CfgPantallaStore::typeChangeAllowed(int codigo, int tipo)
{
    const QString where = QStringLiteral(" WHERE Cod_Empresa =") + sqlInt(m_empresa)
                          + QStringLiteral(" AND Cod_CfgPantalla =") + sqlInt(codigo);
    auto rs = m_conn.query(QStringLiteral("SELECT Tipo FROM TPV_CfgPantalla") + where);
    if (rs.eof() || rs["Tipo"].toInt() == tipo)
        return true;
    rs.close();
    for (const char* table : {"TPV_CfgPantalla_Grupos", "TPV_CfgPantalla_Grupos_Lineas"}) {
        if (!m_conn.query(m_conn.dialect().selectTop(1, QStringLiteral("* FROM ") + QLatin1String(table) + where)).eof())
            return false;
    }
    return true;
}

void CfgPantallaStore::remove(int codigo)
{
    const QString where = QStringLiteral(" WHERE Cod_Empresa =") + sqlInt(m_empresa)
                          + QStringLiteral(" AND Cod_CfgPantalla =") + sqlInt(codigo);
    db::TransactionGuard tx(m_conn);
    m_conn.execute(QStringLiteral("DELETE FROM TPV_CfgPantalla_Grupos_Lineas") + where);
    m_conn.execute(QStringLiteral("DELETE FROM TPV_CfgPantalla_Grupos") + where);
    expectRow(m_conn.execute(QStringLiteral("DELETE FROM TPV_CfgPantalla") + where), configuracion(codigo),
              Gender::Feminine);
    tx.commit();
}

void CfgPantallaStore::forceReload(int codigo)
{
    expectRow(m_conn.execute(QStringLiteral("UPDATE TPV_CfgPantalla SET Act=0, Act2=0, Act3=0, Act4=0, Act5=0, Act6=0, "
                                            "Act7=0, Act8=0, Act9=0, Act10=0 WHERE Cod_Empresa = ")
                             + sqlInt(m_empresa) + QStringLiteral(" AND Cod_CfgPantalla=") + sqlInt(codigo)),
              configuracion(codigo), Gender::Feminine);
}

QString CfgPantallaStore::companyName()
{
    return m_conn.scalar(QStringLiteral("SELECT Nombre_1 FROM Empresas WHERE Codigo = ") + sqlInt(m_empresa))
        .toString();
}

} // namespace zqvr::touchscreen
