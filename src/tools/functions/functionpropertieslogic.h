#pragma once

#include "eval/expression.h"
#include "tools/functions/functionanalysis.h"
#include "ui/keepgoing.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

// Properties of a function of x on [a, b]: its extrema and monotonic intervals, read from the
// analysis of its curve (functionanalysis.h), and its parity, found by stepping through the
// interval. Each asks its KeepGoing as it goes; a no abandons it.
namespace Functions::FunctionProperties {

using Function = Eval::PreparedFunction;

// A step that lets a scan of [a, b] reach b: positive, finite, large enough to move x at the
// magnitude of the interval ends, and not more than MaximumSteps steps.
bool IsUsableStep(double step, double a, double b);
constexpr double MaximumSteps = 1e7;
// The step of a typed precision, read by the text-to-number rule (empty is 0, unusable).
double ReadStep(const QString &precision);

// The decimals a precision asks for: 0.1 gives 1, 0.05 gives 2, 1 and more give 0.
int PrecisionDecimals(double step);
// A number with exactly `places` decimals ("8.0"), never "-0" or "-0.0".
QString ShownNumber(double value, int places);

// One row of the extrema: where the largest (or smallest) value is taken, and the value, to the
// precision's decimals. Every x where it is taken is listed ("-8.0, 8.0"; the x of a piece
// where f is that constant as "[1.0, 2.0)"), or the value is "无最大值" ("无最小值") where f
// grows without bound that way, or is defined nowhere.
struct Extremum
{
    QString x;
    QString value;
    bool exists = false;
    double at = 0; // the first x where it is taken, and the value there, to full precision
    double y = 0;
};

struct Extrema
{
    Extremum maximum;
    Extremum minimum;
};

Extrema FindExtrema(const CurveAnalysis &curve, double step);
// The analysis and its extrema; none when the step is unusable or the scan was abandoned.
std::optional<Extrema> FindExtrema(const Function &f, double a, double b, double step,
                                   const Ui::KeepGoing &keepGoing = {});

struct MonotonicInterval
{
    QString label; // "第1个", …
    QString start;
    QString end;
    QString direction; // "单调递增" or "单调递减"
};

// The pieces of [a, b] on which f rises or falls: parted at its peaks and valleys, at poles and
// at the edges of its domain, where constant left out, across a jump only where f keeps going
// the same way.
std::vector<MonotonicInterval> FindMonotonicIntervals(const CurveAnalysis &curve, double step);
std::optional<std::vector<MonotonicInterval>>
FindMonotonicIntervals(const Function &f, double a, double b, double step,
                       const Ui::KeepGoing &keepGoing = {});

// "既是奇函数又是偶函数", "奇函数", "偶函数" or "非奇非偶函数": f(x) and f(−x) compared at
// 0, step, 2·step, … up to b, on an interval symmetric about 0 (any other is neither, without
// a look). An x where f is defined on neither side tells nothing; one where it is defined on
// one side only, or a difference beyond rounding, is the evidence against a parity. The step is
// asked for before every step of the scan; none when it is unusable or the scan was abandoned.
std::optional<QString> FindParity(const Function &f, double a, double b,
                                  const std::function<double()> &step,
                                  const Ui::KeepGoing &keepGoing = {});

} // namespace Functions::FunctionProperties
