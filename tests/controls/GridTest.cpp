// The grid: row numbering with one or two header rows, filling from
// tab-separated text, cells, columns, merged totals rows, redraw, sorting
// and the key and mouse events the screens react to.
#include "controls/Grid.h"
#include "controls/GridModel.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace zqvr::controls;

namespace {

// A three-column grid with its header row and three data rows.
class GridFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.setCols(3);
        grid.setTextMatrix(0, 0, "Código");
        grid.setTextMatrix(0, 1, "Nombre");
        grid.setTextMatrix(0, 2, "Importe");
        grid.AddItem("1\tUno\t10,00");
        grid.AddItem("2\tDos\t20,00");
        grid.AddItem("3\tTres\t30,00");
    }
    void show()
    {
        grid.resize(500, 300);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }
    QStringList column(int col) const
    {
        QStringList out;
        for (int r = grid.FixedRows(); r < grid.Rows(); ++r)
            out << grid.TextMatrix(r, col);
        return out;
    }
    Grid grid;
};

TEST_F(GridFixture, HeaderIsRowZeroAndDataRowsFollow)
{
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.Cols(), 3);
    EXPECT_EQ(grid.TextMatrix(0, 1), "Nombre");
    EXPECT_EQ(grid.TextMatrix(1, 1), "Uno");
    EXPECT_EQ(grid.TextMatrix(3, 2), "30,00");
    EXPECT_EQ(grid.model()->rowCount(), 3) << "the header is not a data row of the view";
    EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal).toString(), "Nombre");
    EXPECT_FALSE(grid.verticalHeader()->isVisibleTo(&grid)) << "no row header column";
    EXPECT_EQ(grid.Row(), -1) << "no row is current until one is chosen";
}

TEST_F(GridFixture, AddItemInsertsRemoveItemShiftsAndShortOrLongRowsAreCut)
{
    grid.AddItem("9\tNueve", 2); // before row 2
    EXPECT_EQ(column(1), (QStringList{"Uno", "Nueve", "Dos", "Tres"}));
    EXPECT_EQ(grid.TextMatrix(2, 2), "") << "missing cells read empty";

    grid.AddItem("4\tCuatro\t40\textra\tmás");
    EXPECT_EQ(grid.TextMatrix(5, 2), "40");
    grid.setCols(5);
    EXPECT_EQ(grid.TextMatrix(5, 3), "") << "cells beyond the columns were not kept";

    grid.RemoveItem(2);
    EXPECT_EQ(column(1), (QStringList{"Uno", "Dos", "Tres", "Cuatro"}));
    grid.RemoveItem(0); // the header row is not removed
    EXPECT_EQ(grid.TextMatrix(0, 1), "Nombre");
    EXPECT_EQ(grid.Rows(), 5);

    grid.AddItem("0\tCero", 0); // before the header: first data row
    EXPECT_EQ(grid.TextMatrix(1, 1), "Cero");

    grid.ClearData();
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.TextMatrix(0, 0), "Código");
    EXPECT_EQ(grid.Cols(), 5);
}

TEST_F(GridFixture, SettingACellKeepsItsNeighboursWhateverItHolds)
{
    grid.setTextMatrix(2, 1, "con\ttabulador");
    grid.setTextMatrix(2, 0, "");
    grid.setTextMatrix(2, 2, "veinte mil");
    EXPECT_EQ(grid.TextMatrix(2, 0), "");
    EXPECT_EQ(grid.TextMatrix(2, 1), "con\ttabulador");
    EXPECT_EQ(grid.TextMatrix(2, 2), "veinte mil");
    EXPECT_EQ(grid.TextMatrix(1, 2), "10,00");

    grid.AddItem("");
    grid.setTextMatrix(4, 2, "solo la última");
    EXPECT_EQ(grid.TextMatrix(4, 0), "");
    EXPECT_EQ(grid.TextMatrix(4, 2), "solo la última");
}

TEST_F(GridFixture, OutOfRangeCellsReadEmptyAndAreIgnored)
{
    for (auto [r, c] : {std::pair{-1, 0}, {0, -1}, {4, 0}, {1, 3}, {1000, 1000}}) {
        EXPECT_EQ(grid.TextMatrix(r, c), QString());
        grid.setTextMatrix(r, c, "x");
        grid.setCellBackColor(r, c, Qt::red);
        EXPECT_FALSE(grid.CellBackColor(r, c).isValid());
        grid.setMergeRow(r, true);
        EXPECT_EQ(grid.mergedSpan(r, c), 1);
    }
    grid.RemoveItem(99);
    grid.RemoveItem(-3);
    grid.setRow(99);
    grid.setTopRow(-5);
    grid.setColWidth(7, 100);
    grid.setColHidden(-1, true);
    EXPECT_EQ(grid.ColWidth(7), 0);
    EXPECT_FALSE(grid.ColHidden(9));
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.Row(), -1);

    Grid empty; // no columns at all
    empty.AddItem("a\tb");
    EXPECT_EQ(empty.TextMatrix(1, 0), QString());
    EXPECT_EQ(empty.Rows(), 2);
}

