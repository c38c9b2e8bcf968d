#include "controls/Grid.h"

#include "controls/GridExport.h"
#include "controls/GridModel.h"
#include "controls/KeyCodes.h"
#include "controls/Progress.h"
#include "controls/Visibility.h"

#include "db/Error.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>

#include <algorithm>
#include <cmath>

namespace zqvr::controls {

namespace {

constexpr int kTwipsPerPixel = 15;

// The column header. With two header rows it draws them as two bands; in the
// upper band neighbouring columns with the same caption share one cell, so a
// caption spans the columns beneath it ("Descripción" over "Anterior" and "Mod.").
class GridHeader : public QHeaderView {
public:
    GridHeader(GridModel* model, QWidget* parent) : QHeaderView(Qt::Horizontal, parent), m_model(model) {}

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logical) const override
    {
        if (m_model->headerRowCount() != 2) {
            QHeaderView::paintSection(painter, rect, logical);
            return;
        }
        const int half = rect.height() / 2;
        const QRect top(rect.left(), rect.top(), rect.width(), half);
        const QRect bottom(rect.left(), rect.top() + half, rect.width(), rect.height() - half);

        // The block of visible neighbours that share this column's upper caption.
        const QString caption = m_model->headerText(0, logical);
        int firstVisual = visualIndex(logical);
        int lastVisual = firstVisual;
        if (!caption.isEmpty()) {
            auto sameCaption = [&](int visual) {
                const int l = logicalIndex(visual);
                return l >= 0 && !isSectionHidden(l) && m_model->headerText(0, l) == caption;
            };
            while (firstVisual > 0 && sameCaption(firstVisual - 1))
                --firstVisual;
            while (lastVisual + 1 < count() && sameCaption(lastVisual + 1))
                ++lastVisual;
        }
        if (firstVisual == lastVisual && m_model->headerText(1, logical).isEmpty()) {
            // A caption alone over an empty lower cell takes the whole height.
            drawCell(painter, rect, caption, Qt::AlignHCenter | Qt::AlignVCenter);
            return;
        }
        const int left = sectionViewportPosition(logicalIndex(firstVisual));
        const int right = sectionViewportPosition(logicalIndex(lastVisual)) + sectionSize(logicalIndex(lastVisual));
        const QRect band(left, top.top(), right - left, top.height());

        painter->save();
        painter->setClipRect(top);
        drawCell(painter, band, caption, Qt::AlignHCenter | Qt::AlignVCenter);
        painter->restore();

        painter->save();
        painter->setClipRect(bottom);
        const auto align = m_model->headerData(logical, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>();
        drawCell(painter, bottom, m_model->headerText(1, logical), align);
        painter->restore();
    }

private:
    void drawCell(QPainter* painter, const QRect& r, const QString& text, Qt::Alignment align) const
    {
        QStyleOptionHeader opt;
        initStyleOption(&opt);
        opt.rect = r;
        opt.text = text;
        opt.textAlignment = align;
        opt.position = QStyleOptionHeader::Middle;
        opt.state |= QStyle::State_Enabled;
        if (window()->isActiveWindow())
            opt.state |= QStyle::State_Active;
        style()->drawControl(QStyle::CE_Header, &opt, painter, this);
    }

    GridModel* m_model;
};

} // namespace

Grid::Grid(QWidget* parent) : QTableView(parent), m_model(new GridModel(this))
{
    setModel(m_model);
    setHorizontalHeader(new GridHeader(m_model, this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_model->setHeaderRowCount(1);

    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &Grid::onCurrentChanged);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        applyColumns();
        applySpans();
    });
    connect(m_model, &GridModel::mergeLayoutChanged, this, &Grid::applySpans);
    // A width the user drags is the column's width from then on.
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int col, int, int px) {
        if (col < 0 || col >= m_colTwips.size() || px <= 0)
            return;
        if (m_colTwips[col] < 0 || int(std::lround(m_colTwips[col] / double(kTwipsPerPixel))) != px)
            m_colTwips[col] = px * kTwipsPerPixel;
    });
}

Grid::~Grid() = default;

