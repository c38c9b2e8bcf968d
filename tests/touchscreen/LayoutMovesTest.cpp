// Moving keys and groups by drag and drop: every move from every button to
// every button, on both pages and both grid types, checked against an
// independent model of the page, and moves broken at each statement.
#include "touchscreen/LayoutStore.h"

#include "support/FailingWrites.h"
#include "db/Error.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace zqvr::touchscreen;
using zqvr::test::FailingWrites;
using zqvr::test::TestDatabase;
using zqvr::test::snapshot;

namespace {

constexpr int Company = 1;
constexpr int Cfg = 5;

// The page as the user sees it: who sits on each button (0 = empty button).
struct PageModel {
    std::vector<int> who;
    void move(int f, int final)
    {
        const int item = who[f];
        who.erase(who.begin() + f);
        who.insert(who.begin() + final, item);
    }
    int indexOfItem(int item) const
    {
        for (size_t i = 0; i < who.size(); ++i)
            if (who[i] == item)
                return int(i);
        return -1;
    }
};

class LayoutMoves : public ::testing::TestWithParam<int> {
protected:
    int tipo() const { return GetParam(); }
    int n() const { return buttonCount(tipo()); }

    void SetUp() override
    {
        db.exec(QStringLiteral("INSERT INTO TPV_CfgPantalla (Cod_Empresa, Cod_CfgPantalla, Descripcion, Tipo) "
                               "VALUES (%1, %2, 'Barra', %3)").arg(Company).arg(Cfg).arg(tipo()));
        // A second configuration with the same numbers must never be touched.
        db.exec(QStringLiteral("INSERT INTO TPV_CfgPantalla (Cod_Empresa, Cod_CfgPantalla, Descripcion, Tipo) "
                               "VALUES (%1, 6, 'Terraza', %2)").arg(Company).arg(tipo()));
    }
    void addGroup(int cfg, int index, int id)
    {
        db.exec(QStringLiteral("INSERT INTO TPV_CfgPantalla_Grupos (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo, Posicion,"
                               " Descripcion) VALUES (%1, %2, %3, %4, 'G%5')")
                    .arg(Company).arg(cfg).arg(index + 1).arg(placeOf(tipo(), index)).arg(id));
    }
    void addKey(int cfg, int grupo, int index, int articulo)
    {
        db.exec(QStringLiteral("INSERT INTO TPV_CfgPantalla_Grupos_Lineas (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo,"
                               " Posicion, Cod_Articulo) VALUES (%1, %2, %3, %4, %5)")
                    .arg(Company).arg(cfg).arg(grupo).arg(placeOf(tipo(), index)).arg(articulo));
    }
    // Every fifth button is left empty so that moves also carry gaps along.
    PageModel keysModel(int base) const
    {
        PageModel m;
        for (int i = 0; i < n(); ++i)
            m.who.push_back(i % 5 == 3 ? 0 : base + i);
        return m;
    }
    PageModel fillKeys(int cfg, int grupo, int base)
    {
        PageModel m = keysModel(base);
        for (int i = 0; i < n(); ++i)
            if (m.who[i] != 0)
                addKey(cfg, grupo, i, m.who[i]);
        return m;
    }
    LayoutStore store() { return LayoutStore(db.conn(), Company, Cfg, tipo(), Company); }

    // The keys of a group as stored, checked against the model.
    void expectKeysMatch(const PageModel& m, int grupo, const QString& context)
    {
        std::map<int, int> byPlace;
        auto rs = db.conn().query(QStringLiteral("SELECT Posicion, Cod_Articulo FROM TPV_CfgPantalla_Grupos_Lineas "
                                                 "WHERE Cod_Empresa = 1 AND Cod_CfgPantalla = %1 AND Cod_Grupo = %2")
                                      .arg(Cfg).arg(grupo));
        int rows = 0;
        while (!rs.eof()) {
            ++rows;
            const int place = rs["Posicion"].toInt();
            ASSERT_EQ(byPlace.count(place), 0u) << "place " << place << " twice " << context.toStdString();
            byPlace[place] = rs["Cod_Articulo"].toInt();
            rs.moveNext();
        }
        int expectedRows = 0;
        for (int i = 0; i < n(); ++i) {
            if (m.who[i] == 0)
                continue;
            ++expectedRows;
            ASSERT_EQ(byPlace[placeOf(tipo(), i)], m.who[i]) << "index " << i << " " << context.toStdString();
        }
        ASSERT_EQ(rows, expectedRows) << context.toStdString();
    }

