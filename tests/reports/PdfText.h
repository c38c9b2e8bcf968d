#pragma once
// What a user would read in a PDF: its text through poppler's pdftotext,
// pages separated by a form feed.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace zqvr::test {

inline QString pdfText(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), path,
                                          QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext could not read " << path.toStdString() << " (poppler-utils installed?)";
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of each page.
inline QStringList pdfPages(const QString& path)
{
    QStringList pages = pdfText(path).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

} // namespace zqvr::test
