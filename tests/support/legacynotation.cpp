#include "legacynotation.h"

#include "eval/halfwidth.h"
#include "eval/numberformat.h"

#include <QStringList>

#include <algorithm>

namespace Literal {

using namespace Eval;

QChar LowerAscii(QChar c)
{
    return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + 32) : c;
}

QString LowerAscii(QString text)
{
    for (QChar &c : text)
        c = LowerAscii(c);
    return text;
}

bool SameLetterIgnoringCase(QChar a, QChar b)
{
    return LowerAscii(a) == LowerAscii(b);
}

qsizetype Find(const QString &text, const QString &search, qsizetype from, bool ignoreCase)
{
    const auto isLetter = [](QChar c) { return LowerAscii(c) >= u'a' && LowerAscii(c) <= u'z'; };
    if (!ignoreCase || std::none_of(search.cbegin(), search.cend(), isLetter))
        return text.indexOf(search, from);
    const auto same = [](QChar a, QChar b) { return SameLetterIgnoringCase(a, b); };
    const auto found
            = std::search(text.cbegin() + from, text.cend(), search.cbegin(), search.cend(), same);
    return found == text.cend() ? -1 : found - text.cbegin();
}

// Straight from the definition: the first occurrence from the start, until none is left.
QString ReplaceAllFromStart(QString text, const QString &search, const QString &replacement,
                            bool ignoreCase)
{
    if (search.isEmpty())
        return text;
    qsizetype position;
    while ((position = Find(text, search, 0, ignoreCase)) >= 0)
        text.replace(position, search.size(), replacement);
    return text;
}

QString ReplaceAll(QString text, const QString &search, const QString &replacement, bool ignoreCase)
{
    if (search.isEmpty())
        return text;
    const qsizetype resumeBack = Find(replacement, search, 0, ignoreCase) < 0 ? search.size() - 1
                                                                              : -replacement.size();
    qsizetype position = 0;
    while ((position = Find(text, search, position, ignoreCase)) >= 0) {
        text.replace(position, search.size(), replacement);
        position = std::max<qsizetype>(0, position - resumeBack);
    }
    return text;
}

bool IsTrigonometricTail(const QString &name, const QString &text, qsizetype position)
{
    static const QStringList tails{QStringLiteral("cos"), QStringLiteral("sin"),
                                   QStringLiteral("tan")};
    return tails.contains(name) && position > 0
            && SameLetterIgnoringCase(text.at(position - 1), u'a');
}

QString PrefixFunctionName(QString text, const QString &name)
{
    const QString prefixed = QStringLiteral("Math.") + name;
    qsizetype position = 0;
    while ((position = Find(text, name, position, true)) >= 0) {
        if (IsTrigonometricTail(name, text, position)) {
            position += name.size();
            continue;
        }
        text.replace(position, name.size(), prefixed);
        position += prefixed.size();
    }
    return text;
}

struct Rewrite
{
    QString search;
    QString replacement;
};
using Rewrites = QList<Rewrite>;

QString Apply(QString text, const Rewrites &rewrites)
{
    for (const Rewrite &rewrite : rewrites)
        text = Literal::ReplaceAll(text, rewrite.search, rewrite.replacement);
    return text;
}

Rewrites MultiplicationsWithDigits()
{
    Rewrites rewrites;
    for (QChar d : QStringLiteral("1234567890")) {
        rewrites.append({d + QStringLiteral("("), d + QStringLiteral("*(")});
        rewrites.append({QStringLiteral(")") + d, QStringLiteral(")*") + d});
    }
    rewrites.append({QStringLiteral(")("), QStringLiteral(")*(")});
    return rewrites;
}

Rewrites MultiplicationsWithVariable(QChar v)
{
    Rewrites rewrites;
    for (QChar d : QStringLiteral("1234567890"))
        rewrites.append({QString(d) + v, d + QStringLiteral("*") + v});
    rewrites.append({QStringLiteral(")") + v, QStringLiteral(")*") + v});
    rewrites.append({v + QStringLiteral("("), v + QStringLiteral("*(")});
    rewrites.append({QString(v) + v, v + QStringLiteral("*") + v});
    return rewrites;
}

QString SubstitutionText(double x)
{
    const QString text = NumberToText(x);
    return text.startsWith(u'-') ? u' ' + text : text;
}

QString PrepareExpression(const QString &text)
{
    static const QStringList functionNames{
            QStringLiteral("sqrt"),  QStringLiteral("pow"),    QStringLiteral("log"),
            QStringLiteral("exp"),   QStringLiteral("cos"),    QStringLiteral("sin"),
            QStringLiteral("tan"),   QStringLiteral("acos"),   QStringLiteral("asin"),
            QStringLiteral("atan"),  QStringLiteral("random"), QStringLiteral("round"),
            QStringLiteral("floor"), QStringLiteral("ceil"),   QStringLiteral("min"),
            QStringLiteral("max")};
    QString prepared = ToHalfWidth(text);
    QString lowered = LowerAscii(prepared);
    for (const QString &name : functionNames) {
        if (!lowered.contains(name))
            continue;
        prepared = PrefixFunctionName(prepared, name);
        lowered = LowerAscii(prepared);
    }
    prepared = Literal::ReplaceAll(prepared, QStringLiteral("Math.Math."), QStringLiteral("Math."));
    static const Rewrites multiplications = MultiplicationsWithDigits();
    return Apply(prepared, multiplications);
}

QString FunctionProgram(QString expression, double x)
{
    expression = Apply(expression, MultiplicationsWithVariable(u'x'));
    expression = Literal::ReplaceAll(expression, QStringLiteral("x"), SubstitutionText(x));
    return Literal::PrepareExpression(expression);
}

} // namespace Literal
