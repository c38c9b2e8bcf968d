// The salon store: the list, the existence check, the quote substitution of
// the stored document, warehouse assignments and the all-or-nothing delete.
#include "db/Error.h"
#include "salons/DocXml.h"
#include "salons/SalonStore.h"
#include "support/FailingWrites.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace zqvr;
using salons::SalonStore;

namespace {

class SalonStoreTest : public ::testing::Test {
protected:
    test::TestDatabase db;
    SalonStore store{db.conn(), 1};

    QString storedDoc(int salon)
    {
        return db.conn().scalar(QStringLiteral("SELECT Doc_Xml FROM TPV_Sln_Salones WHERE Cod_Empresa = 1 AND Cod_CfgSalon = %1")
                                    .arg(salon)).toString();
    }
};

TEST(DocXml, QuotesAreStoredAsBarsAndComeBack)
{
    const QString doc = QStringLiteral("<Border Tag='x'><TextBlock Text=\"L'Olivo\"/></Border>");
    const QString stored = salons::encodeDocXml(doc);
    EXPECT_FALSE(stored.contains(QLatin1Char('\'')));
    EXPECT_EQ(stored, QStringLiteral("<Border Tag=|x|><TextBlock Text=\"L|Olivo\"/></Border>"));
    EXPECT_EQ(salons::decodeDocXml(stored), doc);
    // A bar that was in the document comes back as a quote: the terminals read it so.
    EXPECT_EQ(salons::decodeDocXml(salons::encodeDocXml(QStringLiteral("a|b"))), QStringLiteral("a'b"));
}

TEST_F(SalonStoreTest, ListsTheCompanysSalonsInCodeOrder)
{
    db.exec("INSERT INTO TPV_Sln_Salones (Cod_Empresa, Cod_CfgSalon, Descripcion) VALUES (1, 5, 'Terraza'), (1, 2, 'Comedor'), (2, 1, 'Otra')");
    const auto rows = store.Cargar();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].codigo, 2);
    EXPECT_EQ(rows[0].descripcion, "Comedor");
    EXPECT_EQ(rows[1].codigo, 5);
}

TEST_F(SalonStoreTest, ExistenceCheckFindsTheCodeOrTheNameWithinTheCompany)
{
    store.Agregar(3, QStringLiteral("Comedor"), QString());
    EXPECT_TRUE(store.Existe(3, QStringLiteral("Nuevo")));
    EXPECT_TRUE(store.Existe(9, QStringLiteral("Comedor")));
    EXPECT_FALSE(store.Existe(9, QStringLiteral("Terraza")));
    // Another company's salon does not count.
    SalonStore other(db.conn(), 2);
    EXPECT_FALSE(other.Existe(3, QStringLiteral("Comedor")));
    // A name with a quote is a value, not part of the statement.
    EXPECT_FALSE(store.Existe(9, QStringLiteral("x' OR '1'='1")));
}

TEST_F(SalonStoreTest, DocumentsAreStoredWithBarsAndReadBackWithQuotes)
{
    const QString doc = QStringLiteral("<FlowGraph Version=\"1\"><Page Caption='Sala d'Or'/></FlowGraph>");
    store.Agregar(1, QStringLiteral("L'Olivo"), doc);
    EXPECT_FALSE(storedDoc(1).contains(QLatin1Char('\'')));
    EXPECT_EQ(store.LeerXml(1), doc);
    EXPECT_EQ(store.LeerDocXmlGuardado(1), salons::encodeDocXml(doc));
    EXPECT_EQ(store.Cargar().front().descripcion, "L'Olivo");

    store.Modificar(1, QStringLiteral("Sala 'B'"), QStringLiteral("<a b='1'/>"));
    EXPECT_EQ(storedDoc(1), "<a b=|1|/>");
    EXPECT_EQ(store.Cargar().front().descripcion, "Sala 'B'");

    store.GuardarPlano(1, QStringLiteral("<x y='2'/>"));
    EXPECT_EQ(storedDoc(1), "<x y=|2|/>");
    EXPECT_EQ(store.LeerXml(42), QString());
}

