#include "reports/ReportLayout.h"

#include "db/Error.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace zqvr::reports {

namespace {

const char* const kSource = "ReportLayout::load";

struct KindName {
    SectionKind kind;
    const char* attr;   // value of the kind attribute
    const char* prefix; // section names that start like this get the kind
};
const KindName kKinds[] = {
    {SectionKind::ReportHeader, "reportHeader", "ReportHeader"},
    {SectionKind::PageHeader, "pageHeader", "PageHeader"},
    {SectionKind::Detail, "detail", "Detail"},
    {SectionKind::ReportFooter, "reportFooter", "ReportFooter"},
    {SectionKind::PageFooter, "pageFooter", "PageFooter"},
};

struct ObjectTag {
    ObjectKind kind;
    const char* tag;
};
const ObjectTag kTags[] = {
    {ObjectKind::Text, "text"},       {ObjectKind::Field, "field"},     {ObjectKind::Formula, "formula"},
    {ObjectKind::Summary, "summary"}, {ObjectKind::Box, "box"},         {ObjectKind::Line, "line"},
    {ObjectKind::Picture, "picture"}, {ObjectKind::Subreport, "subreport"},
};

const char* const kSummaryNames[] = {"sum", "count", "average", "minimum", "maximum"};
const char* const kAlignNames[] = {"left", "center", "right"};

const char* tagOf(ObjectKind k)
{
    for (const auto& t : kTags)
        if (t.kind == k)
            return t.tag;
    return "text";
}

// Reads one layout; every fault becomes an Error that names the file and the line.
class Reader {
public:
    Reader(const QByteArray& xml, QString fileName) : m_xml(xml), m_file(std::move(fileName)) {}

    ReportLayout read()
    {
        ReportLayout layout;
        layout.name = QFileInfo(m_file).completeBaseName();
        if (!m_xml.readNextStartElement())
            fail(m_xml.hasError() ? m_xml.errorString() : QStringLiteral("el fichero está vacío"));
        if (m_xml.name() != QLatin1String("report"))
            fail(QStringLiteral("se esperaba el elemento <report> y hay <%1>").arg(m_xml.name()));
        const QString title = m_xml.attributes().value(QLatin1String("name")).toString();
        if (!title.isEmpty())
            layout.name = title;
        QSet<QString> names;
        while (m_xml.readNextStartElement()) {
            const auto tag = m_xml.name();
            if (tag == QLatin1String("page")) {
                readPage(layout.page);
            } else if (tag == QLatin1String("query")) {
                layout.query = m_xml.readElementText().trimmed();
            } else if (tag == QLatin1String("parameter")) {
                layout.parameters.push_back(readParameter());
            } else if (tag == QLatin1String("section")) {
                layout.sections.push_back(readSection(names));
            } else {
                fail(QStringLiteral("elemento desconocido <%1>").arg(tag));
            }
        }
        if (m_xml.hasError())
            fail(m_xml.errorString());
        if (layout.sections.empty())
            fail(QStringLiteral("el formato no tiene ninguna sección"));
        if (layout.page.printableWidth() <= 0 || layout.page.printableHeight() <= 0)
            fail(QStringLiteral("los márgenes no dejan sitio en la página"));
        return layout;
    }

private:
    [[noreturn]] void fail(const QString& what) const
    {
        throw Error(rpterr::LayoutMalformed,
                    QStringLiteral("El formato de informe \"%1\" no es válido (línea %2): %3.")
                        .arg(m_file)
                        .arg(m_xml.lineNumber())
                        .arg(what),
                    QString::fromLatin1(kSource));
    }

    QString attr(const char* name) const { return m_xml.attributes().value(QLatin1String(name)).toString(); }
    bool has(const char* name) const { return m_xml.attributes().hasAttribute(QLatin1String(name)); }

    int twips(const char* name, int fallback, bool allowNegative = false) const
    {
        if (!has(name))
            return fallback;
        bool ok = false;
        const int v = attr(name).trimmed().toInt(&ok);
        if (!ok || (!allowNegative && v < 0))
            fail(QStringLiteral("el atributo %1=\"%2\" no es un número de twips válido")
                     .arg(QLatin1String(name), attr(name)));
        return v;
    }

