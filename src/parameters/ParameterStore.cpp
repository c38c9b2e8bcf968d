#include "parameters/ParameterStore.h"

#include "db/Connection.h"
#include "db/SqlLiteral.h"
#include "parameters/BitSets.h"

#include <algorithm>

namespace zqvr::parameters {

using db::sqlInt;
using db::sqlText;

namespace {

// What the statements of a scope share: the table, and for a terminal its
// column and value inside the column and value lists.
struct ScopeText {
    QString table, tpvColumn, tpvValue;
};

ScopeText scopeText(int tpv)
{
    if (tpv == 0)
        return {QStringLiteral("Tpv_Parametros"), QString(), QString()};
    return {QStringLiteral("Tpv_Parametros_Ex"), QStringLiteral(" Cod_Tpv,"), sqlInt(tpv) + QLatin1Char(',')};
}

QString checkText(qint64 n) { return n != 0 ? QStringLiteral("1") : QStringLiteral("0"); }

} // namespace

QString ParameterStore::selectScope(int almacen, int tpv) const
{
    if (tpv == 0)
        return QStringLiteral("SELECT * FROM TPV_Parametros WHERE Cod_Empresa =") + sqlInt(m_company) +
               QStringLiteral(" AND Cod_Almacen =") + sqlInt(almacen);
    return QStringLiteral("SELECT * FROM TPV_Parametros_Ex WHERE Cod_Empresa =") + sqlInt(m_company) +
           QStringLiteral(" AND Cod_Almacen =") + sqlInt(almacen) + QStringLiteral(" AND Cod_Tpv=") + sqlInt(tpv);
}

QString ParameterStore::deleteScope(int almacen, int tpv) const
{
    if (tpv == 0)
        return QStringLiteral("DELETE FROM Tpv_Parametros WHERE Cod_Empresa =") + sqlInt(m_company) +
               QStringLiteral(" AND Cod_Almacen =") + sqlInt(almacen);
    return QStringLiteral("DELETE FROM Tpv_Parametros_Ex WHERE Cod_Empresa =") + sqlInt(m_company) +
           QStringLiteral(" AND Cod_Almacen =") + sqlInt(almacen) + QStringLiteral(" AND Cod_Tpv =") + sqlInt(tpv);
}

QStringList ParameterStore::saveStatements(int almacen, int tpv, const ScopeValues& values, QStringList* shown) const
{
    const ScopeText s = scopeText(tpv);
    const QString head = QStringLiteral("INSERT INTO ") + s.table + QStringLiteral(" (Cod_Empresa, Cod_Almacen, Codigo, ") +
                         s.tpvColumn;
    auto prefix = [&](int code) {
        return sqlInt(m_company) + QStringLiteral(", ") + sqlInt(almacen) + QStringLiteral(", ") + sqlInt(code) +
               QStringLiteral(", ") + s.tpvValue;
    };
    auto setting = [&](int code, const QString& value) {
        return head + QStringLiteral(" Valor) VALUES (") + prefix(code) + sqlText(value) + QLatin1Char(')');
    };

    QStringList out;
    if (shown)
        shown->clear();
    // Keeps the shown list beside the statements: the same text, but a
    // password replaced by the mask.
    auto keep = [&](qsizetype from, const CatalogueEntry& e) {
        if (!shown)
            return;
        for (qsizetype i = from; i < out.size(); ++i)
            *shown << (e.has(Secret) && !values.value(e.code).text.isEmpty() ? setting(e.code, kSecretMask) : out[i]);
    };
    out << deleteScope(almacen, tpv);
    for (const OperationKey& k : values.keys)
        out << head + QStringLiteral(" Valor, Visible, Posicion, Color) VALUES (") + prefix(k.operation) +
                   sqlText(QString::number(k.key)) + QStringLiteral(", ") + sqlInt(k.visible ? 1 : 0) +
                   QStringLiteral(", ") + sqlInt(k.position) + QStringLiteral(", ") + sqlInt(k.color) +
                   QLatin1Char(')');
    keep(0, CatalogueEntry{});

    for (const CatalogueEntry& e : catalogue()) {
        const qsizetype first = out.size();
        const SettingValue& v = values.value(e.code);
        const QList<ListEntry>& list = values.entries(e.code);
        switch (e.kind) {
        case Kind::Check:
        case Kind::PlainCheck:
        case Kind::ClaveEntry:
            out << setting(e.code, checkText(v.n));
            break;
        case Kind::Hidden:
            out << setting(e.code, checkText(values.hidden545));
            break;
        case Kind::ComboIndex:
            out << setting(e.code, QString::number(v.n));
            break;
        case Kind::ComboData: {
            const qint64 i = v.n >= 0 && v.n < list.size() ? v.n : e.resetIndex;
            out << setting(e.code, QString::number(i < list.size() ? list[int(i)].data : 0));
            break;
        }
        case Kind::Number: {
            bool ok = false;
            const QString n = storedNumber(v.text, &ok);
            if (!ok) {
                const QString failing = setting(e.code, v.text);
                throw SaveError(Error(13, QStringLiteral("No coinciden los tipos: \"%1\" no es un número.").arg(v.text),
                                      QStringLiteral("frmParametros:GuardarOpciones")),
                                failing);
            }
            out << setting(e.code, n);
            break;
        }
        case Kind::Text:
            out << setting(e.code, v.text);
            break;
        case Kind::Picker:
            out << setting(e.code, QString::number(v.n));
            break;
        case Kind::ListBits: {
            QList<int> bits;
            for (const ListEntry& x : list)
                bits << x.data;
            out << setting(e.code, QString::number(v.n & listMask(bits)));
            break;
        }
        case Kind::CheckBits: {
            qint64 weights = 0;
            for (const ListEntry& x : list)
                weights |= x.data;
            out << setting(e.code, QString::number(v.n & weights));
            break;
        }
        case Kind::Link:
            out << head + QStringLiteral(" Valor, Visible, Valor2) VALUES (") + prefix(e.code) +
                       sqlText(QString::number(v.n)) + QStringLiteral(", 0, ") + sqlText(v.text) + QLatin1Char(')');
            break;
        case Kind::ScaleRows: {
            int code = kFirstScaleCode;
            for (const ScaleRow& r : values.scales) {
                if (code > kLastScaleCode)
                    break;
                out << head + QStringLiteral(" Valor, Valor2) VALUES (") + prefix(code) + sqlText(r.prefix) +
                           QStringLiteral(", ") + sqlInt(r.type) + QLatin1Char(')');
                ++code;
            }
            break;
        }
        }
        keep(first, e);
    }
    return out;
}

QStringList ParameterStore::depurarStatements(bool oficinaCentral) const
{
    // Only the company being saved: the other companies' terminals are
    // another office's business, and their rows must survive this save.
    QStringList out;
    if (!oficinaCentral)
        out << QStringLiteral("DELETE FROM TPV_Parametros ") + QStringLiteral(" WHERE Cod_Empresa =") + sqlInt(m_company) +
                   QStringLiteral(" AND NOT EXISTS (SELECT 1 FROM Tpvs") +
                   QStringLiteral(" WHERE Tpvs.Empresa = TPV_Parametros.Cod_Empresa") +
                   QStringLiteral("   AND Tpvs.Almacen = TPV_Parametros.Cod_Almacen)");
    out << QStringLiteral("DELETE FROM TPV_Parametros_Ex ") + QStringLiteral(" WHERE Cod_Empresa =") + sqlInt(m_company) +
               QStringLiteral(" AND NOT EXISTS (SELECT 1 FROM Tpvs") +
               QStringLiteral(" WHERE Tpvs.Empresa = TPV_Parametros_Ex.Cod_Empresa") +
               QStringLiteral("   AND Tpvs.Almacen = TPV_Parametros_Ex.Cod_Almacen") +
               QStringLiteral("   AND Tpvs.Codigo = TPV_Parametros_Ex.Cod_Tpv)");
    return out;
}

std::vector<ParameterRow> ParameterStore::load(int almacen, int tpv)
{
    std::vector<ParameterRow> rows;
    rows.reserve(400);
    db::RecordSet rs = m_conn.query(selectScope(almacen, tpv));
    while (!rs.eof()) {
        ParameterRow r;
        r.code = rs["Codigo"].toInt();
        r.valor = rs["Valor"].toString();
        r.visible = rs["Visible"].toInt();
        r.posicion = rs["Posicion"].toInt();
        r.color = rs["Color"].toInt();
        r.valor2 = rs["Valor2"].toString();
        rows.push_back(std::move(r));
        rs.moveNext();
    }
    return rows;
}

void ParameterStore::save(int almacen, int tpv, const ScopeValues& values, Cleanup cleanup)
{
    QStringList shown;
    QStringList statements = saveStatements(almacen, tpv, values, &shown);
    if (cleanup != Cleanup::None) {
        const QStringList before = depurarStatements(cleanup == Cleanup::VanishedTerminals);
        statements = before + statements;
        shown = before + shown;
    }
    qsizetype last = 0;
    try {
        db::TransactionGuard tx(m_conn, db::TransactionGuard::Write);
        for (; last < statements.size(); ++last)
            m_conn.execute(statements[last]);
        tx.commit();
    } catch (const SaveError&) {
        throw;
    } catch (const Error& e) {
        throw SaveError(e, shown.value(std::min(last, shown.size() - 1)));
    }
}

void ParameterStore::depurarTpvs(bool oficinaCentral)
{
    db::TransactionGuard tx(m_conn, db::TransactionGuard::Write);
    for (const QString& sql : depurarStatements(oficinaCentral))
        m_conn.execute(sql);
    tx.commit();
}

void ParameterStore::copyGeneralToTerminal(int almacen, int tpv)
{
    db::TransactionGuard tx(m_conn, db::TransactionGuard::Write);
    m_conn.execute(QStringLiteral("DELETE FROM TPV_Parametros_Ex WHERE Cod_Empresa =") + sqlInt(m_company) +
                   QStringLiteral("   AND Cod_Almacen=") + sqlInt(almacen) + QStringLiteral("   AND Cod_Tpv=") +
                   sqlInt(tpv));
    m_conn.execute(
        QStringLiteral("INSERT INTO TPV_Parametros_Ex(Cod_Empresa, Cod_Almacen, Codigo, Cod_Tpv, Valor, Visible, Valor2, "
                       "Posicion, Color)") +
        QStringLiteral(" SELECT param.Cod_Empresa, param.Cod_Almacen, param.Codigo, ") + sqlInt(tpv) +
        QStringLiteral(" , param.Valor, param.Visible, param.Valor2, param.Posicion, param.Color") +
        QStringLiteral("   FROM TPV_Parametros param") + QStringLiteral("  WHERE param.Cod_Empresa =") +
        sqlInt(m_company) + QStringLiteral("    AND param.Cod_Almacen =") + sqlInt(almacen));
    tx.commit();
}

void ParameterStore::deleteTerminal(int almacen, int tpv)
{
    m_conn.execute(QStringLiteral("DELETE FROM TPV_Parametros_Ex") + QStringLiteral(" WHERE Cod_Empresa=") +
                   sqlInt(m_company) + QStringLiteral("   AND Cod_Almacen=") + sqlInt(almacen) +
                   QStringLiteral("   AND Cod_Tpv= ") + sqlInt(tpv));
}

bool ParameterStore::terminalExists(int almacen, int tpv)
{
    return !m_conn
                .query(QStringLiteral("SELECT Codigo FROM Tpvs WHERE Empresa=") + sqlInt(m_company) +
                       QStringLiteral(" AND Almacen=") + sqlInt(almacen) + QStringLiteral(" AND Codigo=") + sqlInt(tpv))
                .eof();
}

bool ParameterStore::warehouseHasTerminals(int almacen)
{
    return !m_conn
                .query(QStringLiteral("SELECT Codigo FROM Tpvs WHERE Empresa=") + sqlInt(m_company) +
                       QStringLiteral(" AND Almacen=") + sqlInt(almacen))
                .eof();
}

QList<ListEntry> ParameterStore::labelModels()
{
    QList<ListEntry> out;
    db::RecordSet rs = m_conn.query(QStringLiteral("SELECT * FROM Modelos_Etiq_Art ORDER BY Codigo"));
    for (; !rs.eof(); rs.moveNext())
        out.push_back({rs["Nombre"].toString(), rs["Codigo"].toInt()});
    return out;
}

QList<ListEntry> ParameterStore::warehouses()
{
    QList<ListEntry> out;
    db::RecordSet rs = m_conn.query(QStringLiteral("SELECT Codigo, Nombre FROM Almacenes WHERE Cod_Empresa =") +
                                    db::sqlInt(m_company));
    for (; !rs.eof(); rs.moveNext())
        out.push_back({rs["Nombre"].toString(), rs["Codigo"].toInt()});
    return out;
}

QList<ListEntry> ParameterStore::terminals(int almacen)
{
    QList<ListEntry> out;
    db::RecordSet rs = m_conn.query(QStringLiteral("SELECT Codigo, Descripcion FROM Tpvs") +
                                    QStringLiteral(" WHERE Empresa=") + db::sqlInt(m_company) +
                                    QStringLiteral("   AND Almacen=") + db::sqlInt(almacen));
    for (; !rs.eof(); rs.moveNext())
        out.push_back({rs["Descripcion"].toString(), rs["Codigo"].toInt()});
    return out;
}

std::vector<ParameterStore::TaxRate> ParameterStore::taxRates(int almacen, const QDate& day)
{
    const int regime = m_conn.scalar(QStringLiteral("SELECT Regimen_Impuesto FROM Almacenes WHERE Cod_Empresa =") +
                                     db::sqlInt(m_company) + QStringLiteral(" AND Codigo =") + db::sqlInt(almacen))
                           .toInt();
    const QString today = m_conn.dialect().date(day);
    db::RecordSet rs = m_conn.query(
        (regime == 1 ? QStringLiteral("SELECT Tipo, Imp_Valor FROM Impuestos2_Tipos")
                     : QStringLiteral("SELECT Tipo, Imp_Valor FROM Igic_Tipos")) +
        QStringLiteral(" WHERE Cod_Empresa =") + db::sqlInt(m_company) + QStringLiteral(" AND FechaI <= ") + today +
        QStringLiteral(" AND FechaF >= ") + today + QStringLiteral(" ORDER BY Imp_Valor"));
    std::vector<TaxRate> out;
    for (; !rs.eof(); rs.moveNext())
        out.push_back({rs["Tipo"].toInt(), rs["Imp_Valor"].toDouble()});
    return out;
}

} // namespace zqvr::parameters
