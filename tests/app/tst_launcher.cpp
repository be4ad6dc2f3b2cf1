#include "app/launcherwindow.h"
#include "app/programstate.h"
#include "app/settings.h"
#include "app/startupwindow.h"
#include "ui/toolwindow.h"
#include "ui/windowregistry.h"
#include "windowtest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace App;

namespace {

int windowsOpened = 0;

// A catalog whose working buttons open plain tool windows: one on the first page and two on the
// second, which also has a group of no tools.
ToolCatalog TestCatalog()
{
    const auto opens = [](const char *caption) {
        return [caption] {
            ++windowsOpened;
            return new ToolWindow(QString::fromUtf8(caption));
        };
    };
    return {{QStringLiteral("选择夹2"),
             QStringLiteral("透明标签1"),
             QStringLiteral("代数："),
             {{QStringLiteral("测试按钮"), QStringLiteral("测试"), opens("测试工具")},
              {QStringLiteral("一次不定方程按钮"), QStringLiteral("一次不定方程"), {}}}},
            {"空组", "空标题", "空：", {}, MoreToolsPage},
            {"更多组",
             "更多标题",
             "更多：",
             {{"甲按钮", "甲", opens("甲")}, {"乙按钮", "乙", opens("乙")}},
             MoreToolsPage}};
}

QList<QWidget *> VisibleToolWindows()
{
    QList<QWidget *> tools;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (qobject_cast<ToolWindow *>(window) && window->isVisible())
            tools.append(window);
    }
    return tools;
}

