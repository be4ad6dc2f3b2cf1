#include "tools/arith/baseconversionlogic.h"
#include "tools/arith/bignumberlogic.h"

#include <QRandomGenerator>
#include <QString>

#include <benchmark/benchmark.h>

using namespace Arith;

namespace {

// `count` random digits of `base` without a leading zero, the same on every run.
QString RandomDigits(qsizetype count, int base, quint32 seed)
{
    static const QString alphabet = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    QRandomGenerator random(seed);
    QString digits(count, u'0');
    for (qsizetype i = 0; i < count; ++i)
        digits[i] = alphabet.at(random.bounded(i == 0 ? 1 : 0, base));
    return digits;
}

// One keystroke of "大数运算": both texts read, the operation, the decimal text of the result.
void CalculateOnce(benchmark::State &state, BigNumberOperation operation, qsizetype firstDigits)
{
    const QString first = RandomDigits(firstDigits, 10, 1);
    const QString second = RandomDigits(state.range(0), 10, 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(CalculateBigNumbers(first, second, operation));
    state.counters["result digits"] = CalculateBigNumbers(first, second, operation)->size();
}

void BM_Product(benchmark::State &state)
{
    CalculateOnce(state, BigNumberOperation::Product, state.range(0));
}
BENCHMARK(BM_Product)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Quotient(benchmark::State &state)
{
    CalculateOnce(state, BigNumberOperation::Quotient, state.range(0));
}
BENCHMARK(BM_Quotient)->Arg(100000)->Unit(benchmark::kMillisecond);

// The quotient that really divides: twice as many digits in the dividend as in the divisor.
void BM_QuotientOfTwiceAsLong(benchmark::State &state)
{
    CalculateOnce(state, BigNumberOperation::Quotient, 2 * state.range(0));
}
BENCHMARK(BM_QuotientOfTwiceAsLong)->Arg(100000)->Unit(benchmark::kMillisecond);

// One keystroke of "进制转换" on a number of range(0) digits.
void ConvertOnce(benchmark::State &state, int fromBase, int toBase)
{
    const QString digits = RandomDigits(state.range(0), fromBase, 3);
    for (auto _ : state)
        benchmark::DoNotOptimize(ConvertBase(digits, fromBase, toBase));
    state.counters["result digits"] = ConvertBase(digits, fromBase, toBase)->size();
}

void BM_ConvertDecimalToBase16(benchmark::State &state)
{
    ConvertOnce(state, 10, 16);
}
BENCHMARK(BM_ConvertDecimalToBase16)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ConvertDecimalToBase7(benchmark::State &state)
{
    ConvertOnce(state, 10, 7);
}
BENCHMARK(BM_ConvertDecimalToBase7)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ConvertBinaryToDecimal(benchmark::State &state)
{
    ConvertOnce(state, 2, 10);
}
BENCHMARK(BM_ConvertBinaryToDecimal)->Arg(300000)->Unit(benchmark::kMillisecond);

// A pasted million-digit number.
void BM_ConvertMillionDecimalDigitsToBase16(benchmark::State &state)
{
    ConvertOnce(state, 10, 16);
}
BENCHMARK(BM_ConvertMillionDecimalDigitsToBase16)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ProductOfMillionDigits(benchmark::State &state)
{
    CalculateOnce(state, BigNumberOperation::Product, state.range(0));
}
BENCHMARK(BM_ProductOfMillionDigits)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
