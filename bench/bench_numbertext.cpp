#include "eval/numberformat.h"
#include "eval/numberreading.h"

#include <benchmark/benchmark.h>

#include <array>

using namespace Eval;

namespace {

const std::array<double, 6> values = {0.1 + 0.2, 1.0 / 3, 38.0, 12345678901234.0, 1e-7, -2.5};

void BM_NumberToText(benchmark::State &state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(NumberToText(values[i]));
        i = (i + 1) % values.size();
    }
}
BENCHMARK(BM_NumberToText);

void BM_TextToNumberAscii(benchmark::State &state)
{
    const QString text = QStringLiteral(" -123.456e7");
    for (auto _ : state)
        benchmark::DoNotOptimize(TextToNumber(text));
}
BENCHMARK(BM_TextToNumberAscii);

void BM_TextToNumberFullWidth(benchmark::State &state)
{
    const QString text = QStringLiteral("　－１２．５");
    for (auto _ : state)
        benchmark::DoNotOptimize(TextToNumber(text));
}
BENCHMARK(BM_TextToNumberFullWidth);

void BM_RoundTripThroughText(benchmark::State &state)
{
    double value = 1.0 / 7;
    for (auto _ : state) {
        value = TextToNumber(NumberToText(value)) + 1e-3;
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_RoundTripThroughText);

} // namespace

BENCHMARK_MAIN();
