#include "tools/functions/trigonometrylogic.h"

#include "eval/numbertext.h"

#include <cmath>

namespace Functions {

namespace {

constexpr double TenDecimalPi = 3.1415926535;
constexpr int Decimals = 5;

QString Shown(double value)
{
    return FormatNumber(value, Decimals, false);
}

} // namespace

TrigonometryTexts TrigonometryOfDegrees(const QString &degrees)
{
    const double radians = TextToNumber(degrees) * TenDecimalPi / 180;
    return {Shown(std::sin(radians)), Shown(std::cos(radians)), Shown(std::tan(radians))};
}

} // namespace Functions
