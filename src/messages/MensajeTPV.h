#pragma once
// One terminal message as the editor hands it to the manager: every field of
// TPV_Gestor_Mensajes but the key and the distribution marks, plus the path
// of a newly chosen picture. The editor's texts become a record only through
// Validar, which refuses what the terminals could not use.
#include "messages_export.h"
#include <QDate>
#include <QString>
#include <array>
#include <optional>

namespace zqvr::messages {

// The key of a message: numbers are counted per company and origin.
struct ZQVR_MESSAGES_EXPORT ClaveMensaje {
    int empresa = 0;
    int numero = 0;
    int origen = 0;
    bool operator==(const ClaveMensaje&) const = default;
};

struct ZQVR_MESSAGES_EXPORT MensajeTPV {
    QString Descripcion;
    QString Linea1;
    QString Linea2;
    int Color = 0; // OLE colour: red in the low byte
    QDate FechaInicial;
    QDate FechaFinal;
    int Cod_Mostrar = 0; // 0 before payment, 1 after
    int ModoMostrar = 0; // 0 repeat, 1 hide with a password
    int NumRepetir = 0;  // 0 = always
    bool MostrarImagen = false;
    int Usuario = 0;
    bool Horario1 = false;
    bool Horario2 = false;
    QString Hora1Ini = QStringLiteral("00:00");
    QString Hora1Fin = QStringLiteral("00:00");
    QString Hora2Ini = QStringLiteral("00:00");
    QString Hora2Fin = QStringLiteral("00:00");
    std::array<bool, 7> Dias{}; // L, M, X, J, V, S, D
    bool IntervaloTickets = false;
    bool IntervaloEuros = false;
    int IntervaloNumTickets = 0;
    double IntervaloMinEuros = 0;
    // A newly chosen picture file to store; "" keeps the stored one.
    QString RutaImagen;
};

// The editor's fields as typed.
struct ZQVR_MESSAGES_EXPORT CamposEditor {
    QString descripcion;
    QString linea1;
    QString linea2;
    int color = 0;
    QString fechaInicial; // "dd/mm/yyyy"
    QString fechaFinal;
    int codMostrar = 0;
    int modoMostrar = 0;
    QString numRepetir = QStringLiteral("0");
    bool mostrarImagen = false;
    bool hayImagenGuardada = false; // the message already has a picture
    QString ruta;                    // path of a newly chosen picture
    int usuario = 0;
    bool horario1 = false;
    bool horario2 = false;
    QString hora1Ini = QStringLiteral("00:00");
    QString hora1Fin = QStringLiteral("00:00");
    QString hora2Ini = QStringLiteral("00:00");
    QString hora2Fin = QStringLiteral("00:00");
    std::array<bool, 7> dias{};
    bool intervaloTickets = false;
    QString intervaloNumTickets = QStringLiteral("0");
    bool intervaloEuros = false;
    QString intervaloMinEuros = QStringLiteral("0");
};

// Why the editor refuses its fields: the message to show and the control
// that takes the focus.
struct ZQVR_MESSAGES_EXPORT Rechazo {
    QString mensaje;
    QString control;
};

// The longest text a message field keeps; the terminals show short lines.
constexpr int LongitudMaximaTexto = 255;
// Counts the terminals keep in 16-bit numbers.
constexpr int MaximoContador = 32767;

// Checks the fields in the editor's order; nothing when they are valid.
ZQVR_MESSAGES_EXPORT std::optional<Rechazo> Validar(const CamposEditor& c);
// The record the fields stand for; call after Validar found nothing.
ZQVR_MESSAGES_EXPORT MensajeTPV aMensaje(const CamposEditor& c);

// "hh:mm" with hours 00-23 and minutes 00-59 (a window never reaches 24:00).
ZQVR_MESSAGES_EXPORT bool esHoraValida(const QString& text);
// "dd/mm/yyyy" (also "d/m/yyyy") naming a real day.
ZQVR_MESSAGES_EXPORT QDate leerFecha(const QString& text);
// A number typed in the suite's notation ("12,5", "1.234,5"); nothing when it is not one.
ZQVR_MESSAGES_EXPORT std::optional<double> leerNumero(const QString& text);

// Texts the lists show.
ZQVR_MESSAGES_EXPORT QString textoOrigen(int origen);    // "Central" / "Varelko"
// How the user knows a message: "El mensaje con Código: 3 y Origen: Central".
ZQVR_MESSAGES_EXPORT QString nombreMensaje(const ClaveMensaje& clave);
ZQVR_MESSAGES_EXPORT QString textoMostrar(int codMostrar); // "Antes del Cobro" / "Después del Cobro"
ZQVR_MESSAGES_EXPORT QString textoModo(int modo);       // "Repetir" / "Contraseña"

} // namespace zqvr::messages