void WriteSettings(const QByteArray &content)
{
    QFile file(SettingsFilePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class LauncherTest : public WindowTest
{
    Q_OBJECT
private slots:
    void creationLoadsSettingsAndStartsSmall();
    void animationCounts_data();
    void animationCounts();
    void animationRunsToTheEnd();
    void everyToolButtonInReadingOrder();
    void groupHeadings();
    void closeStrategies_data();
    void closeStrategies();
    void secondClickBringsTheOpenWindowForward();
    void windowClosedWhileBusyOpensAnew_data();
    void windowClosedWhileBusyOpensAnew();
    void buttonsWithoutActionChangeNothing();
    void closingUnderStrategyOneClosesTools();
    void closingUnderOtherStrategiesLeavesTools();
    void logoShowsCredit();
    void arrowTurnsPagesAndBackgroundDrags();
    void keyboardWalksBothPages();
    void corruptSettingsReportedOnCreation();
    void startupWindowOpensLauncherOnce();
};

void LauncherTest::creationLoadsSettingsAndStartsSmall()
{
    LauncherWindow launcher;
    QCOMPARE(launcher.windowTitle(), QStringLiteral("启动器"));
    QVERIFY(launcher.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(launcher.size(), QSize(300, 90));
    QCOMPARE(FindControl<QWidget>(&launcher, QStringLiteral("图片框2"))->x(), -60);
    auto *timer = FindControl<QTimer>(&launcher, QStringLiteral("时钟2"));
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 10);
    QVERIFY(QFile::exists(SettingsFilePath()));
    QCOMPARE(Program().settings.closeStrategy, 2.0);
}

void LauncherTest::animationCounts_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("backgroundX");
    QTest::addColumn<bool>("timerActive");
    QTest::newRow("1") << 1 << QSize(305, 95) << -59 << true;
    QTest::newRow("59") << 59 << QSize(595, 385) << -1 << true;
    QTest::newRow("slide done") << 60 << QSize(600, 390) << 0 << true;
    QTest::newRow("75") << 75 << QSize(675, 465) << 0 << true;
    QTest::newRow("height done") << 76 << QSize(680, 470) << 0 << true;
    QTest::newRow("85") << 85 << QSize(725, 470) << 0 << true;
    QTest::newRow("width done") << 86 << QSize(730, 470) << 0 << true;
    QTest::newRow("timer stopped") << 87 << QSize(730, 470) << 0 << false;
}

void LauncherTest::animationCounts()
{
    QFETCH(int, ticks);
    QFETCH(QSize, size);
    QFETCH(int, backgroundX);
    QFETCH(bool, timerActive);
    LauncherWindow launcher;
    auto *timer = FindControl<QTimer>(&launcher, QStringLiteral("时钟2"));
    // Ticks are counted by hand here; the real timer is left out of it.
    disconnect(timer, &QTimer::timeout, &launcher, nullptr);
    for (int tick = 0; tick < ticks; ++tick)
        launcher.AnimationTick();
    QCOMPARE(launcher.size(), size);
    QCOMPARE(FindControl<QWidget>(&launcher, QStringLiteral("图片框2"))->x(), backgroundX);
    QCOMPARE(timer->isActive(), timerActive);
    const QPoint centre = launcher.screen()->availableGeometry().center();
    QVERIFY((launcher.geometry().center() - centre).manhattanLength() <= 2);
}

void LauncherTest::animationRunsToTheEnd()
{
    LauncherWindow launcher;
    launcher.show();
    auto *timer = FindControl<QTimer>(&launcher, QStringLiteral("时钟2"));
    QTRY_VERIFY_WITH_TIMEOUT(!timer->isActive(), 10000);
    QCOMPARE(launcher.size(), QSize(730, 470));
    QCOMPARE(FindControl<QWidget>(&launcher, QStringLiteral("图片框2"))->pos(), QPoint(0, 0));
    // The corner buttons follow the corners.
    QCOMPARE(FindControl<QWidget>(&launcher, QStringLiteral("图形按钮1"))->geometry(),
             QRect(730 - 48, 0, 48, 48));
    QCOMPARE(FindControl<QWidget>(&launcher, QStringLiteral("图形按钮3"))->geometry(),
             QRect(730 - 40, 470 - 52, 40, 52));
}

void LauncherTest::everyToolButtonInReadingOrder()
{
    const QStringList names{"四则运算按钮",         "数字信息按钮",       "简单分数计算按钮",
                            "连加连乘按钮",         "阶加阶乘按钮",       "分解质因数按钮",
                            "公因倍数最值按钮",     "公因数按钮",         "大数运算按钮",
                            "进制转换按钮",         "一次不定方程按钮",   "一元二次方程按钮",
                            "一元二次方程系数按钮", "一元二次不等式按钮", "二元二次因式分解按钮",
                            "二元一次方程组按钮",   "函数表格按钮",       "求方程近似根按钮",
                            "h函数基本信息按钮",    "三角函数按钮",       "利润计算按钮",
                            "体质指数按钮",         "屏幕PPI按钮",        "加速度按钮",
                            "UIRP关系按钮",         "浓度换算按钮"};
    const QStringList captions{
            "四则运算",         "数字信息",       "简单分数计算",     "连加/连乘",
            "阶加/阶乘",        "分解质因数",     "公因倍数最值",     "公因数",
            "大数运算",         "进制转换",       "一次不定方程",     "一元二次方程",
            "一元二次方程系数", "一元二次不等式", "二元二次因式分解", "二元一次方程组",
            "函数表格",         "求方程近似根",   "函数基本信息",     "三角函数",
            "利润计算",         "体质指数",       "屏幕PPI",          "加速度",
            "UIRP关系",         "浓度换算"};
    LauncherWindow launcher;
    launcher.show();
    QTRY_VERIFY_WITH_TIMEOUT(launcher.width() == 730, 10000);
    QPoint previous(-1, -1);
    QString previousGroup;
    for (int i = 0; i < names.size(); ++i) {
        auto *button = FindControl<QPushButton>(&launcher, names[i]);
        QCOMPARE(button->text(), captions[i]);
        QVERIFY(button->isVisible());
        QVERIFY(button->width() >= 106 && button->height() >= 36);
        // Every caption fits its button.
        QVERIFY(button->fontMetrics().horizontalAdvance(button->text()) < button->width());
        const QPoint place = button->mapTo(&launcher, QPoint(0, 0));
        const QString group = button->parentWidget()->objectName();
        if (group == previousGroup) {
            const bool sameRowFurtherRight = place.y() == previous.y() && place.x() > previous.x();
            QVERIFY2(sameRowFurtherRight || place.y() > previous.y(), qPrintable(names[i]));
        }
        previous = place;
        previousGroup = group;
        QVERIFY(QRect(QPoint(0, 0), launcher.size())
                        .contains(button->geometry().translated(
                                button->parentWidget()->mapTo(&launcher, QPoint(0, 0)))));
    }
}

void LauncherTest::groupHeadings()
{
    LauncherWindow launcher;
    const QList<QStringList> groups{{"选择夹2", "透明标签1", "代数："},
                                    {"选择夹1", "透明标签11", "函数与方程："},
                                    {"选择夹4", "透明标签14", "生活："},
                                    {"选择夹3", "透明标签10", "科学："}};
    for (const QStringList &group : groups) {
        auto *container = FindControl<QWidget>(&launcher, group[0]);
        auto *heading = FindControl<QLabel>(container, group[1]);
        QCOMPARE(heading->text(), group[2]);
    }
}

void LauncherTest::closeStrategies_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<bool>("launcherStays");
    QTest::newRow("1 keeps the launcher") << QByteArray("1\r\n38\r\n9.8") << true;
    QTest::newRow("2 closes it") << QByteArray("2\r\n38\r\n9.8") << false;
    QTest::newRow("3 keeps the launcher") << QByteArray("3\r\n38\r\n9.8") << true;
}

