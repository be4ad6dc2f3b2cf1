#include "eval/exactarithmetic.h"

#include "eval/nestinglimit.h"

#include <gmp.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace Eval {

namespace {

// Room for the values on the way to a result: a quarter of it may be the shown maximum, so that
// a longer term that cancels out still gives its short result. Beyond this the work would grow
// without bound (Math.pow(10, 1e9)), so it stops as too long.
constexpr long MaxWorkingDigits = 4 * MaxExactDigits;
constexpr size_t MaxWorkingBits = 4 * 33220; // 4 * MaxExactDigits * log2(10)

class Rational
{
public:
    Rational() { mpq_init(m_value); }
    ~Rational() { mpq_clear(m_value); }
    Rational(const Rational &) = delete;
    Rational &operator=(const Rational &) = delete;

    mpq_ptr get() { return m_value; }
    mpq_srcptr get() const { return m_value; }
    mpz_ptr numerator() { return mpq_numref(m_value); }
    mpz_ptr denominator() { return mpq_denref(m_value); }
    size_t numeratorBits() const { return mpz_sizeinbase(mpq_numref(m_value), 2); }
    size_t denominatorBits() const { return mpz_sizeinbase(mpq_denref(m_value), 2); }

private:
    mpq_t m_value;
};

class Integer
{
public:
    Integer() { mpz_init(m_value); }
    ~Integer() { mpz_clear(m_value); }
    Integer(const Integer &) = delete;
    Integer &operator=(const Integer &) = delete;
    mpz_ptr get() { return m_value; }

private:
    mpz_t m_value;
};

// Worse states win when two operands meet: an undefined part makes the whole undefined.
enum class State { Known, TooLong, Undefined };

struct Operand
{
    State state = State::Known;
    Rational value;
};

void Combine(Operand &into, const Operand &other)
{
    into.state = std::max(into.state, other.state);
}

bool IsIdentifierCharacter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
            || c == u'_' || c == u'$' || c == u'\\';
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool IsWhiteSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
}

enum class Token { End, Number, Plus, Minus, Times, Divide, Open, Close, Comma, Power, Invalid };

// A decimal literal taken apart: its digits without leading zeros, and the power of ten they
// are scaled by.
struct Literal
{
    std::string digits;
    long scale = 0;
};

// Recursive descent with the engine's precedence, working out each value as it is read.
class Parser
{
public:
    explicit Parser(QStringView text)
        : m_text(text)
    {
        Next();
    }

    // False when the text is not exact arithmetic as a whole.
    bool Parse(Operand &result) { return Sum(result, 0) && m_token == Token::End; }

private:
    QChar At(qsizetype index) const { return index < m_text.size() ? m_text.at(index) : QChar(); }
    void SkipWhiteSpace()
    {
        while (m_position < m_text.size() && IsWhiteSpace(m_text.at(m_position)))
            ++m_position;
    }
    void Next();
    Token ReadNumber();
    Token ReadName();
    qsizetype SkipDigits(qsizetype index) const
    {
        while (IsDigit(At(index)))
            ++index;
        return index;
    }

    bool Sum(Operand &result, int depth);
    bool Product(Operand &result, int depth);
    bool Signed(Operand &result, int depth);
    bool Primary(Operand &result, int depth);
    bool PowerCall(Operand &result, int depth);
    bool Expect(Token token)
    {
        if (m_token != token)
            return false;
        Next();
        return true;
    }

    QStringView m_text;
    qsizetype m_position = 0;
    Token m_token = Token::End;
    Literal m_literal;
};

void Parser::Next()
{
    SkipWhiteSpace();
    if (m_position >= m_text.size()) {
        m_token = Token::End;
        return;
    }
    const QChar c = m_text.at(m_position);
    const QChar following = At(m_position + 1);
    if (IsDigit(c) || (c == u'.' && IsDigit(following))) {
        m_token = ReadNumber();
        return;
    }
    if (IsIdentifierCharacter(c)) {
        m_token = ReadName();
        return;
    }
    ++m_position;
    switch (c.unicode()) {
    case u'+': // "++" and "--" are the engine's increments, "**" its power, "//" a comment
        m_token = following == u'+' ? Token::Invalid : Token::Plus;
        return;
    case u'-':
        m_token = following == u'-' ? Token::Invalid : Token::Minus;
        return;
    case u'*':
        m_token = following == u'*' ? Token::Invalid : Token::Times;
        return;
    case u'/':
        m_token = following == u'/' || following == u'*' ? Token::Invalid : Token::Divide;
        return;
    case u'(':
        m_token = Token::Open;
        return;
    case u')':
        m_token = Token::Close;
        return;
    case u',':
        m_token = Token::Comma;
        return;
    default:
        m_token = Token::Invalid;
    }
}

