#pragma once
// Printer selector: the system's printers by name, the default one chosen.
// With no printer installed the list is empty and Impresora() is "".
#include "controls_export.h"
#include <QComboBox>

namespace zqvr::controls {

class ZQVR_CONTROLS_EXPORT ctlImpresoras : public QComboBox {
    Q_OBJECT
public:
    explicit ctlImpresoras(QWidget* parent = nullptr);

    // Reads the system's printers again, keeping the chosen one when it is still there.
    void Cargar();
    // Fills the list with the given names and chooses `preferred` (else the first).
    void CargarNombres(const QStringList& names, const QString& preferred = QString());

    // The chosen printer's name, "" when there is none.
    QString Impresora() const;
    // Chooses a printer by name (case-insensitive); false when it is not listed.
    bool setImpresora(const QString& name);
};

} // namespace zqvr::controls
