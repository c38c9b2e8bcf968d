#include "controls/GridModel.h"

#include "host/Formato.h"

#include <QFont>

#include <algorithm>
#include <numeric>

namespace zqvr::controls {

// ---------------------------------------------------------------------------
// Row: cells are stored one after another in `text`, each followed by one
// separator character (a tab when the row came from AddItem), so that a row
// added from tab-separated text shares that very string. ends[i] is the
// position just past cell i.

QStringView GridModel::Row::cellView(int col) const
{
    if (col < 0 || col >= cellCount())
        return {};
    const qsizetype start = col == 0 ? 0 : qsizetype(ends[col - 1]) + 1;
    return QStringView(text).mid(start, qsizetype(ends[col]) - start);
}

QString GridModel::Row::cell(int col) const { return cellView(col).toString(); }

void GridModel::Row::setCell(int col, const QString& value)
{
    if (col < 0)
        return;
    while (cellCount() <= col) {
        if (!ends.empty())
            text += QLatin1Char('\t');
        ends.push_back(quint32(text.size()));
    }
    const qsizetype start = col == 0 ? 0 : qsizetype(ends[col - 1]) + 1;
    const qsizetype oldLen = qsizetype(ends[col]) - start;
    text.replace(start, oldLen, value);
    const qint64 delta = qint64(value.size()) - oldLen;
    for (size_t i = size_t(col); i < ends.size(); ++i)
        ends[i] = quint32(qint64(ends[i]) + delta);
}

GridModel::Row GridModel::makeRow(const QString& tabSeparated, int cols)
{
    Row r;
    if (cols <= 0)
        return r;
    r.ends.reserve(size_t(cols));
    const QChar* data = tabSeparated.constData();
    const qsizetype n = tabSeparated.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (data[i] == QLatin1Char('\t')) {
            r.ends.push_back(quint32(i));
            if (r.cellCount() == cols)
                break;
        }
    }
    if (r.cellCount() < cols) {
        r.ends.push_back(quint32(n));
        r.text = tabSeparated; // shared, not copied
    } else {
        // More cells than columns: the extra ones are dropped.
        r.text = tabSeparated.left(r.ends.back());
    }
    return r;
}

// ---------------------------------------------------------------------------

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

GridModel::~GridModel() = default;

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : dataRowCount();
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_colCount;
}

const GridModel::Row* GridModel::rowAt(int row) const
{
    if (row < 0 || row >= dataRowCount())
        return nullptr;
    return &m_rows[size_t(row)];
}

