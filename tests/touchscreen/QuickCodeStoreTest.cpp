// The quick-code store on its own: saving as update-or-insert, the list the
// window shows, the entry checks and the deletion records for the terminals.
#include "touchscreen/QuickCodeStore.h"

#include "db/Error.h"
#include "support/FailingTrigger.h"
#include "support/TestDatabase.h"
#include "support/FailingWrites.h"

#include <gtest/gtest.h>

using zqvr::Error;
using zqvr::test::TestDatabase;
using namespace zqvr::touchscreen;
using zqvr::test::dropFailingTrigger;
using zqvr::test::failingTrigger;

namespace {

class QuickCodes : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.exec("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion) VALUES (1, 1001, 'Pan de molde')");
        db.exec("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion) VALUES (1, 1002, 'Leche entera')");
        db.exec("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion) VALUES (2, 1003, 'Otra empresa')");
    }
    QString row(const QString& code, int almacen = 1)
    {
        auto rs = db.conn().query(QStringLiteral("SELECT Cod_Articulo, Unidades, Act FROM TPV_CodigosRapido"
                                                 " WHERE Cod_Empresa = 1 AND Cod_Almacen = %1 AND Cod_Rapido = '%2'")
                                      .arg(almacen)
                                      .arg(code));
        if (rs.eof())
            return QStringLiteral("(none)");
        return QStringLiteral("%1 x%2 act%3")
            .arg(rs["Cod_Articulo"].toInt())
            .arg(rs["Unidades"].toDouble())
            .arg(rs["Act"].toInt());
    }
    // Every row of both quick-code tables, to prove a failed write changed nothing.
    QString snapshot()
    {
        QString out;
        for (const char* t : {"TPV_CodigosRapido", "TPV_CodigosRapido_Baja"}) {
            auto rs = db.conn().query(QStringLiteral("SELECT * FROM %1 ORDER BY Cod_Empresa, Cod_Almacen, Cod_Rapido")
                                          .arg(QLatin1String(t)));
            while (!rs.eof()) {
                for (int i = 0; i < rs.fieldCount(); ++i)
                    out += rs.value(i).toString() + QLatin1Char('|');
                out += QLatin1Char('\n');
                rs.moveNext();
            }
            out += QStringLiteral("--\n");
        }
        return out;
    }

    TestDatabase db;
    QuickCodeStore store{db.conn(), 1, 1};
};

TEST_F(QuickCodes, SavingUpdatesAnExistingCodeOrInsertsANewOneTrimmedAndWithZeroUnitsAsOne)
{
    EXPECT_TRUE(store.Guardar(1, QStringLiteral("  12  "), 1001, 0));
    EXPECT_EQ(row("12"), "1001 x1 act0");
    EXPECT_EQ(db.count("TPV_CodigosRapido"), 1);

    // The terminals took the code; changing it marks it again, in place.
    db.exec("UPDATE TPV_CodigosRapido SET Act = 1");
    EXPECT_FALSE(store.Guardar(1, QStringLiteral("12 "), 1002, 2.5));
    EXPECT_EQ(row("12"), "1002 x2.5 act0");
    EXPECT_EQ(db.count("TPV_CodigosRapido"), 1);

    // The same code in another warehouse is another code.
    EXPECT_TRUE(store.Guardar(2, QStringLiteral("12"), 1001, 3));
    EXPECT_EQ(row("12", 2), "1001 x3 act0");
    EXPECT_EQ(row("12", 1), "1002 x2.5 act0");
    EXPECT_EQ(db.count("TPV_CodigosRapido"), 2);

    EXPECT_THROW(store.Guardar(1, QStringLiteral("   "), 1001, 1), Error);
    EXPECT_EQ(db.count("TPV_CodigosRapido"), 2);
}

TEST_F(QuickCodes, CodesWithQuotesAreSavedListedAndDeletedAsTyped)
{
    const QString code = QStringLiteral("'; DELETE Articulos"); // within the code's 20 characters
    store.Guardar(1, code, 1001, 1);
    auto list = store.Cargar(1);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].codigo, code);
    store.Eliminar(1, code);
    EXPECT_EQ(db.count("TPV_CodigosRapido"), 0);
    EXPECT_EQ(db.count("TPV_CodigosRapido_Baja", "Cod_Rapido = '''; DELETE Articulos'"), 1);
    EXPECT_EQ(db.count("Articulos"), 3);
}

