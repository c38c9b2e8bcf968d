#pragma once
// The host's ticket printing object: prints one stored ticket in the
// ticket model of the host's own point-of-sale printing. The component hands
// it the ticket's key, the company object, the connection and the chosen
// device; what the printout looks like is the host's. A host installs its
// own with setFactory; without one the component uses its own rendering.
#include "host_export.h"
#include "host/TextPrinter.h"
#include <QDate>
#include <QString>
#include <functional>
#include <memory>

namespace zqvr::db { class Connection; }

namespace zqvr::host {

class Empresa;

struct ZQVR_HOST_EXPORT TicketPrintRequest {
    int almacen = 0;
    int caja = 0;
    QDate fecha;
    int codigo = 0;
    Empresa* empresa = nullptr;
    db::Connection* conexion = nullptr;
    OutputDevice device = OutputDevice::Screen;
    // Printer name or file path, as for TextPrinter::setDevice.
    QString target;
};

class ZQVR_HOST_EXPORT TicketPrinter {
public:
    using Factory = std::function<std::unique_ptr<TicketPrinter>()>;
    virtual ~TicketPrinter() = default;
    // Prints the ticket; throws zqvr::Error when it cannot.
    virtual void print(const TicketPrintRequest& request) = 0;

    // The installed factory's printer, or nullptr when the host installed none.
    static std::unique_ptr<TicketPrinter> create();
    static void setFactory(Factory factory);
    static bool hasFactory();
};

} // namespace zqvr::host
