#include "host/Empresa.h"

#include <QFile>
#include <QTextStream>

namespace zqvr::host {

QString Empresa::IndicadorReservas(int) const { return m_reservas; }

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
        } else {
            empresa.setVariable(key, value);
        }
    }
    return true;
}

} // namespace zqvr::host
