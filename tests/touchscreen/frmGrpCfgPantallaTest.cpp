// The layout editor through its widgets: pages laid out by grid type,
// property changes written to the right column, commands, and drags made
// with the mouse.
#include "controls/Grid.h"
#include "controls/PropertyGrid.h"
#include "controls/ctlSearchDialog.h"
#include "support/ScreenTest.h"
#include "touchscreen/LayoutPlaces.h"
#include "touchscreen/PageButton.h"
#include "touchscreen/frmGrpCfgPantalla.h"

#include "support/FailingWrites.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace zqvr;
using controls::PropertyGrid;
using frame::MsgResult;
using touchscreen::frmGrpCfgPantalla;
using touchscreen::PageButton;

namespace {

class LayoutEditor : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::installInHostContext(db);
        db.exec("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion) VALUES (1, 321, 'CAFE SOLO'),"
                " (1, 322, 'CORTADO')");
    }
    void addCfg(int code, int type, int defaultGroup = 0)
    {
        db.exec(QStringLiteral("INSERT INTO TPV_CfgPantalla (Cod_Empresa, Cod_CfgPantalla, Descripcion, Tipo, Cod_GrupoDF)"
                               " VALUES (1, %1, 'Barra', %2, %3)").arg(code).arg(type).arg(defaultGroup));
    }
    void addGroup(int cfg, int number, int place, const QString& text)
    {
        db.exec(QStringLiteral("INSERT INTO TPV_CfgPantalla_Grupos (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo, Posicion,"
                               " Descripcion, BackColor) VALUES (1, %1, %2, %3, '%4', 255)")
                    .arg(cfg).arg(number).arg(place).arg(text));
    }
    void addKey(int cfg, int group, int place, int article, const QString& texto = QString(), int mode = 0)
    {
        db.exec(QStringLiteral("INSERT INTO TPV_CfgPantalla_Grupos_Lineas (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo,"
                               " Posicion, Cod_Articulo, TipoTexto, Texto, BackColor) VALUES (1, %1, %2, %3, %4, %5, '%6', %7)")
                    .arg(cfg).arg(group).arg(place).arg(article).arg(mode).arg(texto).arg(16185078));
    }
    void open(int cfg, int type)
    {
        editor = std::make_unique<frmGrpCfgPantalla>();
        editor->setCodigo(cfg);
        editor->setTipo(type);
        editor->setDescripcion("Barra");
        editor->Form_Load();
        editor->resize(1300, 800);
        editor->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
    }
    PageButton* button(const char* array, int index)
    {
        for (auto* b : editor->findChildren<PageButton*>(array))
            if (b->property("index").toInt() == index)
                return b;
        return nullptr;
    }
    PropertyGrid* grid(const char* name) { return editor->findChild<PropertyGrid*>(name); }
    QString cell(const QString& sql) { return db.conn().scalar(sql).toString(); }
    // Drags a button with the mouse onto the left or right half of another.
    void drag(PageButton* from, PageButton* to, bool rightHalf)
    {
        const QPoint start = from->rect().center();
        QTest::mousePress(from, Qt::LeftButton, {}, start);
        const QPoint target = from->mapFromGlobal(
            to->mapToGlobal(QPoint(rightHalf ? to->width() * 3 / 4 : to->width() / 4, to->height() / 2)));
        for (const QPoint& p : {start + QPoint(10, 0), target}) {
            QMouseEvent move(QEvent::MouseMove, p, from->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(from, &move);
        }
        arrowWasShown = editor->findChild<QLabel*>("pctFlecha")->isVisible();
        QTest::mouseRelease(from, Qt::LeftButton, {}, target);
    }

    test::TestDatabase db;
    test::ServiceDoubles services;
    std::unique_ptr<frmGrpCfgPantalla> editor;
    bool arrowWasShown = false;
};

