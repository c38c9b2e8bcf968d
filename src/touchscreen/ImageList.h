#pragma once
// A window's list of button pictures: a slot refers to its picture by a
// 1-based index that is the list's count at the moment it was added.
#include "touchscreen_export.h"

#include <QObject>
#include <QPixmap>
#include <vector>

namespace zqvr::touchscreen {

class ZQVR_TOUCHSCREEN_EXPORT ImageList : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Adds the picture and returns its index (count + 1 before adding).
    int add(const QPixmap& p)
    {
        m_items.push_back(p);
        return int(m_items.size());
    }
    void replace(int index, const QPixmap& p)
    {
        if (index >= 1 && index <= count())
            m_items[index - 1] = p;
    }
    void remove(int index)
    {
        if (index >= 1 && index <= count())
            m_items[index - 1] = QPixmap();
    }
    QPixmap at(int index) const { return index >= 1 && index <= count() ? m_items[index - 1] : QPixmap(); }
    int count() const { return int(m_items.size()); }
    void clear() { m_items.clear(); }

private:
    std::vector<QPixmap> m_items;
};

} // namespace zqvr::touchscreen
