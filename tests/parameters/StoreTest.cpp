// The parameter store against a fresh database: scopes saved and read back,
// the clean-up of vanished terminals, the copy of the general set, and each
// multi-statement write failing at every statement in turn.
#include "db/Connection.h"
#include "parameters/ParameterStore.h"
#include "support/FailingTrigger.h"
#include "support/FailingWrites.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::parameters;
using zqvr::test::dropFailingTrigger;
using zqvr::test::failingTrigger;

namespace {

// What differs between two states, for the failure message.
std::string differences(const ScopeValues& a, const ScopeValues& b)
{
    QStringList out;
    for (const CatalogueEntry& e : catalogue())
        if (!(a.value(e.code) == b.value(e.code)))
            out << QStringLiteral("%1: %2/'%3' vs %4/'%5'")
                       .arg(e.code)
                       .arg(a.value(e.code).n)
                       .arg(a.value(e.code).text)
                       .arg(b.value(e.code).n)
                       .arg(b.value(e.code).text);
    if (a.keys != b.keys)
        out << QStringLiteral("keys");
    if (a.scales != b.scales)
        out << QStringLiteral("scales");
    if (a.hidden545 != b.hidden545)
        out << QStringLiteral("545");
    return out.join(QStringLiteral("; ")).toStdString();
}

class Store : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.exec("INSERT INTO TPVs (Codigo, Descripcion, Empresa, Almacen) VALUES (1, 'Caja 1', 1, 1), (2, 'Caja 2', 1, 1),"
                " (3, 'Caja 3', 1, 2)");
    }

    // Every setting away from its reset state, with quotes where text goes.
    static ScopeValues filled()
    {
        ScopeValues v;
        v.setEntries(403, {{QStringLiteral("---"), 0}, {QStringLiteral("Gondola"), 4}});
        v.setEntries(535, {{QStringLiteral("Estipulado"), -1}, {QStringLiteral("7 %"), 2}});
        for (const CatalogueEntry& e : catalogue()) {
            SettingValue& s = v.value(e.code);
            const QList<ListEntry>& list = v.entries(e.code);
            switch (e.kind) {
            case Kind::Check: case Kind::PlainCheck: case Kind::ClaveEntry: s.n = 1; break;
            case Kind::ComboIndex: case Kind::ComboData: s.n = list.size() - 1; break;
            case Kind::Number: s.text = QString::number(e.code) + QStringLiteral(",5"); break; // as the field shows it
            case Kind::Text: s.text = QStringLiteral("l'%1 \"x\"").arg(e.code); break;
            case Kind::Picker: s.n = e.code * 3; break;
            case Kind::ListBits: case Kind::CheckBits: {
                QList<int> bits;
                for (const ListEntry& x : list)
                    s.n |= e.kind == Kind::ListBits ? (qint64(1) << x.data) : x.data;
                break;
            }
            case Kind::Link: s.n = 65 + e.index; s.text = QStringLiteral("/opt/it's/prog%1").arg(e.index); break;
            default: break;
            }
        }
        // In code order: a scope's rows come back in the order of their codes.
        v.keys = {{3, 65, 2, 0, false}, {10, 113, 1, 0x00a000, true}};
        v.scales = {{QStringLiteral("20"), 1}, {QStringLiteral("28"), 6}};
        v.hidden545 = true;
        return v;
    }

    ScopeValues reload(int almacen, int tpv)
    {
        ScopeValues v;
        v.setEntries(403, {{QStringLiteral("---"), 0}, {QStringLiteral("Gondola"), 4}});
        v.setEntries(535, {{QStringLiteral("Estipulado"), -1}, {QStringLiteral("7 %"), 2}});
        v.load(store.load(almacen, tpv));
        return v;
    }

    // Every row of both tables, in key order, as text: equal dumps are equal tables.
    QStringList dump()
    {
        QStringList out;
        for (const char* sql : {"SELECT Cod_Empresa, Cod_Almacen, 0, Codigo, Valor, Visible, Posicion, Color, Valor2"
                                " FROM Tpv_Parametros ORDER BY 1, 2, 4",
                                "SELECT Cod_Empresa, Cod_Almacen, Cod_Tpv, Codigo, Valor, Visible, Posicion, Color, Valor2"
                                " FROM Tpv_Parametros_Ex ORDER BY 1, 2, 3, 4"}) {
            db::RecordSet rs = db.conn().query(QString::fromLatin1(sql));
            while (!rs.eof()) {
                QStringList f;
                for (int i = 0; i < rs.fieldCount(); ++i)
                    f << rs.value(i).variant().toString();
                out << f.join(QLatin1Char('|'));
                rs.moveNext();
            }
        }
        return out;
    }

    // Makes the n-th row written to a parameter table fail.
    void failAtWrite(int n) { faults.failAt(n); }
    void noFaults() { faults.off(); }

    test::TestDatabase db;
    test::FailingWrites faults{db, {"Tpv_Parametros", "Tpv_Parametros_Ex"}};
    ParameterStore store{db.conn(), 1};
};

} // namespace

