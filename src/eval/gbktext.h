#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace Eval {

// Text operations that count in GBK bytes (an ASCII character is one byte, a Chinese or
// full-width character two). Positions start at 1. They work on QString and convert through
// a real GBK codec, so a cut can never leave half a character behind: a piece that would
// end inside a two-byte character loses that half byte.

QByteArray ToGbk(const QString &text);
QString FromGbk(const QByteArray &bytes);

int TextLength(const QString &text);
QString TextLeft(const QString &text, int count);
QString TextRight(const QString &text, int count);
QString TextMid(const QString &text, int position, int count);
// Position of `needle` at or after `start`, or -1; steps over two-byte characters as units.
int TextFind(const QString &text, const QString &needle, int start = 1, bool ignoreCase = false);
// Removes `count` bytes at `position` (clamped to 1 … length + 1) and inserts `insertion`.
QString TextReplace(const QString &text, int position, int count,
                    const QString &insertion = QString());
// Pieces between separators; an empty last remainder is dropped, an empty text gives none.
QList<QString> TextSplit(const QString &text, const QString &separator);
// a-z to A-Z; two-byte characters untouched.
QString TextUpper(const QString &text);

} // namespace Eval
