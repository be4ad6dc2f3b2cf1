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
// with the ten-decimal π the window has always used, so tan 90° is large but finite.
TrigonometryTexts TrigonometryOfDegrees(const QString &degrees);

} // namespace Functions
