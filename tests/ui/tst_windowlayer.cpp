#include "app/programstate.h"
#include "ui/controls.h"
#include "ui/drawingpanel.h"
#include "ui/grid.h"
#include "ui/messages.h"
#include "ui/toolwindow.h"
#include "ui/windowregistry.h"
#include "windowtest.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

// A window with one long run, as the tools have: a loop that lets events through.
class LoopingWindow : public ToolWindow
{
public:
    LoopingWindow()
        : ToolWindow(QStringLiteral("循环"))
    { }

    int starts = 0;
    int refused = 0;
    int steps = 0;

    void Run(int stepCount)
    {
        RunScope run(this);
        if (run.refused()) {
            ++refused;
            return;
        }
        ++starts;
        for (int i = 0; i < stepCount; ++i) {
            if (!KeepGoing())
                return;
            ++steps;
        }
    }
};

} // namespace

class WindowLayerTest : public WindowTest
{
    Q_OBJECT
private slots:
    void controlsCarryTheirChineseName();
    void messageBoxCaptions_data();
    void messageBoxCaptions();
    void toolWindowClosesOnCloseAllFlag();
    void toolWindowTimerCanStartStopped();
    void toolWindowWaitsForItsMessageBeforeClosing();
    void toolWindowIsIndependentAndDeletedOnClose();
    void secondStartDuringARunIsRefused();
    void closingDuringARunHidesAndDeletesAfterTheLoop_data();
    void closingDuringARunHidesAndDeletesAfterTheLoop();
    void closingWindowIsNeverShownAgain();
    void timerPeriodZeroStops();
    void drawingPanelKeepsPictureUntilCleared();
    void drawingPanelPenWidthAndColour();
    void drawingPanelWritesNumbers();
    void gridCellsAndCurrentCell();
    void pendingEventsAreProcessed();
};

void WindowLayerTest::controlsCarryTheirChineseName()
{
    QWidget window;
    QLabel *label
            = MakeLabel(QStringLiteral("标签1"), QStringLiteral("表达式：\r\n第二行"), &window);
    QPushButton *button
            = MakeButton(QStringLiteral("四则运算计算"), QStringLiteral("计算"), &window);
    QTimer *timer = MakeTimer(QStringLiteral("时钟1"), 100, &window);
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("标签1")), label);
    QCOMPARE(label->accessibleName(), QStringLiteral("标签1"));
    QCOMPARE(label->text(), QStringLiteral("表达式：\n第二行"));
    QCOMPARE(window.findChild<QPushButton *>(QStringLiteral("四则运算计算")), button);
    QCOMPARE(button->text(), QStringLiteral("计算"));
    QCOMPARE(window.findChild<QTimer *>(QStringLiteral("时钟1")), timer);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 100);
}

void WindowLayerTest::messageBoxCaptions_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("expectedCaption");
    QTest::newRow("default") << QString() << QStringLiteral("信息：");
    QTest::newRow("given") << QStringLiteral("提示：") << QStringLiteral("提示：");
}

void WindowLayerTest::messageBoxCaptions()
{
    QFETCH(QString, caption);
    QFETCH(QString, expectedCaption);
    if (caption.isNull())
        ShowMessage(QStringLiteral("第一行\r\n第二行"));
    else
        ShowMessage(QStringLiteral("第一行\r\n第二行"), caption);
    const QList<ShownMessage> expected{{expectedCaption, QStringLiteral("第一行\n第二行")}};
    QCOMPARE(TakeMessages(), expected);
}

void WindowLayerTest::toolWindowClosesOnCloseAllFlag()
{
    QPointer<ToolWindow> window = new ToolWindow(QStringLiteral("工具"));
    window->show();
    QCOMPARE(window->closePollTimer()->objectName(), QStringLiteral("时钟1"));
    QCOMPARE(window->closePollTimer()->interval(), 100);
    QVERIFY(WaitForTicks(window->closePollTimer()));
    QVERIFY(window && window->isVisible()); // the flag is 0: nothing happens
    SetCloseAllToolsFlag(1);
    QTRY_VERIFY(window.isNull()); // closed on a tick and deleted
}

