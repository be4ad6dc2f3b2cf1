#pragma once

// A function of x's postfix code as plain double arithmetic on registers: x and the stack places
// are registers and a constant is part of the operation that takes it, so an operation reads
// its operands where they are and an operand never moves. How the engine holds a value
// (scriptvalue.h) changes a number in two places only, a zero product's sign and Math.abs of the
// integer -2^31; there this code stops and the postfix code, which keeps that account, runs
// instead. Anything else it would have to account for (texts of x inside literals, values that are
// not numbers or Booleans, a result that is not a number) gives no fast code at all. In a header,
// so that the loop inlines into its one caller.

#include "scriptcode.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace Eval::ScriptArithmetic {

// An operation with "Constant" in its name takes the step's constant as its second operand, or
// with "Constant" first, as its first.
enum class FastOp : quint8 {
    Add,
    AddConstant,
    Subtract,
    SubtractConstant,
    ConstantSubtract,
    Multiply, // the multiplications stop at a product of -0
    MultiplyConstant,
    Divide,
    DivideConstant,
    ConstantDivide,
    Negate,
    Abs, // stops at -2^31
    Sqrt,
    Copy,
    Conditional,
    CallOne, // unary: any operation or Math function of one operand
    CallTwo, // binary
    CallTwoConstant,
    ConstantCallTwo,
    CallMany, // a Math function of three or more arguments, or Math.random
};

struct FastStep
{
    FastOp op;
    MathFunction function = MathFunction::Abs; // CallMany
    quint16 result = 0;
    quint16 a = 0; // CallMany: the place of the first argument in the list
    quint16 b = 0; // CallMany: the number of arguments
    quint16 c = 0; // Conditional: the value when false
    double constant = 0;
    double (*unary)(double) = nullptr;
    double (*binary)(double, double) = nullptr;
};

// More registers than this, a deep or long function, gives no fast code: the registers stay
// an array on the stack, made without a cost.
constexpr int MaximumFastRegisters = 64;

struct FastCode
{
    std::vector<FastStep> steps;
    // Register 0 is x, a register for each place on the stack follows, then the constants
    // that an operation without a constant form takes.
    std::vector<double> constants;
    std::size_t firstConstant = 1;
    std::vector<quint16> arguments; // of CallMany
    int registers = 0;
    quint16 resultRegister = 0;
};

// The fast code of `compiled`, or nothing where it would have to account for more than numbers.
std::optional<FastCode> MakeFastCode(const Compiled &compiled);

void PlaceConstants(const FastCode &code, double *registers);

// The call with the arguments in registers[arguments[k] * stride].
double CallMany(MathFunction function, const double *registers, const quint16 *arguments, int count,
                std::size_t stride = 1);

// How many x RunFastBatch takes at once: enough that a step's dispatch is a small part of its
// work, few enough that the registers stay in the nearest cache.
constexpr int FastBatch = 64;

// The registers of a batch: register k of the batch's value i is [k][i].
using BatchRegisters = double[MaximumFastRegisters][FastBatch];

// RunFast for each x in registers[0][0 .. count), count at most FastBatch, a step at a time for
// the whole batch, up to the first x where RunFast stops: how many, with RunFast's numbers in
// the row of code.resultRegister. The same operations on the same operands in the same order
// as RunFast's, so the same bits. Math.random is drawn in another order, which only changes
// which random numbers fall where.
int RunFastBatch(const FastCode &code, BatchRegisters &registers, int count);

inline bool IsNegativeZero(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits == std::uint64_t(1) << 63;
}

// The code's number at x (x's magnitude, as the postfix code takes it), or nullopt where the
// postfix code must tell.
Q_ALWAYS_INLINE std::optional<double> RunFast(const FastCode &code, double x)
{
    double r[MaximumFastRegisters];
    r[0] = x;
    if (Q_UNLIKELY(!code.constants.empty()))
        PlaceConstants(code, r);
    for (const FastStep &step : code.steps) {
        switch (step.op) {
        case FastOp::Add:
            r[step.result] = r[step.a] + r[step.b];
            break;
        case FastOp::AddConstant:
            r[step.result] = r[step.a] + step.constant;
            break;
        case FastOp::Subtract:
            r[step.result] = r[step.a] - r[step.b];
            break;
        case FastOp::SubtractConstant:
            r[step.result] = r[step.a] - step.constant;
            break;
        case FastOp::ConstantSubtract:
            r[step.result] = step.constant - r[step.a];
            break;
        case FastOp::Multiply: {
            const double product = r[step.a] * r[step.b];
            if (Q_UNLIKELY(IsNegativeZero(product)))
                return std::nullopt;
            r[step.result] = product;
            break;
        }
        case FastOp::MultiplyConstant: {
            const double product = r[step.a] * step.constant;
            if (Q_UNLIKELY(IsNegativeZero(product)))
                return std::nullopt;
            r[step.result] = product;
            break;
        }
        case FastOp::Divide:
            r[step.result] = r[step.a] / r[step.b];
            break;
        case FastOp::DivideConstant:
            r[step.result] = r[step.a] / step.constant;
            break;
        case FastOp::ConstantDivide:
            r[step.result] = step.constant / r[step.a];
            break;
        case FastOp::Negate:
            r[step.result] = -r[step.a];
            break;
        case FastOp::Abs:
            if (Q_UNLIKELY(r[step.a] == -2147483648.0))
                return std::nullopt;
            r[step.result] = std::fabs(r[step.a]);
            break;
        case FastOp::Sqrt:
            r[step.result] = std::sqrt(r[step.a]);
            break;
        case FastOp::Copy:
            r[step.result] = r[step.a];
            break;
        case FastOp::Conditional:
            r[step.result] = ToBoolean({r[step.a], Kind::Double}) ? r[step.b] : r[step.c];
            break;
        case FastOp::CallOne:
            r[step.result] = step.unary(r[step.a]);
            break;
        case FastOp::CallTwo:
            r[step.result] = step.binary(r[step.a], r[step.b]);
            break;
        case FastOp::CallTwoConstant:
            r[step.result] = step.binary(r[step.a], step.constant);
            break;
        case FastOp::ConstantCallTwo:
            r[step.result] = step.binary(step.constant, r[step.a]);
            break;
        case FastOp::CallMany:
            r[step.result] = CallMany(step.function, r, code.arguments.data() + step.a, step.b);
            break;
        default:
            Q_UNREACHABLE();
        }
    }
    return r[code.resultRegister];
}

} // namespace Eval::ScriptArithmetic
