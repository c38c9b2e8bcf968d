#include "frame/ErrorReport.h"

#include "frame/OperationNotice.h"
#include "frame/Services.h"

#include <QApplication>
#include <QObject>

namespace zqvr::frame {

namespace {
// Keyed by the screen; an entry leaves with its screen.
QHash<const QObject*, ReportNames>& declarations()
{
    static QHash<const QObject*, ReportNames> d;
    return d;
}
} // namespace

ReportNames& ReportNames::under(const QString& screen, const QStringList& procedures)
{
    for (const QString& p : procedures)
        m_named.insert(p, Report{screen + QLatin1Char(':') + p, m_style, MsgIcon::Critical, {}, {}});
    return *this;
}

ReportNames& ReportNames::allUnder(const QString& screen)
{
    m_prefix = screen + QLatin1Char(':');
    return *this;
}

ReportNames& ReportNames::rename(const QString& procedure, const QString& caption, std::optional<ReportStyle> style,
                                MsgIcon icon)
{
    m_named.insert(procedure, Report{caption, style.value_or(m_style), icon, {}, {}});
    return *this;
}

ReportNames& ReportNames::style(ReportStyle s)
{
    m_style = s;
    return *this;
}

ReportNames& ReportNames::explain(const QString& procedure, Explanation explain)
{
    m_explain.insert(procedure, std::move(explain));
    return *this;
}

ReportNames& ReportNames::tell(const QString& procedure, int number, const ToldInstead& instead)
{
    m_told[procedure].insert(number, instead);
    return *this;
}

ReportNames& ReportNames::reportAs(const QString& procedure, const QString& asProcedure)
{
    m_alias.insert(procedure, asProcedure);
    return *this;
}

Report ReportNames::resolve(const QString& derived) const
{
    const QString procedure = m_alias.value(derived, derived);
    const auto it = m_named.constFind(procedure);
    Report r = it != m_named.constEnd() ? *it : Report{m_prefix + procedure, m_style, MsgIcon::Critical, {}, {}};
    r.told = m_told.value(procedure);
    r.explain = m_explain.value(procedure);
    return r;
}

void declareReports(QObject* screen, const ReportNames& names)
{
    const bool known = declarations().contains(screen);
    declarations().insert(screen, names);
    if (!known)
        QObject::connect(screen, &QObject::destroyed, [screen] { declarations().remove(screen); });
}

Report reportFor(const QObject* screen, const QString& procedure)
{
    const auto it = declarations().constFind(screen);
    if (it != declarations().constEnd())
        return it->resolve(procedure);
    return ReportNames().resolve(procedure);
}

QString errorCaption(const Error& e, const QString& reportName)
{
    if (e.statementNumber() != 0)
        return QStringLiteral("[%1] %2").arg(e.statementNumber()).arg(reportName);
    return reportName;
}

void reportError(const Error& e, const QString& reportName)
{
    reportError(e, Report{reportName, ReportStyle::Standard, MsgIcon::Critical, {}, {}});
}

void reportError(const Error& e, const Report& report)
{
    // What the screen expects it tells in its own words.
    if (const auto told = report.told.constFind(e.number()); told != report.told.constEnd()) {
        msgBox(told->text, told->caption, told->icon);
        return;
    }
    if (report.explain && report.explain(e))
        return;
    // A failure in the middle of a long operation must not leave the notice up.
    if (report.style != ReportStyle::PlainText)
        modMsgOp(false);
    switch (report.style) {
    case ReportStyle::Standard: {
        QString text = e.description();
        if (text.isEmpty())
            text = QStringLiteral("Error %1").arg(e.number());
        msgBox(text, errorCaption(e, report.caption), MsgIcon::Critical);
        break;
    }
    case ReportStyle::NumberInText:
        // Nor a busy pointer left by the failed step.
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        msgBox(QStringLiteral("[%1] %2").arg(e.number()).arg(e.description()), report.caption, MsgIcon::Critical);
        break;
    case ReportStyle::PlainText:
        msgBox(e.description(), report.caption, report.icon);
        break;
    }
}

void reportException(const std::exception& e, const QString& reportName)
{
    reportException(e, Report{reportName, ReportStyle::Standard, MsgIcon::Critical, {}, {}});
}

void reportException(const std::exception& e, const Report& report)
{
    reportError(Error(errc::Database, QString::fromUtf8(e.what())), report);
}

} // namespace zqvr::frame
