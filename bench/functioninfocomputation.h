#pragma once

#include "tools/functions/functiongraphlogic.h"
#include "tools/functions/functionpropertieslogic.h"

#include <benchmark/benchmark.h>

// What a run of 函数基本信息 computes over [-500, 500], without the window: the samples of the
// graph and the three scans at their default steps.
template<typename Function>
void ComputeFunctionInfo(const Function &f)
{
    using namespace Functions;
    constexpr double Start = -500;
    constexpr double End = 500;
    constexpr double Step = 0.1;
    const FunctionGraph::Scale scale = FunctionGraph::ComputeScale(Start, End);
    for (int i = 1; i <= FunctionGraph::SampleCount; ++i) {
        const double x = FunctionGraph::SampleX(Start, scale.r / FunctionGraph::SampleCount, i);
        benchmark::DoNotOptimize(FunctionGraph::SampleHeight(f(x), scale.r));
    }
    // One analysis for both tables, as the window reads them.
    const auto curve = FunctionProperties::AnalyseCurve(f, Start, End, Step);
    benchmark::DoNotOptimize(FunctionProperties::FindExtrema(*curve, Step));
    benchmark::DoNotOptimize(FunctionProperties::FindMonotonicIntervals(*curve, Step));
    benchmark::DoNotOptimize(FunctionProperties::FindParity(f, Start, End, [] { return Step; }));
}
