#include "scriptcompiler.h"

#include "numberformat.h"

#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <string_view>

namespace Eval {

namespace ScriptArithmetic {

using namespace std::string_view_literals;

namespace {

struct MathName
{
    std::u16string_view name;
    MathFunction function;
};

constexpr std::array<MathName, 35> MathFunctions{{
        {u"abs"sv, MathFunction::Abs},       {u"acos"sv, MathFunction::Acos},
        {u"acosh"sv, MathFunction::Acosh},   {u"asin"sv, MathFunction::Asin},
        {u"asinh"sv, MathFunction::Asinh},   {u"atan"sv, MathFunction::Atan},
        {u"atanh"sv, MathFunction::Atanh},   {u"atan2"sv, MathFunction::Atan2},
        {u"cbrt"sv, MathFunction::Cbrt},     {u"ceil"sv, MathFunction::Ceil},
        {u"cos"sv, MathFunction::Cos},       {u"cosh"sv, MathFunction::Cosh},
        {u"exp"sv, MathFunction::Exp},       {u"expm1"sv, MathFunction::Expm1},
        {u"floor"sv, MathFunction::Floor},   {u"log"sv, MathFunction::Log},
        {u"log1p"sv, MathFunction::Log1p},   {u"log10"sv, MathFunction::Log10},
        {u"log2"sv, MathFunction::Log2},     {u"max"sv, MathFunction::Max},
        {u"min"sv, MathFunction::Min},       {u"pow"sv, MathFunction::Pow},
        {u"round"sv, MathFunction::Round},   {u"sign"sv, MathFunction::Sign},
        {u"sin"sv, MathFunction::Sin},       {u"sinh"sv, MathFunction::Sinh},
        {u"sqrt"sv, MathFunction::Sqrt},     {u"tan"sv, MathFunction::Tan},
        {u"tanh"sv, MathFunction::Tanh},     {u"trunc"sv, MathFunction::Trunc},
        {u"clz32"sv, MathFunction::Clz32},   {u"fround"sv, MathFunction::Fround},
        {u"hypot"sv, MathFunction::Hypot},   {u"imul"sv, MathFunction::Imul},
        {u"random"sv, MathFunction::Random},
}};

// What every object has from its prototype; Math's own members are the others.
constexpr std::array<std::u16string_view, 12> InheritedMembers{{
        u"constructor"sv,
        u"toString"sv,
        u"toLocaleString"sv,
        u"valueOf"sv,
        u"hasOwnProperty"sv,
        u"isPrototypeOf"sv,
        u"propertyIsEnumerable"sv,
        u"__proto__"sv,
        u"__defineGetter__"sv,
        u"__defineSetter__"sv,
        u"__lookupGetter__"sv,
        u"__lookupSetter__"sv,
}};

// A function not called: a NaN in arithmetic, told apart from the others by the payload.
Value FunctionValue(MathFunction function)
{
    const quint64 bits = 0x7ff8000000000000u + quint64(function) + 1;
    double number;
    std::memcpy(&number, &bits, sizeof number);
    return {number, Kind::Function};
}

// A missing argument reads as NaN, but the engine's asinh and acosh without one read a value
// of their own.
bool ArgumentsEnough(MathFunction function, int count)
{
    return count > 0 || (function != MathFunction::Asinh && function != MathFunction::Acosh);
}

struct MathConstant
{
    std::u16string_view name;
    double value;
};

constexpr std::array<MathConstant, 8> MathConstants{{
        {u"PI"sv, 3.14159265358979323846},
        {u"E"sv, 2.71828182845904523536},
        {u"LN2"sv, 0.69314718055994530942},
        {u"LN10"sv, 2.30258509299404568402},
        {u"LOG2E"sv, 1.44269504088896340736},
        {u"LOG10E"sv, 0.43429448190325182765},
        {u"SQRT2"sv, 1.41421356237309504880},
        {u"SQRT1_2"sv, 0.70710678118654752440},
}};

// One instruction on its operands. Not inlined into the parser, which would have the compiler
// warn of stack places that an operator with that many operands never reaches.
Q_NEVER_INLINE Value Evaluate(const Instruction &instruction, Value *operands, int count,
                              bool &undecided)
{
    int top = count;
    Execute(instruction, operands, top, {}, nullptr, undecided);
    return operands[0];
}

struct Node
{
    Op op;
    MathFunction function = MathFunction::Abs;
    int first = -1; // operands, or for a call the first argument's place in the list
    int second = -1;
    int third = -1;
    int depth = 1;
    Value constant{0, Kind::Integer};
    int text = -1; // the place of x's literal among the texts
    bool literal = false; // a number literal, or one with signs the engine works out early
};

// Recursive descent. What is not on the way down (a leaf, a node stored, a call's node) is
// never inlined into the functions that recurse: with it, a level of parentheses took 11 KB
// of stack under the address sanitizer; without, 2.5 KB.
class Parser
{
public:
    explicit Parser(const std::vector<Token> &tokens)
        : m_tokens(tokens)
    {
        m_nodes.reserve(tokens.size());
    }

