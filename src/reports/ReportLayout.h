#pragma once
// A report layout: the page, the named sections and the named objects in
// them, every position and size in twips (1/1440 inch). Layouts are XML text
// files under the installation folder's Rpt/ ("Listado Dinamico.rpt"); the
// format is described in docs/reports.md.
//
//   ReportLayout layout = ReportLayout::load(ruta + "/Rpt/Listado Dinamico.rpt");
//   layout.object("txtTitulo")->text = titulo;          // change an object
//   ReportObject f = ReportObject::makeField("fldNombre", "{ado.Nombre}", {0, 0, 2000, 240});
//   layout.addObject("DetailSection1", f);               // add one by code
//
// Loading throws zqvr::Error naming the file when it is missing or malformed.
#include "reports_export.h"

#include <QByteArray>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <limits>
#include <vector>

namespace zqvr::reports {

// Error numbers of the report engine (the platform's own numbers are negative).
namespace rpterr {
constexpr long LayoutMissing = 50101;   // the layout file does not exist or cannot be read
constexpr long LayoutMalformed = 50102; // the layout file is not a valid layout
constexpr long PrinterNotFound = 50103; // no printer by that name (or none at all)
constexpr long OutputFailed = 50104;    // the PDF or the printer could not be written
constexpr long LayoutObject = 50105;    // a section or object asked for by code does not exist
constexpr long MissingParameter = 50106;
constexpr long UnknownField = 3265;     // a field of the layout is not in the data
} // namespace rpterr

enum class SectionKind { ReportHeader, PageHeader, Detail, ReportFooter, PageFooter };
enum class ObjectKind { Text, Field, Formula, Summary, Box, Line, Picture, Subreport };
// The same numbers as the printed columns' alignment (1 left, 2 centre, 3 right).
enum class TextAlign { Left = 1, Center = 2, Right = 3 };
enum class SummaryKind { Sum, Count, Average, Minimum, Maximum };

struct ZQVR_REPORTS_EXPORT FontSpec {
    QString family = QStringLiteral("DejaVu Sans");
    double size = 9; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

struct ZQVR_REPORTS_EXPORT ReportObject {
    QString name;
    ObjectKind kind = ObjectKind::Text;
    int x = 0, y = 0, width = 0, height = 0; // twips, from the section's top-left corner
    FontSpec font;
    TextAlign align = TextAlign::Left;
    bool canGrow = false; // text wraps and the section grows to show it all
    bool visible = true;
    // Text: the literal text. Formula: a template with {PageNumber}, {TotalPages},
    // {PrintDate}, {PrintTime}, {RecordCount}, {?parameter} and {ado.Field}.
    QString text;
    QString field;           // Field and Summary: the data field's name
    SummaryKind summary = SummaryKind::Sum;
    QString format;          // "", "text", "integer", "number:N[:nogroup]", "date[:FORMAT]", "datetime", "bool"
    QString blankIf;         // a formatted value equal to this prints empty ("01/01/1900")
    int lineWidth = 15;      // Box and Line, twips
    QString file;            // Picture and Subreport: a file beside the layout
    QString color;           // text or line colour, "#rrggbb"; empty is black

    QRect rect() const { return {x, y, width, height}; }
    void setRect(const QRect& r);

    static ReportObject makeText(const QString& name, const QString& text, const QRect& twips);
    // source is "{ado.Name}", "{Name}" or "Name".
    static ReportObject makeField(const QString& name, const QString& source, const QRect& twips);
    static ReportObject makeSummary(const QString& name, const QString& source, SummaryKind kind,
                                  const QRect& twips);
};

struct ZQVR_REPORTS_EXPORT ReportSection {
    QString name;
    SectionKind kind = SectionKind::Detail;
    int height = 0; // twips
    bool suppress = false;
    std::vector<ReportObject> objects;

    ReportObject* object(const QString& name);
    const ReportObject* object(const QString& name) const;
    bool hasCanGrow() const;
};

struct ZQVR_REPORTS_EXPORT PageSetup {
    int width = 11906;  // A4 portrait
    int height = 16838;
    int left = 567, top = 567, right = 567, bottom = 567; // 1 cm
    // The room between the margins, worked out in 64 bits so that margins of
    // any size give a negative room (which a layout is refused for) instead
    // of wrapping round to a plausible one. Room beyond the int range is held at its end.
    int printableWidth() const { return room(width, left, right); }
    int printableHeight() const { return room(height, top, bottom); }

private:
    static int room(int size, int before, int after)
    {
        const qint64 r = qint64(size) - before - after;
        return int(std::clamp<qint64>(r, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    }
};

// A parameter of the layout's query and formulas: {?1} or {?Name}.
struct ZQVR_REPORTS_EXPORT ParameterSpec {
    int index = 0;        // 1-based
    QString name;
    QString type = QStringLiteral("text"); // text, int, number, date, datetime, choice
    QStringList choices;  // choice: the text written for value 0, 1, ...
    QVariant defaultValue; // invalid: the parameter must be given
};

class ZQVR_REPORTS_EXPORT ReportLayout {
public:
    // Reads a layout file; throws Error (LayoutMissing / LayoutMalformed) naming the file.
    static ReportLayout load(const QString& path);
    // Reads layout text; fileName only names the layout in messages.
    static ReportLayout parse(const QByteArray& xml, const QString& fileName);
    // The layout as XML text (what load reads back).
    QByteArray toXml() const;

    QString name;     // title of the layout (the file name without extension by default)
    QString filePath; // where it was read from, "" when made in memory
    PageSetup page;
    QString query;    // optional: the statement that fills the report
    std::vector<ParameterSpec> parameters;
    std::vector<ReportSection> sections; // in print order within each kind

    ReportSection* section(const QString& name);
    const ReportSection* section(const QString& name) const;
    // The object of that name in any section; nullptr when there is none.
    ReportObject* object(const QString& name);
    const ReportObject* object(const QString& name) const;
    // Throwing forms for callers that change a layout by code.
    ReportSection& requireSection(const QString& name);
    ReportObject& requireObject(const QString& name);
    // Adds an object to a section; throws when the section is missing or the name is taken.
    ReportObject& addObject(const QString& sectionName, const ReportObject& object);
    bool removeObject(const QString& name);
    const ParameterSpec* parameter(const QString& nameOrIndex) const;

    // The kind a section's name implies: "PageHeaderSection2" is a page header.
    static bool kindFromName(const QString& sectionName, SectionKind* kind);
};

// "{ado.Nombre}" -> "Nombre" ("{Nombre}" and "Nombre" too).
ZQVR_REPORTS_EXPORT QString fieldNameOf(const QString& source);

} // namespace zqvr::reports
