#pragma once

#include <QString>

namespace Functions {

// The texts "三角函数" shows for an angle in degrees, five decimals each.
struct TrigonometryTexts
{
    QString sine;
    QString cosine;
    QString tangent;
};

// The angle is read by the text-to-number rule (empty text is 0°) and turned into radians
// with the ten-decimal π the window has always used. The tangent of an odd multiple of 90°
// (within 1e-7) is "不存在"; no text is a negative zero.
TrigonometryTexts TrigonometryOfDegrees(const QString &degrees);

} // namespace Functions