    // The statements' last expression, -1 for a program without one; false when refused.
    bool parse(int &result)
    {
        result = -1;
        while (peek().kind != TokenKind::End) {
            if (accept(u";"sv))
                continue;
            result = expression();
            // A line break ends a statement where the next token cannot continue it.
            if (m_failed
                || !(accept(u";"sv) || peek().kind == TokenKind::End || peek().lineBreakBefore))
                return false;
        }
        return !m_failed;
    }

    const std::vector<Node> &nodes() const { return m_nodes; }
    const std::vector<int> &arguments() const { return m_arguments; }
    std::vector<VariableText> takeTexts() { return std::move(m_texts); }

private:
    const Token &peek() const { return m_tokens[m_next]; }

    bool isPunctuator(std::u16string_view text) const
    {
        return peek().punctuator && peek().punctuator->text == text;
    }

    bool accept(std::u16string_view text)
    {
        if (!isPunctuator(text))
            return false;
        ++m_next;
        return true;
    }

    int fail()
    {
        m_failed = true;
        return -1;
    }

    Q_NEVER_INLINE int add(Node node)
    {
        std::array<int, 3> operands;
        int count = 0;
        for (int child : {node.first, node.second, node.third}) {
            if (child >= 0) {
                node.depth = std::max(node.depth, m_nodes[child].depth + 1);
                operands[count++] = child;
            }
        }
        return store(node, operands.data(), count);
    }

    // A node whose operands are all constants is worked out now and stored as a constant.
    Q_NEVER_INLINE int store(Node node, const int *operands, int count)
    {
        if (node.depth > MaximumDepth)
            return fail();
        const bool constant = std::all_of(operands, operands + count, [this](int operand) {
            return m_nodes[operand].op == Op::Constant;
        });
        const bool random = node.op == Op::Call && node.function == MathFunction::Random;
        const bool leaf = node.op == Op::Variable || node.op == Op::VariableInText
                || node.op == Op::Constant;
        if (constant && !random && !leaf) {
            QVarLengthArray<Value, 8> values(std::max(count, 1));
            for (int i = 0; i < count; ++i)
                values[i] = m_nodes[operands[i]].constant;
            bool undecided = false;
            node.constant = Evaluate({node.op, node.function, Kind::Integer, quint32(count)},
                                     values.data(), count, undecided);
            if (undecided)
                return fail();
            node.op = Op::Constant;
        }
        m_nodes.push_back(node);
        return int(m_nodes.size()) - 1;
    }

    // Nesting in the parser itself: its recursion stops past the one limit of every parser,
    // far within any stack, and leaves the program to the engine. The evaluator has refused
    // one nested that deep in brackets already (NestsTooDeeply); what is left nests by signs
    // and operators.
    struct Nesting
    {
        explicit Nesting(Parser &parser)
            : m_parser(parser)
        {
            if (++m_parser.m_nesting > MaxNestingDepth)
                m_parser.fail();
        }
        ~Nesting() { --m_parser.m_nesting; }
        Parser &m_parser;
    };

    int expression()
    {
        int left = assignment();
        while (!m_failed && accept(u","sv)) {
            const int right = assignment();
            if (m_failed)
                return -1;
            // The engine takes the right operand itself as the value.
            Node comma{Op::Comma, MathFunction::Abs, left, right};
            comma.literal = m_nodes[right].literal;
            left = add(comma);
        }
        return m_failed ? -1 : left;
    }

    int assignment()
    {
        const int condition = binary(1);
        if (m_failed || !accept(u"?"sv))
            return condition;
        Nesting nesting(*this);
        const int whenTrue = m_failed ? -1 : assignment();
        if (m_failed || !accept(u":"sv))
            return fail();
        const int whenFalse = assignment();
        if (m_failed)
            return -1;
        return add({Op::Conditional, MathFunction::Abs, condition, whenTrue, whenFalse});
    }