TEST_F(GridFixture, TwoHeaderRowsAreBothShownInTheHeaderAndDataStartsAtRowTwo)
{
    Grid g;
    g.setCols(3);
    g.setFixedRows(2);
    EXPECT_EQ(g.Rows(), 2);
    g.setTextMatrix(0, 1, "Descripción");
    g.setTextMatrix(0, 2, "Descripción");
    g.setTextMatrix(1, 1, "Anterior");
    g.setTextMatrix(1, 2, "Mod.");
    g.AddItem("1\tantes\tdespués");
    EXPECT_EQ(g.Rows(), 3);
    EXPECT_EQ(g.TextMatrix(1, 2), "Mod.");
    EXPECT_EQ(g.TextMatrix(2, 2), "después");
    EXPECT_EQ(g.model()->rowCount(), 1);
    EXPECT_EQ(g.model()->headerData(2, Qt::Horizontal).toString(), "Descripción\nMod.");
    g.setRow(2);
    EXPECT_EQ(g.Row(), 2);
    g.RemoveItem(1);
    EXPECT_EQ(g.TextMatrix(1, 1), "Anterior");

    // Back to one header row: the second header row becomes the first data row.
    g.setFixedRows(1);
    EXPECT_EQ(g.Rows(), 3);
    EXPECT_EQ(g.TextMatrix(1, 2), "Mod.");
    EXPECT_EQ(g.TextMatrix(2, 2), "después");
}

TEST_F(GridFixture, ColumnWidthsInTwipsAndHiddenColumnsSurviveARefill)
{
    grid.setColWidth(0, 1500);
    grid.setColHidden(1, true);
    grid.setColAlignment(2, Grid::AlignRight);
    EXPECT_EQ(grid.columnWidth(0), 100);
    EXPECT_EQ(grid.ColWidth(0), 1500);
    EXPECT_TRUE(grid.isColumnHidden(1));

    grid.setRedraw(false);
    grid.ClearData();
    grid.AddItem("5\tCinco\t5");
    grid.setRedraw(true);

    EXPECT_EQ(grid.columnWidth(0), 100);
    EXPECT_TRUE(grid.isColumnHidden(1));
    EXPECT_TRUE(grid.ColHidden(1));
    EXPECT_EQ(grid.ColWidth(1), grid.horizontalHeader()->defaultSectionSize() * 15)
        << "a hidden column keeps its width";
    const auto align = grid.model()->data(grid.model()->index(0, 2), Qt::TextAlignmentRole).value<Qt::Alignment>();
    EXPECT_TRUE(align & Qt::AlignRight);
    grid.setColHidden(1, false);
    EXPECT_FALSE(grid.isColumnHidden(1));
}

TEST_F(GridFixture, GeneralAlignmentPutsNumbersRight)
{
    auto align = [&](int row, int col) {
        return grid.model()->data(grid.model()->index(row, col), Qt::TextAlignmentRole).value<Qt::Alignment>();
    };
    EXPECT_TRUE(align(0, 2) & Qt::AlignRight);
    EXPECT_TRUE(align(0, 1) & Qt::AlignLeft);
    grid.setColAlignment(2, Grid::AlignCenter);
    EXPECT_TRUE(align(0, 2) & Qt::AlignHCenter);
}

TEST_F(GridFixture, TotalsRowMergesEqualNeighboursIntoOneCell)
{
    grid.setCols(5);
    grid.AddItem("Total:\tTotal:\tTotal:\t60,00\t60,00");
    const int totals = grid.Rows() - 1;
    grid.setMergeRow(totals, true);
    grid.setRowFontBold(totals, true);
    EXPECT_EQ(grid.mergedSpan(totals, 1), 3);
    EXPECT_EQ(grid.mergedSpan(totals, 3), 2);
    EXPECT_EQ(grid.columnSpan(totals - 1, 0), 3);
    EXPECT_EQ(grid.mergedSpan(1, 0), 1) << "rows not marked are never merged";
    EXPECT_TRUE(grid.CellFontBold(totals, 4));

    // A row added above keeps the span on the totals row.
    grid.AddItem("4\tCuatro\t40,00", 1);
    EXPECT_EQ(grid.columnSpan(totals, 0), 3);
    EXPECT_EQ(grid.columnSpan(0, 0), 1);

    // Changing one of the merged texts splits the block.
    grid.setTextMatrix(totals + 1, 2, "");
    EXPECT_EQ(grid.mergedSpan(totals + 1, 0), 2);
    EXPECT_EQ(grid.columnSpan(totals, 0), 2);
    EXPECT_EQ(grid.columnSpan(totals, 2), 1);
    EXPECT_EQ(grid.mergedSpan(totals + 1, 2), 1) << "empty cells are not merged";
}

