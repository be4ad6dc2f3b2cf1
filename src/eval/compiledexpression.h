#pragma once

#include <QString>

#include <memory>
#include <optional>

namespace Eval {

// Runs the arithmetic part of the script language without the engine and with the engine's
// results to the last bit: number literals, the operators (arithmetic, comparison, logical,
// bitwise, ?: and the comma), parentheses, true and false, NaN and Infinity, and the Math
// functions and constants. A program with anything else, or one whose result could differ
// from the engine's, is refused, and the caller asks the engine.

// The script host's result text for `program` (as handed to ScriptHost::Evaluate), or nullopt
// when the program is refused.
std::optional<QString> EvaluateWithoutEngine(const QString &program);

// Value of a function of x where it is not defined (infinite or not a number).
inline constexpr double UndefinedValue = 1e123;

// The x a function is run with: its program holds x as the 13-digit text NumberToText writes,
// so the engine computes with the value that text reads back as, ShownValue(x), and no x
// escapes the rounding. In double arithmetic where that gives the same, else ShownValue itself.
double ShownValueQuickly(double x);

// A function of x compiled from the programs the engine would run for it: since x is put in
// as text, the expression is compiled once for positive and once for negative values, and
// only where every such program reads x as one whole number of its own (not "32" from "x2").
class CompiledFunction
{
public:
    // Nothing compiled: every value comes from the engine.
    CompiledFunction();
    ~CompiledFunction();
    CompiledFunction(const CompiledFunction &);
    CompiledFunction &operator=(const CompiledFunction &);

    // The expression as a function of x as EvaluateFunctionAt reads it: for each sign of x,
    // the programs for two values of x (notation.h) tokenized and compiled, and the code also
    // as plain double arithmetic where that keeps every bit (scriptfastcode.h).
    static CompiledFunction Compile(const QString &expression);

    // EvaluateFunctionAt(expression, 'x', x), or nullopt where only the engine can tell
    // (a sign of x that was not compiled, a non-finite x, a zero whose sign the engine
    // decides by how it stores the numbers multiplied).
    std::optional<double> ValueAt(double x) const
    {
        double value;
        if (Evaluate(x, value))
            return value;
        return std::nullopt;
    }

    // ValueAt for xs[0], xs[1], … while the fast code alone decides, a batch at a time: how
    // many values from the first are given (values after them may be overwritten too). The
    // next x, if any, needs ValueAt or the engine.
    std::size_t ValuesAt(const double *xs, double *values, std::size_t count) const;

    // Whether ValuesAt answers for some x: plain double arithmetic for at least one sign.
    bool hasFastCode() const;

    bool coversPositive() const;
    bool coversNegative() const;

private:
    // ValueAt without building the optional, which a caller in another file would get through
    // memory, a byte written and a word read, a slow pair.
    bool Evaluate(double x, double &value) const;
    int ValuesOfMixedSigns(const double *xs, double *values, int count) const;
    int ValuesOfOneSign(const double *xs, double *values, int count) const;

    struct Code;
    std::shared_ptr<const Code> m_positive;
    std::shared_ptr<const Code> m_negative;
};

} // namespace Eval
