#include "gbktext.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace Eval {

namespace {

// Codec objects are not thread-safe, so each thread keeps its own pair.
QStringEncoder &GbkEncoder()
{
    thread_local QStringEncoder encoder("GBK");
    return encoder;
}

QStringDecoder &GbkDecoder()
{
    thread_local QStringDecoder decoder("GBK");
    return decoder;
}

// A character GBK cannot represent stands for two bytes ("??"): it is as wide as the other
// wide characters, and keeping its width lets the byte operations carry it through unchanged.
QByteArray CharacterToGbk(QStringView character)
{
    if (character.size() == 1 && character.front().unicode() < 0x80)
        return QByteArray(1, char(character.front().unicode()));
    QStringEncoder &encoder = GbkEncoder();
    const QByteArray bytes = encoder.encode(character);
    encoder.resetState(); // a lone surrogate must not linger into the next character
    // The encoder substitutes "?" silently, so only a round trip proves the character exists.
    if (bytes.isEmpty() || FromGbk(bytes) != character)
        return QByteArrayLiteral("??");
    return bytes;
}

int CharacterWidth(QStringView character)
{
    if (character.size() == 1 && character.front().unicode() < 0x80)
        return 1;
    return int(CharacterToGbk(character).size());
}

qsizetype CharacterSize(const QString &text, qsizetype index)
{
    const bool pair = text.at(index).isHighSurrogate() && index + 1 < text.size()
            && text.at(index + 1).isLowSurrogate();
    return pair ? 2 : 1;
}

// Where each character of a text starts, in GBK bytes and in UTF-16 units; the last entry
// marks the end of the text.
class GbkLayout
{
public:
    explicit GbkLayout(const QString &text)
    {
        int bytes = 0;
        for (qsizetype index = 0; index < text.size();) {
            const qsizetype size = CharacterSize(text, index);
            m_byteStarts.append(bytes);
            m_unitStarts.append(index);
            bytes += CharacterWidth(QStringView(text).mid(index, size));
            index += size;
        }
        m_byteStarts.append(bytes);
        m_unitStarts.append(text.size());
    }

    int length() const { return m_byteStarts.last(); }
    int characterCount() const { return int(m_byteStarts.size()) - 1; }
    int byteStart(int character) const { return m_byteStarts.at(character); }
    qsizetype unitStart(int character) const { return m_unitStarts.at(character); }

    // First character boundary at or after the byte offset.
    int boundaryAtOrAfter(qint64 offset) const
    {
        const auto it = std::lower_bound(m_byteStarts.begin(), m_byteStarts.end(), offset);
        return int(it - m_byteStarts.begin());
    }

    // Last character boundary at or before the byte offset.
    int boundaryAtOrBefore(qint64 offset) const
    {
        const auto it = std::upper_bound(m_byteStarts.begin(), m_byteStarts.end(), offset);
        return int(it - m_byteStarts.begin()) - 1;
    }

private:
    QList<int> m_byteStarts;
    QList<qsizetype> m_unitStarts;
};

// The whole characters inside the byte range [from, to); a character cut by either end
// is left out.
QString Slice(const QString &text, const GbkLayout &layout, qint64 from, qint64 to)
{
    const int first = layout.boundaryAtOrAfter(std::max<qint64>(from, 0));
    const int last = layout.boundaryAtOrBefore(std::min<qint64>(to, layout.length()));
    if (last <= first)
        return QString();
    return text.mid(layout.unitStart(first), layout.unitStart(last) - layout.unitStart(first));
}

char16_t FoldAsciiLetter(char16_t unit)
{
    return unit >= u'a' && unit <= u'z' ? char16_t(unit - u'a' + u'A') : unit;
}

bool MatchesAt(QStringView text, QStringView needle, bool ignoreCase)
{
    if (needle.size() > text.size())
        return false;
    for (qsizetype i = 0; i < needle.size(); ++i) {
        char16_t a = text.at(i).unicode();
        char16_t b = needle.at(i).unicode();
        if (ignoreCase) {
            a = FoldAsciiLetter(a);
            b = FoldAsciiLetter(b);
        }
        if (a != b)
            return false;
    }
    // A match must not end inside a surrogate pair.
    return needle.size() == text.size() || !text.at(needle.size()).isLowSurrogate();
}

// Index of the first character at or after `firstCharacter` where `needle` begins, or -1.
int FindCharacter(const QString &text, const GbkLayout &layout, const QString &needle,
                  int firstCharacter, bool ignoreCase)
{
    for (int character = firstCharacter; character < layout.characterCount(); ++character) {
        if (MatchesAt(QStringView(text).mid(layout.unitStart(character)), needle, ignoreCase))
            return character;
    }
    return -1;
}

} // namespace

