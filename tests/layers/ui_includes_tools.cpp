// Must not build: the window layer cannot see the tools.
#include "tools/arith/arithmeticlogic.h"
