#include "salons/SalonStore.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"
#include "salons/DocXml.h"

namespace zqvr::salons {

using db::sqlInt;
using db::sqlText;

namespace {
QString salon(qint16 codigo) { return QStringLiteral("El salón %1").arg(codigo); }
} // namespace

QList<SalonRow> SalonStore::Cargar()
{
    return reraiseAs(QStringLiteral("SalonStore::Cargar"), [&] {
        QList<SalonRow> rows;
        db::RecordSet rs = m_conn.query(QStringLiteral("SELECT * FROM TPV_Sln_Salones WHERE Cod_Empresa =") +
                                        sqlInt(m_empresa) + QStringLiteral(" ORDER BY Cod_CfgSalon"));
        while (!rs.eof()) {
            rows.append({qint16(rs[QStringLiteral("Cod_CfgSalon")].toInt()),
                         rs[QStringLiteral("Descripcion")].toString()});
            rs.moveNext();
        }
        return rows;
    });
}

bool SalonStore::Existe(qint16 codigo, const QString& descripcion)
{
    return reraiseAs(QStringLiteral("SalonStore::Existe"), [&] {
        const QString rest = QStringLiteral("* FROM TPV_Sln_Salones WHERE Cod_Empresa =") + sqlInt(m_empresa) +
                             QStringLiteral(" AND (Cod_CfgSalon = ") + sqlInt(codigo) +
                             QStringLiteral(" OR Descripcion = ") + sqlText(descripcion) + QStringLiteral(")");
        db::RecordSet rs = m_conn.query(QStringLiteral(" ") + m_conn.dialect().selectTop(1, rest));
        return !rs.eof();
    });
}

void SalonStore::Agregar(qint16 codigo, const QString& descripcion, const QString& xml)
{
    reraiseAs(QStringLiteral("SalonStore::Agregar"), [&] {
        m_conn.execute(QStringLiteral("INSERT INTO TPV_Sln_Salones (Cod_Empresa, Cod_CfgSalon, Descripcion, Doc_Xml) VALUES (") +
                       sqlInt(m_empresa) + QStringLiteral(",") + sqlInt(codigo) + QStringLiteral(",") +
                       sqlText(descripcion) + QStringLiteral(",") + sqlText(encodeDocXml(xml)) + QStringLiteral(")"));
    });
}

void SalonStore::Modificar(qint16 codigo, const QString& descripcion, const QString& xml)
{
    reraiseAs(QStringLiteral("SalonStore::Modificar"), [&] {
        expectRow(m_conn.execute(QStringLiteral("UPDATE TPV_Sln_Salones SET Descripcion =") + sqlText(descripcion) +
                                 QStringLiteral(" ,Doc_Xml =") + sqlText(encodeDocXml(xml)) +
                                 QStringLiteral(" WHERE Cod_Empresa = ") + sqlInt(m_empresa) +
                                 QStringLiteral(" AND Cod_CfgSalon =") + sqlInt(codigo)),
                  salon(codigo));
    });
}

void SalonStore::Eliminar(qint16 codigo)
{
    reraiseAs(QStringLiteral("SalonStore::Eliminar"), [&] {
        // A salon is never left without its row but with its assignments, nor the reverse.
        db::TransactionGuard guard(m_conn);
        m_conn.execute(QStringLiteral("DELETE FROM TPV_Sln_Salones_Almacen WHERE Cod_Empresa =") + sqlInt(m_empresa) +
                       QStringLiteral(" AND Cod_Cfgsalon =") + sqlInt(codigo));
        expectRow(m_conn.execute(QStringLiteral("DELETE FROM TPV_Sln_Salones WHERE Cod_Empresa =") + sqlInt(m_empresa) +
                                 QStringLiteral(" AND Cod_Cfgsalon =") + sqlInt(codigo)),
                  salon(codigo));
        guard.commit();
    });
}

QString SalonStore::LeerXml(qint16 codigo)
{
    return reraiseAs(QStringLiteral("SalonStore::LeerXml"), [&] {
        db::RecordSet rs = m_conn.query(QStringLiteral("SELECT Doc_Xml FROM TPV_Sln_Salones WHERE Cod_Empresa = ") +
                                        sqlInt(m_empresa) + QStringLiteral(" AND Cod_CfgSalon =") + sqlInt(codigo));
        return rs.eof() ? QString() : decodeDocXml(rs[QStringLiteral("Doc_Xml")].toString());
    });
}

QString SalonStore::LeerDocXmlGuardado(qint16 codigo)
{
    return reraiseAs(QStringLiteral("SalonStore::LeerDocXmlGuardado"), [&] {
        db::RecordSet rs = m_conn.query(QStringLiteral("SELECT Doc_Xml FROM TPV_Sln_Salones WHERE Cod_Empresa =") +
                                        sqlInt(m_empresa) + QStringLiteral("   AND Cod_CfgSalon =") + sqlInt(codigo));
        return rs.eof() ? QString() : rs[QStringLiteral("Doc_Xml")].toString();
    });
}

void SalonStore::GuardarPlano(qint16 codigo, const QString& xml)
{
    reraiseAs(QStringLiteral("SalonStore::GuardarPlano"), [&] {
        expectRow(m_conn.execute(QStringLiteral("UPDATE TPV_Sln_Salones SET Doc_Xml = ") + sqlText(encodeDocXml(xml)) +
                                 QStringLiteral(" WHERE Cod_Empresa =") + sqlInt(m_empresa) +
                                 QStringLiteral(" AND Cod_CfgSalon =") + sqlInt(codigo)),
                  salon(codigo));
    });
}

QList<int> SalonStore::Almacenes(qint16 codigo)
{
    return reraiseAs(QStringLiteral("SalonStore::Almacenes"), [&] {
        QList<int> codes;
        db::RecordSet rs = m_conn.query(QStringLiteral("SELECT Cod_Almacen FROM TPV_Sln_Salones_Almacen WHERE Cod_Empresa =") +
                                        sqlInt(m_empresa) + QStringLiteral(" AND Cod_Cfgsalon =") + sqlInt(codigo));
        while (!rs.eof()) {
            codes.append(rs[QStringLiteral("Cod_Almacen")].toInt());
            rs.moveNext();
        }
        return codes;
    });
}

void SalonStore::AsignarAlmacen(qint16 codigo, int almacen, bool checked)
{
    reraiseAs(QStringLiteral("SalonStore::AsignarAlmacen"), [&] {
        db::TransactionGuard guard(m_conn);
        // A salon deleted meanwhile gets no assignment rows of its own again.
        if (m_conn.scalar(QStringLiteral("SELECT COUNT(*) FROM TPV_Sln_Salones WHERE Cod_Empresa =") + sqlInt(m_empresa) +
                          QStringLiteral(" AND Cod_CfgSalon =") + sqlInt(codigo))
                .toInt() == 0)
            throw rowDeletedError(salon(codigo));
        m_conn.execute(QStringLiteral("DELETE FROM TPV_Sln_Salones_Almacen WHERE Cod_Empresa =") + sqlInt(m_empresa) +
                       QStringLiteral(" AND Cod_CfgSalon =") + sqlInt(codigo) +
                       QStringLiteral(" AND Cod_Almacen = ") + sqlInt(almacen));
        if (checked)
            m_conn.execute(QStringLiteral("INSERT INTO TPV_Sln_Salones_Almacen (Cod_Empresa, Cod_CfgSalon, Cod_Almacen) VALUES (") +
                           sqlInt(m_empresa) + QStringLiteral(", ") + sqlInt(codigo) + QStringLiteral(", ") +
                           sqlInt(almacen) + QStringLiteral(")"));
        guard.commit();
    });
}

} // namespace zqvr::salons
