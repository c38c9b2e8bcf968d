#pragma once
// The terminal messages as they are kept in the database: the list, the
// warehouses of a message, and the four operations that change messages.
// The statements are TerminalMessageStore's; this is the system's interface to them.
// Failures are re-raised as Error with the source
// "clsGestorMensajes::<operation>"; nothing of a failed operation stays.
#include "messages_export.h"
#include "messages/TerminalMessageStore.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <optional>
#include <utility>
#include <vector>

namespace zqvr::db { class Connection; }

namespace zqvr::messages {

// Each operation does what the TerminalMessageStore operation named beside it does.
class ZQVR_MESSAGES_EXPORT clsGestorMensajes {
public:
    explicit clsGestorMensajes(db::Connection& conn) : m_conn(conn) {}

    std::vector<FilaMensaje> Cargar(int empresa, const FiltroFechas& filtro, const QDate& hoy); // list
    std::optional<MensajeGuardado> Leer(const ClaveMensaje& clave);                           // load
    bool Existe(const ClaveMensaje& clave);                                                   // exists
    QList<int> Almacenes(const ClaveMensaje& clave);                                          // warehouses
    void AsignarAlmacen(const ClaveMensaje& clave, int almacen, bool asignado);               // setWarehouse
    int Dev_Codigo(int empresa, int origen);                                                  // nextNumber

    int Agregar(int empresa, int origen, int usuario, const MensajeTPV& m);       // add
    void Modificar(const ClaveMensaje& clave, int usuario, const MensajeTPV& m);  // modify
    int Duplicar(const ClaveMensaje& clave, int origenInstalacion, int usuario);  // duplicate
    void Eliminar(const ClaveMensaje& clave);                                     // remove

    std::optional<ClaveMensaje> MensajeSinAlmacen(int empresa, const QDate& hoy); // messageWithoutWarehouse
    std::vector<FilaHistorico> Historico(const ClaveMensaje& clave);              // history
    std::pair<QByteArray, QByteArray> ImagenesHistorico(int id);                  // historyPictures

    // " WHERE Cod_Empresa =.. AND Cod_Mensaje =.. AND Origen =..".
    static QString whereClave(const ClaveMensaje& clave);

private:
    db::Connection& m_conn;
};

} // namespace zqvr::messages
