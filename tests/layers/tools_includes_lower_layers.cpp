// Must build: a tool sees the window layer and the evaluation layer.
#include "eval/numberformat.h"
#include "ui/controls.h"