Qt::Alignment GridModel::qtAlignment(Alignment a, QStringView text) const
{
    switch (a) {
    case AlignLeft:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case AlignCenter:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case AlignRight:
        return Qt::AlignRight | Qt::AlignVCenter;
    case AlignGeneral:
        break;
    }
    // General: numbers to the right, text to the left.
    bool ok = false;
    if (!text.isEmpty() && (text.front().isDigit() || text.front() == QLatin1Char('-')
                            || text.front() == QLatin1Char('+')))
        host::Formato::LeerNumero(text.toString(), &ok);
    return (ok ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    const Row* r = index.isValid() ? rowAt(index.row()) : nullptr;
    const int col = index.column();
    if (!r || col < 0 || col >= m_colCount)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return r->cell(col);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(qtAlignment(m_cols[size_t(col)].align, r->cellView(col)));
    case Qt::BackgroundRole:
    case Qt::ForegroundRole:
    case Qt::FontRole: {
        if (!r->extra)
            return {};
        const CellStyle s = cellStyle(index.row(), col);
        if (role == Qt::BackgroundRole && s.back.isValid())
            return s.back;
        if (role == Qt::ForegroundRole && s.fore.isValid())
            return s.fore;
        if (role == Qt::FontRole && s.bold >= 0) {
            QFont f;
            f.setBold(s.bold > 0);
            return f;
        }
        return {};
    }
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o != Qt::Horizontal || section < 0 || section >= m_colCount)
        return {};
    if (role == Qt::DisplayRole) {
        if (m_header.empty())
            return {};
        QStringList lines;
        for (const QStringList& h : m_header)
            lines << h.value(section);
        return lines.join(QLatin1Char('\n'));
    }
    if (role == Qt::TextAlignmentRole) {
        const Alignment a = m_cols[size_t(section)].headerAlign;
        if (a == AlignGeneral)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        return QVariant::fromValue(qtAlignment(a, {}));
    }
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void GridModel::setQuiet(bool quiet)
{
    if (quiet == m_quiet)
        return;
    m_quiet = quiet;
    if (!quiet) {
        beginResetModel();
        endResetModel();
    }
}

// ---------------------------------------------------------------------------
// Header rows

void GridModel::setHeaderRowCount(int n)
{
    n = std::max(0, n);
    m_header.resize(size_t(n));
    for (QStringList& h : m_header)
        while (h.size() < m_colCount)
            h << QString();
    if (!m_quiet && m_colCount > 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_colCount - 1);
}

QString GridModel::headerText(int headerRow, int col) const
{
    if (headerRow < 0 || headerRow >= headerRowCount() || col < 0 || col >= m_colCount)
        return {};
    return m_header[size_t(headerRow)].value(col);
}

void GridModel::setHeaderText(int headerRow, int col, const QString& text)
{
    if (headerRow < 0 || headerRow >= headerRowCount() || col < 0 || col >= m_colCount)
        return;
    m_header[size_t(headerRow)][col] = text;
    if (!m_quiet)
        emit headerDataChanged(Qt::Horizontal, col, col);
}

void GridModel::headerRowsFromData(int n)
{
    // The first n data rows become the last header rows.
    for (int i = 0; i < n; ++i) {
        QStringList h;
        for (int c = 0; c < m_colCount; ++c)
            h << text(0, c);
        if (dataRowCount() > 0)
            removeDataRow(0);
        m_header.push_back(h);
    }
    if (!m_quiet && m_colCount > 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_colCount - 1);
}

void GridModel::dataRowsFromHeader(int n)
{
    // The last n header rows become the first data rows.
    for (int i = 0; i < n && !m_header.empty(); ++i) {
        const QStringList h = m_header.back();
        m_header.pop_back();
        insertTabSeparated(0, QString());
        for (int c = 0; c < m_colCount; ++c)
            setText(0, c, h.value(c));
    }
    if (!m_quiet && m_colCount > 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_colCount - 1);
}

// ---------------------------------------------------------------------------
// Data rows

void GridModel::setDataRowCount(int n)
{
    n = std::max(0, n);
    const int old = dataRowCount();
    if (n == old)
        return;
    if (n > old) {
        if (!m_quiet)
            beginInsertRows({}, old, n - 1);
        m_rows.resize(size_t(n));
        if (!m_quiet)
            endInsertRows();
        return;
    }
    if (!m_quiet)
        beginRemoveRows({}, n, old - 1);
    for (int i = n; i < old; ++i)
        if (m_rows[size_t(i)].extra && m_rows[size_t(i)].extra->merge)
            --m_mergeRows;
    m_rows.erase(m_rows.begin() + n, m_rows.end());
    if (!m_quiet)
        endRemoveRows();
}

QString GridModel::text(int row, int col) const
{
    const Row* r = rowAt(row);
    if (!r || col < 0 || col >= m_colCount)
        return {};
    return r->cell(col);
}

void GridModel::setText(int row, int col, const QString& value)
{
    if (row < 0 || row >= dataRowCount() || col < 0 || col >= m_colCount)
        return;
    Row& r = m_rows[size_t(row)];
    r.setCell(col, value);
    if (!m_quiet) {
        const QModelIndex i = index(row, col);
        emit dataChanged(i, i, {Qt::DisplayRole, Qt::TextAlignmentRole});
        if (r.extra && r.extra->merge)
            emit mergeLayoutChanged();
    }
}

void GridModel::insertTabSeparated(int row, const QString& tabSeparated)
{
    if (row < 0 || row > dataRowCount())
        row = dataRowCount();
    if (!m_quiet)
        beginInsertRows({}, row, row);
    if (row == dataRowCount())
        m_rows.push_back(makeRow(tabSeparated, m_colCount));
    else
        m_rows.insert(m_rows.begin() + row, makeRow(tabSeparated, m_colCount));
    if (!m_quiet)
        endInsertRows();
}

void GridModel::removeDataRow(int row)
{
    if (row < 0 || row >= dataRowCount())
        return;
    if (!m_quiet)
        beginRemoveRows({}, row, row);
    if (m_rows[size_t(row)].extra && m_rows[size_t(row)].extra->merge)
        --m_mergeRows;
    m_rows.erase(m_rows.begin() + row);
    if (!m_quiet)
        endRemoveRows();
}

void GridModel::clearData() { setDataRowCount(0); }

// ---------------------------------------------------------------------------
// Columns

void GridModel::setColumns(int cols)
{
    cols = std::max(0, cols);
    const int old = m_colCount;
    if (cols == old)
        return;
    if (cols > old) {
        if (!m_quiet)
            beginInsertColumns({}, old, cols - 1);
        m_colCount = cols;
        m_cols.resize(size_t(cols));
        for (QStringList& h : m_header)
            while (h.size() < cols)
                h << QString();
        if (!m_quiet)
            endInsertColumns();
        return;
    }
    if (!m_quiet)
        beginRemoveColumns({}, cols, old - 1);
    m_colCount = cols;
    m_cols.resize(size_t(cols));
    for (QStringList& h : m_header)
        h = h.mid(0, cols);
    for (Row& r : m_rows) {
        if (r.cellCount() > cols) {
            r.text.truncate(cols == 0 ? 0 : qsizetype(r.ends[size_t(cols - 1)]));
            r.ends.resize(size_t(cols));
        }
        if (r.extra) {
            auto& cells = r.extra->cells;
            cells.erase(std::remove_if(cells.begin(), cells.end(),
                                       [cols](const auto& p) { return p.first >= cols; }),
                        cells.end());
        }
    }
    if (!m_quiet)
        endRemoveColumns();
}

GridModel::Alignment GridModel::alignment(int col) const
{
    return col >= 0 && col < m_colCount ? m_cols[size_t(col)].align : AlignGeneral;
}

void GridModel::setAlignment(int col, Alignment a)
{
    if (col < 0 || col >= m_colCount)
        return;
    m_cols[size_t(col)].align = a;
    if (!m_quiet && dataRowCount() > 0)
        emit dataChanged(index(0, col), index(dataRowCount() - 1, col), {Qt::TextAlignmentRole});
}

GridModel::Alignment GridModel::headerAlignment(int col) const
{
    return col >= 0 && col < m_colCount ? m_cols[size_t(col)].headerAlign : AlignGeneral;
}

void GridModel::setHeaderAlignment(int col, Alignment a)
{
    if (col < 0 || col >= m_colCount)
        return;
    m_cols[size_t(col)].headerAlign = a;
    if (!m_quiet)
        emit headerDataChanged(Qt::Horizontal, col, col);
}

GridModel::DataType GridModel::dataType(int col) const
{
    return col >= 0 && col < m_colCount ? m_cols[size_t(col)].type : TypeText;
}

void GridModel::setDataType(int col, DataType t)
{
    if (col >= 0 && col < m_colCount)
        m_cols[size_t(col)].type = t;
}

// ---------------------------------------------------------------------------
// Look

GridModel::Extra& GridModel::extraOf(Row& r)
{
    if (!r.extra)
        r.extra = std::make_unique<Extra>();
    return *r.extra;
}

void GridModel::dropExtraIfEmpty(Row& r)
{
    if (r.extra && !r.extra->merge && r.extra->row.isEmpty() && r.extra->cells.empty())
        r.extra.reset();
}

GridModel::CellStyle GridModel::cellStyle(int row, int col) const
{
    const Row* r = rowAt(row);
    if (!r || !r->extra)
        return {};
    CellStyle s = r->extra->row;
    for (const auto& [c, cs] : r->extra->cells) {
        if (c != col)
            continue;
        if (cs.back.isValid())
            s.back = cs.back;
        if (cs.fore.isValid())
            s.fore = cs.fore;
        if (cs.bold >= 0)
            s.bold = cs.bold;
    }
    return s;
}

GridModel::CellStyle GridModel::ownCellStyle(int row, int col) const
{
    const Row* r = rowAt(row);
    if (!r || !r->extra)
        return {};
    for (const auto& [c, cs] : r->extra->cells)
        if (c == col)
            return cs;
    return {};
}

void GridModel::setCellStyle(int row, int col, const CellStyle& style)
{
    if (row < 0 || row >= dataRowCount() || col < 0 || col >= m_colCount)
        return;
    Row& r = m_rows[size_t(row)];
    auto& cells = extraOf(r).cells;
    auto it = std::find_if(cells.begin(), cells.end(), [col](const auto& p) { return p.first == col; });
    if (style.isEmpty()) {
        if (it != cells.end())
            cells.erase(it);
    } else if (it != cells.end()) {
        it->second = style;
    } else {
        cells.emplace_back(col, style);
    }
    dropExtraIfEmpty(r);
    if (!m_quiet) {
        const QModelIndex i = index(row, col);
        emit dataChanged(i, i, {Qt::BackgroundRole, Qt::ForegroundRole, Qt::FontRole});
    }
}

GridModel::CellStyle GridModel::rowStyle(int row) const
{
    const Row* r = rowAt(row);
    return r && r->extra ? r->extra->row : CellStyle{};
}

void GridModel::setRowStyle(int row, const CellStyle& style)
{
    if (row < 0 || row >= dataRowCount())
        return;
    Row& r = m_rows[size_t(row)];
    extraOf(r).row = style;
    dropExtraIfEmpty(r);
    if (!m_quiet && m_colCount > 0)
        emit dataChanged(index(row, 0), index(row, m_colCount - 1),
                         {Qt::BackgroundRole, Qt::ForegroundRole, Qt::FontRole});
}

// ---------------------------------------------------------------------------
// Merging

bool GridModel::mergeRow(int row) const
{
    const Row* r = rowAt(row);
    return r && r->extra && r->extra->merge;
}

void GridModel::setMergeRow(int row, bool merge)
{
    if (row < 0 || row >= dataRowCount() || mergeRow(row) == merge)
        return;
    Row& r = m_rows[size_t(row)];
    extraOf(r).merge = merge;
    m_mergeRows += merge ? 1 : -1;
    dropExtraIfEmpty(r);
    if (!m_quiet)
        emit mergeLayoutChanged();
}

std::pair<int, int> GridModel::mergedBlock(int row, int col) const
{
    const Row* r = rowAt(row);
    if (!r || col < 0 || col >= m_colCount)
        return {col, 1};
    if (!r->extra || !r->extra->merge)
        return {col, 1};
    const QStringView t = r->cellView(col);
    if (t.isEmpty())
        return {col, 1};
    int first = col;
    while (first > 0 && r->cellView(first - 1) == t)
        --first;
    int last = col;
    while (last + 1 < m_colCount && r->cellView(last + 1) == t)
        ++last;
    return {first, last - first + 1};
}

// ---------------------------------------------------------------------------
// Sorting

void GridModel::sortByColumn(int col, bool ascending)
{
    if (col < 0 || col >= m_colCount || dataRowCount() < 2)
        return;
    const int n = dataRowCount();
    const DataType type = m_cols[size_t(col)].type;

    // Keys are computed once per row.
    std::vector<double> numbers;
    std::vector<QString> texts;
    if (isNumericType(type) || type == TypeDate || type == TypeBoolean) {
        numbers.resize(size_t(n));
        for (int i = 0; i < n; ++i) {
            const QString t = m_rows[size_t(i)].cell(col).trimmed();
            double k = 0;
            if (isNumericType(type)) {
                k = host::Formato::LeerNumero(t);
            } else if (type == TypeDate) {
                const QDate d = host::Formato::LeerFecha(t);
                k = d.isValid() ? double(d.toJulianDay()) : -1e18;
            } else {
                k = (t.isEmpty() || t == QLatin1String("0")) ? 0 : 1;
            }
            numbers[size_t(i)] = k;
        }
    } else {
        texts.resize(size_t(n));
        for (int i = 0; i < n; ++i)
            texts[size_t(i)] = m_rows[size_t(i)].cell(col);
    }
    std::vector<int> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        int c;
        if (!numbers.empty())
            c = numbers[size_t(a)] < numbers[size_t(b)] ? -1 : (numbers[size_t(a)] > numbers[size_t(b)] ? 1 : 0);
        else
            c = QString::compare(texts[size_t(a)], texts[size_t(b)], Qt::CaseInsensitive);
        return ascending ? c < 0 : c > 0;
    });

    if (!m_quiet)
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<Row> sorted;
    sorted.reserve(size_t(n));
    std::vector<int> newPos(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        sorted.push_back(std::move(m_rows[size_t(order[size_t(i)])]));
        newPos[size_t(order[size_t(i)])] = i;
    }
    m_rows = std::move(sorted);
    if (!m_quiet) {
        const QModelIndexList from = persistentIndexList();
        QModelIndexList to;
        to.reserve(from.size());
        for (const QModelIndex& i : from)
            to << index(newPos[size_t(i.row())], i.column());
        changePersistentIndexList(from, to);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
        if (m_mergeRows > 0)
            emit mergeLayoutChanged();
    }
}

} // namespace zqvr::controls
