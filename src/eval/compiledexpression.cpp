#include "compiledexpression.h"

#include "booleantext.h"
#include "notation.h"
#include "numberformat.h"
#include "scriptcompiler.h"
#include "scriptfastcode.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace Eval {

using namespace ScriptArithmetic;

namespace {

// What the engine makes of `number` as a result text (Number::toString).
QString ScriptNumberText(double number)
{
    if (std::isnan(number))
        return QStringLiteral("-1.#IND");
    if (std::isinf(number))
        return number > 0 ? QStringLiteral("1.#INF") : QStringLiteral("-1.#INF");
    if (number == 0)
        return QStringLiteral("0");
    // The shortest digits that read back as the number, d.ddde±x.
    char scientific[32];
    char *end = std::to_chars(scientific, scientific + sizeof scientific - 1, std::fabs(number),
                              std::chars_format::scientific)
                        .ptr;
    *end = '\0';
    const char *e = std::find(scientific, end, 'e');
    char digits[24];
    int k = 0;
    for (const char *c = scientific; c < e; ++c) {
        if (*c != '.')
            digits[k++] = *c;
    }
    const int n = std::atoi(e + 1) + 1; // the value is 0.digits * 10^n
    char text[48];
    int length = 0;
    const auto put = [&](char c, int count = 1) {
        while (count-- > 0)
            text[length++] = c;
    };
    const auto putDigits = [&](int from, int to) {
        for (int i = from; i < to; ++i)
            put(digits[i]);
    };
    if (number < 0)
        put('-');
    if (k <= n && n <= 21) {
        putDigits(0, k);
        put('0', n - k);
    } else if (0 < n && n <= 21) {
        putDigits(0, n);
        put('.');
        putDigits(n, k);
    } else if (-6 < n && n <= 0) {
        put('0');
        put('.');
        put('0', -n);
        putDigits(0, k);
    } else {
        putDigits(0, 1);
        if (k > 1) {
            put('.');
            putDigits(1, k);
        }
        put('e');
        put(n - 1 >= 0 ? '+' : '-');
        const auto exponent = std::to_chars(text + length, text + sizeof text, std::abs(n - 1));
        length = int(exponent.ptr - text);
    }
    return QString::fromLatin1(text, length);
}

// Undefined and null give the empty text, like no value at all.
bool IsNothing(const std::optional<Value> &result)
{
    return !result || result->kind == Kind::Undefined || result->kind == Kind::Null;
}

QString ResultText(const std::optional<Value> &result)
{
    if (IsNothing(result))
        return {};
    if (result->kind == Kind::Boolean)
        return BooleanToText(result->number != 0);
    return ScriptNumberText(result->number);
}

// What EvaluateFunctionAt makes of a number's result text.
double NumberValue(double number)
{
    if (!std::isfinite(number))
        return UndefinedValue;
    return number == 0 ? 0.0 : number;
}

double ResultValue(const std::optional<Value> &result)
{
    if (IsNothing(result))
        return UndefinedValue;
    if (result->kind == Kind::Boolean)
        return 0;
    return NumberValue(result->number);
}

} // namespace

std::optional<QString> EvaluateWithoutEngine(const QString &program)
{
    const std::vector<Token> tokens = Tokenize(program);
    if (tokens.empty())
        return std::nullopt;
    const std::optional<Compiled> compiled = CompileTokens(tokens);
    if (!compiled)
        return std::nullopt;
    bool undecided = false;
    const std::optional<Value> result = RunCompiled(*compiled, {}, undecided);
    // A function's result is its source text.
    if (undecided || (result && result->kind == Kind::Function))
        return std::nullopt;
    return ResultText(result);
}

