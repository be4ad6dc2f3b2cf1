#pragma once

#include <QPlainTextEdit>

// How a box of several lines that holds numbers of any length wraps them: anywhere, since a
// number has no word boundaries (wrapping at word boundaries takes quadratic time on a line
// without any), with its vertical scroll bar always shown, so that a growing text does not
// narrow the box and lay the whole text out a second time.
void WrapAsNumbers(QPlainTextEdit *box);
// Fixes a box of several lines to the height that shows `lines` lines of its font.
void FixHeightInLines(QPlainTextEdit *box, int lines);

// A read-only box of several lines for results of any length. A long text is cut into blocks
// of a few visual lines, so that showing, scrolling and selecting it cost only what is in
// view; text() and copying give the text as it was set.
class LongTextBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit LongTextBox(const QString &name, QWidget *parent = nullptr);

    // The text as set, with "\r\n" line breaks.
    QString text() const { return m_text; }
    // Accepts "\r\n" and "\n" line breaks; the same text again changes nothing.
    void setText(const QString &text);

protected:
    QMimeData *createMimeDataFromSelection() const override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void ShowText();
    qreal LineRoom() const;

    QString m_text;
    qreal m_shownRoom = 0; // 0 while each line of the text is one block
};
