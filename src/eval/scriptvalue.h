#pragma once

// The values of the arithmetic the fast evaluator runs, and what the script engine's operators
// and Math functions make of them, to the last bit.

#include <QRandomGenerator>
#include <QtGlobal>
#include <QtMath>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace Eval::ScriptArithmetic {

// How the engine holds a value decides a few results: it multiplies two whole numbers held as
// integers in integer arithmetic, so their zero product is +0 where a double product is -0,
// and its Math.abs of the integer -2^31 is garbage. Other results are the same either way.
// Number means integer or double, not known which. The engine works out a minus before a
// number literal while compiling; -2147483648 so made is a double that becomes an integer
// when it is loaded for an operation (as a right operand, a ?: branch), not when it is
// moved aside (as a left operand or an argument): that is LoadsAsInteger.
// Undefined (a Math member that does not exist), Null and Function (a Math function not
// called) are not numbers; in arithmetic they read as NaN, 0 and NaN. A Function's number is a
// NaN whose payload tells the functions apart, for == and ===.
enum class Kind : quint8 {
    Integer,
    Double,
    Number,
    Boolean,
    LoadsAsInteger,
    Undefined,
    Null,
    Function
};

inline Kind Loaded(Kind kind)
{
    return kind == Kind::LoadsAsInteger ? Kind::Integer : kind;
}

inline Kind Moved(Kind kind)
{
    return kind == Kind::LoadsAsInteger ? Kind::Double : kind;
}

struct Value
{
    double number = 0; // a Boolean is 0 or 1
    Kind kind = Kind::Integer;
};

// How a value takes part in arithmetic: null counts as false does (an integer 0 that unary
// plus makes a double), the values that read as NaN as doubles.
inline Kind Arithmetic(Kind kind)
{
    switch (kind) {
    case Kind::Null:
        return Kind::Boolean;
    case Kind::Undefined:
    case Kind::Function:
        return Kind::Double;
    default:
        return kind;
    }
}

inline bool IsNumber(Kind kind)
{
    return kind == Kind::Integer || kind == Kind::Double || kind == Kind::Number
            || kind == Kind::LoadsAsInteger;
}

inline bool IsInteger32(double value)
{
    return value >= -2147483648.0 && value <= 2147483647.0 && std::trunc(value) == value
            && !(value == 0 && std::signbit(value));
}

// Whether both values are held as integers (a Boolean counts as one): yes, no or maybe.
enum class Both : quint8 { Yes, No, Maybe };

inline Both BothIntegers(Kind a, Kind b)
{
    if (a == Kind::Double || b == Kind::Double)
        return Both::No;
    if (a == Kind::Number || b == Kind::Number)
        return Both::Maybe;
    return Both::Yes;
}

// Whether the engine divides Booleans as integers is not known.
inline Both WithBooleansUnknown(Both both, Value a, Value b)
{
    const bool boolean = a.kind == Kind::Boolean || b.kind == Kind::Boolean;
    return both == Both::Yes && boolean ? Both::Maybe : both;
}

// The kind of a result that the integer arithmetic keeps as an integer when it can.
inline Kind IntegerIfItFits(Both both, double result)
{
    if (both == Both::No || !IsInteger32(result))
        return Kind::Double;
    return both == Both::Yes ? Kind::Integer : Kind::Number;
}

// A number as the engine holds a literal, or a result it stores the smallest way: as an
// integer when it is one.
inline Value Constant(double number)
{
    return {number, IsInteger32(number) ? Kind::Integer : Kind::Double};
}

inline bool ToBoolean(Value value)
{
    return value.kind == Kind::Function || !(value.number == 0 || std::isnan(value.number));
}

inline std::int32_t ToInt32(double value)
{
    if (!std::isfinite(value))
        return 0;
    const double wrapped = std::fmod(std::trunc(value), 4294967296.0);
    return std::int32_t(std::uint32_t(std::int64_t(wrapped)));
}

enum class Op : quint8 {
    Constant,
    Variable,
    VariableInText, // x's digits within a literal of their own ("3x" typed with a wide 3)
    Negate,
    NegateConstant,
    Plus,
    Not,
    Complement,
    Add,
    Subtract,
    Multiply,
    Divide,
    Remainder,
    Power,
    ShiftLeft,
    ShiftRight,
    ShiftRightUnsigned,
    BitAnd,
    BitOr,
    BitXor,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    Equal,
    NotEqual,
    StrictEqual,
    StrictNotEqual,
    And,
    Or,
    Comma,
    Conditional,
    Call,
};

