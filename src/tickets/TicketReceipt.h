#pragma once
// The text receipt of a reprinted ticket: 70 columns, the header and footer
// lines of the warehouse's terminal parameters, the lines, the promotion
// savings and the payments. Built as plain lines, without any device, so
// that what goes to the printer can be checked as text.
#include "tickets_export.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

namespace zqvr::tickets {

constexpr int ReceiptWidth = 70;
// Parameter codes of the header and footer lines.
constexpr int HeaderFirst = 100, HeaderLast = 109;
constexpr int FooterFirst = 130, FooterLast = 139;

struct ZQVR_TICKETS_EXPORT ReceiptLine {
    QString descripcion;
    double cantidad = 0;
    double pvp = 0;
    bool pa = false; // listed under the promotion savings
};

struct ZQVR_TICKETS_EXPORT ReceiptData {
    // Header (100-109) and footer (130-139) values by code; missing codes print nothing.
    QMap<int, QString> cabecera;
    QMap<int, QString> pie;
    int numero = 0;
    QDate fecha;
    int caja = 0;
    int cajero = 0;
    QString nombreCajero;
    QList<ReceiptLine> lineas;
    double total = 0, efectivo = 0, tarjeta = 0, cheque = 0, vales = 0, credito = 0;
    QString nombreTarjeta = QStringLiteral("Tarjeta");
};

// The value with the printer tags <S> <N> <R> <1> <2> <JR> <JC> <JD> removed.
ZQVR_TICKETS_EXPORT QString quitarEtiquetas(const QString& value);
// A header or footer value as text: none for "", an empty text for "-",
// else the value without tags and surrounding blanks.
ZQVR_TICKETS_EXPORT std::optional<QString> parameterText(const QString& value);
// A header or footer value as printed: nothing for "", an empty line for
// "-", else the text without tags centred in 70 columns.
ZQVR_TICKETS_EXPORT void addParameterLine(QStringList& out, const QString& value);
// Amount of a line as printed: quantity x price, to 2 decimals. The receipt
// is the terminal's copy: a line's discount is not taken off here (the
// ticket's total carries it), and under the promotion savings the amount is
// what the customer saved.
ZQVR_TICKETS_EXPORT double importeLinea(const ReceiptLine& l);
// A payment kind the ticket used: its centred label ("- Efectivo -"), the
// label of its amount line ("Efectivo : ") and the amount.
struct ZQVR_TICKETS_EXPORT ReceiptPayment {
    QString label;
    QString lineLabel;
    double amount = 0;
};
// What the lines listed under the promotion savings add up to (quantity x price each).
ZQVR_TICKETS_EXPORT double ahorroPromocion(const ReceiptData& d);
// The kinds with a non-zero amount, in the receipt's order.
ZQVR_TICKETS_EXPORT QList<ReceiptPayment> usedPayments(const ReceiptData& d);
// "Entregado": the five amounts together, 0 for a refund.
ZQVR_TICKETS_EXPORT double entregado(const ReceiptData& d);
// "Cambio": what was handed over less the total; for a refund the cash given back.
ZQVR_TICKETS_EXPORT double cambio(const ReceiptData& d);
// The whole receipt, one entry per printed line.
ZQVR_TICKETS_EXPORT QStringList buildReceipt(const ReceiptData& d);

} // namespace zqvr::tickets
