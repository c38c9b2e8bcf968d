#pragma once
// The floor plan of a salon as data: one page of nodes, saved to and read
// from the XML text kept in TPV_Sln_Salones.Doc_Xml (before the quote
// substitution of DocXml.h).
//
// The document:
//
//   <FlowGraph Version="1">
//     <Page Caption="Comedor">
//       <Node Shape="0" Left="40" Top="40" Width="80" Height="80" Caption="Mesa 1" Tag="1">
//         <Markup>&lt;Border Background="#FFDEB887" ...&gt;&lt;TextBlock Text="Mesa 1"/&gt;&lt;/Border&gt;</Markup>
//       </Node>
//       <Node Shape="9417" Left="200" Top="40" Width="64" Height="64" Image="4" Caption="Planta" Tag="1"/>
//     </Page>
//   </FlowGraph>
//
// - FlowGraph: the root; Version is 1. Only the first Page is used.
// - Page: Caption (optional).
// - Node, in drawing order (later nodes lie on top):
//     Left, Top      position in pixels of the drawing (required; a node without them is dropped);
//     Width, Height  size in pixels (optional; a picture node is 64 x 64, a drawn node takes the
//                    Width/Height of its Border, or 80 x 80);
//     Caption        the label (optional);
//     Image          picture index, -1 for none (optional, -1);
//     Shape          9417 for a picture node drawn from "<host folder>/Imagen/CFG_SL_<Image + 1>.png",
//                    0 for a node drawn from its markup (optional: 9417 when Image >= 0, else 0);
//     Tag            the flag every placed element carries, 1 (optional, 0);
//   Markup child     the node's XAML drawing as text (optional).
// Unknown attributes are ignored; unknown elements are skipped and reported.
//
// Writing escapes & < > " in attributes and text, tabs and line breaks in
// attributes, and '|' everywhere as "&#124;", so that the stored column's
// bars are only ever quotes. Characters XML cannot carry are left out.
#include "salons_export.h"
#include <QList>
#include <QString>
#include <QStringList>

namespace zqvr::salons {

constexpr int PictureShapeId = 9417;
constexpr int PictureNodeSize = 64;
constexpr int DefaultMarkupSize = 80;

struct ZQVR_SALONS_EXPORT FlowNode {
    int shape = 0;          // 0: drawn from markup; PictureShapeId: a picture node
    double left = 0;
    double top = 0;
    double width = DefaultMarkupSize;
    double height = DefaultMarkupSize;
    QString caption;
    int imageIndex = -1;
    QString markup;
    int tag = 0;

    bool isPicture() const { return shape == PictureShapeId; }
    bool operator==(const FlowNode& o) const = default;
};

struct ZQVR_SALONS_EXPORT FlowGraphPage {
    QString caption;
    QList<FlowNode> nodes;
    bool operator==(const FlowGraphPage& o) const = default;
};

struct ZQVR_SALONS_EXPORT FlowGraphLoad {
    FlowGraphPage page;
    // false when the text was empty or not a FlowGraph document: the page is then empty.
    bool valid = false;
    // What could not be opened, one sentence each, for the user.
    QStringList problems;
};

ZQVR_SALONS_EXPORT QString saveFlowGraph(const FlowGraphPage& page);
ZQVR_SALONS_EXPORT FlowGraphLoad loadFlowGraph(const QString& xml);

// Text as it will come back from a saved document: characters XML cannot carry removed.
ZQVR_SALONS_EXPORT QString xmlSafeText(const QString& text);

} // namespace zqvr::salons