    // Precedence climbing: a chain of one level is a loop, nesting only for tighter levels.
    int binary(int precedence)
    {
        int left = unary();
        while (!m_failed) {
            const Punctuator *op = peek().punctuator;
            if (!op || op->precedence == 0 || op->precedence < precedence)
                break;
            ++m_next;
            Nesting nesting(*this);
            const int right = m_failed ? -1 : binary(op->precedence + 1);
            if (m_failed)
                return -1;
            left = add({op->binary, MathFunction::Abs, left, right});
        }
        return m_failed ? -1 : left;
    }

    // ** binds to its right and takes no operand with a prefix operator on its left:
    // -2 ** 2 is a syntax error, 2 ** -2 is not.
    int unary()
    {
        bool prefixed = false;
        const int base = prefixedOperand(prefixed);
        if (m_failed || !isPunctuator(u"**"sv))
            return m_failed ? -1 : base;
        if (prefixed)
            return fail();
        ++m_next;
        Nesting nesting(*this);
        const int exponent = m_failed ? -1 : unary();
        if (m_failed)
            return -1;
        return add({Op::Power, MathFunction::Abs, base, exponent});
    }

    int prefixedOperand(bool &prefixed)
    {
        static constexpr std::array<std::pair<std::u16string_view, Op>, 4> prefixes{{
                {u"-"sv, Op::Negate},
                {u"+"sv, Op::Plus},
                {u"!"sv, Op::Not},
                {u"~"sv, Op::Complement},
        }};
        for (const auto &[text, op] : prefixes) {
            if (!accept(text))
                continue;
            prefixed = true;
            Nesting nesting(*this);
            bool inner = false;
            const int operand = m_failed ? -1 : prefixedOperand(inner);
            if (m_failed)
                return -1;
            Node node{op, MathFunction::Abs, operand};
            node.literal = m_nodes[operand].literal && op != Op::Not;
            if (op == Op::Negate && node.literal)
                node.op = Op::NegateConstant;
            return add(node);
        }
        return primary();
    }

    int primary()
    {
        const int node = operand();
        // Calling or reading a member of a result is outside the subset.
        if (!m_failed && (isPunctuator(u"("sv) || isPunctuator(u"."sv)))
            return fail();
        return m_failed ? -1 : node;
    }

    int operand()
    {
        const Token &token = peek();
        if (token.kind == TokenKind::End)
            return fail();
        ++m_next;
        if (token.kind == TokenKind::Number)
            return number(token);
        if (token.kind == TokenKind::Punctuator && Same(token.text, u"("sv)) {
            Nesting nesting(*this);
            const int inner = m_failed ? -1 : expression();
            if (m_failed || !accept(u")"sv))
                return fail();
            // The engine counts the parentheses as a level of their own.
            if (++m_nodes[inner].depth > MaximumDepth)
                return fail();
            return inner;
        }
        if (token.kind != TokenKind::Name)
            return fail();
        if (Same(token.text, u"Math"sv) && accept(u"."sv) && peek().kind == TokenKind::Name)
            return mathMember();
        return name(token.text);
    }

    Q_NEVER_INLINE int number(const Token &token)
    {
        Node node{token.variable ? Op::Variable : Op::Constant};
        if (!token.variable)
            node.constant = Constant(token.number);
        if (token.variable && token.variableLength > 0) {
            node.op = Op::VariableInText;
            node.text = int(m_texts.size());
            m_texts.push_back({token.text.left(token.variableAt).toString(),
                               token.text.mid(token.variableAt + token.variableLength).toString()});
        }
        node.literal = true;
        return add(node);
    }

    Q_NEVER_INLINE int name(QStringView name)
    {
        if (Same(name, u"true"sv) || Same(name, u"false"sv))
            return constant({Same(name, u"true"sv) ? 1.0 : 0.0, Kind::Boolean});
        if (Same(name, u"NaN"sv))
            return constant({std::numeric_limits<double>::quiet_NaN(), Kind::Double});
        if (Same(name, u"Infinity"sv))
            return constant({std::numeric_limits<double>::infinity(), Kind::Double});
        if (Same(name, u"undefined"sv))
            return constant({std::numeric_limits<double>::quiet_NaN(), Kind::Undefined});
        if (Same(name, u"null"sv))
            return constant({0, Kind::Null});
        return fail();
    }

