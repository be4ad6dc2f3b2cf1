// Must not build: the evaluation layer cannot see the window layer.
#include "ui/controls.h"
