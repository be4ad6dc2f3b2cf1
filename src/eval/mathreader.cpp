#include "eval/mathreader.h"

#include "eval/halfwidth.h"
#include "eval/nestinglimit.h"

#include <array>
#include <utility>

namespace Eval {

namespace {

using Kind = MathNode::Kind;
using Function = MathNode::Function;

// Raised digits and the raised minus, in the order of their values.
const QString Raised = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹⁻");

const QString Hint = QStringLiteral("请输入算式，如 √12+√27、sin30°、log(2,8)、2π/3");

struct Token
{
    enum class Type { Number, Name, Symbol, End };
    Type type = Type::End;
    QString text; // the digits, the name in lower case, or the symbol
    long index = 2; // of a root sign: 3 for ∛, 5 for ⁵√
    bool operator==(QChar symbol) const { return type == Type::Symbol && text == symbol; }
    bool operator!=(QChar symbol) const { return !(*this == symbol); }
};

// Names longest first, so that "acos" is not "A" and "cos", nor "ans" "A" and "n…".
const std::array<const char *, 20> Names
        = {"arcsin", "arccos", "arctan", "asin", "acos", "atan", "sqrt", "cbrt", "root", "sin",
           "cos",    "tan",    "abs",    "ans",  "log",  "ln",   "lg",   "pi",   "c",    "a"};

QChar Folded(QChar c)
{
    switch (c.unicode()) {
    case u'×':
    case u'·':
    case u'∙':
        return u'*';
    case u'÷':
        return u'/';
    case u'−':
    case u'–':
        return u'-';
    case u'[':
    case u'{':
        return u'(';
    case u']':
    case u'}':
        return u')';
    case u'∣':
        return u'|';
    case u'Π':
        return u'π';
    default:
        return c;
    }
}

// Splits the text into tokens; nothing but a reason where a character is not of the notation.
Outcome<std::vector<Token>> Tokens(const QString &typed, bool allowVariable)
{
    QString text = ToHalfWidth(typed);
    for (QChar &c : text)
        c = Folded(c);
    std::vector<Token> tokens;
    const QString symbols = QStringLiteral("+-*/^(),!%°|√π");
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c == u'∛' || c == u'∜') {
            tokens.push_back({Token::Type::Symbol, QStringLiteral("√"), c == u'∛' ? 3 : 4});
            ++i;
        } else if (Raised.contains(c)) {
            // A raised number: the index of a root sign after it, else a power.
            QString digits;
            for (; i < text.size() && Raised.contains(text[i]); ++i)
                digits += text[i] == u'⁻' ? u'-' : QChar(char16_t(u'0' + Raised.indexOf(text[i])));
            if (i < text.size() && text[i] == u'√') {
                tokens.push_back({Token::Type::Symbol, QStringLiteral("√"), digits.toLong()});
                ++i;
            } else {
                tokens.push_back({Token::Type::Symbol, QStringLiteral("^")});
                tokens.push_back({Token::Type::Number, digits});
            }
        } else if (c.isSpace()) {
            ++i;
        } else if (c.isDigit() || c == u'.') {
            const qsizetype start = i;
            while (i < text.size() && (text[i].isDigit() || text[i] == u'.'))
                ++i;
            tokens.push_back({Token::Type::Number, text.mid(start, i - start)});
        } else if (symbols.contains(c)) {
            tokens.push_back({Token::Type::Symbol, QString(c)});
            ++i;
        } else if (c.isLetter() && c.unicode() < 128) {
            const QString rest = text.mid(i, 6).toLower();
            const char *found = nullptr;
            for (const char *name : Names)
                if (rest.startsWith(QLatin1String(name))) {
                    found = name;
                    break;
                }
            const QChar letter = c.toLower();
            if (!found && (letter == u'e' || (letter == u'x' && allowVariable)))
                tokens.push_back({Token::Type::Name, QString(letter)});
            else if (found)
                tokens.push_back({Token::Type::Name, QLatin1String(found)});
            else
                return Refuse(QStringLiteral("不认识“%1”。").arg(text.mid(i, 1)) + Hint);
            i += found ? qsizetype(strlen(found)) : 1;
        } else {
            return Refuse(QStringLiteral("不认识“%1”。").arg(c) + Hint);
        }
    }
    tokens.push_back({});
    return tokens;
}

MathNode Leaf(Kind kind)
{
    MathNode node;
    node.kind = kind;
    return node;
}

MathNode Node(Kind kind, std::vector<MathNode> children)
{
    MathNode node;
    node.kind = kind;
    node.children = std::move(children);
    return node;
}

MathNode Call(Function function, std::vector<MathNode> arguments)
{
    MathNode node = Node(Kind::Function, std::move(arguments));
    node.function = function;
    return node;
}

struct FunctionName
{
    const char *name;
    Function function;
    int arguments; // 0: one or two (log)
};