TEST_F(LayoutEditor, PagesAreLaidOutByGridTypeWithStoredButtonsAtTheirPlaces)
{
    addCfg(1, 0, 2);
    addGroup(1, 2, 7, "Cafés");   // 3 x 4: place 7 is button 1
    addGroup(1, 12, 35, "Fin");   // and place 35 button 11
    addKey(1, 2, 33, 321);        // button 9 of the default group
    addKey(1, 2, 6, 0);           // a stored key with nothing to show
    ASSERT_NO_FATAL_FAILURE(open(1, 0));
    ASSERT_EQ(editor->findChildren<PageButton*>("cmdRapido").size(), 12);
    ASSERT_EQ(editor->findChildren<PageButton*>("cmdArticulo").size(), 12);
    // Four rows of three, 1440 x 1200 twips apart.
    EXPECT_EQ(button("cmdRapido", 4)->x() - button("cmdRapido", 3)->x(), 96);
    EXPECT_EQ(button("cmdRapido", 3)->y() - button("cmdRapido", 0)->y(), 80);
    EXPECT_EQ(button("cmdRapido", 1)->text(), "Cafés");
    EXPECT_EQ(button("cmdRapido", 11)->text(), "Fin");
    // The default group is selected first, with its marker and its keys.
    EXPECT_EQ(editor->grupoSeleccionado(), 1);
    auto* marker = editor->findChild<QCheckBox*>("chkGDF");
    EXPECT_TRUE(marker->isVisible());
    EXPECT_TRUE(button("cmdRapido", 1)->geometry().contains(marker->geometry().center()));
    EXPECT_EQ(button("cmdArticulo", 9)->text(), "CAFE SOLO");
    EXPECT_EQ(button("cmdArticulo", 0)->text(), "[VACIO]");
    EXPECT_EQ(button("cmdArticulo", 1)->text(), "");
    EXPECT_TRUE(grid("wndPropGridGrp")->item(5)->value().toBool());
    EXPECT_EQ(editor->windowTitle(), "[Configuración Grupos Pantalla] - Barra");
}

