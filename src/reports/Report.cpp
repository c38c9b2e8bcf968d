#include "reports/Report.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/RecordSet.h"
#include "db/SqlLiteral.h"
#include "host/Formato.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <limits>

namespace zqvr::reports {

namespace {

// Calls f(token) for every {token} of a template and returns the template
// with each replaced by what f gives; "{{" and "}}" stand for the braces.
template <class F>
QString expandTemplate(const QString& tpl, F&& f)
{
    QString out;
    out.reserve(tpl.size());
    for (int i = 0; i < tpl.size(); ++i) {
        const QChar c = tpl.at(i);
        if (c == QLatin1Char('{') && i + 1 < tpl.size() && tpl.at(i + 1) == QLatin1Char('{')) {
            out += c;
            ++i;
        } else if (c == QLatin1Char('}') && i + 1 < tpl.size() && tpl.at(i + 1) == QLatin1Char('}')) {
            out += c;
            ++i;
        } else if (c == QLatin1Char('{')) {
            const int end = tpl.indexOf(QLatin1Char('}'), i + 1);
            if (end < 0) {
                out += tpl.mid(i);
                break;
            }
            out += f(tpl.mid(i + 1, end - i - 1).trimmed());
            i = end;
        } else {
            out += c;
        }
    }
    return out;
}

bool isFieldToken(const QString& token)
{
    return token.startsWith(QLatin1String("ado."), Qt::CaseInsensitive);
}

struct DateParts {
    QDate date;
    QTime time;
    bool hasTime = false;
};

int digits(QStringView s, qsizetype from, qsizetype n)
{
    bool ok = false;
    const int v = s.mid(from, n).toInt(&ok);
    return ok ? v : -1;
}

// Reads a date (and time) without going through the local time zone: ISO
// text as the embedded database keeps it, or the suite's day-first text.
// Thousands of cells are read per report, so the common forms are read by hand.
DateParts toDate(const QVariant& v)
{
    DateParts out;
    if (v.typeId() == QMetaType::QDate) {
        out.date = v.toDate();
        return out;
    }
    if (v.typeId() == QMetaType::QDateTime) {
        const QDateTime dt = v.toDateTime();
        out.date = dt.date();
        out.time = dt.time();
        out.hasTime = out.time.isValid() && out.time != QTime(0, 0);
        return out;
    }
    const QString text = v.toString().trimmed();
    const QStringView s(text);
    QStringView timePart;
    if (s.size() >= 10 && s.at(4) == QLatin1Char('-') && s.at(7) == QLatin1Char('-')) {
        out.date = QDate(digits(s, 0, 4), digits(s, 5, 2), digits(s, 8, 2));
        if (s.size() > 10 && (s.at(10) == QLatin1Char(' ') || s.at(10) == QLatin1Char('T')))
            timePart = s.mid(11);
    } else {
        const qsizetype blank = s.indexOf(QLatin1Char(' '));
        out.date = host::Formato::LeerFecha(blank < 0 ? text : s.left(blank).toString());
        if (blank >= 0)
            timePart = s.mid(blank + 1).trimmed();
    }
    if (!out.date.isValid() || timePart.isEmpty())
        return out;
    const qsizetype colon = timePart.indexOf(QLatin1Char(':'));
    if (colon > 0) {
        const int h = digits(timePart, 0, colon);
        const int m = digits(timePart, colon + 1, 2);
        const int sec = timePart.size() >= colon + 6 && timePart.at(colon + 3) == QLatin1Char(':') ? digits(timePart, colon + 4, 2) : 0;
        out.time = QTime(h, m, std::max(0, sec));
        out.hasTime = out.time.isValid() && out.time != QTime(0, 0);
    }
    return out;
}

QString formatDate(const DateParts& d, const QString& format)
{
    if (!d.time.isValid())
        return d.date.toString(format);
    return QDateTime(d.date, d.time, Qt::UTC).toString(format);
}

bool toNumber(const QVariant& v, double* out)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool:
        *out = v.toDouble();
        return true;
    default:
        break;
    }
    const QString s = v.toString().trimmed();
    if (s.isEmpty())
        return false;
    bool ok = false;
    double d = s.toDouble(&ok); // engines hand numbers back with a "." point
    if (!ok)
        d = host::Formato::LeerNumero(s, &ok);
    if (ok)
        *out = d;
    return ok;
}

} // namespace

Report::Report(ReportLayout layout) : m_layout(std::move(layout)) {}