const std::array<FunctionName, 17> Functions = {{
        {"sqrt", Function::Sqrt, 1},
        {"cbrt", Function::Cbrt, 1},
        {"root", Function::Root, 2},
        {"abs", Function::Abs, 1},
        {"sin", Function::Sin, 1},
        {"cos", Function::Cos, 1},
        {"tan", Function::Tan, 1},
        {"arcsin", Function::Arcsin, 1},
        {"asin", Function::Arcsin, 1},
        {"arccos", Function::Arccos, 1},
        {"acos", Function::Arccos, 1},
        {"arctan", Function::Arctan, 1},
        {"atan", Function::Arctan, 1},
        {"ln", Function::Ln, 1},
        {"lg", Function::Lg, 1},
        {"log", Function::Log, 0},
        {"c", Function::Combinations, 2},
}};

// Recursive descent over the tokens; every level of recursion counts against the nesting
// limit, so that no text goes deeper than the stack allows.
class Parser
{
public:
    explicit Parser(std::vector<Token> tokens)
        : m_tokens(std::move(tokens))
    { }

    Outcome<MathNode> Read()
    {
        if (m_tokens.size() == 1)
            return Refuse(QString());
        MathNode tree = SumWithin(); // the whole line is no level of its own
        if (m_failed.isEmpty() && Peek().type != Token::Type::End)
            Fail(Peek() == u')' ? QStringLiteral("多了右括号“)”。")
                                : QStringLiteral("“%1”放错了位置。").arg(Peek().text));
        if (!m_failed.isEmpty())
            return Refuse(m_failed);
        return tree;
    }

private:
    const Token &Peek() const { return m_tokens[m_next]; }
    Token Take() { return m_tokens[m_next < m_tokens.size() - 1 ? m_next++ : m_next]; }
    bool TakeIf(QChar symbol)
    {
        if (Peek() != symbol)
            return false;
        ++m_next;
        return true;
    }
    MathNode Fail(const QString &reason)
    {
        if (m_failed.isEmpty())
            m_failed = reason.endsWith(u'。') ? reason + Hint : reason;
        m_next = m_tokens.size() - 1;
        return {};
    }
    bool Deeper()
    {
        if (++m_depth <= MaxNestingDepth)
            return true;
        Fail(QStringLiteral("算式嵌套太深。"));
        return false;
    }

    // Whether the next token can start an operand: where a product needs no sign.
    bool StartsOperand() const
    {
        const Token &t = Peek();
        if (t.type == Token::Type::Number || t.type == Token::Type::Name)
            return true;
        return t == u'(' || t == u'√' || t == u'π' || (t == u'|' && m_bars == 0);
    }

    // A sum in brackets, a bracket's level deeper.
    MathNode Sum()
    {
        if (!Deeper())
            return {};
        MathNode sum = SumWithin();
        --m_depth;
        return sum;
    }

    MathNode SumWithin()
    {
        MathNode left = Product();
        while (m_failed.isEmpty() && (Peek() == u'+' || Peek() == u'-')) {
            const Kind kind = Take() == u'+' ? Kind::Add : Kind::Subtract;
            left = Node(kind, {std::move(left), Product()});
        }
        return left;
    }

    MathNode Product()
    {
        MathNode left = Signed();
        while (m_failed.isEmpty()) {
            if (Peek() == u'*' || Peek() == u'/') {
                const Kind kind = Take() == u'*' ? Kind::Multiply : Kind::Divide;
                left = Node(kind, {std::move(left), Signed()});
            } else if (StartsOperand()) {
                left = Node(Kind::Multiply, {std::move(left), Power()});
            } else {
                break;
            }
        }
        return left;
    }

    // A sign is a level of its own, as a bracket is: "----2" nests as deeply as "((((2))))".
    MathNode Signed()
    {
        const bool negative = Peek() == u'-';
        if (!negative && Peek() != u'+')
            return Power();
        Take();
        if (!Deeper())
            return {};
        MathNode node = negative ? Node(Kind::Negate, {Signed()}) : Signed();
        --m_depth;
        return node;
    }

    MathNode Power()
    {
        MathNode base = Postfix(PrimaryWithin());
        if (TakeIf(u'^')) {
            if (!Deeper())
                return {};
            base = Node(Kind::Power, {std::move(base), Signed()});
            --m_depth;
        }
        return base;
    }

    MathNode Postfix(MathNode operand)
    {
        while (m_failed.isEmpty()) {
            if (TakeIf(u'!'))
                operand = Node(Kind::Factorial, {std::move(operand)});
            else if (TakeIf(u'%'))
                operand = Node(Kind::Percent, {std::move(operand)});
            else if (TakeIf(u'°'))
                operand = Node(Kind::Degrees, {std::move(operand)});
            else
                break;
        }
        return operand;
    }

    static MathNode Number(long value)
    {
        MathNode node;
        node.number = Rational(value);
        return node;
    }

