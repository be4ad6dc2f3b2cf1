#pragma once

#include <QString>

#include <memory>
#include <optional>

// Runs the arithmetic part of the script language without the engine and with the engine's
// results to the last bit: number literals, the operators (arithmetic, comparison, logical,
// bitwise, ?: and the comma), parentheses, true and false, NaN and Infinity, and the Math
// functions and constants. A program with anything else, or one whose result could differ
// from the engine's, is refused, and the caller asks the engine.

// The script host's result text for `program` (as handed to ScriptHost::Evaluate), or nullopt
// when the program is refused.
std::optional<QString> EvaluateWithoutEngine(const QString &program);

// ShownValue(x) in double arithmetic where that gives the same, else ShownValue itself.
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

    // The expression as a function of x as EvaluateFunctionAt reads it.
    static CompiledFunction Compile(const QString &expression);

    // EvaluateFunctionAt(expression, 'x', x), or nullopt where only the engine can tell
    // (a sign of x that was not compiled, a non-finite x, a zero whose sign the engine
    // decides by how it stores the numbers multiplied).
    std::optional<double> ValueAt(double x) const;

    bool coversPositive() const;
    bool coversNegative() const;

private:
    struct Code;
    std::shared_ptr<const Code> m_positive;
    std::shared_ptr<const Code> m_negative;
};