std::shared_ptr<Report> Report::open(const QString& path)
{
    return std::make_shared<Report>(ReportLayout::load(path));
}

void Report::setData(ReportData data)
{
    m_data = std::move(data);
    m_haveData = true;
    m_queryConn = nullptr;
    m_query.clear();
    invalidate();
}

void Report::setRecordSet(db::RecordSet& rs)
{
    setData(ReportData::fromRecordSet(rs));
}

void Report::setQuery(db::Connection& conn, const QString& sql)
{
    m_queryConn = &conn;
    m_query = sql;
    m_haveData = false;
    invalidate();
}

void Report::setParameter(int index, const QVariant& value)
{
    setParameter(QString::number(index), value);
}

QString Report::parameterKey(const QString& nameOrIndex) const
{
    // A declared parameter is one value whether it is given by number or by name.
    if (const ParameterSpec* p = m_layout.parameter(nameOrIndex.trimmed()))
        return p->index > 0 ? QString::number(p->index) : p->name.toLower();
    return nameOrIndex.trimmed().toLower();
}

void Report::setParameter(const QString& name, const QVariant& value)
{
    m_params.insert(parameterKey(name), value);
    invalidate();
}

QVariant Report::parameterValue(const QString& nameOrIndex) const
{
    auto it = m_params.constFind(parameterKey(nameOrIndex));
    if (it != m_params.constEnd())
        return *it;
    if (const ParameterSpec* p = m_layout.parameter(nameOrIndex.trimmed()))
        return p->defaultValue;
    return {};
}

QString Report::describe() const
{
    return m_layout.filePath.isEmpty() ? m_layout.name : m_layout.filePath;
}

void Report::fail(long number, const QString& text) const
{
    throw Error(number, text, QStringLiteral("Report::prepare"));
}

QString Report::expandQuery(const QString& sql, const db::Dialect& dialect) const
{
    return expandTemplate(sql, [&](const QString& token) -> QString {
        if (!token.startsWith(QLatin1Char('?')))
            fail(rpterr::LayoutMalformed,
                 QStringLiteral("La consulta del informe \"%1\" usa {%2}; sólo admite parámetros {?...}.")
                     .arg(describe(), token));
        const QString key = token.mid(1).trimmed();
        const QVariant v = parameterValue(key);
        if (!v.isValid())
            fail(rpterr::MissingParameter,
                 QStringLiteral("Falta el valor del parámetro \"%1\" del informe \"%2\".").arg(key, describe()));
        const ParameterSpec* spec = m_layout.parameter(key);
        const QString type = spec ? spec->type : QStringLiteral("text");
        auto bad = [&]() -> QString {
            fail(rpterr::MissingParameter, QStringLiteral("El valor \"%1\" del parámetro \"%2\" del informe \"%3\" no es válido.")
                                             .arg(v.toString(), key, describe()));
        };
        if (type == QLatin1String("int") || type == QLatin1String("number")) {
            double d = 0;
            if (!toNumber(v, &d) || !std::isfinite(d))
                return bad();
            return type == QLatin1String("int") ? db::sqlInt(std::llround(d)) : db::sqlNumber(d);
        }
        if (type == QLatin1String("date") || type == QLatin1String("datetime")) {
            const DateParts d = toDate(v);
            if (!d.date.isValid())
                return bad();
            return type == QLatin1String("date") ? dialect.date(d.date)
                                                 : dialect.dateTime(QDateTime(d.date, d.time.isValid() ? d.time : QTime(0, 0)));
        }
        if (type == QLatin1String("choice")) {
            // The text written comes from the layout file, never from the caller.
            bool ok = false;
            const int i = v.toString().trimmed().toInt(&ok);
            if (!ok || i < 0 || i >= spec->choices.size())
                return bad();
            return spec->choices.at(i);
        }
        return db::sqlText(v.toString());
    });
}

