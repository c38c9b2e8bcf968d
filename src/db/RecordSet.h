#pragma once
// A forward-only, read-only record set, positioned on its first row when
// opened (eof() tells there is none). Fields are found by name whatever the case.
#include "db_export.h"
#include "db/Value.h"

#include <QHash>
#include <QSqlQuery>
#include <QString>
#include <memory>

namespace zqvr::db {

class ZQVR_DB_EXPORT RecordSet {
public:
    // Shared with the connection while rows remain to be read (see
    // Connection::setSingleOpenResultCheck).
    struct Pending {
        QString sql;
        bool unread = true;
    };

    RecordSet() = default;
    RecordSet(QSqlQuery query, QString sql, std::shared_ptr<Pending> pending = {});
    ~RecordSet();
    RecordSet(RecordSet&&) noexcept = default;
    RecordSet& operator=(RecordSet&&) noexcept = default;

    bool isOpen() const { return m_open; }
    bool eof() const { return !m_open || !m_onRow; }
    void moveNext();
    void close();

    int fieldCount() const { return m_names.size(); }
    QString fieldName(int i) const { return m_names.value(i); }
    bool hasField(const QString& name) const;
    // Throws Error (3265) for an unknown field, and (3021) when there is no current row.
    Value value(const QString& name) const;
    Value value(int index) const;
    Value operator[](const QString& name) const { return value(name); }

    QString sql() const { return m_sql; }

private:
    int indexOf(const QString& name) const;
    void settle();

    std::unique_ptr<QSqlQuery> m_query;
    QString m_sql;
    QStringList m_names;
    QHash<QString, int> m_index; // lower-case name -> column
    bool m_open = false;
    bool m_onRow = false;
    std::shared_ptr<Pending> m_pending;
};

} // namespace zqvr::db