// Exact powers of ten as doubles.
constexpr std::array<double, 23> PowersOfTen{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The doubles nearest to 10^-10 ... 10^22, by exponent + 10.
constexpr std::array<double, 33> DecadeStarts{1e-10, 1e-9, 1e-8, 1e-7, 1e-6, 1e-5, 1e-4, 1e-3, 1e-2,
                                              1e-1,  1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,   1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16,
                                              1e17,  1e18, 1e19, 1e20, 1e21, 1e22};

namespace {

// For every x a function is sampled at: the digits of x's text without making the text, in
// a handful of operations and without a branch that depends on the digits. The magnitude of
// x's value is digits / divisor; false where only ShownValue can tell.
Q_ALWAYS_INLINE bool ShownDigits(double magnitude, double &digits, double &divisor)
{
    if (Q_UNLIKELY(!(magnitude >= 1e-10 && magnitude < 1e22)))
        return false;
    std::uint64_t bits;
    std::memcpy(&bits, &magnitude, sizeof bits);
    // floor(log10(2) * the binary exponent) is the decimal one or one low; the decade's start
    // says which. A start not exactly a power of ten can make it one off, which leaves the
    // thirteen digits out of range below and so goes to ShownValue.
    int exponent = ((int(bits >> 52) - 1023) * 78913) >> 18;
    exponent += magnitude >= DecadeStarts[std::size_t(exponent + 11)];
    const int shift = 12 - exponent;
    const double scaled = shift >= 0 ? magnitude * PowersOfTen[std::size_t(shift)]
                                     : magnitude / PowersOfTen[std::size_t(-shift)];
    // Below 2^44 the one rounding of the scaling is at most 2^-10 off, so away from a half
    // (and from the ends of the thirteen digits) the scaled value rounds as the exact one.
    // Adding and taking away 2^52 rounds it to a whole number.
    const double rounded = (scaled + 0x1p52) - 0x1p52;
    if (Q_UNLIKELY(!(scaled >= 1e12 + 1 && scaled < 1e13 - 1)
                   || !(std::fabs(scaled - rounded) < 0.5 - 1.0 / 256)))
        return false;
    digits = shift >= 0 ? rounded : rounded * PowersOfTen[std::size_t(-shift)];
    divisor = shift >= 0 ? PowersOfTen[std::size_t(shift)] : 1;
    return true;
}

Q_ALWAYS_INLINE double ShownValueInline(double x)
{
    double digits;
    double divisor;
    if (Q_UNLIKELY(!ShownDigits(std::fabs(x), digits, divisor)))
        return ShownValue(x);
    return std::copysign(digits / divisor, x);
}

// ShownValueInline's magnitudes for the xs of one sign from the first: how many, and whether
// negative. A scan's neighbouring x mostly share their decade, so the first one's is tried
// for all, in a loop without branches that the processor runs two x at a time; an x it does
// not suit gets its own.
int ShownMagnitudes(const double *xs, int count, double *magnitudes, bool &negative)
{
    // Two x at a time: an odd count is padded with the first x, so the spare lane rounds too.
    const int lanes = (count + 1) & ~1;
    std::array<double, FastBatch> padded;
    std::copy_n(xs, count, padded.begin());
    if (lanes > count)
        padded[std::size_t(count)] = xs[0];
    double digits = 0;
    double power = 1;
    ShownDigits(std::fabs(xs[0]), digits, power);
    negative = std::signbit(xs[0]);
    // An x of the other sign scales to below the thirteen digits and so does not suit.
    const double signedPower = negative ? -power : power;
    // How far each scaled x is from suiting, below 0 where it suits: within the thirteen
    // digits and away from a half.
    std::array<double, FastBatch> misfit;
    for (int i = 0; i < lanes; ++i) {
        const double scaled = padded[i] * signedPower;
        const double rounded = (scaled + 0x1p52) - 0x1p52;
        magnitudes[i] = rounded / power;
        const double belowRange = (1e12 + 1) - scaled;
        const double aboveRange = scaled - (1e13 - 1);
        const double offHalf = std::fabs(scaled - rounded) - (0.5 - 1.0 / 256);
        const double outOfRange = belowRange > aboveRange ? belowRange : aboveRange;
        misfit[i] = outOfRange > offHalf ? outOfRange : offHalf;
    }
    for (int i = 0; i < count; ++i) {
        if (Q_LIKELY(misfit[i] < 0))
            continue;
        if (std::signbit(xs[i]) != negative || !std::isfinite(xs[i]))
            return i;
        const double shown = ShownValueInline(xs[i]);
        if (std::signbit(shown) != negative)
            return i;
        magnitudes[i] = std::fabs(shown);
    }
    return count;
}

// Whether the sign bits of xs are all alike, in a loop the processor runs several x at a time.
bool OfOneSign(const double *xs, int count)
{
    std::uint64_t any = 0;
    std::uint64_t all = ~std::uint64_t(0);
    for (int i = 0; i < count; ++i) {
        std::uint64_t bits;
        std::memcpy(&bits, &xs[i], sizeof bits);
        any |= bits;
        all &= bits;
    }
    return (any >> 63) == (all >> 63);
}

} // namespace

double ShownValueQuickly(double x)
{
    return ShownValueInline(x);
}

struct CompiledFunction::Code
{
    Compiled compiled;
    std::optional<FastCode> fast;
};

namespace {

// Pairs of values of x whose texts differ in every digit, so that every piece of program that
// x's text went into differs between the two; one pair per form of the text.
constexpr std::array<std::pair<double, double>, 2> SampleValues{{
        {3, 4},
        {1.5e-7, 2.6e-118},
}};

// Where x's text is in a literal that is otherwise the same for both values of x, or -1.
qsizetype VariablePlace(QStringView literal, QStringView text, QStringView otherLiteral,
                        QStringView otherText)
{
    const qsizetype rest = literal.size() - text.size();
    if (rest < 0 || rest != otherLiteral.size() - otherText.size())
        return -1;
    for (qsizetype at = 0; at <= rest; ++at) {
        if (literal.mid(at, text.size()) == text
            && otherLiteral.mid(at, otherText.size()) == otherText
            && literal.left(at) == otherLiteral.left(at)
            && literal.mid(at + text.size()) == otherLiteral.mid(at + otherText.size()))
            return at;
    }
    return -1;
}

// The program for x = value, with x's own number marked, or nothing when x's text does not
// stay one number of its own in it.
std::vector<Token> MarkedTokens(const QString &expression, double value, double other,
                                QString &program, QString &otherProgram)
{
    program = FunctionProgram(expression, u'x', value);
    otherProgram = FunctionProgram(expression, u'x', other);
    std::vector<Token> tokens = Tokenize(program);
    const std::vector<Token> otherTokens = Tokenize(otherProgram);
    if (tokens.empty() || tokens.size() != otherTokens.size())
        return {};
    const QString text = NumberToText(std::fabs(value));
    const QString otherText = NumberToText(std::fabs(other));
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].text == otherTokens[i].text && tokens[i].kind == otherTokens[i].kind)
            continue;
        if (tokens[i].kind != TokenKind::Number || otherTokens[i].kind != TokenKind::Number)
            return {};
        const qsizetype at = VariablePlace(tokens[i].text, text, otherTokens[i].text, otherText);
        if (at < 0)
            return {};
        tokens[i].variable = true;
        if (tokens[i].text != text) {
            tokens[i].variableAt = at;
            tokens[i].variableLength = text.size();
        }
    }
    return tokens;
}

