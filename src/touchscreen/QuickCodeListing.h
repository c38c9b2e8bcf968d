#pragma once
// What the quick-code listing prints, without the report engine: the
// subtitle made of the user's choices (DevCriterio) and the five report
// parameters. Its rows and statement are QuickCodeStore's.
#include "touchscreen_export.h"

#include <QString>
#include <QStringList>

namespace zqvr::touchscreen {

// The sort choices in the order of cboOrdenadoPor and cboOrden.
enum class ListingSort { CodigoArticulo = 0, CodigoRapido = 1, Descripcion = 2 };
enum class ListingDirection { Ascendente = 0, Descendente = 1 };
ZQVR_TOUCHSCREEN_EXPORT QStringList ordenadoPorCaptions();
ZQVR_TOUCHSCREEN_EXPORT QStringList ordenCaptions();

// "Almacen: 2  Puerto  / Ordenado Por: Código Rápido  / Orden: Ascendente".
ZQVR_TOUCHSCREEN_EXPORT QString DevCriterio(qint16 almacen, const QString& nombreAlmacen, int ordenadoPor, int orden);

// The listing's parameters, in the report's order (1 to 5).
struct ZQVR_TOUCHSCREEN_EXPORT QuickCodeListingParams {
    qint16 empresa = 0;
    qint16 almacen = 0;
    int ordenadoPor = 0;
    int orden = 0;
    QString subtitulo;
};

} // namespace zqvr::touchscreen
