#pragma once
// The bit-set encodings of the parameters: a list writes the sum of 2 to
// the power of the attached integer of each selected entry (payment-menu
// passwords, till operations, cash machines); a group of check boxes writes
// the sum of the weights of the checked boxes (payment kinds, closing blocks).
// Bits of entries the window does not show are dropped on the next save.
#include "parameters_export.h"

#include <QList>
#include <QtGlobal>

namespace zqvr::parameters {

// The value of a list: bit `attached` set for each selected entry.
ZQVR_PARAMETERS_EXPORT qint64 encodeListBits(const QList<int>& selectedAttached);
// Whether the list entry with this attached integer is selected by a stored value.
ZQVR_PARAMETERS_EXPORT bool listBitSet(qint64 value, int attached);
// The bits the given entries can hold; a stored value is masked with it.
ZQVR_PARAMETERS_EXPORT qint64 listMask(const QList<int>& attached);

// The value of a group of check boxes with the given weights.
ZQVR_PARAMETERS_EXPORT qint64 encodeWeights(const QList<int>& weights, const QList<bool>& checked);
// Which boxes a stored value checks (a box is checked when its weight's bit is set).
ZQVR_PARAMETERS_EXPORT QList<bool> decodeWeights(const QList<int>& weights, qint64 value);

} // namespace zqvr::parameters