TEST_F(LayoutEditor, TheFirstChangeOnAnEmptyGroupCreatesItAndOpensItsKeys)
{
    addCfg(1, 1);
    ASSERT_NO_FATAL_FAILURE(open(1, 1));
    editor->cmdRapido_Click(20);
    EXPECT_FALSE(editor->findChild<QGroupBox*>("fraArticulos")->isEnabled());
    grid("wndPropGridGrp")->item(2)->setValueFromUser(QStringLiteral("Licores 'premium'"));
    EXPECT_EQ(cell("SELECT Descripcion FROM TPV_CfgPantalla_Grupos WHERE Cod_Grupo = 21 AND Posicion = 20"),
              "Licores 'premium'");
    EXPECT_TRUE(editor->findChild<QGroupBox*>("fraArticulos")->isEnabled());
    EXPECT_EQ(button("cmdRapido", 20)->text(), "Licores 'premium'");

    // Colours go in as 24-bit values with red in the low byte.
    services.modal->queue([](QDialog& d) {
        static_cast<QColorDialog&>(d).setCurrentColor(QColor(0x11, 0x22, 0x33));
        return int(QDialog::Accepted);
    });
    grid("wndPropGridGrp")->item(4)->editor()->findChild<QToolButton*>()->click();
    EXPECT_EQ(cell("SELECT BackColor FROM TPV_CfgPantalla_Grupos WHERE Cod_Grupo = 21").toInt(), 0x332211);
    EXPECT_EQ(button("cmdRapido", 20)->backColor(), QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(db.count("TPV_CfgPantalla_Grupos"), 1);
}

TEST_F(LayoutEditor, KeyPropertiesGoToTheirColumns)
{
    addCfg(1, 0);
    addGroup(1, 1, 6, "Cafés");
    ASSERT_NO_FATAL_FAILURE(open(1, 0));
    editor->cmdArticulo_Click(4); // place 16
    PropertyGrid* a = grid("wndPropGridArt");
    a->item(2)->setValueFromUser("322");
    EXPECT_EQ(cell("SELECT Cod_Articulo FROM TPV_CfgPantalla_Grupos_Lineas WHERE Cod_Grupo = 1 AND Posicion = 16"), "322");
    EXPECT_EQ(a->item(4)->value().toString(), "CORTADO");
    EXPECT_TRUE(a->item(4)->isReadOnly());
    EXPECT_EQ(button("cmdArticulo", 4)->text(), "CORTADO");

    const std::pair<int, QVariant> changes[] = {
        {5, 2.5}, {6, QColor(255, 0, 0)}, {10, 1}, {11, "C:\\web\\x's.html"}, {3, 1}, {4, "Café doble"}};
    for (const auto& [item, value] : changes)
        a->item(item)->setValueFromUser(value);
    const QString where = " FROM TPV_CfgPantalla_Grupos_Lineas WHERE Cod_Grupo = 1 AND Posicion = 16";
    EXPECT_DOUBLE_EQ(db.conn().scalar("SELECT Unidades" + where).toDouble(), 2.5);
    EXPECT_EQ(cell("SELECT ForeColor" + where).toInt(), 255);
    EXPECT_EQ(cell("SELECT Pesado" + where), "1");
    EXPECT_EQ(cell("SELECT PathVinculo" + where), "C:\\web\\x's.html");
    EXPECT_EQ(cell("SELECT TipoTexto" + where), "1");
    EXPECT_EQ(cell("SELECT Texto" + where), "Café doble");
    EXPECT_EQ(button("cmdArticulo", 4)->text(), "Café doble");
    EXPECT_EQ(db.count("TPV_CfgPantalla_Grupos_Lineas"), 1);
}

TEST_F(LayoutEditor, TypedTextsStopAtTheirColumnsWidthButAnArticlesDescriptionShowsWhole)
{
    const QString longName = QStringLiteral("CAFE ") + QString(85, QLatin1Char('A'));
    db.exec("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion) VALUES (1, 323, '" + longName + "')");
    addCfg(1, 0);
    addGroup(1, 1, 6, "Cafés");
    ASSERT_NO_FATAL_FAILURE(open(1, 0));
    editor->cmdArticulo_Click(4); // place 16
    PropertyGrid* a = grid("wndPropGridArt");
    a->item(2)->setValueFromUser("323");
    auto* text = qobject_cast<QLineEdit*>(a->item(4)->editor());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(), longName);

    // The key's own text is typed up to what the table keeps, and kept whole.
    a->item(3)->setValueFromUser(1);
    text->clear();
    test::typeText(text, QString(80, QChar(u'ñ')));
    QTest::keyClick(text, Qt::Key_Return);
    const QString where = " FROM TPV_CfgPantalla_Grupos_Lineas WHERE Cod_Grupo = 1 AND Posicion = 16";
    EXPECT_EQ(cell("SELECT Texto" + where), QString(50, QChar(u'ñ')));
    // Back to the article's text: its description again, not cut.
    a->item(3)->setValueFromUser(0);
    EXPECT_EQ(text->text(), longName);

    auto* link = qobject_cast<QLineEdit*>(a->item(11)->editor());
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->maxLength(), 255);
    auto* groupText = grid("wndPropGridGrp")->item(2)->editor()->findChild<QLineEdit*>();
    if (!groupText)
        groupText = qobject_cast<QLineEdit*>(grid("wndPropGridGrp")->item(2)->editor());
    ASSERT_NE(groupText, nullptr);
    EXPECT_EQ(groupText->maxLength(), 50);
}