// Digits, an optional point and fraction, an optional exponent. A literal with a leading zero
// ("010") means different things to different engines, so it is not taken as exact.
Token Parser::ReadNumber()
{
    const qsizetype start = m_position;
    const qsizetype integerEnd = SkipDigits(start);
    if (integerEnd - start > 1 && m_text.at(start) == u'0')
        return Token::Invalid;
    qsizetype end = integerEnd;
    qsizetype fractionEnd = integerEnd;
    if (At(end) == u'.') {
        fractionEnd = SkipDigits(end + 1);
        end = fractionEnd;
    }
    long exponent = 0;
    if (At(end) == u'e' || At(end) == u'E') {
        qsizetype index = end + 1;
        const bool negative = At(index) == u'-';
        if (At(index) == u'+' || At(index) == u'-')
            ++index;
        const qsizetype exponentEnd = SkipDigits(index);
        if (exponentEnd == index)
            return Token::Invalid;
        for (qsizetype i = index; i < exponentEnd; ++i) // saturates far beyond any limit
            exponent = std::min(exponent * 10 + (m_text.at(i).unicode() - u'0'), 1L << 40);
        exponent = negative ? -exponent : exponent;
        end = exponentEnd;
    }
    m_position = end;
    if (IsIdentifierCharacter(At(end)) || At(end) == u'.')
        return Token::Invalid;
    m_literal.digits.clear();
    for (qsizetype i = start; i < fractionEnd; ++i) {
        const QChar c = m_text.at(i);
        if (IsDigit(c) && (c != u'0' || !m_literal.digits.empty()))
            m_literal.digits.push_back(char(c.unicode()));
    }
    const long fractionDigits = long(std::max<qsizetype>(fractionEnd - integerEnd - 1, 0));
    m_literal.scale = exponent - fractionDigits;
    return Token::Number;
}

// Only Math.pow is a name of exact arithmetic.
Token Parser::ReadName()
{
    const auto readWord = [this] {
        const qsizetype start = m_position;
        while (IsIdentifierCharacter(At(m_position)))
            ++m_position;
        return m_text.mid(start, m_position - start);
    };
    if (readWord() != QLatin1String("Math"))
        return Token::Invalid;
    SkipWhiteSpace();
    if (At(m_position) != u'.')
        return Token::Invalid;
    ++m_position;
    SkipWhiteSpace();
    return readWord() == QLatin1String("pow") ? Token::Power : Token::Invalid;
}

bool LiteralValue(const Literal &literal, Operand &result)
{
    if (literal.digits.empty())
        return true; // zero, whatever its exponent
    const long length = long(literal.digits.size());
    if (length + std::max(literal.scale, 0L) > MaxWorkingDigits
        || -literal.scale > MaxWorkingDigits) {
        result.state = State::TooLong;
        return true;
    }
    mpz_set_str(result.value.numerator(), literal.digits.c_str(), 10);
    Integer power;
    mpz_ui_pow_ui(power.get(), 10, (unsigned long)std::abs(literal.scale));
    if (literal.scale >= 0)
        mpz_mul(result.value.numerator(), result.value.numerator(), power.get());
    else
        mpz_set(result.value.denominator(), power.get());
    mpq_canonicalize(result.value.get());
    return true;
}

// Bits of the result's numerator and denominator before reduction: never fewer than it has.
struct Bits
{
    size_t numerator;
    size_t denominator;
};

Bits BitsOf(Token operation, const Rational &a, const Rational &b)
{
    const size_t an = a.numeratorBits(), ad = a.denominatorBits();
    const size_t bn = b.numeratorBits(), bd = b.denominatorBits();
    switch (operation) {
    case Token::Times:
        return {an + bn, ad + bd};
    case Token::Divide:
        return {an + bd, ad + bn};
    default:
        return {std::max(an + bd, bn + ad) + 1, ad + bd};
    }
}