std::optional<Compiled> CompileSign(const QString &expression, double sign)
{
    std::optional<Compiled> agreed;
    for (const auto &[value, other] : SampleValues) {
        QString program;
        QString otherProgram;
        const std::vector<Token> tokens
                = MarkedTokens(expression, sign * value, sign * other, program, otherProgram);
        // Fails unread for every x, as RunProgram refuses it.
        if (NestsTooDeeply(program))
            return Compiled{};
        if (tokens.empty())
            return std::nullopt;
        std::optional<Compiled> compiled = CompileTokens(tokens);
        if (!compiled || (agreed && !(*compiled == *agreed)))
            return std::nullopt;
        agreed = std::move(compiled);
    }
    return agreed;
}

// The postfix code, which keeps the account of how the engine holds each value.
bool CodeValue(const Compiled &compiled, double magnitude, double &value)
{
    bool undecided = false;
    const std::optional<Value> result = RunCompiled(compiled, Constant(magnitude), undecided);
    if (undecided || (result && result->kind == Kind::Function))
        return false;
    value = ResultValue(result);
    return true;
}

} // namespace

CompiledFunction::CompiledFunction() = default;
CompiledFunction::~CompiledFunction() = default;
CompiledFunction::CompiledFunction(const CompiledFunction &) = default;
CompiledFunction &CompiledFunction::operator=(const CompiledFunction &) = default;