TEST_F(LayoutEditor, BackLinkAndUnknownArticleKeys)
{
    addCfg(1, 1);
    addGroup(1, 1, 0, "Cafés");
    ASSERT_NO_FATAL_FAILURE(open(1, 1));
    PropertyGrid* a = grid("wndPropGridArt");
    editor->cmdArticulo_Click(0);
    a->item(1)->setValueFromUser(-1);
    EXPECT_EQ(cell("SELECT Cod_Articulo || '/' || TipoTexto || '/' || Texto FROM TPV_CfgPantalla_Grupos_Lineas"
                   " WHERE Posicion = 0"), "-1/1/ATRAS");
    EXPECT_TRUE(a->item(2)->isReadOnly());
    EXPECT_EQ(a->item(2)->value().toString(), "");
    EXPECT_EQ(button("cmdArticulo", 0)->text(), "ATRAS");

    editor->cmdArticulo_Click(1);
    a->item(1)->setValueFromUser(-2);
    a->item(11)->setValueFromUser("https://example.es/carta");
    EXPECT_EQ(cell("SELECT Cod_Articulo || '/' || TipoTexto || '/' || PathVinculo FROM TPV_CfgPantalla_Grupos_Lineas"
                   " WHERE Posicion = 1"), "-2/1/https://example.es/carta");

    editor->cmdArticulo_Click(2);
    a->item(2)->setValueFromUser("99999");
    EXPECT_EQ(cell("SELECT Cod_Articulo FROM TPV_CfgPantalla_Grupos_Lineas WHERE Posicion = 2"), "0");
    EXPECT_EQ(a->item(4)->value().toString(), "EL ARTICULO NO EXISTE");
    EXPECT_EQ(a->item(2)->value().toString(), "");
    // Text that is no number is cleared and nothing is stored.
    a->item(2)->setValueFromUser("abc");
    EXPECT_EQ(a->item(2)->value().toString(), "");
    EXPECT_EQ(cell("SELECT Cod_Articulo FROM TPV_CfgPantalla_Grupos_Lineas WHERE Posicion = 2"), "0");
    // Coming back to the back key shows it as such.
    editor->cmdArticulo_Click(0);
    EXPECT_EQ(a->item(1)->value().toInt(), -1);
    EXPECT_TRUE(a->item(2)->isReadOnly());
    EXPECT_TRUE(services.messages->shown.empty());
}

// A key with its own text takes the code as typed, known article or not.
TEST_F(LayoutEditor, WithItsOwnTextAKeyStoresTheTypedArticleCodeWithoutLookingItUp)
{
    addCfg(1, 1);
    addGroup(1, 1, 0, "Cafés");
    ASSERT_NO_FATAL_FAILURE(open(1, 1));
    PropertyGrid* a = grid("wndPropGridArt");
    editor->cmdArticulo_Click(2);
    a->item(3)->setValueFromUser(1);
    a->item(4)->setValueFromUser("Oferta");
    a->item(2)->setValueFromUser("99999");
    EXPECT_TRUE(services.messages->shown.empty()) << services.messages->texts().join('\n').toStdString();
    EXPECT_EQ(cell("SELECT Cod_Articulo || '/' || TipoTexto || '/' || Texto FROM TPV_CfgPantalla_Grupos_Lineas"
                   " WHERE Posicion = 2"), "99999/1/Oferta");
    EXPECT_EQ(a->item(2)->value().toString(), "99999");
    EXPECT_EQ(a->item(4)->value().toString(), "Oferta");
    EXPECT_FALSE(a->item(4)->isReadOnly());
    EXPECT_EQ(button("cmdArticulo", 2)->text(), "Oferta");

    // A known article is stored the same way; its description shows once the key goes back to the article's text.
    a->item(2)->setValueFromUser("321");
    EXPECT_EQ(cell("SELECT Cod_Articulo FROM TPV_CfgPantalla_Grupos_Lineas WHERE Posicion = 2"), "321");
    EXPECT_EQ(button("cmdArticulo", 2)->text(), "Oferta");
    a->item(3)->setValueFromUser(0);
    EXPECT_EQ(button("cmdArticulo", 2)->text(), "CAFE SOLO");
    EXPECT_TRUE(services.messages->shown.empty());
}

