#include "messages/MensajeTPV.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTime>
#include <cmath>

namespace zqvr::messages {

bool esHoraValida(const QString& text)
{
    static const QRegularExpression re(QStringLiteral(R"(^([01]\d|2[0-3]):[0-5]\d$)"));
    return re.match(text.trimmed()).hasMatch();
}

QDate leerFecha(const QString& text)
{
    static const QRegularExpression re(QStringLiteral(R"(^(\d{1,2})/(\d{1,2})/(\d{4})$)"));
    const QRegularExpressionMatch m = re.match(text.trimmed());
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
}

std::optional<double> leerNumero(const QString& text)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    // The suite writes thousands with "." and decimals with ",".
    if (t.contains(QLatin1Char(',')))
        t = t.remove(QLatin1Char('.')).replace(QLatin1Char(','), QLatin1Char('.'));
    static const QRegularExpression re(QStringLiteral(R"(^[+-]?\d+(\.\d+)?$)"));
    if (!re.match(t).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

namespace {

// A whole count within what the terminals keep; nothing when the text is not one.
std::optional<int> leerContador(const QString& text)
{
    const std::optional<double> v = leerNumero(text);
    if (!v || *v != std::floor(*v) || std::fabs(*v) > 1e9)
        return std::nullopt;
    return static_cast<int>(*v);
}

Rechazo rechazo(const char* text, const char* control)
{
    return {QString::fromUtf8(text), QString::fromUtf8(control)};
}

} // namespace

std::optional<Rechazo> Validar(const CamposEditor& c)
{
    if (c.descripcion.trimmed().isEmpty())
        return rechazo("Se esperaba Descripción del Mensaje.", "txtDescripcion");
    if (c.descripcion.size() > LongitudMaximaTexto)
        return Rechazo{QStringLiteral("La Descripción no puede tener más de %1 caracteres.").arg(LongitudMaximaTexto),
                       QStringLiteral("txtDescripcion")};
    if (c.linea1.size() > LongitudMaximaTexto)
        return Rechazo{QStringLiteral("La Linea1 no puede tener más de %1 caracteres.").arg(LongitudMaximaTexto),
                       QStringLiteral("txtLinea1")};
    if (c.linea2.size() > LongitudMaximaTexto)
        return Rechazo{QStringLiteral("La Linea2 no puede tener más de %1 caracteres.").arg(LongitudMaximaTexto),
                       QStringLiteral("txtLinea2")};
    if (c.modoMostrar == 0) {
        // Below 0, not a whole number, or more than the terminals can count.
        const std::optional<int> n = leerContador(c.numRepetir);
        if (!n || *n < 0 || *n > MaximoContador)
            return rechazo("Debe asociar un Número de Repeticiones válido.", "txtNumRepetir");
    }
    const QDate ini = leerFecha(c.fechaInicial);
    if (!ini.isValid())
        return rechazo("Se esperaba una fecha inicial válida.", "txtFechaInicial");
    const QDate fin = leerFecha(c.fechaFinal);
    if (!fin.isValid())
        return rechazo("Se esperaba una fecha final válida.", "txtFechaFinal");
    if (fin < ini)
        return rechazo("La Fecha Final no puede ser inferior a la Inicial.", "txtFechaFinal");
    if (c.mostrarImagen) {
        if (!c.hayImagenGuardada && c.ruta.trimmed().isEmpty())
            return rechazo("Se esperaba una ruta de imagen.", "cmdExaminar");
        if (!c.ruta.trimmed().isEmpty() && !QFileInfo(c.ruta.trimmed()).isFile())
            return rechazo("Se esperaba una ruta de imagen válida.", "cmdExaminar");
    }
    if (c.horario1) {
        if (!esHoraValida(c.hora1Ini) || !esHoraValida(c.hora1Fin))
            return rechazo("Debe seleccionar un horario 1 de inicio y fin válido.", "txtHorario1Ini");
        if (c.hora1Ini.trimmed() > c.hora1Fin.trimmed())
            return rechazo("El Horario 1 Inicial no puede ser superior al Final", "txtHorario1Ini");
    }
    if (c.horario2) {
        if (!esHoraValida(c.hora2Ini) || !esHoraValida(c.hora2Fin))
            return rechazo("Debe seleccionar un horario 2 de inicio y fin válido.", "txtHorario2Ini");
        if (c.hora2Ini.trimmed() > c.hora2Fin.trimmed())
            return rechazo("El Horario 2 Inicial no puede ser superior al Final", "txtHorario2Ini");
    }
    if (c.intervaloTickets) {
        const std::optional<int> n = leerContador(c.intervaloNumTickets);
        if (!n || *n <= 0)
            return rechazo("Debe seleccionar un número de tickets mayor a 0.", "txtIntervalosNumTickets");
        if (*n > MaximoContador)
            return Rechazo{QStringLiteral("El número de tickets no puede ser superior a %1.").arg(MaximoContador),
                           QStringLiteral("txtIntervalosNumTickets")};
    }
    if (c.intervaloEuros) {
        const std::optional<double> v = leerNumero(c.intervaloMinEuros);
        if (!v || *v <= 0)
            return rechazo("Debe seleccionar un importe mayor a 0.", "txtIntervalosMinEuros");
        if (*v > 922337203685477.0)
            return rechazo("El importe indicado es demasiado grande.", "txtIntervalosMinEuros");
    }
    bool algunDia = false;
    for (bool d : c.dias)
        algunDia = algunDia || d;
    if (!algunDia)
        return rechazo("Es necesario indicar el día de la semana", "chkL");
    return std::nullopt;
}

MensajeTPV aMensaje(const CamposEditor& c)
{
    MensajeTPV m;
    m.Descripcion = c.descripcion;
    m.Linea1 = c.linea1;
    m.Linea2 = c.linea2;
    m.Color = c.color;
    m.FechaInicial = leerFecha(c.fechaInicial);
    m.FechaFinal = leerFecha(c.fechaFinal);
    m.Cod_Mostrar = c.codMostrar;
    m.ModoMostrar = c.modoMostrar;
    m.NumRepetir = c.modoMostrar == 0 ? leerContador(c.numRepetir).value_or(0) : 0;
    m.MostrarImagen = c.mostrarImagen;
    m.Usuario = c.usuario;
    m.Horario1 = c.horario1;
    m.Horario2 = c.horario2;
    // Hours are kept as entered; a window that is off may hold an unfinished
    // text, which is stored as the fields start, "00:00".
    auto hora = [](const QString& h) { return esHoraValida(h) ? h.trimmed() : QStringLiteral("00:00"); };
    m.Hora1Ini = hora(c.hora1Ini);
    m.Hora1Fin = hora(c.hora1Fin);
    m.Hora2Ini = hora(c.hora2Ini);
    m.Hora2Fin = hora(c.hora2Fin);
    m.Dias = c.dias;
    m.IntervaloTickets = c.intervaloTickets;
    m.IntervaloEuros = c.intervaloEuros;
    m.IntervaloNumTickets = leerContador(c.intervaloNumTickets).value_or(0);
    m.IntervaloMinEuros = leerNumero(c.intervaloMinEuros).value_or(0);
    m.RutaImagen = c.ruta.trimmed();
    return m;
}

QString textoOrigen(int origen)
{
    return origen == 0 ? QStringLiteral("Central") : QStringLiteral("Varelko");
}

QString nombreMensaje(const ClaveMensaje& clave)
{
    return QStringLiteral("El mensaje con Código: %1 y Origen: %2").arg(clave.numero).arg(textoOrigen(clave.origen));
}

QString textoMostrar(int codMostrar)
{
    return codMostrar == 0 ? QStringLiteral("Antes del Cobro") : QStringLiteral("Después del Cobro");
}

QString textoModo(int modo)
{
    return modo == 0 ? QStringLiteral("Repetir") : QStringLiteral("Contraseña");
}

} // namespace zqvr::messages
