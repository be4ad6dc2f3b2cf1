#include "app/launcherwindow.h"
#include "app/programstate.h"
#include "app/toolcatalog.h"
#include "ui/drawingpanel.h"
#include "ui/programicon.h"
#include "ui/style.h"
#include "ui/windowplacement.h"
#include "ui/windowregistry.h"
#include "windowtest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryFile>
#include <QTest>

using namespace App;

namespace {

// The smallest screen the windows are made for: 1366 × 768 less 80 pixels of panels (a top bar
// and a dock), once at 100 % and once at 200 % scaling, where it has the same logical size.
const QSize ScreenSize(1366, 768);
constexpr int PanelHeight = 80;
const QString At100 = QStringLiteral("100 %");
const QString At200 = QStringLiteral("200 %");

// The two screens side by side, for the window system that draws into memory.
QByteArray ScreenConfiguration()
{
    const auto screen = [](const QString &name, int x, int scale) {
        return QJsonObject{{"name", name},
                           {"x", x},
                           {"width", ScreenSize.width() * scale},
                           {"height", (ScreenSize.height() - PanelHeight) * scale},
                           {"logicalDpi", 96 * scale},
                           {"logicalBaseDpi", 96}};
    };
    const QJsonArray screens{screen(At100, 0, 1), screen(At200, ScreenSize.width(), 2)};
    return QJsonDocument(QJsonObject{{"screens", screens}}).toJson();
}

QScreen *ScreenNamed(const QString &name)
{
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen->name() == name)
            return screen;
    }
    return nullptr;
}

LauncherWindow *OpenLauncherOn(QScreen *screen)
{
    auto *launcher = new LauncherWindow(DefaultToolCatalog());
    Program().settings.closeStrategy = NoStrategy; // the launcher stays open
    launcher->setScreen(screen);
    while (launcher->width() < LauncherWindow::FinalWidth)
        launcher->AnimationTick();
    launcher->show();
    return launcher;
}

QWidget *OpenTool(LauncherWindow *launcher, const QString &button)
{
    QTest::mouseClick(ShowLauncherButton(launcher, button), Qt::LeftButton);
    return OpenWindowFor(button);
}

} // namespace

// Every window of the launcher opens whole on a small screen, with room for its title bar, at
// 100 % and at 200 % scaling, carries the program's icon, and keeps its drawing panels at their
// size. Tool windows open beside the launcher, each on a spot of its own.
class WindowFitTest : public WindowTest
{
    Q_OBJECT
private slots:
    void initTestCase();
    void everyWindowFitsTheScreen_data();
    void everyWindowFitsTheScreen();
    void toolWindowsOpenCascadedBesideTheLauncher();
    void windowsThatGrowStayOnTheScreen_data();
    void windowsThatGrowStayOnTheScreen();
};

void WindowFitTest::initTestCase()
{
    // As the program starts: the look decides the sizes.
    ApplyProgramStyle(*qApp);
    QApplication::setWindowIcon(ProgramIcon());
    QVERIFY(ScreenNamed(At100) && ScreenNamed(At200));
    QCOMPARE(ScreenNamed(At200)->devicePixelRatio(), 2.0);
    QCOMPARE(ScreenNamed(At200)->availableGeometry().size(),
             ScreenNamed(At100)->availableGeometry().size());
}

void WindowFitTest::everyWindowFitsTheScreen_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("givenPanels"); // the first page's drawing panels have their size
    for (const QString &screen : {At100, At200}) {
        for (const ToolGroup &group : DefaultToolCatalog()) {
            for (const ToolEntry &tool : group.tools) {
                if (tool.createWindow)
                    QTest::addRow("%s at %s", qPrintable(tool.caption), qPrintable(screen))
                            << screen << tool.buttonName << (group.page == FirstPage);
            }
        }
    }
}