void LauncherTest::closeStrategies()
{
    QFETCH(QByteArray, settings);
    QFETCH(bool, launcherStays);
    WriteSettings(settings);
    QPointer<LauncherWindow> launcher = new LauncherWindow(TestCatalog());
    launcher->show();
    QTest::mouseClick(FindControl<QPushButton>(launcher, QStringLiteral("测试按钮")),
                      Qt::LeftButton);
    QCOMPARE(VisibleToolWindows().size(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(!launcher.isNull() && launcher->isVisible(), launcherStays);
    QCOMPARE(VisibleToolWindows().size(), 1); // the tool stays either way
}

void LauncherTest::secondClickBringsTheOpenWindowForward()
{
    Program().settings.closeStrategy = 3;
    Program().settingsDone = 1; // keep the strategy set above
    windowsOpened = 0;
    LauncherWindow launcher(TestCatalog());
    launcher.show();
    auto *button = FindControl<QPushButton>(&launcher, QStringLiteral("测试按钮"));
    QTest::mouseClick(button, Qt::LeftButton);
    QWidget *first = VisibleToolWindows().value(0);
    QVERIFY(first);
    first->showMinimized();
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(windowsOpened, 1);
    QCOMPARE(VisibleToolWindows(), QList<QWidget *>{first});
    QVERIFY(!first->isMinimized());
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::mouseClick(button, Qt::LeftButton); // closed windows open anew
    QCOMPARE(windowsOpened, 2);
    QCOMPARE(VisibleToolWindows().size(), 1);
}

void LauncherTest::windowClosedWhileBusyOpensAnew_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("startButton"); // Enter in the box when empty
    QTest::newRow("函数基本信息 during a run") << "h函数基本信息按钮"
                                               << "表达式编辑框"
                                               << "x*x"
                                               << "确定";
    QTest::newRow("四则运算 during the script time limit") << "四则运算按钮"
                                                           << "编辑框1"
                                                           << "while(1){}" << QString();
}

// A busy window sees the close and the click on its button in one pass of the event loop,
// when it is closing but not yet deleted: the click must open a fresh window, not show the
// closing one, which would vanish a moment later.
void LauncherTest::windowClosedWhileBusyOpensAnew()
{
    QFETCH(QString, button);
    QFETCH(QString, box);
    QFETCH(QString, expression);
    QFETCH(QString, startButton);
    Program().settings.closeStrategy = 3;
    Program().settingsDone = 1; // keep the strategy set above
    LauncherWindow launcher;
    launcher.show();
    auto *launcherButton = FindControl<QPushButton>(&launcher, button);
    QTest::mouseClick(launcherButton, Qt::LeftButton);
    QPointer<QWidget> first = OpenWindowFor(button);
    QVERIFY(first);
    // However quick the run, it lets events through.
    qobject_cast<ToolWindow *>(first.data())->SetEventPeriod(0);
    auto *input = FindControl<QWidget>(first, box);
    QTest::keyClicks(input, expression);
    QPointer<QWidget> second;
    QTimer::singleShot(0, &launcher, [&] {
        first->close();
        QTest::mouseClick(launcherButton, Qt::LeftButton);
        second = OpenWindowFor(button);
    });
    if (startButton.isEmpty())
        QTest::keyClick(input, Qt::Key_Return);
    else
        QTest::mouseClick(FindControl<QPushButton>(first, startButton), Qt::LeftButton);
    QVERIFY(second);
    QVERIFY(second != first);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    QVERIFY(second && second->isVisible());
    QCOMPARE(OpenWindowFor(button), second.data());
}

void LauncherTest::buttonsWithoutActionChangeNothing()
{
    LauncherWindow launcher(TestCatalog()); // whose "一次不定方程" button has no window
    launcher.show();
    const QSize size = launcher.size();
    for (const char *name : {"一次不定方程按钮", "图形按钮7"}) {
        auto *button = FindControl<QAbstractButton>(&launcher, QString::fromUtf8(name));
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(launcher.isVisible());
        QVERIFY(VisibleToolWindows().isEmpty());
    }
    QCOMPARE(launcher.size(), size);
    QCOMPARE(QApplication::topLevelWidgets().size(), 1);
}

void LauncherTest::closingUnderStrategyOneClosesTools()
{
    WriteSettings("1\r\n38\r\n9.8");
    QPointer<LauncherWindow> launcher = new LauncherWindow(TestCatalog());
    launcher->show();
    QTest::mouseClick(FindControl<QPushButton>(launcher, QStringLiteral("测试按钮")),
                      Qt::LeftButton);
    QCOMPARE(VisibleToolWindows().size(), 1);
    QTest::mouseClick(FindControl<QAbstractButton>(launcher, QStringLiteral("图形按钮1")),
                      Qt::LeftButton);
    QCOMPARE(CloseAllToolsFlag(), 1);
    QTRY_VERIFY(launcher.isNull());
    QTRY_VERIFY(VisibleToolWindows().isEmpty());
}

void LauncherTest::closingUnderOtherStrategiesLeavesTools()
{
    WriteSettings("3\r\n38\r\n9.8");
    QPointer<LauncherWindow> launcher = new LauncherWindow(TestCatalog());
    launcher->show();
    QTest::mouseClick(FindControl<QPushButton>(launcher, QStringLiteral("测试按钮")),
                      Qt::LeftButton);
    QTest::mouseClick(FindControl<QAbstractButton>(launcher, QStringLiteral("图形按钮1")),
                      Qt::LeftButton);
    QTRY_VERIFY(launcher.isNull());
    QCOMPARE(VisibleToolWindows().size(), 1);
    QVERIFY(WaitForTicks(
            FindControl<QTimer>(VisibleToolWindows().first(), QStringLiteral("时钟1"))));
    QCOMPARE(CloseAllToolsFlag(), 0);
    QCOMPARE(VisibleToolWindows().size(), 1);
}

void LauncherTest::logoShowsCredit()
{
    LauncherWindow launcher;
    launcher.show();
    QTest::mouseClick(FindControl<QAbstractButton>(&launcher, QStringLiteral("图形按钮2")),
                      Qt::LeftButton);
    const QList<ShownMessage> shown = TakeMessages();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].caption, shown[0].text);
    QVERIFY(shown[0].text.contains(QStringLiteral("青枫计算器")));
}

