// The fast evaluator against the script engine, in one process: wherever the fast path gives
// a result, as a program or as a function of x, the engine's must be the same to the bit, but
// for a function nested past the limit, which fails unread. An input of two lines gives x in
// its first line.

#include "eval/compiledexpression.h"
#include "eval/expression.h"
#include "eval/numbertext.h"
#include "eval/scripthost.h"
#include "eval/scripttokenizer.h"
#include "fuzzsupport.h"

#include <cmath>
#include <cstring>
#include <vector>

using namespace Eval;

namespace {

QString EngineText(const QString &program)
{
    ScriptHost &host = ScriptHost::ForThisThread();
    host.BeginUserAction();
    return host.Evaluate(program);
}

// EvaluateFunctionAt's value as the engine alone gives it.
double EngineValueAt(const QString &expression, double x)
{
    const QString result = EngineText(FunctionProgram(expression, u'x', x));
    if (result.isEmpty() || result == "-1.#IND" || result == "-1.#INF" || result == "1.#INF")
        return UndefinedValue;
    return TextToNumber(result);
}

QString Bits(double value)
{
    return QString::number(value, 'g', 17) + (std::signbit(value) ? "(-)" : "");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::EnsureApplication();
    QString expression = Fuzz::Text(data, size);
    std::vector<double> xs{0.7, -2.5, 3, -0.0, 1.5e-7};
    if (const qsizetype lineEnd = expression.indexOf(u'\n'); lineEnd >= 0) {
        xs.push_back(TextToNumber(expression.left(lineEnd)));
        expression = expression.mid(lineEnd + 1);
    }

    const QString program = PrepareExpression(expression);
    // No two random numbers agree: what draws one is checked by the unit tests' rows instead.
    if (program.contains("random", Qt::CaseInsensitive))
        return 0;
    if (const std::optional<QString> fast = EvaluateWithoutEngine(program)) {
        const QString engine = EngineText(program);
        Fuzz::Check(*fast == engine, "the program's text as the engine's",
                    program + "\nfast " + *fast + ", engine " + engine);
    }
    const CompiledFunction function = CompiledFunction::Compile(expression);
    std::vector<double> batch(xs.size());
    const std::size_t batched = function.ValuesAt(xs.data(), batch.data(), xs.size());
    for (std::size_t i = 0; i < batched; ++i) {
        const std::optional<double> fast = function.ValueAt(xs[i]);
        Fuzz::Check(fast && std::memcmp(&*fast, &batch[i], sizeof batch[i]) == 0,
                    "the batch's value as the single one's",
                    expression + " at " + Bits(xs[i]) + "\nbatch " + Bits(batch[i]));
    }
    const bool unread = ScriptArithmetic::NestsTooDeeply(program);
    for (double x : xs) {
        const std::optional<double> fast = function.ValueAt(x);
        if (!fast)
            continue;
        const double engine = unread ? UndefinedValue : EngineValueAt(expression, x);
        Fuzz::Check(std::memcmp(&*fast, &engine, sizeof engine) == 0,
                    "the function's value as the engine's",
                    expression + " at " + Bits(x) + "\nfast " + Bits(*fast) + ", engine "
                            + Bits(engine));
    }
    return 0;
}
