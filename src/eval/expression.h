#pragma once

#include "compiledexpression.h"
#include "notation.h"

#include <QChar>
#include <QString>

#include <functional>
#include <type_traits>

namespace Eval {

// Evaluates the notation users type, as a program or as a function of x. Every evaluation
// takes one line, each step in a file of its own:
//   1. notation rewrite (notation.h): the typed text becomes the program the engine would run;
//   2. tokens (scripttokenizer.h);
//   3. code (scriptcompiler.h): postfix code with what does not involve x worked out, and for
//      a function of x the same code as plain arithmetic on doubles (scriptfastcode.h);
//   4. run (compiledexpression.h): the code gives the engine's result to the last bit, or
//      says that only the engine can tell.
// Steps 1-3 happen once in PrepareFunction and step 4 for every x; an expression that is not
// a function of x takes all four in EvaluateExpression. Where step 4 cannot tell, the engine
// runs the program of step 1: RunProgram in expression.cpp is the one place that decides so.
// A program with brackets nested more than MaxNestingDepth deep (nestinglimit.h) fails there
// unread, as a syntax error does.

// The engine's result text of the typed expression (PrepareExpression's program): a number's
// text, "1.#INF", "-1.#INF", "-1.#IND", or the empty text on failure.
QString EvaluateExpression(const QString &text);
// Whether such a result text has no value a tool can show: a failure or an infinity
// ("-1.#IND" is a value the tools show as it is).
bool IsFailureOrInfinity(const QString &result);
// Why the typed expression has no such value, in words for the student: "没有输入算式",
// "括号不配对", "除数为零", "结果为无穷大", "不认识的名称：foo" or "算式的写法不对"; empty when
// it has one.
QString FailureReason(const QString &text);

// The expression as a function of `variable` (every caller passes 'x') at x: its value,
// UndefinedValue when that is not finite or the expression fails there (a failure is never read
// as 0, a value no user typed).
double EvaluateFunctionAt(QString expression, QChar variable, double x);

// The expression as a function of x, read once: gives exactly what
// EvaluateFunctionAt(expression, 'x', x) gives, for every x. Every tool that samples a typed
// function of x goes through this, so a faster evaluation behind it speeds them all up.
class PreparedFunction
{
public:
    PreparedFunction() = default;
    // Any other function of x, for tests and benchmarks.
    template<typename F,
             typename = std::enable_if_t<
                     !std::is_same_v<
                             std::decay_t<F>,
                             PreparedFunction> && std::is_invocable_r_v<double, F &, double>>>
    PreparedFunction(F f)
        : m_given(std::move(f))
    { }

    double operator()(double x) const;
    // The values at xs[0], xs[1], …: how many from the first it gives, at least one unless
    // count is 0 (it may write past them, within count). A batch of compiled values at a
    // time, but only one value the engine gives, so a caller that lets events through between
    // batches does so between any two slow values.
    std::size_t ValuesAt(const double *xs, double *values, std::size_t count) const;
    // Whether ValuesAt gives more than one value at a time for some x: the function is
    // compiled to plain arithmetic for at least one sign of x.
    bool batches() const;

private:
    friend PreparedFunction PrepareFunction(const QString &expression);

    CompiledFunction m_compiled;
    QString m_expression;
    std::function<double(double)> m_given;
};
PreparedFunction PrepareFunction(const QString &expression);

// Whether the expression as a function of x gives a value at x at all (a number, an infinity,
// not-a-number); false when the evaluation fails there (a syntax error, an unknown name, an
// exception, no value, the time limit).
bool IsEvaluableAt(const QString &expression, double x);
// Whether it does so at both a and b. The function tools refuse a function that does not with
// the notation hint instead of searching, tabling or drawing a function without values.
bool IsEvaluableOn(const QString &expression, double a, double b);

// The same function of x giving the engine's result text instead of its number: the text that
// EvaluateExpression gives for the expression with x put in as EvaluateFunctionAt puts it
// (a number's text, "1.#INF", "-1.#INF", "-1.#IND", or the empty text on failure). For the
// tools that show the value as the engine writes it.
using PreparedFunctionText = std::function<QString(double x)>;
PreparedFunctionText PrepareFunctionText(const QString &expression);

// A new user action begins (a button pressed, a key typed): evaluations may run again after
// one was stopped by the time limit. Tools call it where one action's loop starts.
void BeginUserAction();

// How the function tools explain the notation, in a message box.
QString ExpressionHintCaption(); // "提示："
QString ExpressionHintText();

} // namespace Eval
