// Must not build: one tools folder cannot see another.
#include "tools/functions/functiongraphlogic.h"
