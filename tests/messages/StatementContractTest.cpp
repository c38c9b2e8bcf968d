// The terminals show the messages of TPV_Gestor_Mensajes and withdraw the
// ones listed in TPV_Gestor_Mensajes_Baja; the manager, the editor and the
// history send the system's statements, rendered for SQL Server.
#include "db/Error.h"
#include "messages/TerminalMessageStore.h"
#include "support/StatementContract.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::messages;
using db::Connection;

namespace {

template <typename F>
void rejected(F&& f)
{
    EXPECT_THROW(f(), zqvr::Error);
}

MensajeTPV oferta()
{
    MensajeTPV m;
    m.Descripcion = QStringLiteral("Oferta d'invierno");
    m.Linea1 = QStringLiteral("2x1");
    m.Color = 255;
    m.FechaInicial = QDate(2026, 12, 1);
    m.FechaFinal = QDate(2026, 12, 31);
    m.Cod_Mostrar = 1;
    m.NumRepetir = 3;
    m.Usuario = 4;
    m.Horario1 = true;
    m.Hora1Ini = QStringLiteral("09:00");
    m.Hora1Fin = QStringLiteral("13:00");
    m.Dias = {true, true, true, true, true, false, false};
    m.IntervaloEuros = true;
    m.IntervaloMinEuros = 20.5;
    return m;
}

const ClaveMensaje kMensaje{1, 5, 0};
const QString kWhere = QStringLiteral(" WHERE Cod_Empresa =1 AND Cod_Mensaje =5 AND Origen =0");

// The history's columns, each new value and the one before.
const QString kHistorico = QStringLiteral(
    "Descripcion, Linea1, Linea2, Color, FechaInicial, FechaFinal, NumRepetir, MostrarImagen, Cod_Mostrar,"
    " ModoMostrar, Horario1, Horario2, Hora1Ini, Hora1Fin, Hora2Ini, Hora2Fin, L, M, X, J, V, S, D,"
    " IntervaloTickets, IntervaloEuros, IntervaloNumTickets, IntervaloMinEuros");
const QString kHistoricoAnt = QStringLiteral(
    "Descripcion_Ant, Linea1_Ant, Linea2_Ant, Color_Ant, FechaInicial_Ant, FechaFinal_Ant, NumRepetir_Ant,"
    " MostrarImagen_Ant, Cod_Mostrar_Ant, ModoMostrar_Ant, Horario1_Ant, Horario2_Ant, Hora1Ini_Ant, Hora1Fin_Ant,"
    " Hora2Ini_Ant, Hora2Fin_Ant, L_Ant, M_Ant, X_Ant, J_Ant, V_Ant, S_Ant, D_Ant, IntervaloTickets_Ant,"
    " IntervaloEuros_Ant, IntervaloNumTickets_Ant, IntervaloMinEuros_Ant");
// The edited values in the history's column order.
const QString kValores = QStringLiteral(
    "'Oferta d''invierno', '2x1', '', 255, '01/12/2026', '31/12/2026', 3, 0, 1, 0, 1, 0, '09:00', '13:00',"
    " '00:00', '00:00', 1, 1, 1, 1, 1, 0, 0, 0, 1, 0, 20.5");

// The number is taken under the write lock, above every stored and every
// deleted message of the origin.
const QStringList kNextNumber = {
    "SELECT ISNULL(MAX(Cod_Mensaje), 0) AS Cod_Mensaje FROM TPV_Gestor_Mensajes WITH (UPDLOCK, HOLDLOCK)"
    " WHERE Cod_Empresa =1 AND Origen =0",
    "SELECT ISNULL(MAX(Cod_Mensaje), 0) AS Cod_Mensaje FROM TPV_Gestor_Mensajes_Baja WHERE Cod_Empresa =1"
    " AND Origen =0"};

const QString kInsertMensaje = QStringLiteral(
    "INSERT INTO TPV_Gestor_Mensajes(Cod_Empresa, Cod_Mensaje, Origen, Descripcion, FechaInicial, FechaFinal,"
    " Linea1, Linea2, Color, Cod_Mostrar, ModoMostrar, NumRepetir, MostrarImagen, Usuario, Horario1, Horario2,"
    " Hora1Ini, Hora1Fin, Hora2Ini, Hora2Fin, L, M, X, J, V, S, D, IntervaloTickets, IntervaloEuros,"
    " IntervaloNumTickets, IntervaloMinEuros)VALUES(1, 1, 0, 'Oferta d''invierno', '01/12/2026', '31/12/2026',"
    " '2x1', '', 255, 1, 0, 3, 0, 4, 1, 0, '09:00', '13:00', '00:00', '00:00', 1, 1, 1, 1, 1, 0, 0, 0, 1, 0,"
    " 20.5)");

} // namespace

