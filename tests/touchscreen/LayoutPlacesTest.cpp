// Where buttons sit on a page and where a drop sends them.
#include "touchscreen/LayoutPlaces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace zqvr::touchscreen;

TEST(LayoutPlaces, ThreeByFourUsesTheLastThreeColumnsOfEachRow)
{
    const int expected[12] = {6, 7, 8, 15, 16, 17, 24, 25, 26, 33, 34, 35};
    ASSERT_EQ(buttonCount(Tipo3x4), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(placeOf(Tipo3x4, i), expected[i]) << i;
        EXPECT_EQ(indexOf(Tipo3x4, expected[i]), i) << i;
    }
    // The other columns are no places of this type.
    for (int p = 0; p < 36; ++p) {
        if (std::find(std::begin(expected), std::end(expected), p) == std::end(expected)) {
            EXPECT_EQ(indexOf(Tipo3x4, p), -1) << p;
        }
    }
}

TEST(LayoutPlaces, NineByFourUsesEveryPlaceInOrder)
{
    ASSERT_EQ(buttonCount(Tipo9x4), 36);
    std::set<int> seen;
    for (int i = 0; i < 36; ++i) {
        EXPECT_EQ(placeOf(Tipo9x4, i), i);
        EXPECT_EQ(indexOf(Tipo9x4, i), i);
        seen.insert(placeOf(Tipo9x4, i));
    }
    EXPECT_EQ(seen.size(), 36u);
    EXPECT_EQ(indexOf(Tipo9x4, 99), -1);
    EXPECT_EQ(indexOf(Tipo9x4, -1), -1);
}

TEST(LayoutPlaces, FinalIndexDependsOnTheHalfOfTheTarget)
{
    // The left half of the next button leaves the order as it was; its right half swaps them.
    EXPECT_EQ(finalIndex(3, 4, false), 3);
    EXPECT_EQ(finalIndex(3, 4, true), 4);
    // Backwards: the left half goes before the target, the right half after it.
    EXPECT_EQ(finalIndex(8, 2, false), 2);
    EXPECT_EQ(finalIndex(8, 2, true), 3);
    EXPECT_EQ(finalIndex(5, 5, true), 5);
    EXPECT_EQ(finalIndex(0, 11, true), 11);
}

TEST(LayoutPlaces, IndexAfterMoveShiftsOnlyTheButtonsBetween)
{
    // 2 -> 5: 3, 4, 5 move back one; the others stay.
    const int expected[8] = {0, 1, 5, 2, 3, 4, 6, 7};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(indexAfterMove(i, 2, 5), expected[i]) << i;
    const int backwards[8] = {0, 2, 3, 4, 5, 1, 6, 7};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(indexAfterMove(i, 5, 1), backwards[i]) << i;
}
