#include "tools/functions/trigonometrylogic.h"

#include "eval/numberformat.h"
#include "eval/numberreading.h"
#include "eval/tolerance.h"

#include <cmath>

using namespace Eval;

namespace Functions {

namespace {

constexpr double TenDecimalPi = 3.1415926535;
constexpr int Decimals = 5;

// A value that rounds to zero is shown without a sign: "-0.00000" reads as a wrong answer.
QString Shown(double value)
{
    QString text = FormatNumber(value, Decimals, false);
    if (text.startsWith(QLatin1Char('-')) && text.count(QLatin1Char('0')) == text.size() - 2)
        text.remove(0, 1);
    return text;
}

// Decided on the degrees, which are exact, rather than on the radians, which never reach π/2.
bool IsOddRightAngle(double degrees)
{
    const double past = std::fmod(std::fabs(degrees) - 90, 180);
    return NearlyZero(past) || NearlyEqual(past, 180) || NearlyEqual(past, -180);
}

} // namespace

TrigonometryTexts TrigonometryOfDegrees(const QString &degrees)
{
    const double angle = TextToNumber(degrees);
    const double radians = angle * TenDecimalPi / 180;
    const QString tangent
            = IsOddRightAngle(angle) ? QStringLiteral("不存在") : Shown(std::tan(radians));
    return {Shown(std::sin(radians)), Shown(std::cos(radians)), tangent};
}

} // namespace Functions