void Apply(Token operation, Operand &left, const Operand &right)
{
    if (operation == Token::Divide && right.state == State::Known
        && mpq_sgn(right.value.get()) == 0) {
        left.state = State::Undefined;
        return;
    }
    Combine(left, right);
    if (left.state != State::Known)
        return;
    const Rational &a = left.value;
    const Rational &b = right.value;
    const Bits bits = BitsOf(operation, a, b);
    if (bits.numerator > MaxWorkingBits || bits.denominator > MaxWorkingBits) {
        left.state = State::TooLong;
        return;
    }
    switch (operation) {
    case Token::Plus:
        mpq_add(left.value.get(), a.get(), b.get());
        break;
    case Token::Minus:
        mpq_sub(left.value.get(), a.get(), b.get());
        break;
    case Token::Times:
        mpq_mul(left.value.get(), a.get(), b.get());
        break;
    default:
        mpq_div(left.value.get(), a.get(), b.get());
    }
}

// The engine's Math.pow for a whole exponent; any other exponent is not exact.
void RaiseToPower(Operand &base, const Operand &exponent)
{
    Combine(base, exponent);
    if (base.state != State::Known)
        return;
    const Rational &power = exponent.value;
    if (mpz_cmp_ui(mpq_denref(power.get()), 1) != 0) {
        base.state = State::Undefined;
        return;
    }
    mpz_srcptr n = mpq_numref(power.get());
    const int baseSign = mpq_sgn(base.value.get());
    const bool unit = mpz_cmpabs_ui(base.value.numerator(), 1) == 0
            && mpz_cmp_ui(base.value.denominator(), 1) == 0;
    if (mpz_sgn(n) == 0) {
        mpq_set_ui(base.value.get(), 1, 1);
        return;
    }
    if (baseSign == 0) {
        if (mpz_sgn(n) < 0)
            base.state = State::Undefined; // an infinity
        return;
    }
    if (unit) {
        if (mpz_even_p(n))
            mpq_set_ui(base.value.get(), 1, 1);
        return;
    }
    const size_t bits = std::max(base.value.numeratorBits(), base.value.denominatorBits()) - 1;
    if (!mpz_fits_slong_p(n) || (bits * size_t(std::abs(mpz_get_si(n))) > MaxWorkingBits)) {
        base.state = State::TooLong;
        return;
    }
    const long exponentValue = mpz_get_si(n);
    const unsigned long magnitude = (unsigned long)std::abs(exponentValue);
    mpz_pow_ui(base.value.numerator(), base.value.numerator(), magnitude);
    mpz_pow_ui(base.value.denominator(), base.value.denominator(), magnitude);
    if (exponentValue < 0)
        mpq_inv(base.value.get(), base.value.get());
}

bool Parser::Sum(Operand &result, int depth)
{
    if (!Product(result, depth))
        return false;
    while (m_token == Token::Plus || m_token == Token::Minus) {
        const Token operation = m_token;
        Next();
        Operand right;
        if (!Product(right, depth))
            return false;
        Apply(operation, result, right);
    }
    return true;
}

bool Parser::Product(Operand &result, int depth)
{
    if (!Signed(result, depth))
        return false;
    while (m_token == Token::Times || m_token == Token::Divide) {
        const Token operation = m_token;
        Next();
        Operand right;
        if (!Signed(right, depth))
            return false;
        Apply(operation, result, right);
    }
    return true;
}

bool Parser::Signed(Operand &result, int depth)
{
    if (depth > MaxNestingDepth)
        return false;
    if (m_token != Token::Plus && m_token != Token::Minus)
        return Primary(result, depth);
    const bool negate = m_token == Token::Minus;
    Next();
    if (!Signed(result, depth + 1))
        return false;
    if (negate)
        mpq_neg(result.value.get(), result.value.get());
    return true;
}

bool Parser::Primary(Operand &result, int depth)
{
    switch (m_token) {
    case Token::Number: {
        const Literal literal = m_literal;
        Next();
        return LiteralValue(literal, result);
    }
    case Token::Open:
        Next();
        return Sum(result, depth + 1) && Expect(Token::Close);
    case Token::Power:
        Next();
        return PowerCall(result, depth + 1);
    default:
        return false;
    }
}

