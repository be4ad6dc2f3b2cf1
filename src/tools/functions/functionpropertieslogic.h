#pragma once

#include "eval/expression.h"
#include "ui/keepgoing.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

// Properties of a function of x on [a, b], found by stepping through the interval. Each scan
// asks its KeepGoing once per step; a no abandons it.
namespace Functions::FunctionProperties {

using Function = Eval::PreparedFunction;

// A step that lets a scan of [a, b] reach b: positive, finite, large enough to move x at the
// magnitude of the interval ends, and not more than MaximumSteps steps.
bool IsUsableStep(double step, double a, double b);
constexpr double MaximumSteps = 1e7;
// The step of a typed precision, read by the text-to-number rule (empty is 0, unusable).
double ReadStep(const QString &precision);

struct Extremum
{
    QString x;
    QString value;
};

struct Extrema
{
    Extremum maximum;
    Extremum minimum;
};

// The largest and smallest sampled values at a, a + step, … below b. The first of equal values
// wins. None when the step is unusable or the scan was abandoned.
std::optional<Extrema> FindExtrema(const Function &f, double a, double b, double step,
                                   const Ui::KeepGoing &keepGoing = {});

struct MonotonicInterval
{
    QString label; // "第1个", …
    QString start;
    QString end;
    QString direction; // "单调递增" or "单调递减"
};

// The number of steps a monotonicity scan takes, for its progress.
int MonotonicStepCount(double a, double b, double step);
// The pieces of [a, b] between turning points. None when the step is unusable or the scan was
// abandoned.
std::optional<std::vector<MonotonicInterval>>
FindMonotonicIntervals(const Function &f, double a, double b, double step,
                       const Ui::KeepGoing &keepGoing = {});

// "既是奇函数又是偶函数", "奇函数", "偶函数" or "非奇非偶函数". The step is asked for before
// every step of the scan; none when it is unusable or the scan was abandoned.
std::optional<QString> FindParity(const Function &f, double a, double b,
                                  const std::function<double()> &step,
                                  const Ui::KeepGoing &keepGoing = {});

} // namespace Functions::FunctionProperties
