#include "reservations/ReservationPrinting.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "host/Empresa.h"
#include "host/Formato.h"
#include "reports/Report.h"
#include "reports/ReportOutput.h"

#include <QFileInfo>

namespace zqvr::reservations {

using host::Formato;

namespace {
const QString kSource = QStringLiteral("frmReservas_Visor::Imprimir");

QString dateTimeText(const QDateTime& dt)
{
    return dt.isValid() ? dt.toString(QStringLiteral("dd/MM/yyyy hh:mm")) : QString();
}

QString dtoText(double dto)
{
    if (dto == 0.0)
        return QStringLiteral("---");
    const double r = host::Redondear(dto, 2);
    const int decimals = host::Redondear(r, 0) == r ? 0 : (host::Redondear(r, 1) == r ? 1 : 2);
    return Formato::FormatoNumero(r, decimals) + QLatin1Char('%');
}
} // namespace

QString descripcionReserva(int codigo, int almacen, const QString& nombreAlmacen, const QDateTime& fecha,
                           const QDateTime& ultModificacion, const QString& estado)
{
    return QStringLiteral("Reserva: ") + (codigo > 0 ? QString::number(codigo) : QStringLiteral("Todas")) +
           QStringLiteral(" - Almacén: ") + QString::number(almacen) + QStringLiteral(" / ") + nombreAlmacen +
           QStringLiteral(" - Fecha: ") + (fecha.isValid() ? fecha.toString(QStringLiteral("dd/MM/yyyy")) : QString()) +
           QStringLiteral(" - Fecha Modificación: ") + dateTimeText(ultModificacion).left(10) +
           QStringLiteral(" - Estado: ") + estado + QStringLiteral(" - Entrega a Cuenta: Sí");
}

QString ReservationPrinting::standardLayout(const host::Empresa& empresa)
{
    return empresa.RutaAplicacion() + QStringLiteral("/Rpt/Reservas_Listado.rpt");
}

QString ReservationPrinting::customLayout(const host::Empresa& empresa)
{
    const QVariant v = empresa.Variable(QStringLiteral("Fenvary_ModeloImpresionReserva"));
    QString name = v.isValid() ? v.toString().trimmed() : QString();
    if (name.isEmpty())
        throw Error(errc::InvalidArgument,
                    QStringLiteral("No se ha indicado el formato personalizado de impresión de reservas."), kSource);
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".rpt");
    const QString path = empresa.RutaAplicacion() + QStringLiteral("/Rpt/") + name;
    if (!QFileInfo(path).isFile())
        throw Error(errc::InvalidArgument,
                    QStringLiteral("No se encuentra el formato personalizado de impresión de reservas \"%1\" en la "
                                   "carpeta de informes (%2).")
                        .arg(name, empresa.RutaAplicacion() + QStringLiteral("/Rpt")),
                    kSource);
    return path;
}