TEST_F(LayoutEditor, F3OnTheArticleItemSearchesAndTakesTheChosenArticle)
{
    addCfg(1, 1);
    addGroup(1, 1, 0, "Cafés");
    ASSERT_NO_FATAL_FAILURE(open(1, 1));
    editor->cmdArticulo_Click(3);
    services.modal->queue([](QDialog& d) {
        auto& search = dynamic_cast<controls::ctlSearchDialog&>(d);
        search.setFilter("CORT");
        QTest::keyClick(static_cast<QWidget*>(search.list()), Qt::Key_Return);
        return search.result();
    });
    PropertyGrid* a = grid("wndPropGridArt");
    a->item(2)->select();
    QWidget* field = a->item(2)->editor()->findChild<QLineEdit*>();
    QTest::keyClick(field, Qt::Key_F3);
    ASSERT_EQ(services.modal->steps.size(), 0u);
    EXPECT_EQ(cell("SELECT Cod_Articulo FROM TPV_CfgPantalla_Grupos_Lineas WHERE Posicion = 3"), "322");
    EXPECT_EQ(button("cmdArticulo", 3)->text(), "CORTADO");
}

TEST_F(LayoutEditor, PicturesAreStoredShownAndRemoved)
{
    addCfg(1, 1);
    ASSERT_NO_FATAL_FAILURE(open(1, 1));
    QTemporaryDir dir;
    const QString png = dir.filePath("g.png");
    QImage img(80, 80, QImage::Format_RGB32);
    img.fill(Qt::green);
    ASSERT_TRUE(img.save(png));
    services.files->answers.push_back(png);
    grid("wndPropGridGrp")->item(6)->editor()->findChild<QToolButton*>()->click();
    EXPECT_FALSE(db.conn().scalar("SELECT Imagen FROM TPV_CfgPantalla_Grupos WHERE Cod_Grupo = 1").toByteArray().isEmpty());
    EXPECT_FALSE(button("cmdRapido", 0)->picture().isNull());

    // A file that is no picture is reported; the group keeps its picture.
    const QString bad = dir.filePath("bad.png");
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("nada");
    f.close();
    services.files->answers.push_back(bad);
    grid("wndPropGridGrp")->item(6)->editor()->findChild<QToolButton*>()->click();
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_EQ(services.messages->shown[0].caption, "frmGrpCfgPantalla:wndPropGridGrp_ValueChanged");
    EXPECT_FALSE(button("cmdRapido", 0)->picture().isNull());

    static_cast<QToolButton*>(grid("wndPropGridGrp")->commandWidget(103))->click();
    EXPECT_EQ(db.conn().scalar("SELECT Imagen FROM TPV_CfgPantalla_Grupos WHERE Cod_Grupo = 1").toByteArray(), QByteArray(""));
    EXPECT_TRUE(button("cmdRapido", 0)->picture().isNull());
    EXPECT_EQ(button("cmdRapido", 0)->text(), "[VACIO]");
}

TEST_F(LayoutEditor, TheDefaultGroupIsReplacedNeverCleared)
{
    addCfg(1, 1, 1);
    addGroup(1, 1, 0, "Uno");
    addGroup(1, 2, 1, "Dos");
    ASSERT_NO_FATAL_FAILURE(open(1, 1));
    editor->cmdRapido_Click(1);
    // Unticking on the default group leaves it the default; ticking another moves the default there.
    grid("wndPropGridGrp")->item(5)->setValueFromUser(true);
    EXPECT_EQ(cell("SELECT Cod_GrupoDF FROM TPV_CfgPantalla"), "2");
    editor->cmdRapido_Click(1);
    grid("wndPropGridGrp")->item(5)->setValueFromUser(false);
    EXPECT_EQ(cell("SELECT Cod_GrupoDF FROM TPV_CfgPantalla"), "2");
    EXPECT_TRUE(grid("wndPropGridGrp")->item(5)->value().toBool());
    editor->cmdRapido_Click(0);
    static_cast<QToolButton*>(grid("wndPropGridGrp")->commandWidget(101))->click();
    EXPECT_EQ(cell("SELECT Cod_GrupoDF FROM TPV_CfgPantalla"), "1");
    EXPECT_TRUE(editor->grupos()[0].defecto);
    EXPECT_FALSE(editor->grupos()[1].defecto);
}

