#include "db/SelectParts.h"

#include "db/Error.h"

#include <QStringList>

namespace zqvr::db {

namespace {

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('@') || c == QLatin1Char('#'); }

// Position of the first `keyword` at nesting level 0 outside quotes and brackets, from `start`; -1 if none.
int findKeyword(const QString& s, const QString& keyword, int start)
{
    int depth = 0;
    const int n = s.size();
    const int k = keyword.size();
    for (int i = start; i < n; ++i) {
        const QChar c = s[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // Quoted text; a doubled quote stays inside it.
            const QChar q = c;
            for (++i; i < n; ++i) {
                if (s[i] == q) {
                    if (i + 1 < n && s[i + 1] == q)
                        ++i;
                    else
                        break;
                }
            }
            continue;
        }
        if (c == QLatin1Char('[')) {
            while (i < n && s[i] != QLatin1Char(']'))
                ++i;
            continue;
        }
        if (c == QLatin1Char('(')) {
            ++depth;
            continue;
        }
        if (c == QLatin1Char(')')) {
            --depth;
            continue;
        }
        if (depth != 0 || i + k > n)
            continue;
        if (s.mid(i, k).compare(keyword, Qt::CaseInsensitive) != 0)
            continue;
        const bool startsWord = i == 0 || !isWordChar(s[i - 1]);
        const bool endsWord = i + k == n || !isWordChar(s[i + k]);
        if (startsWord && endsWord)
            return i;
    }
    return -1;
}

[[noreturn]] void notUpdatable(const QString& sql)
{
    throw Error(errc::InvalidArgument,
                QStringLiteral("La consulta no permite actualizar una columna binaria: %1").arg(sql));
}

// The first table reference of a FROM list: "Tabla", "dbo.Tabla", "[Mi Tabla] t", "Tabla AS t".
void firstTable(const QString& from, SelectParts& parts)
{
    const QString f = from.trimmed();
    int i = 0;
    const int n = f.size();
    auto readName = [&]() {
        const int begin = i;
        while (i < n) {
            if (f[i] == QLatin1Char('[')) {
                while (i < n && f[i] != QLatin1Char(']'))
                    ++i;
                ++i;
            } else if (isWordChar(f[i]) || f[i] == QLatin1Char('.')) {
                ++i;
            } else {
                break;
            }
        }
        return f.mid(begin, i - begin);
    };
    auto skipSpaces = [&]() {
        while (i < n && f[i].isSpace())
            ++i;
    };
    parts.table = readName();
    if (parts.table.isEmpty())
        return;
    skipSpaces();
    QString next = readName();
    if (next.compare(QLatin1String("AS"), Qt::CaseInsensitive) == 0) {
        skipSpaces();
        next = readName();
    }
    static const QStringList notAliases = {QStringLiteral("INNER"), QStringLiteral("LEFT"),
                                           QStringLiteral("RIGHT"), QStringLiteral("FULL"),
                                           QStringLiteral("CROSS"), QStringLiteral("JOIN"),
                                           QStringLiteral("OUTER"), QStringLiteral("WITH"),
                                           QStringLiteral("ON")};
    if (!next.isEmpty() && !notAliases.contains(next, Qt::CaseInsensitive))
        parts.alias = next;
}

} // namespace

SelectParts splitSelect(const QString& selectSql)
{
    const int select = findKeyword(selectSql, QStringLiteral("SELECT"), 0);
    if (select < 0 || !selectSql.left(select).trimmed().isEmpty())
        notUpdatable(selectSql);
    const int from = findKeyword(selectSql, QStringLiteral("FROM"), select + 6);
    if (from < 0)
        notUpdatable(selectSql);
    const int where = findKeyword(selectSql, QStringLiteral("WHERE"), from + 4);
    SelectParts parts;
    if (where < 0) {
        parts.from = selectSql.mid(from + 4).trimmed();
    } else {
        parts.from = selectSql.mid(from + 4, where - from - 4).trimmed();
        parts.condition = selectSql.mid(where + 5).trimmed();
    }
    // An ORDER BY or GROUP BY has no place in an UPDATE.
    const QString& tail = parts.condition.isEmpty() ? parts.from : parts.condition;
    if (findKeyword(tail, QStringLiteral("ORDER"), 0) >= 0 || findKeyword(tail, QStringLiteral("GROUP"), 0) >= 0)
        notUpdatable(selectSql);
    firstTable(parts.from, parts);
    if (parts.table.isEmpty() || parts.from.isEmpty())
        notUpdatable(selectSql);
    return parts;
}

} // namespace zqvr::db
