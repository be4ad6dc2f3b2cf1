#include "remainder.h"

#include <cmath>

namespace Eval {

RemainderByZero::RemainderByZero()
    : std::domain_error("不能求余数于零")
{ }

QString RemainderByZero::message() const
{
    return QString::fromUtf8(what());
}

double Remainder(double dividend, double divisor)
{
    if (divisor == 0)
        throw RemainderByZero();
    return std::fmod(dividend, divisor);
}

} // namespace Eval