void LauncherTest::arrowTurnsPagesAndBackgroundDrags()
{
    LauncherWindow launcher;
    QVERIFY(ShowAndActivate(&launcher));
    QTRY_VERIFY_WITH_TIMEOUT(launcher.width() == 730, 10000);
    const QPoint before = launcher.pos();
    auto *background = FindControl<QWidget>(&launcher, QStringLiteral("图片框2"));
    const QPoint grip(400, 450); // empty background below the groups
    QTest::mousePress(background, Qt::LeftButton, {}, grip);
    QTest::mouseMove(background, grip + QPoint(30, 20));
    QTest::mouseRelease(background, Qt::LeftButton, {}, grip + QPoint(30, 20));
    QCOMPARE(launcher.pos(), before + QPoint(30, 20));

    // The arrow turns the page, and back; Ctrl+M minimises.
    auto *arrow = FindControl<QAbstractButton>(&launcher, QStringLiteral("图形按钮3"));
    for (const int page : {MoreToolsPage, FirstPage}) {
        QTest::mouseClick(arrow, Qt::LeftButton);
        QCOMPARE(launcher.currentPage(), page);
    }
    QVERIFY(!launcher.isMinimized());
    QTest::keyClick(&launcher, Qt::Key_M, Qt::ControlModifier);
    QVERIFY(launcher.isMinimized());
}

