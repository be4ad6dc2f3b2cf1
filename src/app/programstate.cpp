#include "app/programstate.h"

#include "eval/numbertext.h"

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
}

bool StrategyIs(CloseStrategy strategy)
{
    return NearlyEqual(Program().settings[CloseStrategyEntry], strategy);
}
