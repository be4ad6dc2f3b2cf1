#pragma once

#include <QColor>

class QApplication;
class QPalette;
class QLayout;
class QWidget;

// The palette of the program: calm green-blue with one warm accent. Text and accents keep a
// contrast of at least 4.5:1 against every background they stand on.
namespace Palette {
inline const QColor Background(0xF7, 0xF9, 0xF8);
inline const QColor GroupBackground(0xEE, 0xF3, 0xF1);
inline const QColor Border(0xD5, 0xDF, 0xDB);
inline const QColor Accent(0x27, 0x75, 0x66);
inline const QColor WarmAccent(0xB5, 0x48, 0x2F);
inline const QColor Text(0x1F, 0x2A, 0x27);
inline const QColor SecondaryText(0x55, 0x63, 0x5E);
inline const QColor ReadOnlyBackground(0xF2, 0xF6, 0xF4);
inline const QColor PressedBackground(0xE3, 0xEE, 0xEA);
inline const QColor AccentHover(0x1E, 0x5E, 0x52);
// Scroll bar handles and the frames of check and radio boxes: 3:1 against the background.
inline const QColor Indicator(0x72, 0x85, 0x80);
// The launcher's groups let a little of its background picture show through.
inline const QColor LauncherGroupBackground(0xEE, 0xF3, 0xF1, 215);
} // namespace Palette

// Spacing of the 8 px grid.
namespace Spacing {
constexpr int Related = 8;
constexpr int Groups = 16;
constexpr int WindowMargin = 12;
} // namespace Spacing

// What a control is for; the style sheet gives each role its look.
enum class Role {
    Result, // results and worked steps: one step larger
    Secondary, // units and hints: the secondary text colour
    Primary, // the main action of a window: the accent colour
    Tool, // a launcher button that opens a tool
    LauncherTitle,
    LauncherHeading,
    LauncherGroup,
    SplashTitle,
};
void SetRole(QWidget *control, Role role);

// The standard margins around a window's contents.
void UseWindowMargins(QLayout *layout);

// The program's own colours for every role and state, whatever the desktop's palette.
QPalette ProgramPalette();

// Font, style, palette and style sheet shared by every window. The program keeps its light look
// under a dark or high-contrast desktop palette: nothing of the desktop's palette shows through.
void ApplyProgramStyle(QApplication &application);
