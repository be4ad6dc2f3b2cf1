#include "tools/functions/functionpropertieslogic.h"

#include "eval/numberformat.h"
#include "eval/numberreading.h"
#include "eval/rounding.h"
#include "eval/valuesahead.h"

#include <cmath>

using namespace Ui;
using namespace Eval;

namespace Functions::FunctionProperties {

namespace {

const QString Increasing = QStringLiteral("单调递增");
const QString Decreasing = QStringLiteral("单调递减");

// The x of a scan of [a, b]: a, a + step, … below b, each one step added to the one before.
auto ScanSteps(double a, double b, double step)
{
    return [x = a, b, step](double &next) mutable {
        if (!(x - b < -1e-7))
            return false;
        next = x;
        x += step;
        return true;
    };
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
    // The first sample beating every earlier one by more than 1e-7 is the extremum.
    double maximumX = 0;
    double maximum = -1e100;
    double minimumX = 0;
    double minimum = 1e100;
    ValuesAhead values(f, ScanSteps(a, b, step));
    for (double x, y; values.Next(x, y);) {
        if (y - maximum > 1e-7) {
            maximum = y;
            maximumX = x;
        }
        if (y - minimum < -1e-7) {
            minimum = y;
            minimumX = x;
        }
        if (!GoOn(keepGoing))
            return std::nullopt;
    }
    return Extrema{shown(maximumX, maximum), shown(minimumX, minimum)};
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
    // For each step's x, the values at x, x − h and x − 2h.
    ValuesAhead values(f, [steps = ScanSteps(a, b, h), x = 0.0, k = 0, h](double &next) mutable {
        if (k == 0 && !steps(x))
            return false;
        next = x - k * h;
        k = (k + 1) % 3;
        return true;
    });
    double x;
    double here;
    double before;
    double earlier;
    double shifted;
    while (values.Next(x, here) && values.Next(shifted, before) && values.Next(shifted, earlier)) {
        // A turning point at x − h shows when x is reached.
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
    // The values at x and −x for each step's x, from 0 on.
    bool unusable = false;
    ValuesAhead values(f, [&, x = 0.0, k = 0](double &next) mutable {
        if (k == 2) {
            const double advance = step();
            unusable = !IsUsableStep(advance, a, b);
            if (unusable)
                return false;
            x += advance;
            k = 0;
        }
        if (!(x - b <= 1e-7))
            return false;
        next = k++ == 0 ? x : -x;
        return true;
    });
    bool even = true;
    bool odd = true;
    double x;
    double right;
    double left;
    while (values.Next(x, right) && values.Next(x, left)) {
        if (std::fabs(right - left) > 1e-7)
            even = false;
        if (std::fabs(right + left) > 1e-7)
            odd = false;
        if (!GoOn(keepGoing))
            return std::nullopt;
    }
    if (unusable)
        return std::nullopt;
    if (even && odd)
        return QStringLiteral("既是奇函数又是偶函数");
    if (odd)
        return QStringLiteral("奇函数");
    return even ? QStringLiteral("偶函数") : neither;
}

} // namespace Functions::FunctionProperties