enum class MathFunction : quint8 {
    Abs,
    Acos,
    Acosh,
    Asin,
    Asinh,
    Atan,
    Atanh,
    Atan2,
    Cbrt,
    Ceil,
    Cos,
    Cosh,
    Clz32,
    Exp,
    Expm1,
    Floor,
    Fround,
    Hypot,
    Imul,
    Log,
    Log1p,
    Log10,
    Log2,
    Max,
    Min,
    Pow,
    Random,
    Round,
    Sign,
    Sin,
    Sinh,
    Sqrt,
    Tan,
    Tanh,
    Trunc,
};

// The engine's Math.pow: a NaN exponent, and ±1 to an infinite power, give NaN.
inline double MathPow(double base, double exponent)
{
    if (std::isnan(exponent) || (std::fabs(base) == 1 && std::isinf(exponent)))
        return std::numeric_limits<double>::quiet_NaN();
    return std::pow(base, exponent);
}

// The ** operator differs from Math.pow: 1 ** NaN is 1.
inline double PowerOperator(double base, double exponent)
{
    if (std::fabs(base) == 1 && std::isinf(exponent))
        return std::numeric_limits<double>::quiet_NaN();
    return std::pow(base, exponent);
}

// Halves go up; the engine adds 0.5 and takes the floor, keeping the sign of a zero.
inline double MathRound(double value)
{
    if (!std::isfinite(value))
        return value;
    if (value < 0.5 && value >= -0.5)
        return std::copysign(0.0, value);
    return std::floor(value + 0.5);
}

inline double MathSign(double value)
{
    if (value > 0)
        return 1;
    if (value < 0)
        return -1;
    return value; // ±0 and NaN
}

// Any NaN makes NaN; -0 is smaller than +0.
inline double Extreme(const Value *arguments, int count, bool largest)
{
    double extreme = largest ? -std::numeric_limits<double>::infinity()
                             : std::numeric_limits<double>::infinity();
    bool nan = false;
    for (int i = 0; i < count; ++i) {
        const double value = arguments[i].number;
        if (std::isnan(value)) {
            nan = true;
        } else if (largest ? (value > extreme
                              || (value == 0 && extreme == 0 && !std::signbit(value)))
                           : (value < extreme
                              || (value == 0 && extreme == 0 && std::signbit(value)))) {
            extreme = value;
        }
    }
    return nan ? std::numeric_limits<double>::quiet_NaN() : extreme;
}

inline double CallOneArgument(MathFunction function, double a)
{
    switch (function) {
    case MathFunction::Abs:
        return std::fabs(a);
    case MathFunction::Acos:
        return std::acos(a);
    case MathFunction::Acosh:
        return std::acosh(a);
    case MathFunction::Asin:
        return std::asin(a);
    case MathFunction::Asinh:
        return std::asinh(a);
    case MathFunction::Atan:
        return std::atan(a);
    case MathFunction::Atanh:
        return std::atanh(a);
    case MathFunction::Cbrt:
        return std::cbrt(a);
    case MathFunction::Ceil:
        return std::ceil(a);
    case MathFunction::Cos:
        return std::cos(a);
    case MathFunction::Cosh:
        return std::cosh(a);
    case MathFunction::Exp:
        return std::exp(a);
    case MathFunction::Expm1:
        return std::expm1(a);
    case MathFunction::Floor:
        return std::floor(a);
    case MathFunction::Log:
        return std::log(a);
    case MathFunction::Log1p:
        return std::log1p(a);
    case MathFunction::Log10:
        return std::log10(a);
    case MathFunction::Log2:
        return std::log2(a);
    case MathFunction::Round:
        return MathRound(a);
    case MathFunction::Sign:
        return MathSign(a);
    case MathFunction::Sin:
        return std::sin(a);
    case MathFunction::Sinh:
        return std::sinh(a);
    case MathFunction::Sqrt:
        return std::sqrt(a);
    case MathFunction::Tan:
        return std::tan(a);
    case MathFunction::Tanh:
        return std::tanh(a);
    case MathFunction::Trunc:
        return std::trunc(a);
    default:
        return std::numeric_limits<double>::quiet_NaN();
    }
}

