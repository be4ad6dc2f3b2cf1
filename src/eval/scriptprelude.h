#pragma once

#include <QString>

namespace Eval {

// JavaScript that isolates an engine's evaluations from each other. Evaluated once, it
// yields a function of one program text that returns the result text, or null when the
// program threw.
QString ScriptPrelude();

} // namespace Eval
