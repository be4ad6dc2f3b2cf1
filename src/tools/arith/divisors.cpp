#include "tools/arith/divisors.h"

#include "eval/rational.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Eval;

namespace Arith {

Outcome<qint32> ReadWholeNumber(const QString &text)
{
    const Outcome<Rational> value = ReadRationalOrZero(text);
    if (!value && IsUnfinishedNumber(text))
        return Refuse(QString());
    if (!value || !value->IsInteger())
        return Refuse(WholeNumberMessage);
    if (*value < Rational(std::numeric_limits<qint32>::min())
        || *value > Rational(std::numeric_limits<qint32>::max()))
        return Refuse(OutOfRangeMessage);
    return qint32(value->ToDouble()); // exact: a 32-bit whole number is a double
}

// Trial division by 2, 3 and then the numbers 6k ± 1, up to the square root of what is left.
std::vector<quint32> PrimeFactors(quint32 n)
{
    std::vector<quint32> factors;
    auto divideOut = [&](quint32 divisor) {
        while (n % divisor == 0) {
            factors.push_back(divisor);
            n /= divisor;
        }
    };
    if (n < 2)
        return factors;
    divideOut(2);
    divideOut(3);
    for (quint64 divisor = 5; divisor * divisor <= n; divisor += 6) {
        divideOut(quint32(divisor));
        divideOut(quint32(divisor + 2));
    }
    if (n > 1)
        factors.push_back(n);
    return factors;
}

std::vector<quint32> Divisors(quint32 n)
{
    if (n == 0)
        return {};
    std::vector<quint32> divisors{1};
    const std::vector<quint32> primes = PrimeFactors(n);
    // Each run of one prime p^k multiplies the divisors found so far by p, p², …, p^k.
    for (size_t start = 0; start < primes.size();) {
        size_t end = start;
        while (end < primes.size() && primes[end] == primes[start])
            ++end;
        const size_t before = divisors.size();
        quint64 power = 1;
        for (size_t k = start; k < end; ++k) {
            power *= primes[k];
            for (size_t i = 0; i < before; ++i)
                divisors.push_back(quint32(divisors[i] * power));
        }
        start = end;
    }
    std::sort(divisors.begin(), divisors.end());
    return divisors;
}

} // namespace Arith
