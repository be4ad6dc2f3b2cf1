#include "notation.h"

#include "asciitext.h"
#include "halfwidth.h"
#include "mathnotation.h"
#include "numberformat.h"

#include <QStringList>

#include <algorithm>
#include <string>

namespace Eval {

namespace {

inline QChar LowerAscii(QChar c)
{
    return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + 32) : c;
}

bool SameLetterIgnoringCase(QChar a, QChar b)
{
    return LowerAscii(a) == LowerAscii(b);
}

// The ASCII letters of a text without regard to case, as the bits 0 (a) to 25 (z).
quint32 LettersIn(QStringView text)
{
    quint32 letters = 0;
    for (QChar c : text) {
        const char16_t lower = LowerAscii(c).unicode();
        if (lower >= u'a' && lower <= u'z')
            letters |= 1u << (lower - u'a');
    }
    return letters;
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
    // Only where the first character matches in either case is the rest compared.
    const char16_t lower = LowerAscii(search.front()).unicode();
    const char16_t upper = lower >= u'a' && lower <= u'z' ? char16_t(lower - 32) : lower;
    const QChar *characters = text.constData();
    const qsizetype last = text.size() - search.size();
    for (qsizetype at = from; at <= last; ++at) {
        if (characters[at].unicode() != lower && characters[at].unicode() != upper)
            continue;
        qsizetype i = 1;
        while (i < search.size() && SameLetterIgnoringCase(text.at(at + i), search.at(i)))
            ++i;
        if (i == search.size())
            return at;
    }
    return -1;
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
    const QStringView source(text);
    std::u16string written(source.utf16(), source.utf16() + first);
    written.reserve(text.size() + text.size() / 2);
    qsizetype barrier = 0; // no occurrence may start before this position of written
    const auto endsWithSearch = [&] {
        const qsizetype start = qsizetype(written.size()) - length;
        if (start < barrier)
            return false;
        for (qsizetype i = 0; i < length; ++i) {
            const QChar a(written[start + i]);
            const QChar b = search.at(i);
            if (caseless ? !SameLetterIgnoringCase(a, b) : a != b)
                return false;
        }
        return true;
    };
    std::u16string pending; // characters still to be written before the rest of text, last first
    qsizetype next = first;
    // Characters of text written in a row since the last replacement: once the last
    // length - 1 characters written are text's own, the next occurrence is found in text
    // itself, and all before its last character written at once.
    qsizetype copied = length;
    qsizetype textBarrier = 0; // where in text the barrier is
    while (!pending.empty() || next < text.size()) {
        if (pending.empty() && copied >= length - 1) {
            const qsizetype from = std::max(next - (length - 1), textBarrier);
            const qsizetype found = Find(text, search, from, ignoreCase);
            const qsizetype end = found < 0 ? text.size() : found + length - 1;
            written.append(source.utf16() + next, source.utf16() + end);
            copied += end - next;
            next = end;
            if (found < 0)
                break;
        }
        if (pending.empty()) {
            written.push_back(source.at(next++).unicode());
            ++copied;
        } else {
            written.push_back(pending.back());
            pending.pop_back();
        }
        if (!endsWithSearch())
            continue;
        written.resize(written.size() - length);
        if (rescan) {
            for (qsizetype i = replacement.size() - 1; i >= 0; --i)
                pending.push_back(replacement.at(i).unicode());
            copied = 0;
        } else {
            written.append(replacement.utf16(), replacement.utf16() + replacement.size());
            barrier = qsizetype(written.size());
            textBarrier = next;
            copied = length;
        }
    }
    return QString::fromUtf16(written.data(), qsizetype(written.size()));
}

namespace {

// The script notation's own rewrites, on the text the reading of the mathematics leaves.
QString ScriptRewrites(const QString &text)
{
    static const QStringList functionNames{
            QStringLiteral("sqrt"),  QStringLiteral("pow"),    QStringLiteral("log"),
            QStringLiteral("exp"),   QStringLiteral("cos"),    QStringLiteral("sin"),
            QStringLiteral("tan"),   QStringLiteral("acos"),   QStringLiteral("asin"),
            QStringLiteral("atan"),  QStringLiteral("random"), QStringLiteral("round"),
            QStringLiteral("floor"), QStringLiteral("ceil"),   QStringLiteral("min"),
            QStringLiteral("max")};
    static const quint32 mathLetters = LettersIn(u"math");
    QString prepared = ToHalfWidth(text);
    // Most names cannot occur for want of one of their letters; their passes are saved.
    quint32 letters = LettersIn(prepared);
    for (const QString &name : functionNames) {
        const quint32 needed = LettersIn(name);
        if ((letters & needed) != needed)
            continue;
        prepared = PrefixFunctionName(prepared, name);
        letters |= mathLetters;
    }
    if ((letters & mathLetters) == mathLetters)
        prepared = ReplaceAll(prepared, QStringLiteral("Math.Math."), QStringLiteral("Math."));
    return MultiplyAtParentheses(prepared);
}

// A function of x is rewritten for every x the engine evaluates it at: its reading is kept.
const MathReading &ReadingOfFunction(const QString &expression)
{
    thread_local QString read;
    thread_local MathReading reading;
    thread_local bool any = false;
    if (!any || read != expression) {
        reading = ReadMathematics(expression, true);
        read = expression;
        any = true;
    }
    return reading;
}

} // namespace

QString PrepareExpression(const QString &text)
{
    const MathReading reading = ReadMathematics(text, false);
    return WithNames(ScriptRewrites(reading.text), reading.names);
}

QString FunctionProgram(const QString &expression, QChar variable, double x)
{
    const MathReading &reading = ReadingOfFunction(expression);
    const QString multiplied = Apply(reading.text, CachedMultiplicationsWithVariable(variable));
    const QString substituted = ReplaceAll(multiplied, variable, SubstitutionText(x));
    return WithNames(ScriptRewrites(substituted), reading.names);
}

} // namespace Eval
