#pragma once

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <type_traits>

// The main() of a benchmark program. The script engine needs an application object, widgets a
// QGuiApplication or more, which runs on the offscreen platform here.
template<typename Application>
int RunBenchmarks(int argc, char **argv)
{
    if constexpr (std::is_base_of_v<QGuiApplication, Application>)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
