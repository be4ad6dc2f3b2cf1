#include "mathnotation.h"

#include "asciitext.h"
#include "halfwidth.h"

#include <QHash>
#include <QRegularExpression>

#include <array>
#include <cmath>
#include <string_view>
#include <vector>

namespace Eval {

namespace {

using namespace std::string_view_literals;

enum class Kind : quint8 { X, Constant, Function, Number, Other };

struct Name
{
    std::u16string_view typed; // lower case
    std::u16string_view canonical;
    Kind kind;
};

// The names of Math and the textbooks' own, longest first so that a word is read with its
// longest names (log10 before log, sinh before sin). The constant e is read only as a word of
// its own, so that 2e+3 and xe3 keep the meaning of numbers.
constexpr Name Names[] = {
        {u"sqrt1_2"sv, u"SQRT1_2"sv, Kind::Constant},
        {u"log10e"sv, u"LOG10E"sv, Kind::Constant},
        {u"random"sv, u"random"sv, Kind::Function},
        {u"fround"sv, u"fround"sv, Kind::Function},
        {u"log2e"sv, u"LOG2E"sv, Kind::Constant},
        {u"sqrt2"sv, u"SQRT2"sv, Kind::Constant},
        {u"acosh"sv, u"acosh"sv, Kind::Function},
        {u"asinh"sv, u"asinh"sv, Kind::Function},
        {u"atanh"sv, u"atanh"sv, Kind::Function},
        {u"atan2"sv, u"atan2"sv, Kind::Function},
        {u"clz32"sv, u"clz32"sv, Kind::Function},
        {u"expm1"sv, u"expm1"sv, Kind::Function},
        {u"floor"sv, u"floor"sv, Kind::Function},
        {u"hypot"sv, u"hypot"sv, Kind::Function},
        {u"log10"sv, u"log10"sv, Kind::Function},
        {u"log1p"sv, u"log1p"sv, Kind::Function},
        {u"round"sv, u"round"sv, Kind::Function},
        {u"trunc"sv, u"trunc"sv, Kind::Function},
        {u"ln10"sv, u"LN10"sv, Kind::Constant},
        {u"acos"sv, u"acos"sv, Kind::Function},
        {u"asin"sv, u"asin"sv, Kind::Function},
        {u"atan"sv, u"atan"sv, Kind::Function},
        {u"cbrt"sv, u"cbrt"sv, Kind::Function},
        {u"ceil"sv, u"ceil"sv, Kind::Function},
        {u"cosh"sv, u"cosh"sv, Kind::Function},
        {u"imul"sv, u"imul"sv, Kind::Function},
        {u"log2"sv, u"log2"sv, Kind::Function},
        {u"sign"sv, u"sign"sv, Kind::Function},
        {u"sinh"sv, u"sinh"sv, Kind::Function},
        {u"sqrt"sv, u"sqrt"sv, Kind::Function},
        {u"tanh"sv, u"tanh"sv, Kind::Function},
        {u"ln2"sv, u"LN2"sv, Kind::Constant},
        {u"abs"sv, u"abs"sv, Kind::Function},
        {u"cos"sv, u"cos"sv, Kind::Function},
        {u"exp"sv, u"exp"sv, Kind::Function},
        {u"log"sv, u"log"sv, Kind::Function},
        {u"max"sv, u"max"sv, Kind::Function},
        {u"min"sv, u"min"sv, Kind::Function},
        {u"pow"sv, u"pow"sv, Kind::Function},
        {u"sin"sv, u"sin"sv, Kind::Function},
        {u"tan"sv, u"tan"sv, Kind::Function},
        {u"ln"sv, u"log"sv, Kind::Function},
        {u"lg"sv, u"log10"sv, Kind::Function},
        {u"pi"sv, u"PI"sv, Kind::Constant},
        {u"π"sv, u"PI"sv, Kind::Constant},
};
constexpr Name WholeWordE{u"e"sv, u"E"sv, Kind::Constant};

constexpr char16_t FirstPlaceholder = 0xE000;
constexpr char16_t LastPrivateUse = 0xF8FF;
// More than this many "^" are left for the user to rewrite (each costs a pass over the text).
constexpr int MostPowersWritten = 1000;

QChar Lower(QChar c)
{
    return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + 32) : c;
}

bool IsLetter(QChar c)
{
    const QChar lower = Lower(c);
    return (lower >= u'a' && lower <= u'z') || c == u'π';
}

bool IsWordStart(QChar c)
{
    return IsLetter(c) || c == u'_' || c == u'$';
}

bool IsWordChar(QChar c)
{
    return IsWordStart(c) || IsAsciiDigit(c);
}

bool IsX(QChar c)
{
    return c == u'x' || c == u'X';
}

// Written after an operand: the powers and the degree sign.
bool IsPostfix(QChar c)
{
    return c == u'²' || c == u'³' || c == u'°';
}

// A character that can end an operand, so that an operand after it is multiplied by it.
bool EndsOperand(QChar c)
{
    return IsWordChar(c) || c == u')' || IsPostfix(c);
}

bool MatchesAt(QStringView word, qsizetype at, std::u16string_view name)
{
    if (name.empty() || qsizetype(name.size()) > word.size() - at)
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (Lower(word[at + qsizetype(i)]).unicode() != name[i])
            return false;
    }
    return true;
}

