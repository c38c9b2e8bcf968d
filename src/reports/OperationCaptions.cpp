#include "reports/OperationCaptions.h"

namespace zqvr::reports {

QString operationCaption(int code, const QString& clubCardName)
{
    static const char* const captions[] = {
        "Caja",          "Albarán",           "Anular Anterior", "Anular",         "Abrir Cajón",
        "Cantidad",      "Consulta",          "Devolución",      "Entrega Almacén", "Presupuesto",
        "Cobrar",        "Otros",             "Precio Manual",   "Salir",          "Ticket",
        "Espera",        "Cliente",           "Imprimir Vale",   nullptr,          "Pesado",
        "Imp. Ticket",   "Agente",            "Recarga Móvil",   "No Conocido",    "Art. x Proveedor",
        "Pesado",        "Repite Línea",      "Código Rápido",   "Asociar Pedido", "Ticket Regalo",
        "Factura",       "Dispensar Bolsa",   "Anular Recarga",  "Reparto Domicilio", "No Conocido",
        "Descuento",     "Cash Changer",      "Imprimir Cuenta", "Vendedor 1",     "Vendedor 2",
        "Vendedor 3",    "Vendedor 4",
    };
    static_assert(std::size(captions) == 42);
    if (code < 0 || code >= int(std::size(captions)))
        return QStringLiteral("No Conocido");
    if (code == 18)
        return clubCardName.trimmed().isEmpty() ? QStringLiteral("Empleado") : clubCardName;
    return QString::fromUtf8(captions[code]);
}

QString operationKeyName(int keyCode)
{
    if ((keyCode >= 48 && keyCode <= 57) || (keyCode >= 65 && keyCode <= 90))
        return QString(QChar(keyCode));
    if (keyCode >= 113 && keyCode <= 127)
        return QStringLiteral("F%1").arg(keyCode - 111);
    switch (keyCode) {
    case 36: return QStringLiteral("Inicio");
    case 35: return QStringLiteral("Fin");
    case 33: return QStringLiteral("RePág");
    case 34: return QStringLiteral("AvPág");
    case 45: return QStringLiteral("Insert");
    case 46: return QStringLiteral("Supr");
    case 106: return QStringLiteral("*");
    default: return QString();
    }
}

} // namespace zqvr::reports
