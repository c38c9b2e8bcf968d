#pragma once
// How screen procedures report a failure: a message box with the critical
// icon, the error's description as text and the procedure's report name as
// caption ("Error en cmdAceptar_Click", "frmTPVs:Validar"), preceded by
// "[n] " when the failing statement carries a number. The screen stays open.
//
// A screen's procedures report under "Error en <procedure>" unless the screen
// declares, once, the names that differ (ReportNames below); wire, bindKey
// and guarded(screen, procedure, ...) all read that declaration, so no
// handler types its caption.
#include "frame_export.h"
#include "db/Error.h"
#include "frame/Services.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <exception>
#include <functional>
#include <optional>

class QObject;

namespace zqvr::frame {

enum class ReportStyle {
    // The description as text, "[statement] caption" when the failing statement carries a number.
    Standard,
    // "[number] description" as text under the bare caption (the message windows' own way).
    NumberInText,
    // The bare description under the bare caption (the ticket viewer's loads, under "¡ Atención !").
    PlainText,
};

// What the user is told, in the screen's own words, instead of a failure
// the screen expects (an error number its store raises on purpose).
struct ToldInstead {
    QString text;
    QString caption;
    MsgIcon icon = MsgIcon::Information;
};

// A screen's own account of a failure it expects; returns false to leave
// the failure to the ordinary report.
using Explanation = std::function<bool(const Error&)>;

struct Report {
    QString caption;
    ReportStyle style = ReportStyle::Standard;
    MsgIcon icon = MsgIcon::Critical;
    QHash<int, ToldInstead> told;
    Explanation explain;
};

// The report names of one screen that differ from "Error en <procedure>",
// where the procedure is the handler's derived name (<control>_<Event>,
// Form_KeyDown) or the name handed to guarded(screen, ...).
class ZQVR_FRAME_EXPORT ReportNames {
public:
    // These procedures report as "<screen>:<procedure>".
    ReportNames& under(const QString& screen, const QStringList& procedures);
    // Every procedure not named otherwise reports as "<screen>:<procedure>".
    ReportNames& allUnder(const QString& screen);
    // A handler connected to an event whose derived name is not the system's
    // reports as that procedure ("ssTab_CurrentChanged" as "ssTab_Click"),
    // under whatever name the declaration gives it.
    ReportNames& reportAs(const QString& procedure, const QString& asProcedure);
    // One procedure reports under a caption of its own ("Visor Tickets::Imprimir").
    ReportNames& rename(const QString& procedure, const QString& caption,
                        std::optional<ReportStyle> style = std::nullopt, MsgIcon icon = MsgIcon::Critical);
    // How every procedure of the screen shows its failure.
    ReportNames& style(ReportStyle s);
    // When `procedure` fails with error `number`, the user is told `instead`.
    ReportNames& tell(const QString& procedure, int number, const ToldInstead& instead);
    // When `procedure` fails, `explain` tells the user (a store's typed failure
    // that carries more than its description, such as the failing statement).
    ReportNames& explain(const QString& procedure, Explanation explain);

    Report resolve(const QString& procedure) const;

private:
    QString m_prefix = QStringLiteral("Error en ");
    ReportStyle m_style = ReportStyle::Standard;
    QHash<QString, Report> m_named;
    QHash<QString, QHash<int, ToldInstead>> m_told;
    QHash<QString, Explanation> m_explain;
    QHash<QString, QString> m_alias;
};

// Declares `screen`'s report names; they live as long as the screen.
ZQVR_FRAME_EXPORT void declareReports(QObject* screen, const ReportNames& names);
// What `procedure` of `screen` reports under (the declaration, else "Error en <procedure>").
ZQVR_FRAME_EXPORT Report reportFor(const QObject* screen, const QString& procedure);

ZQVR_FRAME_EXPORT QString errorCaption(const Error& e, const QString& reportName);
ZQVR_FRAME_EXPORT void reportError(const Error& e, const QString& reportName);
ZQVR_FRAME_EXPORT void reportError(const Error& e, const Report& report);
ZQVR_FRAME_EXPORT void reportException(const std::exception& e, const QString& reportName);
ZQVR_FRAME_EXPORT void reportException(const std::exception& e, const Report& report);

// Runs a screen procedure and reports whatever it throws under reportName.
// Returns false when it failed.
template <class F>
bool guarded(const QString& reportName, F&& f)
{
    try {
        f();
        return true;
    } catch (const Error& e) {
        reportError(e, reportName);
    } catch (const std::exception& e) {
        reportException(e, reportName);
    }
    return false;
}

// The same for a procedure of `screen`, reported as the screen declares it.
// A procedure that is also called from other handlers wraps itself in this,
// so that it reports under its own name whoever calls it.
template <class F>
bool guarded(const QObject* screen, const QString& procedure, F&& f)
{
    try {
        f();
        return true;
    } catch (const Error& e) {
        reportError(e, reportFor(screen, procedure));
    } catch (const std::exception& e) {
        reportException(e, reportFor(screen, procedure));
    }
    return false;
}

} // namespace zqvr::frame