void WindowFitTest::everyWindowFitsTheScreen()
{
    QFETCH(QString, screen);
    QFETCH(QString, button);
    QFETCH(bool, givenPanels);
    QScreen *small = ScreenNamed(screen);
    const QRect available = small->availableGeometry();
    LauncherWindow *launcher = OpenLauncherOn(small);
    QVERIFY(available.contains(launcher->frameGeometry()));
    QWidget *window = OpenTool(launcher, button);
    QVERIFY(window);
    QCOMPARE(window->screen(), small);
    const QSize withTitleBar = window->size().grownBy(AssumedFrame);
    QVERIFY2(withTitleBar.width() <= available.width()
                     && withTitleBar.height() <= available.height(),
             qPrintable(QStringLiteral("%1 × %2 with its frame")
                                .arg(withTitleBar.width())
                                .arg(withTitleBar.height())));
    QVERIFY(available.contains(window->frameGeometry()));
    for (const DrawingPanel *panel : window->findChildren<DrawingPanel *>()) {
        if (givenPanels)
            QCOMPARE(panel->size(), QSize(500, 500));
    }
    QCOMPARE(window->windowIcon().pixmap(32).toImage(), ProgramIcon().pixmap(32).toImage());
}

void WindowFitTest::toolWindowsOpenCascadedBesideTheLauncher()
{
    QScreen *small = ScreenNamed(At100);
    LauncherWindow *launcher = OpenLauncherOn(small);
    QList<QPoint> taken;
    for (const ToolGroup &group : DefaultToolCatalog()) {
        for (const ToolEntry &tool : group.tools) {
            if (!tool.createWindow)
                continue;
            QWidget *window = OpenTool(launcher, tool.buttonName);
            QVERIFY(window);
            QVERIFY2(small->availableGeometry().contains(window->frameGeometry()),
                     qPrintable(tool.caption));
            QVERIFY2(!taken.contains(window->pos()), qPrintable(tool.caption));
            taken.append(window->pos());
        }
    }
}

void WindowFitTest::windowsThatGrowStayOnTheScreen_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("grows"); // the button in the tool window that makes it grow
    QTest::addColumn<QString>("function"); // the box of the function the button tabulates
    for (const QString &screen : {At100, At200}) {
        QTest::addRow("table at %s", qPrintable(screen)) << screen << "函数表格按钮"
                                                         << "按钮1"
                                                         << "输入";
        QTest::addRow("BMI chart at %s", qPrintable(screen)) << screen << "体质指数按钮"
                                                             << "图形按钮1"
                                                             << "";
    }
}

// Moved to the lower right corner first, where growing would take it off the screen.
void WindowFitTest::windowsThatGrowStayOnTheScreen()
{
    QFETCH(QString, screen);
    QFETCH(QString, button);
    QFETCH(QString, grows);
    QFETCH(QString, function);
    QScreen *small = ScreenNamed(screen);
    const QRect available = small->availableGeometry();
    QWidget *window = OpenTool(OpenLauncherOn(small), button);
    QVERIFY(window);
    window->move(available.bottomRight()
                 - QPoint(window->frameGeometry().width(), window->frameGeometry().height())
                 + QPoint(1, 1));
    QVERIFY(available.contains(window->frameGeometry()));
    const QSize before = window->size();
    if (!function.isEmpty())
        FindControl<QLineEdit>(window, function)->setText(QStringLiteral("x"));
    QTest::mouseClick(FindControl<QAbstractButton>(window, grows), Qt::LeftButton);
    QTRY_VERIFY(window->width() > before.width() || window->height() > before.height());
    QTRY_VERIFY2(available.contains(window->frameGeometry()),
                 qPrintable(QStringLiteral("%1 × %2 at %3, %4")
                                    .arg(window->width())
                                    .arg(window->height())
                                    .arg(window->x())
                                    .arg(window->y())));
}

int main(int argc, char *argv[])
{
    QTemporaryFile configuration;
    if (!configuration.open() || configuration.write(ScreenConfiguration()) < 0
        || !configuration.flush())
        return 1;
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + configuration.fileName().toUtf8());
    QApplication application(argc, argv);
    WindowFitTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowfit.moc"
