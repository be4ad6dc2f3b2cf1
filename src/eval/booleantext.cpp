#include "booleantext.h"

namespace Eval {

QString BooleanToText(bool value)
{
    return value ? QStringLiteral("真") : QStringLiteral("假");
}

} // namespace Eval
