#include "host/Empresa.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"

#include <QFile>
#include <QTextStream>

namespace zqvr::host {

QString Empresa::IndicadorReservas(int) const { return m_reservas; }

namespace {
db::Connection& taxConnection(db::Connection* conn, const char* procedure)
{
    if (!conn)
        throw Error(errc::InvalidArgument,
                    QStringLiteral("El objeto de empresa no tiene conexión con la base de datos para leer los impuestos."),
                    QStringLiteral("Empresa::") + QLatin1String(procedure));
    return *conn;
}
} // namespace

int Empresa::RegimenImpuesto() const
{
    db::Connection& conn = taxConnection(m_conn, "RegimenImpuesto");
    return reraiseAs(QStringLiteral("Empresa::RegimenImpuesto"), [&] {
        return conn
            .scalar(conn.dialect().selectTop(1, QStringLiteral("Regimen_Impuesto FROM Almacenes WHERE Cod_Empresa =") +
                                                    db::sqlInt(m_codigo) + QStringLiteral(" ORDER BY Codigo")))
            .toInt();
    });
}

double Empresa::ValorImpuesto(int tipo) const { return ValorImpuesto(tipo, QDate::currentDate()); }

double Empresa::ValorImpuesto(int tipo, const QDate& dia) const
{
    const int regimen = RegimenImpuesto();
    db::Connection& conn = taxConnection(m_conn, "ValorImpuesto");
    return reraiseAs(QStringLiteral("Empresa::ValorImpuesto"), [&] {
        const QString d = conn.dialect().date(dia);
        return conn
            .scalar(QStringLiteral("SELECT Imp_Valor FROM ") +
                    (regimen == 1 ? QStringLiteral("Impuestos2_Tipos") : QStringLiteral("Igic_Tipos")) +
                    QStringLiteral(" WHERE Cod_Empresa =") + db::sqlInt(m_codigo) + QStringLiteral(" AND Tipo =") +
                    db::sqlInt(tipo) + QStringLiteral(" AND FechaI <= ") + d + QStringLiteral(" AND FechaF >= ") + d)
            .toDouble();
    });
}

QHash<int, double> Empresa::ValoresImpuesto(const QDate& dia) const
{
    const int regimen = RegimenImpuesto();
    db::Connection& conn = taxConnection(m_conn, "ValoresImpuesto");
    return reraiseAs(QStringLiteral("Empresa::ValoresImpuesto"), [&] {
        const QString d = conn.dialect().date(dia);
        QHash<int, double> out;
        auto rs = conn.query(QStringLiteral("SELECT Tipo, Imp_Valor FROM ") +
                             (regimen == 1 ? QStringLiteral("Impuestos2_Tipos") : QStringLiteral("Igic_Tipos")) +
                             QStringLiteral(" WHERE Cod_Empresa =") + db::sqlInt(m_codigo) +
                             QStringLiteral(" AND FechaI <= ") + d + QStringLiteral(" AND FechaF >= ") + d);
        for (; !rs.eof(); rs.moveNext())
            out.insert(rs.value(0).toInt(), rs.value(1).toDouble());
        return out;
    });
}

QVariant Empresa::Variable(const QString& name) const { return m_vars.value(name.toLower()); }

void Empresa::setRutaAplicacion(const QString& path)
{
    QString p = path;
    while (p.size() > 1 && (p.endsWith(QLatin1Char('/')) || p.endsWith(QLatin1Char('\\'))))
        p.chop(1);
    m_ruta = p;
}

void Empresa::setVariable(const QString& name, const QVariant& value)
{
    m_vars.insert(name.toLower(), value);
}

int Empresa::usuarioActual() const
{
    bool ok = false;
    const int v = Variable(QStringLiteral("UsuarioActual")).toString().trimmed().toInt(&ok);
    return ok ? v : 0;
}

bool Empresa::variableBool(const QString& name) const
{
    const QVariant v = Variable(name);
    if (!v.isValid() || v.isNull())
        return false;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    const QString s = v.toString().trimmed().toLower();
    if (s == QLatin1String("true") || s == QLatin1String("s") || s == QLatin1String("si") ||
        s == QLatin1String("sí") || s == QLatin1String("yes"))
        return true;
    bool ok = false;
    const double d = s.toDouble(&ok);
    return ok && d != 0.0;
}

bool loadEmpresaSettings(Empresa& empresa, const QString& path, QString* error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1Char(';')))
            continue;
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        bool ok = false;
        const int n = value.toInt(&ok);
        const QString k = key.toLower();
        if (k == QLatin1String("codigoempresa")) {
            if (ok) empresa.setCodigoEmpresa(n);
        } else if (k == QLatin1String("empresaarticulos")) {
            if (ok) empresa.setEmpresaArticulos(n);
        } else if (k == QLatin1String("empresaclientes")) {
            if (ok) empresa.setEmpresaClientes(n);
        } else if (k == QLatin1String("decimalesprecio")) {
            if (ok) empresa.setDecimalesPrecio(n);
        } else if (k == QLatin1String("rutaaplicacion")) {
            empresa.setRutaAplicacion(value);
        } else if (k == QLatin1String("indicadorreservas")) {
            empresa.setIndicadorReservas(value);
        } else if (k == QLatin1String("sumarimpuestos")) {
            empresa.setVariable(key, value);
            empresa.setSumarImpuestos(empresa.variableBool(key));
        } else {
            empresa.setVariable(key, value);
        }
    }
    return true;
}

} // namespace zqvr::host
