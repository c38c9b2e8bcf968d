#pragma once
// The table behind Grid: header rows and data rows of text with a sparse
// per-cell look. A data row keeps its cells in one string with the end of
// each cell beside it, so that a hundred thousand rows cost one allocation
// each rather than one per cell. Rows here are the model's own (0 = first
// data row); Grid adds the header rows in front.
#include "controls_export.h"
#include "controls/GridColumnTypes.h"
#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>

#include <memory>
#include <vector>

namespace zqvr::controls {

class ZQVR_CONTROLS_EXPORT GridModel : public QAbstractTableModel, public GridColumnTypes {
    Q_OBJECT
public:
    struct CellStyle {
        QColor back;
        QColor fore;
        signed char bold = -1; // -1: not set
        bool isEmpty() const { return !back.isValid() && !fore.isValid() && bold < 0; }
    };

    explicit GridModel(QObject* parent = nullptr);
    ~GridModel() override;

    // QAbstractTableModel.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // While quiet, changes send no signals at all (filling with redraw off);
    // leaving the quiet state resets attached views once.
    bool isQuiet() const { return m_quiet; }
    void setQuiet(bool quiet);

    // Header rows.
    int headerRowCount() const { return static_cast<int>(m_header.size()); }
    void setHeaderRowCount(int n);
    QString headerText(int headerRow, int col) const;
    void setHeaderText(int headerRow, int col, const QString& text);

    // Data rows.
    int dataRowCount() const { return static_cast<int>(m_rows.size()); }
    void setDataRowCount(int n);
    QString text(int row, int col) const;
    void setText(int row, int col, const QString& text);
    // Inserts a row made of tab-separated cells before `row` (appends when row is out of range).
    void insertTabSeparated(int row, const QString& tabSeparated);
    void removeDataRow(int row);
    void clearData();
    // Moves rows between the header and the data (setFixedRows).
    void headerRowsFromData(int n);
    void dataRowsFromHeader(int n);

    // Columns.
    void setColumns(int cols);
    Alignment alignment(int col) const;
    void setAlignment(int col, Alignment a);
    Alignment headerAlignment(int col) const;
    void setHeaderAlignment(int col, Alignment a);
    DataType dataType(int col) const;
    void setDataType(int col, DataType t);

    // Look of data cells; a row-wide value applies where the cell has none of its own.
    CellStyle cellStyle(int row, int col) const;
    // The cell's own values, without the row-wide ones.
    CellStyle ownCellStyle(int row, int col) const;
    void setCellStyle(int row, int col, const CellStyle& style);
    CellStyle rowStyle(int row) const;
    void setRowStyle(int row, const CellStyle& style);

    // Merging of equal neighbouring cells in marked rows.
    bool mergeRow(int row) const;
    void setMergeRow(int row, bool merge);
    int mergeRowCount() const { return m_mergeRows; }
    // First column and width of the merged block holding (row, col); {col, 1} when unmerged.
    std::pair<int, int> mergedBlock(int row, int col) const;

    // Stable sort of the data rows by one column, by its data type.
    void sortByColumn(int col, bool ascending);

Q_SIGNALS:
    // Emitted (unless quiet) when a row's merge flag or one of its texts
    // changed, or rows were sorted; a reset means the same.
    void mergeLayoutChanged();

private:
    struct Extra {
        CellStyle row;
        std::vector<std::pair<int, CellStyle>> cells;
        bool merge = false;
    };
    struct Row {
        QString text;                 // cells one after another
        std::vector<quint32> ends;    // end of each cell in text
        std::unique_ptr<Extra> extra; // look and merge flag, rarely present
        int cellCount() const { return static_cast<int>(ends.size()); }
        QString cell(int col) const;
        QStringView cellView(int col) const;
        void setCell(int col, const QString& value);
    };
    struct Column {
        Alignment align = AlignGeneral;
        Alignment headerAlign = AlignGeneral;
        DataType type = TypeText;
    };

    static Row makeRow(const QString& tabSeparated, int cols);
    const Row* rowAt(int row) const;
    Extra& extraOf(Row& r);
    void dropExtraIfEmpty(Row& r);
    Qt::Alignment qtAlignment(Alignment a, QStringView text) const;

    std::vector<QStringList> m_header;
    std::vector<Row> m_rows;
    std::vector<Column> m_cols;
    int m_colCount = 0;
    int m_mergeRows = 0;
    bool m_quiet = false;
};

} // namespace zqvr::controls