    bool flag(const char* name, bool fallback) const
    {
        if (!has(name))
            return fallback;
        const QString v = attr(name).trimmed().toLower();
        if (v == QLatin1String("true") || v == QLatin1String("1") || v == QLatin1String("yes"))
            return true;
        if (v == QLatin1String("false") || v == QLatin1String("0") || v == QLatin1String("no"))
            return false;
        fail(QStringLiteral("el atributo %1=\"%2\" debe ser true o false").arg(QLatin1String(name), attr(name)));
    }

    void readPage(PageSetup& page)
    {
        const QString size = attr("size").trimmed().toUpper();
        if (!size.isEmpty()) {
            static const QHash<QString, QSize> sizes = {
                {QStringLiteral("A4"), {11906, 16838}},
                {QStringLiteral("A5"), {8391, 11906}},
                {QStringLiteral("A3"), {16838, 23811}},
                {QStringLiteral("LETTER"), {12240, 15840}},
                {QStringLiteral("LEGAL"), {12240, 20160}},
            };
            if (!sizes.contains(size))
                fail(QStringLiteral("tamaño de página desconocido \"%1\"").arg(attr("size")));
            page.width = sizes.value(size).width();
            page.height = sizes.value(size).height();
        }
        page.width = twips("width", page.width);
        page.height = twips("height", page.height);
        const QString orientation = attr("orientation").trimmed().toLower();
        if (orientation == QLatin1String("landscape")) {
            if (page.width < page.height)
                std::swap(page.width, page.height);
        } else if (!orientation.isEmpty() && orientation != QLatin1String("portrait")) {
            fail(QStringLiteral("orientación desconocida \"%1\"").arg(attr("orientation")));
        }
        page.left = twips("left", page.left);
        page.top = twips("top", page.top);
        page.right = twips("right", page.right);
        page.bottom = twips("bottom", page.bottom);
        if (page.width < 1440 || page.height < 1440)
            fail(QStringLiteral("la página es demasiado pequeña"));
        m_xml.skipCurrentElement();
    }

    ParameterSpec readParameter()
    {
        ParameterSpec p;
        p.index = twips("index", 0);
        p.name = attr("name").trimmed();
        if (p.index <= 0 && p.name.isEmpty())
            fail(QStringLiteral("un parámetro necesita index o name"));
        p.type = has("type") ? attr("type").trimmed().toLower() : QStringLiteral("text");
        static const QStringList types = {QStringLiteral("text"), QStringLiteral("int"), QStringLiteral("number"),
                                          QStringLiteral("date"), QStringLiteral("datetime"), QStringLiteral("choice")};
        if (!types.contains(p.type))
            fail(QStringLiteral("tipo de parámetro desconocido \"%1\"").arg(p.type));
        if (p.type == QLatin1String("choice")) {
            p.choices = attr("choices").split(QLatin1Char('|'));
            for (QString& c : p.choices)
                c = c.trimmed();
            if (attr("choices").trimmed().isEmpty())
                fail(QStringLiteral("el parámetro \"%1\" de tipo choice no tiene choices").arg(p.name));
        }
        if (has("default"))
            p.defaultValue = attr("default");
        m_xml.skipCurrentElement();
        return p;
    }

    ReportSection readSection(QSet<QString>& names)
    {
        ReportSection s;
        s.name = attr("name").trimmed();
        if (s.name.isEmpty())
            fail(QStringLiteral("una sección no tiene nombre"));
        const QString kind = attr("kind").trimmed();
        bool known = false;
        if (!kind.isEmpty()) {
            for (const auto& k : kKinds)
                if (kind.compare(QLatin1String(k.attr), Qt::CaseInsensitive) == 0) {
                    s.kind = k.kind;
                    known = true;
                }
            if (!known)
                fail(QStringLiteral("tipo de sección desconocido \"%1\"").arg(kind));
        } else if (!ReportLayout::kindFromName(s.name, &s.kind)) {
            fail(QStringLiteral("no se sabe de qué tipo es la sección \"%1\" (falta kind)").arg(s.name));
        }
        if (!names.contains(QLatin1String("#") + s.name.toLower()))
            names.insert(QLatin1String("#") + s.name.toLower());
        else
            fail(QStringLiteral("la sección \"%1\" está repetida").arg(s.name));
        s.height = twips("height", 0);
        s.suppress = flag("suppress", false);
        while (m_xml.readNextStartElement()) {
            ReportObject o = readObject();
            if (names.contains(o.name.toLower()))
                fail(QStringLiteral("el objeto \"%1\" está repetido").arg(o.name));
            names.insert(o.name.toLower());
            s.objects.push_back(std::move(o));
        }
        return s;
    }

