// Must build: a tool sees the window layer and the evaluation layer.
#include "eval/numbertext.h"
#include "ui/controls.h"