void WindowLayerTest::toolWindowTimerCanStartStopped()
{
    QPointer<ToolWindow> window
            = new ToolWindow(QStringLiteral("工具"), QStringLiteral("时钟1"), 0);
    window->show();
    SetCloseAllToolsFlag(1);
    QTest::qWait(250);
    QVERIFY(window && window->isVisible());
    window->SetClosePollPeriod(100);
    QTRY_VERIFY(window.isNull());
}

void WindowLayerTest::toolWindowWaitsForItsMessageBeforeClosing()
{
    QPointer<ToolWindow> window = new ToolWindow(QStringLiteral("工具"));
    window->show();
    SetCloseAllToolsFlag(1);
    bool aliveAfterMessage = false;
    // A message that stays open for several ticks of the close-all timer, shown from a
    // handler of the window, as the tools do.
    SetAnswerDelay(350);
    QTimer::singleShot(0, window, [&] {
        ShowMessage(QStringLiteral("慢"), QStringLiteral("信息："), window);
        aliveAfterMessage = !window.isNull() && window->isVisible();
    });
    QTRY_VERIFY(window.isNull());
    QVERIFY(aliveAfterMessage);
    QCOMPARE(TakeMessages().size(), 1);
}

void WindowLayerTest::toolWindowIsIndependentAndDeletedOnClose()
{
    QPointer<ToolWindow> window = new ToolWindow(QStringLiteral("工具"));
    QVERIFY(window->isWindow());
    QVERIFY(!window->parentWidget());
    QCOMPARE(window->windowModality(), Qt::NonModal);
    QCOMPARE(window->windowTitle(), QStringLiteral("工具"));
    window->show();
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window.isNull());
}

void WindowLayerTest::secondStartDuringARunIsRefused()
{
    LoopingWindow window;
    window.show();
    QTimer::singleShot(0, &window, [&window] { window.Run(5); });
    window.Run(50);
    QCOMPARE(window.starts, 1);
    QCOMPARE(window.refused, 1);
    QCOMPARE(window.steps, 50);
    window.Run(5); // the run is over: the next start runs
    QCOMPARE(window.starts, 2);
}

void WindowLayerTest::closingDuringARunHidesAndDeletesAfterTheLoop_data()
{
    QTest::addColumn<bool>("byCloseAllFlag");
    QTest::newRow("title bar") << false;
    QTest::newRow("close-all flag") << true;
}

void WindowLayerTest::closingDuringARunHidesAndDeletesAfterTheLoop()
{
    QFETCH(bool, byCloseAllFlag);
    QPointer<LoopingWindow> window = new LoopingWindow;
    window->show();
    QTimer::singleShot(0, window, [&] {
        if (byCloseAllFlag)
            SetCloseAllToolsFlag(1);
        else
            window->close();
    });
    window->Run(1000000);
    QVERIFY(window); // still there while its loop was on the stack, but hidden
    QVERIFY(!window->isVisible());
    QVERIFY(window->steps < 1000000);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window.isNull());
}

void WindowLayerTest::closingWindowIsNeverShownAgain()
{
    const auto create = [] { return new ToolWindow(QStringLiteral("工具")); };
    QPointer<QWidget> first = OpenOrRaise(QStringLiteral("工具按钮"), create);
    QCOMPARE(OpenOrRaise(QStringLiteral("工具按钮"), create), first.data()); // raised
    first->close(); // deleted only when the event loop comes round
    QVERIFY(first);
    QPointer<QWidget> second = OpenOrRaise(QStringLiteral("工具按钮"), create);
    QVERIFY(second != first);
    QVERIFY(second->isVisible());
    QCOMPARE(OpenWindowFor(QStringLiteral("工具按钮")), second.data());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    QVERIFY(second);
}

void WindowLayerTest::timerPeriodZeroStops()
{
    QObject owner;
    QTimer *timer = MakeTimer(QStringLiteral("时钟2"), 0, &owner);
    QVERIFY(!timer->isActive());
    SetTimerPeriod(timer, 10);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 10);
    SetTimerPeriod(timer, 0);
    QVERIFY(!timer->isActive());
}