// PageDown turns to the second page, where the arrows move between its tools and Enter opens
// them; PageUp turns back to a first page that looks as it did.
void LauncherTest::keyboardWalksBothPages()
{
    Program().settings.closeStrategy = 3;
    Program().settingsDone = 1; // keep the strategy set above
    LauncherWindow launcher(TestCatalog());
    while (launcher.width() < LauncherWindow::FinalWidth)
        launcher.AnimationTick();
    QVERIFY(ShowAndActivate(&launcher));
    QVERIFY(!launcher.findChild<QWidget *>(QStringLiteral("空组")));
    const auto press = [&launcher](Qt::Key key) { QTest::keyClick(launcher.focusWidget(), key); };
    press(Qt::Key_Right);
    press(Qt::Key_Left); // the focus ring now shows, as it will when the page comes back
    const QImage firstPage = launcher.grab().toImage();
    press(Qt::Key_PageDown);
    QCOMPARE(launcher.currentPage(), MoreToolsPage);
    QCOMPARE(launcher.focusWidget()->objectName(), QStringLiteral("甲按钮"));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Right, Qt::Key_Right, Qt::Key_Return})
        press(key); // the second Right is at the edge and stays
    QVERIFY(OpenWindowFor(QStringLiteral("甲按钮")) && OpenWindowFor(QStringLiteral("乙按钮")));
    QVERIFY(ShowAndActivate(&launcher));
    press(Qt::Key_PageUp);
    QTRY_COMPARE(launcher.grab().toImage(), firstPage);
    press(Qt::Key_Return);
    QVERIFY(OpenWindowFor(QStringLiteral("测试按钮")));
}

void LauncherTest::corruptSettingsReportedOnCreation()
{
    WriteSettings("2\r\n38\r\n0");
    LauncherWindow launcher;
    QCOMPARE(TakeMessages(),
             (QList<ShownMessage>{{QStringLiteral("信息："),
                                   QStringLiteral("配置文件已损坏，将使用默认配置！")}}));
    QCOMPARE(Program().settings.gravity, 9.8);
}

void LauncherTest::startupWindowOpensLauncherOnce()
{
    QPointer<StartupWindow> startup = new StartupWindow;
    startup->show();
    QCOMPARE(startup->size(), QSize(300, 90));
    QCOMPARE(startup->frameGeometry().center(), startup->screen()->availableGeometry().center());
    QCOMPARE(startup->windowTitle(), QStringLiteral("青枫计算器启动器"));
    QVERIFY(FindControl<QTimer>(startup, QStringLiteral("时钟1"))->isActive());
    QTest::qWait(300);
    QVERIFY(startup); // not before its second has passed
    QTRY_VERIFY_WITH_TIMEOUT(startup.isNull(), 3000);
    QTest::qWait(1200);
    int launchers = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        launchers += qobject_cast<LauncherWindow *>(window) && window->isVisible();
    QCOMPARE(launchers, 1);
}

QTEST_MAIN(LauncherTest)
#include "tst_launcher.moc"
