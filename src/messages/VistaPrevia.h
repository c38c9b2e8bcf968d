#pragma once
// The preview of a message as the terminals show it: a band with where the
// message comes from, the two lines, and in "Repetir" mode the line that
// tells the operator how to go on. Rows in Tahoma, each with its own size,
// weight and colour, over the message's background colour.
#include "messages_export.h"
#include <QColor>
#include <QString>
#include <vector>

namespace zqvr::controls { class Grid; }

namespace zqvr::messages {

struct ZQVR_MESSAGES_EXPORT FilaVistaPrevia {
    QString texto;
    int puntos = 10;
    bool negrita = false;
    int colorTexto = 0;  // the suite's colour numbers
    int colorFondo = -1; // -1: the message's colour
};

// central: the message comes from the central installation (origin 0).
ZQVR_MESSAGES_EXPORT std::vector<FilaVistaPrevia> filasVistaPrevia(bool central, const QString& linea1,
                                                                   const QString& linea2, int modoMostrar);
// Makes the grid a preview: one column, no header, each row in its own font.
// Once, when the window that holds it is made.
ZQVR_MESSAGES_EXPORT void prepararVistaPrevia(controls::Grid& vsP);
// Clears the preview made by prepararVistaPrevia and paints the rows over the
// background colour.
ZQVR_MESSAGES_EXPORT void pintarVistaPrevia(controls::Grid& vsP, const std::vector<FilaVistaPrevia>& filas,
                                            int colorFondo);

} // namespace zqvr::messages