void WindowLayerTest::drawingPanelKeepsPictureUntilCleared()
{
    DrawingPanel panel(QStringLiteral("画板1"), QSize(100, 80));
    QCOMPARE(panel.PixelAt(10, 40), QColor(Qt::white));
    panel.DrawLine(0, 40, 99, 40);
    panel.SetPenColor(Qt::red);
    panel.DrawLine(50, 0, 50, 79);
    QCOMPARE(panel.PixelAt(10, 40), QColor(Qt::black)); // the first line is still there
    QCOMPARE(panel.PixelAt(50, 10), QColor(Qt::red));
    QCOMPARE(panel.PixelAt(10, 41), QColor(Qt::white));
    panel.Clear();
    QCOMPARE(panel.PixelAt(10, 40), QColor(Qt::white));
    QCOMPARE(panel.PixelAt(50, 10), QColor(Qt::white));
}

void WindowLayerTest::drawingPanelPenWidthAndColour()
{
    DrawingPanel panel(QStringLiteral("画板1"), QSize(100, 100));
    panel.SetPenWidth(0);
    panel.DrawLine(10, 20, 90, 20);
    QCOMPARE(panel.PixelAt(50, 19), QColor(Qt::white)); // 0 draws a single pixel
    panel.SetPenWidth(5);
    panel.SetPenColor(QColor(0, 0, 255));
    panel.DrawLine(10, 60, 90, 60);
    QCOMPARE(panel.PixelAt(50, 58), QColor(0, 0, 255));
    QCOMPARE(panel.PixelAt(50, 61), QColor(0, 0, 255));
    QCOMPARE(panel.PixelAt(50, 64), QColor(Qt::white));
}

void WindowLayerTest::drawingPanelWritesNumbers()
{
    DrawingPanel panel(QStringLiteral("画板1"), QSize(100, 40));
    panel.SetLabelFontSize(7);
    panel.WriteText(5, 5, 0.5);
    int inked = 0;
    for (int x = 0; x < 100; ++x) {
        for (int y = 0; y < 40; ++y)
            inked += panel.PixelAt(x, y) != QColor(Qt::white);
    }
    QVERIFY(inked > 10);
    QCOMPARE(panel.PixelAt(95, 35), QColor(Qt::white)); // the label stays small, near its spot
}

void WindowLayerTest::gridCellsAndCurrentCell()
{
    Grid grid(QStringLiteral("表格1"));
    grid.SetRowCount(3);
    grid.SetColumnCount(2);
    QCOMPARE(grid.CurrentRow(), -1);
    QCOMPARE(grid.CurrentColumn(), -1);
    grid.SetCell(0, 1, QStringLiteral("f(x)"));
    grid.SetCell(2, 1, QStringLiteral("-0.5"));
    grid.SetCell(7, 7, QStringLiteral("outside")); // ignored
    QCOMPARE(grid.GetCell(0, 1), QStringLiteral("f(x)"));
    QCOMPARE(grid.GetCell(2, 1), QStringLiteral("-0.5"));
    QCOMPARE(grid.GetCell(1, 1), QString());
    QCOMPARE(grid.GetCell(7, 7), QString());

    grid.resize(300, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy clicked(&grid, &Grid::CellClicked);
    const QRect cell = grid.visualRect(grid.model()->index(2, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0), (QList<QVariant>{2, 1}));
    QCOMPARE(grid.CurrentRow(), 2);
    QCOMPARE(grid.CurrentColumn(), 1);
}

void WindowLayerTest::pendingEventsAreProcessed()
{
    bool ran = false;
    QMetaObject::invokeMethod(
            this, [&] { ran = true; }, Qt::QueuedConnection);
    QVERIFY(!ran);
    ProcessPendingEvents();
    QVERIFY(ran);
}

QTEST_MAIN(WindowLayerTest)
#include "tst_windowlayer.moc"