struct Piece
{
    qsizetype at;
    qsizetype length;
    const Name *name; // none for x
    Kind kind() const { return name ? name->kind : Kind::X; }
};

// The word as x's and names, a function only last (it takes the parentheses after the word);
// empty when it cannot be read so. Every split tried is remembered, so a long word costs its
// length times the names.
std::vector<Piece> Split(QStringView word, bool ofX)
{
    const qsizetype n = word.size();
    std::vector<const Name *> choice(std::size_t(n) + 1, nullptr);
    std::vector<char> splits(std::size_t(n) + 1, 0);
    splits[std::size_t(n)] = 1;
    for (qsizetype at = n - 1; at >= 0; --at) {
        for (const Name &name : Names) {
            const qsizetype end = at + qsizetype(name.typed.size());
            if (!MatchesAt(word, at, name.typed) || !splits[std::size_t(end)]
                || (name.kind == Kind::Function && end != n))
                continue;
            choice[std::size_t(at)] = &name;
            splits[std::size_t(at)] = 1;
            break;
        }
        if (!splits[std::size_t(at)] && ofX && IsX(word[at]) && splits[std::size_t(at) + 1])
            splits[std::size_t(at)] = 1;
    }
    std::vector<Piece> pieces;
    if (!splits[0])
        return pieces;
    for (qsizetype at = 0; at < n;) {
        const Name *name = choice[std::size_t(at)];
        const qsizetype length = name ? qsizetype(name->typed.size()) : 1;
        pieces.push_back({at, length, name});
        at += length;
    }
    return pieces;
}

// A word that is one name, e included (after "Math.").
const Name *SingleName(QStringView word)
{
    if (word.size() == 1 && Lower(word[0]) == u'e')
        return &WholeWordE;
    for (const Name &name : Names) {
        if (name.typed.size() == std::size_t(word.size()) && MatchesAt(word, 0, name.typed))
            return &name;
    }
    return nullptr;
}

qsizetype MatchingClose(QStringView f, qsizetype open)
{
    int depth = 0;
    for (qsizetype i = open; i < f.size(); ++i) {
        depth += f[i] == u'(' ? 1 : f[i] == u')' ? -1 : 0;
        if (depth == 0)
            return i;
    }
    return -1;
}

qsizetype MatchingOpen(QStringView f, qsizetype close)
{
    int depth = 0;
    for (qsizetype i = close; i >= 0; --i) {
        depth += f[i] == u')' ? 1 : f[i] == u'(' ? -1 : 0;
        if (depth == 0)
            return i;
    }
    return -1;
}