// The engine's Math.hypot: scaled by the largest magnitude so far, an infinity winning over NaN.
inline double MathHypot(const Value *arguments, int count)
{
    if (count == 0)
        return 0;
    QtPrivate::QHypotHelper<double> hypot(arguments[0].number);
    for (int i = 1; i < count; ++i)
        hypot = hypot.add(arguments[i].number);
    return hypot.result();
}

inline std::uint32_t ToUint32(double value)
{
    return std::uint32_t(ToInt32(value));
}

// Extra arguments are ignored. The arguments are moved aside, not loaded.
inline Value Call(MathFunction function, const Value *arguments, int count, bool &undecided)
{
    const auto argument = [&](int i) {
        return i < count ? arguments[i].number : std::numeric_limits<double>::quiet_NaN();
    };
    switch (function) {
    case MathFunction::Max:
    case MathFunction::Min:
        return Constant(Extreme(arguments, count, function == MathFunction::Max));
    case MathFunction::Pow:
        return {MathPow(argument(0), argument(1)), Kind::Double};
    case MathFunction::Atan2:
        return {std::atan2(argument(0), argument(1)), Kind::Double};
    case MathFunction::Hypot:
        return {MathHypot(arguments, count), Kind::Double};
    case MathFunction::Fround: {
        const double value = argument(0);
        return {std::isnan(value) ? value : double(float(value)), Kind::Double};
    }
    case MathFunction::Clz32:
        return {double(qCountLeadingZeroBits(ToUint32(argument(0)))), Kind::Integer};
    case MathFunction::Imul:
        return {double(std::int32_t(ToUint32(argument(0)) * ToUint32(argument(1)))), Kind::Integer};
    case MathFunction::Random:
        return {QRandomGenerator::global()->generateDouble(), Kind::Double};
    case MathFunction::Floor:
    case MathFunction::Sign:
        return Constant(CallOneArgument(function, argument(0)));
    case MathFunction::Abs: {
        // Integers keep to integer arithmetic, any zero becomes the integer 0, other values
        // are doubles; the integer -2^31 gives garbage.
        const double result = std::fabs(argument(0));
        const Kind kind = count > 0 ? Arithmetic(Moved(arguments[0].kind)) : Kind::Double;
        if (kind != Kind::Double && kind != Kind::Boolean && argument(0) == -2147483648.0)
            undecided = true;
        if (result == 0)
            return {0.0, Kind::Integer};
        if (kind == Kind::Integer)
            return {result, Kind::Integer};
        return {result, kind == Kind::Number ? Kind::Number : Kind::Double};
    }
    default:
        return {CallOneArgument(function, argument(0)), Kind::Double};
    }
}

inline Value Unary(Op op, Value a)
{
    if (op != Op::Not)
        a.kind = Arithmetic(a.kind);
    switch (op) {
    case Op::Negate: {
        const double result = -a.number;
        if (a.number == 0)
            return {result, Kind::Double};
        return {result, IntegerIfItFits(BothIntegers(Loaded(a.kind), Kind::Integer), result)};
    }
    case Op::NegateConstant: {
        // Done while compiling, on the literal as it is held.
        const double result = -a.number;
        if (Moved(a.kind) == Kind::Integer && a.number != 0)
            return {result, Kind::Integer};
        return {result, IsInteger32(result) ? Kind::LoadsAsInteger : Kind::Double};
    }
    case Op::Plus:
        return a.kind == Kind::Boolean ? Value{a.number, Kind::Double} : a;
    case Op::Not:
        return {ToBoolean(a) ? 0.0 : 1.0, Kind::Boolean};
    case Op::Complement:
        return {double(~ToInt32(a.number)), Kind::Integer};
    default:
        return a;
    }
}

inline Value Comparison(bool result)
{
    return {result ? 1.0 : 0.0, Kind::Boolean};
}

// ===: of one type and equal; functions by identity, which their NaN's payload tells.
inline bool StrictlyEqual(Value a, Value b)
{
    if (IsNumber(a.kind) || IsNumber(b.kind))
        return IsNumber(a.kind) && IsNumber(b.kind) && a.number == b.number;
    if (a.kind != b.kind)
        return false;
    if (a.kind == Kind::Function)
        return std::memcmp(&a.number, &b.number, sizeof a.number) == 0;
    return a.kind != Kind::Boolean || a.number == b.number;
}