// Another user deleted the salon after this one listed it: every change
// says so and writes nothing, not even an assignment row of its own.
TEST_F(SalonStoreTest, WorkOnASalonDeletedByAnotherUserIsReportedAndWritesNothing)
{
    store.Agregar(1, QStringLiteral("Comedor"), QString());
    store.AsignarAlmacen(1, 3, true);
    store.Eliminar(1);
    const std::vector<std::pair<const char*, std::function<void()>>> ops = {
        {"SalonStore::Modificar", [&] { store.Modificar(1, QStringLiteral("Nuevo"), QStringLiteral("<a/>")); }},
        {"SalonStore::GuardarPlano", [&] { store.GuardarPlano(1, QStringLiteral("<a/>")); }},
        {"SalonStore::Eliminar", [&] { store.Eliminar(1); }},
        {"SalonStore::AsignarAlmacen", [&] { store.AsignarAlmacen(1, 3, true); }},
        {"SalonStore::AsignarAlmacen", [&] { store.AsignarAlmacen(1, 3, false); }},
    };
    for (const auto& [source, op] : ops) {
        SCOPED_TRACE(source);
        try {
            op();
            ADD_FAILURE() << "nothing was reported";
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), errc::RowDeleted);
            EXPECT_EQ(e.description(), "El salón 1 ya no existe: otro usuario lo ha eliminado.");
            EXPECT_EQ(e.source(), source);
        }
        EXPECT_EQ(db.count("TPV_Sln_Salones"), 0);
        EXPECT_EQ(db.count("TPV_Sln_Salones_Almacen"), 0);
    }
}

TEST_F(SalonStoreTest, CheckingTwiceLeavesOneRowAndUncheckingRemovesIt)
{
    store.Agregar(1, QStringLiteral("Comedor"), QString());
    store.AsignarAlmacen(1, 7, true);
    store.AsignarAlmacen(1, 7, true);
    EXPECT_EQ(db.count("TPV_Sln_Salones_Almacen", "Cod_CfgSalon = 1 AND Cod_Almacen = 7"), 1);
    store.AsignarAlmacen(1, 3, true);
    EXPECT_EQ(store.Almacenes(1).size(), 2);
    store.AsignarAlmacen(1, 7, false);
    EXPECT_EQ(store.Almacenes(1), QList<int>{3});
}

TEST_F(SalonStoreTest, AFailedReassignmentKeepsTheExistingRow)
{
    store.Agregar(1, QStringLiteral("Comedor"), QString());
    store.AsignarAlmacen(1, 7, true);
    test::FailingWrites failing(db, {"TPV_Sln_Salones_Almacen"});
    // Delete then insert: the insert (the second write) failing must not leave the row deleted.
    for (int n : {1, 2}) {
        failing.failAt(n);
        EXPECT_THROW(store.AsignarAlmacen(1, 7, true), Error) << "write " << n;
        EXPECT_EQ(store.Almacenes(1), QList<int>{7}) << "write " << n;
    }
    failing.failAt(1);
    EXPECT_THROW(store.AsignarAlmacen(1, 7, false), Error);
    EXPECT_EQ(store.Almacenes(1), QList<int>{7});
}

TEST_F(SalonStoreTest, DeleteRemovesTheAssignmentsAndTheSalonTogether)
{
    store.Agregar(1, QStringLiteral("Comedor"), QString());
    store.Agregar(2, QStringLiteral("Terraza"), QString());
    store.AsignarAlmacen(1, 1, true);
    store.AsignarAlmacen(1, 2, true);
    store.AsignarAlmacen(2, 1, true);

    // Each row deleted failing in turn (two assignments, then the salon) leaves both tables as they were.
    test::FailingWrites failing(db, {"TPV_Sln_Salones_Almacen", "TPV_Sln_Salones"});
    for (int n : {1, 2, 3}) {
        SCOPED_TRACE(n);
        failing.failAt(n);
        try {
            store.Eliminar(1);
            ADD_FAILURE() << "the delete should have failed";
        } catch (const Error& e) {
            EXPECT_EQ(e.source(), "SalonStore::Eliminar");
        }
        EXPECT_EQ(db.count("TPV_Sln_Salones"), 2);
        EXPECT_EQ(db.count("TPV_Sln_Salones_Almacen"), 3);
    }
    failing.off();

    store.Eliminar(1);
    EXPECT_EQ(db.count("TPV_Sln_Salones"), 1);
    EXPECT_EQ(db.count("TPV_Sln_Salones_Almacen"), 1);
    EXPECT_EQ(store.Almacenes(2), QList<int>{1});
}

} // namespace
