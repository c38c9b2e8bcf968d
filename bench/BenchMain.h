#pragma once
// The main() every benchmark program shares: a Qt application of the kind
// the program needs (the demo data draws pictures, screens need widgets) on
// the offscreen platform unless another is asked for, then Google Benchmark.
// A failure of the code under measure ends the run with its description.
#include "db/Error.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <cstdio>
#include <functional>

namespace zqvr::bench {

// atEnd runs after the benchmarks, while the application still exists.
template <class App>
int runBenchmarks(int argc, char** argv, const std::function<void()>& atEnd = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    App app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    int rc = 0;
    try {
        benchmark::RunSpecifiedBenchmarks();
    } catch (const Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        rc = 1;
    }
    benchmark::Shutdown();
    if (atEnd)
        atEnd();
    return rc;
}

} // namespace zqvr::bench
