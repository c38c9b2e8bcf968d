#include "terminals/clsTPV.h"

#include "db/Connection.h"
#include "db/Error.h"

namespace zqvr::terminals {

namespace {
constexpr long ObjectNotSet = 91;
}

db::Connection& clsTPV::conexion() const
{
    if (!m_conn)
        throw Error(ObjectNotSet, QStringLiteral("No se ha indicado la conexión con la base de datos."));
    return *m_conn;
}

db::Connection& clsTPV::tillConnection() const
{
    if (!m_connTpv)
        throw Error(ObjectNotSet,
                    QStringLiteral("No se ha indicado la conexión con la base de datos del TPV."));
    return *m_connTpv;
}

Terminal clsTPV::row() const
{
    return {m_codigo, m_host, m_descripcion, m_empresa, m_tarifaPVP, m_tarifaProm, m_enLinea, m_almacen, m_emergencia};
}

void clsTPV::Modificar()
{
    reraiseAs(QStringLiteral("clsTPV::Modificar"), [&] { TerminalStore(conexion()).save(row()); });
}

void clsTPV::Insertar()
{
    reraiseAs(QStringLiteral("clsTPV::Insertar"), [&] { TerminalStore(conexion()).insert(row()); });
}

void clsTPV::Eliminar()
{
    reraiseAs(QStringLiteral("clsTPV::Eliminar"), [&] { TerminalStore(conexion()).remove(m_codigo); });
}

bool clsTPV::loadInto(clsTPV* clsDest, const QString& source,
                      const std::function<std::optional<Terminal>(TerminalStore&, int)>& load)
{
    clsTPV& dest = clsDest ? *clsDest : *this;
    return reraiseAs(source, [&] {
        TerminalStore store(conexion());
        // The whole row is read before the target changes, so that a failing
        // field leaves it as it was.
        const std::optional<Terminal> t = load(store, dest.m_codigo);
        if (!t)
            return false;
        dest.m_codigo = t->codigo;
        dest.m_host = t->host;
        dest.m_descripcion = t->descripcion;
        dest.m_empresa = t->empresa;
        dest.m_tarifaPVP = t->tarifaPVP;
        dest.m_tarifaProm = t->tarifaProm;
        dest.m_enLinea = t->enLinea;
        dest.m_almacen = t->almacen;
        dest.m_emergencia = t->emergencia;
        return true;
    });
}

bool clsTPV::Cargar(clsTPV* clsDest)
{
    return loadInto(clsDest, QStringLiteral("clsTPV::Cargar"), [](TerminalStore& s, int codigo) {
        return codigo == 0 ? std::nullopt : s.load(codigo);
    });
}

bool clsTPV::Cargar_Anterior(clsTPV* clsDest)
{
    return loadInto(clsDest, QStringLiteral("clsTPV::Cargar_Anterior"),
                    [](TerminalStore& s, int codigo) { return s.previous(codigo); });
}

bool clsTPV::Cargar_Siguiente(clsTPV* clsDest)
{
    return loadInto(clsDest, QStringLiteral("clsTPV::Cargar_Siguiente"),
                    [](TerminalStore& s, int codigo) { return s.next(codigo); });
}

bool clsTPV::Cargar_Primero(clsTPV* clsDest)
{
    return loadInto(clsDest, QStringLiteral("clsTPV::Cargar_Primero"),
                    [](TerminalStore& s, int) { return s.first(); });
}

bool clsTPV::Cargar_Ultimo(clsTPV* clsDest)
{
    return loadInto(clsDest, QStringLiteral("clsTPV::Cargar_Ultimo"),
                    [](TerminalStore& s, int) { return s.last(); });
}

qint32 clsTPV::Dev_CodigoTicket(bool bolAct, bool bolNumeracion_Continua, const QDate& dtePOSFecha)
{
    return reraiseAs(QStringLiteral("clsTPV::Dev_CodigoTicket"), [&]() -> qint32 {
        if (!dtePOSFecha.isValid())
            throw Error(errc::InvalidArgument, QStringLiteral("La fecha del ticket no es válida."));
        return TerminalStore(tillConnection()).nextTicketNumber(bolAct, bolNumeracion_Continua, dtePOSFecha);
    });
}

} // namespace zqvr::terminals
