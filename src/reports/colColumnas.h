#pragma once
// The keyed collection of printed columns: add with an optional key, item by
// position (1-based) or by key (any case), count, remove, clear, and a
// range-for over the columns in order.
#include "reports_export.h"
#include "reports/clsColumna.h"

#include <QString>
#include <vector>

namespace zqvr::reports {

class ZQVR_REPORTS_EXPORT colColumnas {
    struct Entry {
        QString key; // lower case, "" without key
        clsColumna col;
    };
    // Iteration yields the columns themselves.
    template <class It, class T>
    struct Iter {
        It it;
        T& operator*() const { return it->col; }
        T* operator->() const { return &it->col; }
        Iter& operator++()
        {
            ++it;
            return *this;
        }
        bool operator!=(const Iter& o) const { return it != o.it; }
        bool operator==(const Iter& o) const { return it == o.it; }
    };

public:
    using iterator = Iter<std::vector<Entry>::iterator, clsColumna>;
    using const_iterator = Iter<std::vector<Entry>::const_iterator, const clsColumna>;

    // Adds a column; a key already in use raises Error 457.
    clsColumna& Add(const clsColumna& columna, const QString& key = QString());
    // 1-based position; raises Error 9 when out of range.
    clsColumna& Item(int index);
    const clsColumna& Item(int index) const;
    // Raises Error 5 when no column has that key.
    clsColumna& Item(const QString& key);
    int Count() const { return static_cast<int>(m_items.size()); }
    void Remove(int index);
    void Remove(const QString& key);
    void Clear() { m_items.clear(); }
    bool isEmpty() const { return m_items.empty(); }

    iterator begin() { return {m_items.begin()}; }
    iterator end() { return {m_items.end()}; }
    const_iterator begin() const { return {m_items.cbegin()}; }
    const_iterator end() const { return {m_items.cend()}; }

private:
    int find(const QString& key) const;
    std::vector<Entry> m_items;
};

} // namespace zqvr::reports
