#include "security/AccessLevelStore.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"

namespace zqvr::security {

const char* const kDevelopmentServer = "BRVDESARROLLO";

bool AccessLevelStore::onDevelopmentServer()
{
    const db::Dialect& d = m_conn.dialect();
    const QString server =
        m_conn.scalar(QStringLiteral("SELECT ") + d.isNull(d.serverName(), QStringLiteral("''"))).toString();
    return server.compare(QString::fromLatin1(kDevelopmentServer), Qt::CaseInsensitive) == 0;
}

void AccessLevelStore::updateCatalogue(const QString& name, const QList<CatalogueControl>& controls)
{
    const db::Dialect& d = m_conn.dialect();
    db::TransactionGuard tx(m_conn, db::TransactionGuard::Write);
    db::Value code = m_conn.scalar(QStringLiteral("SELECT cod_Formulario  FROM SGD_Formularios WHERE Nombre =") +
                                   db::sqlText(name));
    int form = code.toInt();
    if (code.isNull()) {
        form = m_conn.scalar(QStringLiteral("SELECT Max(Cod_Formulario) AS codigo FROM SGD_Formularios")).toInt() + 1;
        m_conn.execute(QStringLiteral("INSERT INTO SGD_Formularios (Cod_Formulario, Nombre) VALUES (") + db::sqlInt(form) +
                       QLatin1Char(',') + db::sqlText(name) + QLatin1Char(')'));
    }
    m_conn.execute(QStringLiteral("UPDATE SGD_Controles SET TabIndex=-1 WHERE Cod_Formulario=") + db::sqlInt(form));
    for (const CatalogueControl& c : controls) {
        const int changed = m_conn.execute(
            QStringLiteral("UPDATE SGD_Controles SET TabIndex=? WHERE Cod_Formulario=? AND Nombre=? AND Indice=?"),
            {c.tabIndex, form, c.name, c.index});
        if (changed == 0) {
            const int control = m_conn.scalar(QStringLiteral("SELECT ") +
                                              d.isNull(QStringLiteral("Max(Cod_Control)"), QStringLiteral("0")) +
                                              QStringLiteral(" FROM SGD_Controles WHERE Cod_Formulario = ") + db::sqlInt(form))
                                    .toInt() + 1;
            m_conn.execute(QStringLiteral("INSERT INTO SGD_Controles (Cod_Formulario, Cod_Control, Nombre, Indice,TabIndex) "
                                          "VALUES (?,?,?,?,?)"),
                           {form, control, c.name, c.index, c.tabIndex});
        }
    }
    m_conn.execute(d.deleteJoin(QStringLiteral("SGD_Controles_Grupos"), QStringLiteral("cg"),
                                QStringLiteral("INNER JOIN SGD_Controles c ON cg.Cod_Formulario=c.Cod_Formulario AND "
                                               "cg.Cod_Control=c.Cod_Control WHERE c.TabIndex=-1")));
    m_conn.execute(QStringLiteral("DELETE FROM SGD_Controles WHERE TabIndex=-1"));
    tx.commit();
}

QList<ControlGrant> AccessLevelStore::grants(const QString& form, int user)
{
    const QString sql =
        QStringLiteral("SELECT gc.Cod_Grupo, f.Nombre AS Formulario, c.Nombre AS Control, c.Indice, gc.Permiso") +
        QStringLiteral(" FROM SGD_Controles_Grupos gc") + QStringLiteral(" INNER JOIN SGD_Formularios f") +
        QStringLiteral(" ON gc.Cod_Formulario = f.Cod_Formulario ") + QStringLiteral(" INNER JOIN SGD_Controles c") +
        QStringLiteral(" ON gc.Cod_Formulario = c.Cod_Formulario AND gc.Cod_Control = c.Cod_Control") +
        QStringLiteral(" WHERE f.Nombre = ") + db::sqlText(form) +
        QStringLiteral(" AND (gc.Cod_Grupo = 0 OR gc.Cod_Grupo IN (SELECT CodGrupo FROM SGD_Usuarios_Grupos WHERE CodUsuario = ") +
        db::sqlInt(user) + QStringLiteral("))") + QStringLiteral(" ORDER BY c.Nombre, gc.Permiso ASC");
    QList<ControlGrant> out;
    db::RecordSet rs = m_conn.query(sql);
    while (!rs.eof()) {
        const QString index = rs["Indice"].toString().trimmed();
        const QString name = rs["Control"].toString();
        out.push_back({index.isEmpty() ? name : name + QLatin1Char('!') + index, rs["Permiso"].toInt()});
        rs.moveNext();
    }
    return out;
}

} // namespace zqvr::security
