#include "reports/ReportData.h"

#include "db/Connection.h"
#include "db/RecordSet.h"

namespace zqvr::reports {

namespace {
const QVariant kNull;
}

ReportData::ReportData(const QStringList& fields) : m_fields(fields)
{
    for (int i = 0; i < fields.size(); ++i)
        m_index.insert(fields.at(i).toLower(), i);
}

ReportData ReportData::fromRecordSet(db::RecordSet& rs)
{
    QStringList names;
    for (int i = 0; i < rs.fieldCount(); ++i)
        names << rs.fieldName(i);
    ReportData data(names);
    while (!rs.eof()) {
        QVector<QVariant> row(names.size());
        for (int i = 0; i < names.size(); ++i)
            row[i] = rs.value(i).variant();
        data.m_rows.push_back(std::move(row));
        rs.moveNext();
    }
    return data;
}

ReportData ReportData::fromQuery(db::Connection& conn, const QString& sql)
{
    db::RecordSet rs = conn.query(sql);
    return fromRecordSet(rs);
}

int ReportData::fieldIndex(const QString& name) const
{
    return m_index.value(name.toLower(), -1);
}

const QVariant& ReportData::value(int row, int col) const
{
    if (row < 0 || row >= rowCount() || col < 0)
        return kNull;
    const auto& r = m_rows[size_t(row)];
    return col < r.size() ? r.at(col) : kNull;
}

void ReportData::addRow(QVector<QVariant> row)
{
    row.resize(m_fields.size());
    m_rows.push_back(std::move(row));
}

} // namespace zqvr::reports
