#pragma once
// The host's company object (EmpresaBrevanto): the company the user works
// in, its article and customer companies, price decimals, the installation
// folder and the named values the host keeps for the logged-in user.
// A host makes one, fills it and hands it to the component.
#include "host_export.h"
#include <QDate>
#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace zqvr::db { class Connection; }

namespace zqvr::host {

class ZQVR_HOST_EXPORT Empresa : public QObject {
    Q_OBJECT
    Q_PROPERTY(int CodigoEmpresa READ CodigoEmpresa WRITE setCodigoEmpresa)
    Q_PROPERTY(int EmpresaArticulos READ EmpresaArticulos WRITE setEmpresaArticulos)
    Q_PROPERTY(int EmpresaClientes READ EmpresaClientes WRITE setEmpresaClientes)
    Q_PROPERTY(int DecimalesPrecio READ DecimalesPrecio WRITE setDecimalesPrecio)
    Q_PROPERTY(QString RutaAplicacion READ RutaAplicacion WRITE setRutaAplicacion)
    Q_PROPERTY(bool SumarImpuestos READ SumarImpuestos WRITE setSumarImpuestos)
public:
    explicit Empresa(QObject* parent = nullptr) : QObject(parent) {}

    qint16 CodigoEmpresa() const { return m_codigo; }
    qint16 EmpresaArticulos() const { return m_articulos; }
    qint16 EmpresaClientes() const { return m_clientes; }
    qint16 DecimalesPrecio() const { return m_decimales; }
    // The installation folder, without a trailing separator.
    QString RutaAplicacion() const { return m_ruta; }
    // Non-empty when reservations are in use (asked with 0).
    Q_INVOKABLE QString IndicadorReservas(int which = 0) const;
    // A named value kept for the logged-in user; an unknown name is an invalid QVariant.
    Q_INVOKABLE virtual QVariant Variable(const QString& name) const;

    // Whether amounts shown before tax get the tax of their type added
    // (the reservation lines); a setting of the host's.
    bool SumarImpuestos() const { return m_sumarImpuestos; }
    void setSumarImpuestos(bool on) { m_sumarImpuestos = on; }
    // The company's tax regime: 0 IGIC (Igic_Tipos), 1 the second tax system
    // (Impuestos2_Tipos). The schema keeps it on the warehouses; a company's
    // warehouses share one, so the first warehouse's is the company's.
    Q_INVOKABLE int RegimenImpuesto() const;
    // The rate in percent of a tax type valid on a day (today by default) in
    // the company's regime; 0 when the type has no rate valid then. Throws
    // zqvr::Error when the object has no connection or the tables cannot be read.
    Q_INVOKABLE double ValorImpuesto(int tipo) const;
    double ValorImpuesto(int tipo, const QDate& dia) const;
    // Every tax type with a rate valid on the day, read at once: the rate
    // ValorImpuesto gives for each (a type missing here has none).
    QHash<int, double> ValoresImpuesto(const QDate& dia = QDate::currentDate()) const;
    // The connection the object reads the tax tables through: the host's own.
    void setConexion(db::Connection* conn) { m_conn = conn; }
    db::Connection* Conexion() const { return m_conn; }

    void setCodigoEmpresa(int v) { m_codigo = static_cast<qint16>(v); }
    void setEmpresaArticulos(int v) { m_articulos = static_cast<qint16>(v); }
    void setEmpresaClientes(int v) { m_clientes = static_cast<qint16>(v); }
    void setDecimalesPrecio(int v) { m_decimales = static_cast<qint16>(v); }
    void setRutaAplicacion(const QString& path);
    void setIndicadorReservas(const QString& v) { m_reservas = v; }
    // Named values are found whatever the case of their name.
    Q_INVOKABLE void setVariable(const QString& name, const QVariant& value);
    QVariantMap variables() const { return m_vars; }

    // The current user's code (Variable("UsuarioActual") as a number, 0 when unset).
    int usuarioActual() const;
    // Variable(name) read as a boolean ("1", "true", "S", "-1" are true).
    bool variableBool(const QString& name) const;

private:
    qint16 m_codigo = 1;
    qint16 m_articulos = 1;
    qint16 m_clientes = 1;
    qint16 m_decimales = 2;
    QString m_ruta;
    QString m_reservas;
    bool m_sumarImpuestos = false;
    db::Connection* m_conn = nullptr;
    QVariantMap m_vars; // keyed by lower-case name
};

// Reads "key = value" lines of a small host configuration file into a
// company object: the members above by name and any other key as a named value.
// Lines starting with '#' or ';' are comments. Returns false when the file
// cannot be read; unknown numbers keep their defaults.
ZQVR_HOST_EXPORT bool loadEmpresaSettings(Empresa& empresa, const QString& path, QString* error = nullptr);

} // namespace zqvr::host
