// The floor-plan document: what is saved opens again identically, the quote
// substitution of the stored column never damages a plan, and documents that
// are not plans open what they can.
#include "salons/DocXml.h"
#include "salons/FlowGraphDocument.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

using namespace zqvr::salons;

namespace {

QString randomText(QRandomGenerator& rng, int maxLen)
{
    // Characters that break naive XML or the stored column, and a few that XML cannot carry.
    static const QString pool = QStringLiteral("abcXYZ 019 '|<>&\"\t\n\r;=/ñáé€\u00A0") + QChar(0x1F37D) + QChar(0x01) +
                                QChar(0xFFFE);
    const int len = rng.bounded(maxLen + 1);
    QString s;
    for (int i = 0; i < len; ++i)
        s += pool.at(rng.bounded(pool.size()));
    return s;
}

double randomCoordinate(QRandomGenerator& rng)
{
    switch (rng.bounded(4)) {
    case 0: return rng.bounded(2000);
    case 1: return rng.bounded(2000.0) - 1000.0;
    case 2: return rng.bounded(100000) / 7.0;
    default: return 0;
    }
}

FlowGraphPage randomPage(QRandomGenerator& rng)
{
    FlowGraphPage page;
    page.caption = randomText(rng, 12);
    const int n = rng.bounded(30);
    for (int i = 0; i < n; ++i) {
        FlowNode node;
        node.left = randomCoordinate(rng);
        node.top = randomCoordinate(rng);
        node.width = 4 + rng.bounded(300.0);
        node.height = 4 + rng.bounded(300.0);
        node.caption = randomText(rng, i == 0 ? 500 : 20);
        node.tag = rng.bounded(2);
        if (rng.bounded(2)) {
            node.shape = PictureShapeId;
            node.imageIndex = rng.bounded(-1, 9);
        } else {
            node.markup = QStringLiteral("<Border Background=\"#FF00FF00\" CornerRadius=\"4\"><TextBlock Text=\"%1\"/></Border>")
                              .arg(randomText(rng, 10).toHtmlEscaped());
            if (rng.bounded(5) == 0)
                node.markup = randomText(rng, 30); // not even XML
        }
        page.nodes.append(node);
    }
    return page;
}

TEST(FlowGraphDocument, SaveLoadSaveGivesTheSameDocumentForRandomDrawings)
{
    QRandomGenerator rng(20261206);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        const FlowGraphPage page = randomPage(rng);
        const QString first = saveFlowGraph(page);
        // Through the stored column and back, as the editor does.
        const FlowGraphLoad loaded = loadFlowGraph(decodeDocXml(encodeDocXml(first)));
        ASSERT_TRUE(loaded.valid);
        EXPECT_TRUE(loaded.problems.isEmpty()) << loaded.problems.join('\n').toStdString();
        ASSERT_EQ(loaded.page.nodes.size(), page.nodes.size());
        EXPECT_EQ(saveFlowGraph(loaded.page), first);
        for (int i = 0; i < page.nodes.size(); ++i) {
            const FlowNode& a = page.nodes[i];
            const FlowNode& b = loaded.page.nodes[i];
            EXPECT_EQ(b.caption, xmlSafeText(a.caption));
            EXPECT_EQ(b.markup, xmlSafeText(a.markup));
            EXPECT_EQ(b.left, a.left);
            EXPECT_EQ(b.top, a.top);
            EXPECT_EQ(b.width, a.width);
            EXPECT_EQ(b.imageIndex, a.imageIndex);
            EXPECT_EQ(b.shape, a.shape);
            EXPECT_EQ(b.tag, a.tag);
        }
    }
}

TEST(FlowGraphDocument, ASavedPlanNeverHoldsABarSoQuotesComeBackExactly)
{
    FlowGraphPage page;
    FlowNode n;
    n.caption = QStringLiteral("Mesa |VIP| d'Or");
    n.markup = QStringLiteral("<Border><TextBlock Text='a|b'/></Border>");
    page.nodes << n;
    const QString saved = saveFlowGraph(page);
    EXPECT_FALSE(saved.contains(QLatin1Char('|')));
    const QString stored = encodeDocXml(saved);
    EXPECT_FALSE(stored.contains(QLatin1Char('\'')));
    const FlowGraphLoad back = loadFlowGraph(decodeDocXml(stored));
    ASSERT_EQ(back.page.nodes.size(), 1);
    EXPECT_EQ(back.page.nodes[0].caption, n.caption);
    EXPECT_EQ(back.page.nodes[0].markup, n.markup);
}

