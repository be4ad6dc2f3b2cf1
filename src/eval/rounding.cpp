#include "rounding.h"

#include "numberreading.h"

#include <cmath>

namespace Eval {

qint32 IntegerPart(double value)
{
    double whole = std::trunc(value);
    if (std::fabs(value - whole) > 0.999999999999)
        whole += value > 0 ? 1 : -1;
    return TextToInteger(whole);
}

double RoundTo(double value, int places)
{
    if (value == 0 || std::isnan(value))
        return value;
    const double scale = std::pow(10.0, std::fabs(double(places)));
    const double scaled = places >= 0 ? std::fabs(value) * scale : std::fabs(value) / scale;
    // Beyond 2^52 there is no fraction left to round (this also keeps infinities).
    if (!(scaled < 0x1p52))
        return value;
    double whole;
    const double fraction = std::modf(scaled + 1e-12, &whole);
    if (fraction >= 0.5)
        whole += 1;
    const double rounded = places >= 0 ? whole / scale : (whole == 0 ? 0.0 : whole * scale);
    return std::copysign(rounded, value);
}

} // namespace Eval
