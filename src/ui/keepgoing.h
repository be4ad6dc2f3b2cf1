#pragma once

#include <functional>

namespace Ui {

// The one question a long computation asks after each of its steps: may I go on? A tool
// window's run machinery answers it (ToolWindow::Pace), letting events through now and then;
// false means the window is closing or the work was superseded, and the computation must return
// at once, without a result. An empty one always says yes, as tests and benchmarks want.
//
// Plain C++ without widgets, so that the tools' logic can take it.
using KeepGoing = std::function<bool()>;

inline bool GoOn(const KeepGoing &keepGoing)
{
    return !keepGoing || keepGoing();
}

} // namespace Ui
