#include "touchscreen/LayoutPlaces.h"

namespace zqvr::touchscreen {

int buttonCount(int tipo) { return tipo == Tipo3x4 ? 12 : 36; }

int buttonColumns(int tipo) { return tipo == Tipo3x4 ? 3 : 9; }

int placeOf(int tipo, int index)
{
    if (tipo == Tipo3x4)
        return 9 * (index / 3) + 6 + (index % 3);
    return index;
}

int indexOf(int tipo, int place)
{
    if (place < 0 || place > 35)
        return -1;
    if (tipo == Tipo3x4) {
        if (place % 9 < 6)
            return -1;
        return (place - 6) / 3 + (place % 3);
    }
    return place;
}

int finalIndex(int f, int t, bool after)
{
    if (f == t)
        return f;
    if (f < t)
        return after ? t : t - 1;
    return after ? t + 1 : t;
}

QString shiftedPlaceSql(int tipo, const QString& shift)
{
    if (tipo == Tipo3x4) {
        const QString index = QStringLiteral("(FLOOR((Posicion - 6) / 3) + (Posicion % 3))");
        return QStringLiteral("((FLOOR((") + index + shift + QStringLiteral(") / 3) + 1) * 6) + (") + index
               + shift + QStringLiteral(")");
    }
    return QStringLiteral("(Posicion") + shift + QStringLiteral(")");
}

QString shiftedGroupPlaceSql(int tipo, const QString& shift)
{
    if (tipo == Tipo3x4)
        return QStringLiteral("((FLOOR(((Cod_Grupo-1)") + shift + QStringLiteral(") / 3) + 1) * 6) + ((Cod_Grupo-1)")
               + shift + QStringLiteral(")");
    return QStringLiteral("((Cod_Grupo-1)") + shift + QStringLiteral(")");
}

int indexAfterMove(int index, int f, int final)
{
    if (index == f)
        return final;
    if (f < final && index > f && index <= final)
        return index - 1;
    if (f > final && index >= final && index < f)
        return index + 1;
    return index;
}

QString tipoLabel(int tipo) { return tipo == Tipo3x4 ? QStringLiteral("3 x 4") : QStringLiteral("9 x 4"); }

} // namespace zqvr::touchscreen