std::shared_ptr<reports::Report> ReservationPrinting::build(const QString& layoutPath, db::Connection& conn,
                                                            const host::Empresa& empresa, const Reservation& r)
{
    return reraiseAs(kSource, [&] {
        auto rpt = reports::Report::open(layoutPath);
        // The company block reads through the host's connection, already open.
        rpt->setConnection(&conn);
        const ReservationHeader& h = r.header;
        const int decimales = empresa.DecimalesPrecio();
        reports::ReportData data({QStringLiteral("L"), QStringLiteral("Codigo"), QStringLiteral("Descripcion"),
                                  QStringLiteral("CualidadX"), QStringLiteral("CualidadY"), QStringLiteral("Unidades"),
                                  QStringLiteral("Precio"), QStringLiteral("Dto"), QStringLiteral("Importe")});
        data.reserve(int(r.lines.size()));
        for (const ReservationLine& l : r.lines)
            data.addRow({l.vendida ? QStringLiteral("V") : QString(), QString::number(l.articulo),
                         l.descTicket + QStringLiteral("\nAG: ") + QString::number(l.agente) + QStringLiteral(" - ") +
                             l.nombreAgente,
                         l.nombreCualidadX, l.nombreCualidadY, Formato::FormatoNumero(l.unidades, 2),
                         Formato::FormatoNumero(l.pvp, decimales), Formato::FormatoNumero(l.dto, 2),
                         Formato::FormatoNumero(l.importe, 2)});
        rpt->setData(std::move(data));

        const QString estado = estadoTexto(h.pendiente, h.anulado);
        const QString nombreAlmacen = ReservationStore(conn).warehouseName(h.empresa, h.almacen);
        rpt->setParameter(QStringLiteral("Empresa"), h.empresa);
        rpt->setParameter(QStringLiteral("Descripcion"),
                          descripcionReserva(h.codigo, h.almacen, nombreAlmacen, h.fecha, h.ultModificacion, estado));
        rpt->setParameter(QStringLiteral("Fecha"), dateTimeText(h.fecha));
        rpt->setParameter(QStringLiteral("FechaModificacion"), dateTimeText(h.ultModificacion));
        rpt->setParameter(QStringLiteral("Reserva"), QString::number(h.codigo));
        rpt->setParameter(QStringLiteral("Cliente"),
                          (h.cliente != 0 ? QString::number(h.cliente) + QStringLiteral(" - ") : QString()) +
                              h.nombreCliente);
        rpt->setParameter(QStringLiteral("Telefono"), h.telefono);
        rpt->setParameter(QStringLiteral("Nif"), h.nif);
        rpt->setParameter(QStringLiteral("Domicilio"), h.domicilio);
        rpt->setParameter(QStringLiteral("Vencimiento"),
                          h.vencimiento.isValid() ? h.vencimiento.toString(QStringLiteral("dd/MM/yyyy")) : QString());
        rpt->setParameter(QStringLiteral("Agente"),
                          h.agente != 0 ? QString::number(h.agente) + QStringLiteral(" - ") + h.nombreAgente : QString());
        rpt->setParameter(QStringLiteral("Paquete"), h.paquete);
        rpt->setParameter(QStringLiteral("Observaciones"), h.observaciones);
        rpt->setParameter(QStringLiteral("Estado"), estado);
        rpt->setParameter(QStringLiteral("Dto"), dtoText(h.ultDto));
        QStringList fechas, tipos, cantidades;
        for (const ReservationMovementRow& m : r.movements) {
            fechas << (m.fecha.isValid() ? m.fecha.toString(QStringLiteral("dd/MM/yy")) : QString());
            tipos << tipoEntregaTexto(m);
            cantidades << Formato::FormatoNumero(m.cantidad, 2);
        }
        rpt->setParameter(QStringLiteral("EntregasFecha"), fechas.join(QLatin1Char('\n')));
        rpt->setParameter(QStringLiteral("EntregasTipo"), tipos.join(QLatin1Char('\n')));
        rpt->setParameter(QStringLiteral("EntregasCantidad"), cantidades.join(QLatin1Char('\n')));
        rpt->setParameter(QStringLiteral("Entregado"), Formato::FormatoNumero(r.totals.entregado, 2));
        rpt->setParameter(QStringLiteral("Vendido"), Formato::FormatoNumero(r.totals.vendido, 2));
        rpt->setParameter(QStringLiteral("Pendiente"), Formato::FormatoNumero(r.totals.pendiente, 2));
        rpt->setParameter(QStringLiteral("TotalResPte"), Formato::FormatoNumero(r.totals.totalReservaPendiente, 2));
        rpt->setTitle(QStringLiteral("Reserva ") + QString::number(h.codigo));
        rpt->prepare();
        return rpt;
    });
}

void ReservationPrinting::deliver(const std::shared_ptr<reports::Report>& report, const ReservationPrintTarget& to,
                                  QWidget* parent)
{
    reraiseAs(kSource, [&] {
        switch (to.device) {
        case host::OutputDevice::Screen:
            reports::sendReport(report, reports::Destino::Pantalla, QString(), true, parent);
            break;
        case host::OutputDevice::Printer:
            reports::printReport(*report, to.target);
            break;
        case host::OutputDevice::File:
            reports::writePdf(*report, to.target);
            break;
        }
    });
}

void ReservationPrinting::printStandard(db::Connection& conn, host::Empresa& empresa, const Reservation& r,
                                        const ReservationPrintTarget& to, QWidget* parent)
{
    deliver(build(standardLayout(empresa), conn, empresa, r), to, parent);
}

void ReservationPrinting::printCustom(db::Connection& conn, host::Empresa& empresa, const Reservation& r,
                                      const ReservationPrintTarget& to, QWidget* parent)
{
    host::ReservationPrintRequest req;
    req.empresa = &empresa;
    req.conexion = &conn;
    const QVariant modelo = empresa.Variable(QStringLiteral("Fenvary_ModeloImpresionReserva"));
    req.modelo = modelo.isValid() ? modelo.toString().trimmed() : QString();
    req.codEmpresa = r.header.empresa;
    req.codigo = r.header.codigo;
    req.device = to.device;
    req.target = to.target;
    std::unique_ptr<host::ReservationPrinter> printer = host::ReservationPrinter::create();
    if (!printer)
        printer = std::make_unique<LayoutReservationPrinter>(parent);
    reraiseAs(kSource, [&] { printer->print(req); });
}

void LayoutReservationPrinter::print(const host::ReservationPrintRequest& request)
{
    if (!request.empresa || !request.conexion)
        throw Error(errc::InvalidArgument, QStringLiteral("Faltan la empresa o la conexión para imprimir la reserva."),
                    kSource);
    host::Empresa& empresa = *request.empresa;
    const QString layout = ReservationPrinting::customLayout(empresa);
    const auto r = loadReservation(*request.conexion, empresa, request.codigo);
    if (!r)
        throw rowDeletedError(QStringLiteral("La reserva %1").arg(request.codigo), Gender::Feminine).withSource(kSource);
    ReservationPrinting::deliver(ReservationPrinting::build(layout, *request.conexion, empresa, *r),
                                 {request.device, request.target}, m_parent);
}

} // namespace zqvr::reservations