// The start of the run of word characters and points that ends at `end`.
qsizetype IdentifierRunStart(QStringView f, qsizetype end)
{
    while (end > 0 && (IsWordChar(f[end - 1]) || f[end - 1] == u'.'))
        --end;
    return end;
}

bool IsNumber(QStringView text)
{
    qsizetype i = 0;
    bool digits = false;
    for (; i < text.size() && (IsAsciiDigit(text[i]) || text[i] == u'.'); ++i)
        digits = digits || IsAsciiDigit(text[i]);
    if (!digits)
        return false;
    if (i < text.size() && Lower(text[i]) == u'e')
        ++i;
    else
        return i == text.size();
    if (i == text.size())
        return false;
    while (i < text.size() && IsAsciiDigit(text[i]))
        ++i;
    return i == text.size();
}

struct Operand
{
    qsizetype start = -1;
    Kind kind = Kind::Other;
};

// The operand that the run [start, end) of word characters and points ends with: a number, the
// last x or name of a word (2x, xsin, πx), or a whole identifier (Math.PI, x2).
Operand WordOperand(QStringView f, qsizetype start, qsizetype end, bool ofX)
{
    const QStringView run = f.mid(start, end - start);
    if (IsNumber(run))
        return {start, Kind::Number};
    while (start < end && (IsAsciiDigit(f[start]) || f[start] == u'.'))
        ++start;
    const QStringView word = f.mid(start, end - start);
    if (word.contains(u'.') || word.isEmpty())
        return {start, Kind::Other};
    if (word.size() == 1 && Lower(word[0]) == u'e')
        return {start, Kind::Constant};
    const std::vector<Piece> pieces = Split(word, ofX);
    if (pieces.empty())
        return {start, Kind::Other};
    return {start + pieces.back().at, pieces.back().kind()};
}

// The operand that ends at `end` (after any ², ³ or °): a number, an x or constant, a
// parenthesised group with the function that takes it; start -1 when there is none.
qsizetype OperandStartBefore(QStringView f, qsizetype end, bool ofX)
{
    while (end > 0 && IsPostfix(f[end - 1]))
        --end;
    if (end <= 0)
        return -1;
    if (f[end - 1] == u')') {
        const qsizetype open = MatchingOpen(f, end - 1);
        if (open < 0)
            return -1;
        const qsizetype run = IdentifierRunStart(f, open);
        if (run == open)
            return open;
        const Operand callee = WordOperand(f, run, open, ofX);
        // A number or an x before "(" multiplies it.
        return callee.kind == Kind::X || callee.kind == Kind::Number ? open : callee.start;
    }
    if (!IsWordChar(f[end - 1]))
        return -1;
    return WordOperand(f, IdentifierRunStart(f, end), end, ofX).start;
}

qsizetype NumberEnd(QStringView f, qsizetype at)
{
    bool point = false;
    while (at < f.size() && (IsAsciiDigit(f[at]) || (f[at] == u'.' && !point))) {
        point = point || f[at] == u'.';
        ++at;
    }
    qsizetype exponent = at + 1;
    if (at < f.size() && Lower(f[at]) == u'e') {
        if (exponent < f.size() && (f[exponent] == u'+' || f[exponent] == u'-'))
            ++exponent;
        if (exponent < f.size() && IsAsciiDigit(f[exponent])) {
            at = exponent;
            while (at < f.size() && IsAsciiDigit(f[at]))
                ++at;
        }
    }
    return at;
}

qsizetype CallEnd(QStringView f, qsizetype at)
{
    if (at < f.size() && f[at] == u'(') {
        const qsizetype close = MatchingClose(f, at);
        return close < 0 ? -1 : close + 1;
    }
    return at;
}

