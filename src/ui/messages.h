#pragma once

#include <QString>

class QWidget;

// A modal message with an OK button only; the caption is "信息：" unless another is given.
void ShowMessage(const QString &text, const QString &caption = QStringLiteral("信息："),
                 QWidget *parent = nullptr);

// Queues a keystroke (a virtual-key code: 39 Right arrow, 8 Backspace, …) for the control
// that has the keyboard focus when it is processed, after the current event handler.
void SendKeystroke(int virtualKey);

// Lets the window system handle every queued event (repaint, input, timers), then returns.
void ProcessPendingEvents();