    ReportObject readObject()
    {
        ReportObject o;
        bool known = false;
        for (const auto& t : kTags)
            if (m_xml.name() == QLatin1String(t.tag)) {
                o.kind = t.kind;
                known = true;
            }
        if (!known)
            fail(QStringLiteral("objeto desconocido <%1>").arg(m_xml.name()));
        o.name = attr("name").trimmed();
        if (o.name.isEmpty())
            fail(QStringLiteral("un objeto <%1> no tiene nombre").arg(m_xml.name()));
        o.x = twips("x", 0, true);
        o.y = twips("y", 0, true);
        o.width = twips("width", 0);
        o.height = twips("height", 0);
        if (has("font"))
            o.font.family = attr("font");
        if (has("size")) {
            bool ok = false;
            o.font.size = attr("size").toDouble(&ok);
            if (!ok || o.font.size <= 0 || o.font.size > 200)
                fail(QStringLiteral("tamaño de letra no válido \"%1\"").arg(attr("size")));
        }
        o.font.bold = flag("bold", false);
        o.font.italic = flag("italic", false);
        o.font.underline = flag("underline", false);
        if (has("align")) {
            const QString a = attr("align").trimmed().toLower();
            int i = 0;
            for (; i < 3; ++i)
                if (a == QLatin1String(kAlignNames[i]))
                    break;
            if (i == 3)
                fail(QStringLiteral("alineación desconocida \"%1\"").arg(attr("align")));
            o.align = TextAlign(i + 1);
        }
        o.canGrow = flag("canGrow", false);
        o.visible = flag("visible", true);
        o.format = attr("format").trimmed();
        o.blankIf = attr("blankIf");
        o.color = attr("color").trimmed();
        o.file = attr("file").trimmed();
        o.lineWidth = twips("lineWidth", o.lineWidth);
        if (o.kind == ObjectKind::Field || o.kind == ObjectKind::Summary) {
            o.field = fieldNameOf(attr("source"));
            if (o.field.isEmpty() && !(o.kind == ObjectKind::Summary && attr("kind") == QLatin1String("count")))
                fail(QStringLiteral("el campo \"%1\" no indica source").arg(o.name));
        }
        if (o.kind == ObjectKind::Summary) {
            const QString k = has("kind") ? attr("kind").trimmed().toLower() : QStringLiteral("sum");
            int i = 0;
            for (; i < 5; ++i)
                if (k == QLatin1String(kSummaryNames[i]))
                    break;
            if (i == 5)
                fail(QStringLiteral("resumen desconocido \"%1\"").arg(attr("kind")));
            o.summary = SummaryKind(i);
        }
        if ((o.kind == ObjectKind::Picture || o.kind == ObjectKind::Subreport) && o.file.isEmpty())
            fail(QStringLiteral("el objeto \"%1\" no indica file").arg(o.name));
        // Text and formulas keep their text; other objects have none.
        const QString body = m_xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
        if (m_xml.hasError())
            fail(m_xml.errorString());
        if (o.kind == ObjectKind::Text || o.kind == ObjectKind::Formula)
            o.text = body;
        return o;
    }

    QXmlStreamReader m_xml;
    QString m_file;
};

} // namespace

void ReportObject::setRect(const QRect& r)
{
    x = r.x();
    y = r.y();
    width = r.width();
    height = r.height();
}

ReportObject ReportObject::makeText(const QString& name, const QString& text, const QRect& twips)
{
    ReportObject o;
    o.name = name;
    o.kind = ObjectKind::Text;
    o.text = text;
    o.setRect(twips);
    return o;
}

ReportObject ReportObject::makeField(const QString& name, const QString& source, const QRect& twips)
{
    ReportObject o;
    o.name = name;
    o.kind = ObjectKind::Field;
    o.field = fieldNameOf(source);
    o.setRect(twips);
    return o;
}

ReportObject ReportObject::makeSummary(const QString& name, const QString& source, SummaryKind kind,
                                     const QRect& twips)
{
    ReportObject o = makeField(name, source, twips);
    o.kind = ObjectKind::Summary;
    o.summary = kind;
    return o;
}

ReportObject* ReportSection::object(const QString& n)
{
    for (auto& o : objects)
        if (o.name.compare(n, Qt::CaseInsensitive) == 0)
            return &o;
    return nullptr;
}

const ReportObject* ReportSection::object(const QString& n) const
{
    return const_cast<ReportSection*>(this)->object(n);
}

