#include "ui/inputmode.h"

#include "eval/asciitext.h"
#include "eval/numberformat.h"
#include "eval/numberreading.h"

#include <Qt>

#include <utility>

namespace Ui {

using namespace Eval;

bool AcceptsTypedCharacter(InputMode mode, QChar character)
{
    switch (mode) {
    case InputMode::Normal:
        return true;
    case InputMode::ReadOnly:
        return false;
    case InputMode::IntegerText:
    case InputMode::Integer:
    case InputMode::LongInteger:
        return IsAsciiDigit(character) || character == u'-';
    case InputMode::DecimalText:
    case InputMode::Real:
        return IsAsciiDigit(character) || character == u'-' || character == u'.';
    }
    return true;
}

QString NormalizedOnLeaving(InputMode mode, const QString &text)
{
    QString normalized;
    switch (mode) {
    case InputMode::Integer:
        normalized = QString::number(TextToInteger(text));
        break;
    case InputMode::LongInteger:
        normalized = QString::number(TextToLongInteger(text));
        break;
    case InputMode::Real:
        // A negative zero reads back as the zero it is.
        normalized = NumberToText(TextToNumber(text) + 0.0);
        break;
    default:
        return text;
    }
    return normalized == QLatin1String("0") ? QString() : normalized;
}

namespace {
constexpr std::pair<int, int> keyCodes[] = {
        {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},      {Qt::Key_Return, 13},   {Qt::Key_Enter, 13},
        {Qt::Key_Shift, 16},    {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},      {Qt::Key_Escape, 27},
        {Qt::Key_Space, 32},    {Qt::Key_PageUp, 33},  {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},
        {Qt::Key_Home, 36},     {Qt::Key_Left, 37},    {Qt::Key_Up, 38},       {Qt::Key_Right, 39},
        {Qt::Key_Down, 40},     {Qt::Key_Insert, 45},  {Qt::Key_Delete, 46},   {Qt::Key_Minus, 189},
        {Qt::Key_Period, 190},
};
} // namespace

int VirtualKeyCode(int qtKey)
{
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
        return qtKey; // the same codes as ASCII
    for (const auto &[key, code] : keyCodes) {
        if (key == qtKey)
            return code;
    }
    return 0;
}

int QtKeyForVirtualKey(int virtualKey)
{
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
        return virtualKey;
    for (const auto &[key, code] : keyCodes) {
        if (code == virtualKey)
            return key;
    }
    return Qt::Key_unknown;
}

} // namespace Ui
