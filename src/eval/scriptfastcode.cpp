#include "scriptfastcode.h"

#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <math.h>
#include <utility>

namespace Eval {

namespace ScriptArithmetic {

namespace {

// The operations and functions on doubles are the postfix code's own, so they give its
// numbers; only the kinds, which no longer matter here, are left out.
template<Op O>
double UnaryOf(double a)
{
    return Unary(O, {a, Kind::Double}).number;
}

template<Op O>
double BinaryOf(double a, double b)
{
    bool undecided = false;
    return Binary(O, {a, Kind::Double}, {b, Kind::Double}, undecided).number;
}

template<MathFunction F>
double CallOfOne(double a)
{
    bool undecided = false;
    const Value argument{a, Kind::Double};
    return Call(F, &argument, 1, undecided).number;
}

template<MathFunction F>
double CallOfTwo(double a, double b)
{
    bool undecided = false;
    const Value arguments[2]{{a, Kind::Double}, {b, Kind::Double}};
    return Call(F, arguments, 2, undecided).number;
}

// A table of `Of`'s instances, one for each value of an enumeration.
template<typename Pointer, typename Of, std::size_t... I>
constexpr std::array<Pointer, sizeof...(I)> Table(Of of, std::index_sequence<I...>)
{
    return {of(std::integral_constant<std::size_t, I>())...};
}

using OneOperand = double (*)(double);
using TwoOperands = double (*)(double, double);
constexpr auto Operations = std::make_index_sequence<std::size_t(Op::Call) + 1>();
constexpr auto Functions = std::make_index_sequence<std::size_t(MathFunction::Trunc) + 1>();
constexpr auto UnaryOperations
        = Table<OneOperand>([](auto i) { return &UnaryOf<Op(decltype(i)::value)>; }, Operations);
constexpr auto BinaryOperations
        = Table<TwoOperands>([](auto i) { return &BinaryOf<Op(decltype(i)::value)>; }, Operations);
constexpr auto FunctionsOfOne = Table<OneOperand>(
        [](auto i) { return &CallOfOne<MathFunction(decltype(i)::value)>; }, Functions);
constexpr auto FunctionsOfTwo = Table<TwoOperands>(
        [](auto i) { return &CallOfTwo<MathFunction(decltype(i)::value)>; }, Functions);

// What a value on the stack may be: a number, a Boolean, either. === tells them apart.
enum class Sort : quint8 { Number, Boolean, Either };

Sort Joined(Sort a, Sort b)
{
    return a == b ? a : Sort::Either;
}

// A value on the stack: in a register, or a constant the operation may take as it is.
struct Entry
{
    quint16 place;
    Sort sort;
    bool constant = false;
    double value = 0;
};

// The forms of a binary operation: on two registers, with a constant second or first operand.
struct Forms
{
    FastOp registers;
    FastOp constantSecond;
    FastOp constantFirst;
};

class Translator
{
public:
    explicit Translator(const Compiled &compiled)
        : m_compiled(compiled)
    { }

    std::optional<FastCode> translate()
    {
        if (m_compiled.code.empty() || 1 + m_compiled.stackSize > MaximumFastRegisters)
            return std::nullopt;
        m_code.firstConstant = 1 + std::size_t(m_compiled.stackSize);
        m_code.steps.reserve(m_compiled.code.size());
        m_stack.reserve(std::size_t(m_compiled.stackSize));
        for (const Instruction &instruction : m_compiled.code) {
            if (!translate(instruction)
                || m_code.firstConstant + m_code.constants.size() > MaximumFastRegisters)
                return std::nullopt;
        }
        if (m_stack.size() != 1 || m_stack[0].sort != Sort::Number)
            return std::nullopt;
        m_code.resultRegister = place(m_stack[0]);
        m_code.registers = int(m_code.firstConstant + m_code.constants.size());
        if (m_code.registers > MaximumFastRegisters
            || m_code.arguments.size() > std::numeric_limits<quint16>::max())
            return std::nullopt;
        return std::move(m_code);
    }

private:
    // The register of the next place on the stack.
    quint16 next() const { return quint16(1 + m_stack.size()); }

    quint16 place(const Entry &entry)
    {
        if (!entry.constant)
            return entry.place;
        // Few: every register holds one.
        const auto same = [&entry](double constant) {
            return std::memcmp(&constant, &entry.value, sizeof constant) == 0;
        };
        const auto found = std::find_if(m_code.constants.cbegin(), m_code.constants.cend(), same);
        const std::size_t index = std::size_t(found - m_code.constants.cbegin());
        if (found == m_code.constants.cend())
            m_code.constants.push_back(entry.value);
        return quint16(m_code.firstConstant + index);
    }

    Entry pop()
    {
        const Entry entry = m_stack.back();
        m_stack.pop_back();
        return entry;
    }

    void append(FastStep step, Sort sort)
    {
        step.result = next();
        m_code.steps.push_back(step);
        m_stack.push_back({step.result, sort});
    }