TEST_F(QuickCodes, TheListShowsTheWarehouseCodesInCodeOrderAndHidesThoseWhoseArticleIsGone)
{
    store.Guardar(1, QStringLiteral("B"), 1002, 6);
    store.Guardar(1, QStringLiteral("A"), 1001, 1);
    store.Guardar(1, QStringLiteral("C"), 4711, 1); // no such article
    store.Guardar(2, QStringLiteral("Z"), 1001, 1);
    db.exec("INSERT INTO TPV_CodigosRapido (Cod_Empresa, Cod_Almacen, Cod_Rapido, Cod_Articulo, Unidades)"
            " VALUES (2, 1, 'X', 1003, 1)");

    auto list = store.Cargar(1);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].codigo, "A");
    EXPECT_EQ(list[0].articulo, 1001);
    EXPECT_EQ(list[0].descripcion, "Pan de molde");
    EXPECT_EQ(list[1].codigo, "B");
    EXPECT_DOUBLE_EQ(list[1].unidades, 6);
    // Hidden, not lost.
    EXPECT_EQ(db.count("TPV_CodigosRapido", "Cod_Rapido = 'C'"), 1);
}

TEST_F(QuickCodes, AnEntryIsCheckedWarehouseFirstThenCodeArticleAndUnits)
{
    using F = EntryProblem::Field;
    QuickCodeEntry e;
    auto field = [&](bool alm, const QString& code, int art, const QString& units) {
        auto p = store.Validar(alm, code, art, units, e);
        return p ? p->field : static_cast<F>(-1);
    };
    EXPECT_EQ(field(false, "", 0, "abc"), F::Almacen);
    EXPECT_EQ(field(true, "   ", 0, "abc"), F::Codigo);
    EXPECT_EQ(field(true, QString(51, QLatin1Char('x')), 1001, "1"), F::Codigo);
    EXPECT_EQ(field(true, "1", 4711, "1"), F::Articulo);
    EXPECT_EQ(field(true, "1", 1003, "1"), F::Articulo); // another company's article
    EXPECT_EQ(field(true, "1", 0, "1"), F::Articulo);
    EXPECT_EQ(field(true, "1", 1001, "abc"), F::Unidades);
    EXPECT_EQ(field(true, "1", 1001, "-3"), F::Unidades);
    EXPECT_EQ(field(true, "1", 1001, "1e9"), F::Unidades);

    ASSERT_FALSE(store.Validar(true, QString(50, QLatin1Char('x')), 1001, "", e));
    EXPECT_DOUBLE_EQ(e.unidades, 1);
    ASSERT_FALSE(store.Validar(true, " 7 ", 1001, "1.234,5", e));
    EXPECT_EQ(e.codigo, "7");
    EXPECT_DOUBLE_EQ(e.unidades, 1234.5);
    ASSERT_FALSE(store.Validar(true, "7", 1001, "0,0", e));
    EXPECT_DOUBLE_EQ(e.unidades, 1);
    ASSERT_FALSE(store.Validar(true, "7", 1001, "2.5", e));
    EXPECT_DOUBLE_EQ(e.unidades, 2.5);
}

TEST_F(QuickCodes, UnitsShowWithoutNeedlessDecimals)
{
    EXPECT_EQ(unitsText(1), "1");
    EXPECT_EQ(unitsText(1234.5), "1.234,5");
    EXPECT_EQ(unitsText(0.25), "0,25");
}

TEST_F(QuickCodes, DeletingTwiceAfterRecreatingLeavesOneDeletionRecordNotYetTaken)
{
    store.Guardar(1, QStringLiteral("12"), 1001, 1);
    store.Eliminar(1, QStringLiteral("12"));
    EXPECT_EQ(row("12"), "(none)");
    EXPECT_EQ(db.count("TPV_CodigosRapido_Baja", "Cod_Empresa = 1 AND Cod_Almacen = 1 AND Cod_Rapido = '12' AND Act = 0"),
              1);

    db.exec("UPDATE TPV_CodigosRapido_Baja SET Act = 1"); // the terminals took it
    store.Guardar(1, QStringLiteral("12"), 1002, 1);
    store.Eliminar(1, QStringLiteral("12"));
    EXPECT_EQ(db.count("TPV_CodigosRapido_Baja"), 1);
    EXPECT_EQ(db.count("TPV_CodigosRapido_Baja", "Act = 0"), 1);
    EXPECT_EQ(db.count("TPV_CodigosRapido"), 0);
}