TEST_F(Store, StatementsHaveTheTextTheTerminalsSuiteExpects)
{
    EXPECT_EQ(store.selectScope(2, 0), QStringLiteral("SELECT * FROM TPV_Parametros WHERE Cod_Empresa =1 AND Cod_Almacen =2"));
    EXPECT_EQ(store.selectScope(2, 5),
              QStringLiteral("SELECT * FROM TPV_Parametros_Ex WHERE Cod_Empresa =1 AND Cod_Almacen =2 AND Cod_Tpv=5"));
    ScopeValues v;
    v.load({});
    v.keys = {{10, 113, 4, 255, true}};
    v.value(100).text = QStringLiteral("D'Alba");
    const QStringList general = store.saveStatements(2, 0, v);
    EXPECT_EQ(general[0], QStringLiteral("DELETE FROM Tpv_Parametros WHERE Cod_Empresa =1 AND Cod_Almacen =2"));
    EXPECT_EQ(general[1], QStringLiteral("INSERT INTO Tpv_Parametros (Cod_Empresa, Cod_Almacen, Codigo,  Valor, Visible, "
                                         "Posicion, Color) VALUES (1, 2, 10, '113', 1, 4, 255)"));
    EXPECT_EQ(general[2], QStringLiteral("INSERT INTO Tpv_Parametros (Cod_Empresa, Cod_Almacen, Codigo,  Valor) VALUES (1, 2, 52, '0')"));
    EXPECT_TRUE(general.contains(QStringLiteral(
        "INSERT INTO Tpv_Parametros (Cod_Empresa, Cod_Almacen, Codigo,  Valor) VALUES (1, 2, 100, 'D''Alba')")));
    EXPECT_EQ(general.size(), 1 + 1 + 277);
    const QStringList terminal = store.saveStatements(2, 5, v);
    EXPECT_EQ(terminal[0], QStringLiteral("DELETE FROM Tpv_Parametros_Ex WHERE Cod_Empresa =1 AND Cod_Almacen =2 AND Cod_Tpv =5"));
    EXPECT_EQ(terminal[2], QStringLiteral("INSERT INTO Tpv_Parametros_Ex (Cod_Empresa, Cod_Almacen, Codigo,  Cod_Tpv, Valor) "
                                          "VALUES (1, 2, 52, 5,'0')"));
}

TEST_F(Store, EverySettingSavedIsReadBackAsItWas)
{
    const ScopeValues v = filled();
    store.save(1, 0, v);
    EXPECT_TRUE(reload(1, 0) == v) << differences(reload(1, 0), v);
    store.save(1, 2, v);
    EXPECT_TRUE(reload(1, 2) == v) << differences(reload(1, 2), v);
    EXPECT_EQ(db.count("Tpv_Parametros", "Codigo BETWEEN 300 AND 320"), 2);
    EXPECT_EQ(db.conn().scalar("SELECT Valor2 FROM Tpv_Parametros WHERE Codigo = 301").toString(), QStringLiteral("6"));
    EXPECT_EQ(db.conn().scalar("SELECT Valor FROM Tpv_Parametros WHERE Codigo = 56").toString(), QStringLiteral("95"));
    EXPECT_EQ(db.conn().scalar("SELECT Valor FROM Tpv_Parametros WHERE Codigo = 353").toString(), QStringLiteral("353.5"));
    EXPECT_EQ(db.conn().scalar("SELECT Valor2 FROM Tpv_Parametros WHERE Codigo = 437").toString(),
              QStringLiteral("/opt/it's/prog2"));
}

