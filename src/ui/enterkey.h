#pragma once

#include <functional>

class QEvent;
class QWidget;

// What Enter does, in every window of the program: one mechanism, set up here.
//
// The window's default, for every window opened to the keyboard (ui/accessibility.h) and so for
// every tool window: Enter on a focused button presses it; Enter in a one-line box, a list box,
// a check box or a radio box presses the window's primary button (the first one made with
// MakePrimaryButton that is visible and enabled, in reading order). Elsewhere, in a box of
// several lines or a box that only shows a result, Enter does what that control does with it.
//
// OnEnter gives one control a meaning of its own for Enter: `action` runs instead, and the key
// goes no further: no line break in a box of several lines, no press of the primary button, no
// KeyPressed from an edit box. A later call for the same control takes the place of an earlier.
void OnEnter(QWidget *control, std::function<void()> action);

// Whether OnEnter gave `control` a meaning of its own.
bool HasEnterAction(const QWidget *control);

// Sets up the window's default in `window`; OpenToKeyboardAndScreenReader does it.
void PressPrimaryButtonOnEnter(QWidget *window);

// Enter or the keypad's Enter, without modifiers, going down.
bool IsEnterKey(const QEvent *event);
