#pragma once
// The host's custom reservation printing object: prints one reservation in
// the layout the shop chose (the host's value "Fenvary_ModeloImpresionReserva").
// The component hands it the company object, the connection, the layout's
// name, the reservation and the chosen device; the printout is the host's.
// A host installs its own with setFactory; without one the component prints
// the layout of that name from the installation folder's Rpt/ itself.
#include "host_export.h"
#include "host/TextPrinter.h"
#include <QString>
#include <functional>
#include <memory>

namespace zqvr::db { class Connection; }

namespace zqvr::host {

class Empresa;

struct ZQVR_HOST_EXPORT ReservationPrintRequest {
    Empresa* empresa = nullptr;
    db::Connection* conexion = nullptr;
    // The layout's name as the host keeps it.
    QString modelo;
    // The reservation: its company and number.
    int codEmpresa = 0;
    int codigo = 0;
    OutputDevice device = OutputDevice::Screen;
    // Printer name or file path, as for TextPrinter::setDevice.
    QString target;
};

class ZQVR_HOST_EXPORT ReservationPrinter {
public:
    using Factory = std::function<std::unique_ptr<ReservationPrinter>()>;
    virtual ~ReservationPrinter() = default;
    // Prints the reservation; throws zqvr::Error when it cannot.
    virtual void print(const ReservationPrintRequest& request) = 0;

    // The installed factory's printer, or nullptr when the host installed none.
    static std::unique_ptr<ReservationPrinter> create();
    // An empty factory removes the host's printer.
    static void setFactory(Factory factory);
};

} // namespace zqvr::host
