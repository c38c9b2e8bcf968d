#pragma once
// What the fuzz targets share: the input as text, and a check that stops the
// run when a parser breaks one of its own promises (libFuzzer keeps the input
// that did it; the seed runner fails the test).
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace zqvr::fuzz {

inline QString text(const uint8_t* data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

[[noreturn]] inline void broken(const char* what, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: broken promise: %s\n", file, line, what);
    std::abort();
}

} // namespace zqvr::fuzz

#define FUZZ_CHECK(cond) ((cond) ? (void)0 : ::zqvr::fuzz::broken(#cond, __FILE__, __LINE__))