TEST_F(GridFixture, MergedRowsAreAppliedWhenFilledWithRedrawOff)
{
    grid.setRedraw(false);
    grid.ClearData();
    grid.AddItem("1\tUno\t10,00");
    grid.AddItem("Total:\tTotal:\t10,00");
    grid.setMergeRow(2, true);
    EXPECT_EQ(grid.columnSpan(1, 0), 1) << "nothing is laid out while redraw is off";
    grid.setRedraw(true);
    EXPECT_EQ(grid.columnSpan(1, 0), 2);
    EXPECT_EQ(grid.columnSpan(0, 0), 1);

    grid.setRedraw(false);
    grid.ClearData();
    grid.AddItem("a\ta\ta");
    grid.setRedraw(true);
    EXPECT_EQ(grid.columnSpan(0, 0), 1) << "the old totals row's span is gone with it";
}

TEST_F(GridFixture, CellLookIsKeptPerCellAndMovesWithItsRow)
{
    grid.setRowBackColor(2, Qt::yellow);
    grid.setCellBackColor(2, 1, Qt::red);
    grid.setCellForeColor(3, 0, Qt::blue);
    grid.setCellFontBold(3, 2, true);
    EXPECT_EQ(grid.CellBackColor(2, 0), QColor(Qt::yellow));
    EXPECT_EQ(grid.CellBackColor(2, 1), QColor(Qt::red));
    EXPECT_FALSE(grid.CellBackColor(1, 1).isValid());
    EXPECT_EQ(grid.model()->data(grid.model()->index(1, 1), Qt::BackgroundRole).value<QColor>(), QColor(Qt::red));

    grid.RemoveItem(1);
    EXPECT_EQ(grid.CellBackColor(1, 1), QColor(Qt::red));
    EXPECT_EQ(grid.CellForeColor(2, 0), QColor(Qt::blue));
    EXPECT_TRUE(grid.CellFontBold(2, 2));
    EXPECT_FALSE(grid.CellFontBold(2, 1));
    EXPECT_EQ(grid.TextMatrix(1, 1), "Dos");

    grid.setCellBackColor(1, 1, QColor()); // back to the row's colour
    EXPECT_EQ(grid.CellBackColor(1, 1), QColor(Qt::yellow));
}