void Report::checkTemplate(const ReportObject& o) const
{
    expandTemplate(o.text, [&](const QString& token) -> QString {
        static const QStringList specials = {QStringLiteral("PageNumber"), QStringLiteral("TotalPages"),
                                             QStringLiteral("PrintDate"), QStringLiteral("PrintTime"),
                                             QStringLiteral("RecordCount")};
        if (specials.contains(token, Qt::CaseInsensitive))
            return {};
        if (isFieldToken(token)) {
            if (m_data.fieldIndex(fieldNameOf(token)) < 0)
                fail(rpterr::UnknownField, QStringLiteral("El campo \"%1\" de la fórmula \"%2\" no está en los datos del informe \"%3\".")
                                             .arg(fieldNameOf(token), o.name, describe()));
            return {};
        }
        if (token.startsWith(QLatin1Char('?'))) {
            if (!parameterValue(token.mid(1)).isValid())
                fail(rpterr::MissingParameter, QStringLiteral("Falta el valor del parámetro \"%1\" del informe \"%2\".")
                                                 .arg(token.mid(1).trimmed(), describe()));
            return {};
        }
        fail(rpterr::LayoutMalformed,
             QStringLiteral("La fórmula \"%1\" del informe \"%2\" usa {%3}, que no se conoce.").arg(o.name, describe(), token));
    });
}

void Report::prepare()
{
    if (m_prepared)
        return;
    m_summaries.clear();
    m_subreports.clear();
    // The rows.
    if (m_queryConn) {
        m_data = ReportData::fromQuery(*m_queryConn, m_query);
    } else if (!m_haveData) {
        if (!m_layout.query.isEmpty()) {
            if (!m_conn)
                fail(rpterr::LayoutObject, QStringLiteral("El informe \"%1\" necesita una conexión a la base de datos.").arg(describe()));
            m_data = ReportData::fromQuery(*m_conn, expandQuery(m_layout.query, m_conn->dialect()));
        } else {
            m_data = ReportData();
        }
    }

    // Every field, formula and summary must find what it prints.
    for (const ReportSection& s : m_layout.sections) {
        for (const ReportObject& o : s.objects) {
            if (o.kind == ObjectKind::Field || (o.kind == ObjectKind::Summary && !o.field.isEmpty())) {
                if (m_data.fieldIndex(o.field) < 0)
                    fail(rpterr::UnknownField, QStringLiteral("El campo \"%1\" del objeto \"%2\" no está en los datos del informe \"%3\".")
                                                 .arg(o.field, o.name, describe()));
            } else if (o.kind == ObjectKind::Formula) {
                checkTemplate(o);
            } else if (o.kind == ObjectKind::Subreport) {
                const QString dir = m_layout.filePath.isEmpty() ? QDir::currentPath() : QFileInfo(m_layout.filePath).absolutePath();
                auto sub = std::make_shared<Report>(ReportLayout::load(QDir(dir).filePath(o.file)));
                sub->m_conn = m_conn;
                sub->m_params = m_params;
                sub->prepare();
                m_subreports.insert(o.name.toLower(), sub);
            }
            if (o.kind == ObjectKind::Summary)
                m_summaries.insert(o.name.toLower(), summaryText(o));
        }
    }
    m_printedAt = QDateTime::currentDateTime();
    m_prepared = true;
}

Report* Report::subreport(const QString& objectName) const
{
    return m_subreports.value(objectName.toLower()).get();
}

QString Report::summaryText(const ReportObject& o) const
{
    const int col = o.field.isEmpty() ? -1 : m_data.fieldIndex(o.field);
    const int rows = m_data.rowCount();
    if (o.summary == SummaryKind::Count) {
        int n = rows;
        if (col >= 0) {
            n = 0;
            for (int r = 0; r < rows; ++r)
                if (!m_data.value(r, col).isNull())
                    ++n;
        }
        return formatValue(n, o.format.isEmpty() ? QStringLiteral("integer") : o.format);
    }
    double sum = 0, lo = std::numeric_limits<double>::max(), hi = std::numeric_limits<double>::lowest();
    int n = 0;
    for (int r = 0; r < rows; ++r) {
        double d = 0;
        if (!toNumber(m_data.value(r, col), &d))
            continue;
        sum += d;
        lo = std::min(lo, d);
        hi = std::max(hi, d);
        ++n;
    }
    double v = 0;
    switch (o.summary) {
    case SummaryKind::Sum: v = sum; break;
    case SummaryKind::Average: v = n ? sum / n : 0; break;
    case SummaryKind::Minimum: v = n ? lo : 0; break;
    case SummaryKind::Maximum: v = n ? hi : 0; break;
    case SummaryKind::Count: break;
    }
    return formatValue(v, o.format.isEmpty() ? QStringLiteral("number:2") : o.format);
}

