// The layout editor on a large "9 x 4" configuration: 36 groups of 36 keys,
// every button with a picture. Opening the editor, switching to another
// group (its keys loaded and drawn) and moving a key, each next to the bare
// SQL the step runs on the same connection (the figure that matters is the
// ratio).
#include "BenchMain.h"
#include "db/Connection.h"
#include "db/Schema.h"
#include "frame/HostContext.h"
#include "host/Empresa.h"
#include "touchscreen/LayoutPlaces.h"
#include "touchscreen/frmGrpCfgPantalla.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

using namespace zqvr;

namespace {

constexpr int kCfg = 1;

struct Fixture {
    QTemporaryDir dir;
    std::unique_ptr<db::Connection> conn;
    host::Empresa empresa;

    Fixture()
    {
        conn = db::Connection::open("sqlite:" + dir.filePath("layout.db"));
        db::Schema::ensure(*conn);
        conn->execute("INSERT INTO TPV_CfgPantalla (Cod_Empresa, Cod_CfgPantalla, Descripcion, Tipo, Cod_GrupoDF)"
                      " VALUES (1, 1, 'Grande', 1, 1)");
        db::TransactionGuard tx(*conn);
        for (int a = 1; a <= 36 * 36; ++a)
            conn->execute(QStringLiteral("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion) VALUES (1, %1, "
                                         "'Articulo %1')").arg(a));
        for (int g = 0; g < 36; ++g) {
            conn->execute(QStringLiteral("INSERT INTO TPV_CfgPantalla_Grupos (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo,"
                                         " Posicion, Descripcion, BackColor, Imagen) VALUES (1, 1, %1, %2, 'Grupo %1',"
                                         " 255, ?)").arg(g + 1).arg(g),
                          {picture(g)});
            for (int k = 0; k < 36; ++k)
                conn->execute(QStringLiteral("INSERT INTO TPV_CfgPantalla_Grupos_Lineas (Cod_Empresa, Cod_CfgPantalla,"
                                             " Cod_Grupo, Posicion, Cod_Articulo, Imagen) VALUES (1, 1, %1, %2, %3, ?)")
                                  .arg(g + 1).arg(k).arg(g * 36 + k + 1),
                              {picture(g * 36 + k)});
        }
        tx.commit();
        frame::HostContext::instance().setEmpresa(&empresa);
        frame::HostContext::instance().setConexion(conn.get());
    }

    // A 60 x 60 picture as the picture saver stores it.
    static QByteArray picture(int seed)
    {
        QImage img(60, 60, QImage::Format_ARGB32);
        img.fill(QColor::fromHsv(seed * 37 % 360, 120, 230));
        QPainter p(&img);
        p.setBrush(QColor::fromHsv(seed * 53 % 360, 200, 120));
        p.drawEllipse(10 + seed % 10, 12, 36, 30);
        p.end();
        QByteArray bytes;
        QBuffer buf(&bytes);
        buf.open(QIODevice::WriteOnly);
        img.save(&buf, "PNG");
        return bytes;
    }

