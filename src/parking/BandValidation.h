#pragma once
// The checks the two band dialogs run on Aceptar, without the dialogs: the
// texts of the fields go in, the first problem (its message and the field to
// focus) or the band ready to save comes out. Numbers are read in the
// suite's notation ("1.234,5", "12,5", also "12.5") whatever the locale.
#include "parking_export.h"
#include "parking/ParkingStore.h"

#include <QString>
#include <optional>

namespace zqvr::parking {

struct ZQVR_PARKING_EXPORT BandProblem {
    QString field;   // objectName of the field to focus ("txtImporteFinal")
    QString message; // shown with "¡ Atención !"
};

struct ZQVR_PARKING_EXPORT FreeBandInput {
    bool almacenValido = false;
    qint16 almacen = 0;
    QString importeInicial, importeFinal, minutos;
};

struct ZQVR_PARKING_EXPORT TariffBandInput {
    bool almacenValido = false;
    qint16 almacen = 0;
    QString minutoInicial, minutoFinal, pvp;
};

// On success fills band's warehouse, amounts and minutes (id and name untouched).
ZQVR_PARKING_EXPORT std::optional<BandProblem> validarGratis(const FreeBandInput& in, FreeBand& band);
ZQVR_PARKING_EXPORT std::optional<BandProblem> validarTarifa(const TariffBandInput& in, TariffBand& band);

// An amount as the dialogs show it: two decimals, more (up to four) when the
// stored amount has them, so that accepting unchanged never alters it.
ZQVR_PARKING_EXPORT QString amountFieldText(double amount);

} // namespace zqvr::parking
