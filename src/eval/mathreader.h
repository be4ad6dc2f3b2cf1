#pragma once

#include "eval/outcome.h"
#include "eval/rational.h"

#include <QString>

#include <vector>

namespace Eval {

// The one reader of mathematics as a student types it, for every tool of the launcher's second
// page. It only reads: the tree it gives is worked out exactly by EvaluateMath
// (mathevaluation.h), and a tool that samples a function of x can compile the same tree.
//
// The notation: numbers (digits with an optional point; full-width forms too), + − × ÷ and
// * /, ^ for powers (right to left: 2^3^2 is 2^9), ² ³, √ ∛ and root(n, x), π, e, Ans, x (where
// allowed), postfix ! % and ° (30° is 30 degrees in either angle unit), parentheses,
// |x| and abs(x), sin cos tan arcsin arccos arctan (also asin acos atan), ln, log and lg (base
// 10), log(a, b) (the base first: log(2, 8) is 3), C(n, m) and A(n, m). A product needs no sign
// where a student writes none: 2π, 3√2, 2(1+√3), (1+√2)(1−√2), sin30°cos60°. A function
// without parentheses takes the power after it and any letters multiplied on to it: sin 30° is
// sin(30°), ln e² is ln(e²), sin 2x is sin(2x). A minus sign binds looser than a power:
// −2^2 is −4.
struct MathNode
{
    enum class Kind {
        Number, // `number`
        Pi,
        E,
        Ans,
        Variable, // x
        Negate, // one child
        Add, // two children, as the rest below
        Subtract,
        Multiply,
        Divide,
        Power,
        Factorial, // one child
        Percent, // one child: a hundredth of it
        Degrees, // one child: an angle in degrees
        Function, // `function`, its children the arguments
    };
    enum class Function {
        Sqrt,
        Cbrt,
        Root, // root(n, x)
        Abs,
        Sin,
        Cos,
        Tan,
        Arcsin,
        Arccos,
        Arctan,
        Ln,
        Lg,
        Log, // log(a, b): base a
        Combinations, // C(n, m)
        Arrangements, // A(n, m)
    };

    Kind kind = Kind::Number;
    Function function = Function::Sqrt;
    Rational number;
    std::vector<MathNode> children;
};

struct MathReading
{
    bool allowVariable = false; // whether x may appear
};

// The tree of `text`, or a refusal that says what to type: the empty text (an empty refusal),
// an unknown sign or name, a missing operand or parenthesis, and a text nested deeper than
// MaxNestingDepth.
Outcome<MathNode> ReadMath(const QString &text, MathReading reading = {});

// Whether the tree holds Ans (then the caller needs the last answer to evaluate it).
bool UsesAns(const MathNode &node);

} // namespace Eval