TEST_F(LayoutEditor, DeletingKeysAndGroupsAsksFirst)
{
    addCfg(1, 1);
    addGroup(1, 1, 0, "Uno");
    addKey(1, 1, 0, 321);
    addKey(1, 1, 1, 322);
    ASSERT_NO_FATAL_FAILURE(open(1, 1));
    editor->cmdArticulo_Click(1);
    services.messages->queueAnswer(MsgResult::Yes);
    static_cast<QToolButton*>(grid("wndPropGridArt")->commandWidget(201))->click();
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_EQ(services.messages->shown[0].text, "¿Desea eliminar el artículo seleccionado.?");
    EXPECT_EQ(services.messages->shown[0].caption, "Eliminar ARTICULO");
    EXPECT_EQ(db.count("TPV_CfgPantalla_Grupos_Lineas"), 1);
    EXPECT_EQ(button("cmdArticulo", 1)->text(), "");

    services.messages->queueAnswer(MsgResult::No);
    static_cast<QToolButton*>(grid("wndPropGridGrp")->commandWidget(102))->click();
    EXPECT_EQ(db.count("TPV_CfgPantalla_Grupos"), 1);
    services.messages->queueAnswer(MsgResult::Yes);
    static_cast<QToolButton*>(grid("wndPropGridGrp")->commandWidget(102))->click();
    EXPECT_EQ(services.messages->shown.back().caption, "Eliminar GRUPO");
    EXPECT_EQ(db.count("TPV_CfgPantalla_Grupos"), 0);
    EXPECT_EQ(db.count("TPV_CfgPantalla_Grupos_Lineas"), 0);
    EXPECT_FALSE(editor->findChild<QGroupBox*>("fraArticulos")->isEnabled());
}

// The terminals must not open a group nobody chose as default because it was made where the default used to be.
TEST_F(LayoutEditor, DeletingTheDefaultGroupLeavesNoDefaultForAGroupMadeThereLater)
{
    addCfg(1, 0, 2);
    addGroup(1, 1, 6, "Uno");
    addGroup(1, 2, 7, "Dos");
    ASSERT_NO_FATAL_FAILURE(open(1, 0));
    ASSERT_EQ(editor->grupoSeleccionado(), 1);
    auto* marker = editor->findChild<QCheckBox*>("chkGDF");
    ASSERT_TRUE(marker->isVisible());
    services.messages->queueAnswer(MsgResult::Yes);
    static_cast<QToolButton*>(grid("wndPropGridGrp")->commandWidget(102))->click();
    EXPECT_EQ(cell("SELECT Cod_GrupoDF FROM TPV_CfgPantalla"), "0");
    EXPECT_FALSE(marker->isVisible());

    grid("wndPropGridGrp")->item(2)->setValueFromUser(QStringLiteral("Nuevo"));
    EXPECT_EQ(cell("SELECT Descripcion FROM TPV_CfgPantalla_Grupos WHERE Cod_Grupo = 2"), "Nuevo");
    EXPECT_EQ(cell("SELECT Cod_GrupoDF FROM TPV_CfgPantalla"), "0");
    EXPECT_FALSE(editor->grupos()[1].defecto);
    EXPECT_FALSE(grid("wndPropGridGrp")->item(5)->value().toBool());
    EXPECT_FALSE(marker->isVisible());
    // Opened again, nothing is the default: the first button is selected.
    ASSERT_NO_FATAL_FAILURE(open(1, 0));
    EXPECT_EQ(editor->grupoSeleccionado(), 0);
    EXPECT_FALSE(editor->findChild<QCheckBox*>("chkGDF")->isVisible());
}

