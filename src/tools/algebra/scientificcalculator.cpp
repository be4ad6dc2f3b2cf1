#include "tools/algebra/scientificcalculator.h"

namespace Algebra {

using namespace Eval;

namespace {

Formula WithDegrees(Formula formula, bool degrees)
{
    if (!degrees)
        return formula;
    return Formula::Row({std::move(formula), Formula::Glyphs(QStringLiteral("°"))});
}

bool IsEmpty(const Formula &f)
{
    return f.kind == Formula::Kind::Text && f.text.isEmpty();
}

// Whether the decimal is the rational itself, digit for digit.
bool IsExactly(const Decimal &decimal, const Rational &value)
{
    const long shift = decimal.exponent - long(decimal.digits.size()) + 1;
    const auto digits
            = ReadRational((decimal.negative ? QStringLiteral("-") : QString()) + decimal.digits);
    const auto scale = Rational(10).Power(shift);
    return digits && scale && *digits * *scale == value;
}

QString Relation(const MathValue &value)
{
    const auto rational = value.exact ? value.exact->AsRational() : std::nullopt;
    if (!rational || !IsExactly(value.shortDecimal, *rational))
        return QStringLiteral("≈");
    return rational->IsInteger() && value.shortDecimal.exponent < 10 ? QString()
                                                                     : QStringLiteral("=");
}

} // namespace

Outcome<ScientificAnswer> CalculateScientific(const QString &line, AngleUnit unit,
                                              const std::optional<MathValue> &ans)
{
    const auto tree = ReadMath(line);
    if (!tree)
        return Refuse(tree.refusal());
    const auto value = EvaluateMath(*tree, {unit, ans});
    if (!value)
        return Refuse(value.refusal());
    ScientificAnswer answer;
    answer.value = *value;
    answer.relation = Relation(*value);
    const bool degrees = value->isAngle;
    answer.decimal = WithDegrees(DecimalFormula(value->shortDecimal), degrees);
    const Formula precise = WithDegrees(DecimalFormula(value->decimal), degrees);
    answer.copied.append({QStringLiteral("表达式"), line.trimmed()});
    if (value->exact) {
        const Formula exact = WithDegrees(value->exact->ToFormula(), degrees);
        if (FormulaText(exact).size() <= LongestExactText)
            answer.exact = exact;
    }
    if (!IsEmpty(answer.exact)) {
        answer.copied.append({QStringLiteral("精确值"), FormulaText(answer.exact)});
        answer.latex = FormulaLatex(answer.exact);
    } else {
        answer.latex = FormulaLatex(precise);
    }
    answer.copied.append({QStringLiteral("近似值"), FormulaText(precise)});
    return answer;
}

Formula AsMixedNumber(const MathValue &value, const Formula &exact)
{
    const auto rational = value.exact ? value.exact->AsRational() : std::nullopt;
    if (!rational || rational->IsInteger() || value.isAngle)
        return exact;
    const Rational magnitude = rational->Absolute();
    const BigInteger whole = *magnitude.Numerator().Quotient(magnitude.Denominator());
    if (whole.Sign() == 0)
        return exact;
    const BigInteger rest = *magnitude.Numerator().Remainder(magnitude.Denominator());
    const QString sign = rational->Sign() < 0 ? QStringLiteral("−") : QString();
    // A narrow space keeps "2 1/3" apart where the mixed number is read as text.
    return Formula::Row({Formula::Glyphs(sign + whole.ToText() + QChar(0x202F)),
                         Formula::Fraction(Formula::Glyphs(rest.ToText()),
                                           Formula::Glyphs(magnitude.Denominator().ToText()))});
}

HistoryEntry HistoryEntryOf(const QString &line, const Outcome<ScientificAnswer> &answer)
{
    if (!answer)
        return {line, answer.refusal()};
    const QString decimal = QStringLiteral("≈ ") + FormulaText(answer->decimal);
    if (IsEmpty(answer->exact))
        return {line, decimal};
    return {line, FormulaText(answer->exact) + u' ' + decimal};
}

} // namespace Algebra
