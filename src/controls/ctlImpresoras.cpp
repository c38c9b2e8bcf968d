#include "controls/ctlImpresoras.h"

#include <QPrinterInfo>

namespace zqvr::controls {

ctlImpresoras::ctlImpresoras(QWidget* parent) : QComboBox(parent)
{
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(20);
    Cargar();
}

void ctlImpresoras::Cargar()
{
    const QString keep = Impresora();
    const QString preferred = keep.isEmpty() ? QPrinterInfo::defaultPrinterName() : keep;
    CargarNombres(QPrinterInfo::availablePrinterNames(), preferred);
}

void ctlImpresoras::CargarNombres(const QStringList& names, const QString& preferred)
{
    const QSignalBlocker quiet(this);
    clear();
    for (const QString& n : names)
        if (!n.isEmpty())
            addItem(n);
    if (count() == 0)
        return;
    if (preferred.isEmpty() || !setImpresora(preferred))
        setCurrentIndex(0);
}

QString ctlImpresoras::Impresora() const { return currentIndex() >= 0 ? currentText() : QString(); }

bool ctlImpresoras::setImpresora(const QString& name)
{
    const int i = findText(name, Qt::MatchFixedString);
    if (i < 0)
        return false;
    setCurrentIndex(i);
    return true;
}

} // namespace zqvr::controls
