// The notation's reading of mathematics and its rewrites (also a^b into Math.pow) and the fast
// evaluator's tokenizer, compiler and runner: any text is prepared, tokenized, compiled and run,
// as a program and as a function of x, without a crash or a hang; a function nested past the
// limit has no value at any x.

#include "eval/compiledexpression.h"
#include "eval/expression.h"
#include "eval/mathnotation.h"
#include "eval/scriptcompiler.h"
#include "eval/scripttokenizer.h"
#include "fuzzsupport.h"

using namespace Eval;
using namespace ScriptArithmetic;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = Fuzz::Text(data, size);
    const QString program = PrepareExpression(text);
    const std::vector<Token> tokens = Tokenize(program);
    if (!tokens.empty()) {
        Fuzz::Check(tokens.back().kind == TokenKind::End, "the tokens end with the End", program);
        Fuzz::Check(NestingLowerBound(tokens) >= 0, "a nesting depth is not negative", program);
        CompileTokens(tokens);
    }
    if (const std::optional<QString> result = EvaluateWithoutEngine(program))
        Fuzz::Check(result->size() < 40, "a result is a number's text", *result);
    // The "改为乘方" rewrite: a text without a power is kept, any other is read again.
    const QString powers = PowersWritten(text);
    if (!text.contains(u'^') && !text.contains(u'＾'))
        Fuzz::Check(powers == text, "a text without ^ is kept", text);
    PrepareExpression(powers);
    HasTrigonometryInRadians(text);
    const CompiledFunction function = CompiledFunction::Compile(text);
    const bool tooDeep = NestsTooDeeply(program);
    for (double x : {0.7, -2.5, 0.0, -0.0, 1e21, -2147483648.0}) {
        const std::optional<double> value = function.ValueAt(x);
        if (tooDeep)
            Fuzz::Check(value == UndefinedValue, "nested past the limit, a function fails",
                        program.left(80));
    }
    return 0;
}
