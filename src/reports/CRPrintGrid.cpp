#include "reports/CRPrintGrid.h"

#include "controls/Grid.h"
#include "controls/Progress.h"
#include "db/Connection.h"
#include "db/Error.h"
#include "db/RecordSet.h"
#include "reports/DynamicTable.h"
#include "reports/Report.h"
#include "reports/ReportData.h"
#include "reports/ReportOutput.h"
#include "reports/clsView.h"

#include <QApplication>
#include <QDir>
#include <QTime>
#include <cmath>

namespace zqvr::reports {

namespace {

const QString kGrid = QStringLiteral("VSFLEXGRID");
const QString kRecordSet = QStringLiteral("RECORDSET");
const QString kSql = QStringLiteral("SQL STRING");

constexpr int kPad = 60; // twips between a column's edge and its text

// Keeps the busy pointer up while the job runs, whatever way it ends.
class BusyPointer {
public:
    BusyPointer()
    {
        if (qApp)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyPointer()
    {
        if (qApp)
            QApplication::restoreOverrideCursor();
    }
};

// The grid's data type in the suite's numbers. A grid that speaks them is
// read as it is; one with only text, number, date and boolean columns maps
// its numbers onto a double.
template <class G>
int gridColumnType(const G& grid, int col)
{
    if constexpr (requires { G::TypeShort; }) {
        return int(grid.ColDataType(col));
    } else {
        switch (grid.ColDataType(col)) {
        case G::TypeNumber: return gridtype::Double;
        case G::TypeDate: return gridtype::Date;
        case G::TypeBoolean: return gridtype::Boolean;
        default: return gridtype::Text;
        }
    }
}

int typeOfValue(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
        return gridtype::Int32;
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return gridtype::Int64;
    case QMetaType::Double:
    case QMetaType::Float:
        return gridtype::Double;
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return gridtype::Date;
    case QMetaType::Bool:
        return gridtype::Boolean;
    default:
        return gridtype::Text;
    }
}

QString formatForType(int type, int decimals, bool grouped, bool withTime, bool datesAsText)
{
    if (gridtype::isInteger(type))
        return QStringLiteral("integer");
    if (gridtype::isNumber(type))
        return QStringLiteral("number:%1%2").arg(decimals).arg(grouped ? QString() : QStringLiteral(":nogroup"));
    if (type == gridtype::Date)
        return datesAsText ? QStringLiteral("text") : (withTime ? QStringLiteral("datetime") : QStringLiteral("date"));
    if (type == gridtype::Boolean)
        return QStringLiteral("bool");
    return QStringLiteral("text");
}

SummaryKind summaryKind(int resumen)
{
    switch (resumen) {
    case clsColumna::Cuenta: return SummaryKind::Count;
    case clsColumna::Media: return SummaryKind::Average;
    case clsColumna::Minimo: return SummaryKind::Minimum;
    case clsColumna::Maximo: return SummaryKind::Maximum;
    default: return SummaryKind::Sum;
    }
}

} // namespace

CRPrintGrid::CRPrintGrid(QObject* parent) : QObject(parent) {}

CRPrintGrid::~CRPrintGrid()
{
    // The job's connection goes with the object, and any table left by a failed print with it.
    if (m_conn && m_tableCreated) {
        try {
            dropTable();
        } catch (...) {
        }
    }
}

void CRPrintGrid::setConnectionString(const QString& cs)
{
    if (cs.trimmed().isEmpty())
        throw Error(::zqvr::errc::InvalidArgument, QStringLiteral("Debe establecerla la cadena de conexión."),
                    QStringLiteral("CRPrintGrid::ConnectionString"));
    if (cs == m_connectionString)
        return;
    m_conn.reset();
    m_tableCreated = false;
    m_connectionString = cs;
}

db::Connection& CRPrintGrid::connection()
{
    if (!m_conn) {
        if (m_connectionString.trimmed().isEmpty())
            throw Error(::zqvr::errc::InvalidArgument, QStringLiteral("Debe establecerla la cadena de conexión."),
                        QStringLiteral("CRPrintGrid::ConnectionString"));
        m_conn = db::Connection::open(m_connectionString);
        m_conn->setProperty("Persist Security Info", true);
    }
    return *m_conn;
}

void CRPrintGrid::setReportSource(QObject* source)
{
    auto* grid = qobject_cast<controls::Grid*>(source);
    if (!grid)
        throw Error(::zqvr::errc::InvalidArgument, QStringLiteral("Origen de datos no admitido."),
                    QStringLiteral("CRPrintGrid::ReportSource"));
    m_grid = grid;
    m_rs = nullptr;
    m_kind = kGrid;
}

void CRPrintGrid::setReportSource(db::RecordSet* rs)
{
    if (!rs)
        throw Error(::zqvr::errc::InvalidArgument, QStringLiteral("Origen de datos no admitido."),
                    QStringLiteral("CRPrintGrid::ReportSource"));
    m_rs = rs;
    m_grid = nullptr;
    m_kind = kRecordSet;
}

void CRPrintGrid::setSQLSource(const QString& sql)
{
    m_sql = sql.trimmed();
    m_kind = kSql;
    m_grid = nullptr;
    m_rs = nullptr;
    if (!m_columnas.isEmpty() || m_connectionString.trimmed().isEmpty() || m_sql.isEmpty())
        return;
    // One row is enough to know the fields and their types.
    db::Connection& conn = connection();
    QString rest = m_sql;
    if (rest.startsWith(QLatin1String("SELECT "), Qt::CaseInsensitive))
        rest = rest.mid(7).trimmed();
    // SQL Server takes DISTINCT before TOP ("SELECT DISTINCT TOP 1 ..."),
    // never after it: the keyword goes right after SELECT on every engine.
    const bool distinct = rest.startsWith(QLatin1String("DISTINCT "), Qt::CaseInsensitive);
    if (distinct)
        rest = rest.mid(9).trimmed();
    QString probe = conn.dialect().selectTop(1, rest);
    if (distinct)
        probe.insert(7, QStringLiteral("DISTINCT "));
    db::RecordSet rs = conn.query(probe);
    columnsFromData(ReportData::fromRecordSet(rs));
}

void CRPrintGrid::columnsFromGrid()
{
    m_columnas.Clear();
    const controls::Grid& g = *m_grid;
    for (int c = 0; c < g.Cols(); ++c) {
        clsColumna col;
        col.Index = c;
        col.Nombre = QStringLiteral("C%1").arg(c);
        col.Titulo = g.TextMatrix(0, c);
        col.Width = g.ColWidth(c);
        switch (g.ColAlignment(c)) {
        case controls::Grid::AlignRight: col.TextAling = 3; break;
        case controls::Grid::AlignCenter: col.TextAling = 2; break;
        default: col.TextAling = 1; break;
        }
        col.Visible = !g.ColHidden(c) && !col.Titulo.trimmed().isEmpty();
        col.TipoDato = gridColumnType(g, c);
        // Long texts wrap onto more lines rather than being cut.
        col.PuedeCrecer = !gridtype::isNumber(col.TipoDato) && col.TipoDato != gridtype::Date
            && col.TipoDato != gridtype::Boolean;
        m_columnas.Add(col);
    }
}

namespace {
// Thrown out of the copy of the grid's rows when the user cancels it.
struct PrintCancelled {};
} // namespace

ReportData CRPrintGrid::fillFromGrid()
{
    std::vector<clsColumna*> visible;
    for (clsColumna& c : m_columnas)
        if (c.Visible)
            visible.push_back(&c);
    if (visible.empty())
        return ReportData(); // headers only: there is no field to print

    const controls::Grid& g = *m_grid;
    const int first = g.FixedRows();
    const int last = g.Rows() - 1;
    const size_t n = visible.size();

    // What the cells hold decides the text columns' length and how numbers and dates print.
    std::vector<int> longest(n, 0), decimals(n, 0);
    std::vector<char> grouped(n, 0), withTime(n, 0);
    for (int r = first; r <= last; ++r) {
        for (size_t i = 0; i < n; ++i) {
            const int t = visible[i]->TipoDato;
            const QString cell = g.TextMatrix(r, visible[i]->Index);
            if (gridtype::isNumber(t)) {
                decimals[i] = std::max(decimals[i], std::min(4, DynamicTable::decimalsOf(cell)));
                if (cell.contains(QLatin1Char('.')))
                    grouped[i] = 1;
            } else if (t == gridtype::Date) {
                if (cell.trimmed().contains(QLatin1Char(' ')))
                    withTime[i] = 1;
            } else if (t != gridtype::Boolean) {
                longest[i] = std::max(longest[i], int(cell.size()));
            }
        }
    }

    db::Connection& conn = connection();
    if (m_table.isEmpty())
        m_table = DynamicTable::makeName(conn.dialect(), QTime::currentTime());
    if (m_tableCreated) {
        // Left by a print that failed: the name is this object's own.
        try {
            dropTable();
        } catch (const Error&) {
            // it was never made
        }
    }

    QStringList fields, definitions;
    QList<int> types;
    for (size_t i = 0; i < n; ++i) {
        clsColumna& c = *visible[i];
        fields << c.Nombre;
        types << c.TipoDato;
        definitions << DynamicTable::columnDefinition(c.TipoDato, m_fechasTexto, longest[i], conn.dialect());
        if (c.Formato.isEmpty())
            c.Formato = formatForType(c.TipoDato, decimals[i], grouped[i], withTime[i], m_fechasTexto);
    }
    m_tableCreated = true; // from here on a failure drops it
    // Many rows take a while to copy: the count shows, and a cancel stops the job with nothing printed.
    controls::Progress progress(QStringLiteral("Preparando el listado..."), last - first + 1,
                                controls::Progress::Cancellable, const_cast<controls::Grid*>(&g));
    DynamicTable::fill(conn, m_table, fields, types, definitions, last - first + 1,
                       [&](int row, int i) {
                           if (i == 0 && !progress.advance(row))
                               throw PrintCancelled{};
                           return g.TextMatrix(first + row, visible[size_t(i)]->Index);
                       },
                       m_fechasTexto);
    ReportData data = ReportData::fromQuery(conn, QStringLiteral("SELECT * FROM ") + m_table);
    dropTable();
    return data;
}

void CRPrintGrid::columnsFromData(const ReportData& data)
{
    m_columnas.Clear();
    for (int f = 0; f < data.fields().size(); ++f) {
        clsColumna col;
        col.Nombre = data.fields().at(f);
        col.Titulo = col.Nombre;
        QVariant sample;
        for (int r = 0; r < std::min(data.rowCount(), 50) && sample.isNull(); ++r)
            sample = data.value(r, f);
        col.TipoDato = typeOfValue(sample);
        col.TextAling = gridtype::isNumber(col.TipoDato) ? 3 : 1;
        col.Width = std::clamp(int(col.Titulo.size()) * 150 + 2 * kPad, 900, 3000);
        col.PuedeCrecer = col.TipoDato == gridtype::Text;
        col.Formato = formatForType(col.TipoDato, 2, true, false, false);
        m_columnas.Add(col, col.Nombre);
    }
}

void CRPrintGrid::dropTable()
{
    if (!m_conn || m_table.isEmpty())
        return;
    m_tableCreated = false;
    m_conn->execute(QStringLiteral("DROP TABLE ") + m_table);
}

std::shared_ptr<Report> CRPrintGrid::buildReport()
{
    ReportLayout layout = ReportLayout::load(QDir(m_appPath).filePath(QString::fromLatin1(LayoutFile).mid(1)));

    ReportData data;
    if (m_kind == kGrid) {
        if (!m_grid)
            throw Error(::zqvr::errc::InvalidArgument, QStringLiteral("La rejilla que se iba a imprimir ya no existe."));
        columnsFromGrid();
        data = fillFromGrid();
    } else if (m_kind == kRecordSet) {
        data = ReportData::fromRecordSet(*m_rs);
        if (m_columnas.isEmpty())
            columnsFromData(data);
    } else if (m_kind == kSql) {
        data = ReportData::fromQuery(connection(), m_sql);
        if (m_columnas.isEmpty())
            columnsFromData(data);
    } else {
        throw Error(::zqvr::errc::InvalidArgument, QStringLiteral("No se ha indicado qué hay que imprimir."));
    }

    // One header text, one field and perhaps one summary per visible column, left to right.
    const int printable = layout.page.printableWidth();
    int total = 0;
    for (const clsColumna& c : m_columnas)
        if (c.Visible)
            total += std::max(0, c.Width);
    const double factor = m_ajustar && total > 0 ? double(printable) / total : 1.0;
    int x = 0, n = 0;
    for (clsColumna& c : m_columnas) {
        if (!c.Visible)
            continue;
        ++n;
        const int w = std::max(2 * kPad + 1, int(std::lround(std::max(0, c.Width) * factor)));
        c.lngX = x;
        c.lngY = 0;
        const QRect inner(x + kPad, 0, w - 2 * kPad, 0);
        ReportObject title = ReportObject::makeText(QStringLiteral("txtCol%1").arg(n), c.Titulo,
                                                QRect(inner.x(), 40, inner.width(), 240));
        title.font = c.Fuente;
        title.font.bold = true;
        title.align = TextAlign(std::clamp(c.TextAling, 1, 3));
        layout.addObject(QStringLiteral("PageHeaderSection1"), title);

        ReportObject field = ReportObject::makeField(QStringLiteral("fldCol%1").arg(n), QStringLiteral("{ado.") + c.Nombre + QLatin1Char('}'),
                                                 QRect(inner.x(), 10, inner.width(), 220));
        field.font = c.Fuente;
        field.align = title.align;
        field.canGrow = c.PuedeCrecer;
        field.format = c.Formato;
        if (c.TipoDato == gridtype::Date && !m_fechasTexto)
            field.blankIf = QStringLiteral("01/01/1900"); // how an empty date cell was stored
        layout.addObject(QStringLiteral("DetailSection1"), field);

        if (c.Resumen != clsColumna::SinResumen) {
            ReportObject sum = ReportObject::makeSummary(QStringLiteral("sumCol%1").arg(n), field.field,
                                                       summaryKind(c.Resumen), QRect(inner.x(), 100, inner.width(), 240));
            sum.font = c.Fuente;
            sum.font.bold = true;
            sum.align = title.align;
            // A count is a whole number; so are the sum, minimum and maximum of whole numbers.
            if (c.Resumen == clsColumna::Cuenta || (gridtype::isInteger(c.TipoDato) && c.Resumen != clsColumna::Media))
                sum.format = QStringLiteral("integer");
            else
                sum.format = c.Formato.startsWith(QLatin1String("number")) ? c.Formato : QStringLiteral("number:2");
            layout.addObject(QStringLiteral("ReportFooterSection1"), sum);
        }
        x += w;
    }

    // The title block: company, title, criteria; date and page at the right margin; the frame across the page.
    layout.requireObject(QStringLiteral("txtEmpresa")).text
        = QStringLiteral("Empresa: ") + QString::number(m_empresaCodigo) + QStringLiteral(" - ") + m_empresaNombre;
    ReportObject& titulo = layout.requireObject(QStringLiteral("txtTitulo"));
    titulo.text = m_titulo;
    titulo.width = std::max(1, printable - 2 * titulo.x);
    if (ReportObject* criterio = layout.object(QStringLiteral("txtCriterio")))
        criterio->text = m_criterio;
    for (const char* name : {"forFecha", "forPagina"}) {
        ReportObject& o = layout.requireObject(QLatin1String(name));
        o.x = printable - o.width - 120;
    }
    layout.requireObject(QStringLiteral("Box1")).width = printable;
    for (const char* name : {"linCabecera", "linTotales"})
        if (ReportObject* line = layout.object(QLatin1String(name)))
            line->width = printable;

    auto report = std::make_shared<Report>(std::move(layout));
    report->setTitle(m_titulo.trimmed().isEmpty() ? QStringLiteral("Listado") : m_titulo);
    report->setData(std::move(data));
    report->prepare();
    return report;
}

std::shared_ptr<Report> CRPrintGrid::run(Output output, const QString& target)
{
    BusyPointer busy;
    try {
        // A printer that is not there stops the job before any work; the viewer's print dialog opens on a named one.
        QString printer;
        if (output == Output::Printer || (output == Output::Viewer && !target.trimmed().isEmpty()))
            printer = resolvePrinter(target);
        std::shared_ptr<Report> report = buildReport();
        switch (output) {
        case Output::Viewer: {
            clsView view;
            view.setCrxRep(report);
            view.setImpresora(printer);
            view.Show(m_modal);
            break;
        }
        case Output::Printer: printReport(*report, printer); break;
        case Output::Pdf: writePdf(*report, target); break;
        case Output::None: break;
        }
        return report;
    } catch (const PrintCancelled&) {
        // The user's own choice: nothing to report, only the table to drop.
        if (m_tableCreated) {
            try {
                dropTable();
            } catch (const Error&) {
                // still marked as made: the next print drops it first
            }
        }
        return nullptr;
    } catch (const std::exception& e) {
        const Error* err = dynamic_cast<const Error*>(&e);
        const long number = err ? err->number() : 0;
        const QString text = err ? err->description() : QString::fromUtf8(e.what());
        if (m_tableCreated) {
            try {
                dropTable();
            } catch (...) {
                // the table goes with the job's connection
            }
        }
        throw Error(ErrorImprimir, text, QStringLiteral("CRPrintGrid Imprimir - %1").arg(number));
    }
}

void CRPrintGrid::Imprimir(int intDestino, const QString& strImpresora)
{
    run(intDestino == 0 ? Output::Viewer : Output::Printer, strImpresora);
}

void CRPrintGrid::ImprimirPdf(const QString& path)
{
    run(Output::Pdf, path);
}

std::shared_ptr<Report> CRPrintGrid::Preparar()
{
    return run(Output::None, QString());
}

} // namespace zqvr::reports