// The end of the operand that starts at `start` (with its signs when `signs`, and any ², ³ or
// ° after it): a number, an x or constant, a function and its parentheses, a parenthesised
// group, a root of an operand; -1 when there is none.
qsizetype OperandEndAfter(QStringView f, qsizetype start, bool signs, bool ofX)
{
    qsizetype at = start;
    while (signs && at < f.size() && (f[at] == u'+' || f[at] == u'-'))
        ++at;
    if (at >= f.size())
        return -1;
    const QChar c = f[at];
    if (c == u'√' || c == u'∛') {
        at = OperandEndAfter(f, at + 1, false, ofX);
    } else if (c == u'(') {
        at = CallEnd(f, at);
    } else if (IsAsciiDigit(c) || (c == u'.' && at + 1 < f.size() && IsAsciiDigit(f[at + 1]))) {
        at = NumberEnd(f, at);
    } else if (IsWordStart(c)) {
        qsizetype end = at;
        while (end < f.size()
               && (IsWordChar(f[end])
                   || (f[end] == u'.' && end + 1 < f.size() && IsWordStart(f[end + 1]))))
            ++end;
        const QStringView word = f.mid(at, end - at);
        const std::vector<Piece> pieces
                = word.contains(u'.') ? std::vector<Piece>{} : Split(word, ofX);
        if (!pieces.empty() && pieces.front().kind() != Kind::Function)
            at += pieces.front().length;
        else
            at = CallEnd(f, end);
    } else {
        return -1;
    }
    while (at >= 0 && at < f.size() && IsPostfix(f[at]))
        ++at;
    return at;
}

// sin, cos and tan of a whole number of degrees, exact where the textbook's table is.
double DegreeTrigonometry(std::u16string_view function, double degrees)
{
    double r = std::fmod(degrees, 360.0);
    if (r < 0)
        r += 360;
    if (r >= 360)
        r -= 360;
    const auto sine = [](double t) { // t in [0, 90]
        if (t == 0)
            return 0.0;
        if (t == 30)
            return 0.5;
        if (t == 45)
            return M_SQRT1_2;
        if (t == 60)
            return std::sqrt(3.0) / 2;
        if (t == 90)
            return 1.0;
        return std::sin(t * M_PI / 180);
    };
    const auto sineOf = [&sine](double t) { // t in [0, 360)
        if (t <= 90)
            return sine(t);
        if (t <= 180)
            return sine(180 - t);
        if (t <= 270)
            return -sine(t - 180);
        return -sine(360 - t);
    };
    const double s = sineOf(r);
    double c = sineOf(r + 90 >= 360 ? r - 270 : r + 90);
    if (function == u"sin"sv)
        return s;
    if (function == u"cos"sv)
        return c;
    if (c == 0)
        return s > 0 ? qInf() : -qInf();
    const double folded = std::fmod(r, 180.0);
    if (folded == 30 || folded == 150)
        return (folded == 30 ? 1 : -1) * std::sqrt(3.0) / 3;
    if (folded == 60 || folded == 120)
        return (folded == 60 ? 1 : -1) * std::sqrt(3.0);
    return s / c;
}

class Reader
{
public:
    Reader(const QString &typed, bool ofX)
        : m_typed(typed)
        , m_f(ToHalfWidth(typed))
        , m_ofX(ofX)
        , m_wideX(ofX && !KeepsWideX())
        , m_at(std::size_t(typed.size()) + 1, 0)
        , m_closers(std::size_t(typed.size()) + 1, 0)
    { }

