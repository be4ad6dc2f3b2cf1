#pragma once

namespace Eval {

// How deeply any parser of the program goes into itself: a pair of parentheses or brackets, a
// call's arguments, a sign, an operand of a tighter operator, an array or object of a data
// file, each a level. Far beyond what anyone writes and far below what a recursive parser's
// stack holds, also under the sanitizers. A parser refuses a text nested deeper as one that does
// not parse, before its recursion goes further; an expression whose brackets nest deeper fails
// unread and is never handed to the script engine.
inline constexpr int MaxNestingDepth = 256;

} // namespace Eval
