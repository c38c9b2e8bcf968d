// The gift-card articles window, through its widgets.
#include "touchscreen/frmArtTarjetaRegalo.h"

#include "controls/Grid.h"
#include "controls/ctlCodePicker.h"
#include "controls/ctlTextBox.h"
#include "support/ScreenTest.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zqvr;
using controls::Grid;

namespace {

class GiftCardWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        installInHostContext(db);
        db.exec("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion) VALUES"
                " (1, 10, 'Tarjeta regalo 20 €'), (1, 11, 'Tarjeta regalo 50 €'), (1, 12, 'Pan')");
        db.exec("INSERT INTO Articulos_TRegalo (Cod_Empresa, Cod_Articulo) VALUES (1, 11), (1, 99)");
        form = std::make_unique<touchscreen::frmArtTarjetaRegalo>();
        form->showForm(0);
    }
    Grid* grid() { return form->findChild<Grid*>(QStringLiteral("vsArticulos")); }
    controls::ctlArticulo* picker() { return form->findChild<controls::ctlArticulo*>(QStringLiteral("txtArticulo")); }
    void enterArticle(const QString& code)
    {
        picker()->setText(QString());
        QTest::keyClicks(picker()->codeField(), code); // typed, as a user does
        QTest::keyClick(picker()->codeField(), Qt::Key_Return);
    }
    test::TestDatabase db;
    test::ServiceDoubles services;
    std::unique_ptr<touchscreen::frmArtTarjetaRegalo> form;
};

TEST_F(GiftCardWindow, ListsTheCardsWhoseArticleExists)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Artículo para Tarjeta de Regalo"));
    ASSERT_EQ(grid()->Rows(), 2);
    EXPECT_EQ(grid()->TextMatrix(0, 0), QStringLiteral("Código"));
    EXPECT_EQ(grid()->TextMatrix(1, 0), QStringLiteral("11"));
    EXPECT_EQ(grid()->TextMatrix(1, 1), QStringLiteral("Tarjeta regalo 50 €"));
}

TEST_F(GiftCardWindow, EnterAddsTheArticleOnceAndClearsThePicker)
{
    enterArticle(QStringLiteral("10"));
    ASSERT_EQ(grid()->Rows(), 3);
    EXPECT_EQ(grid()->TextMatrix(2, 0), QStringLiteral("10"));
    EXPECT_EQ(grid()->TextMatrix(2, 1), QStringLiteral("Tarjeta regalo 20 €"));
    EXPECT_EQ(db.count("Articulos_TRegalo", "Cod_Articulo = 10"), 1);
    EXPECT_EQ(picker()->Codigo(), 0);
    EXPECT_TRUE(services.messages->shown.empty());

    enterArticle(QStringLiteral("10"));
    ASSERT_NE(services.messages->last(), nullptr);
    EXPECT_EQ(services.messages->last()->text, QStringLiteral("Ya el artículo esta establecido como tarjeta de regalo."));
    EXPECT_EQ(services.messages->last()->caption, QStringLiteral("Error"));
    EXPECT_EQ(services.messages->last()->icon, frame::MsgIcon::Critical);
    EXPECT_EQ(grid()->Rows(), 3);
    EXPECT_EQ(db.count("Articulos_TRegalo", "Cod_Articulo = 10"), 1);
}

TEST_F(GiftCardWindow, EmptyOrUnknownArticleAddsNothing)
{
    enterArticle(QString());
    EXPECT_TRUE(services.messages->shown.empty());
    enterArticle(QStringLiteral("4242"));
    ASSERT_NE(services.messages->last(), nullptr);
    EXPECT_EQ(services.messages->last()->text, QStringLiteral("No existe el artículo 4242."));
    EXPECT_EQ(grid()->Rows(), 2);
    EXPECT_EQ(db.count("Articulos_TRegalo"), 2);
}

TEST_F(GiftCardWindow, DeleteKeyAndEliminarRemoveTheSelectedCard)
{
    enterArticle(QStringLiteral("10"));
    grid()->setRow(1);
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_Delete);
    EXPECT_EQ(db.count("Articulos_TRegalo", "Cod_Articulo = 11"), 0);
    ASSERT_EQ(grid()->Rows(), 2);
    EXPECT_EQ(grid()->TextMatrix(1, 0), QStringLiteral("10"));
    grid()->setRow(1);
    QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("cmdEliminar")), Qt::LeftButton);
    EXPECT_EQ(grid()->Rows(), 1);
    EXPECT_EQ(db.count("Articulos_TRegalo", "Cod_Articulo = 10"), 0);
    // Nothing selected: nothing happens.
    QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("cmdEliminar")), Qt::LeftButton);
    EXPECT_TRUE(services.messages->shown.empty());
}

TEST(GiftCardWindowSharedArticles, CardsAreStoredUnderTheCompanyNotTheArticleCompany)
{
    test::TestDatabase db;
    test::ServiceDoubles services;
    installInHostContext(db);
    db.empresa().setCodigoEmpresa(3);
    db.empresa().setEmpresaArticulos(1);
    db.exec("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion) VALUES (1, 10, 'Tarjeta regalo 20 €')");
    db.exec("INSERT INTO Articulos_TRegalo (Cod_Empresa, Cod_Articulo) VALUES (1, 10)");
    touchscreen::frmArtTarjetaRegalo form;
    form.showForm(0);
    auto* grid = form.findChild<Grid*>(QStringLiteral("vsArticulos"));
    EXPECT_EQ(grid->Rows(), 1) << "the article company's own cards are not this company's";
    auto* picker = form.findChild<controls::ctlArticulo*>(QStringLiteral("txtArticulo"));
    QTest::keyClicks(picker->codeField(), QStringLiteral("10"));
    QTest::keyClick(picker->codeField(), Qt::Key_Return);
    EXPECT_TRUE(services.messages->shown.empty()) << services.messages->texts().join('\n').toStdString();
    EXPECT_EQ(db.count("Articulos_TRegalo", "Cod_Empresa = 3 AND Cod_Articulo = 10"), 1);
    EXPECT_EQ(db.count("Articulos_TRegalo", "Cod_Empresa = 1"), 1);
    form.close();
    touchscreen::frmArtTarjetaRegalo again;
    again.showForm(0);
    auto* g2 = again.findChild<Grid*>(QStringLiteral("vsArticulos"));
    ASSERT_EQ(g2->Rows(), 2);
    EXPECT_EQ(g2->TextMatrix(1, 1), QStringLiteral("Tarjeta regalo 20 €"));
}

} // namespace
