#pragma once

#include <QLabel>
#include <QList>

// A caption whose runs of blanks are the places of edit boxes, such as "分辨率：     ×" with a
// box before and after the "×". text() stays the caption as written; the label shows the
// words between the blanks with the boxes laid out in the gaps.
class InlineCaption : public QLabel
{
    Q_OBJECT
public:
    // One box per run of blanks, in order; a box beyond the last run goes at the end.
    // `spacing` separates words and boxes (0 for a subscript set into a caption).
    InlineCaption(const QString &name, const QString &caption, const QList<QWidget *> &boxes,
                  int spacing = -1, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    // The words take on the caption's role (a result caption is one step larger).
    bool event(QEvent *event) override;
};
