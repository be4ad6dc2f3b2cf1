#pragma once

#include "eval/outcome.h"
#include "eval/rational.h"
#include "tools/statistics/distributionvalue.h"
#include "ui/namedvalues.h"
#include "ui/working.h"

#include <QList>
#include <QStringList>

namespace Statistics {

// "分布列": the values xᵢ of X and their probabilities pᵢ, each typed as a list ("1 2 3",
// "1/6，1/3，1/2"), and E(X) and D(X) exactly: as fractions, or as decimals where every
// number was typed as one.

constexpr int MaxTableValues = 1000;

struct DistributionTable
{
    QStringList valueTexts; // as typed, one per value
    QStringList probabilityTexts;
    QList<Eval::Rational> values;
    QList<Eval::Rational> probabilities;
    bool asDecimal = false;
};
// Refused, naming the problem, where the lists differ in length, a value repeats, a pᵢ lies
// outside [0, 1] or the pᵢ do not add up to exactly 1.
Eval::Outcome<DistributionTable> ReadDistributionTable(const QString &valuesText,
                                                       const QString &probabilitiesText);

// "E(X)" and "D(X)".
Ui::NamedValues TableMoments(const DistributionTable &table, Rounding rounding);
// The table as the textbook draws it, E(X) = Σxᵢpᵢ and D(X) = Σ(xᵢ − E(X))²pᵢ written out.
Ui::Working TableWorking(const DistributionTable &table, Rounding rounding);

} // namespace Statistics
