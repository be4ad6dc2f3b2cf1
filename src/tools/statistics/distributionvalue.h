#pragma once

#include "eval/rational.h"
#include "ui/namedvalues.h"

#include <QString>

#include <optional>

namespace Statistics {

// The numbers of "排列组合与概率" as a student reads and copies them: exact where the textbook is
// (a fraction, a whole number, a decimal that ends), its decimal beside it, and decimals right
// to their last digit far into the tails, where a double has long become 0.

// A decimal as its significant digits: the first stands at 10^exponent ("0.0123" is "123" and
// -2). Zero has no digits.
struct DecimalDigits
{
    bool negative = false;
    QString digits;
    long exponent = 0;

    bool IsZero() const { return digits.isEmpty(); }
};

// Reads the decimals that Rational::ToDecimalText and the precise distribution functions write
// ("0", "-0.0123", "123.45", "1.5e+020", "9.3419e-299"); nothing for any other text.
std::optional<DecimalDigits> ReadDecimalDigits(const QString &text);
// Rounded half away from zero to `significant` digits.
DecimalDigits RoundDigits(const DecimalDigits &value, int significant);

// The exact value of the digits; nothing where the power of ten is beyond Rational's reach.
std::optional<Eval::Rational> DigitsValue(const DecimalDigits &value);
// A fraction's decimal to `significant` digits, correctly rounded.
DecimalDigits FractionDigits(const Eval::Rational &value, int significant);

// How the window shows its decimals: to 10 significant digits, or to 4 places as the textbook
// rounds. "复制结果" always carries CopiedSignificantDigits.
enum class Rounding { TenDigits, FourPlaces };
constexpr int ShownSignificantDigits = 10;
constexpr int CopiedSignificantDigits = 15;

// A result of the tool: an exact fraction, or a decimal known to about 30 significant digits,
// then perhaps with an exact form that is no fraction ("4/3·e^(-2)").
class DistributionValue
{
public:
    // `asDecimal`: the inputs were typed as decimals, so an exact value that ends within
    // CopiedSignificantDigits is written as a decimal ("0.3087") rather than a fraction.
    static DistributionValue Exact(Eval::Rational value, bool asDecimal = false);
    static DistributionValue Approximate(DecimalDigits value, QString exactForm = {},
                                         QString exactFormShown = {});

    const std::optional<Eval::Rational> &exact() const { return m_exact; }
    // The sum, exact where both are.
    DistributionValue Plus(const DistributionValue &other) const;
    // Correctly rounded for an exact value; rounded from the ~30 known digits otherwise.
    DecimalDigits Rounded(int significant) const;
    // The exact value as written ("63/256", "0.3087", "5"), or the exact form; empty when
    // there is neither.
    QString ExactText() const;
    // As "复制结果" copies it: "63/256 ≈ 0.24609375", "0.3087", "5", "0.682689492137086".
    QString Copied() const;
    // As the window shows it: "63/256 = 0.24609375", "≈0.6827", "4/3·e⁻² ≈ 0.1804470443".
    QString Shown(Rounding rounding) const;
    // The rounded decimal alone: "0.6827", "9.341968821×10⁻²⁹⁹".
    QString RoundedText(Rounding rounding) const;

private:
    bool IsEndingDecimal(const QString &exact) const;

    std::optional<Eval::Rational> m_exact;
    bool m_asDecimal = false;
    DecimalDigits m_approximate;
    QString m_exactForm;
    QString m_exactFormShown;
};

Ui::NamedValue Named(const QString &name, const DistributionValue &value, Rounding rounding);

// Decimal texts: "0.0123", "9.34196882121722e-299" (for copying) or "9.341968821×10⁻²⁹⁹" (to
// show), plain while the exponent X is in -4 ≤ X < significant; trailing zeros removed.
QString CopiedDecimal(const DecimalDigits &value);
QString ShownDecimal(const DecimalDigits &value, int significant);

// A whole number of any length as shown: in full up to 40 digits, else "2.504053589×10³⁰¹⁰⁰
// （30101位）".
QString ShownWholeNumber(const Eval::BigInteger &value);
QString ShownWholeNumber(const QString &digits); // of a positive number

// Digits as subscripts ("₁₀"), for the textbook's A₁₀³ and C₁₀³.
QString SubscriptDigits(long long number);

} // namespace Statistics
