#pragma once
// Where a report goes: a PDF file, a printer by name (no dialog), or the
// viewer — all through ReportRenderer, so every target shows the same pages.
//
// Printing a report the way the user chose in frmReport_Destino:
//
//   frmReport_Destino dlg(parent);
//   dlg.setWindowTitle("Imprimir Tickets");
//   if (frame::runModal(dlg) != frame::DialogResult::Accepted) return;
//   auto rpt = Report::open(empresa.RutaAplicacion() + "/Rpt/Reservas_Listado.rpt");
//   rpt->setConnection(&conn);
//   rpt->setParameter("Descripcion", texto);
//   sendReport(rpt, dlg.Destino(), dlg.Impresora());   // throws zqvr::Error
//
// or straight to one target: writePdf(*rpt, "/tmp/x.pdf"); printReport(*rpt, "", 2);
#include "reports_export.h"

#include <QString>
#include <memory>

class QPrinter;
class QWidget;

namespace zqvr::reports {

class Report;
class ReportRenderer;

// The output devices of the destination dialog (the numbers of ctlDispositivo).
enum class Destino { Pantalla = 0, Impresora = 1, Fichero = 2 };

// Writes every page into a PDF file. The file is replaced only when the whole
// report has been written; throws Error (naming the file) otherwise.
ZQVR_REPORTS_EXPORT void writePdf(Report& report, const QString& path);
ZQVR_REPORTS_EXPORT void writePdf(const ReportRenderer& renderer, const QString& path);

// The printer of that name, or the system's default when the name is empty.
// Throws Error (PrinterNotFound) when there is no such printer, or none at all:
// a printer that is not there is never silently replaced by another.
ZQVR_REPORTS_EXPORT QString resolvePrinter(const QString& name);
// Prints on a printer by name (default when empty), without any dialog.
ZQVR_REPORTS_EXPORT void printReport(Report& report, const QString& printerName, int copies = 1);
// Prints pages [from, to] (1-based, 0 = all) on a printer already set up (the viewer's print dialog).
ZQVR_REPORTS_EXPORT void printOn(const ReportRenderer& renderer, QPrinter& printer, int fromPage = 0, int toPage = 0);

// Sends the report to the chosen device: Pantalla shows it in the viewer
// (modal when asked), Impresora prints it on the named printer, Fichero asks
// where to write the PDF through the file chooser service. Returns false when
// the user cancelled the file choice. The report is prepared first, so a bad
// report fails before anything is shown or written.
ZQVR_REPORTS_EXPORT bool sendReport(const std::shared_ptr<Report>& report, Destino destino,
                                    const QString& printerName = QString(), bool modal = true,
                                    QWidget* parent = nullptr);
ZQVR_REPORTS_EXPORT bool sendReport(const std::shared_ptr<Report>& report, int destino,
                                    const QString& printerName = QString(), bool modal = true,
                                    QWidget* parent = nullptr);

} // namespace zqvr::reports
