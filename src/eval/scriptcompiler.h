#pragma once

// Compiles the tokens of the arithmetic subset into postfix code, with every part that does
// not involve x worked out while compiling.

#include "scriptcode.h"
#include "scripttokenizer.h"

#include <optional>
#include <vector>

namespace Eval::ScriptArithmetic {

// A program the engine certainly refuses compiles to the empty code, like a program without
// an expression: both give the empty text.
std::optional<Compiled> CompileTokens(const std::vector<Token> &tokens);

} // namespace Eval::ScriptArithmetic