TEST_F(Store, SavingDropsUnusedCodesAndKeepsTheHiddenOne)
{
    for (int code : {215, 216, 387, 453, 454, 467, 510, 517, 539})
        db.exec(QStringLiteral("INSERT INTO Tpv_Parametros (Cod_Empresa, Cod_Almacen, Codigo, Valor) VALUES (1, 1, %1, '1')").arg(code));
    db.exec("INSERT INTO Tpv_Parametros (Cod_Empresa, Cod_Almacen, Codigo, Valor) VALUES (1, 1, 545, '1')");
    ScopeValues v;
    v.load(store.load(1, 0));
    store.save(1, 0, v);
    EXPECT_EQ(db.count("Tpv_Parametros", "Codigo IN (215, 216, 387, 453, 454, 467, 510, 517, 539)"), 0);
    EXPECT_EQ(db.conn().scalar("SELECT Valor FROM Tpv_Parametros WHERE Codigo = 545").toString(), QStringLiteral("1"));
    EXPECT_EQ(db.count("Tpv_Parametros"), 277);
}

TEST_F(Store, AScopeIsWrittenWithoutTouchingTheOtherScopes)
{
    store.save(1, 0, filled());
    store.save(2, 0, filled());
    const QStringList before = dump();
    ScopeValues terminal;
    terminal.load({});
    terminal.value(100).text = QStringLiteral("solo la caja 1");
    store.save(1, 1, terminal);
    QStringList after = dump();
    after.erase(std::remove_if(after.begin(), after.end(), [](const QString& r) { return r.startsWith(QLatin1String("1|1|1|")); }),
                after.end());
    EXPECT_EQ(after, before);
    EXPECT_EQ(reload(1, 1).value(100).text, QStringLiteral("solo la caja 1"));
    EXPECT_EQ(reload(1, 0).value(100).text, QStringLiteral("l'100 \"x\""));
}

TEST_F(Store, ATextThatIsNoNumberStopsTheSaveBeforeAnyWrite)
{
    store.save(1, 0, filled());
    const QStringList before = dump();
    ScopeValues v = filled();
    v.value(354).text = QStringLiteral("cincuenta");
    try {
        store.save(1, 0, v);
        FAIL() << "saved";
    } catch (const SaveError& e) {
        EXPECT_TRUE(e.statement().contains(QStringLiteral("354, 'cincuenta'"))) << e.statement().toStdString();
    }
    EXPECT_EQ(dump(), before);
}

TEST_F(Store, ASaveThatFailsAtAnyStatementLeavesTheScopeAsItWas)
{
    store.save(1, 0, filled());
    store.save(1, 1, filled());
    const QStringList before = dump();
    ScopeValues changed = filled();
    changed.value(100).text = QStringLiteral("cambiado");
    changed.keys = {{5, 114, 3, 0, true}};
    changed.scales = {{QStringLiteral("21"), 2}};
    for (int tpv : {0, 1}) {
        // Rows deleted by the first statement, then one insert per statement after it.
        const int writes = db.count(tpv == 0 ? "Tpv_Parametros" : "Tpv_Parametros_Ex") +
                           int(store.saveStatements(1, tpv, changed).size()) - 1;
        // Every write near the ends of the save, and a spread in between.
        for (int n = 1; n <= writes; n += (n < 12 || n > writes - 12 || (n > 275 && n < 290)) ? 1 : 9) {
            failAtWrite(n);
            EXPECT_THROW(store.save(1, tpv, changed), SaveError) << "write " << n;
            ASSERT_EQ(dump(), before) << "scope " << tpv << ", failing write " << n;
        }
    }
    noFaults();
    store.save(1, 1, changed);
    EXPECT_TRUE(reload(1, 1) == changed) << differences(reload(1, 1), changed);
}

