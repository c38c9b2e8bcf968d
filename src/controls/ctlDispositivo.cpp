#include "controls/ctlDispositivo.h"

namespace zqvr::controls {

ctlDispositivo::ctlDispositivo(QWidget* parent) : QComboBox(parent)
{
    addItem(QStringLiteral("Pantalla"), int(Pantalla));
    addItem(QStringLiteral("Impresora"), int(Impresora));
    addItem(QStringLiteral("Fichero"), int(Fichero));
    setCurrentIndex(0);
    connect(this, &QComboBox::currentIndexChanged, this, [this] { emit DispositivoCambiado(Valor()); });
}

ctlDispositivo::Dispositivo ctlDispositivo::Valor() const
{
    const int v = currentData().toInt();
    return v == Impresora ? Impresora : (v == Fichero ? Fichero : Pantalla);
}

void ctlDispositivo::setValor(Dispositivo d)
{
    const int i = findData(int(d));
    if (i >= 0)
        setCurrentIndex(i);
}

} // namespace zqvr::controls
