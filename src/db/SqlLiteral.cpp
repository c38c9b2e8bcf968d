#include "db/SqlLiteral.h"

#include "db/Error.h"

#include <QLocale>
#include <cmath>

namespace zqvr::db {

QString sqlText(const QString& value)
{
    QString doubled = value;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

QString sqlInt(qint64 value) { return QString::number(value); }

QString sqlNumber(double value, int maxDecimals)
{
    // Writing 0 for a value that is no number would store a wrong amount as
    // if it had been typed.
    if (!std::isfinite(value))
        throw Error(errc::InvalidArgument,
                    QStringLiteral("El valor %1 no es un número que se pueda guardar.")
                        .arg(std::isnan(value) ? QStringLiteral("NaN") : QStringLiteral("infinito")));
    QString s = QLocale::c().toString(value, 'f', maxDecimals);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    if (s == QLatin1String("-0"))
        s = QStringLiteral("0");
    return s;
}

QString sqlFlag(bool value) { return value ? QStringLiteral("1") : QStringLiteral("0"); }

QString sqlLikePattern(const QString& userText)
{
    QString t = userText;
    t.replace(QLatin1Char('*'), QLatin1Char('%'));
    return sqlText(t);
}

} // namespace zqvr::db
