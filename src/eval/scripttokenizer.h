#pragma once

// The tokens of the arithmetic subset of the script language, and a bound on how deeply a
// program of them nests.

#include "nestinglimit.h"
#include "scriptvalue.h"

#include <QStringView>

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

namespace Eval::ScriptArithmetic {

// Literals compared without measuring them first.
inline bool Same(QStringView text, std::u16string_view literal)
{
    return text.size() == qsizetype(literal.size())
            && std::equal(literal.begin(), literal.end(), text.begin(),
                          [](char16_t a, QChar b) { return a == b.unicode(); });
}

enum class TokenKind : quint8 { Number, Name, Punctuator, End };

// A punctuator of the language; one outside the subset refuses the program. A binary
// operator's precedence goes from 1 (||) to 10 (* / %).
struct Punctuator
{
    std::u16string_view text;
    bool allowed;
    Op binary = Op::Constant; // for a binary operator, its operation and precedence
    int precedence = 0;
};

struct Token
{
    TokenKind kind;
    QStringView text;
    double number = 0;
    bool variable = false; // the number put in for x, or a literal x's digits are part of
    const Punctuator *punctuator = nullptr;
    qsizetype variableAt = 0; // where x's digits begin in the literal
    qsizetype variableLength = 0; // how many there are; 0 when the literal is x's alone
    bool lineBreakBefore = false; // a line terminator between it and the token before
};

// The tokens of `text`, the last one the End; none when the text has anything outside the
// subset.
std::vector<Token> Tokenize(QStringView text);

// The value of a text that is one number literal and nothing else.
std::optional<double> NumberLiteralValue(QStringView text);

// The engine refuses a program nested deeper than 4092 levels of its own counting, in which
// every operator, sign, pair of parentheses and ?: is a level and a call two; arguments and
// statements side by side add nothing. The parser counts the same way: within its depth the
// engine accepts every program of the subset, and a program at least CertainlyTooDeep levels
// deep the engine refuses, whatever else it holds. The parser's own recursion stops sooner,
// past MaxNestingDepth levels of parentheses, calls, signs and operators inside one another.
constexpr int MaximumDepth = 1000;
constexpr int CertainlyTooDeep = 4300;

// Fewer levels than the program has, read from the tokens alone (as the parser stops early):
// the deepest parentheses (a call's counting twice), the longest run of signs, and the
// operators of the loosest kind between two separators (, ? : ;), each of which nests the
// operators before it.
int NestingLowerBound(const std::vector<Token> &tokens);

// Whether the program opens parentheses, brackets or braces more than MaxNestingDepth deep,
// wherever they stand (in a string or a comment too). The evaluator refuses such a program
// unread, as one that fails, and never hands it to the engine.
bool NestsTooDeeply(QStringView program);

} // namespace Eval::ScriptArithmetic
