#include "eval/highprecision.h"

#include <cstring>
#include <memory>

namespace Eval::HighPrecision {

namespace {

Decimal Trimmed(bool negative, std::string digits, long exponent)
{
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    return {negative, QString::fromLatin1(digits.c_str()), exponent};
}

} // namespace

Decimal DecimalOf(mpfr_srcptr x, int significant)
{
    if (mpfr_zero_p(x) || !mpfr_number_p(x))
        return {false, QStringLiteral("0"), 0};
    mpfr_exp_t exponent = 0;
    const std::unique_ptr<char, void (*)(char *)> text(
            mpfr_get_str(nullptr, &exponent, 10, size_t(significant), x, MPFR_RNDN), mpfr_free_str);
    const bool negative = text.get()[0] == '-';
    return Trimmed(negative, text.get() + (negative ? 1 : 0), long(exponent) - 1);
}

std::optional<Decimal> CertainDecimal(mpfr_srcptr x, mpfr_srcptr error, int significant)
{
    const mpfr_prec_t precision = mpfr_get_prec(x) + 8;
    Real low(precision), high(precision);
    mpfr_sub(low.get(), x, error, MPFR_RNDD);
    mpfr_add(high.get(), x, error, MPFR_RNDU);
    if (mpfr_sgn(low.get()) != mpfr_sgn(high.get()))
        return std::nullopt;
    const Decimal a = DecimalOf(low.get(), significant);
    const Decimal b = DecimalOf(high.get(), significant);
    if (a.negative != b.negative || a.digits != b.digits || a.exponent != b.exponent)
        return std::nullopt;
    return a;
}

Decimal DecimalOf(const mpq_class &value, int significant)
{
    if (sgn(value) == 0)
        return {false, QStringLiteral("0"), 0};
    const mpz_class numerator = abs(value.get_num());
    const mpz_class &denominator = value.get_den();
    // 10^exponent ≤ |value| < 10^(exponent+1)
    long exponent = long(mpz_sizeinbase(numerator.get_mpz_t(), 10))
            - long(mpz_sizeinbase(denominator.get_mpz_t(), 10));
    const auto power = [](long n) {
        mpz_class p;
        mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(n));
        return p;
    };
    const auto atLeast = [&](long e) { // |value| ≥ 10^e
        return e >= 0 ? numerator >= denominator * power(e) : numerator * power(-e) >= denominator;
    };
    while (!atLeast(exponent))
        --exponent;
    while (atLeast(exponent + 1))
        ++exponent;
    // round(|value| · 10^(significant − 1 − exponent)), half away from zero
    const long shift = significant - 1 - exponent;
    mpz_class scaled = shift >= 0 ? numerator * power(shift) : numerator;
    mpz_class divisor = shift >= 0 ? denominator : denominator * power(-shift);
    mpz_class rounded = (2 * scaled + divisor) / (2 * divisor);
    if (rounded == power(significant)) {
        rounded /= 10;
        ++exponent;
    }
    return Trimmed(sgn(value) < 0, rounded.get_str(), exponent);
}

mpq_class ToMpq(const Rational &value)
{
    mpq_class q(value.ToText().toStdString());
    q.canonicalize();
    return q;
}

Rational FromMpq(const mpq_class &value)
{
    const auto numerator
            = BigInteger::FromDigits(QString::fromStdString(value.get_num().get_str()));
    const auto denominator
            = BigInteger::FromDigits(QString::fromStdString(value.get_den().get_str()));
    return *Rational::FromFraction(*numerator, *denominator);
}

} // namespace Eval::HighPrecision
