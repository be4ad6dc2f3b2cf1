#pragma once

#include <QWidget>

class QTimer;

// The base of every tool window: a top-level window of its own (not modal, without an owner)
// that is deleted when closed, and whose timer closes it once the close-all-tools flag is 1.
class ToolWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int ClosePollPeriodMs = 100;

    explicit ToolWindow(const QString &caption, const QString &timerName = QStringLiteral("时钟1"),
                        int pollPeriodMs = ClosePollPeriodMs);

    // The close-all polling timer; period 0 stops it.
    QTimer *closePollTimer() const { return m_closePollTimer; }
    void SetClosePollPeriod(int periodMs);

protected:
    // Call at the end of the constructor: fixes the window to the size its layout needs.
    void FixSizeToContents();

private:
    void PollCloseAllFlag();

    QTimer *m_closePollTimer;
};
