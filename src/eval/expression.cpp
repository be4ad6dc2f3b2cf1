#include "expression.h"

#include "numbertext.h"
#include "scripthost.h"

#include <QStringList>

#include <algorithm>

namespace {

inline QChar LowerAscii(QChar c)
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
    // A lambda, unlike a function pointer, lets the search inline the comparison.
    const auto same = [](QChar a, QChar b) { return SameLetterIgnoringCase(a, b); };
    const auto found
            = std::search(text.cbegin() + from, text.cend(), search.cbegin(), search.cend(), same);
    return found == text.cend() ? -1 : found - text.cbegin();
}

bool IsTrigonometricTail(const QString &name, const QString &text, qsizetype position)
{
    static const QStringList tails{QStringLiteral("cos"), QStringLiteral("sin"),
                                   QStringLiteral("tan")};
    return tails.contains(name) && position > 0
            && SameLetterIgnoringCase(text.at(position - 1), u'a');
}

// Every occurrence gets the prefix, also one already written after "Math.".
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
        text = ReplaceAll(text, rewrite.search, rewrite.replacement);
    return text;
}

// For each digit d in the order 1, 2, ..., 9, 0: "d(" and ")d"; then ")(".
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

// "dv" for each digit in the same order, then ")v", "v(" and "vv".
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

const Rewrites &CachedMultiplicationsWithVariable(QChar v)
{
    thread_local QChar cachedVariable;
    thread_local Rewrites cached;
    if (cached.isEmpty() || cachedVariable != v) {
        cached = MultiplicationsWithVariable(v);
        cachedVariable = v;
    }
    return cached;
}

// A negative value gets a space before it: written straight after a minus, "1--3" would be
// a syntax error (and 1-x would read as 0 for every negative x). The space changes nothing
// after any other character.
QString SubstitutionText(double x)
{
    const QString text = NumberToText(x);
    return text.startsWith(u'-') ? u' ' + text : text;
}

bool IsNonFiniteText(const QString &result)
{
    return result == QLatin1String("-1.#IND") || result == QLatin1String("-1.#INF")
            || result == QLatin1String("1.#INF");
}

} // namespace

// Searching from the start again after each replacement is what lets replacements meet
// their neighbours; since nothing before the replaced occurrence matched, the search can
// resume where a new occurrence could first overlap the replacement. A replacement that
// contains its search text would never end that way, so the search then goes on after it.
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
    // Most names do not occur; a quick look in a lower-case copy saves their passes.
    QString lowered = LowerAscii(prepared);
    for (const QString &name : functionNames) {
        if (!lowered.contains(name))
            continue;
        prepared = PrefixFunctionName(prepared, name);
        lowered = LowerAscii(prepared);
    }
    prepared = ReplaceAll(prepared, QStringLiteral("Math.Math."), QStringLiteral("Math."));
    static const Rewrites multiplications = MultiplicationsWithDigits();
    return Apply(prepared, multiplications);
}

QString EvaluateExpression(const QString &text)
{
    return ScriptHost::ForThisThread().Evaluate(PrepareExpression(text));
}

double EvaluateFunctionAt(QString expression, QChar variable, double x)
{
    expression = Apply(expression, CachedMultiplicationsWithVariable(variable));
    expression = ReplaceAll(expression, variable, SubstitutionText(x));
    const QString result = EvaluateExpression(expression);
    if (IsNonFiniteText(result))
        return UndefinedValue;
    return TextToNumber(result);
}

PreparedFunction PrepareFunction(const QString &expression)
{
    return [expression](double x) { return EvaluateFunctionAt(expression, QLatin1Char('x'), x); };
}

PreparedFunctionText PrepareFunctionText(const QString &expression)
{
    return [expression](double x) {
        QString program = Apply(expression, CachedMultiplicationsWithVariable(QLatin1Char('x')));
        program = ReplaceAll(program, QStringLiteral("x"), SubstitutionText(x));
        return EvaluateExpression(program);
    };
}

void BeginUserAction()
{
    ScriptHost::ForThisThread().BeginUserAction();
}

QString ExpressionHintCaption()
{
    return QStringLiteral("提示：");
}

QString ExpressionHintText()
{
    return QStringLiteral("可以使用的运算符：+ - * / （ ）\r\n"
                          "数学函数格式：Math.函数(参数1,参数2，……)\r\n"
                          "举例：求2^x:Math.pow(2,x)");
}
