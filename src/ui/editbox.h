#pragma once

#include "ui/inputmode.h"

#include <QLineEdit>
#include <QPlainTextEdit>

// The edit boxes of the window layer. Both raise the same four events:
// ContentChanged (also when the program sets the text), KeyPressed (before the key changes the
// text, with its virtual-key code, 13 for Enter), GotFocus and LostFocus. The input mode and
// the maximum length limit typed characters only; pasted or programmatic text passes.

class EditBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit EditBox(const QString &name, InputMode mode = InputMode::Normal,
                     QWidget *parent = nullptr);

    InputMode inputMode() const { return m_mode; }
    void SetInputMode(InputMode mode);
    // Characters that may be typed; 0 means no limit.
    void SetMaximumLength(int length) { m_maximumLength = length; }
    int maximumLength() const { return m_maximumLength; }

signals:
    void ContentChanged();
    void KeyPressed(int keyCode);
    void GotFocus();
    void LostFocus();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    InputMode m_mode = InputMode::Normal;
    int m_maximumLength = 0;
};

class MultiLineEditBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit MultiLineEditBox(const QString &name, InputMode mode = InputMode::Normal,
                              QWidget *parent = nullptr);

    // Line breaks read and write as "\r\n", the way the program builds its texts.
    QString text() const;
    void setText(const QString &text);
    InputMode inputMode() const { return m_mode; }
    void SetInputMode(InputMode mode);
    void SetMaximumLength(int length) { m_maximumLength = length; }

signals:
    void ContentChanged();
    void KeyPressed(int keyCode);
    void GotFocus();
    void LostFocus();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    InputMode m_mode = InputMode::Normal;
    int m_maximumLength = 0;
};
