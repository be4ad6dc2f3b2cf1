// Big integers against GMP's own text conversions: literals and digit texts read as GMP reads
// them, the four operations, the remainder and the comparison agree, digits of every base read
// back; base conversion there and back gives the input again, normalised. Lines: the first
// number, the second, and two characters choosing the bases.

#include "eval/bigint.h"
#include "eval/numbertext.h"
#include "fuzzsupport.h"
#include "tools/arith/baseconversionlogic.h"
#include "tools/arith/bignumberlogic.h"

#include <gmp.h>

#include <memory>

using namespace Eval;
using namespace Arith;

namespace {

struct Gmp
{
    mpz_t value;
    Gmp() { mpz_init(value); }
    ~Gmp() { mpz_clear(value); }
    Gmp(const Gmp &) = delete;
    Gmp &operator=(const Gmp &) = delete;
    QString Text(int base = 10) const
    {
        std::unique_ptr<char, void (*)(void *)> text(mpz_get_str(nullptr, -base, value), free);
        return QString::fromLatin1(text.get());
    }
};

int DigitValue(QChar character)
{
    const char16_t c = character.unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'z')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'Z')
        return c - u'A' + 10;
    return 99;
}

// The literal rules written out again, with GMP reading the digits.
bool ReadLiteral(const QString &text, Gmp &out)
{
    qsizetype i = 0;
    const bool negative = i < text.size() && text[i] == u'-';
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    if (i == text.size())
        return false;
    int base = 10;
    if (text[i] == u'0') {
        const QChar next = i + 1 < text.size() ? text[i + 1].toLower() : QChar();
        base = next == u'x' ? 16 : next == u'b' ? 2 : 8;
        i += base == 8 ? 1 : 2;
    }
    QByteArray digits;
    for (; i < text.size() && DigitValue(text[i]) < base; ++i)
        digits += char(text[i].unicode());
    if (!digits.isEmpty())
        mpz_set_str(out.value, digits.constData(), base);
    if (negative)
        mpz_neg(out.value, out.value);
    return true;
}

void CheckLiteral(const QString &text)
{
    Gmp expected;
    const std::optional<BigInteger> value = BigInteger::ParseLiteral(text);
    const bool readable = ReadLiteral(text, expected);
    Fuzz::Check(bool(value) == readable, "a literal reads or not as GMP reads it", text);
    if (value)
        Fuzz::Check(value->ToText() == expected.Text(), "a literal's value is GMP's", text);
}

void CheckDigits(const QString &text, int base)
{
    const std::optional<BigInteger> value = BigInteger::FromDigits(text, base);
    const QString digits = text.startsWith(u'-') ? text.mid(1) : text;
    bool valid = !digits.isEmpty();
    for (QChar c : digits)
        valid = valid && DigitValue(c) < base;
    Fuzz::Check(bool(value) == valid, "digits read exactly when all are digits of the base", text);
    if (!value)
        return;
    Gmp expected;
    mpz_set_str(expected.value, text.toLatin1().constData(), base);
    Fuzz::Check(value->ToText(base) == expected.Text(base), "digits read as GMP reads them", text);
}

void CheckOperations(const BigInteger &x, const BigInteger &y, int base)
{
    Gmp a, b, r;
    mpz_set_str(a.value, x.ToText().toLatin1().constData(), 10);
    mpz_set_str(b.value, y.ToText().toLatin1().constData(), 10);
    const QString operands = x.ToText() + "\n" + y.ToText();
    Fuzz::Check(x.ToText(base) == a.Text(base), "digits of a base as GMP's", operands);
    Fuzz::Check(BigInteger::FromDigits(x.ToText(base), base) == x, "digits read back", operands);
    mpz_add(r.value, a.value, b.value);
    Fuzz::Check(x.Add(y).ToText() == r.Text(), "the sum", operands);
    mpz_sub(r.value, a.value, b.value);
    Fuzz::Check(x.Subtract(y).ToText() == r.Text(), "the difference", operands);
    mpz_mul(r.value, a.value, b.value);
    Fuzz::Check(x.Multiply(y).ToText() == r.Text(), "the product", operands);
    const int order = mpz_cmp(a.value, b.value);
    Fuzz::Check(x.Compare(y) == (order > 0) - (order < 0), "the comparison", operands);
    Fuzz::Check(x.Sign() == mpz_sgn(a.value), "the sign", operands);
    const std::optional<BigInteger> quotient = x.Quotient(y);
    const std::optional<BigInteger> remainder = x.Remainder(y);
    Fuzz::Check(bool(quotient) == (y.Sign() != 0) && bool(remainder) == (y.Sign() != 0),
                "a division fails only by zero", operands);
    if (!quotient)
        return;
    mpz_tdiv_q(r.value, a.value, b.value);
    Fuzz::Check(quotient->ToText() == r.Text(), "the quotient", operands);
    mpz_fdiv_r(r.value, a.value, b.value);
    Fuzz::Check(remainder->ToText() == r.Text(), "the remainder", operands);
}

QString WithoutLeadingZeros(const QString &digits)
{
    qsizetype i = 0;
    while (i + 1 < digits.size() && digits[i] == u'0')
        ++i;
    return digits.mid(i);
}

void CheckConversion(const QString &text, int from, int to)
{
    const Outcome<QString> converted = ConvertBase(text, from, to);
    if (!converted || from == to || text.isEmpty())
        return;
    const QString normalised = WithoutLeadingZeros(ToHalfWidth(text).toUpper());
    const Outcome<QString> back = ConvertBase(*converted, to, from);
    Fuzz::Check(back && *back == normalised, "a conversion back and forth",
                text + QString(" from %1 to %2").arg(from).arg(to));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = Fuzz::Lines(data, size, 3);
    const QString &first = lines[0];
    const QString &second = lines[1];
    const int from = 2 + Fuzz::At(lines[2], 0) % 35;
    const int to = 2 + Fuzz::At(lines[2], 1) % 35;

    CheckLiteral(first);
    CheckLiteral(second);
    CheckDigits(first, from);
    const std::optional<BigInteger> x = BigInteger::ParseLiteral(first);
    const std::optional<BigInteger> y = BigInteger::ParseLiteral(second);
    if (x && y)
        CheckOperations(*x, *y, to);
    for (int operation = 0; operation <= int(BigNumberOperation::Comparison); ++operation)
        CalculateBigNumbers(first, second, BigNumberOperation(operation));
    CheckConversion(first, from, to);
    return 0;
}
