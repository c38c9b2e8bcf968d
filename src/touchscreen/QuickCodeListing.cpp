#include "touchscreen/QuickCodeListing.h"

namespace zqvr::touchscreen {

QStringList ordenadoPorCaptions()
{
    return {QStringLiteral("Código Artículo"), QStringLiteral("Código Rápido"), QStringLiteral("Descripción")};
}

QStringList ordenCaptions() { return {QStringLiteral("Ascendente"), QStringLiteral("Descendente")}; }

QString DevCriterio(qint16 almacen, const QString& nombreAlmacen, int ordenadoPor, int orden)
{
    return QStringLiteral("Almacen: ") + QString::number(almacen) + QStringLiteral("  ") + nombreAlmacen +
           QStringLiteral("  ") + QStringLiteral("/ ") + QStringLiteral("Ordenado Por: ") +
           ordenadoPorCaptions().value(ordenadoPor) + QStringLiteral("  ") + QStringLiteral("/ ") +
           QStringLiteral("Orden: ") + ordenCaptions().value(orden);
}

} // namespace zqvr::touchscreen
