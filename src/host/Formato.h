#pragma once
// The suite's formatting and rounding services, as the host offers them:
// numbers in the suite's own notation ("1.234,56": thousands point, decimal
// comma, whatever the machine's locale), day-first dates and fixed-width
// alignment for text receipts.
#include "host_export.h"
#include <QDate>
#include <QString>

namespace zqvr::host {

// Rounds half away from zero to the given decimals (2,345 -> 2,35; -2,345 -> -2,35).
ZQVR_HOST_EXPORT double Redondear(double value, int decimals);

class ZQVR_HOST_EXPORT Formato {
public:
    // The number with that many decimals: FormatoNumero(-1234.565, 2) == "-1.234,57".
    static QString FormatoNumero(double value, int decimals);
    // "dd/mm/yyyy"; a text is read as a day-first date (or ISO) first. An invalid date gives "".
    static QString FormatoFecha(const QDate& date);
    static QString FormatoFecha(const QString& dateText);
    // Pads (or cuts) the text to width: mode 0 left, 1 centred, 2 right,
    // 3 a number right-aligned with leading zeros (till numbers on receipts),
    // any other text padded on the right as in mode 0.
    static QString Alinear(int mode, const QString& text, int width);
    // Reads a number written in the suite's notation ("1.234,5", "12,5", "-3");
    // also accepts a lone "." as decimal point ("12.5"). Returns 0 and ok=false otherwise.
    static double LeerNumero(const QString& text, bool* ok = nullptr);
    // Reads "dd/mm/yyyy" (also "d/m/yy" and ISO); invalid dates give an invalid QDate.
    static QDate LeerFecha(const QString& text);
};

} // namespace zqvr::host
