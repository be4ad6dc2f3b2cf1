#pragma once

#include <QList>
#include <QString>

class QWidget;

// Opens a window to the keyboard and to screen readers. Each time the window is shown, for
// whatever controls it holds by then:
// - a control that takes the focus and has no accessible name of its own gets the words a
//   person reads for it: a button its caption, a picture button its tool tip, an input the
//   label before it in its layout (left of it, or above it), else the title of the group it
//   alone fills;
// - read-only boxes, labels and scroll areas are no Tab stops (a click still selects in them),
//   and Tab visits the other controls in reading order, the order of the window's layouts.
// At any time, Enter does the window's default (ui/enterkey.h).
void OpenToKeyboardAndScreenReader(QWidget *window);

// A control worked with keys of its own (the graph panel's +, − and arrows): a Tab stop like
// an input, whatever kind of widget it is.
void TakesKeys(QWidget *control);
bool IsWorkedWithKeys(const QWidget *control);

// What a screen reader says for a control: its accessible name as assistive tools get it.
QString SpokenName(const QWidget *control);

// A label's text as a name: one line, without the colon or equals sign that leads to its input.
QString NameFromCaption(const QString &caption);

// The controls of `window` that Tab may stop at, in reading order.
QList<QWidget *> ReadingOrder(const QWidget *window);
