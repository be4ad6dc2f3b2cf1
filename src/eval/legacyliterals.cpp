#include "legacyliterals.h"

#include "asciitext.h"

#include <algorithm>

namespace Eval {

namespace {

bool IsIdentifierPart(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

// The scan position moves over one piece of program text at a time.
class LiteralScanner
{
public:
    explicit LiteralScanner(const QString &program)
        : m_text(program)
    { }

    QString rewritten()
    {
        while (m_position < m_text.size())
            step();
        return m_text;
    }

private:
    QChar at(qsizetype position) const
    {
        return position < m_text.size() ? m_text.at(position) : QChar();
    }

    void step()
    {
        const QChar c = at(m_position);
        if (c == u'\'' || c == u'"' || c == u'`')
            skipString(c);
        else if (c == u'/' && at(m_position + 1) == u'/')
            skipUntil(QStringLiteral("\n"));
        else if (c == u'/' && at(m_position + 1) == u'*')
            skipUntil(QStringLiteral("*/"));
        else if (IsAsciiDigit(c) || (c == u'.' && IsAsciiDigit(at(m_position + 1))))
            number();
        else if (IsIdentifierPart(c))
            skipWhile(IsIdentifierPart);
        else
            ++m_position;
    }

    void skipString(QChar quote)
    {
        ++m_position;
        while (m_position < m_text.size() && at(m_position) != quote)
            m_position += at(m_position) == u'\\' ? 2 : 1;
        ++m_position;
    }

    void skipUntil(const QString &end)
    {
        const qsizetype found = m_text.indexOf(end, m_position + 2);
        m_position = found < 0 ? m_text.size() : found + end.size();
    }

    template<typename Predicate>
    void skipWhile(Predicate belongs)
    {
        while (m_position < m_text.size() && belongs(at(m_position)))
            ++m_position;
    }

    void number()
    {
        const qsizetype start = m_position;
        if (at(start) == u'0' && QStringLiteral("xXoObB").contains(at(start + 1))) {
            skipWhile(IsIdentifierPart);
            return;
        }
        skipWhile(IsAsciiDigit);
        const qsizetype integerEnd = m_position;
        const bool decimalOnly = skipFractionAndExponent();
        const qsizetype integerLength = integerEnd - start;
        if (at(start) != u'0' || integerLength < 2)
            return;
        const QString integer = m_text.mid(start, integerLength);
        const QString replacement = !decimalOnly && IsOctal(integer)
                ? QString::number(OctalValue(integer), 'g', 17)
                : StripLeadingZeros(integer);
        m_text.replace(start, integerLength, replacement);
        m_position += replacement.size() - integerLength;
    }

    // True when the literal has a fraction or an exponent.
    bool skipFractionAndExponent()
    {
        bool found = false;
        if (at(m_position) == u'.') {
            found = true;
            ++m_position;
            skipWhile(IsAsciiDigit);
        }
        const QChar e = at(m_position);
        const QChar afterE = at(m_position + 1);
        const bool signedExponent
                = (afterE == u'+' || afterE == u'-') && IsAsciiDigit(at(m_position + 2));
        if ((e == u'e' || e == u'E') && (IsAsciiDigit(afterE) || signedExponent)) {
            found = true;
            m_position += signedExponent ? 2 : 1;
            skipWhile(IsAsciiDigit);
        }
        return found;
    }

    static bool IsOctal(const QString &digits)
    {
        return std::all_of(digits.cbegin(), digits.cend(), [](QChar c) { return c <= u'7'; });
    }

    static double OctalValue(const QString &digits)
    {
        double value = 0;
        for (QChar c : digits)
            value = value * 8 + (c.unicode() - u'0');
        return value;
    }

    static QString StripLeadingZeros(const QString &digits)
    {
        qsizetype first = 0;
        while (first + 1 < digits.size() && digits.at(first) == u'0')
            ++first;
        return digits.mid(first);
    }

    QString m_text;
    qsizetype m_position = 0;
};

} // namespace

QString RewriteLegacyNumberLiterals(const QString &program)
{
    if (!program.contains(u'0'))
        return program;
    return LiteralScanner(program).rewritten();
}

} // namespace Eval
