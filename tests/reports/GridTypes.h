#pragma once
// Column data types for test grids, whichever numbering the grid speaks.
#include "controls/Grid.h"

namespace zqvr::test {

template <class G = controls::Grid>
auto numberType()
{
    if constexpr (requires { G::TypeDouble; })
        return G::TypeDouble;
    else
        return G::TypeNumber;
}

template <class G = controls::Grid>
auto dateType()
{
    return G::TypeDate;
}

template <class G = controls::Grid>
auto booleanType()
{
    return G::TypeBoolean;
}

} // namespace zqvr::test
