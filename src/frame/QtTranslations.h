#pragma once
// Qt's own texts (the standard buttons "Sí", "No", "Cancelar", the file,
// print and colour dialogs) in the language of the screens around them.
// A host calls installQtTranslations() once, after making its QApplication.
#include "frame_export.h"
#include <QLocale>
#include <QString>

namespace zqvr::frame {

// Loads Qt's translations (Debian's qt6-translations-l10n, in Qt's
// translations folder) for the user's language, or Spanish when the user has
// none or Qt has no translation for it; English needs none. Returns the
// language loaded ("es", "fr"...), or an empty text when the texts stay in
// English (English asked for, or no translation installed).
ZQVR_FRAME_EXPORT QString installQtTranslations(const QLocale& userLocale = QLocale::system(),
                                                const QString& folder = QString());

} // namespace zqvr::frame
