#include "booleantext.h"

QString BooleanToText(bool value)
{
    return value ? QStringLiteral("真") : QStringLiteral("假");
}
