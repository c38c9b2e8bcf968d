#pragma once
// The windowless entry class the host calls when an article's picture
// changes: every touch-screen key showing the article record's picture
// ("Imagen de la ficha") takes the new one, in every configuration of the company.
#include "frame/WindowlessEntryClass.h"
#include "touchscreen_export.h"

#include <QString>

namespace zqvr::touchscreen {

class ZQVR_TOUCHSCREEN_EXPORT clsCfgPantallaTactil : public frame::WindowlessEntryClass {
    Q_OBJECT
public:
    using WindowlessEntryClass::WindowlessEntryClass;

    // Stores the picture at strPathImageName into those keys; a missing file
    // clears their picture. Throws zqvr::Error to the host on failure (a file
    // that is empty, not a picture or too large is refused before any row changes).
    // Returns the number of keys changed. Over many keys a progress window
    // counts them; cancelled there, no key changes and 0 is returned.
    Q_INVOKABLE int ActualizarImagenesFicha(int Cod_Articulo, const QString& strPathImageName);
};

} // namespace zqvr::touchscreen
