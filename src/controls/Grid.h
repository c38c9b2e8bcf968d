#pragma once
// The grid every list of the component uses, in the vocabulary the screens
// speak: row 0 is the header row (rows 0 and 1 with two fixed rows) and data
// rows follow; rows are added from tab-separated text; widths are in twips.
// Model-based, so that tens of thousands of rows fill in a fraction of a second.
#include "controls_export.h"
#include "controls/GridColumnTypes.h"
#include <QColor>
#include <QList>
#include <QStringList>
#include <QTableView>
#include <functional>
#include <optional>
#include <utility>

class QAction;
class QMenu;

namespace zqvr::controls {

class GridModel;

class ZQVR_CONTROLS_EXPORT Grid : public QTableView, public GridColumnTypes {
    Q_OBJECT
    Q_PROPERTY(int AccessLevel READ AccessLevel WRITE setAccessLevel)
public:
    explicit Grid(QWidget* parent = nullptr);
    ~Grid() override;

    // Size. Rows() counts the fixed rows too; setRows(FixedRows()) empties the data.
    int Rows() const;
    void setRows(int rows);
    int Cols() const;
    void setCols(int cols);
    int FixedRows() const;
    void setFixedRows(int rows); // 1 or 2 header rows

    // Cells.
    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);
    // Appends a row (or inserts it before `row`) from tab-separated text.
    void AddItem(const QString& tabSeparated, int row = -1);
    void RemoveItem(int row);
    // Removes every data row, keeping the header rows and the columns.
    void ClearData();

    // Current and top row (-1 when there is no data row).
    int Row() const;
    void setRow(int row);
    int TopRow() const;
    void setTopRow(int row);
    int Col() const;

    // The columns of a list, set once when the screen is made: the header
    // caption, the width in twips (-1 the default), the alignment and data
    // type when they are not the default ones, whether it is hidden (a key the
    // user does not read) and the header's own alignment.
    struct Column {
        Column(QString caption, int width = -1, std::optional<Alignment> alignment = {},
               std::optional<DataType> type = {}, bool hidden = false, std::optional<Alignment> headerAlignment = {})
            : caption(std::move(caption)), width(width), alignment(alignment), type(type), hidden(hidden),
              headerAlignment(headerAlignment)
        {
        }
        QString caption;
        int width;
        std::optional<Alignment> alignment;
        std::optional<DataType> type;
        bool hidden;
        std::optional<Alignment> headerAlignment;
    };
    void setColumns(const QList<Column>& columns);
    // The same with two header rows: bands[c] is column c's upper caption,
    // drawn as one cell over the neighbours that share it ("Descripción" over
    // "Anterior" and "Mod."), and each column's caption is the lower one. A
    // band alone over an empty lower caption takes the whole height.
    void setColumns(const QStringList& bands, const QList<Column>& columns);

    // Columns.
    int ColWidth(int col) const; // twips
    void setColWidth(int col, int twips);
    Alignment ColAlignment(int col) const;
    void setColAlignment(int col, Alignment a);
    // Alignment of the column's header text (General: left).
    Alignment FixedAlignment(int col) const;
    void setFixedAlignment(int col, Alignment a);
    bool ColHidden(int col) const;
    void setColHidden(int col, bool hidden);
    DataType ColDataType(int col) const;
    void setColDataType(int col, DataType t);
    // Sorts the data rows by one column, numbers and dates by value (ColDataType).
    void Sort(int col, bool ascending = true);

    // Cell look.
    void setCellBackColor(int row, int col, const QColor& c);
    QColor CellBackColor(int row, int col) const;
    void setCellForeColor(int row, int col, const QColor& c);
    QColor CellForeColor(int row, int col) const;
    void setCellFontBold(int row, int col, bool bold);
    bool CellFontBold(int row, int col) const;
    // Whole-row helpers.
    void setRowBackColor(int row, const QColor& c);
    void setRowFontBold(int row, bool bold);

    // Merged cells: in a row marked for merging, neighbouring cells with the
    // same text are drawn as one cell (totals rows).
    void setMergeRow(int row, bool merge);
    bool MergeRow(int row) const;
    // Span of the merged block that holds (row, col): number of columns, 1 when not merged.
    int mergedSpan(int row, int col) const;

    // Redraw off while filling, on to repaint once.
    bool Redraw() const;
    void setRedraw(bool on);

    // Access level granted to the user (0 shown, 1 read only, grey text, 2 disabled),
    // applied by the control itself; other levels change nothing.
    int AccessLevel() const { return m_accessLevel; }
    void setAccessLevel(int level);

    // The menu a right click opens. A screen adds its own entries to it
    // (and may open it itself from RightClicked); "Exportar..." always
    // comes after them. The grid opens it after RightClicked unless the
    // screen already did.
    QMenu* contextMenu();
    QAction* exportAction();
    // "Exportar...": asks for a file and writes what the grid shows to it,
    // CSV or OpenDocument spreadsheet by its name, with a progress dialog
    // for long lists. A failure is reported to the user.
    void exportToFile();

    // How "Exportar..." asks for the file and reports a failure; the frame
    // installs its services, so a host sees the suite's dialogs and tests
    // script them. An empty function restores the plain Qt dialogs.
    using SaveFileChooser = std::function<QString(QWidget* parent, const QString& caption, const QString& filter)>;
    using FailureReport = std::function<void(const QString& text, const QString& caption)>;
    static void setExportServices(SaveFileChooser chooser, FailureReport report);

    GridModel* gridModel() const { return m_model; }
    // Grid row of a model index (header rows counted), -1 for an invalid index.
    int gridRow(const QModelIndex& index) const;

Q_SIGNALS:
    // keyCode is a Qt::Key; set it to 0 to consume the key. Emitted before the grid moves.
    void KeyDown(int& keyCode, int shift);
    void KeyPress(int& keyAscii);
    void EnterPressed(int row);
    void DeletePressed(int row);
    // Up arrow on the first data row / Down arrow or Page Down on the last one.
    void BeforeFirstRow();
    void AfterLastRow();
    void DoubleClicked(int row, int col);
    void RightClicked(int row, int col, const QPoint& globalPos);
    void RowColChange(int row, int col);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void applySpans();
    void applyColumns();
    void onCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
    int dataRowUnder(const QPoint& pos, int* col) const;

    GridModel* m_model = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_exportSeparator = nullptr;
    QAction* m_export = nullptr;
    int m_accessLevel = 0;
    bool m_redraw = true;
    // Current and top row asked for while redraw was off (grid rows, -1 none).
    int m_pendingRow = -1;
    int m_pendingTop = -1;
    // Column widths (twips, -1 default) and hidden flags, kept across model resets.
    QList<int> m_colTwips;
    QList<bool> m_colHidden;
};

// Stops a grid redrawing while it is filled, and restores what it was when
// the filling ends, also when it fails half-way.
class RedrawOff {
public:
    explicit RedrawOff(Grid& grid) : m_grid(grid), m_was(grid.Redraw()) { m_grid.setRedraw(false); }
    ~RedrawOff() { m_grid.setRedraw(m_was); }
    RedrawOff(const RedrawOff&) = delete;
    RedrawOff& operator=(const RedrawOff&) = delete;

private:
    Grid& m_grid;
    bool m_was;
};

} // namespace zqvr::controls
