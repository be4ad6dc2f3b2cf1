#pragma once

#include <QString>

// Booleans as the program shows them: "真" and "假".
QString BooleanToText(bool value);