QString Report::parameterText(const QString& key) const
{
    const QVariant v = parameterValue(key);
    const ParameterSpec* spec = m_layout.parameter(key);
    if (spec && spec->type == QLatin1String("choice")) {
        const int i = v.toInt();
        return i >= 0 && i < spec->choices.size() ? spec->choices.at(i) : v.toString();
    }
    if (spec && (spec->type == QLatin1String("date") || spec->type == QLatin1String("datetime")))
        return formatValue(v, spec->type);
    return formatValue(v, QString());
}

QString Report::objectText(const ReportObject& o, int row, int page, int pages) const
{
    switch (o.kind) {
    case ObjectKind::Text:
        return o.text;
    case ObjectKind::Field: {
        const QString t = formatValue(m_data.value(row, m_data.fieldIndex(o.field)), o.format);
        return !o.blankIf.isEmpty() && t == o.blankIf ? QString() : t;
    }
    case ObjectKind::Summary:
        return m_summaries.value(o.name.toLower());
    case ObjectKind::Formula:
        return expandTemplate(o.text, [&](const QString& token) -> QString {
            if (token.compare(QLatin1String("PageNumber"), Qt::CaseInsensitive) == 0)
                return QString::number(page);
            if (token.compare(QLatin1String("TotalPages"), Qt::CaseInsensitive) == 0)
                return QString::number(pages);
            if (token.compare(QLatin1String("PrintDate"), Qt::CaseInsensitive) == 0)
                return m_printedAt.toString(o.format.isEmpty() ? QStringLiteral("dd/MM/yyyy") : o.format);
            if (token.compare(QLatin1String("PrintTime"), Qt::CaseInsensitive) == 0)
                return m_printedAt.toString(QStringLiteral("HH:mm"));
            if (token.compare(QLatin1String("RecordCount"), Qt::CaseInsensitive) == 0)
                return QString::number(m_data.rowCount());
            if (token.startsWith(QLatin1Char('?')))
                return parameterText(token.mid(1));
            if (isFieldToken(token))
                return formatValue(m_data.value(row, m_data.fieldIndex(fieldNameOf(token))), QString());
            return QString();
        });
    default:
        return QString();
    }
}

QString Report::formatValue(const QVariant& v, const QString& format)
{
    if (v.isNull() || !v.isValid())
        return QString();
    const QString kind = format.section(QLatin1Char(':'), 0, 0).trimmed().toLower();
    if (kind.isEmpty()) {
        switch (v.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float:
            return host::Formato::FormatoNumero(v.toDouble(), 2);
        case QMetaType::Bool:
            return v.toBool() ? QStringLiteral("Sí") : QStringLiteral("No");
        case QMetaType::QDate:
            return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
        case QMetaType::QDateTime: {
            const QDateTime dt = v.toDateTime();
            return dt.toString(dt.time() == QTime(0, 0) ? QStringLiteral("dd/MM/yyyy") : QStringLiteral("dd/MM/yyyy HH:mm"));
        }
        default:
            return v.toString();
        }
    }
    if (kind == QLatin1String("text"))
        return v.toString();
    if (kind == QLatin1String("integer") || kind == QLatin1String("number")) {
        double d = 0;
        if (!toNumber(v, &d))
            return v.toString();
        if (kind == QLatin1String("integer"))
            return QString::number(std::llround(d));
        bool ok = false;
        int decimals = format.section(QLatin1Char(':'), 1, 1).toInt(&ok);
        if (!ok)
            decimals = 2;
        QString t = host::Formato::FormatoNumero(d, std::clamp(decimals, 0, 10));
        if (format.section(QLatin1Char(':'), 2, 2).trimmed().compare(QLatin1String("nogroup"), Qt::CaseInsensitive) == 0)
            t.remove(QLatin1Char('.'));
        return t;
    }
    if (kind == QLatin1String("date") || kind == QLatin1String("datetime")) {
        const DateParts d = toDate(v);
        if (!d.date.isValid())
            return v.toString();
        QString f = format.section(QLatin1Char(':'), 1); // the rest: a format may hold ':'
        if (f.isEmpty())
            f = kind == QLatin1String("date") ? QStringLiteral("dd/MM/yyyy") : QStringLiteral("dd/MM/yyyy HH:mm");
        return formatDate(d, f);
    }
    if (kind == QLatin1String("bool")) {
        double d = 0;
        bool on = toNumber(v, &d) ? d != 0 : v.toBool();
        return on ? QStringLiteral("Sí") : QStringLiteral("No");
    }
    return v.toString();
}

} // namespace zqvr::reports
