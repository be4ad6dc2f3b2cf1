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
    Program() = ProgramState();
    Program().runDirectory = runDirectory;
    ResetWindowRegistry();
}

bool StrategyIs(CloseStrategy strategy)
{
    return NearlyEqual(Program().settings.closeStrategy, strategy);
}

} // namespace App
