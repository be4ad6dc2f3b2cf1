#pragma once

// The postfix code the fast evaluator compiles to, and the loop that runs it. In a header, so
// that the loop and the value operations inside it inline into the caller.

#include "scriptvalue.h"

#include <QString>
#include <QVarLengthArray>

#include <cstring>
#include <optional>
#include <vector>

namespace Eval::ScriptArithmetic {

// The literal that x's text is a part of: the digits before and after it.
struct VariableText
{
    QString before;
    QString after;
    bool operator==(const VariableText &other) const
    {
        return before == other.before && after == other.after;
    }
};

// The literal's value for x's magnitude `variable`; sets `undecided` where the text with x's
// digits in it is not one number literal.
Value VariableInText(const VariableText &text, Value variable, bool &undecided);

struct Instruction
{
    Op op;
    MathFunction function = MathFunction::Abs;
    Kind kind = Kind::Integer;
    quint32 count = 0; // arguments of a call, the place of a VariableText
    double number = 0; // a constant

    bool operator==(const Instruction &other) const
    {
        return op == other.op && function == other.function && kind == other.kind
                && count == other.count && std::memcmp(&number, &other.number, sizeof number) == 0;
    }
};

// A double operand makes the arithmetic operators' result a plain double: the common case,
// without the bookkeeping of how the engine holds integers.
Q_ALWAYS_INLINE Value Operate(Op op, Value a, Value b, bool &undecided)
{
    const bool plain = (a.kind == Kind::Double && IsNumber(b.kind))
            || (b.kind == Kind::Double && IsNumber(a.kind));
    if (plain) {
        switch (op) {
        case Op::Add:
            return {a.number + b.number, Kind::Double};
        case Op::Subtract:
            return {a.number - b.number, Kind::Double};
        case Op::Multiply:
            return {a.number * b.number, Kind::Double};
        case Op::Divide:
            return {a.number / b.number, Kind::Double};
        default:
            break;
        }
    }
    return Binary(op, a, b, undecided);
}

// One instruction on the stack; sets `undecided` when the result depends on how the engine
// holds a zero's operands.
Q_ALWAYS_INLINE void Execute(const Instruction &instruction, Value *stack, int &top, Value variable,
                             const VariableText *texts, bool &undecided)
{
    switch (instruction.op) {
    case Op::Constant:
        stack[top++] = {instruction.number, instruction.kind};
        break;
    case Op::Variable:
        stack[top++] = variable;
        break;
    case Op::VariableInText:
        stack[top++] = VariableInText(texts[instruction.count], variable, undecided);
        break;
    case Op::Negate:
    case Op::NegateConstant:
    case Op::Plus:
    case Op::Not:
    case Op::Complement:
        stack[top - 1] = Unary(instruction.op, stack[top - 1]);
        break;
    case Op::Conditional: {
        top -= 2;
        const Value chosen = ToBoolean(stack[top - 1]) ? stack[top] : stack[top + 1];
        stack[top - 1] = {chosen.number, Loaded(chosen.kind)};
        break;
    }
    case Op::Call:
        top -= int(instruction.count);
        stack[top] = Call(instruction.function, stack + top, int(instruction.count), undecided);
        ++top;
        break;
    default:
        --top;
        stack[top - 1] = Operate(instruction.op, stack[top - 1], stack[top], undecided);
        break;
    }
}

struct Compiled
{
    std::vector<Instruction> code; // empty for a program without an expression
    int stackSize = 0;
    std::vector<VariableText> texts;

    bool operator==(const Compiled &other) const
    {
        return code == other.code && texts == other.texts;
    }
};

inline Value Run(const Compiled &compiled, Value variable, bool &undecided)
{
    QVarLengthArray<Value, 32> stack(compiled.stackSize);
    int top = 0;
    for (const Instruction &instruction : compiled.code)
        Execute(instruction, stack.data(), top, variable, compiled.texts.data(), undecided);
    return stack[0];
}

// The program's value with `variable` for x; nullopt for the empty code (no expression).
inline std::optional<Value> RunCompiled(const Compiled &compiled, Value variable, bool &undecided)
{
    if (compiled.code.empty())
        return std::nullopt;
    return Run(compiled, variable, undecided);
}

} // namespace Eval::ScriptArithmetic
