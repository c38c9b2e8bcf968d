#include "frame/ErrorReport.h"

#include "frame/OperationNotice.h"
#include "frame/Services.h"

namespace zqvr::frame {

QString errorCaption(const Error& e, const QString& reportName)
{
    if (e.statementNumber() != 0)
        return QStringLiteral("[%1] %2").arg(e.statementNumber()).arg(reportName);
    return reportName;
}

void reportError(const Error& e, const QString& reportName)
{
    // A failure in the middle of a long operation must not leave the notice up.
    modMsgOp(false);
    QString text = e.description();
    if (text.isEmpty())
        text = QStringLiteral("Error %1").arg(e.number());
    msgBox(text, errorCaption(e, reportName), MsgIcon::Critical);
}

void reportException(const std::exception& e, const QString& reportName)
{
    reportError(Error(errc::Database, QString::fromUtf8(e.what())), reportName);
}

} // namespace zqvr::frame
