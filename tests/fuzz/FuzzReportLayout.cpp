// A report layout file: any text is either refused with an Error or read
// into a layout with room on its page, which writes out as XML that reads
// back to the same layout.
#include "FuzzCheck.h"

#include "db/Error.h"
#include "reports/ReportLayout.h"

using namespace zqvr;
using namespace zqvr::reports;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReportLayout layout;
    try {
        layout = ReportLayout::parse(fuzz::bytes(data, size), QStringLiteral("fuzz.rpt"));
    } catch (const Error& e) {
        FUZZ_CHECK(e.number() == rpterr::LayoutMalformed);
        return 0;
    }
    FUZZ_CHECK(!layout.sections.empty());
    FUZZ_CHECK(layout.page.printableWidth() > 0 && layout.page.printableHeight() > 0);
    FUZZ_CHECK(layout.page.printableWidth() <= layout.page.width);
    FUZZ_CHECK(layout.page.printableHeight() <= layout.page.height);
    const QByteArray xml = layout.toXml();
    try {
        const ReportLayout back = ReportLayout::parse(xml, QStringLiteral("copia.rpt"));
        FUZZ_CHECK(back.toXml() == xml);
    } catch (const Error& e) {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(e.description()), xml.constData());
        FUZZ_CHECK(!"a layout written out reads back");
    }
    return 0;
}
