#pragma once

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where new windows open: at a size that fits the available area of their screen (the screen
// less its panels), beside the window that opened them, each one a step down and across from
// those already open there, and always whole on the screen.

// The frame that the window system puts around a window, as far as it can be known before the
// window is first shown: a title bar and thin borders.
inline constexpr QMargins AssumedFrame(4, 40, 4, 4);
// How far a cascaded window is moved from the one before it, across and down.
constexpr int CascadeStep = 32;

// `wanted` cut down to `room`, but never below `minimum`.
QSize FittedSize(QSize wanted, QSize minimum, QSize room);

// The top left of a frame of `size` beside `anchor`, top-aligned with it: right of it where
// there is room, else left of it where there is room, else on the side with more room,
// overlapping it. Without an anchor (an empty rectangle) the frame is centred in `available`.
// Moved inside `available` as far as it goes; a frame larger than `available` starts at its
// top left.
QPoint BesidePosition(const QRect &anchor, QSize size, const QRect &available);

// `start` moved `step` cascade steps, across and down towards the sides of `available` with
// more room (only across, or only down, when the frame fills the other direction); once the
// frame would leave `available`, the steps begin again from `start`.
QPoint CascadedPosition(QPoint start, QSize size, int step, const QRect &available);

// Sizes a window that is about to be shown for the first time to fit the screen of `anchor`
// (the primary screen without one), and moves it beside `anchor`, one cascade step further for
// each of `others` that is open, or further still where one of them stands. A window with a
// parent keeps the place Qt gives it, centred over the parent.
void PlaceNewWindow(QWidget *window, const QWidget *anchor, const QList<QWidget *> &others);

// Centres a top-level window on the available area of its screen.
void CentreOnScreen(QWidget *window);

// Moves a shown top-level window that has grown so that its frame lies inside the available
// area of its screen again (starting at its top left when the frame is larger).
void KeepOnScreen(QWidget *window);
