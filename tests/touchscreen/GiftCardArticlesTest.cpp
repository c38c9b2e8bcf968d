// The gift-card article list, without its window.
#include "db/Error.h"
#include "touchscreen/GiftCardArticles.h"

#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace zqvr::touchscreen;

namespace {

class GiftCards : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.exec("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion) VALUES"
                " (1, 10, 'Tarjeta regalo 20 €'), (1, 11, 'Tarjeta regalo 50 €'), (2, 10, 'Otra empresa')");
        db.exec("INSERT INTO Articulos_TRegalo (Cod_Empresa, Cod_Articulo) VALUES (1, 11), (1, 77), (2, 10)");
    }
    zqvr::test::TestDatabase db;
    GiftCardArticles cards{db.conn(), 1, 1};
};

TEST_F(GiftCards, ListsOnlyTheCompanysCardsWhoseArticleStillExists)
{
    const auto l = cards.list();
    ASSERT_EQ(l.size(), 1);
    EXPECT_EQ(l[0].first, 11);
    EXPECT_EQ(l[0].second, QStringLiteral("Tarjeta regalo 50 €"));
}

TEST_F(GiftCards, AddingTwiceOrAnUnknownArticleAddsNothing)
{
    EXPECT_EQ(cards.add(10), GiftCardArticles::AddResult::Added);
    EXPECT_EQ(cards.add(10), GiftCardArticles::AddResult::AlreadyThere);
    EXPECT_EQ(cards.add(12345), GiftCardArticles::AddResult::NoSuchArticle);
    EXPECT_EQ(db.count("Articulos_TRegalo", "Cod_Empresa = 1"), 3);
    EXPECT_EQ(cards.list().size(), 2);
}

// Company 3 sells from company 1's article file: its cards are its own rows,
// described from the shared articles.
TEST_F(GiftCards, ACompanySharingAnotherArticleFileKeepsItsCardsUnderItsOwnCode)
{
    GiftCardArticles shared{db.conn(), 3, 1};
    EXPECT_TRUE(shared.list().isEmpty());
    EXPECT_EQ(shared.add(10), GiftCardArticles::AddResult::Added);
    EXPECT_EQ(shared.add(12345), GiftCardArticles::AddResult::NoSuchArticle);
    EXPECT_EQ(db.count("Articulos_TRegalo", "Cod_Empresa = 3 AND Cod_Articulo = 10"), 1);
    EXPECT_EQ(db.count("Articulos_TRegalo", "Cod_Empresa = 1"), 2) << "the article company's cards stay as they were";
    const auto l = shared.list();
    ASSERT_EQ(l.size(), 1);
    EXPECT_EQ(l[0].first, 10);
    EXPECT_EQ(l[0].second, QStringLiteral("Tarjeta regalo 20 €"));
    EXPECT_EQ(shared.add(10), GiftCardArticles::AddResult::AlreadyThere);
    EXPECT_EQ(cards.list().size(), 1);
    EXPECT_THROW(shared.remove(11), zqvr::Error) << "company 3 has no card 11, whatever company 1 has";
    shared.remove(10);
    EXPECT_EQ(db.count("Articulos_TRegalo", "Cod_Empresa = 3"), 0);
    EXPECT_EQ(db.count("Articulos_TRegalo", "Cod_Empresa = 1"), 2);
}

TEST_F(GiftCards, RemovingTouchesOnlyTheCompanysRow)
{
    cards.remove(11);
    // Another user removed it first: said so, and nothing else is touched.
    try {
        cards.remove(11);
        ADD_FAILURE() << "a mark that is gone was removed again silently";
    } catch (const zqvr::Error& e) {
        EXPECT_EQ(e.number(), zqvr::errc::RowDeleted);
        EXPECT_EQ(e.description(), "El artículo 11 de tarjeta regalo ya no existe: otro usuario lo ha eliminado.");
    }
    EXPECT_EQ(db.count("Articulos_TRegalo", "Cod_Empresa = 2 AND Cod_Articulo = 10"), 1);
    EXPECT_TRUE(cards.list().isEmpty());
}

} // namespace
