#pragma once

#include <QChar>

#include <locale.h>

namespace Eval {

// Reading program text, which is ASCII whatever the user's language: its character classes
// and the "C" locale for the library's number conversions.

inline bool IsAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The "C" locale, made once: decimal points stay points under any user setting.
locale_t CLocale();

} // namespace Eval