    MathReading Read();

private:
    QChar F(qsizetype i) const { return i >= 0 && i < m_f.size() ? m_f[i] : QChar(); }
    // Where the spaces that end before `end` begin.
    qsizetype SkipSpacesBack(qsizetype end) const
    {
        while (end > 0 && m_f[end - 1].isSpace())
            --end;
        return end;
    }
    bool KeepsWideX() const;
    bool IsAssigned(qsizetype start, qsizetype end) const;
    void Copy(qsizetype from, qsizetype to);
    void CopyX(qsizetype at);
    void Mark(qsizetype from, qsizetype to);
    qsizetype Quoted(qsizetype i) const;
    void ReadWord(qsizetype &i);
    bool ReadDegreeCall(const Piece &piece, qsizetype wordEnd, qsizetype callStart, qsizetype &i);
    void ReadRoot(qsizetype &i);
    void Wrap(qsizetype start, qsizetype end, const QString &before, const QString &after);
    QChar Placeholder(std::u16string_view canonical, bool property);

    const QString &m_typed;
    const QString m_f;
    const bool m_ofX;
    const bool m_wideX; // the full-width ｘ is x
    QString m_out;
    std::vector<qsizetype> m_at; // where each typed character went in m_out
    std::vector<int> m_closers; // parentheses to close before each typed character
    QStringList m_names;
    QHash<QString, int> m_placeholders;
};

MathReading Reader::Read()
{
    m_out.reserve(m_typed.size() + m_typed.size() / 4);
    qsizetype i = 0;
    while (i < m_typed.size()) {
        m_out.append(QString(m_closers[std::size_t(i)], u')'));
        m_at[std::size_t(i)] = m_out.size();
        const QChar c = m_f[i];
        if (const qsizetype end = Quoted(i); end > i) {
            Copy(i, end);
            i = end;
        } else if (IsWordStart(c)) {
            ReadWord(i);
        } else if (IsAsciiDigit(c)) {
            if (IsPostfix(F(i - 1)))
                m_out.append(u'*');
            const qsizetype end = NumberEnd(m_f, i);
            Copy(i, end);
            i = end;
        } else if (c == u'√' || c == u'∛') {
            ReadRoot(i);
        } else if (IsPostfix(c)) {
            const qsizetype start = OperandStartBefore(m_f, i, m_ofX);
            if (start >= 0 && c == u'°')
                Wrap(start, i, QStringLiteral("("),
                     u'*' + QString(Placeholder(u"PI"sv, false)) + QStringLiteral("/180)"));
            else if (start >= 0)
                Wrap(start, i, QString(Placeholder(u"pow"sv, false)) + u'(',
                     c == u'²' ? QStringLiteral(",2)") : QStringLiteral(",3)"));
            else
                m_out.append(m_typed[i]);
            Mark(i, i + 1);
            ++i;
        } else {
            static const QString times = QStringLiteral("×·✕✖⋅∙∗");
            if (c == u'(' && IsPostfix(F(i - 1)))
                m_out.append(u'*');
            m_out.append(times.contains(c)                ? QChar(u'*')
                                 : c == u'÷' || c == u'∕' ? QChar(u'/')
                                 : c == u'−'              ? QChar(u'-')
                                                          : m_typed[i]);
            ++i;
        }
    }
    m_out.append(QString(m_closers.back(), u')'));
    return {m_out, m_names};
}

// A text that declares or assigns to "x" through the full-width ｘ gave values with ｘ as a
// name of its own, and "0ｘ1F" was a hexadecimal number: there ｘ stays what it was. So it does
// before "**", which a negative x would make a syntax error.
bool Reader::KeepsWideX() const
{
    static const QRegularExpression declaration(
            QStringLiteral("\\b(var|let|const|function|class)\\b"));
    static const QRegularExpression assignment(
            QStringLiteral("[ｘＸ][\\s)）]*(\\*\\*|[-+*/%&|^]|<<|>>>?)?[=＝](?![=＝])"
                           "|[ｘＸ][xXｘＸ]*\\s*[*＊][*＊]|(?<![\\w.．０-９])[0０][ｘＸ]"));
    return declaration.match(m_f).hasMatch() || assignment.match(m_typed).hasMatch();
}

