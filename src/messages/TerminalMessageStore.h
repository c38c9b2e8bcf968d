#pragma once
// The statements of the terminal messages: the list, the warehouses of a
// message, and the four operations that change messages. Each operation runs
// in one transaction and leaves its marks for the terminals: a history row
// with the values before and after, the reload marks Act..Act10 at 0 on a
// change, a TPV_Gestor_Mensajes_Baja row on a deletion; nothing of a failed
// operation stays. Failures are raised as Error; clsGestorMensajes keeps the
// system's interface over it and names the operation that failed.
#include "messages_export.h"
#include "messages/MensajeTPV.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace zqvr::db { class Connection; }

namespace zqvr::messages {

// Which messages the list shows, by their dates against today; none set lists them all.
struct ZQVR_MESSAGES_EXPORT FiltroFechas {
    bool caducadas = false; // ended before today
    bool presentes = true;  // in force today
    bool futuras = true;    // not yet started
};

struct ZQVR_MESSAGES_EXPORT FilaMensaje {
    int numero = 0;
    QString descripcion;
    QDate fechaInicial;
    QDate fechaFinal;
    int codMostrar = 0;
    int color = 0;
    int origen = 0;
};

// One change of a message as the history grid shows it: the 59 cell texts
// (user code and name, date, operation, 27 fields before and after, Id).
struct ZQVR_MESSAGES_EXPORT FilaHistorico {
    int id = 0;
    QString operacion;
    QStringList celdas;
    std::optional<int> colorAnterior; // the "Color" cells are painted, not written
    std::optional<int> colorNuevo;
};

// A stored message with whether it has a picture.
struct ZQVR_MESSAGES_EXPORT MensajeGuardado {
    MensajeTPV mensaje;
    QByteArray imagen;
};

// Raised when no next message number can be given (the counter is exhausted);
// the manager shows its text as information, not as a failure.
constexpr long ErrorNumeroMensaje = 50140;

class ZQVR_MESSAGES_EXPORT TerminalMessageStore {
public:
    explicit TerminalMessageStore(db::Connection& conn) : m_conn(conn) {}

    // The company's messages whose dates pass the filter, highest origin first.
    std::vector<FilaMensaje> list(int empresa, const FiltroFechas& filtro, const QDate& hoy);
    // The message with its picture; nothing when it does not exist (any more).
    std::optional<MensajeGuardado> load(const ClaveMensaje& clave);
    bool exists(const ClaveMensaje& clave);
    // The warehouses whose terminals show the message, in code order.
    QList<int> warehouses(const ClaveMensaje& clave);
    // Adds or removes one warehouse. Refused with a clear message when the
    // message or the warehouse no longer exists; adding a warehouse that is
    // already listed (checked by another user meanwhile) is not an error.
    void setWarehouse(const ClaveMensaje& clave, int almacen, bool asignado);

    // The number the next message of that company and origin would get:
    // above every stored message and every deleted one (TPV_Gestor_Mensajes_Baja).
    int nextNumber(int empresa, int origen);

    // Stores a new message of the installation's origin with its picture
    // (when m.RutaImagen names a file) and its history row "A"; returns its
    // number. The number is taken inside the transaction under the write
    // lock, so two users adding at once never get the same one.
    int add(int empresa, int origen, int usuario, const MensajeTPV& m);
    // Stores the edited values (and a newly chosen picture), writes the
    // history row "M" with the values before, resets the reload marks.
    void modify(const ClaveMensaje& clave, int usuario, const MensajeTPV& m);
    // Copies the message with its picture and warehouses under the next
    // number of the installation's origin, created by usuario, with a history
    // row "D"; returns the new number.
    int duplicate(const ClaveMensaje& clave, int origenInstalacion, int usuario);
    // Removes the message, its history and warehouses and leaves one
    // TPV_Gestor_Mensajes_Baja row (Act 0) for the terminals to withdraw it.
    void remove(const ClaveMensaje& clave);

    // The first message still in force (ending today or later) that has no
    // warehouse, which the manager does not let the user leave behind.
    std::optional<ClaveMensaje> messageWithoutWarehouse(int empresa, const QDate& hoy);

    // The history of a message, newest first.
    std::vector<FilaHistorico> history(const ClaveMensaje& clave);
    // The previous and the new picture of one history row.
    std::pair<QByteArray, QByteArray> historyPictures(int id);

    // " WHERE Cod_Empresa =.. AND Cod_Mensaje =.. AND Origen =..".
    static QString keyWhere(const ClaveMensaje& clave);

private:
    // operacion names the operation in the message raised when the numbers run out.
    int nextNumber(int empresa, int origen, const QString& operacion);
    int lastId();
    void storePicture(const QString& select, const QString& column, const QByteArray& bytes);
    QStringList literals(const MensajeTPV& m) const;

    db::Connection& m_conn;
};

} // namespace zqvr::messages
