#include "tools/arith/divisors.h"

#include <algorithm>
#include <cmath>

namespace Arith {

std::optional<qint32> TruncatedToInteger(double value)
{
    if (!(value > -2147483649.0 && value < 2147483648.0))
        return std::nullopt;
    return qint32(std::trunc(value));
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
