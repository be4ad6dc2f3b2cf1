#pragma once

// What every fuzz target shares: the input as text or lines, and a check that stops the run.
// A target defines LLVMFuzzerTestOneInput, calling EnsureApplication first where it needs a Qt
// application; the same file builds with libFuzzer or as a program replaying files.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace Fuzz {

inline QByteArray Bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

inline QString Text(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}

// The input's lines ("\n" separated); at least `count` of them, missing ones empty.
inline QStringList Lines(const uint8_t *data, size_t size, int count)
{
    QStringList lines = Text(data, size).split(u'\n');
    while (lines.size() < count)
        lines << QString();
    return lines;
}

// The character at `index`, 0 past the end.
inline char16_t At(const QString &text, qsizetype index)
{
    return index < text.size() ? text[index].unicode() : 0;
}

// True for "p/q" or "p" in lowest terms with q > 1, as GMP writes a canonical rational.
bool IsReducedFraction(const QString &fraction);

// Creates the application object the script engine and the text codecs need, once.
void EnsureApplication();

// Prints what went wrong with the input and aborts, which libFuzzer keeps as a finding and
// the replaying program reports as a failure.
[[noreturn]] void Fail(const char *what, const QString &detail = QString());

inline void Check(bool condition, const char *what, const QString &detail = QString())
{
    if (!condition)
        Fail(what, detail);
}

} // namespace Fuzz