// ==: undefined and null equal each other only; a function equals itself only (against a
// number it reads as NaN); numbers and Booleans compare as numbers.
inline bool LooselyEqual(Value a, Value b)
{
    const auto nothing = [](Kind kind) { return kind == Kind::Undefined || kind == Kind::Null; };
    if (nothing(a.kind) || nothing(b.kind))
        return nothing(a.kind) && nothing(b.kind);
    if (a.kind == Kind::Function && b.kind == Kind::Function)
        return StrictlyEqual(a, b);
    return a.number == b.number;
}

// Sets `undecided` where the engine's result depends on how it holds the operands.
inline Value Binary(Op op, Value a, Value b, bool &undecided)
{
    if (op == Op::Comma)
        return b;
    if (op == Op::And || op == Op::Or) {
        const Value result = ToBoolean(a) == (op == Op::Or) ? a : b;
        return {result.number, Loaded(result.kind)};
    }
    a.kind = Moved(a.kind);
    b.kind = Loaded(b.kind);
    switch (op) {
    case Op::Equal:
        return Comparison(LooselyEqual(a, b));
    case Op::NotEqual:
        return Comparison(!LooselyEqual(a, b));
    case Op::StrictEqual:
        return Comparison(StrictlyEqual(a, b));
    case Op::StrictNotEqual:
        return Comparison(!StrictlyEqual(a, b));
    default:
        break;
    }
    // A function joins a sum as its text, and two functions compare as texts.
    const bool functionA = a.kind == Kind::Function;
    const bool functionB = b.kind == Kind::Function;
    if ((op == Op::Add && (functionA || functionB))
        || (functionA && functionB && op >= Op::Less && op <= Op::GreaterEqual)) {
        undecided = true;
        return {std::numeric_limits<double>::quiet_NaN(), Kind::Double};
    }
    a.kind = Arithmetic(a.kind);
    b.kind = Arithmetic(b.kind);
    const double x = a.number;
    const double y = b.number;
    const Both both = BothIntegers(a.kind, b.kind);
    switch (op) {
    case Op::Add:
        return {x + y, IntegerIfItFits(both, x + y)};
    case Op::Subtract:
        return {x - y, IntegerIfItFits(both, x - y)};
    case Op::Multiply: {
        const double product = x * y;
        if (product == 0 && std::signbit(product)) {
            if (both == Both::Yes)
                return {0.0, Kind::Integer};
            if (both == Both::Maybe)
                undecided = true;
            return {product, Kind::Double};
        }
        return {product, IntegerIfItFits(both, product)};
    }
    case Op::Divide:
        return {x / y, IntegerIfItFits(WithBooleansUnknown(both, a, b), x / y)};
    case Op::Remainder: {
        const double remainder = std::fmod(x, y);
        const Both integers = WithBooleansUnknown(both, a, b);
        return {remainder, x >= 0 && y > 0 ? IntegerIfItFits(integers, remainder) : Kind::Double};
    }
    case Op::Power:
        return {PowerOperator(x, y), Kind::Double};
    case Op::ShiftLeft:
        return {double(std::int32_t(std::uint32_t(ToInt32(x)) << (ToInt32(y) & 31))),
                Kind::Integer};
    case Op::ShiftRight:
        return {double(ToInt32(x) >> (ToInt32(y) & 31)), Kind::Integer};
    case Op::ShiftRightUnsigned:
        return Constant(double(std::uint32_t(ToInt32(x)) >> (ToInt32(y) & 31)));
    case Op::BitAnd:
        return {double(ToInt32(x) & ToInt32(y)), Kind::Integer};
    case Op::BitOr:
        return {double(ToInt32(x) | ToInt32(y)), Kind::Integer};
    case Op::BitXor:
        return {double(ToInt32(x) ^ ToInt32(y)), Kind::Integer};
    case Op::Less:
        return Comparison(x < y);
    case Op::Greater:
        return Comparison(x > y);
    case Op::LessEqual:
        return Comparison(x <= y);
    case Op::GreaterEqual:
        return Comparison(x >= y);
    default:
        return a;
    }
}

} // namespace Eval::ScriptArithmetic