TEST_F(GridFixture, RedrawOffFillsWithoutPerRowSignalsAndRestoresRowAndTopRow)
{
    ASSERT_NO_FATAL_FAILURE(show());
    for (int i = 4; i <= 200; ++i)
        grid.AddItem(QString::number(i) + "\tFila");
    grid.setRow(150);
    grid.setTopRow(140);
    ASSERT_EQ(grid.Row(), 150);
    ASSERT_EQ(grid.TopRow(), 140);

    QSignalSpy inserted(grid.model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(grid.model(), &QAbstractItemModel::modelReset);
    QSignalSpy moved(&grid, &Grid::RowColChange);
    // A refresh as the monitor does it: remember, clear, refill, restore.
    const int row = grid.Row();
    const int top = grid.TopRow();
    grid.setRedraw(false);
    EXPECT_FALSE(grid.Redraw());
    grid.ClearData();
    EXPECT_EQ(grid.Row(), -1);
    for (int i = 1; i <= 200; ++i)
        grid.AddItem(QString::number(i) + "\tNueva");
    grid.setRow(row);
    grid.setTopRow(top);
    EXPECT_EQ(grid.Row(), 150);
    grid.setRedraw(true);

    EXPECT_EQ(inserted.size(), 0);
    EXPECT_EQ(reset.size(), 1);
    EXPECT_TRUE(moved.size() <= 1);
    EXPECT_EQ(grid.Row(), 150);
    EXPECT_EQ(grid.TopRow(), 140);
    EXPECT_EQ(grid.TextMatrix(150, 1), "Nueva");
    EXPECT_EQ(grid.selectionModel()->selectedRows().size(), 1);
}

TEST_F(GridFixture, SortingFollowsTheColumnsDataType)
{
    grid.ClearData();
    grid.AddItem("10\t10/01/2026\tb");
    grid.AddItem("9\t02/03/2025\ta");
    grid.AddItem("1.000,5\t15/12/2025\tc");
    grid.Sort(0);
    EXPECT_EQ(column(0), (QStringList{"1.000,5", "10", "9"})) << "text columns sort as text";
    grid.setColDataType(0, Grid::TypeNumber);
    grid.Sort(0);
    EXPECT_EQ(column(0), (QStringList{"9", "10", "1.000,5"}));
    grid.setColDataType(1, Grid::TypeDate);
    grid.Sort(1, false);
    EXPECT_EQ(column(1), (QStringList{"10/01/2026", "15/12/2025", "02/03/2025"}));
    EXPECT_EQ(column(2), (QStringList{"b", "c", "a"})) << "whole rows move";
}

TEST_F(GridFixture, ArrowsAtTheEndsEnterAndDeleteAreReported)
{
    ASSERT_NO_FATAL_FAILURE(show());
    QSignalSpy before(&grid, &Grid::BeforeFirstRow);
    QSignalSpy after(&grid, &Grid::AfterLastRow);
    QSignalSpy enter(&grid, &Grid::EnterPressed);
    QSignalSpy del(&grid, &Grid::DeletePressed);

    grid.setRow(2);
    QTest::keyClick(&grid, Qt::Key_Up);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(before.size(), 0);
    QTest::keyClick(&grid, Qt::Key_Up);
    EXPECT_EQ(before.size(), 1);
    EXPECT_EQ(grid.Row(), 1);

    grid.setRow(3);
    QTest::keyClick(&grid, Qt::Key_PageDown);
    EXPECT_EQ(after.size(), 1);
    EXPECT_EQ(grid.Row(), 3);

    QTest::keyClick(&grid, Qt::Key_Return);
    ASSERT_EQ(enter.size(), 1);
    EXPECT_EQ(enter[0][0].toInt(), 3);
    QTest::keyClick(&grid, Qt::Key_Delete);
    ASSERT_EQ(del.size(), 1);
    EXPECT_EQ(del[0][0].toInt(), 3);

    // A handler that adds rows at the end: Down then moves on to them.
    QObject::connect(&grid, &Grid::AfterLastRow, &grid, [this] { grid.AddItem("4\tCuatro"); });
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.Row(), 4);
}

TEST_F(GridFixture, KeyHandlersCanConsumeKeysBeforeTheGridMoves)
{
    ASSERT_NO_FATAL_FAILURE(show());
    grid.setRow(1);
    QObject::connect(&grid, &Grid::KeyDown, &grid, [](int& key, int) {
        if (key == Qt::Key_Down)
            key = 0;
    });
    QList<int> presses;
    QObject::connect(&grid, &Grid::KeyPress, &grid, [&](int& ascii) {
        presses << ascii;
        if (ascii == 13)
            ascii = 0;
    });
    QSignalSpy enter(&grid, &Grid::EnterPressed);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.Row(), 1);
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(enter.size(), 0);
    QTest::keyClick(&grid, Qt::Key_A);
    EXPECT_EQ(presses, (QList<int>{13, 'a'}));
}

TEST_F(GridFixture, DoubleAndRightClicksReportTheCellUnderTheMouse)
{
    ASSERT_NO_FATAL_FAILURE(show());
    QSignalSpy dbl(&grid, &Grid::DoubleClicked);
    QSignalSpy right(&grid, &Grid::RightClicked);
    const QPoint cell = grid.visualRect(grid.model()->index(1, 2)).center();
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cell);
    ASSERT_EQ(dbl.size(), 1);
    EXPECT_EQ(dbl[0][0].toInt(), 2);
    EXPECT_EQ(dbl[0][1].toInt(), 2);

    const QPoint other = grid.visualRect(grid.model()->index(2, 0)).center();
    QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, other);
    ASSERT_EQ(right.size(), 1);
    EXPECT_EQ(right[0][0].toInt(), 3);
    EXPECT_EQ(right[0][1].toInt(), 0);
    EXPECT_EQ(grid.Row(), 3) << "the row under a right click becomes the current one";

    QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, QPoint(5, grid.viewport()->height() - 3));
    ASSERT_EQ(right.size(), 2);
    EXPECT_EQ(right[1][0].toInt(), -1) << "below the last row";
}

} // namespace
