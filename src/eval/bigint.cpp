#include "eval/bigint.h"

#include "eval/bigintvalue.h"

#include <string>

namespace Eval {

namespace {

constexpr int NoDigit = 99;

// 0..35 for 0-9, a-z and A-Z; NoDigit for everything else.
int DigitValue(QChar character)
{
    const char16_t c = character.unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'z')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'Z')
        return c - u'A' + 10;
    return NoDigit;
}

bool IsBase(int base)
{
    return base >= 2 && base <= 36;
}

qsizetype SkipDigits(const QString &text, qsizetype index, int base)
{
    while (index < text.size() && DigitValue(text.at(index)) < base)
        ++index;
    return index;
}

} // namespace

BigInteger::BigInteger()
    : m_value(std::make_unique<Value>())
{ }

BigInteger::BigInteger(long value)
    : BigInteger()
{
    mpz_set_si(m_value->number, value);
}

BigInteger::~BigInteger() = default;

BigInteger::BigInteger(const BigInteger &other)
    : BigInteger()
{
    mpz_set(m_value->number, other.m_value->number);
}

BigInteger::BigInteger(BigInteger &&other) noexcept = default;

BigInteger &BigInteger::operator=(const BigInteger &other)
{
    if (!m_value)
        m_value = std::make_unique<Value>();
    mpz_set(m_value->number, other.m_value->number);
    return *this;
}

BigInteger &BigInteger::operator=(BigInteger &&other) noexcept
{
    m_value.swap(other.m_value);
    return *this;
}

std::optional<BigInteger> BigInteger::ParseLiteral(const QString &text)
{
    qsizetype index = 0;
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        ++index;
    }
    if (index == text.size())
        return std::nullopt;

    int base = 10;
    if (text.at(index) == u'0') {
        const QChar next = index + 1 < text.size() ? text.at(index + 1) : QChar();
        if (next == u'x' || next == u'X') {
            base = 16;
            index += 2;
        } else if (next == u'b' || next == u'B') {
            base = 2;
            index += 2;
        } else {
            base = 8;
        }
    }
    while (index < text.size() && text.at(index) == u'0')
        ++index;
    const qsizetype end = SkipDigits(text, index, base);

    BigInteger result;
    if (end > index) {
        const QByteArray digits = QStringView(text).mid(index, end - index).toLatin1();
        mpz_set_str(result.m_value->number, digits.constData(), base);
    }
    if (negative)
        mpz_neg(result.m_value->number, result.m_value->number);
    return result;
}

std::optional<BigInteger> BigInteger::FromDigits(const QString &text, int base)
{
    if (!IsBase(base))
        return std::nullopt;
    const qsizetype start = text.startsWith(u'-') ? 1 : 0;
    if (start == text.size() || SkipDigits(text, start, base) != text.size())
        return std::nullopt;
    BigInteger result;
    const QByteArray digits = text.toLatin1();
    if (mpz_set_str(result.m_value->number, digits.constData(), base) != 0)
        return std::nullopt;
    return result;
}

QString BigInteger::ToText(int base) const
{
    if (!IsBase(base))
        return QString();
    // Room for every digit, the sign and the terminating zero.
    std::string digits(mpz_sizeinbase(m_value->number, base) + 2, '\0');
    mpz_get_str(digits.data(), -base, m_value->number); // negative base: upper-case letters
    return QString::fromLatin1(digits.c_str());
}

BigInteger BigInteger::Add(const BigInteger &other) const
{
    BigInteger result;
    mpz_add(result.m_value->number, m_value->number, other.m_value->number);
    return result;
}

BigInteger BigInteger::Subtract(const BigInteger &other) const
{
    BigInteger result;
    mpz_sub(result.m_value->number, m_value->number, other.m_value->number);
    return result;
}

BigInteger BigInteger::Multiply(const BigInteger &other) const
{
    BigInteger result;
    mpz_mul(result.m_value->number, m_value->number, other.m_value->number);
    return result;
}

// GMP aborts the process on a zero divisor, so it never sees one.
std::optional<BigInteger> BigInteger::Quotient(const BigInteger &divisor) const
{
    if (divisor.Sign() == 0)
        return std::nullopt;
    BigInteger result;
    mpz_tdiv_q(result.m_value->number, m_value->number, divisor.m_value->number);
    return result;
}

std::optional<BigInteger> BigInteger::Remainder(const BigInteger &divisor) const
{
    if (divisor.Sign() == 0)
        return std::nullopt;
    BigInteger result;
    mpz_fdiv_r(result.m_value->number, m_value->number, divisor.m_value->number);
    return result;
}

int BigInteger::Compare(const BigInteger &other) const
{
    const int order = mpz_cmp(m_value->number, other.m_value->number);
    return (order > 0) - (order < 0);
}

int BigInteger::Sign() const
{
    return mpz_sgn(m_value->number);
}

} // namespace Eval