TEST(FlowGraphDocument, EmptyOrInvalidDocumentsOpenAnEmptyPage)
{
    EXPECT_FALSE(loadFlowGraph(QString()).valid);
    EXPECT_TRUE(loadFlowGraph(QStringLiteral("  \n")).problems.isEmpty()); // nothing to say about an empty plan

    for (const char* text : {"esto no es XML", "<FlowGraph><Page><Node Left=\"1\" Top=\"2\"></Page>",
                             "<Otro><Page/></Otro>", "<FlowGraph><Page><Node Left=\"1\" Top=\"2\"/></Page></FlowGraph><x/>"}) {
        SCOPED_TRACE(text);
        const FlowGraphLoad r = loadFlowGraph(QString::fromUtf8(text));
        EXPECT_FALSE(r.valid);
        EXPECT_TRUE(r.page.nodes.isEmpty());
        EXPECT_EQ(r.problems.size(), 1);
    }
}

TEST(FlowGraphDocument, OpensWhatItCanAndSaysWhatItDropped)
{
    const FlowGraphLoad r = loadFlowGraph(QStringLiteral(
        "<?xml version=\"1.0\"?><FlowGraph><Page Caption=\"Sala\">"
        "<Node Left=\"10\" Top=\"20\" Caption=\"Buena\"/>"
        "<Node Top=\"5\" Caption=\"Sin izquierda\"/>"
        "<Node Left=\"abc\" Top=\"5\"/>"
        "<Rueda Radio=\"3\"><Node Left=\"1\" Top=\"1\"/></Rueda>"
        "<Node Left=\"1e999\" Top=\"5\"/>"
        "<Node Id=\"9\" Left=\"-5\" Top=\"7.5\" Width=\"-3\" Height=\"x\" Image=\"2\" Caption=\"Antigua\"><Forma/></Node>"
        "</Page><Page><Node Left=\"1\" Top=\"1\"/></Page></FlowGraph>"));
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.page.caption, "Sala");
    ASSERT_EQ(r.page.nodes.size(), 2);
    EXPECT_EQ(r.page.nodes[0].caption, "Buena");
    EXPECT_EQ(r.page.nodes[0].shape, 0);
    // An older node without Shape but with a picture is a picture node of the default size.
    const FlowNode& old = r.page.nodes[1];
    EXPECT_EQ(old.shape, PictureShapeId);
    EXPECT_EQ(old.imageIndex, 2);
    EXPECT_EQ(old.width, PictureNodeSize);
    EXPECT_EQ(old.height, PictureNodeSize);
    EXPECT_EQ(old.top, 7.5);
    const QString all = r.problems.join('\n');
    EXPECT_TRUE(all.contains("Rueda")) << all.toStdString();
    EXPECT_TRUE(all.contains("Forma")) << all.toStdString();
    EXPECT_TRUE(all.contains("3 elementos sin posición")) << all.toStdString();
    EXPECT_TRUE(all.contains("2 páginas")) << all.toStdString();
}

TEST(FlowGraphDocument, DrawnNodesWithoutSizeTakeTheSizeOfTheirBorder)
{
    const FlowGraphLoad r = loadFlowGraph(QStringLiteral(
        "<FlowGraph><Page><Node Left=\"0\" Top=\"0\"><Markup>&lt;Border Width=\"160\" Height=\"70\"/&gt;</Markup></Node>"
        "<Node Left=\"0\" Top=\"0\"><Markup>no es xaml</Markup></Node></Page></FlowGraph>"));
    ASSERT_EQ(r.page.nodes.size(), 2);
    EXPECT_EQ(r.page.nodes[0].width, 160);
    EXPECT_EQ(r.page.nodes[0].height, 70);
    EXPECT_EQ(r.page.nodes[1].width, DefaultMarkupSize);
}

TEST(FlowGraphDocument, AThousandsOfNodesPlanOpensCompletely)
{
    FlowGraphPage page;
    for (int i = 0; i < 2000; ++i) {
        FlowNode n;
        n.left = i % 50 * 70;
        n.top = i / 50 * 70;
        n.caption = QStringLiteral("Mesa %1").arg(i);
        n.shape = i % 2 ? PictureShapeId : 0;
        n.imageIndex = i % 2 ? i % 6 : -1;
        page.nodes << n;
    }
    const FlowGraphLoad r = loadFlowGraph(saveFlowGraph(page));
    EXPECT_EQ(r.page, page);
}

} // namespace
