#include "db/RecordSet.h"

#include "db/Error.h"

#include <QSqlError>
#include <QSqlRecord>

namespace zqvr::db {

RecordSet::RecordSet(QSqlQuery query, QString sql, std::shared_ptr<Pending> pending)
    : m_query(std::make_unique<QSqlQuery>(std::move(query))), m_sql(std::move(sql)), m_open(true),
      m_pending(std::move(pending))
{
    const QSqlRecord rec = m_query->record();
    for (int i = 0; i < rec.count(); ++i) {
        m_names << rec.fieldName(i);
        const QString key = rec.fieldName(i).toLower();
        if (!m_index.contains(key))
            m_index.insert(key, i);
    }
    m_onRow = m_query->next();
    if (!m_onRow)
        settle();
}

RecordSet::~RecordSet() { settle(); }

void RecordSet::settle()
{
    if (m_pending) {
        m_pending->unread = false;
        m_pending.reset();
    }
}

void RecordSet::moveNext()
{
    if (!m_open || !m_onRow)
        throw Error(errc::NoCurrentRow, QStringLiteral("No hay registro actual."));
    m_onRow = m_query->next();
    if (!m_onRow)
        settle();
}

void RecordSet::close()
{
    if (m_query)
        m_query->finish();
    m_query.reset();
    m_open = false;
    m_onRow = false;
    settle();
}

bool RecordSet::hasField(const QString& name) const { return m_index.contains(name.toLower()); }

int RecordSet::indexOf(const QString& name) const
{
    auto it = m_index.constFind(name.toLower());
    if (it == m_index.constEnd())
        throw Error(errc::FieldNotFound,
                    QStringLiteral("No se encontró el elemento en la colección: %1").arg(name));
    return it.value();
}

Value RecordSet::value(const QString& name) const { return value(indexOf(name)); }

Value RecordSet::value(int index) const
{
    if (eof())
        throw Error(errc::NoCurrentRow, QStringLiteral("No hay registro actual."));
    if (index < 0 || index >= m_names.size())
        throw Error(errc::FieldNotFound, QStringLiteral("No se encontró el elemento %1.").arg(index));
    return Value(m_query->value(index));
}

} // namespace zqvr::db
