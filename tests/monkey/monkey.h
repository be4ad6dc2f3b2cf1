#pragma once

#include <QString>
#include <QStringList>

#include <chrono>

// A random user at speed: opens one tool window from its launcher button and, for a while,
// types and pastes odd texts, presses keys, clicks every kind of control, answers message
// boxes, and closes and reopens the window, also while it works. A thread of its own watches
// that the windows stay responsive.

struct MonkeyPlan
{
    QString button; // the launcher button that opens the window under test
    quint64 seed = 1;
    std::chrono::milliseconds duration{3000};
    int actionLimit = 0; // 0: as many actions as the duration allows
    // An event the window thread has not handled after this long is a hang.
    std::chrono::milliseconds hangAfter{2000};
    // A window thread stuck this long ends the process: it will not come back.
    std::chrono::milliseconds giveUpAfter{30000};
};

struct MonkeyOutcome
{
    QString window; // the caption of its launcher button
    quint64 seed = 0;
    int actions = 0;
    double seconds = 0;
    int longestGapMs = 0; // the longest time the window thread did not handle events
    QString longestGapDuring; // the actions that ran meanwhile
    QStringList failures;
    QStringList messages; // distinct warnings Qt gave meanwhile
    QStringList lastActions;

    bool passed() const { return failures.isEmpty(); }
    // Failures, then the seed and the last actions, enough to replay the session.
    QString Report() const;
};

// The launcher buttons that open a window, in the launcher's order.
QStringList MonkeyButtons();
// The caption of a launcher button, or the empty text.
QString CaptionOfButton(const QString &button);
// The button with that name or caption, or the empty text.
QString ButtonNamed(const QString &nameOrCaption);

// Needs the QApplication. Runs its own event loop until the session is over.
MonkeyOutcome RunMonkey(const MonkeyPlan &plan);
