// The statement splitter that the binary-column writers build their UPDATE
// around: any text either splits into parts taken from the statement itself
// or is refused with an Error.
#include "FuzzCheck.h"

#include "db/Error.h"
#include "db/SelectParts.h"

using namespace zqvr;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString sql = fuzz::text(data, size);
    try {
        const db::SelectParts p = db::splitSelect(sql);
        FUZZ_CHECK(!p.from.isEmpty() && sql.contains(p.from));
        FUZZ_CHECK(p.condition.isEmpty() || sql.contains(p.condition));
        FUZZ_CHECK(!p.table.isEmpty() && p.from.contains(p.table));
        FUZZ_CHECK(p.alias.isEmpty() || p.from.contains(p.alias));
        FUZZ_CHECK(!p.target().isEmpty());
    } catch (const Error&) {
    }
    return 0;
}
