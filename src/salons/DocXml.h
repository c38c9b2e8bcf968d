#pragma once
// The floor-plan document as it sits in TPV_Sln_Salones.Doc_Xml: every single
// quote of the XML text is stored as a vertical bar, and every vertical bar
// read back becomes a quote again. The terminals decode the column the same
// way, so the substitution stays even though a '|' typed into the document
// text itself comes back as a quote. (The plans the editor writes never hold
// a bare '|': it writes that character as a character reference.)
#include "salons_export.h"
#include <QString>

namespace zqvr::salons {

// The text to store: ' -> |.
ZQVR_SALONS_EXPORT QString encodeDocXml(const QString& document);
// The text to show or edit: | -> '.
ZQVR_SALONS_EXPORT QString decodeDocXml(const QString& stored);

} // namespace zqvr::salons