TEST_F(LayoutEditor, DraggingAKeyWithTheMouseMovesItByTheHalfItIsDroppedOn)
{
    addCfg(1, 1);
    addGroup(1, 1, 0, "Uno");
    addKey(1, 1, 0, 321);
    addKey(1, 1, 1, 322);
    ASSERT_NO_FATAL_FAILURE(open(1, 1));
    // The left half of the next key leaves the order as it was.
    drag(button("cmdArticulo", 0), button("cmdArticulo", 1), false);
    EXPECT_TRUE(arrowWasShown);
    EXPECT_FALSE(editor->findChild<QLabel*>("pctFlecha")->isVisible());
    EXPECT_EQ(cell("SELECT Cod_Articulo FROM TPV_CfgPantalla_Grupos_Lineas WHERE Posicion = 0"), "321");
    // Its right half swaps them, in the table and on the page.
    drag(button("cmdArticulo", 0), button("cmdArticulo", 1), true);
    EXPECT_EQ(cell("SELECT Cod_Articulo FROM TPV_CfgPantalla_Grupos_Lineas WHERE Posicion = 0"), "322");
    EXPECT_EQ(cell("SELECT Cod_Articulo FROM TPV_CfgPantalla_Grupos_Lineas WHERE Posicion = 1"), "321");
    EXPECT_EQ(button("cmdArticulo", 0)->text(), "CORTADO");
    EXPECT_EQ(button("cmdArticulo", 1)->text(), "CAFE SOLO");
    EXPECT_EQ(editor->articulos()[1].posicion, 1);
    // Dropping on itself or outside the page changes nothing.
    drag(button("cmdArticulo", 1), button("cmdArticulo", 1), true);
    drag(button("cmdArticulo", 1), button("cmdRapido", 5), true);
    EXPECT_EQ(cell("SELECT Cod_Articulo FROM TPV_CfgPantalla_Grupos_Lineas WHERE Posicion = 1"), "321");
    EXPECT_EQ(db.count("TPV_CfgPantalla_Grupos_Lineas"), 2);
}

TEST_F(LayoutEditor, AMoveThatFailsLeavesTableAndPageAsTheyWere)
{
    addCfg(1, 0, 1);
    addGroup(1, 1, 6, "Uno");
    addGroup(1, 2, 7, "Dos");
    addKey(1, 1, 6, 321);
    addKey(1, 2, 6, 322);
    ASSERT_NO_FATAL_FAILURE(open(1, 0));
    test::FailingWrites failing(db, {"TPV_CfgPantalla_Grupos_Lineas"});
    failing.failAt(2);
    const auto before = editor->grupos();
    editor->MoverGrupo(0, 1, true);
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_EQ(services.messages->shown[0].caption, "frmGrpCfgPantalla:MoverGrupo");
    failing.off();
    EXPECT_EQ(cell("SELECT Descripcion FROM TPV_CfgPantalla_Grupos WHERE Cod_Grupo = 1"), "Uno");
    EXPECT_EQ(cell("SELECT Cod_Articulo FROM TPV_CfgPantalla_Grupos_Lineas WHERE Cod_Grupo = 1"), "321");
    EXPECT_EQ(editor->grupos()[0].texto, before[0].texto);
    EXPECT_EQ(editor->grupos()[1].numero, before[1].numero);
    EXPECT_EQ(button("cmdRapido", 0)->text(), "Uno");

    // Done without the failure, the group takes its keys and the default along.
    editor->MoverGrupo(0, 1, true);
    EXPECT_EQ(cell("SELECT Descripcion FROM TPV_CfgPantalla_Grupos WHERE Cod_Grupo = 2 AND Posicion = 7"), "Uno");
    EXPECT_EQ(cell("SELECT Cod_Articulo FROM TPV_CfgPantalla_Grupos_Lineas WHERE Cod_Grupo = 2"), "321");
    EXPECT_EQ(cell("SELECT Cod_GrupoDF FROM TPV_CfgPantalla"), "2");
    EXPECT_EQ(button("cmdRapido", 1)->text(), "Uno");
    EXPECT_TRUE(button("cmdRapido", 1)->geometry().contains(editor->findChild<QCheckBox*>("chkGDF")->geometry().center()));
}