TEST_F(QuickCodes, AFailureInAnyStatementOfADeleteLeavesBothTablesUnchanged)
{
    store.Guardar(1, QStringLiteral("12"), 1001, 1);
    store.Guardar(1, QStringLiteral("13"), 1001, 1);
    store.Eliminar(1, QStringLiteral("13"));
    db.exec("UPDATE TPV_CodigosRapido_Baja SET Act = 1");
    store.Guardar(1, QStringLiteral("13"), 1002, 2);
    const QString before = snapshot();

    struct Case {
        const char* code; // "13" has a deletion record (update path), "12" has none (insert path)
        const char* trigger;
        const char* table;
    };
    const Case cases[] = {
        {"13", "BEFORE UPDATE", "TPV_CodigosRapido_Baja"},
        {"12", "BEFORE INSERT", "TPV_CodigosRapido_Baja"},
        {"12", "BEFORE DELETE", "TPV_CodigosRapido"},
        {"13", "BEFORE DELETE", "TPV_CodigosRapido"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.trigger) + " " + c.table);
        failingTrigger(db, "fail", QLatin1String(c.trigger), QLatin1String(c.table), "fallo");
        try {
            store.Eliminar(1, QLatin1String(c.code));
            ADD_FAILURE() << "the delete should have failed";
        } catch (const Error& e) {
            EXPECT_EQ(e.source(), "frmCodigosRapido:Eliminar");
            EXPECT_TRUE(e.description().contains("fallo"));
        }
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(db.conn().transactionDepth(), 0);
        dropFailingTrigger(db, "fail", QLatin1String(c.table));
    }
}

// A deletion the terminals have not taken yet must not drop the code made again under the same name.
TEST_F(QuickCodes, RecreatingACodeClearsItsPendingDeletionOnly)
{
    store.Guardar(1, QStringLiteral("12"), 1001, 1);
    store.Guardar(2, QStringLiteral("12"), 1001, 1);
    store.Guardar(1, QStringLiteral("13"), 1001, 1);
    store.Guardar(1, QStringLiteral("14"), 1001, 1);
    for (const char* c : {"12", "13", "14"})
        store.Eliminar(1, QLatin1String(c));
    store.Eliminar(2, QStringLiteral("12"));
    db.exec("UPDATE TPV_CodigosRapido_Baja SET Act = 1 WHERE Cod_Rapido = '14'"); // the terminals took it

    EXPECT_TRUE(store.Guardar(1, QStringLiteral(" 12 "), 1002, 3));
    EXPECT_TRUE(store.Guardar(1, QStringLiteral("14"), 1002, 1));
    EXPECT_EQ(row("12"), "1002 x3 act0");
    EXPECT_EQ(db.count("TPV_CodigosRapido_Baja", "Cod_Almacen = 1 AND Cod_Rapido = '12'"), 0);
    // Another warehouse's and another code's pending deletions stay, and so does one already taken.
    EXPECT_EQ(db.count("TPV_CodigosRapido_Baja", "Cod_Almacen = 2 AND Cod_Rapido = '12' AND Act = 0"), 1);
    EXPECT_EQ(db.count("TPV_CodigosRapido_Baja", "Cod_Almacen = 1 AND Cod_Rapido = '13' AND Act = 0"), 1);
    EXPECT_EQ(db.count("TPV_CodigosRapido_Baja", "Cod_Almacen = 1 AND Cod_Rapido = '14' AND Act = 1"), 1);

    // Deleting it again records the deletion afresh.
    store.Eliminar(1, QStringLiteral("12"));
    EXPECT_EQ(db.count("TPV_CodigosRapido_Baja", "Cod_Almacen = 1 AND Cod_Rapido = '12' AND Act = 0"), 1);
}

