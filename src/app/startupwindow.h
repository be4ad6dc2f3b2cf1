#pragma once

#include <QWidget>

class QTimer;

// The one-second splash: its timer `时钟1` opens the launcher and closes the splash.
class StartupWindow : public QWidget
{
    Q_OBJECT
public:
    StartupWindow();

private:
    void OpenLauncher();

    QTimer *m_timer = nullptr;
};