QByteArray ToGbk(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (qsizetype index = 0; index < text.size();) {
        const qsizetype size = CharacterSize(text, index);
        bytes += CharacterToGbk(QStringView(text).mid(index, size));
        index += size;
    }
    return bytes;
}

QString FromGbk(const QByteArray &bytes)
{
    QStringDecoder &decoder = GbkDecoder();
    QString text = decoder.decode(bytes);
    decoder.resetState();
    return text;
}

int TextLength(const QString &text)
{
    return GbkLayout(text).length();
}

QString TextLeft(const QString &text, int count)
{
    if (count <= 0)
        return QString();
    const GbkLayout layout(text);
    return Slice(text, layout, 0, count);
}

QString TextRight(const QString &text, int count)
{
    if (count <= 0)
        return QString();
    const GbkLayout layout(text);
    return Slice(text, layout, qint64(layout.length()) - count, layout.length());
}

QString TextMid(const QString &text, int position, int count)
{
    const GbkLayout layout(text);
    if (position < 1 || position > layout.length() || count <= 0)
        return QString();
    return Slice(text, layout, position - 1, qint64(position) - 1 + count);
}

// A start inside a two-byte character moves on to the next whole character, and ignoring
// case folds only A-Z/a-z, so no half character and no trailing byte can ever match.
int TextFind(const QString &text, const QString &needle, int start, bool ignoreCase)
{
    const GbkLayout layout(text);
    const int first = layout.boundaryAtOrAfter(std::max(start, 1) - 1);
    if (first >= layout.characterCount())
        return -1;
    if (needle.isEmpty())
        return 1;
    const int found = FindCharacter(text, layout, needle, first, ignoreCase);
    return found < 0 ? -1 : layout.byteStart(found) + 1;
}

// Removing part of a two-byte character removes all of it; inserting inside one inserts
// after it.
QString TextReplace(const QString &text, int position, int count, const QString &insertion)
{
    const GbkLayout layout(text);
    const qint64 from = std::clamp(position, 1, layout.length() + 1) - 1;
    const qint64 removed = std::clamp<qint64>(count, 0, layout.length() - from);
    const int keptBefore
            = removed > 0 ? layout.boundaryAtOrBefore(from) : layout.boundaryAtOrAfter(from);
    const int keptAfter = layout.boundaryAtOrAfter(from + removed);
    return text.left(layout.unitStart(keptBefore)) + insertion
            + text.mid(layout.unitStart(keptAfter));
}

// An empty separator never matches, so the text stays one piece.
QList<QString> TextSplit(const QString &text, const QString &separator)
{
    QList<QString> pieces;
    if (text.isEmpty())
        return pieces;
    if (separator.isEmpty())
        return {text};
    const GbkLayout layout(text);
    const int separatorLength = TextLength(separator);
    qsizetype pieceStart = 0;
    int found = FindCharacter(text, layout, separator, 0, false);
    while (found >= 0) {
        const qsizetype separatorStart = layout.unitStart(found);
        pieces.append(text.mid(pieceStart, separatorStart - pieceStart));
        pieceStart = separatorStart + separator.size();
        const int next = layout.boundaryAtOrAfter(layout.byteStart(found) + separatorLength);
        found = FindCharacter(text, layout, separator, next, false);
    }
    if (pieceStart < text.size())
        pieces.append(text.mid(pieceStart));
    return pieces;
}

QString TextUpper(const QString &text)
{
    QString upper = text;
    for (QChar &unit : upper)
        unit = QChar(FoldAsciiLetter(unit.unicode()));
    return upper;
}

} // namespace Eval
