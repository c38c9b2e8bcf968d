// A floor plan as stored in TPV_Sln_Salones.Doc_Xml, and the XAML drawing of
// its elements. The input is tried both ways: as a stored plan (read, written
// back and read again: the second reading must give the same page) and as the
// markup of one element (read and relabelled).
#include "FuzzCheck.h"

#include "salons/DocXml.h"
#include "salons/FlowGraphDocument.h"
#include "salons/XamlMarkup.h"

using namespace zqvr::salons;

namespace {

void markup(const QString& xaml, const QString& label)
{
    const XamlLook look = parseXaml(xaml);
    FUZZ_CHECK(look.valid || !look.problem.isEmpty());
    const QSizeF size = markupSize(xaml);
    FUZZ_CHECK(size.width() > 0 && size.height() > 0);
    const XamlRename r = setXamlText(xaml, label);
    if (!r.changed) {
        FUZZ_CHECK(r.markup == xaml && !r.problem.isEmpty());
        return;
    }
    const XamlLook renamed = parseXaml(r.markup);
    FUZZ_CHECK(renamed.valid && renamed.hasTextBlock);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString stored = zqvr::fuzz::text(data, size);
    const FlowGraphLoad loaded = loadFlowGraph(decodeDocXml(stored));
    if (loaded.valid) {
        const QString saved = saveFlowGraph(loaded.page);
        // The stored column's bars are only ever quotes.
        FUZZ_CHECK(!saved.contains(QLatin1Char('|')));
        FUZZ_CHECK(decodeDocXml(encodeDocXml(saved)) == saved);
        const FlowGraphLoad again = loadFlowGraph(saved);
        FUZZ_CHECK(again.valid);
        FUZZ_CHECK(again.page == loaded.page);
        for (const FlowNode& n : loaded.page.nodes) {
            FUZZ_CHECK(n.width > 0 && n.height > 0);
            if (!n.markup.isEmpty())
                markup(n.markup, n.caption.isEmpty() ? QStringLiteral("Mesa") : n.caption);
        }
    } else {
        FUZZ_CHECK(loaded.page.nodes.isEmpty());
    }
    markup(stored, QStringLiteral("Mesa 'B' <1> & |2|"));
    return 0;
}