int Grid::gridRow(const QModelIndex& index) const
{
    return index.isValid() ? index.row() + FixedRows() : -1;
}

// ---------------------------------------------------------------------------
// Size

int Grid::Rows() const { return FixedRows() + m_model->dataRowCount(); }

void Grid::setRows(int rows)
{
    m_model->setDataRowCount(std::max(0, rows - FixedRows()));
    if (!m_redraw) {
        if (m_pendingRow >= Rows())
            m_pendingRow = -1;
        if (m_pendingTop >= Rows())
            m_pendingTop = -1;
    }
}

int Grid::Cols() const { return m_model->columnCount(); }

void Grid::setCols(int cols)
{
    cols = std::max(0, cols);
    m_model->setColumns(cols);
    m_colTwips.resize(cols, -1);
    m_colHidden.resize(cols, false);
}

int Grid::FixedRows() const { return m_model->headerRowCount(); }

void Grid::setFixedRows(int rows)
{
    rows = std::clamp(rows, 0, 2);
    const int current = FixedRows();
    if (rows > current)
        m_model->headerRowsFromData(rows - current);
    else if (rows < current)
        m_model->dataRowsFromHeader(current - rows);
    horizontalHeader()->setVisible(rows > 0);
}

// ---------------------------------------------------------------------------
// Cells

QString Grid::TextMatrix(int row, int col) const
{
    const int fixed = FixedRows();
    if (row < 0)
        return {};
    if (row < fixed)
        return m_model->headerText(row, col);
    return m_model->text(row - fixed, col);
}

void Grid::setTextMatrix(int row, int col, const QString& text)
{
    const int fixed = FixedRows();
    if (row < 0)
        return;
    if (row < fixed)
        m_model->setHeaderText(row, col, text);
    else
        m_model->setText(row - fixed, col, text);
}

void Grid::AddItem(const QString& tabSeparated, int row)
{
    const int fixed = FixedRows();
    int at = -1; // append
    if (row >= 0 && row < Rows())
        at = std::max(0, row - fixed);
    m_model->insertTabSeparated(at, tabSeparated);
    if (!m_redraw && at >= 0) {
        // Rows below the insertion move down by one.
        const int inserted = at + fixed;
        if (m_pendingRow >= inserted)
            ++m_pendingRow;
    }
}

void Grid::RemoveItem(int row)
{
    const int fixed = FixedRows();
    if (row < fixed || row >= Rows())
        return;
    m_model->removeDataRow(row - fixed);
    if (!m_redraw) {
        if (m_pendingRow == row)
            m_pendingRow = row < Rows() ? row : (Rows() > fixed ? Rows() - 1 : -1);
        else if (m_pendingRow > row)
            --m_pendingRow;
        if (m_pendingTop >= Rows())
            m_pendingTop = Rows() > fixed ? Rows() - 1 : -1;
    }
}

void Grid::ClearData() { setRows(FixedRows()); }

// ---------------------------------------------------------------------------
// Current and top row

int Grid::Row() const
{
    if (!m_redraw)
        return m_pendingRow >= FixedRows() && m_pendingRow < Rows() ? m_pendingRow : -1;
    return gridRow(currentIndex());
}

void Grid::setRow(int row)
{
    const int fixed = FixedRows();
    const bool isData = row >= fixed && row < Rows();
    if (!m_redraw) {
        m_pendingRow = isData ? row : -1;
        return;
    }
    if (!isData) {
        selectionModel()->clearSelection();
        setCurrentIndex(QModelIndex());
        return;
    }
    int col = currentIndex().isValid() ? currentIndex().column() : 0;
    while (col < Cols() - 1 && isColumnHidden(col))
        ++col;
    setCurrentIndex(m_model->index(row - fixed, std::max(0, col)));
}

int Grid::TopRow() const
{
    if (!m_redraw)
        return m_pendingTop >= FixedRows() && m_pendingTop < Rows() ? m_pendingTop : -1;
    if (m_model->dataRowCount() == 0)
        return -1;
    const int r = rowAt(0);
    return (r < 0 ? 0 : r) + FixedRows();
}