// A word that is assigned to, counted up or down, or a label: a name of its own in the script
// notation, which it stays.
bool Reader::IsAssigned(qsizetype start, qsizetype end) const
{
    static const QRegularExpression after(
            QStringLiteral("[\\s)]*(\\+\\+|--|(\\*\\*|[-+*/%&|^]|<<|>>>?)?=(?!=)|:)"));
    const QRegularExpressionMatch assignment
            = after.match(m_f, end, QRegularExpression::NormalMatch,
                          QRegularExpression::AnchorAtOffsetMatchOption);
    const qsizetype previous = SkipSpacesBack(start) - 1;
    if (assignment.hasMatch() && assignment.captured(1) == u":")
        return F(previous).isNull() || F(previous) == u';' || F(previous) == u'{'
                || F(previous) == u'}';
    const bool counted
            = (F(previous) == u'+' || F(previous) == u'-') && F(previous - 1) == F(previous);
    return assignment.hasMatch() || counted;
}

void Reader::Copy(qsizetype from, qsizetype to)
{
    Mark(from, to);
    m_out.append(QStringView(m_typed).mid(from, to - from));
}

void Reader::CopyX(qsizetype at)
{
    m_at[std::size_t(at)] = m_out.size();
    const QChar c = m_typed[at];
    m_out.append(m_wideX && !IsX(c) ? QChar(u'x') : c);
}

void Reader::Mark(qsizetype from, qsizetype to)
{
    for (qsizetype k = from; k < to; ++k)
        m_at[std::size_t(k)] = m_out.size();
}

// The end of a quoted string or a comment that starts at i (i when none does); the rest of
// the text when it is not closed.
qsizetype Reader::Quoted(qsizetype i) const
{
    const QChar c = m_f[i];
    if (c == u'\'' || c == u'"' || c == u'`') {
        const qsizetype close = m_f.indexOf(c, i + 1);
        return close < 0 ? m_f.size() : close + 1;
    }
    if (c == u'/' && F(i + 1) == u'/') {
        const qsizetype line = m_f.indexOf(u'\n', i);
        return line < 0 ? m_f.size() : line;
    }
    if (c == u'/' && F(i + 1) == u'*') {
        const qsizetype close = m_f.indexOf(QStringLiteral("*/"), i + 2);
        return close < 0 ? m_f.size() : close + 2;
    }
    return i;
}

void Reader::ReadWord(qsizetype &i)
{
    const qsizetype start = i;
    qsizetype end = i;
    while (end < m_f.size() && IsWordChar(m_f[end]))
        ++end;
    i = end;
    const QStringView word = QStringView(m_f).mid(start, end - start);
    // A property, also with spaces around its point.
    const qsizetype point = SkipSpacesBack(start);
    const bool property = F(point - 1) == u'.';
    const bool afterNumber = IsAsciiDigit(F(start - 1));
    if (IsAssigned(start, end))
        return Copy(start, end);
    std::vector<Piece> pieces;
    qsizetype callStart = start;
    if (property) {
        // Only a name of Math, after "Math." in any case: the object is written "Math".
        const qsizetype objectEnd = SkipSpacesBack(point - 1);
        qsizetype object = objectEnd;
        while (object > 0 && IsWordChar(m_f[object - 1]))
            --object;
        const Name *name = SingleName(word);
        if (name && objectEnd - object == 4
            && MatchesAt(QStringView(m_f).mid(object, 4), 0, u"math"sv)) {
            pieces.push_back({0, word.size(), name});
            m_out.replace(m_at[std::size_t(object)], 4, QStringLiteral("Math"));
            callStart = object;
        }
    } else if (word.size() == 1 && Lower(word[0]) == u'e') {
        if (!afterNumber)
            pieces.push_back({0, 1, &WholeWordE});
    } else {
        pieces = Split(word, m_ofX);
        const bool named = std::any_of(pieces.begin(), pieces.end(),
                                       [](const Piece &piece) { return piece.name; });
        // After a digit, an e may be a number's exponent: only exp( is read there.
        const bool exponent = afterNumber && Lower(word[0]) == u'e'
                && !(pieces.size() == 1 && pieces[0].kind() == Kind::Function && F(end) == u'(');
        if (!named && !pieces.empty()) {
            for (qsizetype at = start; at < end; ++at)
                CopyX(at);
            return;
        }
        if (!named || exponent)
            pieces.clear();
    }
    if (pieces.empty())
        return Copy(start, end);
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        const Piece &piece = pieces[k];
        const qsizetype at = start + piece.at;
        if (k > 0)
            m_at[std::size_t(at)] = m_out.size();
        if (k + 1 == pieces.size() && piece.kind() == Kind::Function
            && ReadDegreeCall(piece, end, k == 0 ? callStart : at, i))
            return;
        const bool star = k == 0 ? piece.kind() != Kind::X && !property && EndsOperand(F(start - 1))
                                 : piece.kind() != Kind::X || pieces[k - 1].kind() != Kind::X;
        if (star)
            m_out.append(u'*');
        m_at[std::size_t(at)] = m_out.size();
        if (piece.kind() == Kind::X) {
            CopyX(at);
        } else {
            m_out.append(Placeholder(piece.name->canonical, property));
            Mark(at + 1, at + piece.length);
        }
    }
    if (pieces.back().kind() == Kind::Constant && F(end) == u'(')
        m_out.append(u'*');
}

