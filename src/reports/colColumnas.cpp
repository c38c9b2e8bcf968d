#include "reports/colColumnas.h"

#include "db/Error.h"

namespace zqvr::reports {

namespace {
constexpr long kOutOfRange = 9;
constexpr long kDuplicateKey = 457;
const QString kSource = QStringLiteral("colColumnas");
} // namespace

int colColumnas::find(const QString& key) const
{
    const QString k = key.toLower();
    for (size_t i = 0; i < m_items.size(); ++i)
        if (!k.isEmpty() && m_items[i].key == k)
            return int(i);
    return -1;
}

clsColumna& colColumnas::Add(const clsColumna& columna, const QString& key)
{
    if (!key.isEmpty() && find(key) >= 0)
        throw Error(kDuplicateKey, QStringLiteral("Ya hay una columna con la clave \"%1\".").arg(key), kSource + QStringLiteral("::Add"));
    m_items.push_back({key.toLower(), columna});
    return m_items.back().col;
}

clsColumna& colColumnas::Item(int index)
{
    if (index < 1 || index > Count())
        throw Error(kOutOfRange, QStringLiteral("No hay ninguna columna en la posición %1.").arg(index), kSource + QStringLiteral("::Item"));
    return m_items[size_t(index - 1)].col;
}

const clsColumna& colColumnas::Item(int index) const
{
    return const_cast<colColumnas*>(this)->Item(index);
}

clsColumna& colColumnas::Item(const QString& key)
{
    const int i = find(key);
    if (i < 0)
        throw Error(::zqvr::errc::InvalidArgument, QStringLiteral("No hay ninguna columna con la clave \"%1\".").arg(key), kSource + QStringLiteral("::Item"));
    return m_items[size_t(i)].col;
}

void colColumnas::Remove(int index)
{
    Item(index); // raises when out of range
    m_items.erase(m_items.begin() + (index - 1));
}

void colColumnas::Remove(const QString& key)
{
    Item(key);
    m_items.erase(m_items.begin() + find(key));
}

} // namespace zqvr::reports
