#include "parameters/ScopeValues.h"

#include "host/Formato.h"
#include "parameters/BitSets.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>

namespace zqvr::parameters {

namespace {

const QList<ListEntry> kNoEntries;

QList<int> attachedOf(const QList<ListEntry>& entries)
{
    QList<int> l;
    for (const ListEntry& e : entries)
        l.push_back(e.data);
    return l;
}

// The whole part of a stored number as the integer settings read it (key
// codes, entry indexes, codes, bit sets, scale types), all of them 32-bit on
// the terminals. A value outside that range is held at its nearest end: a
// stored "99999999999999999999" must not wrap round to some other key or code.
qint64 leadingInteger(const QString& text)
{
    constexpr double lowest = std::numeric_limits<qint32>::min();
    constexpr double highest = std::numeric_limits<qint32>::max();
    const double d = leadingNumber(text);
    if (std::isnan(d))
        return 0;
    return static_cast<qint64>(std::clamp(std::trunc(d), lowest, highest));
}

} // namespace

double leadingNumber(const QString& text)
{
    static const QRegularExpression lead(QStringLiteral(R"(^\s*([+-]?(\d+\.?\d*|\.\d+)))"));
    const QRegularExpressionMatch m = lead.match(text);
    return m.hasMatch() ? m.captured(1).toDouble() : 0.0;
}

QString formatNumber(double v)
{
    if (v == 0 || !std::isfinite(v))
        return QStringLiteral("0");
    QString s = QString::number(v, 'f', 10);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}

QString storedNumber(const QString& typed, bool* ok)
{
    // Typed the way every number field of the suite reads it ("1.500" is
    // fifteen hundred, "1.234,5" and "12,5" carry a decimal comma).
    const QString t = typed.trimmed();
    if (t.isEmpty()) {
        *ok = true;
        return QStringLiteral("0");
    }
    const double v = host::Formato::LeerNumero(t, ok);
    return *ok ? formatNumber(v) : QString();
}

QString fieldNumber(double v)
{
    // A decimal comma and no grouping: the field reads it back as the same
    // number, where "123.456" would be read as a hundred and twenty-three thousand.
    QString s = formatNumber(v);
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

QString shownNumber(const QString& stored) { return fieldNumber(leadingNumber(stored)); }

ScopeValues::ScopeValues(bool esFenvary) : m_esFenvary(esFenvary)
{
    for (const CatalogueEntry& e : catalogue()) {
        QList<ListEntry> l = e.listEntries();
        if (e.code == 65 || e.code == 457) {
            // Each edition offers its own operations; the others keep their bits.
            const QList<int> drop = e.code == 65 ? (esFenvary ? QList<int>{23, 22, 16} : QList<int>{19, 18, 17, 13, 11})
                                                 : (esFenvary ? QList<int>{8, 7, 10} : QList<int>{9});
            l.erase(std::remove_if(l.begin(), l.end(), [&](const ListEntry& x) { return drop.contains(x.data); }),
                    l.end());
        }
        if (!l.isEmpty())
            m_entries.insert(e.code, l);
        m_values.insert(e.code, SettingValue{});
    }
    reset();
}

const QList<ListEntry>& ScopeValues::entries(int code) const
{
    auto it = m_entries.constFind(code);
    return it == m_entries.cend() ? kNoEntries : *it;
}

void ScopeValues::setEntries(int code, QList<ListEntry> entries)
{
    m_entries.insert(code, std::move(entries));
    if (const CatalogueEntry* e = findEntry(code))
        m_values[code].n = e->resetIndex;
}

SettingValue& ScopeValues::value(int code) { return m_values[code]; }

const SettingValue& ScopeValues::value(int code) const
{
    static const SettingValue none;
    auto it = m_values.constFind(code);
    return it == m_values.cend() ? none : *it;
}

void ScopeValues::reset()
{
    // Every setting, including the plain check boxes and the article and
    // tariff pickers: a scope without a row for a code shows (and saves) the
    // code's empty state, never what the previous scope had.
    for (const CatalogueEntry& e : catalogue()) {
        SettingValue& v = m_values[e.code];
        switch (e.kind) {
        case Kind::ComboIndex:
        case Kind::ComboData:
            v = SettingValue{e.resetIndex, {}};
            break;
        case Kind::ScaleRows:
            break;
        default:
            v = SettingValue{};
            break;
        }
    }
    scales.clear();
    m_scaleCodes.clear();
    hidden545 = false;
}

void ScopeValues::beginLoad()
{
    for (const CatalogueEntry& e : catalogue()) {
        if (e.kind == Kind::ListBits || e.kind == Kind::ClaveEntry)
            m_values[e.code].n = 0;
    }
    m_values[504].n = 1;
    keys.clear();
    scales.clear();
    m_scaleCodes.clear();
}

void ScopeValues::load(const std::vector<ParameterRow>& rows)
{
    reset();
    beginLoad();
    for (const ParameterRow& r : rows)
        applyRow(r);
}

void ScopeValues::applyRow(const ParameterRow& row)
{
    if (row.code >= 0 && row.code <= kLastOperationCode) {
        keys.push_back({row.code, int(leadingInteger(row.valor)), row.posicion, row.color, row.visible != 0});
        return;
    }
    const CatalogueEntry* e = findEntry(row.code);
    if (!e || isDroppedCode(row.code))
        return;
    SettingValue& v = m_values[e->code];
    const QList<ListEntry>& list = entries(e->code);
    switch (e->kind) {
    case Kind::Check:
    case Kind::PlainCheck:
    case Kind::ClaveEntry:
        v.n = leadingNumber(row.valor) != 0 ? 1 : 0;
        break;
    case Kind::Hidden:
        hidden545 = leadingNumber(row.valor) != 0;
        break;
    case Kind::ComboIndex: {
        qint64 i = leadingInteger(row.valor);
        if (i == 0 && e->has(ZeroIsSecond))
            i = 1;
        // An index beyond the entries keeps the reset choice.
        if (i >= 0 && i < list.size()) {
            v.n = i;
            if (e->has(AlsoSets540) && i < entries(540).size())
                m_values[540].n = i;
        }
        break;
    }
    case Kind::ComboData: {
        const qint64 data = leadingInteger(row.valor);
        for (int i = 0; i < list.size(); ++i) {
            if (list[i].data == data) {
                v.n = i;
                break;
            }
        }
        break;
    }
    case Kind::Number: {
        const double d = leadingNumber(row.valor);
        v.text = d == 0 && e->has(ZeroShowsOne) ? QStringLiteral("1") : fieldNumber(d);
        break;
    }
    case Kind::Text:
        v.text = row.valor;
        break;
    case Kind::Picker:
        v.n = leadingInteger(row.valor);
        break;
    case Kind::ListBits:
        v.n = leadingInteger(row.valor) & listMask(attachedOf(list));
        break;
    case Kind::CheckBits: {
        qint64 weights = 0;
        for (const ListEntry& x : list)
            weights |= x.data;
        v.n = leadingInteger(row.valor) & weights;
        break;
    }
    case Kind::Link: {
        const qint64 key = leadingInteger(row.valor);
        v.n = 0;
        for (const ListEntry& x : linkKeys())
            if (x.data == key)
                v.n = key;
        v.text = row.valor2;
        break;
    }
    case Kind::ScaleRows: {
        // Rows are kept in code order, whatever order the database returns them in.
        const int slot = row.code - kFirstScaleCode;
        ScaleRow s{formatNumber(leadingNumber(row.valor)), int(leadingInteger(row.valor2))};
        auto pos = std::lower_bound(m_scaleCodes.begin(), m_scaleCodes.end(), slot);
        const auto at = pos - m_scaleCodes.begin();
        m_scaleCodes.insert(pos, slot);
        scales.insert(scales.begin() + at, s);
        break;
    }
    }
}

bool ScopeValues::operator==(const ScopeValues& o) const
{
    return m_values == o.m_values && keys == o.keys && scales == o.scales && hidden545 == o.hidden545;
}

const QList<ListEntry>& ScopeValues::linkKeys()
{
    static const QList<ListEntry> keys = [] {
        QList<ListEntry> l{{QStringLiteral("---"), 0}};
        l.append(keyEntries());
        return l;
    }();
    return keys;
}

} // namespace zqvr::parameters