TEST_F(Store, RowsOfVanishedTerminalsAndWarehousesGo)
{
    store.save(1, 0, filled());
    store.save(3, 0, filled()); // warehouse 3 has no terminal
    store.save(1, 1, filled());
    store.save(1, 9, filled()); // terminal 9 does not exist
    store.save(2, 1, filled()); // terminal 1 is not in warehouse 2
    store.depurarTpvs(true);
    EXPECT_EQ(db.count("Tpv_Parametros", "Cod_Almacen = 3"), db.count("Tpv_Parametros", "Cod_Almacen = 1")); // the central office keeps them
    EXPECT_EQ(db.count("Tpv_Parametros_Ex", "Cod_Tpv = 9"), 0);
    EXPECT_EQ(db.count("Tpv_Parametros_Ex", "Cod_Almacen = 2"), 0);
    EXPECT_GT(db.count("Tpv_Parametros_Ex", "Cod_Almacen = 1 AND Cod_Tpv = 1"), 0);
    store.depurarTpvs(false);
    EXPECT_EQ(db.count("Tpv_Parametros", "Cod_Almacen = 3"), 0);
    EXPECT_GT(db.count("Tpv_Parametros", "Cod_Almacen = 1"), 0);

    // A clean-up that fails part way removes nothing.
    store.save(3, 0, filled());
    store.save(1, 9, filled());
    const QStringList before = dump();
    failAtWrite(278);
    EXPECT_THROW(store.depurarTpvs(false), Error);
    EXPECT_EQ(dump(), before);
}

TEST_F(Store, CopyingTheGeneralSetReplacesTheTerminalsRowsOrNothing)
{
    ScopeValues general = filled();
    store.save(1, 0, general);
    ScopeValues own;
    own.load({});
    own.value(101).text = QStringLiteral("propia");
    store.save(1, 2, own);
    const QStringList before = dump();
    for (int n : {1, 100, 277, 278, 279, 400, 555}) {
        failAtWrite(n);
        EXPECT_THROW(store.copyGeneralToTerminal(1, 2), Error) << n;
        ASSERT_EQ(dump(), before) << "failing write " << n;
    }
    noFaults();
    store.copyGeneralToTerminal(1, 2);
    EXPECT_TRUE(reload(1, 2) == general) << differences(reload(1, 2), general);
    EXPECT_EQ(db.count("Tpv_Parametros_Ex", "Cod_Tpv = 2"), db.count("Tpv_Parametros", "Cod_Almacen = 1"));

    store.deleteTerminal(1, 2);
    EXPECT_EQ(db.count("Tpv_Parametros_Ex", "Cod_Tpv = 2"), 0);
    EXPECT_GT(db.count("Tpv_Parametros", "Cod_Almacen = 1"), 0);
}

TEST_F(Store, TellsWhetherATerminalOrWarehouseStillHasTerminals)
{
    EXPECT_TRUE(store.terminalExists(1, 2));
    EXPECT_FALSE(store.terminalExists(2, 2));
    EXPECT_TRUE(store.warehouseHasTerminals(2));
    EXPECT_FALSE(store.warehouseHasTerminals(3));
}

