#include "messages/clsGestorMensajes.h"

#include "db/Error.h"

namespace zqvr::messages {

QString clsGestorMensajes::whereClave(const ClaveMensaje& clave) { return TerminalMessageStore::keyWhere(clave); }

std::vector<FilaMensaje> clsGestorMensajes::Cargar(int empresa, const FiltroFechas& filtro, const QDate& hoy)
{
    return reraiseAs(QStringLiteral("clsGestorMensajes::Cargar"),
                     [&] { return TerminalMessageStore(m_conn).list(empresa, filtro, hoy); });
}

std::optional<MensajeGuardado> clsGestorMensajes::Leer(const ClaveMensaje& clave)
{
    return reraiseAs(QStringLiteral("clsGestorMensajes::Leer"), [&] { return TerminalMessageStore(m_conn).load(clave); });
}

bool clsGestorMensajes::Existe(const ClaveMensaje& clave)
{
    return reraiseAs(QStringLiteral("clsGestorMensajes::Existe"), [&] { return TerminalMessageStore(m_conn).exists(clave); });
}

QList<int> clsGestorMensajes::Almacenes(const ClaveMensaje& clave)
{
    return reraiseAs(QStringLiteral("clsGestorMensajes::Almacenes"),
                     [&] { return TerminalMessageStore(m_conn).warehouses(clave); });
}

void clsGestorMensajes::AsignarAlmacen(const ClaveMensaje& clave, int almacen, bool asignado)
{
    reraiseAs(QStringLiteral("clsGestorMensajes::AsignarAlmacen"),
              [&] { TerminalMessageStore(m_conn).setWarehouse(clave, almacen, asignado); });
}

int clsGestorMensajes::Dev_Codigo(int empresa, int origen)
{
    return reraiseAs(QStringLiteral("clsGestorMensajes::Dev_Codigo"),
                     [&] { return TerminalMessageStore(m_conn).nextNumber(empresa, origen); });
}

int clsGestorMensajes::Agregar(int empresa, int origen, int usuario, const MensajeTPV& m)
{
    return reraiseAs(QStringLiteral("clsGestorMensajes::Agregar"),
                     [&] { return TerminalMessageStore(m_conn).add(empresa, origen, usuario, m); });
}

void clsGestorMensajes::Modificar(const ClaveMensaje& clave, int usuario, const MensajeTPV& m)
{
    reraiseAs(QStringLiteral("clsGestorMensajes::Modificar"), [&] { TerminalMessageStore(m_conn).modify(clave, usuario, m); });
}

int clsGestorMensajes::Duplicar(const ClaveMensaje& clave, int origenInstalacion, int usuario)
{
    return reraiseAs(QStringLiteral("clsGestorMensajes::Duplicar"),
                     [&] { return TerminalMessageStore(m_conn).duplicate(clave, origenInstalacion, usuario); });
}

void clsGestorMensajes::Eliminar(const ClaveMensaje& clave)
{
    reraiseAs(QStringLiteral("clsGestorMensajes::Eliminar"), [&] { TerminalMessageStore(m_conn).remove(clave); });
}

std::optional<ClaveMensaje> clsGestorMensajes::MensajeSinAlmacen(int empresa, const QDate& hoy)
{
    return reraiseAs(QStringLiteral("clsGestorMensajes::MensajeSinAlmacen"),
                     [&] { return TerminalMessageStore(m_conn).messageWithoutWarehouse(empresa, hoy); });
}

std::vector<FilaHistorico> clsGestorMensajes::Historico(const ClaveMensaje& clave)
{
    return reraiseAs(QStringLiteral("clsGestorMensajes::Historico"),
                     [&] { return TerminalMessageStore(m_conn).history(clave); });
}

std::pair<QByteArray, QByteArray> clsGestorMensajes::ImagenesHistorico(int id)
{
    return reraiseAs(QStringLiteral("clsGestorMensajes::ImagenesHistorico"),
                     [&] { return TerminalMessageStore(m_conn).historyPictures(id); });
}

} // namespace zqvr::messages
