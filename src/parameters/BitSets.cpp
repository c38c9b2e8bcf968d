#include "parameters/BitSets.h"

namespace zqvr::parameters {

namespace {
// Attached integers outside 0-62 cannot be a bit of a 64-bit value.
bool usableBit(int bit) { return bit >= 0 && bit < 63; }
} // namespace

qint64 encodeListBits(const QList<int>& selectedAttached)
{
    qint64 v = 0;
    for (int bit : selectedAttached)
        if (usableBit(bit))
            v |= qint64(1) << bit;
    return v;
}

bool listBitSet(qint64 value, int attached)
{
    return usableBit(attached) && (value & (qint64(1) << attached)) != 0;
}

qint64 listMask(const QList<int>& attached) { return encodeListBits(attached); }

qint64 encodeWeights(const QList<int>& weights, const QList<bool>& checked)
{
    qint64 v = 0;
    for (int i = 0; i < weights.size() && i < checked.size(); ++i)
        if (checked[i])
            v |= weights[i];
    return v;
}

QList<bool> decodeWeights(const QList<int>& weights, qint64 value)
{
    QList<bool> out;
    out.reserve(weights.size());
    for (int w : weights)
        out.push_back(w != 0 && (value & w) == w);
    return out;
}

} // namespace zqvr::parameters