TEST(StatementContract, TheMessageScreensSendTheSystemsStatements)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("oferta.png"));
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(picture));
    const QDate hoy(2026, 12, 6);
    const QString list = QStringLiteral(
        "SELECT gm.Cod_Mensaje, gm.Descripcion, gm.FechaInicial, gm.FechaFinal, gm.Cod_Mostrar, gm.Color, gm.Origen"
        " FROM TPV_Gestor_Mensajes gm WHERE gm.Cod_Empresa =1");

    test::expectStatements("messages", {
        // Within an origin the numbers come in order, so the list reads the same every time.
        {"list (in force and future)", [hoy](Connection& c) { TerminalMessageStore(c).list(1, FiltroFechas{}, hoy); },
         {list + " AND ((FechaInicial<='06/12/2026' AND FechaFinal>='06/12/2026') OR (FechaInicial>'06/12/2026'))"
                 " ORDER BY Origen DESC, Cod_Mensaje"}},
        {"list (ended)", [hoy](Connection& c) { TerminalMessageStore(c).list(1, {true, false, false}, hoy); },
         {list + " AND ((FechaFinal<'06/12/2026')) ORDER BY Origen DESC, Cod_Mensaje"}},
        {"list (all)", [hoy](Connection& c) { TerminalMessageStore(c).list(1, {false, false, false}, hoy); },
         {list + " ORDER BY Origen DESC, Cod_Mensaje"}},
        {"open in the editor (stops at the missing message)",
         [](Connection& c) { EXPECT_FALSE(TerminalMessageStore(c).load(kMensaje)); },
         {"SELECT Cod_Mensaje, Descripcion, FechaInicial, FechaFinal, Linea1, Linea2, Color, Cod_Mostrar,"
          " ModoMostrar, NumRepetir, MostrarImagen, Usuario, Horario1, Horario2, Hora1Ini, Hora1Fin, Hora2Ini,"
          " Hora2Fin, L, M, X, J, V, S, D, IntervaloTickets, IntervaloEuros, IntervaloNumTickets, IntervaloMinEuros"
          " FROM TPV_Gestor_Mensajes" + kWhere}},
        {"still there", [](Connection& c) { EXPECT_FALSE(TerminalMessageStore(c).exists(kMensaje)); },
         {"SELECT COUNT(*) FROM TPV_Gestor_Mensajes" + kWhere}},
        {"warehouses of a message", [](Connection& c) { TerminalMessageStore(c).warehouses(kMensaje); },
         {"SELECT Cod_Almacen FROM TPV_Gestor_Mensajes_Almacen" + kWhere + " ORDER BY Cod_Almacen"}},
        {"warehouse unchecked", [](Connection& c) { TerminalMessageStore(c).setWarehouse(kMensaje, 2, false); },
         {"DELETE FROM TPV_Gestor_Mensajes_Almacen" + kWhere + " AND Cod_Almacen =2"}},
        // A tick first checks that the message and the warehouse are still
        // there; the recorder has no message, so the tick stops at the first check.
        {"warehouse checked (stops at the missing message)",
         [](Connection& c) { rejected([&] { TerminalMessageStore(c).setWarehouse(kMensaje, 2, true); }); },
         {"SELECT COUNT(*) FROM TPV_Gestor_Mensajes" + kWhere}},
        {"next number", [](Connection& c) { EXPECT_EQ(TerminalMessageStore(c).nextNumber(1, 0), 1); }, kNextNumber},
        // The history row's identity is read right after its insert; the
        // recorder gives none, so the add stops there.
        {"add (stops at the history row's identity)",
         [](Connection& c) { rejected([&] { TerminalMessageStore(c).add(1, 0, 7, oferta()); }); },
         kNextNumber + QStringList{kInsertMensaje,
                                   "INSERT INTO TPV_Gestor_Mensajes_Historico(Cod_Empresa, Cod_Mensaje, Origen, Usuario,"
                                   " Operacion, " + kHistorico + ")VALUES(1, 1, 0, 7, 'A', " + kValores + ")",
                                   "SELECT ISNULL(SCOPE_IDENTITY(), 0) AS Id"}},
        {"add with a picture (stops at the picture's row)",
         [picture](Connection& c) {
             MensajeTPV m = oferta();
             m.RutaImagen = picture;
             rejected([&] { TerminalMessageStore(c).add(1, 0, 7, m); });
         },
         kNextNumber + QStringList{kInsertMensaje, "SELECT Imagen FROM TPV_Gestor_Mensajes WHERE Cod_Empresa =1"
                                                   " AND Cod_Mensaje =1 AND Origen =0"}},
        // The history row is filled from the stored row, so the recorder's
        // missing message ends the change at its first statement.
        {"change (stops at the missing message)",
         [](Connection& c) { rejected([&] { TerminalMessageStore(c).modify(kMensaje, 7, oferta()); }); },
         {"INSERT INTO TPV_Gestor_Mensajes_Historico(Cod_Empresa, Cod_Mensaje, Origen, Usuario, Operacion, " +
          kHistorico + ", " + kHistoricoAnt + ") SELECT Cod_Empresa, Cod_Mensaje, Origen, 7, 'M', " + kValores +
          ", " + kHistorico + " FROM TPV_Gestor_Mensajes" + kWhere}},
        {"duplicate (stops at the missing message)",
         [](Connection& c) { rejected([&] { TerminalMessageStore(c).duplicate({1, 5, 1}, 0, 7); }); },
         kNextNumber + QStringList{
             "INSERT INTO TPV_Gestor_Mensajes(Cod_Empresa, Cod_Mensaje, Origen, Imagen, Usuario, Descripcion,"
             " FechaInicial, FechaFinal, Linea1, Linea2, Color, Cod_Mostrar, ModoMostrar, NumRepetir, MostrarImagen,"
             " Horario1, Horario2, Hora1Ini, Hora1Fin, Hora2Ini, Hora2Fin, L, M, X, J, V, S, D, IntervaloTickets,"
             " IntervaloEuros, IntervaloNumTickets, IntervaloMinEuros) SELECT Cod_Empresa, 1, 0, Imagen, 7,"
             " Descripcion, FechaInicial, FechaFinal, Linea1, Linea2, Color, Cod_Mostrar, ModoMostrar, NumRepetir,"
             " MostrarImagen, Horario1, Horario2, Hora1Ini, Hora1Fin, Hora2Ini, Hora2Fin, L, M, X, J, V, S, D,"
             " IntervaloTickets, IntervaloEuros, IntervaloNumTickets, IntervaloMinEuros FROM TPV_Gestor_Mensajes"
             " WHERE Cod_Empresa =1 AND Cod_Mensaje =5 AND Origen =1"}},
        {"delete", [](Connection& c) { rejected([&] { TerminalMessageStore(c).remove(kMensaje); }); },
         {"DELETE FROM TPV_Gestor_Mensajes_Historico" + kWhere,
          "INSERT INTO TPV_Gestor_Mensajes_Baja (Cod_Empresa, Cod_Mensaje, Origen, Act) SELECT Cod_Empresa,"
          " Cod_Mensaje, Origen, 0 FROM TPV_Gestor_Mensajes" + kWhere,
          "DELETE FROM TPV_Gestor_Mensajes_Almacen" + kWhere, "DELETE FROM TPV_Gestor_Mensajes" + kWhere}},
        // Only the company being managed: another company's messages are
        // another office's business.
        {"closing check", [hoy](Connection& c) { EXPECT_FALSE(TerminalMessageStore(c).messageWithoutWarehouse(1, hoy)); },
         {"SELECT men.Cod_Empresa, men.Cod_Mensaje, men.Origen, COUNT(alm.Cod_Almacen) AS Existe"
          " FROM TPV_Gestor_Mensajes men LEFT JOIN TPV_Gestor_Mensajes_Almacen alm ON men.Cod_Empresa ="
          " alm.Cod_Empresa AND men.Cod_Mensaje = alm.Cod_Mensaje AND men.Origen = alm.Origen"
          " WHERE FechaFinal >= '06/12/2026' AND men.Cod_Empresa =1"
          " GROUP BY men.Cod_Empresa, men.Cod_Mensaje, men.Origen ORDER BY men.Origen DESC, men.Cod_Mensaje"}},
    });
}

TEST(StatementContract, TheMessageHistorySendsTheSystemsStatements)
{
    QString columns;
    for (const QString& f : kHistorico.split(QStringLiteral(", ")))
        columns += QStringLiteral(", h.%1_Ant, h.%1").arg(f);
    test::expectStatements("message history", {
        // Changes made within the same second keep the order they were made in.
        {"history of a message", [](Connection& c) { TerminalMessageStore(c).history(kMensaje); },
         {"SELECT h.Usuario, ISNULL(usu.Nombre, '') AS NombreUsuario, h.Fecha, h.Operacion, h.Id" + columns +
          " FROM TPV_Gestor_Mensajes_Historico h LEFT JOIN SGD_Usuarios usu ON usu.Codigo = h.Usuario"
          " WHERE h.Cod_Empresa =1 AND h.Cod_Mensaje =5 AND h.Origen =0 ORDER BY h.Fecha desc, h.Id desc"}},
        {"pictures of a history row", [](Connection& c) { TerminalMessageStore(c).historyPictures(12); },
         {"SELECT Imagen_Ant, Imagen FROM TPV_Gestor_Mensajes_Historico WHERE Id =12"}},
    });
}
