// The message store: each operation checked in every table it touches, a
// failure at each of its writes leaving every table as it was, and message
// numbers handed out once even to two users adding at the same moment.
#include "db/Error.h"
#include "messages/clsGestorMensajes.h"
#include "support/FailingWrites.h"
#include "support/TestDatabase.h"

#include <QImage>
#include <QTemporaryDir>
#include <atomic>
#include <optional>
#include <gtest/gtest.h>
#include <set>
#include <thread>

using namespace zqvr;
using namespace zqvr::messages;
using test::TestDatabase;

namespace {

const QStringList kTables = {"TPV_Gestor_Mensajes", "TPV_Gestor_Mensajes_Almacen", "TPV_Gestor_Mensajes_Historico",
                             "TPV_Gestor_Mensajes_Baja"};

MensajeTPV mensaje(const QString& descripcion)
{
    MensajeTPV m;
    m.Descripcion = descripcion;
    m.Linea1 = "Primera línea";
    m.Linea2 = "Segunda";
    m.Color = 0x00C0FF;
    m.FechaInicial = QDate(2026, 12, 1);
    m.FechaFinal = QDate(2026, 12, 31);
    m.NumRepetir = 3;
    m.Usuario = 7;
    m.Horario1 = true;
    m.Hora1Ini = "08:00";
    m.Hora1Fin = "14:30";
    m.Dias = {true, true, false, false, true, false, false};
    m.IntervaloEuros = true;
    m.IntervaloMinEuros = 30.5;
    return m;
}

// Every row of the message tables as text, pictures included, so that two
// snapshots differ when anything at all was written.
QString snapshot(TestDatabase& db)
{
    QString out;
    for (const QString& t : kTables)
        out += t + "\n" + test::snapshot(db, t, "1, 2, 3, 4");
    return out;
}

class MessageStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.exec("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (1, 1, 'Centro'), (1, 2, 'Puerto'), (1, 3, 'Norte'), (2, 1, 'Otra')");
        db.exec("INSERT INTO SGD_Usuarios (Codigo, Nombre) VALUES (7, 'Ana'), (9, 'Luis')");
    }
    QString picture(const QString& name, int w, int h, Qt::GlobalColor colour)
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(colour);
        const QString path = dir.filePath(name);
        img.save(path, "PNG");
        return path;
    }
    QByteArray bytes(const QString& sql) { return db.conn().scalar(sql).toByteArray(); }

    // Makes the n-th row written to any message table fail (0: none fails).
    void armFailureAt(int n)
    {
        if (!failing)
            failing.emplace(db, kTables);
        failing->failAt(n);
    }
    // Runs op with a failure at each of its writes in turn: each failed run
    // must leave every table unchanged. Returns how many writes op makes.
    int failEachWrite(const std::function<void()>& op)
    {
        const QString before = snapshot(db);
        for (int n = 1; n < 100; ++n) {
            armFailureAt(n);
            try {
                op();
            } catch (const Error& e) {
                EXPECT_TRUE(e.description().contains("fallo provocado")) << e.description().toStdString();
                EXPECT_TRUE(e.source().startsWith("clsGestorMensajes::"));
                EXPECT_EQ(db.conn().transactionDepth(), 0);
                EXPECT_EQ(snapshot(db), before) << "write " << n;
                continue;
            }
            armFailureAt(0);
            return n - 1;
        }
        ADD_FAILURE() << "the operation never succeeded";
        return 0;
    }

    TestDatabase db{TestDatabase::File};
    QTemporaryDir dir;
    clsGestorMensajes store{db.conn()};
    std::optional<test::FailingWrites> failing;
};

} // namespace