CompiledFunction CompiledFunction::Compile(const QString &expression)
{
    const auto code = [&expression](double sign) -> std::shared_ptr<const Code> {
        std::optional<Compiled> compiled = CompileSign(expression, sign);
        if (!compiled)
            return nullptr;
        std::optional<FastCode> fast = MakeFastCode(*compiled);
        return std::make_shared<const Code>(Code{std::move(*compiled), std::move(fast)});
    };
    CompiledFunction function;
    function.m_positive = code(1);
    function.m_negative = code(-1);
    return function;
}

// A negative x is written " -" and its magnitude, so its program holds the magnitude.
bool CompiledFunction::Evaluate(double x, double &value) const
{
    if (Q_UNLIKELY(!std::isfinite(x)))
        return false;
    const double shown = ShownValueInline(x);
    const Code *code = std::signbit(shown) ? m_negative.get() : m_positive.get();
    if (Q_UNLIKELY(!code))
        return false;
    const double magnitude = std::fabs(shown);
    if (Q_LIKELY(code->fast)) {
        if (const std::optional<double> number = RunFast(*code->fast, magnitude)) {
            value = NumberValue(*number);
            return true;
        }
    }
    return CodeValue(code->compiled, magnitude, value);
}

int CompiledFunction::ValuesOfOneSign(const double *xs, double *values, int count) const
{
    BatchRegisters registers;
    double *magnitudes = registers[0];
    bool negative = false;
    const int size = ShownMagnitudes(xs, count, magnitudes, negative);
    const Code *code = negative ? m_negative.get() : m_positive.get();
    if (size == 0 || !code || !code->fast)
        return 0;
    const int decided = RunFastBatch(*code->fast, registers, size);
    const double *results = registers[code->fast->resultRegister];
    for (int i = 0; i < decided; ++i)
        values[i] = NumberValue(results[i]);
    return decided;
}

// Each sign has code of its own, so a batch whose x change sign (a parity scan asks for x and
// -x in turn) runs as two: the x of each sign gathered, their values put back in place.
int CompiledFunction::ValuesOfMixedSigns(const double *xs, double *values, int count) const
{
    std::array<std::array<int, FastBatch>, 2> lanes;
    std::array<int, 2> counts{0, 0};
    for (int i = 0; i < count; ++i) {
        const bool negative = std::signbit(xs[i]);
        lanes[negative][counts[negative]++] = i;
    }
    int decided = count;
    for (std::size_t sign = 0; sign < 2; ++sign) {
        std::array<double, FastBatch> signXs;
        std::array<double, FastBatch> signValues;
        for (int j = 0; j < counts[sign]; ++j)
            signXs[j] = xs[lanes[sign][j]];
        const int done = ValuesOfOneSign(signXs.data(), signValues.data(), counts[sign]);
        for (int j = 0; j < done; ++j)
            values[lanes[sign][j]] = signValues[j];
        if (done < counts[sign])
            decided = std::min(decided, lanes[sign][done]);
    }
    return decided;
}

std::size_t CompiledFunction::ValuesAt(const double *xs, double *values, std::size_t count) const
{
    std::size_t done = 0;
    while (done < count) {
        const int size = int(std::min<std::size_t>(count - done, FastBatch));
        const int decided = OfOneSign(xs + done, size)
                ? ValuesOfOneSign(xs + done, values + done, size)
                : ValuesOfMixedSigns(xs + done, values + done, size);
        done += std::size_t(decided);
        if (decided < size)
            return done;
    }
    return done;
}

bool CompiledFunction::hasFastCode() const
{
    return (m_positive && m_positive->fast) || (m_negative && m_negative->fast);
}

bool CompiledFunction::coversPositive() const
{
    return m_positive != nullptr;
}

bool CompiledFunction::coversNegative() const
{
    return m_negative != nullptr;
}

} // namespace Eval
