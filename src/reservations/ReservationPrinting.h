#pragma once
// Printing the reservation the viewer shows: the standard layout
// Rpt/Reservas_Listado.rpt, or the shop's own layout through the host's
// custom reservation printing object. Both print what the viewer shows: the
// same lines, amounts and totals (Reservation). The company block of the
// layouts reads through the host's connection; no separate logon is made.
// Nothing here shows a window of its own except the report viewer.
#include "reservations_export.h"
#include "reservations/Reservation.h"

#include "host/ReservationPrinter.h"
#include "host/TextPrinter.h"
#include "reports/PrintTarget.h"

#include <QString>
#include <memory>

class QWidget;

namespace zqvr::reports { class Report; }
namespace zqvr::host { class Empresa; }

namespace zqvr::reservations {

// Where the print goes: the device and the printer's name or the file's path.
using ReservationPrintTarget = reports::PrintTarget;

// The report's description of the reservation: "Reserva: 12 - Almacén: 1 /
// Triana - Fecha: 05/12/2026 - Fecha Modificación: 06/12/2026 - Estado:
// ABIERTA - Entrega a Cuenta: Sí"; number 0 writes "Reserva: Todas".
ZQVR_RESERVATIONS_EXPORT QString descripcionReserva(int codigo, int almacen, const QString& nombreAlmacen,
                                                    const QDateTime& fecha, const QDateTime& ultModificacion,
                                                    const QString& estado);

class ZQVR_RESERVATIONS_EXPORT ReservationPrinting {
public:
    // The layout file of the standard printout under the installation folder.
    static QString standardLayout(const host::Empresa& empresa);
    // The file of the custom layout the host's value names ("Fenvary_ModeloImpresionReserva",
    // ".rpt" added when it has no extension). Throws Error with a clear message
    // when no layout is named or the file is not in Rpt/.
    static QString customLayout(const host::Empresa& empresa);

    // The layout filled with the reservation: its lines as rows and the
    // header, movements and totals as parameters. Throws Error.
    static std::shared_ptr<reports::Report> build(const QString& layoutPath, db::Connection& conn,
                                                  const host::Empresa& empresa, const Reservation& r);
    // Sends a built report to the target: the viewer, a printer by name or a PDF file.
    static void deliver(const std::shared_ptr<reports::Report>& report, const ReservationPrintTarget& to,
                        QWidget* parent);

    // The standard printout.
    static void printStandard(db::Connection& conn, host::Empresa& empresa, const Reservation& r,
                              const ReservationPrintTarget& to, QWidget* parent);
    // The custom printout through the host's object; without one, the custom
    // layout from Rpt/ printed like the standard one.
    static void printCustom(db::Connection& conn, host::Empresa& empresa, const Reservation& r,
                            const ReservationPrintTarget& to, QWidget* parent);
};

// The component's own custom reservation printing, used when the host
// installed none: the reservation read again and printed in the layout the
// request names, found in the installation folder's Rpt/.
class ZQVR_RESERVATIONS_EXPORT LayoutReservationPrinter : public host::ReservationPrinter {
public:
    explicit LayoutReservationPrinter(QWidget* parent = nullptr) : m_parent(parent) {}
    void print(const host::ReservationPrintRequest& request) override;

private:
    QWidget* m_parent;
};

} // namespace zqvr::reservations
