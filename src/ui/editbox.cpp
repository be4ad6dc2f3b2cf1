#include "ui/editbox.h"

#include "ui/controls.h"

#include <QKeyEvent>
#include <QPointer>

namespace {

// Whether a key that would type text must be refused by the box's mode or length limit.
bool RefusesTypedText(InputMode mode, int maximumLength, int lengthAfterRemoval,
                      const QKeyEvent *event)
{
    const QString typed = event->text();
    if (typed.isEmpty() || !typed.at(0).isPrint())
        return false; // control keys (Backspace, Enter, arrows) always pass
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false; // shortcuts such as Ctrl+V are not typing
    for (QChar character : typed) {
        if (!AcceptsTypedCharacter(mode, character))
            return true;
    }
    return maximumLength > 0 && lengthAfterRemoval + typed.size() > maximumLength;
}

// Raises KeyPressed, then tells whether the box still exists and the key may go on.
template<typename Box>
bool AnnounceKey(Box *box, QKeyEvent *event)
{
    QPointer<Box> alive(box);
    emit box->KeyPressed(VirtualKeyCode(event->key()));
    return !alive.isNull();
}

} // namespace

EditBox::EditBox(const QString &name, InputMode mode, QWidget *parent)
    : QLineEdit(parent)
{
    NameControl(this, name);
    SetInputMode(mode);
    connect(this, &QLineEdit::textChanged, this, &EditBox::ContentChanged);
}

void EditBox::SetInputMode(InputMode mode)
{
    m_mode = mode;
    setReadOnly(mode == InputMode::ReadOnly);
}

void EditBox::keyPressEvent(QKeyEvent *event)
{
    if (!AnnounceKey(this, event))
        return;
    const int lengthAfterRemoval = text().size() - selectedText().size();
    if (RefusesTypedText(m_mode, m_maximumLength, lengthAfterRemoval, event))
        return;
    QLineEdit::keyPressEvent(event);
}

void EditBox::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    emit GotFocus();
}

void EditBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    const QString normalized = NormalizedOnLeaving(m_mode, text());
    if (normalized != text())
        setText(normalized);
    emit LostFocus();
}

MultiLineEditBox::MultiLineEditBox(const QString &name, InputMode mode, QWidget *parent)
    : QPlainTextEdit(parent)
{
    NameControl(this, name);
    SetInputMode(mode);
    connect(this, &QPlainTextEdit::textChanged, this, &MultiLineEditBox::ContentChanged);
}

QString MultiLineEditBox::text() const
{
    return toPlainText().replace(u'\n', QLatin1String("\r\n"));
}

void MultiLineEditBox::setText(const QString &text)
{
    QString plain = text;
    setPlainText(plain.replace(QLatin1String("\r\n"), QLatin1String("\n")));
}

void MultiLineEditBox::SetInputMode(InputMode mode)
{
    m_mode = mode;
    setReadOnly(mode == InputMode::ReadOnly);
}

void MultiLineEditBox::keyPressEvent(QKeyEvent *event)
{
    if (!AnnounceKey(this, event))
        return;
    const int lengthAfterRemoval = text().size() - textCursor().selectedText().size();
    if (RefusesTypedText(m_mode, m_maximumLength, lengthAfterRemoval, event))
        return;
    QPlainTextEdit::keyPressEvent(event);
}

void MultiLineEditBox::focusInEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusInEvent(event);
    emit GotFocus();
}

void MultiLineEditBox::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
    const QString normalized = NormalizedOnLeaving(m_mode, text());
    if (normalized != text())
        setText(normalized);
    emit LostFocus();
}
