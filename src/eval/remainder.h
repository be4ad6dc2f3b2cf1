#pragma once

#include <QString>

#include <stdexcept>

namespace Eval {

// fmod, except that a zero divisor is refused.
class RemainderByZero : public std::domain_error
{
public:
    RemainderByZero();
    QString message() const; // "不能求余数于零"
};
double Remainder(double dividend, double divisor);

} // namespace Eval
