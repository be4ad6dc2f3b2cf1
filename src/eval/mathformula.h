#pragma once

#include <QList>
#include <QString>

namespace Eval {

// A result laid out as written mathematics, without widgets: what the exact numbers and the
// decimals give, and what a window draws (ui/formulaview.h), copies as plain text ("(√3+1)/2")
// or as LaTeX ("\frac{\sqrt{3}+1}{2}"). One layout, so that the three never disagree.
struct Formula
{
    enum class Kind {
        Text, // `text`: digits, a sign, "π", "e", "°"
        Row, // `parts` side by side
        Fraction, // parts[0] over a bar over parts[1]
        Root, // the radical sign over parts[0]; `text` is the index ("" for a square root)
        Superscript, // parts[0] raised to parts[1]
    };

    Kind kind = Kind::Text;
    QString text;
    QList<Formula> parts;

    static Formula Glyphs(const QString &text) { return {Kind::Text, text, {}}; }
    static Formula Row(QList<Formula> parts) { return {Kind::Row, QString(), std::move(parts)}; }
    static Formula Fraction(Formula numerator, Formula denominator)
    {
        return {Kind::Fraction, QString(), {std::move(numerator), std::move(denominator)}};
    }
    static Formula Root(Formula radicand, long index)
    {
        return {Kind::Root, index == 2 ? QString() : QString::number(index), {std::move(radicand)}};
    }
    static Formula Superscript(Formula base, const QString &exponent)
    {
        return {Kind::Superscript, QString(), {std::move(base), Glyphs(exponent)}};
    }
};

// As typed on one line: "(√3+1)/2", "5√3", "2π/3", "∛2", "⁵√3", "π²", "1.5×10⁻⁷".
QString FormulaText(const Formula &formula);
// LaTeX for a worksheet: "\frac{\sqrt{3}+1}{2}", "\sqrt[3]{2}", "\frac{2\pi}{3}".
QString FormulaLatex(const Formula &formula);

// A decimal rounded to some significant digits: "0.8660254038", "-1.5×10⁻⁷" (plain from
// 10⁻⁵ up to the last digit's place, else with a power of ten).
struct Decimal
{
    bool negative = false;
    QString digits; // without trailing zeros; "0" for zero
    long exponent = 0; // the power of ten of the first digit
};
Formula DecimalFormula(const Decimal &decimal);
inline QString DecimalText(const Decimal &decimal)
{
    return FormulaText(DecimalFormula(decimal));
}

} // namespace Eval
