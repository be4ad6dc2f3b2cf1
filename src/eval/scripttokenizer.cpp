#include "scripttokenizer.h"

#include "asciitext.h"

#include <QVarLengthArray>

#include <array>
#include <charconv>
#include <cstdint>
#include <locale.h>
#include <stdlib.h>

namespace Eval {

namespace ScriptArithmetic {

using namespace std::string_view_literals;

namespace {

bool IsNameStart(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c == u'$';
}

bool IsNamePart(QChar c)
{
    return IsNameStart(c) || IsAsciiDigit(c);
}

// Every punctuator of the language, longest first; the ones outside the subset are here too,
// so that none of them is read as a shorter one.
constexpr std::array<Punctuator, 59> Punctuators{{
        {u">>>="sv, false},
        {u"..."sv, false},
        {u"==="sv, true, Op::StrictEqual, 6},
        {u"!=="sv, true, Op::StrictNotEqual, 6},
        {u"**="sv, false},
        {u"<<="sv, false},
        {u">>="sv, false},
        {u">>>"sv, true, Op::ShiftRightUnsigned, 8},
        {u"&&="sv, false},
        {u"||="sv, false},
        {u"?\?="sv, false},
        {u"=>"sv, false},
        {u"=="sv, true, Op::Equal, 6},
        {u"!="sv, true, Op::NotEqual, 6},
        {u"<="sv, true, Op::LessEqual, 7},
        {u">="sv, true, Op::GreaterEqual, 7},
        {u"&&"sv, true, Op::And, 2},
        {u"||"sv, true, Op::Or, 1},
        {u"?\?"sv, false},
        {u"?."sv, false},
        {u"++"sv, false},
        {u"--"sv, false},
        {u"<<"sv, true, Op::ShiftLeft, 8},
        {u">>"sv, true, Op::ShiftRight, 8},
        {u"**"sv, true},
        {u"+="sv, false},
        {u"-="sv, false},
        {u"*="sv, false},
        {u"/="sv, false},
        {u"%="sv, false},
        {u"&="sv, false},
        {u"|="sv, false},
        {u"^="sv, false},
        {u"("sv, true},
        {u")"sv, true},
        {u","sv, true},
        {u";"sv, true},
        {u"?"sv, true},
        {u":"sv, true},
        {u"."sv, true},
        {u"+"sv, true, Op::Add, 9},
        {u"-"sv, true, Op::Subtract, 9},
        {u"*"sv, true, Op::Multiply, 10},
        {u"/"sv, true, Op::Divide, 10},
        {u"%"sv, true, Op::Remainder, 10},
        {u"<"sv, true, Op::Less, 7},
        {u">"sv, true, Op::Greater, 7},
        {u"&"sv, true, Op::BitAnd, 5},
        {u"|"sv, true, Op::BitOr, 3},
        {u"^"sv, true, Op::BitXor, 4},
        {u"~"sv, true},
        {u"!"sv, true},
        {u"="sv, false},
        {u"["sv, false},
        {u"]"sv, false},
        {u"{"sv, false},
        {u"}"sv, false},
        {u"#"sv, false},
        {u"@"sv, false},
}};

// The punctuators by their first character, longest first as in the list.
const std::vector<const Punctuator *> &PunctuatorsStartingWith(char16_t first)
{
    static const std::array<std::vector<const Punctuator *>, 128> byFirst = [] {
        std::array<std::vector<const Punctuator *>, 128> table;
        for (const Punctuator &punctuator : Punctuators)
            table[punctuator.text.front()].push_back(&punctuator);
        return table;
    }();
    return byFirst[first];
}

class Tokenizer
{
public:
    explicit Tokenizer(QStringView text)
        : m_text(text)
    { }

    // Empty when the text has anything outside the subset.
    std::vector<Token> tokens()
    {
        std::vector<Token> tokens;
        tokens.reserve(m_text.size() / 2 + 2);
        for (;;) {
            bool lineBreak = false;
            if (!skipSpace(lineBreak))
                return {};
            if (m_position == m_text.size())
                break;
            const QChar c = at(m_position);
            bool read;
            if (IsAsciiDigit(c) || (c == u'.' && IsAsciiDigit(at(m_position + 1))))
                read = number(tokens);
            else if (IsNameStart(c))
                read = name(tokens);
            else
                read = punctuator(tokens);
            if (!read)
                return {};
            tokens.back().lineBreakBefore = lineBreak;
        }
        tokens.push_back({TokenKind::End, {}});
        return tokens;
    }

private:
    static bool IsLineTerminator(QChar c)
    {
        return c == u'\n' || c == u'\r' || c == u'\u2028' || c == u'\u2029';
    }

