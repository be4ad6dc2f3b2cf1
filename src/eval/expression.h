#pragma once

#include <QChar>
#include <QString>

#include <functional>

// Turns the forgiving notation users type (full-width characters, "sqrt" without "Math.",
// implied multiplication such as 2x or 3(x+1)) into JavaScript by plain text rewrites in a
// fixed order, and evaluates it with the script host. Arithmetic is worked out without the
// engine where that gives the engine's result exactly (compiledexpression.h).

// Value of a function of x where it is not defined (infinite or not a number).
inline constexpr double UndefinedValue = 1e123;

// Replaces the first occurrence, searching from the start, until none is left; so a
// replacement can meet its neighbours ("xxx" with "xx" -> "x*x" gives "x*x*x"). Letters
// compare without regard to case when ignoreCase is set (ASCII letters only).
QString ReplaceAll(QString text, const QString &search, const QString &replacement,
                   bool ignoreCase = true);

// The text handed to the engine, e.g. "sqrt(16)+2(3)" -> "Math.sqrt(16)+2*(3)".
QString PrepareExpression(const QString &text);

// The engine's result text of the prepared expression: a number's text, "1.#INF",
// "-1.#INF", "-1.#IND", or the empty text on failure.
QString EvaluateExpression(const QString &text);

// The program the engine runs for the expression as a function of `variable` at x: the
// implied multiplications with the variable, the variable replaced by x's text, then
// PrepareExpression. A non-finite x gives its special text ("1.#INF"), which fails.
QString FunctionProgram(const QString &expression, QChar variable, double x);

// The expression as a function of `variable` (every caller passes 'x') at x: its value,
// UndefinedValue when that is not finite, 0 when the expression fails.
double EvaluateFunctionAt(QString expression, QChar variable, double x);

// The expression as a function of x, read once: gives exactly what
// EvaluateFunctionAt(expression, 'x', x) gives, for every x. Every tool that samples a typed
// function of x goes through this, so a faster evaluation behind it speeds them all up.
using PreparedFunction = std::function<double(double x)>;
PreparedFunction PrepareFunction(const QString &expression);

// Whether the expression as a function of x gives a value at x at all (a number, an infinity,
// not-a-number); false when the evaluation fails there (a syntax error, an unknown name, an
// exception, no value, the time limit), where EvaluateFunctionAt reads it as 0.
bool IsEvaluableAt(const QString &expression, double x);

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
