// The viewer's statements on a fixture where ticket numbers repeat across
// tills and dates: lists, lines, tax rate by date, promotion names, the
// search days and the parameters the receipt reads.
#include "tickets/TicketStatements.h"
#include "tickets/TicketStore.h"

#include "TicketFixture.h"

#include <gtest/gtest.h>

using namespace zqvr::tickets;
using zqvr::test::kDay4;
using zqvr::test::kDay5;

namespace {

class TicketQueries : public ::testing::Test {
protected:
    void SetUp() override { zqvr::test::fillTicketFixture(db); }
    TicketFilter filter(int caja, int cajero, QDate fecha, qint64 articulo = 0)
    {
        TicketFilter f;
        f.empresa = 1;
        f.empresaClientes = 1;
        f.almacen = 1;
        f.caja = caja;
        f.cajero = cajero;
        f.fecha = fecha;
        f.articulo = articulo;
        return f;
    }
    QList<int> codes(const QList<TicketRow>& rows)
    {
        QList<int> out;
        for (const auto& r : rows)
            out << r.codigo;
        return out;
    }
    zqvr::test::TestDatabase db;
    TicketStore store{db.conn()};
};

TEST_F(TicketQueries, ListsOnlyTheTicketsOfThatTillCashierAndDayInTimeOrder)
{
    EXPECT_EQ(codes(store.tickets(filter(1, 7, kDay5))), (QList<int>{1, 2}));
    EXPECT_EQ(codes(store.tickets(filter(2, 7, kDay5))), (QList<int>{1}));
    EXPECT_EQ(codes(store.tickets(filter(1, 7, kDay4))), (QList<int>{1}));
    EXPECT_EQ(codes(store.tickets(filter(1, 8, kDay5))), (QList<int>{3}));
    EXPECT_TRUE(store.tickets(filter(3, 7, kDay5)).isEmpty());

    const auto rows = store.tickets(filter(1, 7, kDay5));
    EXPECT_EQ(rows[0].hora, QTime(9, 0));
    EXPECT_EQ(rows[0].fecha, kDay5);
    EXPECT_DOUBLE_EQ(rows[0].total, 12.5);
    EXPECT_DOUBLE_EQ(rows[0].efectivo, 20);
    EXPECT_DOUBLE_EQ(rows[0].cambio, 7.5);
    EXPECT_DOUBLE_EQ(rows[1].tarjeta, 3);
}

TEST_F(TicketQueries, CustomerNameIsEmptyWhenTheCustomerIsGone)
{
    const auto rows = store.tickets(filter(1, 7, kDay5));
    EXPECT_EQ(rows[0].cliente, 5);
    EXPECT_EQ(rows[0].nombreCliente, QStringLiteral("Bazar O'Donnell"));
    EXPECT_EQ(rows[1].cliente, 99);
    EXPECT_EQ(rows[1].nombreCliente, QString());
}

TEST_F(TicketQueries, ArticleFilterListsATicketOnceEvenWhenItSoldTheArticleTwice)
{
    EXPECT_EQ(codes(store.tickets(filter(1, 7, kDay5, 100))), (QList<int>{1}));
    EXPECT_EQ(codes(store.tickets(filter(1, 7, kDay5, 101))), (QList<int>{}));
    EXPECT_EQ(codes(store.tickets(filter(2, 7, kDay5, 101))), (QList<int>{1}));
    EXPECT_TRUE(store.tickets(filter(1, 7, kDay5, 555)).isEmpty());
}

TEST_F(TicketQueries, LinesOfTicketsSharingANumberNeverMix)
{
    const auto a = store.lines({1, 1, 1, kDay5, 1}, 1);
    ASSERT_EQ(a.size(), 3);
    EXPECT_EQ(a[0].articulo, 100);
    EXPECT_EQ(a[2].articulo, 102);
    const auto b = store.lines({1, 1, 2, kDay5, 1}, 1);
    ASSERT_EQ(b.size(), 1);
    EXPECT_EQ(b[0].articulo, 101);
    EXPECT_EQ(b[0].tipoPromocion, 12);
    EXPECT_FALSE(b[0].kit);
    const auto c = store.lines({1, 1, 1, kDay4, 1}, 1);
    ASSERT_EQ(c.size(), 1);
    EXPECT_EQ(c[0].articulo, 103);
    EXPECT_TRUE(c[0].kit); // its own kit row, not the one of the 5th
    EXPECT_TRUE(store.lines({1, 2, 1, kDay5, 1}, 1).isEmpty());
}

TEST_F(TicketQueries, LineCarriesPriceFlagsKitAndPromotionKind)
{
    const auto l = store.lines({1, 1, 1, kDay5, 1}, 1);
    EXPECT_EQ(l[0].numLinea, 1);
    EXPECT_EQ(l[0].descripcion, QStringLiteral("Café molido 250 g"));
    EXPECT_TRUE(l[0].pm);
    EXPECT_FALSE(l[0].promocion);
    EXPECT_EQ(l[0].tipoPromocion, 0);
    EXPECT_FALSE(l[0].kit);
    EXPECT_TRUE(l[1].promocion);
    EXPECT_TRUE(l[1].pa);
    EXPECT_EQ(l[1].tipoPromocion, 4);
    EXPECT_DOUBLE_EQ(l[1].pvp, 2.975);
    EXPECT_TRUE(l[2].kit);
    EXPECT_DOUBLE_EQ(l[2].dto, 10);
}

TEST_F(TicketQueries, TaxRateIsTheOneValidOnTheTicketsDateOrZero)
{
    const auto l = store.lines({1, 1, 1, kDay5, 1}, 1);
    EXPECT_DOUBLE_EQ(l[0].impuesto, 7);  // type 2 after 2012
    EXPECT_DOUBLE_EQ(l[1].impuesto, 0);  // type 3 valid only in 2020
    db.exec("INSERT INTO TPV_Tickets_Lineas (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Num_Linea, Cod_Articulo,"
            " PVP, Cantidad, TipoImpuesto) VALUES (1, 1, 5, '2012-06-30', 1, 1, 100, 1, 1, 2),"
            " (1, 1, 5, '2020-03-01', 1, 1, 100, 1, 1, 3)");
    EXPECT_DOUBLE_EQ(store.lines({1, 1, 5, QDate(2012, 6, 30), 1}, 1)[0].impuesto, 5);
    EXPECT_DOUBLE_EQ(store.lines({1, 1, 5, QDate(2020, 3, 1), 1}, 1)[0].impuesto, 9.5);
}

TEST_F(TicketQueries, LineOfAVanishedArticleIsStillListed)
{
    db.exec("DELETE FROM Articulos WHERE Codigo = 102");
    const auto l = store.lines({1, 1, 1, kDay5, 1}, 1);
    ASSERT_EQ(l.size(), 3);
    EXPECT_EQ(l[2].articulo, 102);
    EXPECT_EQ(l[2].descripcion, QString());
}

TEST_F(TicketQueries, SearchDaysListsEachDayTillAndCashierOnceInOrder)
{
    const auto d = store.days(1, 1, kDay4, kDay5, 0);
    ASSERT_EQ(d.size(), 4);
    EXPECT_EQ(d[0].fecha, kDay4);
    EXPECT_EQ(d[1].fecha, kDay5);
    EXPECT_EQ(d[1].caja, 1);
    EXPECT_EQ(d[1].cajero, 7);
    EXPECT_EQ(d[1].nombreCajero, QStringLiteral("Ana López"));
    EXPECT_EQ(d[2].cajero, 8);
    EXPECT_EQ(d[3].caja, 2);

    const auto withArticle = store.days(1, 1, kDay4, kDay5, 100);
    ASSERT_EQ(withArticle.size(), 1);
    EXPECT_EQ(withArticle[0].caja, 1);
    EXPECT_EQ(withArticle[0].fecha, kDay5);

    EXPECT_EQ(store.days(1, 1, kDay5, kDay5, 0).size(), 3);
    EXPECT_TRUE(store.days(1, 1, kDay5, kDay4, 0).isEmpty());
}

TEST_F(TicketQueries, SearchDaysShowsAVanishedCashierWithAnEmptyName)
{
    db.exec("DELETE FROM SGD_Usuarios WHERE Codigo = 8");
    const auto d = store.days(1, 1, kDay5, kDay5, 0);
    ASSERT_EQ(d.size(), 3);
    EXPECT_EQ(d[1].cajero, 8);
    EXPECT_EQ(d[1].nombreCajero, QString());
}

// The card name reads only the suite's columns of Tpv_Tickets_Tarjeta (this
// fixture's table has no line number, as the suite's), in the suite's text.
TEST_F(TicketQueries, CardNameFallsBackToTarjeta)
{
    const auto server = zqvr::db::Connection::open(QStringLiteral("record:sqlserver"));
    EXPECT_EQ(sql::cardName(server->dialect(), {1, 2, 3, kDay5, 4}),
              QStringLiteral("SELECT ISNULL(T.Nombre, '') AS Nombre FROM Tpv_Tickets_Tarjeta TT LEFT JOIN Tarjetas T ON "
                             "(T.Codigo = TT.Tipo ) WHERE TT.Cod_Empresa = 1 AND TT.Cod_Almacen = 2 AND TT.Caja = 3 "
                             "AND TT.Fecha ='05/12/2026' AND TT.Codigo =4"));
    EXPECT_EQ(store.cardName({1, 1, 1, kDay5, 2}), QStringLiteral("VISA"));
    EXPECT_EQ(store.cardName({1, 1, 1, kDay5, 1}), QStringLiteral("Tarjeta"));
    db.exec("UPDATE Tarjetas SET Nombre = ''");
    EXPECT_EQ(store.cardName({1, 1, 1, kDay5, 2}), QStringLiteral("Tarjeta"));
}

TEST_F(TicketQueries, TicketModelCodeMissingCountsAsTextReceipt)
{
    EXPECT_TRUE(store.textReceipt(1, 1));
    db.exec("INSERT INTO Tpv_Parametros (Cod_Empresa, Cod_Almacen, Codigo, Valor) VALUES (1, 1, 75, '0')");
    EXPECT_FALSE(store.textReceipt(1, 1));
    EXPECT_TRUE(store.textReceipt(1, 2));
    db.exec("UPDATE Tpv_Parametros SET Valor = '1' WHERE Codigo = 75");
    EXPECT_TRUE(store.textReceipt(1, 1));
}

TEST_F(TicketQueries, TicketByKeyFindsItsCashier)
{
    const auto t = store.ticket({1, 1, 1, kDay5, 3}, 1);
    ASSERT_TRUE(t.has_value());
    EXPECT_EQ(t->cajero, 8);
    EXPECT_EQ(t->nombreCajero, QStringLiteral("Luis Pérez"));
    EXPECT_DOUBLE_EQ(t->row.total, 1.2);
    EXPECT_FALSE(store.ticket({1, 1, 2, kDay5, 3}, 1).has_value());
}

TEST(PromotionKinds, NamesOnlyForKindsTwoToSixteen)
{
    EXPECT_EQ(nombreTipoPromocion(2), QStringLiteral("Bonificación"));
    EXPECT_EQ(nombreTipoPromocion(4), QStringLiteral("Promoción MxN"));
    EXPECT_EQ(nombreTipoPromocion(5), QStringLiteral("Unidad a %/Importe Dto"));
    EXPECT_EQ(nombreTipoPromocion(15), QStringLiteral("Liquidación"));
    EXPECT_EQ(nombreTipoPromocion(16), QStringLiteral("GruposPvp"));
    for (int k : {-1, 0, 1, 17, 100})
        EXPECT_EQ(nombreTipoPromocion(k), QString()) << k;
}

TEST(TaxText, ShowsTheRateInTheSuitesNotation)
{
    EXPECT_EQ(textoImpuesto(0), QStringLiteral("0%"));
    EXPECT_EQ(textoImpuesto(7), QStringLiteral("7%"));
    EXPECT_EQ(textoImpuesto(9.5), QStringLiteral("9,5%"));
    EXPECT_EQ(textoImpuesto(6.25), QStringLiteral("6,25%"));
}

} // namespace