TEST_F(MessageStore, AddStoresMessagePictureAndHistoryA)
{
    MensajeTPV m = mensaje("Cartel con 'comillas'");
    m.MostrarImagen = true;
    m.RutaImagen = picture("a.png", 40, 20, Qt::red);
    // An older history row of another message: the picture must go to the new row.
    db.exec("INSERT INTO TPV_Gestor_Mensajes_Historico (Cod_Empresa, Cod_Mensaje, Origen, Operacion) VALUES (1, 50, 3, 'A')");
    db.exec("INSERT INTO TPV_Gestor_Mensajes (Cod_Empresa, Cod_Mensaje, Origen, Descripcion) VALUES (1, 4, 0, 'x'), (1, 9, 2, 'y'), (2, 20, 0, 'z')");

    const int n = store.Agregar(1, 0, 9, m);
    EXPECT_EQ(n, 5); // highest of company 1, origin 0, plus one
    const auto saved = store.Leer({1, 5, 0});
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->mensaje.Descripcion, "Cartel con 'comillas'");
    EXPECT_EQ(saved->mensaje.FechaFinal, QDate(2026, 12, 31));
    EXPECT_EQ(saved->mensaje.Hora1Fin, "14:30");
    EXPECT_EQ(saved->mensaje.Dias, m.Dias);
    EXPECT_EQ(saved->mensaje.Usuario, 7);
    EXPECT_DOUBLE_EQ(saved->mensaje.IntervaloMinEuros, 30.5);
    const QByteArray png = QFile(m.RutaImagen).exists() ? [&] { QFile f(m.RutaImagen); f.open(QIODevice::ReadOnly); return f.readAll(); }() : QByteArray();
    EXPECT_EQ(saved->imagen, png);
    // New messages wait for distribution.
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes", "Cod_Mensaje = 5 AND Act = 0 AND Act10 = 0"), 1);

    auto rs = db.conn().query("SELECT * FROM TPV_Gestor_Mensajes_Historico WHERE Cod_Mensaje = 5");
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs["Operacion"].toString(), "A");
    EXPECT_EQ(rs["Usuario"].toInt(), 9);
    EXPECT_EQ(rs["Descripcion"].toString(), "Cartel con 'comillas'");
    EXPECT_EQ(rs["Hora1Ini"].toString(), "08:00");
    EXPECT_TRUE(rs["Descripcion_Ant"].isNull());
    EXPECT_TRUE(rs["Color_Ant"].isNull());
    EXPECT_EQ(rs["Imagen"].toByteArray(), png);
    rs.close();
    EXPECT_TRUE(bytes("SELECT Imagen FROM TPV_Gestor_Mensajes_Historico WHERE Cod_Mensaje = 50").isEmpty());
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes_Almacen"), 0);
}

TEST_F(MessageStore, ChangeKeepsBeforeValuesAndPicturesAndResetsTheReloadMarks)
{
    MensajeTPV m = mensaje("Original");
    m.RutaImagen = picture("old.png", 10, 10, Qt::blue);
    const int n = store.Agregar(1, 0, 7, m);
    store.AsignarAlmacen({1, n, 0}, 2, true);
    db.exec("UPDATE TPV_Gestor_Mensajes SET Act = 1, Act2 = 1, Act5 = 1, Act10 = 1");
    const QByteArray oldPng = bytes("SELECT Imagen FROM TPV_Gestor_Mensajes");

    MensajeTPV e = m;
    e.Descripcion = "Cambiado";
    e.FechaFinal = QDate(2027, 1, 15);
    e.Dias = {false, false, false, false, false, true, true};
    e.ModoMostrar = 1;
    e.NumRepetir = 0;
    e.RutaImagen = picture("new.png", 12, 6, Qt::yellow);
    store.Modificar({1, n, 0}, 9, e);

    EXPECT_EQ(db.count("TPV_Gestor_Mensajes", "Act + Act2 + Act3 + Act4 + Act5 + Act6 + Act7 + Act8 + Act9 + Act10 = 0"), 1);
    const auto saved = store.Leer({1, n, 0});
    EXPECT_EQ(saved->mensaje.Descripcion, "Cambiado");
    EXPECT_EQ(saved->mensaje.FechaFinal, QDate(2027, 1, 15));
    EXPECT_EQ(saved->mensaje.Usuario, 7); // the creator stays
    const QByteArray newPng = saved->imagen;
    EXPECT_NE(newPng, oldPng);

    auto rs = db.conn().query("SELECT * FROM TPV_Gestor_Mensajes_Historico WHERE Operacion = 'M'");
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs["Usuario"].toInt(), 9);
    EXPECT_EQ(rs["Descripcion_Ant"].toString(), "Original");
    EXPECT_EQ(rs["Descripcion"].toString(), "Cambiado");
    EXPECT_EQ(rs["FechaFinal_Ant"].toDate(), QDate(2026, 12, 31));
    EXPECT_EQ(rs["FechaFinal"].toDate(), QDate(2027, 1, 15));
    EXPECT_EQ(rs["ModoMostrar_Ant"].toInt(), 0);
    EXPECT_EQ(rs["ModoMostrar"].toInt(), 1);
    EXPECT_EQ(rs["L_Ant"].toInt(), 1);
    EXPECT_EQ(rs["L"].toInt(), 0);
    EXPECT_EQ(rs["Imagen_Ant"].toByteArray(), oldPng);
    EXPECT_EQ(rs["Imagen"].toByteArray(), newPng);
    rs.close();
    EXPECT_EQ(store.Almacenes({1, n, 0}), QList<int>{2});

    // Without a new picture the stored one stays and the history's new side is empty.
    e.Descripcion = "Otra vez";
    e.RutaImagen.clear();
    store.Modificar({1, n, 0}, 9, e);
    EXPECT_EQ(store.Leer({1, n, 0})->imagen, newPng);
    rs = db.conn().query("SELECT Imagen, Imagen_Ant FROM TPV_Gestor_Mensajes_Historico WHERE Descripcion = 'Otra vez'");
    EXPECT_TRUE(rs["Imagen"].toByteArray().isEmpty());
    EXPECT_EQ(rs["Imagen_Ant"].toByteArray(), newPng);
}

