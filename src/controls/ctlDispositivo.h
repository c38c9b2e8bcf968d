#pragma once
// Output device selector: screen (preview), printer or file.
#include "controls_export.h"
#include <QComboBox>

namespace zqvr::controls {

class ZQVR_CONTROLS_EXPORT ctlDispositivo : public QComboBox {
    Q_OBJECT
public:
    enum Dispositivo { Pantalla = 0, Impresora = 1, Fichero = 2 };

    explicit ctlDispositivo(QWidget* parent = nullptr);

    Dispositivo Valor() const;
    void setValor(Dispositivo d);

Q_SIGNALS:
    void DispositivoCambiado(ctlDispositivo::Dispositivo d);
};

} // namespace zqvr::controls
