#include "app/startupwindow.h"

#include "app/artwork.h"
#include "app/launcherwindow.h"
#include "ui/controls.h"
#include "ui/picturebutton.h"
#include "ui/style.h"
#include "ui/windowplacement.h"

#include "programversion.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

StartupWindow::StartupWindow()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("青枫计算器启动器"));
    NameControl(this, QStringLiteral("青枫计算器启动器"));
    setAccessibleName(windowTitle());
    setFixedSize(300, 90); // drawn to a given size in pixels

    auto *picture = new BackgroundPicture(this);
    NameControl(picture, QStringLiteral("图片框2"));
    picture->setGeometry(-60, 0, 730, 550);

    auto *logo = new PictureButton(QStringLiteral("图形按钮2"), QSize(64, 64), PaintLogo, this);
    logo->move(8, 11);
    // Only a picture here: the window closes by itself a second later.
    logo->setFocusPolicy(Qt::NoFocus);
    logo->setAccessibleName(windowTitle());

    auto *title = MakeLabel(QStringLiteral("标题"),
                            QStringLiteral("青枫计算器\r\n") + QLatin1String(ProgramVersion), this);
    SetRole(title, Role::SplashTitle);
    title->setGeometry(84, 11, 208, 64);

    m_timer = MakeTimer(QStringLiteral("时钟1"), 1000, picture);
    connect(m_timer, &QTimer::timeout, this, &StartupWindow::OpenLauncher);
    CentreOnScreen(this);
}

void StartupWindow::OpenLauncher()
{
    // Acts once, even when the launcher's start-up shows a message and events go on meanwhile.
    SetTimerPeriod(m_timer, 0);
    auto *launcher = new LauncherWindow;
    launcher->show();
    close();
}