TEST_F(MessageStore, DuplicateCopiesPictureAndWarehousesUnderTheInstallationsOrigin)
{
    MensajeTPV m = mensaje("Para copiar");
    m.RutaImagen = picture("c.png", 8, 8, Qt::green);
    const int n = store.Agregar(1, 1, 7, m); // made by a shop
    store.AsignarAlmacen({1, n, 1}, 1, true);
    store.AsignarAlmacen({1, n, 1}, 3, true);
    db.exec("INSERT INTO TPV_Gestor_Mensajes (Cod_Empresa, Cod_Mensaje, Origen) VALUES (1, 4, 0)");

    const int copy = store.Duplicar({1, n, 1}, 0, 9);
    EXPECT_EQ(copy, 5);
    const auto saved = store.Leer({1, copy, 0});
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->mensaje.Descripcion, "Para copiar");
    EXPECT_EQ(saved->mensaje.Usuario, 9);
    EXPECT_EQ(saved->mensaje.Hora1Fin, "14:30");
    EXPECT_EQ(saved->imagen, store.Leer({1, n, 1})->imagen);
    EXPECT_EQ(store.Almacenes({1, copy, 0}), (QList<int>{1, 3}));
    EXPECT_EQ(store.Almacenes({1, n, 1}), (QList<int>{1, 3}));

    auto rs = db.conn().query("SELECT * FROM TPV_Gestor_Mensajes_Historico WHERE Operacion = 'D'");
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs["Cod_Mensaje"].toInt(), copy);
    EXPECT_EQ(rs["Origen"].toInt(), 0);
    EXPECT_EQ(rs["Usuario"].toInt(), 9);
    EXPECT_EQ(rs["Descripcion"].toString(), "Para copiar");
    EXPECT_EQ(rs["Descripcion_Ant"].toString(), "Para copiar");
    EXPECT_EQ(rs["IntervaloMinEuros_Ant"].toDouble(), 30.5);
    EXPECT_EQ(rs["Imagen"].toByteArray(), saved->imagen);
    EXPECT_EQ(rs["Imagen_Ant"].toByteArray(), saved->imagen);
}