// sin(30°), cos(-45°), tan(60°): a whole call of a number of degrees, worked out exactly where
// the textbook's table is (sin 30° is 0.5, not the 0.49999999999999994 of sin(π/6)).
bool Reader::ReadDegreeCall(const Piece &piece, qsizetype wordEnd, qsizetype callStart,
                            qsizetype &i)
{
    const std::u16string_view name = piece.name->canonical;
    if ((name != u"sin"sv && name != u"cos"sv && name != u"tan"sv) || F(wordEnd) != u'(')
        return false;
    qsizetype at = wordEnd + 1;
    const auto skipSpaces = [&] {
        while (F(at) == u' ')
            ++at;
    };
    skipSpaces();
    double sign = 1;
    if (F(at) == u'-' || F(at) == u'+')
        sign = F(at++) == u'-' ? -1 : 1;
    skipSpaces();
    const qsizetype number = at;
    while (IsAsciiDigit(F(at)) || F(at) == u'.')
        ++at;
    bool ok = false;
    const double degrees = m_f.mid(number, at - number).toDouble(&ok);
    skipSpaces();
    if (!ok || F(at) != u'°')
        return false;
    ++at;
    skipSpaces();
    if (F(at) != u')')
        return false;
    const double value = DegreeTrigonometry(name, sign * degrees);
    m_out.truncate(m_at[std::size_t(callStart)]);
    if (EndsOperand(F(callStart - 1)))
        m_out.append(u'*');
    m_out.append(std::isinf(value)
                         ? (value > 0 ? QStringLiteral("(1/0)") : QStringLiteral("(-1/0)"))
                         : u'(' + QString::number(value, 'g', 17) + u')');
    Mark(callStart, at + 1);
    i = at + 1;
    return true;
}

void Reader::ReadRoot(qsizetype &i)
{
    if (EndsOperand(F(i - 1)))
        m_out.append(u'*');
    m_at[std::size_t(i)] = m_out.size();
    m_out.append(Placeholder(m_f[i] == u'√' ? u"sqrt"sv : u"cbrt"sv, false));
    ++i;
    if (F(i) == u'(')
        return;
    const qsizetype end = OperandEndAfter(m_f, i, false, m_ofX);
    if (end > i) {
        m_out.append(u'(');
        ++m_closers[std::size_t(end)];
    }
}

