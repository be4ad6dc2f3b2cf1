#pragma once

#include "eval/outcome.h"

#include <QString>

namespace Arith {

// The bases "进制转换" offers.
constexpr int SmallestBase = 2;
constexpr int LargestBase = 36;

// The base at `index` of the window's lists, which run from SmallestBase up.
int BaseAt(int index);

// `text` (full-width folded, letters in upper case) read in base `fromBase` and written in
// base `toBase` with the digits 0-9A-Z; the folded text itself when the bases are equal; "0"
// for an empty text. A character that is no digit of `fromBase` (also a sign, a space or a
// line break) is refused with "参数错误-<folded text>不是一个有效的<base in Chinese
// numerals>进制数！"; a base outside 2..36 with an empty text.
Eval::Outcome<QString> ConvertBase(const QString &text, int fromBase, int toBase);

// A number from 1 to 99 as a money amount is read, without its unit: 2 → 二, 10 → 一十,
// 16 → 一十六, 36 → 三十六. Empty outside 1..99.
QString SpellInChineseNumerals(int number);

} // namespace Arith
