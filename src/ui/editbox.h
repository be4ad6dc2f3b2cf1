#pragma once

#include "ui/inputmode.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>

// The edit boxes of the window layer. Both raise the same four events:
// ContentChanged (also when the program sets the text), KeyPressed (before the key changes the
// text, with its virtual-key code), GotFocus and LostFocus. What Enter does is set with OnEnter
// (ui/enterkey.h), not read from KeyPressed. The input mode and the maximum length limit typed
// characters only; pasted or programmatic text passes.
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

// What both boxes share, over the Qt box each is built on: the input mode, the limit for typing,
// KeyPressed before a key goes in and the focus events. Qt's moc reads no signals in a template,
// so each box declares the four signals itself and this part raises them through `Box`.
template<typename QtBox, typename Box>
class EditBoxCommon : public QtBox
{
public:
    Ui::InputMode inputMode() const { return m_mode; }
    // A read-only box only shows a result: no Tab stop, though a click still lets a person
    // select in it.
    void SetInputMode(Ui::InputMode mode)
    {
        m_mode = mode;
        this->setReadOnly(mode == Ui::InputMode::ReadOnly);
        this->setFocusPolicy(mode == Ui::InputMode::ReadOnly ? Qt::ClickFocus : Qt::StrongFocus);
    }
    // Characters that may be typed; 0 means no limit.
    void SetMaximumLength(int length) { m_maximumLength = length; }
    int maximumLength() const { return m_maximumLength; }

protected:
    using QtBox::QtBox;

    // Raises KeyPressed, then tells whether the box still exists and the key may go on.
    bool AnnounceKey(QKeyEvent *event)
    {
        QPointer<Box> alive(self());
        emit self()->KeyPressed(Ui::VirtualKeyCode(event->key()));
        return !alive.isNull();
    }
    void focusInEvent(QFocusEvent *event) override
    {
        QtBox::focusInEvent(event);
        emit self()->GotFocus();
    }
    // The text in the form its mode keeps, then LostFocus.
    void focusOutEvent(QFocusEvent *event) override
    {
        QtBox::focusOutEvent(event);
        const QString normalized = Ui::NormalizedOnLeaving(m_mode, self()->text());
        if (normalized != self()->text())
            self()->setText(normalized);
        emit self()->LostFocus();
    }

private:
    Box *self() { return static_cast<Box *>(this); }

    Ui::InputMode m_mode = Ui::InputMode::Normal;
    int m_maximumLength = 0;
};

class EditBox : public EditBoxCommon<QLineEdit, EditBox>
{
    Q_OBJECT
public:
    explicit EditBox(const QString &name, Ui::InputMode mode = Ui::InputMode::Normal,
                     QWidget *parent = nullptr);

signals:
    void ContentChanged();
    void KeyPressed(int keyCode);
    void GotFocus();
    void LostFocus();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // False, after saying why, when inserting `text` would overfill the box.
    bool TakesInsertion(const QString &text);
};

class MultiLineEditBox : public EditBoxCommon<QPlainTextEdit, MultiLineEditBox>
{
    Q_OBJECT
public:
    explicit MultiLineEditBox(const QString &name, Ui::InputMode mode = Ui::InputMode::Normal,
                              QWidget *parent = nullptr);

    // Line breaks read and write as "\r\n", the way the program builds its texts.
    QString text() const;
    void setText(const QString &text);
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
    void insertFromMimeData(const QMimeData *source) override;
    void dropEvent(QDropEvent *event) override;

private:
    void WrapUnlessLong();
    // The length of text() with `text` in place of the selection.
    qsizetype LengthAfterInserting(const QString &text) const;
    // Why a paste or drop of `inserted` is refused; empty when it goes in.
    QString RefusalOf(const QString &inserted) const;

    int m_capacity = LongestMultiLineText;
    bool m_unwrappedForLength = false;
};
