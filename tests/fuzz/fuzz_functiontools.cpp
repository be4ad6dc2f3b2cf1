// The ranges and intervals typed into the function tools, one per line: the two-variable
// factorization's range and coefficients, the function table's terms, the root finder's
// interval. Each must be refused or come to an end, within its bounds.

#include "eval/numbertext.h"
#include "fuzzsupport.h"
#include "tools/functions/approximaterootlogic.h"
#include "tools/functions/functiontablelogic.h"
#include "tools/functions/twovariablefactorizationlogic.h"

#include <algorithm>
#include <cmath>

using namespace Eval;
using namespace Functions;

namespace {

double Line(const QStringList &lines, int index)
{
    return TextToNumber(lines[index]);
}

void CheckFactorization(const QStringList &lines)
{
    using namespace TwoVariableFactorization;
    const Eval::Outcome<EnumerationInputs> inputs
            = ReadEnumerationInputs({lines[0], lines[1], lines[2], lines[3], lines[4], lines[5]});
    if (!inputs)
        return;
    const Coefficients k = inputs->coefficients;
    Enumeration enumeration(inputs->range, k);
    int asked = 0;
    const auto match = [&](const Factors &f) {
        if (!(std::fabs(k.a - f.m * f.p) <= 1e-7 && std::fabs(k.b - (f.m * f.q + f.n * f.p)) <= 1e-7
              && std::fabs(k.c - f.n * f.q) <= 1e-7))
            Fuzz::Fail("a match factors the form", FactorsText(f));
    };
    for (int pass = 0; pass < 3 && !enumeration.isFinished(); ++pass) {
        enumeration.NextPass(match, [&] { return ++asked < 50; });
        const int position = enumeration.progressPosition();
        Fuzz::Check(position >= 0 && position <= enumeration.progressMaximum(),
                    "the progress lies within its maximum", lines.join(u' '));
        enumeration.ProgressCaption();
    }
    enumeration.FinalCaption();
}

void CheckTable(const QStringList &lines)
{
    std::optional<FunctionTable::Table> table
            = FunctionTable::Table::Start(lines[6], lines[7], lines[8]);
    if (!table)
        return;
    const FunctionTable::ValueText f = [](double x) { return NumberToText(x); };
    const std::optional<FunctionTable::Row> first = table->NextRow(f);
    if (!first)
        return;
    // Counted from the first row's x (a first term with an x starts from its number's text),
    // and rows past the last term by less than the tolerance come on top.
    const double difference = TextToNumber(lines[8]);
    const double span
            = std::max(0.0, (TextToNumber(lines[7]) - TextToNumber(first->x)) / difference);
    const double bound = span + 1e-7 / difference + 2;
    if (!(bound < 100000))
        return;
    int rows = 1;
    while (table->NextRow(f))
        ++rows;
    Fuzz::Check(rows <= bound, "the table ends within its rows",
                lines.mid(6, 3).join(u' ') + QString(": %1 rows").arg(rows));
}

void CheckRoot(const QStringList &lines)
{
    const double a = Line(lines, 9), b = Line(lines, 10), c = Line(lines, 11);
    const ApproximateRoot::Function functions[] = {
            [c](double x) { return x * x - c; },
            [c](double x) { return std::sin(x) - c; },
            [c](double x) { return 1 / (x - c); },
            [c](double x) { return std::sqrt(x - c); },
    };
    const auto &f = functions[Fuzz::At(lines[12], 0) % 4];
    const int places = Fuzz::At(lines[12], 1) % 6;
    int steps = 0;
    ApproximateRoot::SearchHooks hooks;
    hooks.keepGoing = [&] { return ++steps < 20000; };
    hooks.answers = [places](const QList<ApproximateRoot::Answer> &answers, bool complete) {
        ApproximateRoot::ShowAnswers(answers, complete, places);
    };
    hooks.bisectionImpossible = [](bool) {};
    ApproximateRoot::Bisect(f, a, b, places, hooks);
    steps = 0;
    ApproximateRoot::Enumerate(f, a, b, places, hooks);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = Fuzz::Lines(data, size, 13);
    CheckFactorization(lines);
    CheckTable(lines);
    CheckRoot(lines);
    return 0;
}
