#include "controls/GridExport.h"

#include "controls/Grid.h"
#include "controls/GridModel.h"
#include "controls/Progress.h"

#include "db/Error.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHeaderView>
#include <QSaveFile>

#include <cmath>
#include <zlib.h>

namespace zqvr::controls {

namespace {

constexpr const char* kSource = "Grid::Exportar";

[[noreturn]] void fail(const QString& path, const QString& why)
{
    throw Error(errc::InvalidArgument, QStringLiteral("No se pudo escribir %1: %2").arg(path, why),
                QString::fromLatin1(kSource));
}

// ---- a minimal zip writer: what an OpenDocument package needs ----

quint32 crcOf(const QByteArray& data)
{
    return quint32(crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size())));
}

// The raw deflate stream a zip entry holds (no zlib header or checksum).
QByteArray deflated(const QByteArray& data)
{
    z_stream z{};
    if (deflateInit2(&z, 1, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw Error(errc::InvalidArgument, QStringLiteral("No se pudo comprimir el libro."), QString::fromLatin1(kSource));
    QByteArray out(int(deflateBound(&z, uLong(data.size()))), Qt::Uninitialized);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    const int rc = deflate(&z, Z_FINISH);
    const qsizetype size = qsizetype(z.total_out);
    deflateEnd(&z);
    if (rc != Z_STREAM_END)
        throw Error(errc::InvalidArgument, QStringLiteral("No se pudo comprimir el libro."), QString::fromLatin1(kSource));
    out.truncate(size);
    return out;
}

class ZipWriter {
public:
    // Stored entries stay readable without inflating (the package's
    // "mimetype" must be); the others are deflated.
    void add(const QByteArray& name, const QByteArray& data, bool deflate)
    {
        const QByteArray packed = deflate ? deflated(data) : data;
        const quint16 method = deflate ? 8 : 0;
        if (quint64(m_out.size()) + quint64(packed.size()) > 0xFFFF0000ull)
            throw Error(errc::InvalidArgument, QStringLiteral("El libro supera los 4 GB que admite el formato."),
                        QString::fromLatin1(kSource));
        Entry e{name, crcOf(data), quint32(packed.size()), quint32(data.size()), quint32(m_out.size()), method};
        u32(m_out, 0x04034b50);
        u16(m_out, 20);
        u16(m_out, 0);
        u16(m_out, method);
        u16(m_out, m_time);
        u16(m_out, m_date);
        u32(m_out, e.crc);
        u32(m_out, e.packed);
        u32(m_out, e.size);
        u16(m_out, quint16(name.size()));
        u16(m_out, 0);
        m_out += name;
        m_out += packed;
        m_entries.push_back(e);
    }

    QByteArray finish()
    {
        const quint32 start = quint32(m_out.size());
        for (const Entry& e : m_entries) {
            u32(m_out, 0x02014b50);
            u16(m_out, 20);
            u16(m_out, 20);
            u16(m_out, 0);
            u16(m_out, e.method);
            u16(m_out, m_time);
            u16(m_out, m_date);
            u32(m_out, e.crc);
            u32(m_out, e.packed);
            u32(m_out, e.size);
            u16(m_out, quint16(e.name.size()));
            u16(m_out, 0);
            u16(m_out, 0);
            u16(m_out, 0);
            u16(m_out, 0);
            u32(m_out, 0);
            u32(m_out, e.offset);
            m_out += e.name;
        }
        const quint32 size = quint32(m_out.size()) - start;
        u32(m_out, 0x06054b50);
        u16(m_out, 0);
        u16(m_out, 0);
        u16(m_out, quint16(m_entries.size()));
        u16(m_out, quint16(m_entries.size()));
        u32(m_out, size);
        u32(m_out, start);
        u16(m_out, 0);
        return std::move(m_out);
    }

    ZipWriter()
    {
        const QDateTime now = QDateTime::currentDateTime();
        const QDate d = now.date();
        const QTime t = now.time();
        m_date = quint16(((std::max(1980, d.year()) - 1980) << 9) | (d.month() << 5) | d.day());
        m_time = quint16((t.hour() << 11) | (t.minute() << 5) | (t.second() / 2));
    }

private:
    struct Entry {
        QByteArray name;
        quint32 crc, packed, size, offset;
        quint16 method;
    };
    static void u16(QByteArray& out, quint16 v)
    {
        out.append(char(v & 0xFF));
        out.append(char(v >> 8));
    }
    static void u32(QByteArray& out, quint32 v)
    {
        u16(out, quint16(v & 0xFFFF));
        u16(out, quint16(v >> 16));
    }
    QByteArray m_out;
    std::vector<Entry> m_entries;
    quint16 m_date = 0, m_time = 0;
};

// ---- what is exported ----

struct Table {
    const Grid& grid;
    QList<int> columns;
    QList<int> headerRows; // the header rows with any text in the exported columns

    explicit Table(const Grid& g) : grid(g), columns(GridExport::exportedColumns(g))
    {
        for (int h = 0; h < g.FixedRows(); ++h) {
            for (int c : columns) {
                if (!g.TextMatrix(h, c).isEmpty()) {
                    headerRows << h;
                    break;
                }
            }
        }
    }
    int firstData() const { return grid.FixedRows(); }
    int rowCount() const { return grid.Rows() - grid.FixedRows(); }
    QString cell(int dataRow, int col) const { return grid.gridModel()->text(dataRow, col); }
};

bool writeCsv(const Table& t, QSaveFile& file, Progress* progress)
{
    QByteArray out;
    out.reserve(1 << 20);
    out.append("\xEF\xBB\xBF");
    auto line = [&](auto&& cellOf) {
        for (int i = 0; i < t.columns.size(); ++i) {
            if (i)
                out.append(';');
            GridExport::appendCsvField(out, cellOf(t.columns[i]));
        }
        out.append("\r\n");
    };
    for (int h : t.headerRows)
        line([&](int c) { return t.grid.TextMatrix(h, c); });
    const int rows = t.rowCount();
    for (int r = 0; r < rows; ++r) {
        if (progress && !progress->advance(r))
            return false;
        line([&](int c) { return t.cell(r, c); });
        if (out.size() >= (1 << 20)) {
            if (file.write(out) != out.size())
                fail(file.fileName(), file.errorString());
            out.clear();
        }
    }
    if (file.write(out) != out.size())
        fail(file.fileName(), file.errorString());
    return true;
}

// A cell's text as paragraphs, one per line, in one pass over its characters. A
// reader collapses runs of spaces and drops leading ones, so those are
// written as counted spaces; XML's special characters are escaped and
// control characters, which XML 1.0 cannot hold, left out.
void appendParagraphs(QByteArray& out, QStringView text)
{
    out.append("<text:p>");
    int spaces = 0;
    bool lineStart = true;
    auto flushSpaces = [&] {
        if (!spaces)
            return;
        if (!lineStart) {
            out.append(' ');
            --spaces;
        }
        if (spaces) {
            out.append("<text:s text:c=\"");
            out.append(QByteArray::number(spaces));
            out.append("\"/>");
        }
        spaces = 0;
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text[i].unicode();
        switch (u) {
        case ' ': ++spaces; continue;
        case '\r': continue;
        case '\n':
            flushSpaces();
            out.append("</text:p><text:p>");
            lineStart = true;
            continue;
        default: break;
        }
        flushSpaces();
        lineStart = false;
        if (u < 0x80) {
            switch (u) {
            case '&': out.append("&amp;"); break;
            case '<': out.append("&lt;"); break;
            case '>': out.append("&gt;"); break;
            case '"': out.append("&quot;"); break;
            case '\t': out.append("<text:tab/>"); break;
            default:
                if (u >= 0x20)
                    out.append(char(u));
                break;
            }
        } else {
            // Anything beyond ASCII, a surrogate pair with its partner.
            const qsizetype len = QChar::isHighSurrogate(u) && i + 1 < n && text[i + 1].isLowSurrogate() ? 2 : 1;
            out.append(text.mid(i, len).toUtf8());
            i += len - 1;
        }
    }
    flushSpaces();
    out.append("</text:p>");
}

// A number in the suite's notation ("1.234,50", "-3") rewritten in the
// notation of an office:value ("1234.50"), read as the grid printer reads
// it; false for anything else, which is then written as text.
bool numberValue(QStringView text, QByteArray& value)
{
    value.clear();
    text = text.trimmed();
    bool digits = false;
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u >= '0' && u <= '9') {
            value.append(char(u));
            digits = true;
        } else if (u == ',') {
            value.append('.');
        } else if (u == '-' || u == '+') {
            value.append(char(u));
        } else if (u == 'e' || u == 'E') {
            value.append('e');
        } else if (u != '.' && u != ' ') {
            return false;
        }
    }
    if (!digits)
        return false;
    bool ok = false;
    const double d = value.toDouble(&ok);
    return ok && std::isfinite(d);
}

