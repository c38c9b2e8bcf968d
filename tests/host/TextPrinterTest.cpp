// The stand-in text printer: a text file, a CUPS job through the print
// command (a script here), and the failures a user must hear about.
#include "host/TextPrinter.h"

#include "db/Error.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using zqvr::host::OutputDevice;
using zqvr::host::StandardTextPrinter;

namespace {

QString readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

class TextPrinterTest : public ::testing::Test {
protected:
    void TearDown() override { StandardTextPrinter::setPrintCommand(QStringLiteral("lp")); }
    // A print command that keeps its arguments and the job's text, and fails when asked to.
    QString fakeLp(int exitCode)
    {
        const QString script = dir.filePath(QStringLiteral("lp.sh"));
        QFile f(script);
        f.open(QIODevice::WriteOnly);
        f.write(QStringLiteral("#!/bin/sh\necho \"$@\" > '%1'\ncat > '%2'\necho 'printer offline' >&2\nexit %3\n")
                    .arg(dir.filePath(QStringLiteral("args")), dir.filePath(QStringLiteral("job")))
                    .arg(exitCode)
                    .toUtf8());
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        return script;
    }
    QTemporaryDir dir;
};

TEST_F(TextPrinterTest, FileGetsEveryLineWithoutPageBreaks)
{
    StandardTextPrinter p;
    const QString path = dir.filePath(QStringLiteral("copia.txt"));
    p.setDevice(OutputDevice::File, path);
    p.setDocumentTitle(QStringLiteral("Copia de Ticket "));
    p.setPageLength(2);
    for (const char* l : {"uno", "", "tres ñ"})
        p.printLine(QString::fromUtf8(l));
    p.endDocument();
    EXPECT_EQ(readAll(path), QStringLiteral("uno\n\ntres ñ\n"));
}

TEST_F(TextPrinterTest, PrinterJobGoesToTheNamedQueueWithPageBreaks)
{
    StandardTextPrinter::setPrintCommand(fakeLp(0));
    StandardTextPrinter p;
    p.setDevice(OutputDevice::Printer, QStringLiteral("Tickets_Caja1"));
    p.setDocumentTitle(QStringLiteral("Copia de Ticket "));
    p.setPageLength(2);
    for (const char* l : {"a", "b", "c"})
        p.printLine(QString::fromLatin1(l));
    p.endDocument();
    EXPECT_EQ(readAll(dir.filePath(QStringLiteral("args"))).trimmed(), QStringLiteral("-d Tickets_Caja1 -t Copia de Ticket"));
    EXPECT_EQ(readAll(dir.filePath(QStringLiteral("job"))), QStringLiteral("a\nb\n\fc\n"));
}

TEST_F(TextPrinterTest, RefusedJobUnwritableFileAndNoPrinterAreErrors)
{
    StandardTextPrinter::setPrintCommand(fakeLp(1));
    StandardTextPrinter p;
    p.setDevice(OutputDevice::Printer, QStringLiteral("Tickets_Caja1"));
    p.printLine(QStringLiteral("x"));
    try {
        p.endDocument();
        FAIL() << "expected an error";
    } catch (const zqvr::Error& e) {
        EXPECT_TRUE(e.description().contains(QStringLiteral("printer offline")));
    }
    p.setDevice(OutputDevice::Printer, QString());
    EXPECT_THROW(p.endDocument(), zqvr::Error);
    p.setDevice(OutputDevice::File, dir.filePath(QStringLiteral("missing/dir/x.txt")));
    EXPECT_THROW(p.endDocument(), zqvr::Error);
}

} // namespace