TEST_F(MessageStore, DeleteLeavesOnlyOneWithdrawalMark)
{
    const int n = store.Agregar(1, 0, 7, mensaje("Se va"));
    const int other = store.Agregar(1, 0, 7, mensaje("Se queda"));
    store.AsignarAlmacen({1, n, 0}, 1, true);
    store.AsignarAlmacen({1, other, 0}, 1, true);
    store.Modificar({1, n, 0}, 7, mensaje("Se va ya"));

    store.Eliminar({1, n, 0});
    EXPECT_FALSE(store.Existe({1, n, 0}));
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes_Historico", QString("Cod_Mensaje = %1").arg(n)), 0);
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes_Almacen", QString("Cod_Mensaje = %1").arg(n)), 0);
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes_Baja"), 1);
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes_Baja", QString("Cod_Empresa = 1 AND Cod_Mensaje = %1 AND Origen = 0 AND Act = 0").arg(n)), 1);
    // The other message is untouched.
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes_Historico", QString("Cod_Mensaje = %1").arg(other)), 1);
    EXPECT_EQ(store.Almacenes({1, other, 0}), QList<int>{1});
}

// The highest message deleted leaves a withdrawal row the terminals may not
// have taken yet; a message added or duplicated afterwards takes a number of
// its own, so the terminals never withdraw it in the deleted one's place.
TEST_F(MessageStore, ADeletedMessagesNumberIsNeverGivenAgain)
{
    const int first = store.Agregar(1, 0, 7, mensaje("Primero"));
    const int last = store.Agregar(1, 0, 7, mensaje("Último"));
    store.Eliminar({1, last, 0});
    EXPECT_EQ(store.Dev_Codigo(1, 0), last + 1);
    const int added = store.Agregar(1, 0, 7, mensaje("Nuevo"));
    EXPECT_EQ(added, last + 1);
    // Also once the terminals took the withdrawal, and for a copy.
    db.exec("UPDATE TPV_Gestor_Mensajes_Baja SET Act = 1");
    store.Eliminar({1, added, 0});
    EXPECT_EQ(store.Duplicar({1, first, 0}, 0, 7), added + 1);
    // The withdrawal rows are left as they were, one per deleted message.
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes_Baja"), 2);
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes_Baja", QString("Cod_Mensaje = %1 AND Act = 0").arg(added)), 1);
    // Numbers count per company and origin: another origin starts at 1.
    EXPECT_EQ(store.Dev_Codigo(1, 1), 1);
    EXPECT_EQ(store.Dev_Codigo(2, 0), 1);
}

TEST_F(MessageStore, AFailureAtAnyWriteLeavesEveryTableUnchanged)
{
    MensajeTPV m = mensaje("Base");
    m.RutaImagen = picture("f.png", 10, 5, Qt::cyan);
    const int n = store.Agregar(1, 0, 7, m);
    store.AsignarAlmacen({1, n, 0}, 1, true);
    store.AsignarAlmacen({1, n, 0}, 2, true);
    MensajeTPV e = mensaje("Editado");
    e.RutaImagen = picture("g.png", 6, 6, Qt::magenta);

    // message, its picture, history row, history picture
    EXPECT_EQ(failEachWrite([&] { store.Agregar(1, 0, 7, m); }), 4);
    // history row, previous picture, new picture, message, message picture
    EXPECT_EQ(failEachWrite([&] { store.Modificar({1, n, 0}, 9, e); }), 5);
    // message, two warehouses, history row
    EXPECT_EQ(failEachWrite([&] { store.Duplicar({1, n, 0}, 0, 9); }), 4);
    // each history row, the withdrawal mark, two warehouses, the message
    const int historyRows = db.count("TPV_Gestor_Mensajes_Historico", QString("Cod_Mensaje = %1").arg(n));
    EXPECT_EQ(failEachWrite([&] { store.Eliminar({1, n, 0}); }), historyRows + 1 + 2 + 1);
    EXPECT_FALSE(store.Existe({1, n, 0}));
}

TEST_F(MessageStore, TwoUsersAddingAtOnceGetDistinctNumbers)
{
    const QString where = db.connectionString();
    // Four back offices on the server, 200 messages each.
    const int users = test::onServer() ? 4 : 2;
    const int perUser = test::onServer() ? 200 : 15;
    std::vector<int> numbers[4];
    std::atomic<int> failures{0};
    auto user = [&](int who) {
        try {
            auto c = db::Connection::open(where);
            clsGestorMensajes s(*c);
            for (int i = 0; i < perUser; ++i)
                numbers[who].push_back(s.Agregar(1, 0, who, mensaje(QString("Usuario %1, %2").arg(who).arg(i))));
        } catch (const Error& e) {
            ADD_FAILURE() << e.description().toStdString();
            ++failures;
        }
    };
    std::vector<std::thread> threads;
    for (int u = 0; u < users; ++u)
        threads.emplace_back(user, u);
    for (auto& t : threads)
        t.join();
    ASSERT_EQ(failures, 0);
    std::set<int> all;
    for (int u = 0; u < users; ++u)
        all.insert(numbers[u].begin(), numbers[u].end());
    EXPECT_EQ(all.size(), size_t(users * perUser));
    EXPECT_EQ(*all.rbegin(), users * perUser);
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes_Historico"), users * perUser);
}

