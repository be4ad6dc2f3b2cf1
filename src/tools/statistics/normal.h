#pragma once

#include "eval/outcome.h"
#include "eval/rational.h"
#include "tools/statistics/distributionvalue.h"
#include "ui/namedvalues.h"
#include "ui/working.h"

#include <optional>

namespace Statistics {

// "正态分布" N(μ, σ²): P(a ≤ X ≤ b), either end open (typed empty or as ∞), and the inverse, the
// x with P(X ≤ x) = p.

struct NormalQuestion
{
    Eval::Rational mean; // μ
    Eval::Rational deviation; // σ > 0
    bool probabilityAsked = false; // a or b typed
    std::optional<Eval::Rational> from; // a; nothing: −∞
    std::optional<Eval::Rational> to; // b; nothing: +∞
    std::optional<Eval::Rational> p; // for the inverse
};
Eval::Outcome<NormalQuestion> ReadNormal(const QString &meanText, const QString &deviationText,
                                         const QString &aText, const QString &bText,
                                         const QString &pText);

// "P(a≤X≤b)" and "x", each where it is asked.
Ui::NamedValues NormalResults(const NormalQuestion &question, Rounding rounding);
// Standardising, Φ(z) read off, and x = μ + σz.
Ui::Working NormalWorking(const NormalQuestion &question, Rounding rounding);

// The textbook's reminder of P(μ − kσ ≤ X ≤ μ + kσ) for k = 1, 2, 3.
QString ThreeSigmaReminder();

} // namespace Statistics
