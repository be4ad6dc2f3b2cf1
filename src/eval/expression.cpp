#include "expression.h"

#include "numberreading.h"
#include "scripthost.h"
#include "scripttokenizer.h"

namespace Eval {

namespace {

// The one place that decides who runs a program: nobody when it nests too deeply, which
// fails as a syntax error does; the compiled code where it gives the engine's result; the
// engine where only the engine can tell.
QString RunProgram(const QString &program)
{
    if (ScriptArithmetic::NestsTooDeeply(program))
        return {};
    if (std::optional<QString> result = EvaluateWithoutEngine(program))
        return *result;
    return ScriptHost::ForThisThread().Evaluate(program);
}

// A function's value from its result text.
double FunctionValue(const QString &result)
{
    if (result == QLatin1String("-1.#IND") || result == QLatin1String("-1.#INF")
        || result == QLatin1String("1.#INF"))
        return UndefinedValue;
    return TextToNumber(result);
}

} // namespace

QString EvaluateExpression(const QString &text)
{
    return RunProgram(PrepareExpression(text));
}

bool IsFailureOrInfinity(const QString &result)
{
    return result.isEmpty() || result == QLatin1String("1.#INF")
            || result == QLatin1String("-1.#INF");
}

double EvaluateFunctionAt(QString expression, QChar variable, double x)
{
    return FunctionValue(RunProgram(FunctionProgram(expression, variable, x)));
}

// Rewritten, tokenized and compiled once for each sign of x; run for every x. Where the
// compiled function cannot tell (a sign of x it was not compiled for, see CompiledFunction),
// the program for that x goes to RunProgram.
PreparedFunction PrepareFunction(const QString &expression)
{
    PreparedFunction prepared;
    prepared.m_compiled = CompiledFunction::Compile(expression);
    prepared.m_expression = expression;
    return prepared;
}

double PreparedFunction::operator()(double x) const
{
    if (m_given)
        return m_given(x);
    if (const std::optional<double> value = m_compiled.ValueAt(x))
        return *value;
    return EvaluateFunctionAt(m_expression, u'x', x);
}

std::size_t PreparedFunction::ValuesAt(const double *xs, double *values, std::size_t count) const
{
    if (count == 0)
        return 0;
    if (!m_given) {
        if (const std::size_t done = m_compiled.ValuesAt(xs, values, count))
            return done;
    }
    values[0] = (*this)(xs[0]);
    return 1;
}

bool PreparedFunction::batches() const
{
    return !m_given && m_compiled.hasFastCode();
}

PreparedFunctionText PrepareFunctionText(const QString &expression)
{
    return [expression](double x) { return RunProgram(FunctionProgram(expression, u'x', x)); };
}

bool IsEvaluableAt(const QString &expression, double x)
{
    return !RunProgram(FunctionProgram(expression, u'x', x)).isEmpty();
}

void BeginUserAction()
{
    ScriptHost::ForThisThread().BeginUserAction();
}

QString ExpressionHintCaption()
{
    return QStringLiteral("提示：");
}

QString ExpressionHintText()
{
    return QStringLiteral("可以使用的运算符：+ - * / （ ）\r\n"
                          "数学函数格式：Math.函数(参数1,参数2，……)\r\n"
                          "举例：求2^x:Math.pow(2,x)");
}

} // namespace Eval
