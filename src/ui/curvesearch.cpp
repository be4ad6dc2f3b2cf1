#include "ui/curvesearch.h"

#include <algorithm>
#include <cmath>

namespace Ui {

using namespace Eval;

namespace {

constexpr int ZeroSteps = 64;
constexpr int ExtremumSteps = 60;
const double GoldenSection = (std::sqrt(5.0) - 1) / 2;

} // namespace

bool IsDefinedValue(double value)
{
    return value != UndefinedValue && std::isfinite(value);
}

CurveFound SearchExtremum(const PreparedFunction &f, double low, double high, double seedX,
                          double seedValue, bool peak, double smallestWidth, int &evaluations)
{
    const auto better = [peak](double a, double b) {
        return IsDefinedValue(a) && (!IsDefinedValue(b) || (peak ? a > b : a < b));
    };
    CurveFound best{seedX, seedValue, low, high};
    for (int step = 0; step < ExtremumSteps && high - low > smallestWidth; ++step) {
        const double left = high - GoldenSection * (high - low);
        const double right = low + GoldenSection * (high - low);
        if (left <= low || right >= high || left >= right)
            break;
        const double l = f(left);
        const double r = f(right);
        evaluations += 2;
        if (better(l, best.value))
            best = {left, l, low, high};
        if (better(r, best.value))
            best = {right, r, low, high};
        if (better(l, r) || (IsDefinedValue(l) && !IsDefinedValue(r)))
            high = right;
        else
            low = left;
    }
    best.low = std::min(low, best.x);
    best.high = std::max(high, best.x);
    return best;
}

CurveFound SearchZero(const PreparedFunction &f, double low, double lowValue, double high,
                      double smallestWidth, int &evaluations)
{
    CurveFound best{low, lowValue, low, high};
    for (int step = 0; step < ZeroSteps && high - low > smallestWidth; ++step) {
        const double middle = low + (high - low) / 2;
        if (middle == low || middle == high)
            break;
        const double value = f(middle);
        ++evaluations;
        if (!IsDefinedValue(value))
            return {middle, value, low, high, false};
        if (std::fabs(value) < std::fabs(best.value))
            best = {middle, value, low, high};
        if (value == 0)
            break;
        if ((value < 0) == (lowValue < 0)) {
            low = middle;
            lowValue = value;
        } else {
            high = middle;
        }
    }
    best.low = low;
    best.high = high;
    return best;
}

} // namespace Ui
