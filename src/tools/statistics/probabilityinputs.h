#pragma once

#include "eval/outcome.h"
#include "eval/rational.h"
#include "tools/statistics/distributionfunctions.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace Statistics {

// The inputs of "排列组合与概率" as a student types them (full-width forms, fractions,
// decimals, "1e6"), read exactly by Eval::ReadRational. An empty required input is a silent
// refusal: the page waits for it. Every other refusal names the input and says what to type.

// A whole number from `least` to `most` typed for `name` ("n").
Eval::Outcome<long long> ReadWholeInput(const QString &text, const QString &name, long long least,
                                        long long most);
// The same for an input that may stay empty (nothing then).
Eval::Outcome<std::optional<long long>> ReadOptionalWholeInput(const QString &text,
                                                               const QString &name);
// Any number.
Eval::Outcome<Eval::Rational> ReadNumberInput(const QString &text, const QString &name);
// A probability: 0 ≤ p ≤ 1.
Eval::Outcome<Eval::Rational> ReadProbabilityInput(const QString &text, const QString &name);
// Whether every text that holds a number was typed as a decimal (no "/"): exact results are
// then written as decimals where they end.
bool TypedAsDecimals(const QStringList &texts);

// What the pages of the discrete distributions ask: P(X = k) and P(X ≤ k) for a typed k, and
// P(a ≤ X ≤ b) for a typed a or b (the other end then open). Each may stay empty.
struct AskedCounts
{
    std::optional<long long> k;
    std::optional<CountRange> range;
};
Eval::Outcome<AskedCounts> ReadAskedCounts(const QString &kText, const QString &aText,
                                           const QString &bText);

} // namespace Statistics
