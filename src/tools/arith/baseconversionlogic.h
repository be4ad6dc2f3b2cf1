#pragma once

#include <QString>

// The bases "进制转换" offers.
constexpr int SmallestBase = 2;
constexpr int LargestBase = 36;

// How the error text of an invalid number begins.
inline const QString InvalidNumberText = QStringLiteral("参数错误-");

// `text` (full-width folded, letters in upper case) read in base `fromBase` and written in
// base `toBase` with the digits 0-9A-Z; the folded text itself when the bases are equal; "0"
// for an empty text. A character that is no digit of `fromBase` (also a sign, a space or a
// line break) gives "参数错误-<folded text>不是一个有效的<base in Chinese numerals>进制数！".
// Empty when a base lies outside 2..36.
QString ConvertBase(const QString &text, int fromBase, int toBase);

// A number from 1 to 99 as a money amount is read, without its unit: 2 → 二, 10 → 一十,
// 16 → 一十六, 36 → 三十六. Empty outside 1..99.
QString SpellInChineseNumerals(int number);
