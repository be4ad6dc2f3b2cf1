#pragma once

#include <QString>

namespace Ui {

// How an edit box treats what is typed into it.
enum class InputMode {
    Normal,
    ReadOnly,
    IntegerText, // typed characters limited to "-" and the digits
    DecimalText, // "-", "." and the digits
    Integer, // as IntegerText, re-read as a 32-bit integer on leaving the box
    LongInteger, // as IntegerText, re-read as a 64-bit integer on leaving the box
    Real, // as DecimalText, re-read as a real number on leaving the box
};

// Whether a typed character may enter a box of this mode.
bool AcceptsTypedCharacter(InputMode mode, QChar character);

// The text a numeric box shows after it lost the focus: the value's own text form, with a
// zero shown as the empty text. Other modes keep the text as it is.
QString NormalizedOnLeaving(InputMode mode, const QString &text);

// The virtual-key codes the tools name.
namespace VirtualKey {
constexpr int Backspace = 8;
constexpr int Enter = 13;
constexpr int Right = 39;
} // namespace VirtualKey

// Windows virtual-key code of a Qt key (13 for Enter, 8 for Backspace, 39 for Right, …),
// 0 when it has none.
int VirtualKeyCode(int qtKey);
// The Qt key for a virtual-key code, Qt::Key_unknown when there is none.
int QtKeyForVirtualKey(int virtualKey);

} // namespace Ui
