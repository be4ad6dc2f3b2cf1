#include "tools/functions/functionpropertieslogic.h"

#include "eval/numberformat.h"
#include "eval/numberreading.h"
#include "eval/rounding.h"

#include <cmath>

using namespace Ui;
using namespace Eval;

namespace Functions::FunctionProperties {

namespace {

const QString Increasing = QStringLiteral("单调递增");
const QString Decreasing = QStringLiteral("单调递减");

// The sample whose value beats every earlier one by more than 1e-7, `beats` deciding the
// direction. False when the scan was abandoned.
template<typename Beats>
bool ScanForExtremum(const Function &f, double a, double b, double step, double worst, Beats beats,
                     const KeepGoing &keepGoing, double &bestX, double &best)
{
    best = worst;
    bestX = 0;
    for (double x = a; x - b < -1e-7; x += step) {
        const double y = f(x);
        if (beats(y, best)) {
            best = y;
            bestX = x;
        }
        if (!GoOn(keepGoing))
            return false;
    }
    return true;
}

class IntervalList
{
public:
    explicit IntervalList(int places)
        : m_places(places)
    { }

    void Append(double start, double end, const QString &direction)
    {
        const QString number = NumberToText(double(m_rows.size() + 1));
        m_rows.push_back({QStringLiteral("第") + number + QStringLiteral("个"),
                          NumberToText(RoundTo(start, m_places)), NumberToText(end), direction});
    }
    std::vector<MonotonicInterval> rows() const { return m_rows; }

private:
    int m_places;
    std::vector<MonotonicInterval> m_rows;
};

enum class TurningPoint { None, Valley, Peak };

} // namespace

double ReadStep(const QString &precision)
{
    return TextToNumber(precision);
}

bool IsUsableStep(double step, double a, double b)
{
    if (!(step > 0) || !std::isfinite(step))
        return false;
    // A step below half the spacing of doubles at the interval ends would leave x where it is.
    const double magnitude = std::max(std::fabs(a), std::fabs(b));
    if (!(magnitude + step > magnitude))
        return false;
    return (b - a) / step <= MaximumSteps;
}

std::optional<Extrema> FindExtrema(const Function &f, double a, double b, double step,
                                   const KeepGoing &keepGoing)
{
    if (!IsUsableStep(step, a, b))
        return std::nullopt;
    const int places = TextToInteger(std::fabs(std::log(step) / std::log(10.0)));
    const auto shown = [places](double x, double y) {
        return Extremum{NumberToText(RoundTo(x, places)), NumberToText(RoundTo(y, places))};
    };
    Extrema result;
    double x = 0;
    double y = 0;
    const auto larger = [](double value, double best) { return value - best > 1e-7; };
    if (!ScanForExtremum(f, a, b, step, -1e100, larger, keepGoing, x, y))
        return std::nullopt;
    result.maximum = shown(x, y);
    const auto smaller = [](double value, double best) { return value - best < -1e-7; };
    if (!ScanForExtremum(f, a, b, step, 1e100, smaller, keepGoing, x, y))
        return std::nullopt;
    result.minimum = shown(x, y);
    return result;
}

int MonotonicStepCount(double a, double b, double step)
{
    return TextToInteger((b - a) / step);
}

std::optional<std::vector<MonotonicInterval>>
FindMonotonicIntervals(const Function &f, double a, double b, double h, const KeepGoing &keepGoing)
{
    if (!IsUsableStep(h, a, b))
        return std::nullopt;
    const int places = TextToInteger(std::log(h) / std::log(0.1));
    IntervalList intervals(places);
    TurningPoint last = TurningPoint::None;
    double start = a;
    for (double x = a; x - b < -1e-7; x += h) {
        // A turning point at x − h shows when x is reached.
        const double here = f(x);
        const double before = f(x - h);
        const double earlier = f(x - 2 * h);
        const double rise = here - before;
        const double previousRise = before - earlier;
        if (rise > 1e-7 && previousRise < -1e-7) {
            intervals.Append(start, RoundTo(x, places) - h, Decreasing);
            last = TurningPoint::Valley;
            start = x - h;
        }
        if (rise < -1e-7 && previousRise > 1e-7) {
            intervals.Append(start, RoundTo(x, places) - h, Increasing);
            last = TurningPoint::Peak;
            start = x - h;
        }
        if (!GoOn(keepGoing))
            return std::nullopt;
    }
    if (last == TurningPoint::Valley) {
        intervals.Append(start, RoundTo(b, places), Increasing);
    } else if (last == TurningPoint::Peak) {
        intervals.Append(start, RoundTo(b, places), Decreasing);
    } else {
        const double change = f(b) - f(a);
        if (change > 1e-7)
            intervals.Append(a, RoundTo(b, places) - h, Increasing);
        else if (change < -1e-7)
            intervals.Append(a, RoundTo(b, places) - h, Decreasing);
    }
    return intervals.rows();
}

std::optional<QString> FindParity(const Function &f, double a, double b,
                                  const std::function<double()> &step, const KeepGoing &keepGoing)
{
    const QString neither = QStringLiteral("非奇非偶函数");
    if (std::fabs(a - (-b)) > 1e-7)
        return neither;
    bool even = true;
    bool odd = true;
    for (double x = 0; x - b <= 1e-7;) {
        const double right = f(x);
        const double left = f(-x);
        if (std::fabs(right - left) > 1e-7)
            even = false;
        if (std::fabs(right + left) > 1e-7)
            odd = false;
        const double next = step();
        if (!IsUsableStep(next, a, b) || !GoOn(keepGoing))
            return std::nullopt;
        x += next;
    }
    if (even && odd)
        return QStringLiteral("既是奇函数又是偶函数");
    if (odd)
        return QStringLiteral("奇函数");
    return even ? QStringLiteral("偶函数") : neither;
}

} // namespace Functions::FunctionProperties
