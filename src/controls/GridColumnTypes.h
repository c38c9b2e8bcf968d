#pragma once
// Column alignments and data types of the grid, shared by the grid and the
// table behind it so that both speak the same numbers.
#include "controls_export.h"

namespace zqvr::controls {

struct ZQVR_CONTROLS_EXPORT GridColumnTypes {
    enum Alignment { AlignLeft = 0, AlignCenter = 1, AlignRight = 2, AlignGeneral = 3 };
    // Column data types by the suite's numbers (grid printing maps them to column types).
    enum DataType {
        TypeEmpty = 0,
        TypeShort = 2,    // 16-bit integer
        TypeLong = 3,     // 32-bit integer
        TypeSingle = 4,
        TypeDouble = 5,
        TypeCurrency = 6,
        TypeDate = 7,
        TypeString = 8,
        TypeBoolean = 11,
        TypeLong8 = 20,   // 64-bit integer
        TypeText = TypeString,
        TypeNumber = TypeDouble,
    };
    static bool isNumericType(DataType t)
    {
        return t == TypeShort || t == TypeLong || t == TypeSingle || t == TypeDouble || t == TypeCurrency
            || t == TypeLong8;
    }
};

} // namespace zqvr::controls
