#pragma once

#include <QString>

class QWidget;

// A modal message with an OK button only; the caption is "信息：" unless another is given. It
// opens centred over its parent, or, without one, over `over` (the active window when null),
// which it does not belong to: closing that window while the message is open frees nothing
// the message still uses.
void ShowMessage(const QString &text, const QString &caption = QStringLiteral("信息："),
                 QWidget *parent = nullptr, QWidget *over = nullptr);

// A modal question with "确定" and "取消", placed as ShowMessage places its box; true when it
// is answered with "确定".
bool AskToConfirm(const QString &text, const QString &caption = QStringLiteral("信息："),
                  QWidget *over = nullptr);

// Queues a keystroke (a virtual-key code: 39 Right arrow, 8 Backspace, …) for the control
// that has the keyboard focus when it is processed, after the current event handler.
void SendKeystroke(int virtualKey);

// Lets the window system handle every queued event (repaint, input, timers), then returns.
void ProcessPendingEvents();
