// Must not build: the tools cannot see the application shell.
#include "app/programstate.h"
