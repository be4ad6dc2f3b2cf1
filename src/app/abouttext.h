#pragma once

#include <QString>

namespace App {

// The text of the about window: the version line, then the update log, oldest entry first.
// Lines are separated by "\r\n" as every text of the program.
QString AboutText();

} // namespace App
