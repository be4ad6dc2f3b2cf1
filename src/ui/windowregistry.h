#pragma once

#include <QString>

#include <functional>

class QWidget;

// The windows that live on their own, independent of the launcher that opened them, known
// process-wide by a key (the name of the button that opens them), and the close-all-tools
// flag that every tool window polls.

// 0 at start; 1 asks every open tool window to close.
int CloseAllToolsFlag();
void SetCloseAllToolsFlag(int value);

// Brings the window open under `key` forward (restored, raised, activated), or, when there is
// none, shows the window `create` builds and keeps it under `key`: sized to fit the screen,
// beside `beside` (the active window when null), cascaded from the windows already open. A
// window that is closing (closed but not yet deleted) is never shown again: a fresh one is
// created instead.
QWidget *OpenOrRaise(const QString &key, const std::function<QWidget *()> &create,
                     const QWidget *beside = nullptr);
// The window open under `key`, or null.
QWidget *OpenWindowFor(const QString &key);

// Forgets every window and clears the flag, as at start-up.
void ResetWindowRegistry();