// The editor's own copy of the pages must say what the table says after
// every move, or the next property change would be written to another row.
TEST_F(LayoutEditor, TheWorkingCopyMatchesTheTableAfterEveryMoveOfAThreeByFourPage)
{
    addCfg(1, 0, 2);
    for (int i = 0; i < 12; ++i) {
        if (i % 4 == 3)
            continue; // some empty buttons travel too
        addGroup(1, i + 1, touchscreen::placeOf(0, i), QStringLiteral("G%1").arg(i));
        addKey(1, 1, touchscreen::placeOf(0, i), 1000 + i);
    }
    ASSERT_NO_FATAL_FAILURE(open(1, 0));
    editor->cmdRapido_Click(0);
    auto checkKeys = [&](const std::string& ctx) {
        int stored = 0;
        for (int i = 0; i < 12; ++i) {
            const auto& k = editor->articulos()[i];
            if (!k.stored())
                continue;
            ++stored;
            ASSERT_EQ(k.posicion, touchscreen::placeOf(0, i)) << ctx;
            ASSERT_EQ(cell(QStringLiteral("SELECT Cod_Articulo FROM TPV_CfgPantalla_Grupos_Lineas WHERE Cod_Grupo = 1"
                                          " AND Posicion = %1").arg(k.posicion)).toInt(), k.articulo) << ctx;
        }
        ASSERT_EQ(db.count("TPV_CfgPantalla_Grupos_Lineas"), stored) << ctx;
    };
    for (int f = 0; f < 12; ++f)
        for (int t = 0; t < 12; ++t)
            for (bool after : {false, true}) {
                editor->MoverArticulo(f, t, after);
                ASSERT_NO_FATAL_FAILURE(checkKeys(QStringLiteral("key %1 -> %2 %3").arg(f).arg(t).arg(after).toStdString()));
            }

    auto checkGroups = [&](const std::string& ctx) {
        int stored = 0;
        const int defaultNumber = cell("SELECT Cod_GrupoDF FROM TPV_CfgPantalla").toInt();
        for (int i = 0; i < 12; ++i) {
            const auto& g = editor->grupos()[i];
            if (!g.stored())
                continue;
            ++stored;
            ASSERT_EQ(g.numero, i + 1) << ctx;
            ASSERT_EQ(cell(QStringLiteral("SELECT Descripcion FROM TPV_CfgPantalla_Grupos WHERE Cod_Grupo = %1 AND "
                                          "Posicion = %2").arg(g.numero).arg(touchscreen::placeOf(0, i))), g.texto) << ctx;
            ASSERT_EQ(g.defecto, g.numero == defaultNumber) << ctx;
        }
        ASSERT_EQ(db.count("TPV_CfgPantalla_Grupos"), stored) << ctx;
        // The default group is still the one it was.
        ASSERT_EQ(cell(QStringLiteral("SELECT Descripcion FROM TPV_CfgPantalla_Grupos WHERE Cod_Grupo = %1")
                           .arg(defaultNumber)), "G1") << ctx;
        // The group on screen shows its own keys.
        for (const auto& k : editor->articulos())
            ASSERT_EQ(k.grupo, editor->grupos()[editor->grupoSeleccionado()].numero) << ctx;
    };
    for (int f = 0; f < 12; ++f)
        for (int t = 0; t < 12; ++t)
            for (bool after : {false, true}) {
                editor->MoverGrupo(f, t, after);
                ASSERT_NO_FATAL_FAILURE(checkGroups(QStringLiteral("group %1 -> %2 %3").arg(f).arg(t).arg(after).toStdString()));
            }
    EXPECT_TRUE(services.messages->shown.empty());
}

} // namespace