    Q_NEVER_INLINE int constant(Value value)
    {
        Node node{Op::Constant};
        node.constant = value;
        return add(node);
    }

    Q_NEVER_INLINE int mathMember()
    {
        const QStringView member = peek().text;
        ++m_next;
        for (const MathConstant &constant : MathConstants) {
            if (Same(member, constant.name))
                return this->constant({constant.value, Kind::Double});
        }
        for (const MathName &function : MathFunctions) {
            if (Same(member, function.name))
                return accept(u"("sv) ? call(function.function)
                                      : this->constant(FunctionValue(function.function));
        }
        const auto inherited = [member](std::u16string_view name) { return Same(member, name); };
        if (std::any_of(InheritedMembers.begin(), InheritedMembers.end(), inherited))
            return fail();
        return this->constant({std::numeric_limits<double>::quiet_NaN(), Kind::Undefined});
    }

    Q_NEVER_INLINE int call(MathFunction function)
    {
        Nesting nesting(*this);
        std::vector<int> arguments;
        int depth = 0;
        if (!accept(u")"sv)) {
            do {
                const int argument = m_failed ? -1 : assignment();
                if (m_failed)
                    return -1;
                arguments.push_back(argument);
                depth = std::max(depth, m_nodes[argument].depth);
            } while (accept(u","sv));
            if (!accept(u")"sv))
                return fail();
        }
        return callNode(function, arguments, depth);
    }

    Q_NEVER_INLINE int callNode(MathFunction function, const std::vector<int> &arguments, int depth)
    {
        if (!ArgumentsEnough(function, int(arguments.size())))
            return fail();
        Node node{Op::Call, function, int(m_arguments.size()), int(arguments.size())};
        m_arguments.insert(m_arguments.end(), arguments.begin(), arguments.end());
        node.depth = depth + 2;
        return store(node, arguments.data(), int(arguments.size()));
    }

    const std::vector<Token> &m_tokens;
    std::size_t m_next = 0;
    std::vector<Node> m_nodes;
    std::vector<int> m_arguments;
    std::vector<VariableText> m_texts;
    int m_nesting = 0;
    bool m_failed = false;
};

// Postfix code; the parser has already worked out every part that does not involve x.
class Emitter
{
public:
    Emitter(const std::vector<Node> &nodes, const std::vector<int> &arguments)
        : m_nodes(nodes)
        , m_arguments(arguments)
    { }

    void emitNode(int index)
    {
        const Node &node = m_nodes[index];
        int operands = 0;
        Instruction instruction{node.op, node.function, node.constant.kind,
                                quint32(std::max(node.text, 0)), node.constant.number};
        if (node.op == Op::Call) {
            for (int i = 0; i < node.second; ++i)
                emitNode(m_arguments[node.first + i]);
            operands = node.second;
            instruction.count = quint32(node.second);
        } else if (node.op != Op::Constant && node.op != Op::Variable
                   && node.op != Op::VariableInText) {
            for (int child : {node.first, node.second, node.third}) {
                if (child >= 0) {
                    emitNode(child);
                    ++operands;
                }
            }
        }
        code.push_back(instruction);
        m_depth += 1 - operands;
        stackSize = std::max(stackSize, m_depth);
    }

    std::vector<Instruction> code;
    int stackSize = 0;

private:
    const std::vector<Node> &m_nodes;
    const std::vector<int> &m_arguments;
    int m_depth = 0;
};

} // namespace

Value VariableInText(const VariableText &text, Value variable, bool &undecided)
{
    const QString literal = text.before + NumberToText(variable.number) + text.after;
    const std::optional<double> value = NumberLiteralValue(literal);
    if (!value) {
        undecided = true;
        return {};
    }
    return Constant(*value);
}

std::optional<Compiled> CompileTokens(const std::vector<Token> &tokens)
{
    Parser parser(tokens);
    int root;
    if (!parser.parse(root)) {
        if (NestingLowerBound(tokens) >= CertainlyTooDeep)
            return Compiled{};
        return std::nullopt;
    }
    Compiled compiled;
    if (root < 0)
        return compiled;
    Emitter emitter(parser.nodes(), parser.arguments());
    emitter.emitNode(root);
    compiled.code = std::move(emitter.code);
    compiled.stackSize = emitter.stackSize;
    compiled.texts = parser.takeTexts();
    return compiled;
}

} // namespace ScriptArithmetic

} // namespace Eval
