#pragma once

// All of the program's number texts and the arithmetic that goes with them, for code that
// uses many of them; a file that needs one concern includes its own header.

#include "booleantext.h"
#include "halfwidth.h"
#include "numberformat.h"
#include "numberreading.h"
#include "remainder.h"
#include "rounding.h"
#include "tolerance.h"

namespace Eval { } // namespace Eval