void Grid::setTopRow(int row)
{
    const int fixed = FixedRows();
    if (row < fixed || row >= Rows())
        return;
    if (!m_redraw) {
        m_pendingTop = row;
        return;
    }
    executeDelayedItemsLayout();
    int col = 0;
    while (col < Cols() - 1 && isColumnHidden(col))
        ++col;
    scrollTo(m_model->index(row - fixed, col), QAbstractItemView::PositionAtTop);
}

int Grid::Col() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : -1;
}

void Grid::onCurrentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (!m_redraw)
        return;
    if (current.row() != previous.row() || current.column() != previous.column())
        emit RowColChange(gridRow(current), current.isValid() ? current.column() : -1);
}

// ---------------------------------------------------------------------------
// Columns

int Grid::ColWidth(int col) const
{
    if (col < 0 || col >= Cols())
        return 0;
    if (m_colTwips.value(col, -1) >= 0)
        return m_colTwips[col];
    return horizontalHeader()->defaultSectionSize() * kTwipsPerPixel;
}

void Grid::setColWidth(int col, int twips)
{
    if (col < 0 || col >= Cols())
        return;
    m_colTwips[col] = twips < 0 ? -1 : twips;
    const int px = twips < 0 ? horizontalHeader()->defaultSectionSize()
                             : int(std::lround(twips / double(kTwipsPerPixel)));
    setColumnWidth(col, px);
}

Grid::Alignment Grid::ColAlignment(int col) const
{
    return static_cast<Alignment>(m_model->alignment(col));
}

void Grid::setColAlignment(int col, Alignment a)
{
    m_model->setAlignment(col, static_cast<GridModel::Alignment>(a));
}

Grid::Alignment Grid::FixedAlignment(int col) const
{
    return static_cast<Alignment>(m_model->headerAlignment(col));
}

void Grid::setFixedAlignment(int col, Alignment a)
{
    m_model->setHeaderAlignment(col, static_cast<GridModel::Alignment>(a));
}

bool Grid::ColHidden(int col) const { return col >= 0 && col < Cols() && m_colHidden[col]; }

void Grid::setColHidden(int col, bool hidden)
{
    if (col < 0 || col >= Cols())
        return;
    m_colHidden[col] = hidden;
    setColumnHidden(col, hidden);
}

Grid::DataType Grid::ColDataType(int col) const
{
    return static_cast<DataType>(m_model->dataType(col));
}

void Grid::setColDataType(int col, DataType t)
{
    m_model->setDataType(col, static_cast<GridModel::DataType>(t));
}

void Grid::Sort(int col, bool ascending) { m_model->sortByColumn(col, ascending); }

void Grid::applyColumns()
{
    for (int c = 0; c < Cols(); ++c) {
        if (m_colTwips[c] >= 0)
            setColumnWidth(c, int(std::lround(m_colTwips[c] / double(kTwipsPerPixel))));
        setColumnHidden(c, m_colHidden[c]);
    }
    horizontalHeader()->setVisible(FixedRows() > 0);
}

// ---------------------------------------------------------------------------
// Cell look

void Grid::setCellBackColor(int row, int col, const QColor& c)
{
    GridModel::CellStyle s = m_model->ownCellStyle(row - FixedRows(), col);
    s.back = c;
    m_model->setCellStyle(row - FixedRows(), col, s);
}

QColor Grid::CellBackColor(int row, int col) const
{
    return m_model->cellStyle(row - FixedRows(), col).back;
}

void Grid::setCellForeColor(int row, int col, const QColor& c)
{
    GridModel::CellStyle s = m_model->ownCellStyle(row - FixedRows(), col);
    s.fore = c;
    m_model->setCellStyle(row - FixedRows(), col, s);
}

QColor Grid::CellForeColor(int row, int col) const
{
    return m_model->cellStyle(row - FixedRows(), col).fore;
}

void Grid::setCellFontBold(int row, int col, bool bold)
{
    GridModel::CellStyle s = m_model->ownCellStyle(row - FixedRows(), col);
    s.bold = bold ? 1 : 0;
    m_model->setCellStyle(row - FixedRows(), col, s);
}

