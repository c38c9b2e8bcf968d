#include "controls/ctlCheckBox.h"

namespace zqvr::controls {

ctlCheckBox::ctlCheckBox(QWidget* parent) : ctlCheckBox(QString(), parent) {}

ctlCheckBox::ctlCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent)
{
    connect(this, &QCheckBox::toggled, this, [this](bool on) { emit ValorCambiado(on ? 1 : 0); });
}

} // namespace zqvr::controls