    bool translate(const Instruction &instruction)
    {
        switch (instruction.op) {
        case Op::Constant:
            if (!IsNumber(instruction.kind) && instruction.kind != Kind::Boolean)
                return false;
            m_stack.push_back({0, instruction.kind == Kind::Boolean ? Sort::Boolean : Sort::Number,
                               true, instruction.number});
            return true;
        case Op::Variable:
            m_stack.push_back({0, Sort::Number});
            return true;
        case Op::VariableInText:
            return false;
        case Op::Plus: // the same number
            m_stack.back().sort = Sort::Number;
            return true;
        case Op::Negate:
        case Op::NegateConstant:
            append({FastOp::Negate, MathFunction::Abs, 0, place(pop())}, Sort::Number);
            return true;
        case Op::Not:
        case Op::Complement: {
            FastStep step{FastOp::CallOne, MathFunction::Abs, 0, place(pop())};
            step.unary = UnaryOperations[std::size_t(instruction.op)];
            append(step, instruction.op == Op::Not ? Sort::Boolean : Sort::Number);
            return true;
        }
        case Op::Conditional: {
            const Entry whenFalse = pop();
            const Entry whenTrue = pop();
            const Entry condition = pop();
            append({FastOp::Conditional, MathFunction::Abs, 0, place(condition), place(whenTrue),
                    place(whenFalse)},
                   Joined(whenTrue.sort, whenFalse.sort));
            return true;
        }
        case Op::Call:
            call(instruction.function, int(instruction.count));
            return true;
        default:
            return binary(instruction.op);
        }
    }

    // The four operations of arithmetic, with a constant operand taken as it is; a + k and
    // k + a are the same double, and so are a * k and k * a.
    void arithmetic(Op op, const Entry &a, const Entry &b)
    {
        static constexpr std::array<Forms, 4> forms{{
                {FastOp::Add, FastOp::AddConstant, FastOp::AddConstant},
                {FastOp::Subtract, FastOp::SubtractConstant, FastOp::ConstantSubtract},
                {FastOp::Multiply, FastOp::MultiplyConstant, FastOp::MultiplyConstant},
                {FastOp::Divide, FastOp::DivideConstant, FastOp::ConstantDivide},
        }};
        append(withConstant(forms[std::size_t(op) - std::size_t(Op::Add)], a, b), Sort::Number);
    }

    // The step of a binary operation in the form that takes a constant operand as it is.
    FastStep withConstant(const Forms &form, const Entry &a, const Entry &b)
    {
        FastStep step{form.constantSecond, MathFunction::Abs, 0};
        if (b.constant) {
            step.a = place(a);
            step.constant = b.value;
        } else if (a.constant) {
            step.op = form.constantFirst;
            step.a = place(b);
            step.constant = a.value;
        } else {
            step.op = form.registers;
            step.a = place(a);
            step.b = place(b);
        }
        return step;
    }

    bool binary(Op op)
    {
        const Entry b = pop();
        const Entry a = pop();
        Sort sort = Sort::Boolean;
        switch (op) {
        case Op::Add:
        case Op::Subtract:
        case Op::Multiply:
        case Op::Divide:
            arithmetic(op, a, b);
            return true;
        case Op::Comma:
            // b's register is the place above unless b is x or a constant.
            if (b.constant || b.place == 0)
                m_stack.push_back(b);
            else
                append({FastOp::Copy, MathFunction::Abs, 0, b.place}, b.sort);
            return true;
        case Op::And:
        case Op::Or:
            sort = Joined(a.sort, b.sort);
            break;
        case Op::StrictEqual:
        case Op::StrictNotEqual:
            // A Boolean is never strictly equal to a number, which doubles cannot tell.
            if (a.sort != b.sort || a.sort == Sort::Either)
                return false;
            break;
        case Op::Less:
        case Op::Greater:
        case Op::LessEqual:
        case Op::GreaterEqual:
        case Op::Equal:
        case Op::NotEqual:
            break;
        default:
            sort = Sort::Number;
            break;
        }
        append(callTwo(BinaryOperations[std::size_t(op)], a, b), sort);
        return true;
    }

    FastStep callTwo(TwoOperands binary, const Entry &a, const Entry &b)
    {
        FastStep step = withConstant(
                {FastOp::CallTwo, FastOp::CallTwoConstant, FastOp::ConstantCallTwo}, a, b);
        step.binary = binary;
        return step;
    }

