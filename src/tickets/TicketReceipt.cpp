#include "tickets/TicketReceipt.h"

#include "host/Formato.h"

#include <algorithm>
#include <cmath>

namespace zqvr::tickets {

using host::Formato;
using host::Redondear;

namespace {
QString spaces(int n) { return QString(n, QLatin1Char(' ')); }
QString repeat(char c, int n) { return QString(n, QLatin1Char(c)); }

// Footer amount lines: 30 blanks, the label in 30 columns, the amount right-aligned in 10.
QString amountLine(const QString& label, double amount)
{
    return spaces(30) + Formato::Alinear(0, label, 30) + Formato::Alinear(2, Formato::FormatoNumero(amount, 2), 10);
}
} // namespace

QString quitarEtiquetas(const QString& value)
{
    static const char* const tags[] = {"<S>", "<N>", "<R>", "<1>", "<2>", "<JR>", "<JC>", "<JD>"};
    QString t = value;
    for (const char* tag : tags)
        t.remove(QLatin1String(tag), Qt::CaseInsensitive);
    return t;
}

std::optional<QString> parameterText(const QString& value)
{
    if (value.isEmpty())
        return std::nullopt;
    if (value.trimmed() == QLatin1String("-"))
        return QString();
    return quitarEtiquetas(value).trimmed();
}

void addParameterLine(QStringList& out, const QString& value)
{
    const std::optional<QString> text = parameterText(value);
    if (!text)
        return;
    // "-" is an empty line; any other value is centred (an empty one as blanks).
    out << (value.trimmed() == QLatin1String("-") ? QString() : Formato::Alinear(1, *text, ReceiptWidth));
}

double importeLinea(const ReceiptLine& l) { return Redondear(l.cantidad * l.pvp, 2); }

QList<ReceiptPayment> usedPayments(const ReceiptData& d)
{
    const QString tarjeta = d.nombreTarjeta.isEmpty() ? QStringLiteral("Tarjeta") : d.nombreTarjeta;
    const QList<ReceiptPayment> all = {
        {QStringLiteral("- Efectivo -"), QStringLiteral("Efectivo : "), d.efectivo},
        {QStringLiteral("- ") + tarjeta.left(14) + QStringLiteral(" -"), Formato::Alinear(2, tarjeta, 16) + QStringLiteral(" : "),
         d.tarjeta},
        {QStringLiteral("- Cheque -"), QStringLiteral("Cheque   : "), d.cheque},
        {QStringLiteral("- Vales -"), QStringLiteral("Vales    : "), d.vales},
        {QStringLiteral("- Credito -"), QStringLiteral("Credito  : "), d.credito},
    };
    QList<ReceiptPayment> used;
    for (const ReceiptPayment& k : all)
        if (Redondear(k.amount, 2) != 0.0)
            used << k;
    return used;
}

double ahorroPromocion(const ReceiptData& d)
{
    double ahorro = 0;
    for (const ReceiptLine& l : d.lineas)
        if (l.pa)
            ahorro += importeLinea(l);
    return Redondear(ahorro, 2);
}

namespace {
double handedOver(const ReceiptData& d) { return Redondear(d.efectivo + d.tarjeta + d.cheque + d.vales + d.credito, 2); }
} // namespace

double entregado(const ReceiptData& d) { return d.total > 0 ? handedOver(d) : 0.0; }

double cambio(const ReceiptData& d) { return d.total > 0 ? Redondear(handedOver(d) - d.total, 2) : std::fabs(d.efectivo); }

QStringList buildReceipt(const ReceiptData& d)
{
    QStringList out;

    // Header.
    for (int code = HeaderFirst; code <= HeaderLast; ++code)
        addParameterLine(out, d.cabecera.value(code));
    out << QString();
    out << Formato::Alinear(0, QStringLiteral("Ticket: ") + QString::number(d.numero), 30) +
               Formato::Alinear(0, QStringLiteral("Caja  : ") + Formato::Alinear(3, QString::number(d.caja), 5), 13);
    // The cashier's text is padded to 25 columns; "Cajero: " and those 25
    // need 33, so the field takes the 40 left of the line, and a longer name
    // uses that room before it is cut.
    const QString cajero = QString::number(d.cajero) + QStringLiteral(" - ") + d.nombreCajero;
    const int cajeroRoom = ReceiptWidth - 30 - 8;
    out << Formato::Alinear(0, QStringLiteral("Fecha : ") + Formato::FormatoFecha(d.fecha), 30) +
               Formato::Alinear(0, QStringLiteral("Cajero: ") +
                                       Formato::Alinear(3, cajero, std::clamp(int(cajero.size()), 25, cajeroRoom)),
                                ReceiptWidth - 30);
    out << repeat('-', ReceiptWidth);
    out << Formato::Alinear(0, QStringLiteral("DESCRIPCION"), 40) + QLatin1Char(' ') +
               Formato::Alinear(2, QStringLiteral("CANTIDAD"), 9) + QLatin1Char(' ') +
               Formato::Alinear(2, QStringLiteral("PVP  "), 9) + QLatin1Char(' ') +
               Formato::Alinear(2, QStringLiteral("IMPORTE"), 9);
    out << repeat('-', ReceiptWidth);

    // Lines; the savings title goes in front of the first promotion-saving line.
    bool savingsTitle = false;
    for (const ReceiptLine& l : d.lineas) {
        if (l.pa && !savingsTitle) {
            out << QString();
            out << repeat('=', 26) + QStringLiteral(" AHORRO PROMOCION ") + repeat('=', 26);
            savingsTitle = true;
        }
        out << Formato::Alinear(0, l.descripcion, 40) + QLatin1Char(' ') +
                   Formato::Alinear(2, Formato::FormatoNumero(l.cantidad, 3), 9) + QLatin1Char(' ') +
                   Formato::Alinear(2, Formato::FormatoNumero(l.pvp, 2), 9) + QLatin1Char(' ') +
                   Formato::Alinear(2, Formato::FormatoNumero(importeLinea(l), 2), 9);
    }
    if (savingsTitle) {
        out << amountLine(QStringLiteral("Total Ahorro :"), ahorroPromocion(d));
        out << repeat('=', ReceiptWidth);
    }

    // Totals and payments.
    out << spaces(30) + QStringLiteral("Lineas : ") + Formato::Alinear(0, QString::number(d.lineas.size()), 3) +
               spaces(18) + repeat('-', 10);
    out << amountLine(QStringLiteral("Total     : "), d.total);

    const QList<ReceiptPayment> used = usedPayments(d);
    if (used.size() == 1)
        out << spaces(30) + Formato::Alinear(1, used.front().label, 18);
    out << amountLine(QStringLiteral("Entregado : "), entregado(d));
    if (used.size() > 1)
        for (const ReceiptPayment& k : used)
            out << amountLine(k.lineLabel, k.amount);
    out << amountLine(QStringLiteral("Cambio    : "), cambio(d));

    // Footer.
    for (int code = FooterFirst; code <= FooterLast; ++code)
        addParameterLine(out, d.pie.value(code));
    return out;
}

} // namespace zqvr::tickets
