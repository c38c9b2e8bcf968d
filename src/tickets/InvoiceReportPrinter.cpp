#include "tickets/InvoiceReportPrinter.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"
#include "host/Empresa.h"
#include "host/Formato.h"
#include "reports/Report.h"
#include "reports/ReportOutput.h"
#include "reports/ReportRenderer.h"

#include <QMap>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace zqvr::tickets {

using db::sqlInt;
using host::Formato;
using host::Redondear;

namespace {
const QString kSource = QStringLiteral("InvoiceReportPrinter::Imprimir");

QString amount(double v) { return Formato::FormatoNumero(v, 2); }

QString joinFilled(const QStringList& parts, const QString& sep)
{
    QStringList out;
    for (const QString& p : parts)
        if (!p.trimmed().isEmpty())
            out << p.trimmed();
    return out.join(sep);
}

// Every copy's pages in one PDF, replaced only when all of it was written.
void writeCopies(const QList<std::shared_ptr<reports::Report>>& copies, const QString& path)
{
    std::vector<std::unique_ptr<reports::ReportRenderer>> renderers;
    for (const auto& rpt : copies) {
        rpt->prepare();
        renderers.push_back(std::make_unique<reports::ReportRenderer>(*rpt));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(reports::rpterr::OutputFailed,
                    QStringLiteral("No se puede escribir el fichero \"%1\": %2.").arg(path, file.errorString()), kSource);
    {
        const QSize twips = renderers.front()->pageSize();
        QPdfWriter writer(&file);
        writer.setResolution(1200);
        writer.setTitle(copies.front()->title());
        writer.setCreator(QStringLiteral("Brevanto"));
        writer.setPageLayout(QPageLayout(QPageSize(QSizeF(twips) / 1440.0, QPageSize::Inch, QString(), QPageSize::FuzzyMatch),
                                         QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter p;
        if (!p.begin(&writer)) {
            file.cancelWriting();
            throw Error(reports::rpterr::OutputFailed, QStringLiteral("No se puede escribir el fichero \"%1\".").arg(path),
                        kSource);
        }
        const QRect device = writer.pageLayout().fullRectPixels(writer.resolution());
        bool first = true;
        for (const auto& r : renderers) {
            for (int page = 0; page < r->pageCount(); ++page) {
                if (!first)
                    writer.newPage();
                first = false;
                p.save();
                reports::ReportRenderer::mapToTwips(p, r->pageSize(), device);
                r->paintPage(p, page);
                p.restore();
            }
        }
        p.end();
    }
    if (!file.commit())
        throw Error(reports::rpterr::OutputFailed,
                    QStringLiteral("No se puede escribir el fichero \"%1\": %2.").arg(path, file.errorString()), kSource);
}
} // namespace

double InvoiceReportPrinter::importe(const TicketLineRow& l)
{
    const double bruto = l.pvp * l.cantidad;
    return Redondear(bruto - bruto * l.dto / 100.0, 2);
}

InvoiceDocument InvoiceReportPrinter::documentFor(const host::InvoicePrintRequest& r)
{
    if (!r.conexion || !r.empresa)
        throw Error(errc::InvalidArgument, QStringLiteral("Falta la conexión o la empresa para imprimir la factura."),
                    kSource);
    return reraiseAs(kSource, [&] {
        db::Connection& c = *r.conexion;
        InvoiceDocument d;
        d.request = r;
        const TicketKey k{r.empresa->CodigoEmpresa(), r.almacen, r.caja, r.fecha, r.ticket};
        {
            auto rs = c.query(QStringLiteral("SELECT Factura_Serie, Factura_Codigo, Factura_Fecha FROM TPV_Tickets_Factura"
                                             " WHERE Cod_Empresa =") +
                              sqlInt(k.empresa) + QStringLiteral(" AND Cod_Almacen =") + sqlInt(k.almacen) +
                              QStringLiteral(" AND Caja =") + sqlInt(k.caja) + QStringLiteral(" AND Fecha =") +
                              c.dialect().date(k.fecha) + QStringLiteral(" AND Codigo =") + sqlInt(k.codigo));
            if (rs.eof() || rs.value(1).toInt() == 0)
                throw Error(errc::InvalidArgument,
                            QStringLiteral("El ticket %1 de la caja %2 del %3 no tiene factura.")
                                .arg(k.codigo)
                                .arg(k.caja)
                                .arg(Formato::FormatoFecha(k.fecha)));
            d.serie = rs.value(0).toInt();
            d.numero = rs.value(1).toInt();
            d.fechaFactura = rs.value(2).toDate();
        }
        {
            auto rs = c.query(QStringLiteral("SELECT Nombre_1, Nif, Direccion, Cp, Localidad, Provincia, Telefono FROM Empresas"
                                             " WHERE Codigo =") +
                              sqlInt(k.empresa));
            if (!rs.eof()) {
                d.empresa = rs.value(0).toString().trimmed();
                const int cp = rs.value(3).toInt();
                d.empresaDatos = joinFilled({QStringLiteral("NIF: ") + rs.value(1).toString().trimmed(),
                                             rs.value(2).toString(),
                                             joinFilled({cp > 0 ? QString::number(cp) : QString(), rs.value(4).toString(),
                                                         rs.value(5).toString().isEmpty() ? QString()
                                                                                          : QLatin1Char('(') + rs.value(5).toString().trimmed() + QLatin1Char(')')},
                                                        QStringLiteral(" ")),
                                             rs.value(6).toString().isEmpty() ? QString()
                                                                              : QStringLiteral("Tel. ") + rs.value(6).toString()},
                                            QStringLiteral("\n"));
            }
        }
        d.lineas = TicketStore(c).lines(k, r.empresa->EmpresaArticulos());
        return d;
    });
}

std::shared_ptr<reports::Report> InvoiceReportPrinter::reportFor(const InvoiceDocument& d, int copia,
                                                                const QString& layoutPath)
{
    const host::InvoicePrintRequest& r = d.request;
    auto rpt = reports::Report::open(layoutPath);
    rpt->setTitle(QStringLiteral("Factura %1/%2").arg(d.serie).arg(d.numero));
    if (!r.mostrarDtos) {
        for (const char* name : {"fldDto", "txtCabDto"})
            if (reports::ReportObject* o = rpt->layout().object(QLatin1String(name)))
                o->visible = false;
    }

    reports::ReportData rows({QStringLiteral("Articulo"), QStringLiteral("Descripcion"), QStringLiteral("Cantidad"),
                              QStringLiteral("PVP"), QStringLiteral("Dto"), QStringLiteral("Importe"),
                              QStringLiteral("Impuesto")});
    QMap<double, double> porTipo; // rate -> amount with tax
    double total = 0;
    for (const TicketLineRow& l : d.lineas) {
        const double imp = importe(l);
        const double precio = r.mostrarDtos || l.cantidad == 0 ? l.pvp : Redondear(imp / l.cantidad, 2);
        rows.addRow({l.articulo, l.descripcion, l.cantidad, precio, r.mostrarDtos ? l.dto : 0.0, imp, l.impuesto});
        porTipo[l.impuesto] += imp;
        total += imp;
    }
    rpt->setData(std::move(rows));

    QStringList etiquetas, importes;
    double base = 0, cuota = 0;
    for (auto it = porTipo.cbegin(); it != porTipo.cend(); ++it) {
        const double b = Redondear(it.value() / (1.0 + it.key() / 100.0), 2);
        const double q = Redondear(it.value() - b, 2);
        etiquetas << QStringLiteral("Base %1 al %2%").arg(amount(b), Formato::FormatoNumero(it.key(), 2));
        importes << amount(q);
        base += b;
        cuota += q;
    }

    const QString copyName = r.empresa ? r.empresa->Variable(QStringLiteral("TipoDoc_") + QString::number(copia)).toString().trimmed()
                                       : QString();
    rpt->setParameter(QStringLiteral("Empresa"), d.empresa);
    rpt->setParameter(QStringLiteral("EmpresaDatos"), d.empresaDatos);
    rpt->setParameter(QStringLiteral("Copia"), copyName);
    rpt->setParameter(QStringLiteral("Factura"), QStringLiteral("%1/%2").arg(d.serie).arg(d.numero));
    rpt->setParameter(QStringLiteral("FechaFactura"), Formato::FormatoFecha(d.fechaFactura));
    rpt->setParameter(QStringLiteral("Ticket"), QStringLiteral("Ticket %1 · Caja %2 · %3 · Cajero %4")
                                                    .arg(r.ticket)
                                                    .arg(r.caja)
                                                    .arg(Formato::FormatoFecha(r.fecha))
                                                    .arg(r.cajero));
    rpt->setParameter(QStringLiteral("Cliente"), r.nombre.trimmed());
    rpt->setParameter(QStringLiteral("Nif"), r.nif);
    rpt->setParameter(QStringLiteral("ClienteDatos"),
                      joinFilled({r.nombreComercial == r.nombre ? QString() : r.nombreComercial, r.direccion,
                                  joinFilled({r.cp > 0 ? QString::number(r.cp) : QString(), r.localidad}, QStringLiteral(" ")),
                                  joinFilled({r.provincia, r.pais}, QStringLiteral(" - ")),
                                  r.telefono.trimmed().isEmpty() ? QString() : QStringLiteral("Tel. ") + r.telefono},
                                 QStringLiteral("\n")));
    rpt->setParameter(QStringLiteral("ImpuestosEtiquetas"), etiquetas.join(QLatin1Char('\n')));
    rpt->setParameter(QStringLiteral("ImpuestosImportes"), importes.join(QLatin1Char('\n')));
    rpt->setParameter(QStringLiteral("Base"), amount(base));
    rpt->setParameter(QStringLiteral("Cuota"), amount(cuota));
    rpt->setParameter(QStringLiteral("Total"), amount(total));
    for (auto it = r.parametros.cbegin(); it != r.parametros.cend(); ++it)
        rpt->setParameter(it.key(), it.value());
    return rpt;
}

void InvoiceReportPrinter::Imprimir(const host::InvoicePrintRequest& r)
{
    const InvoiceDocument d = documentFor(r);
    const QString layout = r.empresa->RutaAplicacion() + QStringLiteral("/Rpt/Factura.rpt");
    QList<std::shared_ptr<reports::Report>> copies;
    for (int copia : host::copiasDeMascara(r.copias))
        copies << reportFor(d, copia, layout);
    switch (r.device) {
    case host::OutputDevice::File:
        if (r.target.trimmed().isEmpty())
            throw Error(errc::InvalidArgument, QStringLiteral("No se ha indicado el fichero de salida."), kSource);
        writeCopies(copies, r.target);
        break;
    case host::OutputDevice::Printer:
        for (const auto& rpt : copies)
            reports::printReport(*rpt, r.impresora);
        break;
    case host::OutputDevice::Screen:
        for (const auto& rpt : copies)
            reports::sendReport(rpt, reports::Destino::Pantalla);
        break;
    }
}

} // namespace zqvr::tickets
