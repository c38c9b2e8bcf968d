#pragma once
// The host's text printer: a plain-text document sent line by line to one
// of three devices. The stand-in shows the text in a fixed-pitch preview
// window, hands it to a CUPS printer by name (through "lp") or writes it to
// a text file. A host may install its own printer through setFactory.
//
//   auto p = host::TextPrinter::create();
//   p->setDevice(host::OutputDevice::File, "/tmp/ticket.txt");
//   p->setDocumentTitle("Copia de Ticket ");
//   p->setPageLength(60);
//   p->printLine("...");
//   p->endDocument(); // the document goes out here
#include "host_export.h"
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace zqvr::host {

enum class OutputDevice { Screen = 0, Printer = 1, File = 2 };

class ZQVR_HOST_EXPORT TextPrinter {
public:
    using Factory = std::function<std::unique_ptr<TextPrinter>()>;
    virtual ~TextPrinter() = default;

    // target: the printer's name (Printer) or the file's path (File); unused for Screen.
    virtual void setDevice(OutputDevice device, const QString& target = QString()) = 0;
    virtual void setDocumentTitle(const QString& title) = 0;
    // Lines per page.
    virtual void setPageLength(int lines) = 0;
    virtual void printLine(const QString& line) = 0;
    // Sends the document to its device. Throws zqvr::Error when it cannot.
    virtual void endDocument() = 0;

    // A new printer: the installed factory's, else the stand-in.
    static std::unique_ptr<TextPrinter> create();
    // Installs a host's own printer; an empty factory restores the stand-in.
    static void setFactory(Factory factory);
};

// The stand-in.
class ZQVR_HOST_EXPORT StandardTextPrinter : public TextPrinter {
public:
    void setDevice(OutputDevice device, const QString& target = QString()) override;
    void setDocumentTitle(const QString& title) override { m_title = title; }
    void setPageLength(int lines) override { m_pageLength = lines; }
    void printLine(const QString& line) override { m_lines << line; }
    void endDocument() override;

    OutputDevice device() const { return m_device; }
    QString target() const { return m_target; }
    QString documentTitle() const { return m_title; }
    int pageLength() const { return m_pageLength; }
    const QStringList& lines() const { return m_lines; }
    // The document as sent: one "\n" after each line; to a printer a form
    // feed after every full page.
    QString documentText(bool pageBreaks) const;

    // The command a printer job is run with ("lp" unless a test changes it).
    static void setPrintCommand(const QString& program);

private:
    void showPreview() const;
    void sendToPrinter() const;
    void writeFile() const;

    OutputDevice m_device = OutputDevice::Screen;
    QString m_target;
    QString m_title;
    int m_pageLength = 0;
    QStringList m_lines;
};

} // namespace zqvr::host
