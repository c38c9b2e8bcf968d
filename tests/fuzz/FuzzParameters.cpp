// The parameters codec: the rows of a scope, one per line as
//   Codigo <tab> Valor <tab> Visible <tab> Posicion <tab> Color <tab> Valor2
// (missing fields empty or 0), read into the window's state as
// Cargar_Opciones does, then turned into the statements of a save. Whatever
// the rows hold, what was read saves without a failure and the bit sets it
// shows encode back to the value read; saved and read again, it is the same.
#include "FuzzCheck.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/Schema.h"
#include "parameters/BitSets.h"
#include "parameters/ParameterCatalogue.h"
#include "parameters/ParameterStore.h"
#include "parameters/ScopeValues.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <memory>

using namespace zqvr;
using namespace zqvr::parameters;

namespace {

std::vector<ParameterRow> rowsOf(const QString& text)
{
    std::vector<ParameterRow> rows;
    // A NUL character ends a statement's text on the way to the engine; the
    // window's text boxes cannot type one, so the rows here hold none.
    QString clean = text;
    clean.remove(QChar(0));
    for (const QString& line : clean.split(QLatin1Char('\n'))) {
        if (line.isEmpty())
            continue;
        const QStringList f = line.split(QLatin1Char('\t'));
        auto field = [&](int i) { return i < f.size() ? f[i] : QString(); };
        ParameterRow r;
        r.code = field(0).toInt();
        r.valor = field(1);
        r.visible = field(2).toInt();
        r.posicion = field(3).toInt();
        r.color = field(4).toInt();
        r.valor2 = field(5);
        // The tables hold each code once per scope.
        if (std::none_of(rows.begin(), rows.end(), [&](const ParameterRow& o) { return o.code == r.code; }))
            rows.push_back(std::move(r));
    }
    return rows;
}

// One database for the whole run: a save replaces the scope every time.
db::Connection& connection()
{
    static int argc = 1;
    static char name[] = "fuzz_parameters";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static const std::unique_ptr<db::Connection> conn = [] {
        auto c = db::Connection::open(QStringLiteral("sqlite::memory:"));
        db::Schema::ensure(*c);
        return c;
    }();
    return *conn;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = fuzz::text(data, size);
    const std::vector<ParameterRow> rows = rowsOf(text);
    ScopeValues v(size % 2 == 1);
    v.load(rows);

    for (const CatalogueEntry& e : catalogue()) {
        const SettingValue& s = v.value(e.code);
        const QList<ListEntry>& list = v.entries(e.code);
        switch (e.kind) {
        case Kind::ComboIndex:
        case Kind::ComboData:
            FUZZ_CHECK(list.isEmpty() || (s.n >= 0 && s.n < list.size()));
            break;
        case Kind::Number: {
            // What a numeric field shows after loading is what a save writes.
            bool ok = false;
            const QString stored = storedNumber(s.text, &ok);
            FUZZ_CHECK(ok);
            FUZZ_CHECK(stored == s.text || (s.text.isEmpty() && stored == QLatin1String("0")));
            break;
        }
        case Kind::ListBits: {
            QList<int> selected;
            for (const ListEntry& x : list)
                if (listBitSet(s.n, x.data))
                    selected << x.data;
            FUZZ_CHECK(encodeListBits(selected) == s.n);
            break;
        }
        case Kind::CheckBits: {
            QList<int> weights;
            for (const ListEntry& x : list)
                weights << x.data;
            FUZZ_CHECK(encodeWeights(weights, decodeWeights(weights, s.n)) == s.n);
            break;
        }
        default:
            break;
        }
    }
    for (const ParameterRow& r : rows)
        FUZZ_CHECK(shownNumber(r.valor) == formatNumber(leadingNumber(r.valor)));

    // Saved and read back, the scope shows the same.
    ParameterStore store(connection(), 1);
    try {
        store.save(1, 0, v);
    } catch (const Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        FUZZ_CHECK(!"what was loaded saves");
    }
    ScopeValues back(size % 2 == 1);
    back.load(store.load(1, 0));
    // Two reset states are written as values: an empty number as 0, and the
    // first entry of a combo whose stored 0 chooses the second.
    ScopeValues expected = v;
    // The grid lists the keys in the order the database returns them, which the rows read need not follow.
    auto byOperation = [](const OperationKey& a, const OperationKey& b) { return a.operation < b.operation; };
    std::sort(expected.keys.begin(), expected.keys.end(), byOperation);
    std::sort(back.keys.begin(), back.keys.end(), byOperation);
    for (const CatalogueEntry& e : catalogue()) {
        SettingValue& s = expected.value(e.code);
        if (e.kind == Kind::Number && s.text.isEmpty())
            s.text = e.has(ZeroShowsOne) ? QStringLiteral("1") : QStringLiteral("0");
        if (e.kind == Kind::ComboIndex && e.has(ZeroIsSecond) && s.n == 0 && expected.entries(e.code).size() > 1)
            s.n = 1;
    }
    if (!(back == expected)) {
        for (const CatalogueEntry& e : catalogue())
            if (!(back.value(e.code) == expected.value(e.code)))
                std::fprintf(stderr, "code %d: %lld '%s' read back as %lld '%s'\n", e.code,
                             static_cast<long long>(expected.value(e.code).n), qPrintable(expected.value(e.code).text),
                             static_cast<long long>(back.value(e.code).n), qPrintable(back.value(e.code).text));
        if (back.keys != expected.keys)
            std::fprintf(stderr, "%d operation keys read back as %d, or differ\n", int(expected.keys.size()),
                         int(back.keys.size()));
        if (back.scales != expected.scales) {
            for (const ScaleRow& r : expected.scales)
                std::fprintf(stderr, "scale row '%s' %d\n", qPrintable(r.prefix), r.type);
            for (const ScaleRow& r : back.scales)
                std::fprintf(stderr, "read back as '%s' %d\n", qPrintable(r.prefix), r.type);
        }
        if (back.hidden545 != expected.hidden545)
            std::fprintf(stderr, "code 545 differs\n");
        FUZZ_CHECK(back == expected);
    }
    return 0;
}