bool ReportSection::hasCanGrow() const
{
    for (const auto& o : objects)
        if (o.canGrow && o.visible)
            return true;
    return false;
}

QString fieldNameOf(const QString& source)
{
    QString s = source.trimmed();
    if (s.startsWith(QLatin1Char('{')) && s.endsWith(QLatin1Char('}')))
        s = s.mid(1, s.size() - 2).trimmed();
    const int dot = s.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        s = s.mid(dot + 1);
    return s.trimmed();
}

bool ReportLayout::kindFromName(const QString& sectionName, SectionKind* kind)
{
    for (const auto& k : kKinds)
        if (sectionName.startsWith(QLatin1String(k.prefix), Qt::CaseInsensitive)) {
            *kind = k.kind;
            return true;
        }
    return false;
}

ReportLayout ReportLayout::load(const QString& path)
{
    QFile f(path);
    if (!QFileInfo(path).isFile())
        throw Error(rpterr::LayoutMissing, QStringLiteral("No se encuentra el formato de informe \"%1\".").arg(path),
                    QString::fromLatin1(kSource));
    if (!f.open(QIODevice::ReadOnly))
        throw Error(rpterr::LayoutMissing,
                    QStringLiteral("No se puede leer el formato de informe \"%1\": %2.").arg(path, f.errorString()),
                    QString::fromLatin1(kSource));
    ReportLayout layout = parse(f.readAll(), path);
    layout.filePath = QFileInfo(path).absoluteFilePath();
    return layout;
}

ReportLayout ReportLayout::parse(const QByteArray& xml, const QString& fileName)
{
    return Reader(xml, fileName).read();
}