    // Call() ignores extra arguments and reads missing ones as NaN; the calls of one and two
    // arguments keep their count, so they do the same.
    void call(MathFunction function, int count)
    {
        const std::size_t first = m_stack.size() - std::size_t(count);
        const auto argument = [&](std::size_t i) { return place(m_stack[first + i]); };
        FastStep step{FastOp::CallMany, function};
        if ((function == MathFunction::Abs || function == MathFunction::Sqrt) && count > 0) {
            step = {function == MathFunction::Abs ? FastOp::Abs : FastOp::Sqrt, function, 0,
                    argument(0)};
        } else if (function != MathFunction::Random && count == 1) {
            step = {FastOp::CallOne, function, 0, argument(0)};
            step.unary = FunctionsOfOne[std::size_t(function)];
        } else if (function != MathFunction::Random && count == 2) {
            step = callTwo(FunctionsOfTwo[std::size_t(function)], m_stack[first],
                           m_stack[first + 1]);
        } else {
            step.a = quint16(m_code.arguments.size());
            step.b = quint16(count);
            for (std::size_t i = 0; i < std::size_t(count); ++i)
                m_code.arguments.push_back(argument(i));
        }
        m_stack.resize(first);
        append(step, Sort::Number);
    }

    const Compiled &m_compiled;
    FastCode m_code;
    std::vector<Entry> m_stack;
};

} // namespace

std::optional<FastCode> MakeFastCode(const Compiled &compiled)
{
    return Translator(compiled).translate();
}

void PlaceConstants(const FastCode &code, double *registers)
{
    std::copy(code.constants.cbegin(), code.constants.cend(), registers + code.firstConstant);
}

double CallMany(MathFunction function, const double *registers, const quint16 *arguments, int count,
                std::size_t stride)
{
    QVarLengthArray<Value, 8> values(count);
    for (int i = 0; i < count; ++i)
        values[i] = {registers[arguments[i] * stride], Kind::Double};
    bool undecided = false;
    return Call(function, values.data(), count, undecided).number;
}

namespace {

// Runs one step of fast code for a whole batch: register k of value i is r[k][i].
void RunForBatch(const FastCode &code, const FastStep &step, double (*r)[FastBatch], int count,
                 bool *stopped)
{
    double *out = r[step.result];
    const double *a = r[step.a];
    const double c = step.constant;
    const auto each = [count](auto &&f) {
        for (int i = 0; i < count; ++i)
            f(i);
    };
    switch (step.op) {
    case FastOp::Add:
        return each([&, b = r[step.b]](int i) { out[i] = a[i] + b[i]; });
    case FastOp::AddConstant:
        return each([&](int i) { out[i] = a[i] + c; });
    case FastOp::Subtract:
        return each([&, b = r[step.b]](int i) { out[i] = a[i] - b[i]; });
    case FastOp::SubtractConstant:
        return each([&](int i) { out[i] = a[i] - c; });
    case FastOp::ConstantSubtract:
        return each([&](int i) { out[i] = c - a[i]; });
    case FastOp::Multiply:
        return each([&, b = r[step.b]](int i) {
            out[i] = a[i] * b[i];
            stopped[i] |= IsNegativeZero(out[i]);
        });
    case FastOp::MultiplyConstant:
        return each([&](int i) {
            out[i] = a[i] * c;
            stopped[i] |= IsNegativeZero(out[i]);
        });
    case FastOp::Divide:
        return each([&, b = r[step.b]](int i) { out[i] = a[i] / b[i]; });
    case FastOp::DivideConstant:
        return each([&](int i) { out[i] = a[i] / c; });
    case FastOp::ConstantDivide:
        return each([&](int i) { out[i] = c / a[i]; });
    case FastOp::Negate:
        return each([&](int i) { out[i] = -a[i]; });
    case FastOp::Abs:
        return each([&](int i) {
            stopped[i] |= a[i] == -2147483648.0;
            out[i] = std::fabs(a[i]);
        });
    case FastOp::Sqrt:
        return each([&](int i) { out[i] = std::sqrt(a[i]); });
    case FastOp::Copy:
        return each([&](int i) { out[i] = a[i]; });
    case FastOp::Conditional:
        return each([&, b = r[step.b], d = r[step.c]](int i) {
            out[i] = ToBoolean({a[i], Kind::Double}) ? b[i] : d[i];
        });
    case FastOp::CallOne:
        return each([&](int i) { out[i] = step.unary(a[i]); });
    case FastOp::CallTwo:
        return each([&, b = r[step.b]](int i) { out[i] = step.binary(a[i], b[i]); });
    case FastOp::CallTwoConstant:
        return each([&](int i) { out[i] = step.binary(a[i], c); });
    case FastOp::ConstantCallTwo:
        return each([&](int i) { out[i] = step.binary(c, a[i]); });
    case FastOp::CallMany:
        return each([&](int i) {
            out[i] = CallMany(step.function, &r[0][i], code.arguments.data() + step.a, step.b,
                              FastBatch);
        });
    }
    Q_UNREACHABLE();
}

} // namespace

int RunFastBatch(const FastCode &code, BatchRegisters &r, int count)
{
    for (std::size_t k = 0; k < code.constants.size(); ++k)
        std::fill_n(r[code.firstConstant + k], count, code.constants[k]);
    bool stopped[FastBatch] = {};
    for (const FastStep &step : code.steps)
        RunForBatch(code, step, r, count, stopped);
    return int(std::find(stopped, stopped + count, true) - stopped);
}

} // namespace ScriptArithmetic

} // namespace Eval
