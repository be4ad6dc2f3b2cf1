#pragma once

#include <QLabel>

// Labels that keep the program's text as their text but show it as written mathematics.

// A label whose first line leaves room, at a character position, for another control: the
// parentheses of "f(     )=" hold an edit box, the "ax" of "ax+bx+c" carries a raised exponent.
class SlotLabel : public QLabel
{
public:
    enum class Placement { Inline, Raised };

    // The characters [slotStart, slotStart + slotLength) of the first line give way to `slot`.
    SlotLabel(const QString &name, const QString &text, qsizetype slotStart, qsizetype slotLength,
              QWidget *slot, Placement placement = Placement::Inline, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A static text of the window shown in pieces with other controls between them, such as
// "x＋   x＋   =" around the boxes of b and c. text() stays the text as written; the pieces,
// laid out inside the label by `pieces`, show it. The pieces themselves carry no name.
class PiecedLabel : public QLabel
{
public:
    PiecedLabel(const QString &name, const QString &text, QLayout *pieces,
                QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A brace ("{", "﹛") drawn over the whole height of the rows it groups.
class BraceLabel : public QLabel
{
public:
    BraceLabel(const QString &name, const QString &text, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
