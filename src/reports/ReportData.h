#pragma once
// The rows a report prints: field names and one value per field and row,
// read once from a record set or a query and kept for pagination and paint.
#include "reports_export.h"

#include <QHash>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <vector>

namespace zqvr::db {
class Connection;
class RecordSet;
} // namespace zqvr::db

namespace zqvr::reports {

class ZQVR_REPORTS_EXPORT ReportData {
public:
    ReportData() = default;
    explicit ReportData(const QStringList& fields);

    // Reads the record set from its current row to the end (it is left at eof).
    static ReportData fromRecordSet(db::RecordSet& rs);
    // Runs the statement and reads every row; throws the engine's Error.
    static ReportData fromQuery(db::Connection& conn, const QString& sql);

    const QStringList& fields() const { return m_fields; }
    // Index of a field whatever the case, -1 when there is none.
    int fieldIndex(const QString& name) const;
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    const QVariant& value(int row, int col) const;
    void addRow(QVector<QVariant> row);
    void reserve(int rows) { m_rows.reserve(size_t(rows)); }

private:
    QStringList m_fields;
    QHash<QString, int> m_index;
    std::vector<QVector<QVariant>> m_rows;
};

} // namespace zqvr::reports
