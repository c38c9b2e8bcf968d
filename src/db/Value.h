#pragma once
// A field value read from a record set, with NULL-safe conversions: a NULL
// reads as 0, "", false or an invalid date, never as an error.
#include "db_export.h"
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace zqvr::db {

class ZQVR_DB_EXPORT Value {
public:
    Value() = default;
    explicit Value(QVariant v) : m_v(std::move(v)) {}

    bool isNull() const { return m_v.isNull() || !m_v.isValid(); }
    int toInt() const;
    qint64 toLongLong() const;
    double toDouble() const;
    // true when not 0 (flags are 0/1; any non-zero number is true).
    bool toBool() const;
    QString toString() const;
    QDate toDate() const;
    QDateTime toDateTime() const;
    QByteArray toByteArray() const;
    const QVariant& variant() const { return m_v; }

private:
    QVariant m_v;
};

} // namespace zqvr::db
