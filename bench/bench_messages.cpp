// The message manager on a large installation: 10,000 messages of one
// company with 100,000 history rows in a file database.
//
//   ManagerList    the list as the manager fills it (statement + grid) next to
//                  the bare SELECT read through QSqlQuery on the same connection
//   OneChange      one change with every statement (history row with the
//                  values before, pictures, message, reload marks) next to the
//                  bare INSERT + UPDATE of the same rows in one transaction
#include "BenchMain.h"
#include "controls/Grid.h"
#include "db/Connection.h"
#include "db/Schema.h"
#include "frame/HostContext.h"
#include "host/Empresa.h"
#include "messages/clsGestorMensajes.h"
#include "messages/frmGestorMensajesTPV.h"

#include <QApplication>
#include <QCheckBox>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace zqvr;
using namespace zqvr::messages;

namespace {

constexpr int Messages = 10000;
constexpr int HistoryRows = 100000;
const QDate Today(2026, 12, 6);

struct Fixture {
    QTemporaryDir dir;
    std::unique_ptr<db::Connection> conn;
    host::Empresa empresa;

    Fixture()
    {
        conn = db::Connection::open("sqlite:" + dir.filePath("bench.db"));
        db::Schema::ensure(*conn);
        conn->execute("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (1, 1, 'Centro'), (1, 2, 'Puerto')");
        db::TransactionGuard g(*conn);
        QSqlQuery m(conn->database());
        m.prepare("INSERT INTO TPV_Gestor_Mensajes (Cod_Empresa, Cod_Mensaje, Origen, Descripcion, Linea1, Linea2, Color,"
                  " FechaInicial, FechaFinal, Cod_Mostrar, NumRepetir, L, M, X, Act) VALUES (1, ?, ?, ?, ?, ?, ?, ?, ?, ?, 3, 1, 1, 1, 1)");
        QSqlQuery w(conn->database());
        w.prepare("INSERT INTO TPV_Gestor_Mensajes_Almacen VALUES (1, ?, ?, 1)");
        for (int i = 1; i <= Messages; ++i) {
            const int origin = i % 4 == 0 ? 1 : 0;
            m.addBindValue(i);
            m.addBindValue(origin);
            m.addBindValue(QString("Mensaje número %1").arg(i));
            m.addBindValue("Primera línea del mensaje");
            m.addBindValue("Segunda línea");
            m.addBindValue(i * 977 % 0xFFFFFF);
            m.addBindValue(Today.addDays(i % 120 - 60).toString(Qt::ISODate));
            m.addBindValue(Today.addDays(i % 120 - 30).toString(Qt::ISODate));
            m.addBindValue(i % 2);
            m.exec();
            w.addBindValue(i);
            w.addBindValue(origin);
            w.exec();
        }
        QSqlQuery h(conn->database());
        h.prepare("INSERT INTO TPV_Gestor_Mensajes_Historico (Cod_Empresa, Cod_Mensaje, Origen, Usuario, Fecha, Operacion,"
                  " Descripcion, Descripcion_Ant, Linea1, Linea1_Ant, Color, Color_Ant) VALUES (1, ?, ?, 1, ?, ?, ?, ?, 'L', 'L', 1, 2)");
        for (int i = 0; i < HistoryRows; ++i) {
            const int number = i % Messages + 1;
            h.addBindValue(number);
            h.addBindValue(number % 4 == 0 ? 1 : 0);
            h.addBindValue(QString("2026-11-%1 10:%2:00").arg(1 + i % 28, 2, 10, QChar('0')).arg(i % 60, 2, 10, QChar('0')));
            h.addBindValue(i < Messages ? "A" : "M");
            h.addBindValue("Nuevo");
            h.addBindValue("Antes");
            h.exec();
        }
        g.commit();
        empresa.setCodigoEmpresa(1);
        frame::HostContext::instance().setEmpresa(&empresa);
        frame::HostContext::instance().setConexion(conn.get());
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void ManagerList(benchmark::State& state)
{
    Fixture& f = fixture();
    frmGestorMensajesTPV form;
    form.setHoy(Today);
    form.showForm(0);
    for (QCheckBox* c : form.findChildren<QCheckBox*>("chkVer"))
        c->setChecked(false); // every message
    auto* grid = form.findChild<controls::Grid*>("vsMensajes");
    for (auto _ : state) {
        // What a chkVer click runs: the statement, the grid, the selected row's warehouses.
        form.cargar();
        benchmark::DoNotOptimize(grid->Rows());
    }
    state.counters["rows"] = grid->Rows() - 1;
    form.unloadForm();
    (void)f;
}

void ManagerListBareSql(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        {
            QSqlQuery q(f.conn->database());
            q.setForwardOnly(true);
            q.exec("SELECT gm.Cod_Mensaje, gm.Descripcion, gm.FechaInicial, gm.FechaFinal, gm.Cod_Mostrar, gm.Color, gm.Origen"
                   " FROM TPV_Gestor_Mensajes gm WHERE gm.Cod_Empresa =1 ORDER BY Origen DESC, Cod_Mensaje");
            int n = 0;
            while (q.next()) {
                for (int c = 0; c < 7; ++c)
                    benchmark::DoNotOptimize(q.value(c));
                ++n;
            }
            benchmark::DoNotOptimize(n);
        }
    }
}

MensajeTPV edited(int i)
{
    MensajeTPV m;
    m.Descripcion = QString("Cambio %1").arg(i);
    m.Linea1 = "Nueva primera línea";
    m.FechaInicial = Today;
    m.FechaFinal = Today.addDays(10);
    m.Dias[0] = true;
    return m;
}

void OneChange(benchmark::State& state)
{
    Fixture& f = fixture();
    clsGestorMensajes store(*f.conn);
    int i = 0;
    for (auto _ : state)
        store.Modificar({1, 5001 + (i++ % 100) * 4 + 1, 0}, 1, edited(i));
}

void OneChangeBareSql(benchmark::State& state)
{
    Fixture& f = fixture();
    int i = 0;
    for (auto _ : state) {
        const int number = 5001 + (i++ % 100) * 4 + 1;
        db::TransactionGuard g(*f.conn);
        QSqlQuery h(f.conn->database());
        h.prepare("INSERT INTO TPV_Gestor_Mensajes_Historico (Cod_Empresa, Cod_Mensaje, Origen, Usuario, Operacion, Descripcion, Descripcion_Ant)"
                  " VALUES (1, ?, 0, 1, 'M', ?, 'x')");
        h.addBindValue(number);
        h.addBindValue(QString("Cambio %1").arg(i));
        h.exec();
        QSqlQuery u(f.conn->database());
        u.prepare("UPDATE TPV_Gestor_Mensajes SET Descripcion = ?, Act = 0 WHERE Cod_Empresa = 1 AND Cod_Mensaje = ? AND Origen = 0");
        u.addBindValue(QString("Cambio %1").arg(i));
        u.addBindValue(number);
        u.exec();
        g.commit();
    }
}

} // namespace

BENCHMARK(ManagerList)->Unit(benchmark::kMillisecond);
BENCHMARK(ManagerListBareSql)->Unit(benchmark::kMillisecond);
BENCHMARK(OneChange)->Unit(benchmark::kMillisecond);
BENCHMARK(OneChangeBareSql)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return zqvr::bench::runBenchmarks<QApplication>(argc, argv);
}