TEST_F(MessageStore, WorkOnAMessageDeletedMeanwhileIsRefusedClearly)
{
    const int n = store.Agregar(1, 0, 7, mensaje("Borrado por otro"));
    auto other = db.openAnother();
    clsGestorMensajes(*other).Eliminar({1, n, 0});
    const QString before = snapshot(db);
    for (const auto& op : std::vector<std::function<void()>>{
             [&] { store.Modificar({1, n, 0}, 7, mensaje("x")); },
             [&] { store.Duplicar({1, n, 0}, 0, 7); },
             [&] { store.Eliminar({1, n, 0}); },
             [&] { store.AsignarAlmacen({1, n, 0}, 1, true); }}) {
        try {
            op();
            ADD_FAILURE() << "accepted";
        } catch (const Error& e) {
            EXPECT_EQ(e.description(), QString("El mensaje con Código: %1 y Origen: Central ya no existe: otro usuario lo ha eliminado.").arg(n));
        }
        EXPECT_EQ(snapshot(db), before);
    }
}

TEST_F(MessageStore, WarehouseChecksFollowTheListAndRefuseAVanishedWarehouse)
{
    const ClaveMensaje k{1, store.Agregar(1, 0, 7, mensaje("Almacenes")), 0};
    store.AsignarAlmacen(k, 3, true);
    store.AsignarAlmacen(k, 1, true);
    store.AsignarAlmacen(k, 1, true); // checked by someone else already
    EXPECT_EQ(store.Almacenes(k), (QList<int>{1, 3}));
    store.AsignarAlmacen(k, 3, false);
    EXPECT_EQ(store.Almacenes(k), QList<int>{1});

    db.exec("DELETE FROM Almacenes WHERE Cod_Empresa = 1 AND Codigo = 2");
    try {
        store.AsignarAlmacen(k, 2, true);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.description(), "El almacén 2 ya no existe.");
    }
    EXPECT_EQ(store.Almacenes(k), QList<int>{1});
}

TEST_F(MessageStore, ListFiltersByDatesAgainstToday)
{
    const QDate today(2026, 12, 6);
    auto add = [&](const char* name, QDate from, QDate to, int origin) {
        MensajeTPV m = mensaje(name);
        m.FechaInicial = from;
        m.FechaFinal = to;
        return store.Agregar(1, origin, 7, m);
    };
    add("ended", today.addDays(-10), today.addDays(-1), 0);
    add("ends today", today.addDays(-10), today, 0);
    add("starts today", today, today.addDays(3), 1);
    add("future", today.addDays(1), today.addDays(3), 0);
    db.exec("INSERT INTO TPV_Gestor_Mensajes (Cod_Empresa, Cod_Mensaje, Origen, Descripcion, FechaInicial, FechaFinal) VALUES (2, 1, 0, 'other company', '2026-12-01', '2026-12-31')");
    auto names = [&](FiltroFechas f) {
        QStringList out;
        for (const FilaMensaje& r : store.Cargar(1, f, today))
            out << r.descripcion;
        return out;
    };
    EXPECT_EQ(names({false, true, true}), (QStringList{"starts today", "ends today", "future"}));
    EXPECT_EQ(names({true, false, false}), QStringList{"ended"});
    EXPECT_EQ(names({false, true, false}), (QStringList{"starts today", "ends today"}));
    EXPECT_EQ(names({false, false, false}), (QStringList{"starts today", "ended", "ends today", "future"}));
    const FilaMensaje first = store.Cargar(1, {false, false, false}, today).front();
    EXPECT_EQ(first.origen, 1);
    EXPECT_EQ(first.fechaInicial, today);
    EXPECT_EQ(first.color, 0x00C0FF);
}

