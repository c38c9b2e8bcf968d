#pragma once
// The suite's check box: Valor is the check state as 0 or 1.
#include "controls_export.h"
#include <QCheckBox>

namespace zqvr::controls {

class ZQVR_CONTROLS_EXPORT ctlCheckBox : public QCheckBox {
    Q_OBJECT
    Q_PROPERTY(int Valor READ Valor WRITE setValor NOTIFY ValorCambiado)
public:
    explicit ctlCheckBox(QWidget* parent = nullptr);
    explicit ctlCheckBox(const QString& text, QWidget* parent = nullptr);

    int Valor() const { return isChecked() ? 1 : 0; }
    // Any value other than 0 checks the box.
    void setValor(int value) { setChecked(value != 0); }

Q_SIGNALS:
    void ValorCambiado(int valor);
};

} // namespace zqvr::controls
