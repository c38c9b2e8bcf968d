// The editor's refusals, checked as a table: each case breaks one rule of an
// otherwise valid message and expects the exact text and the control that
// takes the focus.
#include "messages/MensajeTPV.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace zqvr::messages;

namespace {

CamposEditor valido()
{
    CamposEditor c;
    c.descripcion = "Oferta de café";
    c.linea1 = "Hoy 2x1";
    c.fechaInicial = "01/12/2026";
    c.fechaFinal = "31/12/2026";
    c.numRepetir = "3";
    c.dias = {true, false, false, false, false, false, false};
    return c;
}

struct Caso {
    const char* nombre;
    std::function<void(CamposEditor&)> cambiar;
    const char* mensaje; // nullptr: accepted
    const char* control;
};

} // namespace

TEST(MessageValidation, EachRuleRefusesWithItsMessageAndFocus)
{
    QTemporaryDir dir;
    const QString existing = dir.filePath("foto.jpg");
    {
        QFile f(existing);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    const std::vector<Caso> casos = {
        {"valid as it is", [](CamposEditor&) {}, nullptr, nullptr},
        {"empty description", [](CamposEditor& c) { c.descripcion = "   "; }, "Se esperaba Descripción del Mensaje.", "txtDescripcion"},
        {"2,000 characters with quotes", [](CamposEditor& c) { c.descripcion = QString(2000, QChar('\'')); },
         "La Descripción no puede tener más de 255 caracteres.", "txtDescripcion"},
        {"long second line", [](CamposEditor& c) { c.linea2 = QString(256, QChar('a')); },
         "La Linea2 no puede tener más de 255 caracteres.", "txtLinea2"},
        {"quotes within the limit", [](CamposEditor& c) { c.linea1 = "L'Oréal \"nuevo\""; }, nullptr, nullptr},
        {"negative repetitions", [](CamposEditor& c) { c.numRepetir = "-1"; }, "Debe asociar un Número de Repeticiones válido.", "txtNumRepetir"},
        {"100000 repetitions", [](CamposEditor& c) { c.numRepetir = "100000"; }, "Debe asociar un Número de Repeticiones válido.", "txtNumRepetir"},
        {"repetitions not a number", [](CamposEditor& c) { c.numRepetir = "tres"; }, "Debe asociar un Número de Repeticiones válido.", "txtNumRepetir"},
        {"zero repetitions means always", [](CamposEditor& c) { c.numRepetir = "0"; }, nullptr, nullptr},
        {"negative repetitions in password mode", [](CamposEditor& c) { c.modoMostrar = 1; c.numRepetir = "-5"; }, nullptr, nullptr},
        {"start date missing", [](CamposEditor& c) { c.fechaInicial = "__/__/____"; }, "Se esperaba una fecha inicial válida.", "txtFechaInicial"},
        {"31 February", [](CamposEditor& c) { c.fechaFinal = "31/02/2026"; }, "Se esperaba una fecha final válida.", "txtFechaFinal"},
        {"dates reversed", [](CamposEditor& c) { c.fechaInicial = "02/12/2026"; c.fechaFinal = "01/12/2026"; },
         "La Fecha Final no puede ser inferior a la Inicial.", "txtFechaFinal"},
        {"one-day message", [](CamposEditor& c) { c.fechaFinal = c.fechaInicial; }, nullptr, nullptr},
        {"picture wanted, none", [](CamposEditor& c) { c.mostrarImagen = true; }, "Se esperaba una ruta de imagen.", "cmdExaminar"},
        {"picture wanted, stored one", [](CamposEditor& c) { c.mostrarImagen = true; c.hayImagenGuardada = true; }, nullptr, nullptr},
        {"picture path to nothing", [&](CamposEditor& c) { c.mostrarImagen = true; c.ruta = dir.filePath("no.jpg"); },
         "Se esperaba una ruta de imagen válida.", "cmdExaminar"},
        {"picture path to a folder", [&](CamposEditor& c) { c.mostrarImagen = true; c.ruta = dir.path(); },
         "Se esperaba una ruta de imagen válida.", "cmdExaminar"},
        {"picture path exists", [&](CamposEditor& c) { c.mostrarImagen = true; c.ruta = existing; }, nullptr, nullptr},
        {"window 1 ends at 24:00", [](CamposEditor& c) { c.horario1 = true; c.hora1Fin = "24:00"; },
         "Debe seleccionar un horario 1 de inicio y fin válido.", "txtHorario1Ini"},
        {"window 1 reversed", [](CamposEditor& c) { c.horario1 = true; c.hora1Ini = "14:00"; c.hora1Fin = "08:00"; },
         "El Horario 1 Inicial no puede ser superior al Final", "txtHorario1Ini"},
        {"window 1 of one minute", [](CamposEditor& c) { c.horario1 = true; c.hora1Ini = "09:30"; c.hora1Fin = "09:30"; }, nullptr, nullptr},
        {"window 1 off ignores its hours", [](CamposEditor& c) { c.hora1Ini = "99:99"; }, nullptr, nullptr},
        {"window 2 unfinished", [](CamposEditor& c) { c.horario2 = true; c.hora2Ini = "1_:__"; },
         "Debe seleccionar un horario 2 de inicio y fin válido.", "txtHorario2Ini"},
        {"window 2 reversed", [](CamposEditor& c) { c.horario2 = true; c.hora2Ini = "23:59"; c.hora2Fin = "23:58"; },
         "El Horario 2 Inicial no puede ser superior al Final", "txtHorario2Ini"},
        {"every 0 tickets", [](CamposEditor& c) { c.intervaloTickets = true; c.intervaloNumTickets = "0"; },
         "Debe seleccionar un número de tickets mayor a 0.", "txtIntervalosNumTickets"},
        {"every 40000 tickets", [](CamposEditor& c) { c.intervaloTickets = true; c.intervaloNumTickets = "40000"; },
         "El número de tickets no puede ser superior a 32767.", "txtIntervalosNumTickets"},
        {"amount 0", [](CamposEditor& c) { c.intervaloEuros = true; c.intervaloMinEuros = "0,00"; },
         "Debe seleccionar un importe mayor a 0.", "txtIntervalosMinEuros"},
        {"amount with decimal comma", [](CamposEditor& c) { c.intervaloEuros = true; c.intervaloMinEuros = "1.234,50"; }, nullptr, nullptr},
        {"no weekday", [](CamposEditor& c) { c.dias = {}; }, "Es necesario indicar el día de la semana", "chkL"},
        // The order of the checks: the first failing rule is the one reported.
        {"description before weekdays", [](CamposEditor& c) { c.dias = {}; c.descripcion.clear(); },
         "Se esperaba Descripción del Mensaje.", "txtDescripcion"},
        {"dates before windows", [](CamposEditor& c) { c.horario1 = true; c.hora1Ini = "x"; c.fechaFinal = ""; },
         "Se esperaba una fecha final válida.", "txtFechaFinal"},
    };
    for (const Caso& k : casos) {
        CamposEditor c = valido();
        k.cambiar(c);
        const std::optional<Rechazo> r = Validar(c);
        if (!k.mensaje) {
            EXPECT_FALSE(r.has_value()) << k.nombre << ": " << (r ? r->mensaje.toStdString() : "");
            continue;
        }
        ASSERT_TRUE(r.has_value()) << k.nombre;
        EXPECT_EQ(r->mensaje, QString::fromUtf8(k.mensaje)) << k.nombre;
        EXPECT_EQ(r->control, QString::fromUtf8(k.control)) << k.nombre;
    }
}

TEST(MessageValidation, AcceptedFieldsBecomeTheRecord)
{
    CamposEditor c = valido();
    c.modoMostrar = 1;
    c.numRepetir = "7"; // locked at 0 in password mode
    c.intervaloEuros = true;
    c.intervaloMinEuros = "1.234,5";
    c.horario2 = false;
    c.hora2Ini = "__:__";
    ASSERT_FALSE(Validar(c));
    const MensajeTPV m = aMensaje(c);
    EXPECT_EQ(m.FechaInicial, QDate(2026, 12, 1));
    EXPECT_EQ(m.FechaFinal, QDate(2026, 12, 31));
    EXPECT_EQ(m.NumRepetir, 0);
    EXPECT_DOUBLE_EQ(m.IntervaloMinEuros, 1234.5);
    EXPECT_EQ(m.Hora2Ini, "00:00");
}
