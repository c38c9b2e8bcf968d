#include "parking/BandValidation.h"

#include "host/Formato.h"

#include <cmath>
#include <limits>

namespace zqvr::parking {

namespace {

// The largest whole amount a currency column holds.
constexpr double MaxAmount = 922337203685477.0;

struct Number {
    bool ok = false; // a number in the suite's notation, or an empty field
    double value = 0; // what the field is worth: 0 when empty or not a number
};

Number read(const QString& text)
{
    Number n;
    n.value = host::Formato::LeerNumero(text, &n.ok);
    if (text.trimmed().isEmpty())
        n.ok = true;
    return n;
}

bool isAmount(const Number& n) { return n.ok && n.value >= 0 && n.value <= MaxAmount; }

// Minutes are whole numbers of a small-integer column; typed decimals round.
bool isMinutes(const Number& n)
{
    return n.ok && n.value >= 0 && std::round(n.value) <= std::numeric_limits<qint16>::max();
}

bool noMinutes(const Number& n) { return std::round(n.value) == 0; }

// Only after isMinutes.
qint16 minutes(const Number& n) { return static_cast<qint16>(std::round(n.value)); }

BandProblem problem(const char* field, const char* message)
{
    return BandProblem{QString::fromUtf8(field), QString::fromUtf8(message)};
}

} // namespace

std::optional<BandProblem> validarGratis(const FreeBandInput& in, FreeBand& band)
{
    const Number ini = read(in.importeInicial);
    const Number fin = read(in.importeFinal);
    const Number min = read(in.minutos);

    if (!in.almacenValido || in.almacen == 0)
        return problem("txtAlmacen", "Debe especificar un Almacén Válido.");
    if (fin.value == 0)
        return problem("txtImporteFinal", "Debe especificar un Importe Final.");
    if (fin.value < ini.value)
        return problem("txtImporteFinal", "Importe Inicial tiene que ser menor a Importe Final.");
    // Minutes that round to none grant none: refused like an empty field.
    if (noMinutes(min))
        return problem("txtMinutos", "Debe especificar los Minutos Gratis.");
    // What only typing can bring: text that is no number, negative or out of range.
    if (!isAmount(ini))
        return problem("txtImporteInicial", "Debe especificar un Importe Inicial válido.");
    if (!isAmount(fin))
        return problem("txtImporteFinal", "Debe especificar un Importe Final válido.");
    if (!isMinutes(min))
        return problem("txtMinutos", "Debe especificar unos Minutos Gratis válidos.");

    band.almacen = in.almacen;
    band.importeInicial = ini.value;
    band.importeFinal = fin.value;
    band.minutos = minutes(min);
    return std::nullopt;
}

std::optional<BandProblem> validarTarifa(const TariffBandInput& in, TariffBand& band)
{
    const Number ini = read(in.minutoInicial);
    const Number fin = read(in.minutoFinal);
    const Number pvp = read(in.pvp);

    if (!in.almacenValido || in.almacen == 0)
        return problem("txtAlmacen", "Debe especificar un Almacén Válido.");
    if (noMinutes(ini))
        return problem("txtMinutoInicial", "Debe especificar un Minuto Inicial.");
    if (noMinutes(fin))
        return problem("txtMinutoFinal", "Debe especificar un Minuto Final.");
    if (pvp.value == 0)
        return problem("txtPvp", "Debe especificar el Precio del Minuto.");
    if (!isMinutes(ini))
        return problem("txtMinutoInicial", "Debe especificar un Minuto Inicial válido.");
    if (!isMinutes(fin))
        return problem("txtMinutoFinal", "Debe especificar un Minuto Final válido.");
    if (!isAmount(pvp))
        return problem("txtPvp", "Debe especificar un Precio del Minuto válido.");

    // The order of the two minutes is deliberately not checked.
    band.almacen = in.almacen;
    band.minutoInicial = minutes(ini);
    band.minutoFinal = minutes(fin);
    band.pvp = pvp.value;
    return std::nullopt;
}

QString amountFieldText(double amount)
{
    QString s = host::Formato::FormatoNumero(amount, 4);
    // Drop the zeros beyond the second decimal.
    for (int i = 0; i < 2 && s.endsWith(QLatin1Char('0')); ++i)
        s.chop(1);
    return s;
}

} // namespace zqvr::parking
