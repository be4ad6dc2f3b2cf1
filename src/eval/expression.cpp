#include "expression.h"

#include "halfwidth.h"
#include "mathnotation.h"
#include "numberreading.h"
#include "scripthost.h"
#include "scripttokenizer.h"

#include <QRegularExpression>
#include <QSet>

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

// A function's value from its result text: a failure has no value, as an infinity has none.
double FunctionValue(const QString &result)
{
    if (result.isEmpty() || result == QLatin1String("-1.#IND") || result == QLatin1String("-1.#INF")
        || result == QLatin1String("1.#INF"))
        return UndefinedValue;
    return TextToNumber(result);
}

// More divisions or names than this are not looked into one by one.
constexpr int MostDivisorsChecked = 100;
constexpr int MostNamesChecked = 200;

bool ParenthesesBalance(const QString &program)
{
    int depth = 0;
    for (QChar c : program) {
        depth += c == u'(' ? 1 : c == u')' ? -1 : 0;
        if (depth < 0)
            return false;
    }
    return depth == 0;
}

// Whether some division of the program has a divisor of 0.
bool DividesByZero(const QString &program)
{
    int checked = 0;
    for (qsizetype at = program.indexOf(u'/'); at >= 0 && checked < MostDivisorsChecked;
         at = program.indexOf(u'/', at + 1), ++checked) {
        const qsizetype end = OperandEnd(program, at + 1);
        if (end < 0)
            continue;
        const QString divisor = RunProgram(program.mid(at + 1, end - at - 1));
        if (divisor == u"0")
            return true;
    }
    return false;
}

// The first name of the program that the engine does not know, as the program writes it.
QString UnknownName(const QString &program)
{
    static const QRegularExpression name(
            QStringLiteral("(?<![\\w$.])(Math\\s*\\.\\s*)?([A-Za-z_$][\\w$]*)"));
    QSet<QString> known;
    for (auto found = name.globalMatch(program);
         found.hasNext() && known.size() < MostNamesChecked;) {
        const QRegularExpressionMatch match = found.next();
        const QString named = match.captured(1).isEmpty()
                ? match.captured(2)
                : QStringLiteral("Math.") + match.captured(2);
        if (known.contains(named))
            continue;
        // A keyword is no name: the engine refuses to ask for its type.
        if (RunProgram(QStringLiteral("typeof ") + named) == u"undefined" && named != u"undefined")
            return named;
        known.insert(named);
    }
    return {};
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

QString FailureReason(const QString &text)
{
    const QString result = EvaluateExpression(text);
    if (!IsFailureOrInfinity(result))
        return {};
    if (ToHalfWidth(text).trimmed().isEmpty())
        return QStringLiteral("没有输入算式");
    const QString program = PrepareExpression(text);
    if (!result.isEmpty())
        return DividesByZero(program) ? QStringLiteral("除数为零") : QStringLiteral("结果为无穷大");
    if (!ParenthesesBalance(program))
        return QStringLiteral("括号不配对");
    if (const QString name = UnknownName(program); !name.isEmpty())
        return QStringLiteral("不认识的名称：") + name;
    return QStringLiteral("算式的写法不对");
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

bool IsEvaluableOn(const QString &expression, double a, double b)
{
    return IsEvaluableAt(expression, a) && IsEvaluableAt(expression, b);
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
