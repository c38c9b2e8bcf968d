#pragma once
// A text box whose text is written to a column takes no more characters than
// the column holds: a server refuses a longer text (the embedded file would
// keep it), so the user is stopped while typing rather than at the save.
#include "db/SchemaDescription.h"

#include <QLineEdit>

namespace zqvr::controls {

inline void limitToColumn(QWidget* box, const QString& table, const QString& column)
{
    auto* edit = qobject_cast<QLineEdit*>(box);
    if (!edit)
        edit = box ? box->findChild<QLineEdit*>() : nullptr;
    if (!edit)
        return;
    if (const int n = db::schema::textLength(table, column); n > 0)
        edit->setMaxLength(n);
}

} // namespace zqvr::controls