    // Spaces, line breaks and comments; false for a comment left open.
    bool skipSpace(bool &lineBreak)
    {
        while (m_position < m_text.size()) {
            const QChar c = at(m_position);
            if (c == u' ' || c == u'\t' || c == u'\v' || c == u'\f') {
                ++m_position;
            } else if (IsLineTerminator(c)) {
                lineBreak = true;
                ++m_position;
            } else if (c == u'/' && at(m_position + 1) == u'/') {
                while (m_position < m_text.size() && !IsLineTerminator(at(m_position)))
                    ++m_position;
            } else if (c == u'/' && at(m_position + 1) == u'*') {
                const qsizetype end = m_text.indexOf(u"*/", m_position + 2);
                if (end < 0)
                    return false;
                // The engine does not count a line break inside it as one between tokens.
                m_position = end + 2;
            } else {
                break;
            }
        }
        return true;
    }

    QChar at(qsizetype position) const
    {
        return position < m_text.size() ? m_text.at(position) : QChar();
    }

    qsizetype skipDigits(qsizetype position, int radix = 10) const
    {
        const auto isDigit = [radix](QChar c) {
            if (radix == 16)
                return IsAsciiDigit(c) || (c.toLower() >= u'a' && c.toLower() <= u'f');
            return c >= u'0' && c.unicode() < u'0' + radix;
        };
        while (position < m_text.size() && isDigit(at(position)))
            ++position;
        return position;
    }

    bool number(std::vector<Token> &tokens)
    {
        const qsizetype start = m_position;
        double value;
        const QChar second = at(start + 1).toLower();
        if (at(start) == u'0' && (second == u'x' || second == u'o' || second == u'b')) {
            const int radix = second == u'x' ? 16 : second == u'o' ? 8 : 2;
            m_position = skipDigits(start + 2, radix);
            if (!radixValue(start + 2, radix, value))
                return false;
        } else {
            const qsizetype integerEnd = m_position = skipDigits(start);
            if (at(m_position) == u'.')
                m_position = skipDigits(m_position + 1);
            const QChar e = at(m_position);
            if (e == u'e' || e == u'E') {
                qsizetype exponent = m_position + 1;
                if (at(exponent) == u'+' || at(exponent) == u'-')
                    ++exponent;
                if (!IsAsciiDigit(at(exponent)))
                    return false;
                m_position = skipDigits(exponent);
            }
            if (!legacyOctalValue(start, integerEnd, value) && !decimalValue(start, value))
                return false;
        }
        // A literal must not run into a name or another digit ("3in", "0b12").
        if (IsNamePart(at(m_position)) || at(m_position) == u'\\')
            return false;
        tokens.push_back({TokenKind::Number, m_text.mid(start, m_position - start), value});
        return true;
    }

    // The script host reads "010" as octal, as older engines did (RewriteLegacyNumberLiterals):
    // whole digits after a leading 0, all of them octal. Other leading zeros are dropped, which
    // leaves the value as it is.
    bool legacyOctalValue(qsizetype start, qsizetype integerEnd, double &value) const
    {
        if (at(start) != u'0' || integerEnd - start < 2 || integerEnd != m_position)
            return false;
        double octal = 0;
        for (qsizetype i = start; i < integerEnd; ++i) {
            if (at(i) > u'7')
                return false;
            octal = octal * 8 + (at(i).unicode() - u'0');
        }
        value = octal;
        return true;
    }

    // Beyond 2^53 the engine's rounding of long literals is not known; they are refused.
    bool radixValue(qsizetype digits, int radix, double &value) const
    {
        if (m_position == digits)
            return false;
        std::uint64_t whole = 0;
        for (qsizetype i = digits; i < m_position; ++i) {
            const char16_t c = at(i).toLower().unicode();
            whole = whole * radix + (c <= u'9' ? c - u'0' : c - u'a' + 10);
            if (whole > (std::uint64_t(1) << 53))
                return false;
        }
        value = double(whole);
        return true;
    }