bool Grid::CellFontBold(int row, int col) const
{
    return m_model->cellStyle(row - FixedRows(), col).bold > 0;
}

void Grid::setRowBackColor(int row, const QColor& c)
{
    GridModel::CellStyle s = m_model->rowStyle(row - FixedRows());
    s.back = c;
    m_model->setRowStyle(row - FixedRows(), s);
}

void Grid::setRowFontBold(int row, bool bold)
{
    GridModel::CellStyle s = m_model->rowStyle(row - FixedRows());
    s.bold = bold ? 1 : 0;
    m_model->setRowStyle(row - FixedRows(), s);
}

// ---------------------------------------------------------------------------
// Merged cells

void Grid::setMergeRow(int row, bool merge) { m_model->setMergeRow(row - FixedRows(), merge); }

bool Grid::MergeRow(int row) const { return row >= FixedRows() && m_model->mergeRow(row - FixedRows()); }

int Grid::mergedSpan(int row, int col) const
{
    if (row < FixedRows())
        return 1;
    return m_model->mergedBlock(row - FixedRows(), col).second;
}

void Grid::applySpans()
{
    if (!m_redraw)
        return;
    clearSpans();
    if (m_model->mergeRowCount() == 0)
        return;
    const int rows = m_model->dataRowCount();
    const int cols = Cols();
    for (int r = 0; r < rows; ++r) {
        if (!m_model->mergeRow(r))
            continue;
        for (int c = 0; c < cols;) {
            const auto [first, width] = m_model->mergedBlock(r, c);
            if (width > 1)
                setSpan(r, first, 1, width);
            c = first + width;
        }
    }
}

// ---------------------------------------------------------------------------
// Redraw

bool Grid::Redraw() const { return m_redraw; }

void Grid::setRedraw(bool on)
{
    if (on == m_redraw)
        return;
    if (!on) {
        m_pendingRow = Row();
        m_pendingTop = TopRow();
        m_redraw = false;
        setUpdatesEnabled(false);
        m_model->setQuiet(true);
        return;
    }
    const int row = Row();
    const int top = TopRow();
    m_redraw = true;
    m_model->setQuiet(false); // one reset: columns and spans are applied again
    setUpdatesEnabled(true);
    if (row >= 0)
        setRow(row);
    if (top >= 0)
        setTopRow(top);
    m_pendingRow = m_pendingTop = -1;
    viewport()->update();
}

// ---------------------------------------------------------------------------
// Keys and mouse

void Grid::keyPressEvent(QKeyEvent* e)
{
    int key = e->key();
    emit KeyDown(key, shiftState(e->modifiers()));
    if (key == 0) {
        e->accept();
        return;
    }
    if (int ascii = characterCode(e); ascii != 0) {
        emit KeyPress(ascii);
        if (ascii == 0) {
            e->accept();
            return;
        }
    }
    const int row = Row();
    const int fixed = FixedRows();
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit EnterPressed(row);
        e->accept();
        return;
    case Qt::Key_Delete:
        emit DeletePressed(row);
        e->accept();
        return;
    case Qt::Key_Up:
        if (e->modifiers() == Qt::NoModifier && (row == fixed || m_model->dataRowCount() == 0)) {
            emit BeforeFirstRow();
            e->accept();
            return;
        }
        break;
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        if (e->modifiers() == Qt::NoModifier && row >= fixed && row == Rows() - 1)
            emit AfterLastRow(); // a handler may add rows; the move below then goes on to them
        break;
    default:
        break;
    }
    QTableView::keyPressEvent(e);
}

int Grid::dataRowUnder(const QPoint& pos, int* col) const
{
    const QModelIndex i = indexAt(pos);
    if (col)
        *col = i.isValid() ? i.column() : -1;
    return gridRow(i);
}

void Grid::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        int col = -1;
        const int row = dataRowUnder(e->position().toPoint(), &col);
        if (row >= 0)
            emit DoubleClicked(row, col);
    }
    QTableView::mouseDoubleClickEvent(e);
}

