#include "reports/ReportOutput.h"

#include "db/Error.h"
#include "frame/Services.h"
#include "reports/Report.h"
#include "reports/ReportRenderer.h"
#include "reports/clsView.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace zqvr::reports {

namespace {

QPageLayout pageLayoutFor(const QSize& twips)
{
    const bool landscape = twips.width() > twips.height();
    const QSizeF portrait = landscape ? QSizeF(twips.height(), twips.width()) : QSizeF(twips.width(), twips.height());
    const QPageSize size(portrait / 1440.0, QPageSize::Inch, QString(), QPageSize::FuzzyMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

void paintPages(const ReportRenderer& r, QPainter& p, QPagedPaintDevice& device, const QRect& deviceRect,
                int from, int to)
{
    ReportRenderer::mapToTwips(p, r.pageSize(), deviceRect);
    for (int page = from; page <= to; ++page) {
        if (page > from)
            device.newPage();
        r.paintPage(p, page);
    }
}

} // namespace

void writePdf(Report& report, const QString& path)
{
    const ReportRenderer renderer(report);
    writePdf(renderer, path);
}

void writePdf(const ReportRenderer& renderer, const QString& path)
{
    const QString source = QStringLiteral("reports::writePdf");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(rpterr::OutputFailed,
                    QStringLiteral("No se puede escribir el fichero \"%1\": %2.").arg(path, file.errorString()), source);
    {
        QPdfWriter writer(&file);
        writer.setResolution(1200);
        writer.setTitle(renderer.report().title());
        writer.setCreator(QStringLiteral("Brevanto"));
        writer.setPageLayout(pageLayoutFor(renderer.pageSize()));
        QPainter p;
        if (!p.begin(&writer)) {
            file.cancelWriting();
            throw Error(rpterr::OutputFailed, QStringLiteral("No se puede escribir el fichero \"%1\".").arg(path), source);
        }
        paintPages(renderer, p, writer, writer.pageLayout().fullRectPixels(writer.resolution()), 0,
                   renderer.pageCount() - 1);
        p.end();
    }
    if (!file.commit())
        throw Error(rpterr::OutputFailed,
                    QStringLiteral("No se puede escribir el fichero \"%1\": %2.").arg(path, file.errorString()), source);
}

QString resolvePrinter(const QString& name)
{
    const QString source = QStringLiteral("reports::printReport");
    const QString wanted = name.trimmed();
    if (wanted.isEmpty()) {
        const QString def = QPrinterInfo::defaultPrinterName();
        if (!def.isEmpty())
            return def;
        const QStringList all = QPrinterInfo::availablePrinterNames();
        if (all.isEmpty())
            throw Error(rpterr::PrinterNotFound, QStringLiteral("No hay ninguna impresora instalada."), source);
        return all.first();
    }
    for (const QString& n : QPrinterInfo::availablePrinterNames())
        if (n.compare(wanted, Qt::CaseInsensitive) == 0)
            return n;
    throw Error(rpterr::PrinterNotFound, QStringLiteral("No existe la impresora \"%1\".").arg(wanted), source);
}

void printOn(const ReportRenderer& renderer, QPrinter& printer, int fromPage, int toPage)
{
    const int last = renderer.pageCount();
    const int from = fromPage > 0 ? std::min(fromPage, last) : 1;
    const int to = toPage > 0 ? std::clamp(toPage, from, last) : last;
    printer.setFullPage(true);
    printer.setPageLayout(pageLayoutFor(renderer.pageSize()));
    if (printer.docName().isEmpty())
        printer.setDocName(renderer.report().title());
    QPainter p;
    if (!p.begin(&printer))
        throw Error(rpterr::OutputFailed,
                    QStringLiteral("No se puede imprimir en \"%1\".").arg(printer.printerName()),
                    QStringLiteral("reports::printReport"));
    paintPages(renderer, p, printer, printer.pageLayout().fullRectPixels(printer.resolution()), from - 1, to - 1);
    p.end();
}

void printReport(Report& report, const QString& printerName, int copies)
{
    const QString name = resolvePrinter(printerName);
    const ReportRenderer renderer(report);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(name);
    printer.setCopyCount(std::max(1, copies));
    printer.setDocName(report.title());
    printOn(renderer, printer);
}

bool sendReport(const std::shared_ptr<Report>& report, Destino destino, const QString& printerName, bool modal,
                QWidget* parent)
{
    if (!report)
        throw Error(::zqvr::errc::InvalidArgument, QStringLiteral("No hay ningún informe que imprimir."),
                    QStringLiteral("reports::sendReport"));
    report->prepare();
    switch (destino) {
    case Destino::Impresora:
        printReport(*report, printerName);
        return true;
    case Destino::Fichero: {
        QString name = report->title().trimmed();
        name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QStringLiteral("_"));
        if (name.isEmpty())
            name = QStringLiteral("Informe");
        QString path = frame::Services::files().saveFile(parent, QStringLiteral("Guardar informe como PDF"),
                                                         QDir::home().filePath(name + QStringLiteral(".pdf")),
                                                         QStringLiteral("Documento PDF (*.pdf)"));
        if (path.isEmpty())
            return false;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".pdf");
        writePdf(*report, path);
        return true;
    }
    case Destino::Pantalla:
    default: {
        clsView view;
        view.setCrxRep(report);
        view.setImpresora(printerName);
        view.Show(modal, parent);
        return true;
    }
    }
}

bool sendReport(const std::shared_ptr<Report>& report, int destino, const QString& printerName, bool modal,
                QWidget* parent)
{
    return sendReport(report, destino == 1 ? Destino::Impresora : (destino == 2 ? Destino::Fichero : Destino::Pantalla),
                      printerName, modal, parent);
}

} // namespace zqvr::reports
