#include "eval/mathformula.h"

namespace Eval {

namespace {

const QString Superscripts = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");

QString Raised(const QString &text)
{
    QString raised;
    for (const QChar c : text) {
        if (c.isDigit())
            raised += Superscripts.at(c.digitValue());
        else if (c == u'-' || c == u'−')
            raised += u'⁻';
        else
            return QStringLiteral("^(") + text + u')';
    }
    return raised;
}

// Whether a part needs parentheses on one line: a sum beyond its leading sign, in a numerator
// or a radicand; anything of more than one piece in a denominator.
bool IsSum(const Formula &formula)
{
    if (formula.kind != Formula::Kind::Row)
        return false;
    for (qsizetype i = 1; i < formula.parts.size(); ++i) {
        const QString &text = formula.parts[i].text;
        if (formula.parts[i].kind == Formula::Kind::Text
            && (text.startsWith(u'+') || text.startsWith(u'−') || text.startsWith(u'-')))
            return true;
    }
    return false;
}

bool IsSeveralPieces(const Formula &formula)
{
    return formula.kind == Formula::Kind::Row && formula.parts.size() > 1;
}

QString Parenthesised(const Formula &formula, bool needed)
{
    const QString text = FormulaText(formula);
    return needed ? u'(' + text + u')' : text;
}

QString RootSign(const QString &index)
{
    if (index.isEmpty())
        return QStringLiteral("√");
    if (index == u'3')
        return QStringLiteral("∛");
    if (index == u'4')
        return QStringLiteral("∜");
    return Raised(index) + u'√';
}

QString LatexGlyphs(const QString &text)
{
    QString latex;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'π':
            latex += QStringLiteral("\\pi ");
            break;
        case u'e':
            latex += QStringLiteral("\\mathrm{e}");
            break;
        case u'−':
            latex += u'-';
            break;
        case u'×':
            latex += QStringLiteral("\\times ");
            break;
        case u'°':
            latex += QStringLiteral("^{\\circ}");
            break;
        default:
            latex += c;
        }
    }
    return latex;
}

} // namespace

QString FormulaText(const Formula &formula)
{
    switch (formula.kind) {
    case Formula::Kind::Text:
        return formula.text;
    case Formula::Kind::Row: {
        QString text;
        for (const Formula &part : formula.parts)
            text += FormulaText(part);
        return text;
    }
    case Formula::Kind::Fraction:
        return Parenthesised(formula.parts[0], IsSum(formula.parts[0])) + u'/'
                + Parenthesised(formula.parts[1], IsSeveralPieces(formula.parts[1]));
    case Formula::Kind::Root:
        return RootSign(formula.text)
                + Parenthesised(formula.parts[0], IsSeveralPieces(formula.parts[0]));
    case Formula::Kind::Superscript:
        return Parenthesised(formula.parts[0], IsSeveralPieces(formula.parts[0]))
                + Raised(formula.parts[1].text);
    }
    return QString();
}

QString FormulaLatex(const Formula &formula)
{
    switch (formula.kind) {
    case Formula::Kind::Text:
        return LatexGlyphs(formula.text);
    case Formula::Kind::Row: {
        QString latex;
        for (const Formula &part : formula.parts)
            latex += FormulaLatex(part);
        return latex.trimmed();
    }
    case Formula::Kind::Fraction:
        return QStringLiteral("\\frac{%1}{%2}")
                .arg(FormulaLatex(formula.parts[0]), FormulaLatex(formula.parts[1]));
    case Formula::Kind::Root:
        return (formula.text.isEmpty() ? QStringLiteral("\\sqrt{")
                                       : QStringLiteral("\\sqrt[%1]{").arg(formula.text))
                + FormulaLatex(formula.parts[0]) + u'}';
    case Formula::Kind::Superscript:
        return u'{' + FormulaLatex(formula.parts[0]) + QStringLiteral("}^{")
                + FormulaLatex(formula.parts[1]).replace(u'−', u'-') + u'}';
    }
    return QString();
}

Formula DecimalFormula(const Decimal &decimal)
{
    const QString sign = decimal.negative ? QStringLiteral("−") : QString();
    const QString &digits = decimal.digits;
    const long places = long(digits.size());
    const long exponent = decimal.exponent;
    if (digits == u'0')
        return Formula::Glyphs(QStringLiteral("0"));
    // Plain where a student writes it so: from 0.00001 up to the last digit's own place.
    if (exponent >= -5 && exponent < std::max(places, 10L)) {
        if (exponent < 0)
            return Formula::Glyphs(sign + QStringLiteral("0.") + QString(-exponent - 1, u'0')
                                   + digits);
        if (places <= exponent + 1)
            return Formula::Glyphs(sign + digits + QString(exponent + 1 - places, u'0'));
        return Formula::Glyphs(sign + digits.left(exponent + 1) + u'.' + digits.mid(exponent + 1));
    }
    const QString mantissa = places > 1 ? digits.left(1) + u'.' + digits.mid(1) : digits;
    return Formula::Row({Formula::Glyphs(sign + mantissa + QStringLiteral("×")),
                         Formula::Superscript(Formula::Glyphs(QStringLiteral("10")),
                                              QString::number(exponent))});
}

} // namespace Eval
