#include "host/TextPrinter.h"
#include "host/TicketPrinter.h"

#include "db/Error.h"

#include <QDialog>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace zqvr::host {

namespace {
TextPrinter::Factory& textFactory()
{
    static TextPrinter::Factory f;
    return f;
}
TicketPrinter::Factory& ticketFactory()
{
    static TicketPrinter::Factory f;
    return f;
}
QString& printCommand()
{
    static QString p = QStringLiteral("lp");
    return p;
}
const QString kSource = QStringLiteral("TextPrinter::endDocument");
} // namespace

std::unique_ptr<TextPrinter> TextPrinter::create()
{
    if (textFactory())
        return textFactory()();
    return std::make_unique<StandardTextPrinter>();
}

void TextPrinter::setFactory(Factory factory) { textFactory() = std::move(factory); }

std::unique_ptr<TicketPrinter> TicketPrinter::create()
{
    return ticketFactory() ? ticketFactory()() : nullptr;
}

void TicketPrinter::setFactory(Factory factory) { ticketFactory() = std::move(factory); }

bool TicketPrinter::hasFactory() { return static_cast<bool>(ticketFactory()); }

void StandardTextPrinter::setPrintCommand(const QString& program) { printCommand() = program; }

void StandardTextPrinter::setDevice(OutputDevice device, const QString& target)
{
    m_device = device;
    m_target = target;
}

QString StandardTextPrinter::documentText(bool pageBreaks) const
{
    QString out;
    for (int i = 0; i < m_lines.size(); ++i) {
        if (pageBreaks && m_pageLength > 0 && i > 0 && i % m_pageLength == 0)
            out += QLatin1Char('\f');
        out += m_lines.at(i);
        out += QLatin1Char('\n');
    }
    return out;
}

void StandardTextPrinter::endDocument()
{
    switch (m_device) {
    case OutputDevice::Screen:
        showPreview();
        break;
    case OutputDevice::Printer:
        sendToPrinter();
        break;
    case OutputDevice::File:
        writeFile();
        break;
    }
    m_lines.clear();
}

void StandardTextPrinter::showPreview() const
{
    // Modeless, so that several copies can be compared side by side; the
    // window goes away with its close button.
    auto* dlg = new QDialog;
    dlg->setObjectName(QStringLiteral("TextPreview"));
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->setWindowTitle(m_title.trimmed().isEmpty() ? QStringLiteral("Vista previa") : m_title.trimmed());
    auto* text = new QPlainTextEdit(dlg);
    text->setObjectName(QStringLiteral("txtDocument"));
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setPlainText(documentText(false));
    auto* close = new QPushButton(QStringLiteral("&Cerrar"), dlg);
    close->setObjectName(QStringLiteral("cmdCerrar"));
    QObject::connect(close, &QPushButton::clicked, dlg, &QDialog::close);
    auto* layout = new QVBoxLayout(dlg);
    layout->addWidget(text, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    // Wide enough for the longest line at the fixed pitch.
    const QFontMetrics fm(text->font());
    int widest = 0;
    for (const QString& l : m_lines)
        widest = std::max(widest, fm.horizontalAdvance(l));
    dlg->resize(std::max(400, widest + 60), 600);
    dlg->show();
}

void StandardTextPrinter::sendToPrinter() const
{
    if (m_target.trimmed().isEmpty())
        throw Error(errc::InvalidArgument, QStringLiteral("No hay ninguna impresora seleccionada."), kSource);
    QProcess lp;
    QStringList args{QStringLiteral("-d"), m_target};
    if (!m_title.trimmed().isEmpty())
        args << QStringLiteral("-t") << m_title.trimmed();
    lp.start(printCommand(), args);
    if (!lp.waitForStarted(5000))
        throw Error(errc::InvalidArgument,
                    QStringLiteral("No se pudo enviar el documento a la impresora %1: %2")
                        .arg(m_target, lp.errorString()),
                    kSource);
    lp.write(documentText(true).toUtf8());
    lp.closeWriteChannel();
    if (!lp.waitForFinished(30000) || lp.exitStatus() != QProcess::NormalExit || lp.exitCode() != 0) {
        const QString why = QString::fromLocal8Bit(lp.readAllStandardError()).trimmed();
        throw Error(errc::InvalidArgument,
                    QStringLiteral("La impresora %1 no aceptó el documento%2")
                        .arg(m_target, why.isEmpty() ? QStringLiteral(".") : QStringLiteral(": ") + why),
                    kSource);
    }
}

void StandardTextPrinter::writeFile() const
{
    if (m_target.trimmed().isEmpty())
        throw Error(errc::InvalidArgument, QStringLiteral("No se ha indicado el fichero de salida."), kSource);
    QFile f(m_target);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw Error(errc::InvalidArgument,
                    QStringLiteral("No se pudo escribir el fichero %1: %2").arg(m_target, f.errorString()), kSource);
    const QByteArray bytes = documentText(false).toUtf8();
    if (f.write(bytes) != bytes.size() || !f.flush())
        throw Error(errc::InvalidArgument,
                    QStringLiteral("No se pudo escribir el fichero %1: %2").arg(m_target, f.errorString()), kSource);
}

} // namespace zqvr::host
