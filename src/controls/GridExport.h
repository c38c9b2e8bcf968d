#pragma once
// What a grid shows, written to a file a spreadsheet opens: the visible
// columns in their on-screen order, the header rows and the cells' texts as
// they are displayed. The file name chooses the format: ".ods" an
// OpenDocument spreadsheet (numeric columns as numbers), anything else CSV
// as Spanish spreadsheets read it (UTF-8 with a byte-order mark, ';'
// between fields, quoted as RFC 4180 says, CRLF line ends).
#include "controls_export.h"
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace zqvr::controls {

class Grid;
class Progress;

class ZQVR_CONTROLS_EXPORT GridExport {
public:
    enum class Format { Csv, Ods };
    static Format formatFor(const QString& path);

    // Writes the grid to path. Returns false when the user cancelled through
    // progress: then nothing is written and a file already there is left as
    // it was. Throws zqvr::Error when the file cannot be written.
    static bool write(const Grid& grid, const QString& path, Progress* progress = nullptr);

    // One CSV field, quoted when it holds ';', '"', a line break or
    // leading or trailing spaces.
    static void appendCsvField(QByteArray& out, const QString& field);

    // The grid's columns as they are exported: the visible ones, left to right.
    static QList<int> exportedColumns(const Grid& grid);
};

} // namespace zqvr::controls