TEST_F(MessageStore, ClosingCheckFindsACurrentMessageWithoutWarehouse)
{
    const QDate today(2026, 12, 6);
    MensajeTPV ended = mensaje("ended");
    ended.FechaInicial = today.addDays(-5);
    ended.FechaFinal = today.addDays(-1);
    store.Agregar(1, 0, 7, ended); // past messages need no warehouse
    EXPECT_FALSE(store.MensajeSinAlmacen(1, today));

    MensajeTPV endsToday = mensaje("ends today");
    endsToday.FechaInicial = today.addDays(-5);
    endsToday.FechaFinal = today;
    const int n = store.Agregar(1, 2, 7, endsToday);
    const auto missing = store.MensajeSinAlmacen(1, today);
    ASSERT_TRUE(missing);
    EXPECT_EQ(*missing, (ClaveMensaje{1, n, 2}));
    store.AsignarAlmacen({1, n, 2}, 1, true);
    EXPECT_FALSE(store.MensajeSinAlmacen(1, today));
    // Another company's messages are that company's business.
    db.exec("INSERT INTO TPV_Gestor_Mensajes (Cod_Empresa, Cod_Mensaje, Origen, FechaInicial, FechaFinal) VALUES (2, 1, 0, '2026-12-01', '2026-12-31')");
    EXPECT_FALSE(store.MensajeSinAlmacen(1, today));
}

TEST_F(MessageStore, HistoryRowsShowBeforeAndAfterNewestFirst)
{
    MensajeTPV m = mensaje("Primero");
    const int n = store.Agregar(1, 0, 7, m);
    MensajeTPV e = m;
    e.Descripcion = "Segundo";
    e.Cod_Mostrar = 1;
    e.Color = 255;
    e.Dias[0] = false;
    store.Modificar({1, n, 0}, 9, e);
    db.exec("UPDATE TPV_Gestor_Mensajes_Historico SET Usuario = 99 WHERE Operacion = 'M'"); // a user since removed

    const auto rows = store.Historico({1, n, 0});
    ASSERT_EQ(rows.size(), 2u);
    const FilaHistorico& mod = rows[0];
    const FilaHistorico& add = rows[1];
    ASSERT_EQ(mod.celdas.size(), 59);
    EXPECT_EQ(mod.operacion, "M");
    EXPECT_EQ(mod.celdas[0], "99");
    EXPECT_EQ(mod.celdas[1], "");
    EXPECT_EQ(mod.celdas[4], "Primero");
    EXPECT_EQ(mod.celdas[5], "Segundo");
    EXPECT_EQ(mod.celdas[10], "") << "colour cells carry no text";
    EXPECT_EQ(*mod.colorAnterior, 0x00C0FF);
    EXPECT_EQ(*mod.colorNuevo, 255);
    EXPECT_EQ(mod.celdas[12], "01/12/2026");
    EXPECT_EQ(mod.celdas[20], "Antes del Cobro");
    EXPECT_EQ(mod.celdas[21], "Después del Cobro");
    EXPECT_EQ(mod.celdas[22], "Repetir");
    EXPECT_EQ(mod.celdas[24], "X"); // H1 before
    EXPECT_EQ(mod.celdas[26], "");  // H2 before: off
    EXPECT_EQ(mod.celdas[28], "08:00");
    EXPECT_EQ(mod.celdas[31], "14:30");
    EXPECT_EQ(mod.celdas[36], "X"); // L before
    EXPECT_EQ(mod.celdas[37], "");  // L after
    EXPECT_EQ(mod.celdas[57], "30,50");
    EXPECT_EQ(mod.celdas[58], QString::number(mod.id));

    EXPECT_EQ(add.operacion, "A");
    EXPECT_EQ(add.celdas[1], "Ana");
    EXPECT_EQ(add.celdas[4], "") << "an addition has no before values";
    EXPECT_EQ(add.celdas[5], "Primero");
    EXPECT_FALSE(add.colorAnterior);
    EXPECT_EQ(add.celdas[56], "");
    EXPECT_EQ(add.celdas[57], "30,50");
}