TEST_F(Store, TheCleanUpOfASaveTouchesOnlyTheCompanyBeingSaved)
{
    // Another company, with its own terminal numbering: warehouse 7 has no
    // terminal of company 1's, terminal 9 exists there but not here.
    db.exec("INSERT INTO TPVs (Codigo, Descripcion, Empresa, Almacen) VALUES (9, 'Caja otra', 2, 7)");
    ParameterStore other(db.conn(), 2);
    other.save(7, 0, filled());
    other.save(7, 9, filled());
    other.save(8, 0, filled()); // company 2's warehouse without terminals: its own office decides
    store.save(3, 0, filled()); // company 1's warehouse without terminals
    store.save(1, 9, filled()); // company 1's vanished terminal
    const int otherGeneral = db.count("Tpv_Parametros", "Cod_Empresa = 2");
    const int otherTerminal = db.count("Tpv_Parametros_Ex", "Cod_Empresa = 2");
    ASSERT_GT(otherGeneral, 0);
    ASSERT_GT(otherTerminal, 0);

    store.save(1, 0, filled(), ParameterStore::Cleanup::VanishedTerminalsAndWarehouses);
    EXPECT_EQ(db.count("Tpv_Parametros", "Cod_Empresa = 2"), otherGeneral);
    EXPECT_EQ(db.count("Tpv_Parametros_Ex", "Cod_Empresa = 2"), otherTerminal);
    EXPECT_EQ(db.count("Tpv_Parametros", "Cod_Empresa = 1 AND Cod_Almacen = 3"), 0);
    EXPECT_EQ(db.count("Tpv_Parametros_Ex", "Cod_Empresa = 1 AND Cod_Tpv = 9"), 0);
    EXPECT_GT(db.count("Tpv_Parametros", "Cod_Empresa = 1 AND Cod_Almacen = 1"), 0);

    // The clean-up on its own keeps to the company as well.
    store.save(3, 0, filled());
    store.depurarTpvs(false);
    EXPECT_EQ(db.count("Tpv_Parametros", "Cod_Empresa = 1 AND Cod_Almacen = 3"), 0);
    EXPECT_EQ(db.count("Tpv_Parametros", "Cod_Empresa = 2"), otherGeneral);
    EXPECT_EQ(db.count("Tpv_Parametros_Ex", "Cod_Empresa = 2"), otherTerminal);
}

TEST_F(Store, ASaveThatFailsAtAnyStatementRemovesNothingOfItsCleanUpEither)
{
    store.save(1, 0, filled());
    store.save(3, 0, filled()); // removed by the clean-up unless the central office saves
    store.save(1, 9, filled()); // removed by the clean-up in any case
    const QStringList before = dump();
    ScopeValues changed = filled();
    changed.value(100).text = QStringLiteral("cambiado");
    const int cleanedUp = db.count("Tpv_Parametros", "Cod_Almacen = 3") + db.count("Tpv_Parametros_Ex", "Cod_Tpv = 9");
    // The clean-up's deletes, the scope's delete, then one insert per statement after it.
    const int writes = cleanedUp + db.count("Tpv_Parametros", "Cod_Almacen = 1") +
                       int(store.saveStatements(1, 0, changed).size()) - 1;
    for (int n = 1; n <= writes; n += (n < cleanedUp + 12 || n > writes - 12) ? 1 : 7) {
        failAtWrite(n);
        try {
            store.save(1, 0, changed, ParameterStore::Cleanup::VanishedTerminalsAndWarehouses);
            FAIL() << "saved with write " << n << " failing";
        } catch (const SaveError& e) {
            // The statement shown is the one that failed: the clean-up's first.
            if (n == 1)
                EXPECT_TRUE(e.statement().startsWith(QStringLiteral("DELETE FROM TPV_Parametros "))) << e.statement().toStdString();
        }
        ASSERT_EQ(dump(), before) << "failing write " << n;
    }
    noFaults();
    store.save(1, 0, changed, ParameterStore::Cleanup::VanishedTerminals); // the central office keeps warehouse 3
    EXPECT_GT(db.count("Tpv_Parametros", "Cod_Almacen = 3"), 0);
    EXPECT_EQ(db.count("Tpv_Parametros_Ex", "Cod_Tpv = 9"), 0);
    EXPECT_TRUE(reload(1, 0) == changed) << differences(reload(1, 0), changed);
}