    // Reads every column of every row, as the editor's statements do.
    void drain(const QString& sql)
    {
        auto rs = conn->query(sql);
        while (!rs.eof()) {
            for (int i = 0; i < rs.fieldCount(); ++i)
                benchmark::DoNotOptimize(rs.value(i));
            rs.moveNext();
        }
    }
    QString groupsSql() const
    {
        return "SELECT g.*, IFNULL(p.Cod_GrupoDF,0) AS GDF FROM TPV_CfgPantalla_Grupos g LEFT JOIN TPV_CfgPantalla p"
               " ON p.Cod_Empresa = g.Cod_Empresa AND p.Cod_CFGPantalla=g.Cod_CFGPantalla AND p.Cod_GrupoDF ="
               " g.Cod_Grupo WHERE g.Cod_Empresa =1 AND g.Cod_CfgPantalla =1";
    }
    QString keysSql(int group) const
    {
        return QStringLiteral("SELECT a.Cod_Grupo, a.Cod_Articulo, a.Unidades, IFNULL(b.Descripcion,'') AS Descripcion,"
                              " a.Posicion, BackColor, ForeColor, TipoTexto, Texto, Imagen, Pesado, PathVinculo,"
                              " OrigenImagen FROM TPV_CfgPantalla_Grupos_Lineas a LEFT JOIN Articulos b ON"
                              " b.Cod_Empresa = 1 AND a.Cod_Articulo = b.Codigo WHERE a.Cod_Empresa =1 AND"
                              " a.Cod_CfgPantalla =1 AND a.Cod_Grupo =%1 ORDER BY a.Posicion ASC").arg(group);
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

std::unique_ptr<touchscreen::frmGrpCfgPantalla> openEditor()
{
    auto e = std::make_unique<touchscreen::frmGrpCfgPantalla>();
    e->setCodigo(kCfg);
    e->setTipo(touchscreen::Tipo9x4);
    e->setDescripcion("Grande");
    e->Cargar();
    return e;
}

void BM_OpenEditor(benchmark::State& state)
{
    fixture();
    for (auto _ : state) {
        auto e = openEditor();
        e->show();
        e->repaint();
        benchmark::DoNotOptimize(e.get());
    }
}
BENCHMARK(BM_OpenEditor)->Unit(benchmark::kMillisecond);

void BM_OpenEditor_BareSql(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        f.drain(f.groupsSql());
        f.drain(f.keysSql(1));
    }
}
BENCHMARK(BM_OpenEditor_BareSql)->Unit(benchmark::kMillisecond);

void BM_SwitchGroup(benchmark::State& state)
{
    fixture();
    auto e = openEditor();
    e->show();
    int g = 0;
    for (auto _ : state) {
        g = (g + 1) % 36;
        e->cmdRapido_Click(g);
        e->repaint();
    }
}
BENCHMARK(BM_SwitchGroup)->Unit(benchmark::kMillisecond);

void BM_SwitchGroup_BareSql(benchmark::State& state)
{
    Fixture& f = fixture();
    int g = 0;
    for (auto _ : state) {
        g = g % 36 + 1;
        f.drain(f.keysSql(g));
    }
}
BENCHMARK(BM_SwitchGroup_BareSql)->Unit(benchmark::kMillisecond);

void BM_MoveKey(benchmark::State& state)
{
    fixture();
    auto e = openEditor();
    e->show();
    bool forth = true;
    for (auto _ : state) {
        // First key after the last one, then back before the first.
        if (forth)
            e->MoverArticulo(0, 35, true);
        else
            e->MoverArticulo(35, 0, false);
        forth = !forth;
    }
}
BENCHMARK(BM_MoveKey)->Unit(benchmark::kMillisecond);

void BM_MoveKey_BareSql(benchmark::State& state)
{
    Fixture& f = fixture();
    bool forth = true;
    for (auto _ : state) {
        const QString scope = " AND Cod_Empresa = 1 AND Cod_CfgPantalla=1 AND Cod_Grupo = 2";
        db::TransactionGuard tx(*f.conn);
        f.conn->execute("UPDATE TPV_CfgPantalla_Grupos_Lineas SET  Posicion =99  WHERE Posicion = "
                        + QString::number(forth ? 0 : 35) + scope);
        f.conn->execute(QStringLiteral("UPDATE TPV_CfgPantalla_Grupos_Lineas SET  Posicion  =(Posicion %1)  WHERE "
                                       "Posicion<>99 AND Posicion BETWEEN 0 AND 35")
                            .arg(forth ? "- 1" : "+ 1")
                        + scope);
        f.conn->execute("UPDATE TPV_CfgPantalla_Grupos_Lineas SET  Posicion= " + QString::number(forth ? 35 : 0)
                        + " WHERE Posicion = 99" + scope);
        tx.commit();
        forth = !forth;
    }
}
BENCHMARK(BM_MoveKey_BareSql)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return zqvr::bench::runBenchmarks<QApplication>(argc, argv);
}
