#include "eval/rational.h"

#include "eval/bigintvalue.h"
#include "eval/halfwidth.h"

#include <gmp.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

namespace Eval {

struct Rational::Value
{
    Value() { mpq_init(number); }
    ~Value() { mpq_clear(number); }
    Value(const Value &) = delete;
    Value &operator=(const Value &) = delete;

    mpq_t number;
};

namespace {

using Integer = ScratchInteger;

long Bits(mpz_srcptr value)
{
    return long(mpz_sizeinbase(value, 2));
}

} // namespace

Rational::Rational()
    : m_value(std::make_unique<Value>())
{ }

Rational::Rational(long value)
    : Rational()
{
    mpq_set_si(m_value->number, value, 1);
}

Rational::Rational(const BigInteger &value)
    : Rational()
{
    mpq_set_z(m_value->number, value.m_value->number);
}

Rational::~Rational() = default;

Rational::Rational(const Rational &other)
    : Rational()
{
    mpq_set(m_value->number, other.m_value->number);
}

Rational::Rational(Rational &&other) noexcept = default;

Rational &Rational::operator=(const Rational &other)
{
    if (!m_value)
        m_value = std::make_unique<Value>();
    mpq_set(m_value->number, other.m_value->number);
    return *this;
}

Rational &Rational::operator=(Rational &&other) noexcept
{
    m_value.swap(other.m_value);
    return *this;
}

// GMP aborts on a zero denominator, so it never sees one.
std::optional<Rational> Rational::FromFraction(const BigInteger &numerator,
                                               const BigInteger &denominator)
{
    if (denominator.Sign() == 0)
        return std::nullopt;
    Rational result;
    mpz_set(mpq_numref(result.m_value->number), numerator.m_value->number);
    mpz_set(mpq_denref(result.m_value->number), denominator.m_value->number);
    mpq_canonicalize(result.m_value->number);
    return result;
}

std::optional<Rational> Rational::FromDouble(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    Rational result;
    mpq_set_d(result.m_value->number, value); // exact: every double is a dyadic fraction
    return result;
}

Rational Rational::operator+(const Rational &other) const
{
    Rational result;
    mpq_add(result.m_value->number, m_value->number, other.m_value->number);
    return result;
}

Rational Rational::operator-(const Rational &other) const
{
    Rational result;
    mpq_sub(result.m_value->number, m_value->number, other.m_value->number);
    return result;
}

Rational Rational::operator*(const Rational &other) const
{
    Rational result;
    mpq_mul(result.m_value->number, m_value->number, other.m_value->number);
    return result;
}

Rational Rational::operator-() const
{
    Rational result;
    mpq_neg(result.m_value->number, m_value->number);
    return result;
}

std::optional<Rational> Rational::Divide(const Rational &divisor) const
{
    if (divisor.Sign() == 0)
        return std::nullopt;
    Rational result;
    mpq_div(result.m_value->number, m_value->number, divisor.m_value->number);
    return result;
}

std::optional<Rational> Rational::Power(long exponent) const
{
    if (exponent == 0)
        return Rational(1);
    if (Sign() == 0)
        return exponent > 0 ? std::optional<Rational>(Rational()) : std::nullopt;
    if (exponent == LONG_MIN)
        return std::nullopt; // its magnitude is no long, and far beyond the bound anyway
    const unsigned long times = static_cast<unsigned long>(std::labs(exponent));
    const long widest
            = std::max(Bits(mpq_numref(m_value->number)), Bits(mpq_denref(m_value->number)));
    // |n| > 1 has at least 2^(bits − 1), so its power at least (bits − 1) × times + 1 bits;
    // ±1 and 1/±1 stay one bit wide whatever the exponent.
    if (widest > 1 && times > static_cast<unsigned long>(MaxPowerBits / (widest - 1)))
        return std::nullopt;
    Rational result;
    mpz_pow_ui(mpq_numref(result.m_value->number), mpq_numref(m_value->number), times);
    mpz_pow_ui(mpq_denref(result.m_value->number), mpq_denref(m_value->number), times);
    if (exponent < 0)
        mpq_inv(result.m_value->number, result.m_value->number);
    return result;
}

Rational Rational::Absolute() const
{
    Rational result;
    mpq_abs(result.m_value->number, m_value->number);
    return result;
}

std::optional<Rational> Rational::SquareRoot() const
{
    // Reduced, so n/d is a square exactly when n and d are.
    mpz_srcptr n = mpq_numref(m_value->number), d = mpq_denref(m_value->number);
    if (Sign() < 0 || !mpz_perfect_square_p(n) || !mpz_perfect_square_p(d))
        return std::nullopt;
    Rational root;
    mpz_sqrt(mpq_numref(root.m_value->number), n);
    mpz_sqrt(mpq_denref(root.m_value->number), d);
    return root;
}

int Rational::Compare(const Rational &other) const
{
    const int order = mpq_cmp(m_value->number, other.m_value->number);
    return (order > 0) - (order < 0);
}

int Rational::Sign() const
{
    return mpq_sgn(m_value->number);
}

bool Rational::IsInteger() const
{
    return mpz_cmp_ui(mpq_denref(m_value->number), 1) == 0;
}

BigInteger Rational::Numerator() const
{
    BigInteger result;
    mpz_set(result.m_value->number, mpq_numref(m_value->number));
    return result;
}

BigInteger Rational::Denominator() const
{
    BigInteger result;
    mpz_set(result.m_value->number, mpq_denref(m_value->number));
    return result;
}

Rational Rational::ScaledByPowerOfTwo(long exponent) const
{
    Rational result;
    const auto bits = static_cast<mp_bitcnt_t>(exponent < 0 ? -exponent : exponent);
    if (exponent >= 0)
        mpq_mul_2exp(result.m_value->number, m_value->number, bits);
    else
        mpq_div_2exp(result.m_value->number, m_value->number, bits);
    return result;
}

long Rational::BinaryExponent() const
{
    if (Sign() == 0)
        return 0;
    return Bits(mpq_numref(m_value->number)) - Bits(mpq_denref(m_value->number));
}

// GMP's own conversion truncates, so the quotient is worked out to 62 bits or more plus a
// sticky bit and rounded here, at the 53rd bit or, for a subnormal, at the bit of 2^-1074.
double Rational::ToDouble() const
{
    const int sign = Sign();
    if (sign == 0)
        return 0.0;
    Integer numerator, denominator;
    mpz_abs(numerator.get(), mpq_numref(m_value->number));
    mpz_set(denominator.get(), mpq_denref(m_value->number));
    // 2^(e − 1) < |value| < 2^(e + 1).
    const long e = Bits(numerator.get()) - Bits(denominator.get());
    if (e > 1100)
        return sign * HUGE_VAL;
    if (e < -1100)
        return sign * 0.0;
    // q = floor(|value| × 2^shift) lies in [2^62, 2^64).
    const long shift = 63 - e;
    if (shift >= 0)
        mpz_mul_2exp(numerator.get(), numerator.get(), static_cast<unsigned long>(shift));
    else
        mpz_mul_2exp(denominator.get(), denominator.get(), static_cast<unsigned long>(-shift));
    Integer quotient, remainder;
    mpz_tdiv_qr(quotient.get(), remainder.get(), numerator.get(), denominator.get());

    // Bits of q below the last one kept: 53 kept for a normal value; below 2^-1022 the last
    // kept bit is that of 2^-1074.
    const long drop = std::max(Bits(quotient.get()) - 53, shift - 1074);
    const bool half = mpz_tstbit(quotient.get(), static_cast<mp_bitcnt_t>(drop - 1));
    const bool below = mpz_sgn(remainder.get()) != 0
            || mpz_scan1(quotient.get(), 0) < static_cast<mp_bitcnt_t>(drop - 1);
    Integer kept;
    mpz_tdiv_q_2exp(kept.get(), quotient.get(), static_cast<mp_bitcnt_t>(drop));
    if (half && (below || mpz_odd_p(kept.get())))
        mpz_add_ui(kept.get(), kept.get(), 1);
    // At most 2^53, so exact as a double; ldexp is exact or overflows to infinity.
    return sign * std::ldexp(mpz_get_d(kept.get()), int(drop - shift));
}

QString Rational::ToText() const
{
    std::string digits(mpz_sizeinbase(mpq_numref(m_value->number), 10)
                               + mpz_sizeinbase(mpq_denref(m_value->number), 10) + 3,
                       '\0');
    mpq_get_str(digits.data(), 10, m_value->number);
    return QString::fromLatin1(digits.c_str());
}

namespace {

// Multiplies `up` by 10^power for a power ≥ 0, else `down` by 10^-power: n/d × 10^power as
// ScaleByPowerOfTen(n, d, power).
void ScaleByPowerOfTen(mpz_ptr up, mpz_ptr down, long power)
{
    Integer scale;
    mpz_ui_pow_ui(scale.get(), 10, static_cast<unsigned long>(std::labs(power)));
    mpz_ptr scaled = power >= 0 ? up : down;
    mpz_mul(scaled, scaled, scale.get());
}

// |value| = n / d rounded half away from zero to `digits` significant digits: the digits
// (exactly `digits` of them) and the decimal exponent of the first.
std::pair<std::string, long> RoundToSignificant(mpz_srcptr n, mpz_srcptr d, int digits)
{
    // The exponent X with 10^X ≤ n/d < 10^(X+1), from the lengths and then exactly.
    long exponent = long(mpz_sizeinbase(n, 10)) - long(mpz_sizeinbase(d, 10));
    Integer scaledN, scaledD;
    for (;;) {
        mpz_set(scaledN.get(), n);
        mpz_set(scaledD.get(), d);
        ScaleByPowerOfTen(scaledN.get(), scaledD.get(), -exponent); // n / d × 10^-X
        if (mpz_cmp(scaledN.get(), scaledD.get()) < 0) {
            --exponent;
            continue;
        }
        mpz_mul_ui(scaledD.get(), scaledD.get(), 10);
        if (mpz_cmp(scaledN.get(), scaledD.get()) >= 0) {
            ++exponent;
            continue;
        }
        break;
    }
    // m = n / d × 10^(digits − 1 − X), rounded half away from zero: floor(2m + 1) / 2.
    Integer m, twiceD;
    mpz_set(m.get(), n);
    mpz_set(twiceD.get(), d);
    ScaleByPowerOfTen(m.get(), twiceD.get(), digits - 1 - exponent);
    mpz_mul_2exp(m.get(), m.get(), 1);
    mpz_add(m.get(), m.get(), twiceD.get());
    mpz_mul_2exp(twiceD.get(), twiceD.get(), 1);
    mpz_fdiv_q(m.get(), m.get(), twiceD.get());
    std::string text(mpz_sizeinbase(m.get(), 10) + 2, '\0');
    mpz_get_str(text.data(), 10, m.get());
    text.resize(std::char_traits<char>::length(text.c_str()));
    if (text.size() > size_t(digits)) { // 9.99… rounded up to 10.0…
        text.pop_back();
        ++exponent;
    }
    return {text, exponent};
}

QString ThreeDigitExponent(long exponent)
{
    return QLatin1String(exponent < 0 ? "e-" : "e+")
            + QString::number(std::labs(exponent)).rightJustified(3, u'0');
}

} // namespace

QString Rational::ToDecimalText(int significant) const
{
    if (Sign() == 0)
        return QStringLiteral("0");
    const int digits = std::clamp(significant, 1, MaxDecimalDigits);
    Integer magnitude;
    mpz_abs(magnitude.get(), mpq_numref(m_value->number));
    auto [text, exponent]
            = RoundToSignificant(magnitude.get(), mpq_denref(m_value->number), digits);
    while (text.size() > 1 && text.back() == '0')
        text.pop_back();
    QString shown = QString::fromLatin1(text.c_str());
    const QString sign = Sign() < 0 ? QStringLiteral("-") : QString();
    if (exponent < -4 || exponent >= digits) {
        if (shown.size() > 1)
            shown.insert(1, u'.');
        return sign + shown + ThreeDigitExponent(exponent);
    }
    if (exponent < 0)
        return sign + QStringLiteral("0.") + QString(-exponent - 1, u'0') + shown;
    if (shown.size() <= exponent + 1)
        return sign + shown + QString(exponent + 1 - shown.size(), u'0');
    shown.insert(exponent + 1, u'.');
    return sign + shown;
}

// Reading what a student types.

namespace {

const QString ReadingHint = QStringLiteral("请输入数，如 3、-1.5、2/3 或 1e-4");

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// One decimal number of the typed form: its digits without the point, and the power of ten
// they are scaled by.
struct DecimalPiece
{
    bool negative = false;
    QString digits;
    long scale = 0;
};

// Reads the (half-width, trimmed) text from left to right; a failure keeps its reason.
class TypedNumberReader
{
public:
    explicit TypedNumberReader(QString text)
        : m_text(std::move(text))
    { }