QByteArray ReportLayout::toXml() const
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(2);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("report"));
    w.writeAttribute(QStringLiteral("name"), name);
    w.writeEmptyElement(QStringLiteral("page"));
    w.writeAttribute(QStringLiteral("width"), QString::number(page.width));
    w.writeAttribute(QStringLiteral("height"), QString::number(page.height));
    w.writeAttribute(QStringLiteral("left"), QString::number(page.left));
    w.writeAttribute(QStringLiteral("top"), QString::number(page.top));
    w.writeAttribute(QStringLiteral("right"), QString::number(page.right));
    w.writeAttribute(QStringLiteral("bottom"), QString::number(page.bottom));
    for (const auto& p : parameters) {
        w.writeEmptyElement(QStringLiteral("parameter"));
        if (p.index > 0)
            w.writeAttribute(QStringLiteral("index"), QString::number(p.index));
        if (!p.name.isEmpty())
            w.writeAttribute(QStringLiteral("name"), p.name);
        w.writeAttribute(QStringLiteral("type"), p.type);
        if (!p.choices.isEmpty())
            w.writeAttribute(QStringLiteral("choices"), p.choices.join(QLatin1Char('|')));
        if (p.defaultValue.isValid())
            w.writeAttribute(QStringLiteral("default"), p.defaultValue.toString());
    }
    if (!query.isEmpty())
        w.writeTextElement(QStringLiteral("query"), query);
    for (const auto& s : sections) {
        w.writeStartElement(QStringLiteral("section"));
        w.writeAttribute(QStringLiteral("name"), s.name);
        for (const auto& k : kKinds)
            if (k.kind == s.kind)
                w.writeAttribute(QStringLiteral("kind"), QLatin1String(k.attr));
        w.writeAttribute(QStringLiteral("height"), QString::number(s.height));
        if (s.suppress)
            w.writeAttribute(QStringLiteral("suppress"), QStringLiteral("true"));
        for (const auto& o : s.objects) {
            w.writeStartElement(QLatin1String(tagOf(o.kind)));
            w.writeAttribute(QStringLiteral("name"), o.name);
            w.writeAttribute(QStringLiteral("x"), QString::number(o.x));
            w.writeAttribute(QStringLiteral("y"), QString::number(o.y));
            w.writeAttribute(QStringLiteral("width"), QString::number(o.width));
            w.writeAttribute(QStringLiteral("height"), QString::number(o.height));
            const bool textual = o.kind != ObjectKind::Box && o.kind != ObjectKind::Line
                && o.kind != ObjectKind::Picture && o.kind != ObjectKind::Subreport;
            if (textual) {
                w.writeAttribute(QStringLiteral("font"), o.font.family);
                w.writeAttribute(QStringLiteral("size"), QString::number(o.font.size));
                if (o.font.bold)
                    w.writeAttribute(QStringLiteral("bold"), QStringLiteral("true"));
                if (o.font.italic)
                    w.writeAttribute(QStringLiteral("italic"), QStringLiteral("true"));
                if (o.font.underline)
                    w.writeAttribute(QStringLiteral("underline"), QStringLiteral("true"));
                w.writeAttribute(QStringLiteral("align"), QLatin1String(kAlignNames[int(o.align) - 1]));
                if (o.canGrow)
                    w.writeAttribute(QStringLiteral("canGrow"), QStringLiteral("true"));
                if (!o.format.isEmpty())
                    w.writeAttribute(QStringLiteral("format"), o.format);
                if (!o.blankIf.isEmpty())
                    w.writeAttribute(QStringLiteral("blankIf"), o.blankIf);
            } else if (o.kind == ObjectKind::Box || o.kind == ObjectKind::Line) {
                w.writeAttribute(QStringLiteral("lineWidth"), QString::number(o.lineWidth));
            }
            if (!o.visible)
                w.writeAttribute(QStringLiteral("visible"), QStringLiteral("false"));
            if (!o.color.isEmpty())
                w.writeAttribute(QStringLiteral("color"), o.color);
            if (!o.file.isEmpty())
                w.writeAttribute(QStringLiteral("file"), o.file);
            if (o.kind == ObjectKind::Field || o.kind == ObjectKind::Summary)
                w.writeAttribute(QStringLiteral("source"), QStringLiteral("{ado.") + o.field + QLatin1Char('}'));
            if (o.kind == ObjectKind::Summary)
                w.writeAttribute(QStringLiteral("kind"), QLatin1String(kSummaryNames[int(o.summary)]));
            if (o.kind == ObjectKind::Text || o.kind == ObjectKind::Formula)
                w.writeCharacters(o.text);
            w.writeEndElement();
        }
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

ReportSection* ReportLayout::section(const QString& n)
{
    for (auto& s : sections)
        if (s.name.compare(n, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

const ReportSection* ReportLayout::section(const QString& n) const
{
    return const_cast<ReportLayout*>(this)->section(n);
}

ReportObject* ReportLayout::object(const QString& n)
{
    for (auto& s : sections)
        if (ReportObject* o = s.object(n))
            return o;
    return nullptr;
}

const ReportObject* ReportLayout::object(const QString& n) const
{
    return const_cast<ReportLayout*>(this)->object(n);
}

ReportSection& ReportLayout::requireSection(const QString& n)
{
    if (ReportSection* s = section(n))
        return *s;
    throw Error(rpterr::LayoutObject,
                QStringLiteral("El formato de informe \"%1\" no tiene la sección \"%2\".")
                    .arg(filePath.isEmpty() ? name : filePath, n),
                QStringLiteral("ReportLayout::section"));
}

ReportObject& ReportLayout::requireObject(const QString& n)
{
    if (ReportObject* o = object(n))
        return *o;
    throw Error(rpterr::LayoutObject,
                QStringLiteral("El formato de informe \"%1\" no tiene el objeto \"%2\".")
                    .arg(filePath.isEmpty() ? name : filePath, n),
                QStringLiteral("ReportLayout::object"));
}

ReportObject& ReportLayout::addObject(const QString& sectionName, const ReportObject& o)
{
    ReportSection& s = requireSection(sectionName);
    if (o.name.isEmpty() || object(o.name))
        throw Error(rpterr::LayoutObject,
                    QStringLiteral("El formato de informe \"%1\" ya tiene un objeto \"%2\".")
                        .arg(filePath.isEmpty() ? name : filePath, o.name),
                    QStringLiteral("ReportLayout::addObject"));
    s.objects.push_back(o);
    return s.objects.back();
}

bool ReportLayout::removeObject(const QString& n)
{
    for (auto& s : sections)
        for (auto it = s.objects.begin(); it != s.objects.end(); ++it)
            if (it->name.compare(n, Qt::CaseInsensitive) == 0) {
                s.objects.erase(it);
                return true;
            }
    return false;
}

const ParameterSpec* ReportLayout::parameter(const QString& nameOrIndex) const
{
    bool isIndex = false;
    const int index = nameOrIndex.toInt(&isIndex);
    for (const auto& p : parameters)
        if ((isIndex && p.index == index) || (!p.name.isEmpty() && p.name.compare(nameOrIndex, Qt::CaseInsensitive) == 0))
            return &p;
    return nullptr;
}

} // namespace zqvr::reports
