#pragma once

#include <QColor>

class QApplication;
class QLayout;
class QWidget;

// The palette of the program: calm green-blue with one warm accent.
namespace Palette {
inline const QColor Background(0xF7, 0xF9, 0xF8);
inline const QColor GroupBackground(0xEE, 0xF3, 0xF1);
inline const QColor Border(0xD5, 0xDF, 0xDB);
inline const QColor Accent(0x2E, 0x8B, 0x7A);
inline const QColor WarmAccent(0xC8, 0x55, 0x3D);
inline const QColor Text(0x1F, 0x2A, 0x27);
inline const QColor SecondaryText(0x5C, 0x6B, 0x66);
inline const QColor ReadOnlyBackground(0xF2, 0xF6, 0xF4);
inline const QColor PressedBackground(0xE3, 0xEE, 0xEA);
inline const QColor AccentHover(0x26, 0x75, 0x65);
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

// Font, palette and style sheet shared by every window.
void ApplyProgramStyle(QApplication &application);