bool writeOds(const Table& t, QSaveFile& file, Progress* progress)
{
    QByteArray xml;
    xml.reserve(1 << 20);
    xml.append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<office:document-content"
               " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
               " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
               " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\""
               " office:version=\"1.2\"><office:body><office:spreadsheet>"
               "<table:table table:name=\"Hoja1\">");
    if (!t.columns.isEmpty())
        xml.append("<table:table-column table:number-columns-repeated=\"" + QByteArray::number(t.columns.size())
                   + "\"/>");
    auto textCell = [&](QStringView text) {
        if (text.isEmpty()) {
            xml.append("<table:table-cell/>");
            return;
        }
        xml.append("<table:table-cell office:value-type=\"string\">");
        appendParagraphs(xml, text);
        xml.append("</table:table-cell>");
    };
    for (int h : t.headerRows) {
        xml.append("<table:table-row>");
        for (int c : t.columns)
            textCell(t.grid.TextMatrix(h, c));
        xml.append("</table:table-row>");
    }
    QList<bool> numeric;
    for (int c : t.columns)
        numeric << Grid::isNumericType(t.grid.ColDataType(c));
    const int rows = t.rowCount();
    QByteArray value;
    for (int r = 0; r < rows; ++r) {
        if (progress && !progress->advance(r))
            return false;
        xml.append("<table:table-row>");
        for (int i = 0; i < t.columns.size(); ++i) {
            const QString text = t.cell(r, t.columns[i]);
            if (numeric[i] && numberValue(text, value)) {
                xml.append("<table:table-cell office:value-type=\"float\" office:value=\"");
                xml.append(value);
                xml.append("\">");
                appendParagraphs(xml, text);
                xml.append("</table:table-cell>");
            } else {
                textCell(text);
            }
        }
        xml.append("</table:table-row>");
    }
    xml.append("</table:table></office:spreadsheet></office:body></office:document-content>");

    const QByteArray mime = "application/vnd.oasis.opendocument.spreadsheet";
    ZipWriter zip;
    zip.add("mimetype", mime, false);
    zip.add("META-INF/manifest.xml",
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\""
            " manifest:version=\"1.2\">"
            "<manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.2\" manifest:media-type=\""
                + mime
                + "\"/>"
                  "<manifest:file-entry manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/>"
                  "</manifest:manifest>",
            true);
    zip.add("content.xml", xml, true);
    const QByteArray bytes = zip.finish();
    if (file.write(bytes) != bytes.size())
        fail(file.fileName(), file.errorString());
    return true;
}

} // namespace

