// The XAML drawing of drawn elements (reading it and relabelling it) and what
// a drop from the palette places, by group and element type.
#include "salons/PaletteDrag.h"
#include "salons/XamlMarkup.h"

#include <gtest/gtest.h>

using namespace zqvr::salons;

namespace {

const QString mesa = QStringLiteral(
    "<Border Width=\"80\" Height=\"60\" Background=\"#FFDEB887\" BorderBrush=\"#805A4632\" BorderThickness=\"1,3,1,2\" "
    "CornerRadius=\"40\"><Grid><TextBlock Text=\"Mesa\" FontSize=\"16\" FontWeight=\"Bold\" Foreground=\"White\"/></Grid></Border>");

TEST(XamlMarkup, ReadsTheBorderAndItsTextBlock)
{
    const XamlLook l = parseXaml(mesa);
    ASSERT_TRUE(l.valid);
    EXPECT_EQ(l.background, QColor(0xDE, 0xB8, 0x87));
    EXPECT_EQ(l.borderBrush.alpha(), 0x80);
    EXPECT_EQ(l.borderThickness, 3);
    EXPECT_EQ(l.cornerRadius, 40);
    EXPECT_EQ(l.size, QSizeF(80, 60));
    ASSERT_TRUE(l.hasTextBlock);
    EXPECT_EQ(l.text, "Mesa");
    EXPECT_EQ(l.fontSize, 16);
    EXPECT_TRUE(l.bold);
    EXPECT_EQ(l.foreground, QColor(Qt::white));
}

TEST(XamlMarkup, MarkupThatIsNotADrawingSaysWhy)
{
    EXPECT_FALSE(parseXaml(QStringLiteral("<Border><TextBlock")).valid);
    EXPECT_FALSE(parseXaml(QStringLiteral("<Canvas/>")).valid);
    const XamlLook noText = parseXaml(QStringLiteral("<Border Background=\"Red\"/>"));
    EXPECT_TRUE(noText.valid);
    EXPECT_FALSE(noText.hasTextBlock);
    EXPECT_EQ(noText.background, QColor(Qt::red));
    EXPECT_FALSE(noText.problem.isEmpty());
}

TEST(XamlMarkup, RelabellingChangesOnlyTheTextBlocksText)
{
    const XamlRename r = setXamlText(mesa, QStringLiteral("Mesa <7> & 'B' |x|"));
    ASSERT_TRUE(r.changed);
    const XamlLook l = parseXaml(r.markup);
    EXPECT_EQ(l.text, "Mesa <7> & 'B' |x|");
    EXPECT_EQ(l.cornerRadius, 40);
    EXPECT_EQ(l.background, QColor(0xDE, 0xB8, 0x87));
    EXPECT_TRUE(l.bold);

    for (const char* bad : {"", "<Border", "<Canvas/>", "<Border/>"}) {
        SCOPED_TRACE(bad);
        const XamlRename no = setXamlText(QString::fromUtf8(bad), QStringLiteral("x"));
        EXPECT_FALSE(no.changed);
        EXPECT_EQ(no.markup, QString::fromUtf8(bad));
        EXPECT_FALSE(no.problem.isEmpty());
    }
}

// A Border whose TextBlock sits inside `levels` nested Grids.
QString nestedMarkup(int levels)
{
    return QStringLiteral("<Border Width=\"50\" Height=\"40\">") + QStringLiteral("<Grid>").repeated(levels) +
           QStringLiteral("<TextBlock Text=\"Mesa\"/>") + QStringLiteral("</Grid>").repeated(levels) +
           QStringLiteral("</Border>");
}

TEST(XamlMarkup, MarkupNestedThousandsOfLevelsDeepIsRefusedWithoutCrashing)
{
    const QString deep = nestedMarkup(15000);
    const XamlLook l = parseXaml(deep);
    EXPECT_FALSE(l.valid);
    EXPECT_TRUE(l.problem.contains(QStringLiteral("niveles"))) << l.problem.toStdString();
    EXPECT_EQ(markupSize(deep), QSizeF(80, 80));

    const XamlRename r = setXamlText(deep, QStringLiteral("Otra"));
    EXPECT_FALSE(r.changed);
    EXPECT_EQ(r.markup, deep);
    EXPECT_TRUE(r.problem.contains(QStringLiteral("niveles"))) << r.problem.toStdString();

    // Depth the limit allows is still searched to the end.
    const QString nested = nestedMarkup(40);
    const XamlLook ok = parseXaml(nested);
    ASSERT_TRUE(ok.valid);
    EXPECT_EQ(ok.text, "Mesa");
    EXPECT_EQ(ok.size, QSizeF(50, 40));
    const XamlRename renamed = setXamlText(nested, QStringLiteral("Otra"));
    ASSERT_TRUE(renamed.changed);
    EXPECT_EQ(parseXaml(renamed.markup).text, "Otra");
}

TEST(XamlMarkup, TheSearchFindsTheFirstTextBlockInDocumentOrder)
{
    // The first TextBlock lies deep in the first branch; a later sibling branch holds another.
    const QString m = QStringLiteral(
        "<Border><Grid><Canvas/><StackPanel><Grid><TextBlock Text=\"Primero\"/></Grid></StackPanel></Grid>"
        "<TextBlock Text=\"Segundo\"/></Border>");
    EXPECT_EQ(parseXaml(m).text, "Primero");
    // A Border below other elements is found, and a TextBlock outside the Border is not its label.
    const QString outside = QStringLiteral("<Canvas><TextBlock Text=\"Fuera\"/><Grid><Border/></Grid></Canvas>");
    const XamlLook l = parseXaml(outside);
    EXPECT_TRUE(l.valid);
    EXPECT_FALSE(l.hasTextBlock);
}

TEST(PaletteDrop, ElementTypeIsTheNumberAfterTheKeysFirstCharacter)
{
    EXPECT_EQ(elementType(QStringLiteral("n12")), 12);
    EXPECT_EQ(elementType(QStringLiteral("n7x")), 7);
    EXPECT_EQ(elementType(QStringLiteral("nabc")), 0);
    EXPECT_EQ(elementType(QStringLiteral("n")), 0);
    EXPECT_EQ(elementType(QStringLiteral("n99999999999")), 0);
}

TEST(PaletteDrop, MarkupGroupPlacesADrawnNodeFromTheElementsXaml)
{
    PaletteDrag drag{QStringLiteral("n2"), QStringLiteral("Mesa redonda"), MarkupGroup};
    int askedType = -1;
    const auto n = nodeForDrop(drag, QPointF(30, 45), [&](int t) { askedType = t; return mesa; });
    ASSERT_TRUE(n);
    EXPECT_EQ(askedType, 2);
    EXPECT_FALSE(n->isPicture());
    EXPECT_EQ(n->markup, mesa);
    EXPECT_EQ(n->imageIndex, -1);
    EXPECT_EQ(n->caption, "Mesa redonda");
    EXPECT_EQ(n->tag, 1);
    EXPECT_EQ(QPointF(n->left, n->top), QPointF(30, 45));
    EXPECT_EQ(QSizeF(n->width, n->height), QSizeF(80, 60));

    // A type without a catalogue row gives a node with empty markup.
    const auto empty = nodeForDrop(drag, QPointF(), [](int) { return QString(); });
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->markup.isEmpty());
    EXPECT_EQ(empty->width, DefaultMarkupSize);
}