    // A root's radicand is a level of its own, as a sign's operand is.
    MathNode Radicand()
    {
        if (!Deeper())
            return {};
        MathNode node = Postfix(PrimaryWithin());
        --m_depth;
        return node;
    }

    MathNode PrimaryWithin()
    {
        const Token token = Take();
        switch (token.type) {
        case Token::Type::End:
            return Fail(QStringLiteral("算式不完整。"));
        case Token::Type::Number: {
            const auto value = ReadRational(token.text);
            if (!value)
                return Fail(QStringLiteral("“%1”不是一个数。").arg(token.text));
            MathNode node;
            node.number = *value;
            return node;
        }
        case Token::Type::Name:
            return Named(token.text);
        case Token::Type::Symbol:
            break;
        }
        if (token == u'(') {
            MathNode inner = Sum();
            if (m_failed.isEmpty() && !TakeIf(u')'))
                return Fail(QStringLiteral("缺少右括号“)”。"));
            return inner;
        }
        if (token == u'|') {
            ++m_bars;
            MathNode inner = Sum();
            --m_bars;
            if (m_failed.isEmpty() && !TakeIf(u'|'))
                return Fail(QStringLiteral("缺少绝对值的右竖线“|”。"));
            return Call(Function::Abs, {std::move(inner)});
        }
        if (token == u'√' && token.index == 2)
            return Call(Function::Sqrt, {Radicand()});
        if (token == u'√' && token.index == 3)
            return Call(Function::Cbrt, {Radicand()});
        if (token == u'√')
            return Call(Function::Root, {Number(token.index), Radicand()});
        if (token == u'π')
            return Leaf(Kind::Pi);
        if (token == u')')
            return Fail(QStringLiteral("括号里缺少算式。"));
        return Fail(QStringLiteral("“%1”前缺少数。").arg(token.text));
    }

    MathNode Named(const QString &name)
    {
        if (name == u'e')
            return Leaf(Kind::E);
        if (name == u'x')
            return Leaf(Kind::Variable);
        if (name == QLatin1String("pi"))
            return Leaf(Kind::Pi);
        if (name == QLatin1String("ans"))
            return Leaf(Kind::Ans);
        for (const FunctionName &f : Functions)
            if (name == QLatin1String(f.name))
                return Applied(f);
        if (name == u'a')
            return Applied({"A", Function::Arrangements, 2});
        return Fail(QStringLiteral("不认识“%1”。").arg(name));
    }

    // A function's arguments: in parentheses, or for a function of one argument the power
    // after it, with its sign, and the letters multiplied on to it (sin 2x, sin −30°, ln e²).
    MathNode Applied(const FunctionName &f)
    {
        if (!TakeIf(u'(')) {
            if (f.arguments == 2)
                return Fail(QStringLiteral("%1后要有括号，如 %1(5,2)。").arg(f.name).toUpper());
            // A level, as a bracket would be: "sin sin sin 2" nests as "sin(sin(sin(2)))".
            if (!Deeper())
                return {};
            MathNode argument = Signed();
            while (m_failed.isEmpty() && (Peek().type == Token::Type::Name || Peek() == u'π')
                   && IsLetterOperand(Peek().text))
                argument = Node(Kind::Multiply, {std::move(argument), Power()});
            --m_depth;
            return Call(f.function == Function::Log ? Function::Lg : f.function,
                        {std::move(argument)});
        }
        std::vector<MathNode> arguments{Sum()};
        while (m_failed.isEmpty() && TakeIf(u','))
            arguments.push_back(Sum());
        if (m_failed.isEmpty() && !TakeIf(u')'))
            return Fail(QStringLiteral("缺少右括号“)”。"));
        const size_t wanted = f.arguments == 0 ? arguments.size() : size_t(f.arguments);
        if (arguments.size() != wanted || wanted > 2)
            return Fail(QStringLiteral("%1要%2个数，用逗号隔开。")
                                .arg(QString::fromLatin1(f.name), wanted == 2 ? "两" : "一"));
        if (f.function == Function::Log && arguments.size() == 1)
            return Call(Function::Lg, std::move(arguments));
        return Call(f.function, std::move(arguments));
    }

    static bool IsLetterOperand(const QString &name)
    {
        return name == u'x' || name == u'e' || name == u'π' || name == QLatin1String("pi");
    }

    std::vector<Token> m_tokens;
    size_t m_next = 0;
    int m_depth = 0;
    int m_bars = 0; // open absolute-value bars
    QString m_failed;
};

} // namespace

Outcome<MathNode> ReadMath(const QString &text, MathReading reading)
{
    auto tokens = Tokens(text, reading.allowVariable);
    if (!tokens)
        return Refuse(tokens.refusal());
    return Parser(*tokens).Read();
}

bool UsesAns(const MathNode &node)
{
    if (node.kind == Kind::Ans)
        return true;
    for (const MathNode &child : node.children)
        if (UsesAns(child))
            return true;
    return false;
}

} // namespace Eval