    Outcome<Rational> Read()
    {
        const std::optional<DecimalPiece> numerator = Piece();
        if (!numerator)
            return Refuse(m_reason);
        if (m_index == m_text.size())
            return Value(*numerator);
        ++m_index; // the "/"
        const std::optional<DecimalPiece> denominator = Piece();
        if (!denominator)
            return Refuse(m_reason);
        if (m_index < m_text.size())
            return Refuse(QStringLiteral("分数只能有一条分数线“/”"));
        const Outcome<Rational> top = Value(*numerator);
        const Outcome<Rational> bottom = Value(*denominator);
        if (!top || !bottom)
            return top ? bottom : top;
        if (const std::optional<Rational> quotient = top->Divide(*bottom))
            return *quotient;
        return Refuse(QStringLiteral("分母不能为0"));
    }

private:
    QChar At(qsizetype index) const { return index < m_text.size() ? m_text.at(index) : QChar(); }
    void SkipSpaces()
    {
        while (At(m_index) == u' ')
            ++m_index;
    }

    std::optional<DecimalPiece> Piece();
    void Digits(DecimalPiece &piece);
    bool Exponent(long &scale);
    static Outcome<Rational> Value(const DecimalPiece &piece);
    std::optional<DecimalPiece> Fail(QString reason)
    {
        m_reason = std::move(reason);
        return std::nullopt;
    }