TEST(PaletteDrop, OtherGroupsPlacePictureNodesIndexedByTypeMinusSeven)
{
    for (int type : {6, 7, 9, 12, 13}) {
        SCOPED_TRACE(type);
        PaletteDrag drag{QStringLiteral("n%1").arg(type), QStringLiteral("Planta"), 3};
        const auto n = nodeForDrop(drag, QPointF(5, 6), [](int) -> QString {
            ADD_FAILURE() << "picture elements read no markup";
            return {};
        });
        ASSERT_TRUE(n);
        EXPECT_TRUE(n->isPicture());
        EXPECT_EQ(n->shape, 9417);
        EXPECT_EQ(QSizeF(n->width, n->height), QSizeF(64, 64));
        EXPECT_EQ(n->imageIndex, type >= 7 && type <= 12 ? type - 7 : -1);
        EXPECT_EQ(n->tag, 1);
    }
    EXPECT_TRUE(elementPicturePath(QStringLiteral("/opt/b"), 2).endsWith("/opt/b/Imagen/CFG_SL_3.png"));
}

TEST(PaletteDrop, NothingIsPlacedWithoutADraggedItem)
{
    PaletteDrag drag;
    drag.text = QStringLiteral("Mesa");
    drag.group = 1;
    EXPECT_FALSE(nodeForDrop(drag, QPointF(), [](int) { return QString(); }));
}

} // namespace