bool Parser::PowerCall(Operand &result, int depth)
{
    Operand exponent;
    if (!Expect(Token::Open) || !Sum(result, depth) || !Expect(Token::Comma)
        || !Sum(exponent, depth) || !Expect(Token::Close))
        return false;
    RaiseToPower(result, exponent);
    return true;
}

QString DigitsOf(mpz_srcptr value)
{
    std::string digits(mpz_sizeinbase(value, 10) + 2, '\0');
    mpz_get_str(digits.data(), 10, value);
    return QString::fromLatin1(digits.c_str());
}

// |value| has more than MaxExactDigits digits.
bool HasTooManyDigits(mpz_srcptr value)
{
    static const struct Limit
    {
        Limit()
        {
            mpz_init(power);
            mpz_ui_pow_ui(power, 10, MaxExactDigits);
        }
        ~Limit() { mpz_clear(power); }
        mpz_t power;
    } limit;
    return mpz_cmpabs(value, limit.power) >= 0;
}

// The next decimal digit of remainder / denominator, leaving the new remainder.
QChar NextDigit(mpz_ptr remainder, mpz_srcptr denominator, mpz_ptr quotient)
{
    mpz_mul_ui(remainder, remainder, 10);
    mpz_tdiv_qr(quotient, remainder, remainder, denominator);
    return QChar(char16_t(u'0' + mpz_get_ui(quotient)));
}

// The digits after the point: those before the repetition, then the repeating ones in
// parentheses; each run is cut with "…" after MaxRepeatingDigits.
QString FractionDigits(mpz_ptr remainder, mpz_srcptr denominator)
{
    Integer rest, quotient;
    const size_t twos = mpz_scan1(denominator, 0);
    const size_t fives = mpz_remove(rest.get(), denominator, [] {
        static const struct Five
        {
            Five() { mpz_init_set_ui(value, 5); }
            ~Five() { mpz_clear(value); }
            mpz_t value;
        } five;
        return five.value;
    }());
    const size_t leading = std::max(twos, fives);
    QString digits;
    for (size_t i = 0; i < std::min<size_t>(leading, MaxRepeatingDigits); ++i)
        digits.append(NextDigit(remainder, denominator, quotient.get()));
    if (leading > size_t(MaxRepeatingDigits))
        return digits + u'…';
    if (mpz_sgn(remainder) == 0)
        return digits;
    Integer start;
    mpz_set(start.get(), remainder);
    digits.append(u'(');
    for (int i = 0; i < MaxRepeatingDigits; ++i) {
        digits.append(NextDigit(remainder, denominator, quotient.get()));
        if (mpz_cmp(remainder, start.get()) == 0)
            return digits + u')';
    }
    return digits + QStringLiteral("…)");
}

ExactValue Describe(Rational &value)
{
    ExactValue described;
    described.kind = ExactKind::Value;
    mpz_ptr numerator = value.numerator();
    mpz_ptr denominator = value.denominator();
    described.fraction = DigitsOf(numerator);
    if (mpz_cmp_ui(denominator, 1) == 0)
        return described;
    const QString denominatorText = DigitsOf(denominator);
    described.fraction += u'/' + denominatorText;
    const QString sign = mpz_sgn(numerator) < 0 ? QStringLiteral("-") : QString();
    Integer whole, remainder;
    mpz_tdiv_qr(whole.get(), remainder.get(), numerator, denominator);
    mpz_abs(whole.get(), whole.get());
    mpz_abs(remainder.get(), remainder.get());
    const QString wholeText = DigitsOf(whole.get());
    if (mpz_sgn(whole.get()) != 0)
        described.mixed
                = sign + wholeText + u'又' + DigitsOf(remainder.get()) + u'/' + denominatorText;
    described.decimal = sign + wholeText + u'.' + FractionDigits(remainder.get(), denominator);
    return described;
}

} // namespace

ExactValue EvaluateExactly(const QString &prepared)
{
    Operand result;
    if (!Parser(prepared).Parse(result) || result.state == State::Undefined)
        return {};
    if (result.state == State::TooLong || HasTooManyDigits(result.value.numerator())
        || HasTooManyDigits(result.value.denominator())) {
        ExactValue tooLong;
        tooLong.kind = ExactKind::TooLong;
        return tooLong;
    }
    return Describe(result.value);
}

} // namespace Eval