    QString m_text;
    qsizetype m_index = 0;
    QString m_reason;
};

// A number, up to the end or a "/" (spaces around it allowed).
std::optional<DecimalPiece> TypedNumberReader::Piece()
{
    DecimalPiece piece;
    SkipSpaces();
    if (At(m_index) == u'+' || At(m_index) == u'-') {
        piece.negative = At(m_index) == u'-';
        ++m_index;
    }
    Digits(piece);
    if (piece.digits.isEmpty() && m_index < m_text.size() && At(m_index) != u'/'
        && At(m_index) != u'.')
        return Fail(QStringLiteral("“%1”不是数的一部分。").arg(At(m_index)) + ReadingHint);
    if (piece.digits.isEmpty())
        return Fail(ReadingHint);
    if ((At(m_index) == u'e' || At(m_index) == u'E') && !Exponent(piece.scale))
        return std::nullopt;
    SkipSpaces();
    if (m_index < m_text.size() && At(m_index) != u'/')
        return Fail(QStringLiteral("“%1”不是数的一部分。").arg(At(m_index)) + ReadingHint);
    return piece;
}

// Digits with at most one decimal point among them.
void TypedNumberReader::Digits(DecimalPiece &piece)
{
    bool point = false;
    for (;; ++m_index) {
        const QChar c = At(m_index);
        if (c == u'.' && !point) {
            point = true;
        } else if (IsDigit(c)) {
            piece.digits += c;
            piece.scale -= point ? 1 : 0;
        } else {
            return;
        }
    }
}

// The exponent after "e" or "E", added to `scale`; false (with the reason) when it is
// missing or beyond MaxTypedExponent.
bool TypedNumberReader::Exponent(long &scale)
{
    ++m_index;
    const bool negative = At(m_index) == u'-';
    if (At(m_index) == u'+' || At(m_index) == u'-')
        ++m_index;
    const qsizetype start = m_index;
    long exponent = 0;
    for (; IsDigit(At(m_index)); ++m_index)
        exponent = std::min<long>(exponent * 10 + (At(m_index).unicode() - u'0'), INT_MAX);
    if (m_index == start)
        m_reason = QStringLiteral("e后面要写指数，如 1e-4");
    else if (exponent > MaxTypedExponent)
        m_reason = QStringLiteral("指数太大：e后面的数请在±%1以内").arg(MaxTypedExponent);
    else
        scale += negative ? -exponent : exponent;
    return m_reason.isEmpty();
}

// digits × 10^scale with its sign; refused when the number is too long to be worth building.
Outcome<Rational> TypedNumberReader::Value(const DecimalPiece &piece)
{
    const std::optional<Rational> scale = Rational(10).Power(piece.scale);
    if (!scale)
        return Refuse(QStringLiteral("数字太长"));
    const Rational value = Rational(*BigInteger::FromDigits(piece.digits)) * *scale;
    return piece.negative ? -value : value;
}

// The student's signs and spaces as the reader's ASCII.
QString Normalised(const QString &text)
{
    QString folded = ToHalfWidth(text).trimmed();
    folded.replace(u'\u2212', u'-'); // the mathematical minus
    return folded;
}

} // namespace

Outcome<Rational> ReadRational(const QString &text)
{
    return TypedNumberReader(Normalised(text)).Read();
}

Outcome<Rational> ReadRationalOrZero(const QString &text)
{
    const QString typed = Normalised(text);
    if (typed.isEmpty() || typed == u'-' || typed == u'+')
        return Rational();
    return ReadRational(text);
}

bool IsUnfinishedNumber(const QString &text)
{
    // "1/0" reads on as "1/05", but as typed it is finished: a digit ends it.
    const QString folded = Normalised(text);
    if (!folded.isEmpty() && folded.back() >= u'0' && folded.back() <= u'9')
        return false;
    return !ReadRational(text) && ReadRational(text + u'1');
}

} // namespace Eval