TEST_F(Store, ThePasswordsAreMaskedInTheStatementAFailedSaveShows)
{
    ScopeValues v = filled();
    const QList<int> secrets = {80, 379, 414, 500, 552};
    for (int code : secrets)
        v.value(code).text = QStringLiteral("clave-%1-secreta").arg(code);
    QStringList shown;
    const QStringList statements = store.saveStatements(1, 0, v, &shown);
    ASSERT_EQ(shown.size(), statements.size());
    for (int code : secrets) {
        const QString secret = QStringLiteral("clave-%1-secreta").arg(code);
        EXPECT_TRUE(statements.join(QLatin1Char('\n')).contains(secret)) << code; // the database gets it
        EXPECT_FALSE(shown.join(QLatin1Char('\n')).contains(secret)) << code;
        EXPECT_TRUE(shown.contains(QStringLiteral("INSERT INTO Tpv_Parametros (Cod_Empresa, Cod_Almacen, Codigo,  Valor) "
                                                  "VALUES (1, 1, %1, '%2')").arg(code).arg(kSecretMask)))
            << code;

        // The insert of that very password fails.
        dropFailingTrigger(db, "fault_secret", "Tpv_Parametros");
        failingTrigger(db, "fault_secret", "BEFORE INSERT", "Tpv_Parametros", "injected fault",
                       QStringLiteral("NEW.Codigo = %1").arg(code));
        try {
            store.save(1, 0, v);
            FAIL() << "saved";
        } catch (const SaveError& e) {
            EXPECT_TRUE(e.statement().contains(QStringLiteral(", %1, '%2')").arg(code).arg(kSecretMask)))
                << e.statement().toStdString();
            EXPECT_FALSE(e.statement().contains(secret));
        }
    }
    // Everything else is shown as it was sent.
    for (int i = 0; i < statements.size(); ++i)
        if (!statements[i].contains(QStringLiteral("secreta")))
            EXPECT_EQ(shown[i], statements[i]);
}

// The window's lists are read by the store with the system's statements, as
// SQL Server receives them: the tax rates follow the warehouse's regime
// (none read here, so IGIC) and the day in force.
TEST(StoreStatements, TheWindowsListsSendTheSystemsStatementsToSqlServer)
{
    auto conn = db::Connection::open(QStringLiteral("record:sqlserver"));
    ParameterStore store(*conn, 3);
    EXPECT_TRUE(store.labelModels().isEmpty());
    EXPECT_TRUE(store.warehouses().isEmpty());
    EXPECT_TRUE(store.terminals(2).isEmpty());
    EXPECT_TRUE(store.taxRates(2, QDate(2026, 12, 6)).empty());
    EXPECT_EQ(conn->recordedStatements(),
              (QStringList{"SELECT * FROM Modelos_Etiq_Art ORDER BY Codigo",
                           "SELECT Codigo, Nombre FROM Almacenes WHERE Cod_Empresa =3",
                           "SELECT Codigo, Descripcion FROM Tpvs WHERE Empresa=3   AND Almacen=2",
                           "SELECT Regimen_Impuesto FROM Almacenes WHERE Cod_Empresa =3 AND Codigo =2",
                           "SELECT Tipo, Imp_Valor FROM Igic_Tipos WHERE Cod_Empresa =3 AND FechaI <= '06/12/2026'"
                           " AND FechaF >= '06/12/2026' ORDER BY Imp_Valor"}));
}

// Under regime 1 the rates come from the second tax table, lowest first, only those in force.
TEST(StoreStatements, TaxRatesFollowTheWarehousesRegime)
{
    test::TestDatabase db;
    db.exec("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre, Regimen_Impuesto) VALUES (1, 1, 'Central', 1)");
    db.exec("INSERT INTO Igic_Tipos (Cod_Empresa, Tipo, Imp_Valor, FechaI, FechaF) VALUES (1, 9, 7, '2020-01-01', '2099-12-31')");
    db.exec("INSERT INTO Impuestos2_Tipos (Cod_Empresa, Tipo, Imp_Valor, FechaI, FechaF) VALUES"
            " (1, 1, 21, '2020-01-01', '2099-12-31'), (1, 2, 10, '2020-01-01', '2099-12-31'),"
            " (1, 3, 4, '2020-01-01', '2021-12-31')");
    std::vector<std::pair<int, double>> rates;
    for (const ParameterStore::TaxRate& t : ParameterStore(db.conn(), 1).taxRates(1, QDate(2026, 12, 6)))
        rates.push_back({t.tipo, t.valor});
    EXPECT_EQ(rates, (std::vector<std::pair<int, double>>{{2, 10.0}, {1, 21.0}}));
}
