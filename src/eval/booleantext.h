#pragma once

#include <QString>

namespace Eval {

// Booleans as the program shows them: "真" and "假".
QString BooleanToText(bool value);

} // namespace Eval
