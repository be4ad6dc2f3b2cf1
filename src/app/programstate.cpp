#include "app/programstate.h"

#include "eval/tolerance.h"
#include "ui/windowregistry.h"

using namespace Eval;

namespace App {

ProgramState &Program()
{
    static ProgramState state;
    return state;
}

void ResetProgramState()
{
    const QString runDirectory = Program().runDirectory;
    const int interfaceScale = Program().interfaceScale;
    Program() = ProgramState();
    Program().runDirectory = runDirectory;
    Program().interfaceScale = interfaceScale;
    ResetWindowRegistry();
}

bool StrategyIs(CloseStrategy strategy)
{
    return NearlyEqual(Program().settings.closeStrategy, strategy);
}

} // namespace App
