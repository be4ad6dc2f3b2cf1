#include "expression.h"

#include "compiledexpression.h"
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

bool HasAsciiLetter(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return LowerAscii(c) >= u'a' && LowerAscii(c) <= u'z'; });
}

qsizetype Find(const QString &text, const QString &search, qsizetype from, bool ignoreCase)
{
    if (!ignoreCase || !HasAsciiLetter(search))
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

// Every occurrence gets the prefix, also one already written after "Math.". The scan goes on
// after the name, so the text is read once; the letter before an occurrence is the same
// before and after earlier insertions, since an insertion ends with the name it prefixes.
QString PrefixFunctionName(const QString &text, const QString &name)
{
    qsizetype position = Find(text, name, 0, true);
    if (position < 0)
        return text;
    QString prefixed;
    prefixed.reserve(text.size() + 16);
    qsizetype copied = 0;
    for (; position >= 0; position = Find(text, name, position + name.size(), true)) {
        if (IsTrigonometricTail(name, text, position))
            continue;
        prefixed.append(QStringView(text).mid(copied, position - copied));
        prefixed.append(QLatin1String("Math."));
        prefixed.append(name);
        copied = position + name.size();
    }
    prefixed.append(QStringView(text).mid(copied));
    return prefixed;
}

bool IsAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The digit rewrites ("d(" and ")d" for every digit, then ")(") each put a "*" into one kind
// of boundary between two characters, and a "*" never makes or breaks another such
// boundary; so one pass that marks every boundary of the three kinds gives their result.
QString MultiplyAtParentheses(const QString &text)
{
    const auto needsStar = [](QChar left, QChar right) {
        return (IsAsciiDigit(left) && right == u'(')
                || (left == u')' && (IsAsciiDigit(right) || right == u'('));
    };
    qsizetype first = 1;
    while (first < text.size() && !needsStar(text.at(first - 1), text.at(first)))
        ++first;
    if (first >= text.size())
        return text;
    QString multiplied;
    multiplied.reserve(text.size() + text.size() / 2);
    multiplied.append(QStringView(text).left(first));
    for (qsizetype i = first; i < text.size(); ++i) {
        if (needsStar(text.at(i - 1), text.at(i)))
            multiplied.append(u'*');
        multiplied.append(text.at(i));
    }
    return multiplied;
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

// The engine's result text; arithmetic is worked out without it, to the same text.
QString RunProgram(const QString &program)
{
    if (std::optional<QString> result = EvaluateWithoutEngine(program))
        return *result;
    return ScriptHost::ForThisThread().Evaluate(program);
}

bool IsNonFiniteText(const QString &result)
{
    return result == QLatin1String("-1.#IND") || result == QLatin1String("-1.#INF")
            || result == QLatin1String("1.#INF");
}

} // namespace

// Searching from the start again after each replacement is what lets replacements meet
// their neighbours. Since nothing before an occurrence matched, only an occurrence that ends
// in the replacement or after it can be new; so the text is written out once, and an
// occurrence is recognised as it ends in what was written, the replacement being written
// (and checked) character by character. A replacement that contains its search text would
// never end that way; the search then goes on after it instead.
QString ReplaceAll(QString text, const QString &search, const QString &replacement, bool ignoreCase)
{
    const qsizetype first = search.isEmpty() ? -1 : Find(text, search, 0, ignoreCase);
    if (first < 0)
        return text;
    const bool caseless = ignoreCase && HasAsciiLetter(search);
    const bool rescan = Find(replacement, search, 0, ignoreCase) < 0;
    const qsizetype length = search.size();
    QString written = text.left(first);
    written.reserve(text.size() + text.size() / 2);
    qsizetype barrier = 0; // no occurrence may start before this position of written
    const auto endsWithSearch = [&] {
        const qsizetype start = written.size() - length;
        if (start < barrier)
            return false;
        for (qsizetype i = 0; i < length; ++i) {
            const QChar a = written.at(start + i);
            const QChar b = search.at(i);
            if (caseless ? !SameLetterIgnoringCase(a, b) : a != b)
                return false;
        }
        return true;
    };
    QString pending; // characters still to be written before the rest of text, last first
    qsizetype next = first;
    while (!pending.isEmpty() || next < text.size()) {
        if (pending.isEmpty()) {
            written.append(text.at(next++));
        } else {
            written.append(pending.back());
            pending.chop(1);
        }
        if (!endsWithSearch())
            continue;
        written.chop(length);
        if (rescan) {
            for (qsizetype i = replacement.size() - 1; i >= 0; --i)
                pending.append(replacement.at(i));
        } else {
            written.append(replacement);
            barrier = written.size();
        }
    }
    return written;
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
    if (HasAsciiLetter(prepared)) {
        // Most names do not occur; a quick look in a lower-case copy saves their passes.
        QString lowered = LowerAscii(prepared);
        for (const QString &name : functionNames) {
            if (!lowered.contains(name))
                continue;
            prepared = PrefixFunctionName(prepared, name);
            lowered = LowerAscii(prepared);
        }
        prepared = ReplaceAll(prepared, QStringLiteral("Math.Math."), QStringLiteral("Math."));
    }
    return MultiplyAtParentheses(prepared);
}

QString EvaluateExpression(const QString &text)
{
    return RunProgram(PrepareExpression(text));
}

QString FunctionProgram(const QString &expression, QChar variable, double x)
{
    const QString multiplied = Apply(expression, CachedMultiplicationsWithVariable(variable));
    return PrepareExpression(ReplaceAll(multiplied, variable, SubstitutionText(x)));
}

double EvaluateFunctionAt(QString expression, QChar variable, double x)
{
    const QString result = RunProgram(FunctionProgram(expression, variable, x));
    if (IsNonFiniteText(result))
        return UndefinedValue;
    return TextToNumber(result);
}

// Compiled once; a value the compiled form cannot give (a sign of x it was not compiled for,
// see CompiledFunction) comes from EvaluateFunctionAt itself.
PreparedFunction PrepareFunction(const QString &expression)
{
    const CompiledFunction compiled = CompiledFunction::Compile(expression);
    if (!compiled.coversPositive() && !compiled.coversNegative())
        return [expression](double x) { return EvaluateFunctionAt(expression, u'x', x); };
    return [compiled, expression](double x) {
        if (const std::optional<double> value = compiled.ValueAt(x))
            return *value;
        return EvaluateFunctionAt(expression, u'x', x);
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
