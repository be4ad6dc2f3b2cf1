#include "ui/windowplacement.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// How many further steps a new window tries for a spot of its own before it takes one that is
// taken.
constexpr int MostSteps = 64;

// Moves `position` so that a frame of `size` lies inside `area`, or starts at its top left
// when it is larger.
QPoint KeptInside(QPoint position, QSize size, const QRect &area)
{
    const int x = std::max(area.left(), std::min(position.x(), area.right() + 1 - size.width()));
    const int y = std::max(area.top(), std::min(position.y(), area.bottom() + 1 - size.height()));
    return {x, y};
}

bool IsTaken(QPoint position, const QList<QWidget *> &others)
{
    return std::any_of(others.begin(), others.end(), [position](const QWidget *other) {
        // The window system may have nudged a window a little from where it was put.
        return other && other->isVisible()
                && (other->pos() - position).manhattanLength() < CascadeStep / 2;
    });
}

} // namespace

QSize FittedSize(QSize wanted, QSize minimum, QSize room)
{
    return wanted.boundedTo(room).expandedTo(minimum);
}

QPoint BesidePosition(const QRect &anchor, QSize size, const QRect &available)
{
    if (anchor.isEmpty())
        return KeptInside(available.topLeft()
                                  + QPoint(available.width() - size.width(),
                                           available.height() - size.height())
                                          / 2,
                          size, available);
    const int roomRight = available.right() - anchor.right();
    const int roomLeft = anchor.left() - available.left();
    const QPoint right(anchor.right() + 1, anchor.top());
    const QPoint left(anchor.left() - size.width(), anchor.top());
    QPoint position;
    if (roomRight >= size.width())
        position = right;
    else if (roomLeft >= size.width())
        position = left;
    else
        position = roomRight >= roomLeft ? right : left;
    return KeptInside(position, size, available);
}

QPoint CascadedPosition(QPoint start, QSize size, int step, const QRect &available)
{
    const int roomRight = available.right() + 1 - (start.x() + size.width());
    const int roomLeft = start.x() - available.left();
    const int roomDown = available.bottom() + 1 - (start.y() + size.height());
    const int roomUp = start.y() - available.top();
    // A frame as wide or as high as the screen steps along the other direction only.
    const int stepsAcross = std::max(0, std::max(roomRight, roomLeft)) / CascadeStep + 1;
    const int stepsDown = std::max(0, std::max(roomDown, roomUp)) / CascadeStep + 1;
    int steps = std::min(stepsAcross, stepsDown);
    if (steps == 1)
        steps = std::max(stepsAcross, stepsDown);
    const int offset = (step % steps) * CascadeStep;
    const int across = stepsAcross > 1 ? offset : 0;
    const int down = stepsDown > 1 ? offset : 0;
    return start
            + QPoint(roomRight >= roomLeft ? across : -across, roomDown >= roomUp ? down : -down);
}

void PlaceNewWindow(QWidget *window, const QWidget *anchor, const QList<QWidget *> &others)
{
    QScreen *screen = anchor ? anchor->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window->setScreen(screen);
    QSize wanted = window->size();
    if (!window->testAttribute(Qt::WA_Resized)) {
        // The size its contents ask for. (Showing would cut it to two thirds of the screen, too
        // small for the large windows.)
        window->ensurePolished();
        if (window->layout())
            window->layout()->activate();
        wanted = window->sizeHint();
    }
    const QRect available = screen->availableGeometry();
    window->resize(
            FittedSize(wanted, window->minimumSize(), available.size().shrunkBy(AssumedFrame)));
    // A dialog that belongs to a window opens centred over it, as dialogs do.
    if (window->parentWidget())
        return;
    const QSize frame = window->size().grownBy(AssumedFrame);
    const QPoint start
            = BesidePosition(anchor ? anchor->frameGeometry() : QRect(), frame, available);
    // One step further for each window open, past the spots that are still taken.
    int step = int(std::count_if(others.begin(), others.end(),
                                 [](const QWidget *other) { return other && other->isVisible(); }));
    for (int tries = 0;
         tries < MostSteps && IsTaken(CascadedPosition(start, frame, step, available), others);
         ++tries)
        ++step;
    window->move(CascadedPosition(start, frame, step, available));
}

void CentreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    QRect frame(window->pos(), window->size());
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void KeepOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const QRect frame = window->frameGeometry();
    const QPoint inside = KeptInside(frame.topLeft(), frame.size(), screen->availableGeometry());
    if (inside != frame.topLeft())
        window->move(inside);
}