    bool decimalValue(qsizetype start, double &value) const
    {
        QVarLengthArray<char, 64> ascii;
        for (qsizetype i = start; i < m_position; ++i)
            ascii.append(char(at(i).unicode()));
        const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
        if (result.ec == std::errc::result_out_of_range) {
            // Beyond the doubles (1e400, 1e-400): strtod gives the infinity or the zero.
            ascii.append('\0');
            value = strtod_l(ascii.data(), nullptr, CLocale());
            return true;
        }
        return result.ec == std::errc() && result.ptr == ascii.data() + ascii.size();
    }

    bool name(std::vector<Token> &tokens)
    {
        const qsizetype start = m_position;
        while (IsNamePart(at(m_position)))
            ++m_position;
        if (at(m_position) == u'\\')
            return false;
        tokens.push_back({TokenKind::Name, m_text.mid(start, m_position - start)});
        return true;
    }

    bool punctuator(std::vector<Token> &tokens)
    {
        const QStringView rest = m_text.mid(m_position);
        if (rest.front().unicode() >= 128)
            return false;
        for (const Punctuator *candidate : PunctuatorsStartingWith(rest.front().unicode())) {
            const Punctuator &punctuator = *candidate;
            const qsizetype length = qsizetype(punctuator.text.size());
            if (rest.size() < length || !Same(rest.left(length), punctuator.text))
                continue;
            // "?." before a digit is a ? and a number (a ? .5 : 1).
            if (punctuator.text == u"?."sv && IsAsciiDigit(at(m_position + 2)))
                continue;
            if (!punctuator.allowed)
                return false;
            tokens.push_back({TokenKind::Punctuator, rest.left(length), 0, false, candidate});
            m_position += length;
            return true;
        }
        return false; // quotes, backslash, anything else
    }

    QStringView m_text;
    qsizetype m_position = 0;
};

} // namespace

std::vector<Token> Tokenize(QStringView text)
{
    return Tokenizer(text).tokens();
}

std::optional<double> NumberLiteralValue(QStringView text)
{
    const std::vector<Token> tokens = Tokenize(text);
    if (tokens.size() != 2 || tokens[0].kind != TokenKind::Number
        || tokens[0].text.size() != text.size())
        return std::nullopt;
    return tokens[0].number;
}

int NestingLowerBound(const std::vector<Token> &tokens)
{
    struct Level
    {
        std::array<int, 12> operators{}; // by precedence, 11 for **
        int signs = 0;
        bool expectOperand = true;
        int nesting = 0; // of the parentheses around, those of a call counting twice
    };
    std::vector<Level> levels(1);
    int bound = 0;
    TokenKind previous = TokenKind::End;
    const auto endSegment = [&bound](Level &level) {
        const auto loosest = std::find_if(level.operators.begin() + 1, level.operators.end(),
                                          [](int count) { return count > 0; });
        if (loosest != level.operators.end())
            bound = std::max(bound, *loosest);
        level.operators.fill(0);
    };
    for (const Token &token : tokens) {
        Level &level = levels.back();
        const bool call = previous == TokenKind::Name;
        previous = token.kind;
        if (token.kind != TokenKind::Punctuator) {
            level.signs = 0;
            level.expectOperand = false;
            continue;
        }
        const std::u16string_view text = token.punctuator->text;
        if (text == u"("sv) {
            Level inner;
            inner.nesting = level.nesting + (call ? 2 : 1);
            bound = std::max(bound, inner.nesting);
            levels.push_back(inner);
        } else if (text == u")"sv) {
            endSegment(level);
            if (levels.size() > 1)
                levels.pop_back();
            levels.back().expectOperand = false;
        } else if (text == u","sv || text == u"?"sv || text == u":"sv || text == u";"sv) {
            endSegment(level);
            level.expectOperand = true;
        } else if (level.expectOperand) {
            bound = std::max(bound, ++level.signs); // - + ! ~ before an operand
        } else if (token.punctuator->precedence > 0 || text == u"**"sv) {
            ++level.operators[text == u"**"sv ? 11 : token.punctuator->precedence];
            level.expectOperand = true;
            level.signs = 0;
        }
    }
    for (Level &level : levels)
        endSegment(level);
    return bound;
}

bool NestsTooDeeply(QStringView program)
{
    int depth = 0;
    for (QChar c : program) {
        if (c == u'(' || c == u'[' || c == u'{') {
            if (++depth > MaxNestingDepth)
                return true;
        } else if ((c == u')' || c == u']' || c == u'}') && depth > 0) {
            --depth;
        }
    }
    return false;
}

} // namespace ScriptArithmetic

} // namespace Eval
