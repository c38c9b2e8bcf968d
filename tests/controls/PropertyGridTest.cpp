// The property grid through its editors: typed values, read-only items,
// what raises ValueChanged, choosers and commands.
#include "controls/PropertyGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

using zqvr::controls::PropertyGrid;
using zqvr::controls::PropertyItem;

namespace {

class PropertyGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.addCategory("Botón Artículo");
        tipo = grid.addItem(1, PropertyItem::List, "Tipo");
        tipo->addChoice("Articulo", 1);
        tipo->addChoice("Botón Atrás", -1);
        tipo->addChoice("Vinculo Externo", -2);
        articulo = grid.addItem(2, PropertyItem::TextButton, "Artículo");
        unidades = grid.addItem(5, PropertyItem::Number, "Unidades");
        color = grid.addItem(6, PropertyItem::Color, "Color Texto");
        imagen = grid.addItem(9, PropertyItem::Picture, "Imagen");
        defecto = grid.addItem(10, PropertyItem::YesNo, "Grupo por Defecto");
        grid.addCommand(201, "Eliminar Artículo");
        grid.resize(400, 400);
        grid.show();
    }
    QLineEdit* lineOf(PropertyItem* item)
    {
        if (auto* e = qobject_cast<QLineEdit*>(item->editor()))
            return e;
        return item->editor()->findChild<QLineEdit*>();
    }

    PropertyGrid grid;
    PropertyItem* tipo;
    PropertyItem* articulo;
    PropertyItem* unidades;
    PropertyItem* color;
    PropertyItem* imagen;
    PropertyItem* defecto;
};

TEST_F(PropertyGridTest, ItemsKeepTheirOrderUnderTheirCategory)
{
    QTreeWidgetItem* cat = grid.tree()->topLevelItem(0);
    ASSERT_EQ(cat->text(0), "Botón Artículo");
    EXPECT_TRUE(cat->isExpanded());
    ASSERT_EQ(cat->childCount(), 6);
    EXPECT_EQ(cat->child(0)->text(0), "Tipo");
    EXPECT_EQ(cat->child(5)->text(0), "Grupo por Defecto");
    EXPECT_EQ(grid.item(9), imagen);
    EXPECT_EQ(grid.findItem("Unidades"), unidades);
    EXPECT_EQ(tipo->value().toInt(), 1); // the first choice until told otherwise
}

TEST_F(PropertyGridTest, OnlyTheUsersChangesAreReported)
{
    QSignalSpy spy(&grid, &PropertyGrid::ValueChanged);
    tipo->setValue(-2);
    EXPECT_EQ(static_cast<QComboBox*>(tipo->editor())->currentText(), "Vinculo Externo");
    EXPECT_EQ(spy.count(), 0);

    auto* combo = static_cast<QComboBox*>(tipo->editor());
    combo->setCurrentIndex(1);
    Q_EMIT combo->activated(1);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).value<PropertyItem*>(), tipo);
    EXPECT_EQ(tipo->value().toInt(), -1);

    QLineEdit* code = lineOf(articulo);
    code->setFocus();
    code->setText("123");
    QTest::keyClick(code, Qt::Key_Return);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(articulo->value().toString(), "123");
    // Leaving the field without a change says nothing.
    QTest::keyClick(code, Qt::Key_Return);
    EXPECT_EQ(spy.count(), 2);

    static_cast<QCheckBox*>(defecto->editor())->click();
    EXPECT_EQ(spy.count(), 3);
    EXPECT_TRUE(defecto->value().toBool());
}

TEST_F(PropertyGridTest, NumbersAcceptTheSuitesNotationAndRefuseText)
{
    QSignalSpy spy(&grid, &PropertyGrid::ValueChanged);
    QLineEdit* e = lineOf(unidades);
    e->setText("1.234,5");
    Q_EMIT e->editingFinished();
    EXPECT_DOUBLE_EQ(unidades->value().toDouble(), 1234.5);
    e->setText("0.25");
    Q_EMIT e->editingFinished();
    EXPECT_DOUBLE_EQ(unidades->value().toDouble(), 0.25);
    EXPECT_EQ(spy.count(), 2);
    e->setText("dos");
    Q_EMIT e->editingFinished();
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(e->text(), "0.25");
}

TEST_F(PropertyGridTest, ReadOnlyItemsCannotBeChanged)
{
    QSignalSpy spy(&grid, &PropertyGrid::ValueChanged);
    articulo->setReadOnly(true);
    EXPECT_FALSE(articulo->editor()->isEnabled());
    articulo->setValueFromUser("5");
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(articulo->value().toString(), "");
    articulo->setReadOnly(false);
    articulo->setValueFromUser("5");
    EXPECT_EQ(spy.count(), 1);
}

TEST_F(PropertyGridTest, ColourAndPictureComeFromTheInstalledChoosers)
{
    QSignalSpy spy(&grid, &PropertyGrid::ValueChanged);
    std::optional<QColor> answer = QColor(10, 20, 30);
    grid.setColorChooser([&](const QColor&) { return answer; });
    QString file = "/tmp/cafe.png";
    grid.setPictureChooser([&] { return file; });

    color->editor()->findChild<QToolButton*>()->click();
    EXPECT_EQ(color->value().value<QColor>(), QColor(10, 20, 30));
    EXPECT_EQ(color->displayText(), "10; 20; 30");
    answer.reset(); // cancelled
    color->editor()->findChild<QToolButton*>()->click();
    EXPECT_EQ(color->value().value<QColor>(), QColor(10, 20, 30));
    EXPECT_EQ(spy.count(), 1);

    imagen->editor()->findChild<QToolButton*>()->click();
    EXPECT_EQ(imagen->value().toString(), file);
    EXPECT_EQ(lineOf(imagen)->text(), "cafe.png");
    file.clear();
    imagen->editor()->findChild<QToolButton*>()->click();
    EXPECT_EQ(spy.count(), 2);
}

TEST_F(PropertyGridTest, TheButtonOfATextItemAndTheCommandsAreReported)
{
    QSignalSpy button(&grid, &PropertyGrid::InplaceButtonDown);
    QSignalSpy command(&grid, &PropertyGrid::CommandClicked);
    articulo->editor()->findChild<QToolButton*>()->click();
    ASSERT_EQ(button.count(), 1);
    EXPECT_EQ(grid.selectedItem(), articulo);
    static_cast<QToolButton*>(grid.commandWidget(201))->click();
    ASSERT_EQ(command.count(), 1);
    EXPECT_EQ(command.at(0).at(0).toInt(), 201);
}

TEST_F(PropertyGridTest, KeysInAnEditorReachTheScreenWhichMayConsumeThem)
{
    int seen = 0;
    QObject::connect(&grid, &PropertyGrid::KeyDown, [&](int& key, int) {
        if (key == Qt::Key_F3) {
            ++seen;
            key = 0;
        }
    });
    grid.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    // Focusing an editor selects its row, as a click into it does.
    QLineEdit* code = lineOf(articulo);
    code->setFocus();
    QTest::keyClick(code, Qt::Key_F3);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(grid.selectedItem(), articulo);
}

} // namespace