// Puts `before` and `after` around the output of the operand [start, end), with a
// multiplication before it where an operand stands there.
void Reader::Wrap(qsizetype start, qsizetype end, const QString &before, const QString &after)
{
    const qsizetype at = m_at[std::size_t(start)];
    const bool star = EndsOperand(F(start - 1)) && !(at > 0 && m_out[at - 1] == u'*');
    const QString inserted = star ? u'*' + before : before;
    m_out.insert(at, inserted);
    m_at[std::size_t(start)] = at + (star ? 1 : 0);
    for (qsizetype k = start + 1; k <= end; ++k)
        m_at[std::size_t(k)] += inserted.size();
    m_out.append(after);
}

QChar Reader::Placeholder(std::u16string_view canonical, bool property)
{
    const QString name = (property ? QString() : QStringLiteral("Math."))
            + QString::fromUtf16(canonical.data(), qsizetype(canonical.size()));
    auto found = m_placeholders.constFind(name);
    if (found == m_placeholders.constEnd()) {
        found = m_placeholders.insert(name, int(m_names.size()));
        m_names.append(name);
    }
    return QChar(char16_t(FirstPlaceholder + *found));
}

bool HoldsPrivateUse(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        return c.unicode() >= FirstPlaceholder && c.unicode() <= LastPrivateUse;
    });
}

} // namespace

MathReading ReadMathematics(const QString &typed, bool ofX)
{
    if (HoldsPrivateUse(typed))
        return {typed, {}};
    return Reader(typed, ofX).Read();
}

QString WithNames(const QString &text, const QStringList &names)
{
    if (names.isEmpty())
        return text;
    QString named;
    named.reserve(text.size() + 8 * names.size());
    for (QChar c : text) {
        const int index = c.unicode() - FirstPlaceholder;
        if (index >= 0 && index < names.size())
            named.append(names.at(index));
        else
            named.append(c);
    }
    return named;
}

QString PowersWritten(const QString &typed)
{
    if (typed.count(u'^') + typed.count(u'＾') > MostPowersWritten)
        return typed;
    QString text = typed;
    qsizetype limit = text.size();
    for (;;) {
        const QString f = ToHalfWidth(text);
        const qsizetype caret = limit > 0 ? f.lastIndexOf(u'^', limit - 1) : -1;
        if (caret < 0)
            return text;
        qsizetype start = OperandStartBefore(f, caret, true);
        const qsizetype end = OperandEndAfter(f, caret + 1, true, true);
        limit = caret;
        if (start < 0 || end < 0)
            continue;
        const bool star = start > 0 && EndsOperand(f[start - 1]);
        const auto operand = [&](qsizetype from, qsizetype to) {
            // One parenthesised group needs no parentheses of its own as an argument.
            if (f[from] == u'(' && MatchingClose(f, from) == to - 1)
                return text.mid(from + 1, to - from - 2);
            return text.mid(from, to - from);
        };
        const QString power = QStringLiteral("Math.pow(") + operand(start, caret) + u','
                + operand(caret + 1, end) + u')';
        text = text.left(start) + (star ? QStringLiteral("*") : QString()) + power + text.mid(end);
        limit = start;
    }
}

qsizetype OperandEnd(const QString &text, qsizetype start)
{
    return OperandEndAfter(ToHalfWidth(text), start, true, false);
}

bool HasTrigonometryInRadians(const QString &typed)
{
    const QString f = ToHalfWidth(typed);
    if (f.contains(u'°'))
        return false;
    for (qsizetype i = 0; i < f.size();) {
        if (!IsWordStart(f[i])) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < f.size() && IsWordChar(f[end]))
            ++end;
        const QStringView word = QStringView(f).mid(i, end - i);
        const std::vector<Piece> pieces = Split(word, true);
        if (!pieces.empty() && pieces.back().name) {
            const std::u16string_view name = pieces.back().name->canonical;
            if (name == u"sin"sv || name == u"cos"sv || name == u"tan"sv)
                return true;
        }
        i = end;
    }
    return false;
}

} // namespace Eval
