#pragma once

#include <QString>

namespace Eval {

// Legacy number literals as the older engines read them, which the current one refuses:
// "010" is octal (8), "08" and "09.5" are decimal. Strings and comments are left alone.
QString RewriteLegacyNumberLiterals(const QString &program);

} // namespace Eval