    TestDatabase db;
};

TEST_P(LayoutMoves, EveryKeyMoveEndsWhereThePageModelSays)
{
    PageModel page = fillKeys(Cfg, 2, 1000);
    fillKeys(Cfg, 3, 5000);
    fillKeys(6, 2, 9000);
    const QString otherGroup = snapshot(db, "TPV_CfgPantalla_Grupos_Lineas WHERE Cod_Grupo <> 2 OR Cod_CfgPantalla <> 5",
                                        "Cod_CfgPantalla, Cod_Grupo, Posicion");
    LayoutStore s = store();
    for (int f = 0; f < n(); ++f)
        for (int t = 0; t < n(); ++t)
            for (bool after : {false, true}) {
                const int final = finalIndex(f, t, after);
                s.moveKey(2, f, final);
                page.move(f, final);
                ASSERT_NO_FATAL_FAILURE(expectKeysMatch(page, 2, QStringLiteral("%1 -> %2 %3").arg(f).arg(t).arg(after)));
            }
    EXPECT_EQ(snapshot(db, "TPV_CfgPantalla_Grupos_Lineas WHERE Cod_Grupo <> 2 OR Cod_CfgPantalla <> 5",
                       "Cod_CfgPantalla, Cod_Grupo, Posicion"),
              otherGroup);
}

TEST_P(LayoutMoves, EveryGroupMoveTakesItsKeysAndTheDefaultAlong)
{
    PageModel page;
    for (int i = 0; i < n(); ++i) {
        const bool empty = i % 4 == 2;
        page.who.push_back(empty ? 0 : i + 1);
        if (empty)
            continue;
        addGroup(Cfg, i, i + 1);
        // Each group's keys carry its identity: article = identity * 100 + key index.
        for (int k = 0; k < 3; ++k)
            addKey(Cfg, i + 1, k * 2, (i + 1) * 100 + k);
    }
    addGroup(6, 0, 77);
    addKey(6, 1, 0, 7700);
    const int defaultId = 2; // the group on button 1
    db.exec(QStringLiteral("UPDATE TPV_CfgPantalla SET Cod_GrupoDF = 2 WHERE Cod_CfgPantalla = %1").arg(Cfg));
    const QString otherCfg = snapshot(db, "TPV_CfgPantalla_Grupos WHERE Cod_CfgPantalla = 6", "Cod_Grupo")
                             + snapshot(db, "TPV_CfgPantalla_Grupos_Lineas WHERE Cod_CfgPantalla = 6", "Posicion");

    LayoutStore s = store();
    for (int f = 0; f < n(); ++f)
        for (int t = 0; t < n(); ++t)
            for (bool after : {false, true}) {
                const int final = finalIndex(f, t, after);
                const int newDefault = s.moveGroup(f, final);
                page.move(f, final);
                const std::string ctx = QStringLiteral("%1 -> %2 %3").arg(f).arg(t).arg(after).toStdString();

                auto rs = db.conn().query(QStringLiteral("SELECT Cod_Grupo, Posicion, Descripcion FROM "
                                                         "TPV_CfgPantalla_Grupos WHERE Cod_CfgPantalla = %1").arg(Cfg));
                int groups = 0;
                while (!rs.eof()) {
                    ++groups;
                    const int id = rs["Descripcion"].toString().mid(1).toInt();
                    const int index = page.indexOfItem(id);
                    ASSERT_EQ(rs["Cod_Grupo"].toInt(), index + 1) << ctx;
                    ASSERT_EQ(rs["Posicion"].toInt(), placeOf(tipo(), index)) << ctx;
                    rs.moveNext();
                }
                ASSERT_EQ(groups, int(std::count_if(page.who.begin(), page.who.end(), [](int w) { return w; })));

                auto keys = db.conn().query(QStringLiteral("SELECT Cod_Grupo, Cod_Articulo FROM "
                                                           "TPV_CfgPantalla_Grupos_Lineas WHERE Cod_CfgPantalla = %1")
                                                .arg(Cfg));
                while (!keys.eof()) {
                    const int id = keys["Cod_Articulo"].toInt() / 100;
                    ASSERT_EQ(keys["Cod_Grupo"].toInt(), page.indexOfItem(id) + 1) << ctx;
                    keys.moveNext();
                }
                const int expectedDefault = page.indexOfItem(defaultId) + 1;
                ASSERT_EQ(newDefault, expectedDefault) << ctx;
                ASSERT_EQ(db.conn()
                              .scalar(QStringLiteral("SELECT Cod_GrupoDF FROM TPV_CfgPantalla WHERE Cod_CfgPantalla = %1")
                                          .arg(Cfg))
                              .toInt(),
                          expectedDefault)
                    << ctx;
            }
    EXPECT_EQ(snapshot(db, "TPV_CfgPantalla_Grupos WHERE Cod_CfgPantalla = 6", "Cod_Grupo")
                  + snapshot(db, "TPV_CfgPantalla_Grupos_Lineas WHERE Cod_CfgPantalla = 6", "Posicion"),
              otherCfg);
}

TEST_P(LayoutMoves, AKeyMoveBrokenAtAnyStatementLeavesTheKeysAsTheyWere)
{
    fillKeys(Cfg, 1, 100);
    FailingWrites failing(db, {"TPV_CfgPantalla_Grupos_Lineas"});
    const QString before = snapshot(db, "TPV_CfgPantalla_Grupos_Lineas", "Cod_Grupo, Posicion, Cod_Articulo");
    LayoutStore s = store();
    int broken = 0;
    for (int k = 1;; ++k) {
        failing.failAt(k);
        try {
            s.moveKey(1, 0, n() - 1);
        } catch (const zqvr::Error&) {
            ++broken;
            failing.off();
            ASSERT_EQ(snapshot(db, "TPV_CfgPantalla_Grupos_Lineas", "Cod_Grupo, Posicion, Cod_Articulo"), before)
                << "broken at row " << k;
            continue;
        }
        break;
    }
    // Park, shift and unpark each had their turn to fail.
    EXPECT_GE(broken, 3);
    failing.off();
    PageModel m = keysModel(100);
    m.move(0, n() - 1);
    ASSERT_NO_FATAL_FAILURE(expectKeysMatch(m, 1, "after the moves that failed"));
}

TEST_P(LayoutMoves, AGroupMoveBrokenAtAnyStatementLeavesGroupsKeysAndDefaultAsTheyWere)
{
    for (int i = 0; i < n(); i += 2) {
        addGroup(Cfg, i, i + 1);
        addKey(Cfg, i + 1, 0, i + 1);
    }
    db.exec(QStringLiteral("UPDATE TPV_CfgPantalla SET Cod_GrupoDF = 3 WHERE Cod_CfgPantalla = %1").arg(Cfg));
    FailingWrites failing(db, {"TPV_CfgPantalla_Grupos", "TPV_CfgPantalla_Grupos_Lineas", "TPV_CfgPantalla"});
    auto all = [&] {
        return snapshot(db, "TPV_CfgPantalla_Grupos", "Cod_Grupo, Posicion")
               + snapshot(db, "TPV_CfgPantalla_Grupos_Lineas", "Cod_Grupo, Posicion")
               + snapshot(db, "TPV_CfgPantalla", "Cod_CfgPantalla");
    };
    const QString before = all();
    LayoutStore s = store();
    int broken = 0;
    for (int k = 1;; ++k) {
        failing.failAt(k);
        try {
            s.moveGroup(n() - 2, 0);
        } catch (const zqvr::Error&) {
            ++broken;
            failing.off();
            ASSERT_EQ(all(), before) << "broken at row " << k;
            continue;
        }
        break;
    }
    // Six renumbering statements and the default group.
    EXPECT_GE(broken, 7);
    EXPECT_EQ(s.defaultGroup(), 4);
}

INSTANTIATE_TEST_SUITE_P(BothGridTypes, LayoutMoves, ::testing::Values(Tipo3x4, Tipo9x4),
                         [](const auto& info) { return info.param == Tipo3x4 ? "ThreeByFour" : "NineByFour"; });

} // namespace
