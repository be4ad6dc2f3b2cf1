#pragma once

#include "ui/inputmode.h"

#include <QLineEdit>
#include <QPlainTextEdit>

// The edit boxes of the window layer. Both raise the same four events:
// ContentChanged (also when the program sets the text), KeyPressed (before the key changes the
// text, with its virtual-key code, 13 for Enter), GotFocus and LostFocus. The input mode and
// the maximum length limit typed characters only; pasted or programmatic text passes.
//
// Each box holds a generous number of characters (a one-line box Qt's 32767, a multi-line box
// its capacity). Text laid out in one piece grows slow to edit long before memory runs
// out, so a paste or drop that would go beyond is refused with a message (TooLongMessage), and
// typing stops there; a text the program sets is not limited.

class QMimeData;

// The message for a paste or drop refused because the box would hold more than `capacity`.
QString TooLongMessage(int capacity);
// The message for a paste or drop into a box for long numbers of more than `length` characters
// that are not all plain ASCII.
QString TooLongMixedMessage(int length);

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
    // Whether the window reads this box's keys, and so decides itself what Enter does there.
    bool HasKeyListeners() const;

signals:
    void ContentChanged();
    void KeyPressed(int keyCode);
    void GotFocus();
    void LostFocus();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // False, after saying why, when inserting `text` would overfill the box.
    bool TakesInsertion(const QString &text);

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
    // The most characters a user can put into the box, LongestMultiLineText unless set; as in
    // text(), a line break counts as two, whether typed or pasted. Beyond
    // LongestMultiLineText, a paste or drop goes in only when it is all plain ASCII.
    void SetCapacity(int characters) { m_capacity = characters; }
    int capacity() const { return m_capacity; }

    static constexpr int LongestMultiLineText = 100000;
    // For the boxes of numbers of any length, which wrap anywhere: that costs time in
    // proportion to the length, about a third of a second a keystroke at a million digits.
    static constexpr int LongestNumberText = 1000000;
    // Longer texts are not wrapped: wrapping one long line costs time that grows with the
    // square of its length, at every keystroke.
    static constexpr int LongestWrappedText = 10000;

signals:
    void ContentChanged();
    void KeyPressed(int keyCode);
    void GotFocus();
    void LostFocus();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void dropEvent(QDropEvent *event) override;

private:
    void WrapUnlessLong();
    // The length of text() with `text` in place of the selection.
    qsizetype LengthAfterInserting(const QString &text) const;
    // Why a paste or drop of `inserted` is refused; empty when it goes in.
    QString RefusalOf(const QString &inserted) const;

    InputMode m_mode = InputMode::Normal;
    int m_maximumLength = 0;
    int m_capacity = LongestMultiLineText;
    bool m_unwrappedForLength = false;
};