TEST_F(QuickCodes, ANewCodeIsMarkedForTheTerminalsWhateverTheColumnDefault)
{
    db.exec("DROP TABLE TPV_CodigosRapido");
    db.exec("CREATE TABLE TPV_CodigosRapido (Cod_Empresa INTEGER NOT NULL, Cod_Almacen INTEGER NOT NULL,"
            " Cod_Rapido TEXT NOT NULL, Cod_Articulo INTEGER DEFAULT 0, Unidades REAL DEFAULT 1,"
            " Act INTEGER DEFAULT 1, PRIMARY KEY (Cod_Empresa, Cod_Almacen, Cod_Rapido))");
    EXPECT_TRUE(store.Guardar(1, QStringLiteral("12"), 1001, 2));
    EXPECT_EQ(row("12"), "1001 x2 act0");
}

TEST_F(QuickCodes, AFailureInAnyStatementOfASaveLeavesBothTablesUnchanged)
{
    store.Guardar(1, QStringLiteral("12"), 1001, 1);
    store.Eliminar(1, QStringLiteral("12"));
    store.Guardar(1, QStringLiteral("13"), 1001, 1);
    const QString before = snapshot();
    zqvr::test::FailingWrites failing(db, {"TPV_CodigosRapido", "TPV_CodigosRapido_Baja"});
    // "12" is created again over its pending deletion (two rows written), "13" is changed (one).
    for (const auto& [code, writes] : {std::pair{"12", 2}, std::pair{"13", 1}}) {
        for (int n = 1; n <= writes; ++n) {
            SCOPED_TRACE(QStringLiteral("%1 fails at %2").arg(QLatin1String(code)).arg(n).toStdString());
            failing.failAt(n);
            EXPECT_THROW(store.Guardar(1, QLatin1String(code), 1002, 5), Error);
            failing.off();
            EXPECT_EQ(snapshot(), before);
            EXPECT_EQ(db.conn().transactionDepth(), 0);
        }
    }
}

TEST_F(QuickCodes, AFailedInsertOnSaveWritesNothing)
{
    failingTrigger(db, "fail", "BEFORE INSERT", "TPV_CodigosRapido", "fallo");
    EXPECT_THROW(store.Guardar(1, QStringLiteral("12"), 1001, 1), Error);
    EXPECT_EQ(db.count("TPV_CodigosRapido"), 0);
    EXPECT_EQ(db.conn().transactionDepth(), 0);
}

} // namespace

#include "touchscreen/QuickCodeListing.h"

namespace {

TEST(QuickCodeListing, TheSubtitleNamesTheWarehouseAndTheChosenOrder)
{
    EXPECT_EQ(DevCriterio(2, QStringLiteral("Puerto"), 1, 0),
              "Almacen: 2  Puerto  / Ordenado Por: Código Rápido  / Orden: Ascendente");
    EXPECT_EQ(DevCriterio(7, QString(), 2, 1), "Almacen: 7    / Ordenado Por: Descripción  / Orden: Descendente");
}

TEST_F(QuickCodes, TheListingSortsByTheChosenColumnAndDirection)
{
    db.exec("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion) VALUES (1, 999, 'Zumo')");
    store.Guardar(1, QStringLiteral("B"), 1001, 1);  // Pan de molde
    store.Guardar(1, QStringLiteral("A"), 1002, 1);  // Leche entera
    store.Guardar(1, QStringLiteral("C"), 999, 1);   // Zumo
    store.Guardar(1, QStringLiteral("D"), 1001, 1);  // Pan de molde again
    store.Guardar(1, QStringLiteral("E"), 4711, 1);  // article gone
    store.Guardar(2, QStringLiteral("F"), 1001, 1);  // another warehouse
    auto codes = [&](int by, int dir) {
        QStringList out;
        for (const QuickCode& q : store.listing(1, by, dir))
            out << q.codigo;
        return out.join(QString());
    };
    EXPECT_EQ(codes(0, 0), "CBDA");
    EXPECT_EQ(codes(0, 1), "ADBC");
    EXPECT_EQ(codes(1, 0), "ABCD");
    EXPECT_EQ(codes(1, 1), "DCBA");
    EXPECT_EQ(codes(2, 0), "ABDC");
    EXPECT_EQ(codes(2, 1), "CDBA");
}

} // namespace
