#include "ui/editbox.h"

#include "ui/controls.h"
#include "ui/messages.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMetaMethod>
#include <QMimeData>

#include <algorithm>

using namespace Ui;

namespace {

// Whether a key that would type text must be refused by the box's mode or length limit.
bool RefusesTypedText(InputMode mode, int maximumLength, qsizetype lengthAfterRemoval,
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

void RefuseTooLong(QWidget *box, const QString &message)
{
    ShowMessage(message, QStringLiteral("信息："), box->window());
}

// A drop is still under way in the window system: the message waits until it is over.
void RefuseTooLongLater(QWidget *box, const QString &message)
{
    QMetaObject::invokeMethod(
            box, [box, message] { RefuseTooLong(box, message); }, Qt::QueuedConnection);
}

constexpr qsizetype LineBreakLength = 2; // "\r\n"

// The length of a text as the program holds it, where a line break is "\r\n": each break
// counts as two characters, whether it comes as "\r\n", "\n", "\r" or as the separator a
// selection shows.
qsizetype ProgramLength(const QString &text)
{
    qsizetype length = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        const bool lineBreak = c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator
                || c == QChar::LineSeparator;
        length += lineBreak ? LineBreakLength : 1;
    }
    return length;
}

bool TypesLineBreak(const QKeyEvent *event)
{
    return event->matches(QKeySequence::InsertParagraphSeparator)
            || event->matches(QKeySequence::InsertLineSeparator);
}

bool IsPlainAscii(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
}

} // namespace

QString TooLongMessage(int capacity)
{
    return QStringLiteral("文字太长，没有放入：这个框最多可以容纳%1个字符。").arg(capacity);
}

QString TooLongMixedMessage(int length)
{
    return QStringLiteral(
                   "文字太长，没有放入：含有中文等非英文字符的文字，一次最多可以放入%1个字符。")
            .arg(length);
}

EditBox::EditBox(const QString &name, InputMode mode, QWidget *parent)
    : EditBoxCommon(parent)
{
    NameControl(this, name);
    SetInputMode(mode);
    connect(this, &QLineEdit::textChanged, this, &EditBox::ContentChanged);
}

void EditBox::keyPressEvent(QKeyEvent *event)
{
    if (!AnnounceKey(event))
        return;
    if (event->matches(QKeySequence::Paste)
        && !TakesInsertion(QGuiApplication::clipboard()->text()))
        return;
    const int lengthAfterRemoval = text().size() - selectedText().size();
    if (RefusesTypedText(inputMode(), maximumLength(), lengthAfterRemoval, event))
        return;
    QLineEdit::keyPressEvent(event);
}

// The menu's "Paste" goes through the same check as Ctrl+V; it is the action that Qt connected
// to paste(), by the slot's name or by pointer.
void EditBox::contextMenuEvent(QContextMenuEvent *event)
{
    static const QMetaMethod triggered = QMetaMethod::fromSignal(&QAction::triggered);
    static const QMetaMethod pasteSlot
            = staticMetaObject.method(staticMetaObject.indexOfSlot("paste()"));
    QMenu *menu = createStandardContextMenu();
    for (QAction *action : menu->actions()) {
        if (disconnect(action, triggered, this, pasteSlot)
            || disconnect(action, &QAction::triggered, this, &QLineEdit::paste)) {
            connect(action, &QAction::triggered, this, [this] {
                if (TakesInsertion(QGuiApplication::clipboard()->text()))
                    paste();
            });
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void EditBox::dropEvent(QDropEvent *event)
{
    const qsizetype length = text().size() + event->mimeData()->text().size();
    if (!isReadOnly() && length > maxLength()) {
        event->ignore();
        RefuseTooLongLater(this, TooLongMessage(maxLength()));
        return;
    }
    QLineEdit::dropEvent(event);
}

// A middle click pastes the window system's selection.
void EditBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()
        && !TakesInsertion(QGuiApplication::clipboard()->text(QClipboard::Selection)))
        return;
    QLineEdit::mouseReleaseEvent(event);
}

bool EditBox::TakesInsertion(const QString &inserted)
{
    if (isReadOnly() || text().size() - selectedText().size() + inserted.size() <= maxLength())
        return true;
    RefuseTooLong(this, TooLongMessage(maxLength()));
    return false;
}

MultiLineEditBox::MultiLineEditBox(const QString &name, InputMode mode, QWidget *parent)
    : EditBoxCommon(parent)
{
    NameControl(this, name);
    SetInputMode(mode);
    connect(this, &QPlainTextEdit::textChanged, this, &MultiLineEditBox::ContentChanged);
    // Before the changed text is laid out, so that a long one is never wrapped.
    connect(document(), &QTextDocument::contentsChange, this, &MultiLineEditBox::WrapUnlessLong);
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

void MultiLineEditBox::keyPressEvent(QKeyEvent *event)
{
    if (!AnnounceKey(event))
        return;
    const qsizetype lengthAfterRemoval = LengthAfterInserting(QString());
    const int limit = maximumLength() > 0 ? std::min(maximumLength(), m_capacity) : m_capacity;
    if (RefusesTypedText(inputMode(), limit, lengthAfterRemoval, event))
        return;
    if (TypesLineBreak(event) && lengthAfterRemoval + LineBreakLength > limit)
        return;
    QPlainTextEdit::keyPressEvent(event);
}

// Pastes from the keyboard, the menu or a middle click.
void MultiLineEditBox::insertFromMimeData(const QMimeData *source)
{
    if (const QString refusal = RefusalOf(source->text()); !refusal.isEmpty()) {
        RefuseTooLong(this, refusal);
        return;
    }
    QPlainTextEdit::insertFromMimeData(source);
}

void MultiLineEditBox::dropEvent(QDropEvent *event)
{
    if (const QString refusal = RefusalOf(event->mimeData()->text()); !refusal.isEmpty()) {
        event->ignore();
        RefuseTooLongLater(this, refusal);
        return;
    }
    QPlainTextEdit::dropEvent(event);
}

// Text of other scripts than plain ASCII takes several times longer to lay out: beyond the
// usual capacity, only plain ASCII (a number's alphabet) goes in.
QString MultiLineEditBox::RefusalOf(const QString &inserted) const
{
    if (isReadOnly())
        return {};
    if (LengthAfterInserting(inserted) > m_capacity)
        return TooLongMessage(m_capacity);
    if (inserted.size() > LongestMultiLineText && !IsPlainAscii(inserted))
        return TooLongMixedMessage(LongestMultiLineText);
    return {};
}

qsizetype MultiLineEditBox::LengthAfterInserting(const QString &inserted) const
{
    return ProgramLength(toPlainText()) - ProgramLength(textCursor().selectedText())
            + ProgramLength(inserted);
}

// A box that wraps at word boundaries stops wrapping while its text is long, and wraps again
// once it is short.
void MultiLineEditBox::WrapUnlessLong()
{
    if (wordWrapMode() == QTextOption::WrapAnywhere)
        return;
    const bool isLong = document()->characterCount() > LongestWrappedText;
    if (isLong && lineWrapMode() == WidgetWidth) {
        m_unwrappedForLength = true;
        setLineWrapMode(NoWrap);
    } else if (!isLong && m_unwrappedForLength) {
        m_unwrappedForLength = false;
        setLineWrapMode(WidgetWidth);
    }
}