GridExport::Format GridExport::formatFor(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("ods"), Qt::CaseInsensitive) == 0 ? Format::Ods
                                                                                             : Format::Csv;
}

QList<int> GridExport::exportedColumns(const Grid& grid)
{
    QList<int> columns;
    const QHeaderView* header = grid.horizontalHeader();
    for (int v = 0; v < grid.Cols(); ++v) {
        const int c = header->logicalIndex(v);
        if (c < 0 || grid.ColHidden(c) || grid.ColWidth(c) == 0)
            continue;
        columns << c;
    }
    return columns;
}

void GridExport::appendCsvField(QByteArray& out, const QString& field)
{
    bool quote = !field.isEmpty() && (field.front() == QLatin1Char(' ') || field.back() == QLatin1Char(' '));
    for (const QChar ch : field) {
        if (ch == QLatin1Char(';') || ch == QLatin1Char('"') || ch == QLatin1Char('\n') || ch == QLatin1Char('\r')) {
            quote = true;
            break;
        }
    }
    if (!quote) {
        out.append(field.toUtf8());
        return;
    }
    out.append('"');
    QString doubled = field;
    doubled.replace(QLatin1Char('"'), QLatin1String("\"\""));
    out.append(doubled.toUtf8());
    out.append('"');
}

bool GridExport::write(const Grid& grid, const QString& path, Progress* progress)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(path, file.errorString());
    const Table table(grid);
    const bool done = formatFor(path) == Format::Ods ? writeOds(table, file, progress) : writeCsv(table, file, progress);
    if (!done) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        fail(path, file.errorString());
    return true;
}

} // namespace zqvr::controls
