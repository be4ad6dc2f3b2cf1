#pragma once

#include <QString>

namespace Eval {

// Text typed with a Chinese input method reads as its ASCII twin wherever the program reads
// numbers or names.

// Folds full-width ASCII forms, the ideographic space, "～" and the stars to half-width.
QString ToHalfWidth(const QString &text);

} // namespace Eval