void Grid::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::RightButton) {
        int col = -1;
        const int row = dataRowUnder(e->position().toPoint(), &col);
        if (row >= 0)
            setRow(row);
        const QPoint global = e->globalPosition().toPoint();
        QMenu* menu = contextMenu();
        emit RightClicked(row, col, global);
        if (!menu->isVisible())
            menu->popup(global);
        e->accept();
        return;
    }
    QTableView::mousePressEvent(e);
}

// ---------------------------------------------------------------------------
// Context menu and export

namespace {

Grid::SaveFileChooser& chooserSlot()
{
    static Grid::SaveFileChooser f;
    return f;
}

Grid::FailureReport& reportSlot()
{
    static Grid::FailureReport f;
    return f;
}

} // namespace

void Grid::setExportServices(SaveFileChooser chooser, FailureReport report)
{
    chooserSlot() = std::move(chooser);
    reportSlot() = std::move(report);
}

QMenu* Grid::contextMenu()
{
    if (m_menu)
        return m_menu;
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("mnuGrid"));
    m_exportSeparator = new QAction(m_menu);
    m_exportSeparator->setSeparator(true);
    m_export = new QAction(QStringLiteral("Exportar..."), m_menu);
    m_export->setObjectName(QStringLiteral("mnuExportar"));
    connect(m_export, &QAction::triggered, this, &Grid::exportToFile);
    // Whatever a screen added since, the export entry goes last.
    connect(m_menu, &QMenu::aboutToShow, this, [this] {
        m_menu->removeAction(m_exportSeparator);
        m_menu->removeAction(m_export);
        if (!m_menu->actions().isEmpty())
            m_menu->addAction(m_exportSeparator);
        m_menu->addAction(m_export);
    });
    m_menu->addAction(m_export);
    return m_menu;
}

QAction* Grid::exportAction()
{
    contextMenu();
    return m_export;
}

void Grid::exportToFile()
{
    const QString caption = QStringLiteral("Exportar");
    const QString filter = QStringLiteral("Texto separado por punto y coma (*.csv);;Hoja de cálculo OpenDocument (*.ods)");
    QString path = chooserSlot() ? chooserSlot()(this, caption, filter)
                                       : QFileDialog::getSaveFileName(this, caption, QString(), filter);
    if (path.isEmpty())
        return;
    // A name typed without an extension is written as CSV, and says so.
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    try {
        Progress progress(QStringLiteral("Exportando filas..."), Rows() - FixedRows(), Progress::Cancellable, this);
        GridExport::write(*this, path, &progress);
    } catch (const Error& e) {
        // The frame installs the message service's report for every host
        // built on it; a program of bare controls gets the failure on its
        // error output.
        if (reportSlot())
            reportSlot()(e.description(), caption);
        else
            qCritical("%s: %s", qPrintable(caption), qPrintable(e.description()));
    }
}

void Grid::setAccessLevel(int level)
{
    m_accessLevel = level;
    if (level == 0) {
        showForLevelZero(this);
    } else if (level == 1) {
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        QPalette p = palette();
        p.setColor(QPalette::Text, QApplication::palette().color(QPalette::Disabled, QPalette::Text));
        setPalette(p);
    } else if (level == 2) {
        setEnabled(false);
    }
}

void Grid::setColumns(const QList<Column>& columns)
{
    setCols(int(columns.size()));
    for (int c = 0; c < columns.size(); ++c) {
        const Column& col = columns[c];
        if (FixedRows() > 0)
            setTextMatrix(0, c, col.caption);
        if (col.width >= 0)
            setColWidth(c, col.width);
        if (col.alignment)
            setColAlignment(c, *col.alignment);
        if (col.type)
            setColDataType(c, *col.type);
        if (col.hidden)
            setColHidden(c, true);
        if (col.headerAlignment)
            setFixedAlignment(c, *col.headerAlignment);
    }
}

void Grid::setColumns(const QStringList& bands, const QList<Column>& columns)
{
    setFixedRows(2);
    setColumns(columns);
    for (int c = 0; c < columns.size(); ++c) {
        setTextMatrix(0, c, bands.value(c));
        setTextMatrix(1, c, columns[c].caption);
    }
}

} // namespace zqvr::controls
