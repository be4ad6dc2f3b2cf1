#include "tools/statistics/distributionvalue.h"

#include "ui/working.h"

#include <algorithm>

using namespace Eval;

namespace Statistics {

namespace {

// Exact fractions longer than this are left out of the window (the decimal stands alone) ...
constexpr int LongestShownExact = 40;
// ... and out of the copy: nobody works with a fraction of more digits.
constexpr int LongestCopiedExact = 10000;

bool IsAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The optional sign and digits of `text` from `index` as a number; nothing for anything else.
std::optional<long> ReadExponent(const QString &text, qsizetype index)
{
    bool negative = false;
    if (index < text.size() && (text.at(index) == u'+' || text.at(index) == u'-'))
        negative = text.at(index++) == u'-';
    if (index == text.size() || text.size() - index > 12)
        return std::nullopt;
    long value = 0;
    for (; index < text.size(); ++index) {
        if (!IsAsciiDigit(text.at(index)))
            return std::nullopt;
        value = value * 10 + (text.at(index).unicode() - u'0');
    }
    return negative ? -value : value;
}

QString Sign(const DecimalDigits &value)
{
    return value.negative ? QStringLiteral("-") : QString();
}

// Plain digits with the point where the exponent puts it (-4 ≤ exponent, any length).
QString PlainText(const DecimalDigits &value, int places = -1)
{
    QString digits = value.digits;
    const long exponent = value.exponent;
    QString whole, fraction;
    if (exponent >= 0) {
        digits = digits.leftJustified(int(exponent) + 1, u'0');
        whole = digits.left(int(exponent) + 1);
        fraction = digits.mid(int(exponent) + 1);
    } else {
        whole = QStringLiteral("0");
        fraction = QString(int(-exponent - 1), u'0') + digits;
    }
    if (places >= 0)
        fraction = fraction.leftJustified(places, u'0');
    return Sign(value) + whole + (fraction.isEmpty() ? QString() : u'.' + fraction);
}

bool ShowsPlain(const DecimalDigits &value, int significant)
{
    return value.exponent >= -4 && value.exponent < significant;
}

QString Mantissa(const DecimalDigits &value)
{
    QString mantissa = value.digits;
    if (mantissa.size() > 1)
        mantissa.insert(1, u'.');
    return Sign(value) + mantissa;
}

// The rounded decimal as shown, and its digits (to tell whether it is the exact value).
struct ShownNumber
{
    QString text;
    DecimalDigits digits;
};

// To 4 places ("0.6827", "12.5000"); a nonzero value below 0.0001 keeps 4 significant digits
// instead ("9.342×10⁻²⁹⁹"), a value of 10¹⁵ or more 10.
ShownNumber ShownFourPlaces(const DistributionValue &value)
{
    const DecimalDigits leading = value.Rounded(CopiedSignificantDigits);
    const long significant = leading.exponent + 5;
    if (leading.IsZero())
        return {QStringLiteral("0.0000"), leading};
    if (significant > CopiedSignificantDigits + 4)
        return {ShownDecimal(value.Rounded(ShownSignificantDigits), ShownSignificantDigits),
                value.Rounded(ShownSignificantDigits)};
    if (significant <= 0)
        return {ShownDecimal(value.Rounded(4), 4), value.Rounded(4)};
    DecimalDigits rounded = value.Rounded(int(significant));
    return {PlainText(rounded, 4), rounded};
}

ShownNumber ShownRounded(const DistributionValue &value, Rounding rounding)
{
    if (rounding == Rounding::FourPlaces)
        return ShownFourPlaces(value);
    const DecimalDigits rounded = value.Rounded(ShownSignificantDigits);
    return {ShownDecimal(rounded, ShownSignificantDigits), rounded};
}

} // namespace

std::optional<Rational> DigitsValue(const DecimalDigits &value)
{
    if (value.IsZero())
        return Rational();
    const auto whole = BigInteger::FromDigits(value.digits);
    const auto scale = Rational(10).Power(value.exponent - long(value.digits.size()) + 1);
    if (!whole || !scale)
        return std::nullopt;
    const Rational magnitude = Rational(*whole) * *scale;
    return value.negative ? -magnitude : magnitude;
}

DecimalDigits FractionDigits(const Rational &value, int significant)
{
    return *ReadDecimalDigits(value.ToDecimalText(significant));
}

std::optional<DecimalDigits> ReadDecimalDigits(const QString &text)
{
    DecimalDigits value;
    qsizetype index = 0;
    if (index < text.size() && (text.at(index) == u'-' || text.at(index) == u'+'))
        value.negative = text.at(index++) == u'-';
    QString mantissa;
    qsizetype point = -1;
    for (; index < text.size(); ++index) {
        const QChar c = text.at(index);
        if (IsAsciiDigit(c))
            mantissa.append(c);
        else if (c == u'.' && point < 0)
            point = mantissa.size();
        else
            break;
    }
    if (mantissa.isEmpty())
        return std::nullopt;
    if (point < 0)
        point = mantissa.size();
    long power = 0;
    if (index < text.size()) {
        if (text.at(index) != u'e' && text.at(index) != u'E')
            return std::nullopt;
        const std::optional<long> exponent = ReadExponent(text, index + 1);
        if (!exponent)
            return std::nullopt;
        power = *exponent;
    }
    const auto first
            = std::find_if(mantissa.cbegin(), mantissa.cend(), [](QChar c) { return c != u'0'; });
    if (first == mantissa.cend())
        return DecimalDigits();
    const qsizetype firstIndex = first - mantissa.cbegin();
    value.exponent = long(point - firstIndex - 1) + power;
    value.digits = mantissa.mid(firstIndex);
    while (value.digits.endsWith(u'0'))
        value.digits.chop(1);
    return value;
}

DecimalDigits RoundDigits(const DecimalDigits &value, int significant)
{
    if (value.digits.size() <= significant)
        return value;
    DecimalDigits rounded = value;
    rounded.digits = value.digits.left(significant);
    if (value.digits.at(significant) >= u'5') {
        int at = significant - 1;
        while (at >= 0 && rounded.digits.at(at) == u'9')
            rounded.digits[at--] = u'0';
        if (at < 0) {
            rounded.digits.prepend(u'1');
            rounded.digits.chop(1);
            ++rounded.exponent;
        } else {
            rounded.digits[at] = QChar(rounded.digits.at(at).unicode() + 1);
        }
    }
    while (rounded.digits.endsWith(u'0'))
        rounded.digits.chop(1);
    return rounded;
}

DistributionValue DistributionValue::Exact(Rational value, bool asDecimal)
{
    DistributionValue result;
    result.m_exact = std::move(value);
    result.m_asDecimal = asDecimal;
    return result;
}

DistributionValue DistributionValue::Approximate(DecimalDigits value, QString exactForm,
                                                 QString exactFormShown)
{
    DistributionValue result;
    result.m_approximate = std::move(value);
    result.m_exactForm = std::move(exactForm);
    result.m_exactFormShown
            = exactFormShown.isEmpty() ? result.m_exactForm : std::move(exactFormShown);
    return result;
}

DistributionValue DistributionValue::Plus(const DistributionValue &other) const
{
    if (m_exact && other.m_exact)
        return Exact(*m_exact + *other.m_exact, m_asDecimal && other.m_asDecimal);
    constexpr int Known = 36;
    const DecimalDigits mine = Rounded(Known);
    const DecimalDigits theirs = other.Rounded(Known);
    const auto mineValue = DigitsValue(mine);
    const auto theirValue = DigitsValue(theirs);
    if (mineValue && theirValue)
        return Approximate(FractionDigits(*mineValue + *theirValue, Known));
    // Beyond 10^-300000 a value no longer changes a sum that has one within reach.
    if (mineValue || theirValue)
        return mineValue ? *this : other;
    return mine.exponent >= theirs.exponent ? *this : other;
}

DecimalDigits DistributionValue::Rounded(int significant) const
{
    if (m_exact)
        return FractionDigits(*m_exact, significant);
    return RoundDigits(m_approximate, significant);
}

QString DistributionValue::ExactText() const
{
    if (!m_exact)
        return m_exactForm;
    if (m_exact->IsInteger())
        return m_exact->ToText();
    if (m_asDecimal) {
        const DecimalDigits decimal = Rounded(CopiedSignificantDigits);
        if (DigitsValue(decimal) == *m_exact)
            return PlainText(decimal);
    }
    return m_exact->ToText();
}

QString DistributionValue::Copied() const
{
    if (m_exact && m_exact->IsInteger())
        return m_exact->ToText();
    const QString decimal = CopiedDecimal(Rounded(CopiedSignificantDigits));
    const QString exact = ExactText();
    if (IsEndingDecimal(exact))
        return exact;
    if (exact.isEmpty() || exact.size() > LongestCopiedExact)
        return decimal;
    return exact + QStringLiteral(" ≈ ") + decimal;
}

QString DistributionValue::Shown(Rounding rounding) const
{
    if (m_exact && m_exact->IsInteger())
        return m_exact->ToText();
    const ShownNumber shown = ShownRounded(*this, rounding);
    const bool shownIsExact = m_exact && DigitsValue(shown.digits) == *m_exact;
    const QString exact = m_exact ? ExactText() : m_exactFormShown;
    if (exact.isEmpty() || exact.size() > LongestShownExact || IsEndingDecimal(exact))
        return (shownIsExact ? QString() : QStringLiteral("≈")) + shown.text;
    return exact + (shownIsExact ? QStringLiteral(" = ") : QStringLiteral(" ≈ ")) + shown.text;
}

QString DistributionValue::RoundedText(Rounding rounding) const
{
    return ShownRounded(*this, rounding).text;
}

// An exact value written as a decimal that ends ("0.3087").
bool DistributionValue::IsEndingDecimal(const QString &exact) const
{
    return m_exact && !exact.contains(u'/');
}

Ui::NamedValue Named(const QString &name, const DistributionValue &value, Rounding rounding)
{
    return {name, value.Copied(), value.Shown(rounding)};
}

QString CopiedDecimal(const DecimalDigits &value)
{
    if (value.IsZero())
        return QStringLiteral("0");
    if (ShowsPlain(value, CopiedSignificantDigits))
        return PlainText(value);
    return Mantissa(value) + (value.exponent < 0 ? QStringLiteral("e-") : QStringLiteral("e+"))
            + QString::number(std::labs(value.exponent));
}

QString ShownDecimal(const DecimalDigits &value, int significant)
{
    if (value.IsZero())
        return QStringLiteral("0");
    if (ShowsPlain(value, significant))
        return PlainText(value);
    return Mantissa(value) + QStringLiteral("×10") + Ui::Superscript(int(value.exponent));
}

QString ShownWholeNumber(const QString &digits)
{
    if (digits.size() <= LongestShownExact)
        return digits;
    // Rounded from its own leading digits: a number of a million digits needs no arithmetic.
    const DecimalDigits leading{false, digits.left(ShownSignificantDigits + 1),
                                long(digits.size()) - 1};
    return ShownDecimal(RoundDigits(leading, ShownSignificantDigits), ShownSignificantDigits)
            + QStringLiteral("（%1位）").arg(digits.size());
}

QString ShownWholeNumber(const BigInteger &value)
{
    return ShownWholeNumber(value.ToText());
}

QString SubscriptDigits(long long number)
{
    static const char16_t digits[] = u"₀₁₂₃₄₅₆₇₈₉";
    QString text = QString::number(number);
    for (QChar &c : text) {
        if (IsAsciiDigit(c))
            c = QChar(digits[c.unicode() - u'0']);
        else if (c == u'-')
            c = QChar(u'₋');
    }
    return text;
}

} // namespace Statistics
