#include "app/programstate.h"
#include "ui/accessibility.h"
#include "ui/controls.h"
#include "ui/drawingpanel.h"
#include "ui/editbox.h"
#include "ui/grid.h"
#include "ui/messages.h"
#include "ui/qttranslations.h"
#include "ui/toolwindow.h"
#include "ui/windowplacement.h"
#include "ui/windowregistry.h"
#include "windowtest.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

using namespace Ui;

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
    bool paced = false;

    void Run(int stepCount)
    {
        RunScope run(this);
        if (run.refused()) {
            ++refused;
            return;
        }
        ++starts;
        const KeepGoing pace = Pace();
        for (int i = 0; i < stepCount; ++i) {
            if (!(paced ? pace() : LetEventsRun()))
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
    void messageButtonsReadInChinese();
    void messageOpensOverItsWindow_data();
    void messageOpensOverItsWindow();
    void escClosesAToolWindowButNotUnderItsMessage();
    void toolWindowClosesOnCloseAllFlag();
    void toolWindowTimerCanStartStopped();
    void toolWindowWaitsForItsMessageBeforeClosing();
    void toolWindowIsIndependentAndDeletedOnClose();
    void secondStartDuringARunIsRefused();
    void closingDuringARunHidesAndDeletesAfterTheLoop_data();
    void closingDuringARunHidesAndDeletesAfterTheLoop();
    void pacedRunLetsEventsThroughOnlyWhenLong_data();
    void pacedRunLetsEventsThroughOnlyWhenLong();
    void closingWindowIsNeverShownAgain();
    void timerPeriodZeroStops();
    void drawingPanelKeepsPictureUntilCleared();
    void drawingPanelPenWidthAndColour();
    void drawingPanelDrawsManyLinesAsOneByOne();
    void drawingPanelWritesNumbers();
    void drawingPanelKeepsLabelsWhole_data();
    void drawingPanelKeepsLabelsWhole();
    void newWindowGoesBesideItsOpener_data();
    void newWindowGoesBesideItsOpener();
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
    QCOMPARE(SpokenName(button), QStringLiteral("计算"));
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

void WindowLayerTest::messageButtonsReadInChinese()
{
    const auto okButton = [this] {
        ShowMessage(QStringLiteral("好"));
        const QList<ShownMessage> shown = TakeMessages();
        return shown.size() == 1 ? shown.front().buttons : QStringList();
    };
    QTemporaryDir withoutCatalogue;
    QVERIFY(!LoadQtTranslations(withoutCatalogue.path()));
    QCOMPARE(okButton(), QStringList{QStringLiteral("OK")}); // Qt's own text stays
    QVERIFY(LoadQtTranslations());
    QCOMPARE(okButton(), QStringList{QStringLiteral("确定")});
    QVERIFY(!LoadQtTranslations(withoutCatalogue.path()));
    QCOMPARE(okButton(), QStringList{QStringLiteral("确定")}); // what was loaded stays
}

void WindowLayerTest::messageOpensOverItsWindow_data()
{
    QTest::addColumn<bool>("namedWindow");
    QTest::newRow("over the active window") << false;
    QTest::newRow("over the window it names") << true;
}

void WindowLayerTest::messageOpensOverItsWindow()
{
    QFETCH(bool, namedWindow);
    ToolWindow named(QStringLiteral("工具"));
    ToolWindow active(QStringLiteral("另一个"));
    named.setGeometry(40, 60, 300, 200);
    active.setGeometry(420, 300, 320, 240);
    named.show();
    QVERIFY(ShowAndActivate(&active));
    ShowMessage(QStringLiteral("好"), QStringLiteral("信息："), nullptr,
                namedWindow ? &named : nullptr);
    const QList<ShownMessage> shown = TakeMessages();
    QCOMPARE(shown.size(), 1);
    const QPoint centre = (namedWindow ? named : active).geometry().center();
    QVERIFY2((shown.front().place.center() - centre).manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2")
                                .arg(shown.front().place.center().x())
                                .arg(shown.front().place.center().y())));
}

void WindowLayerTest::escClosesAToolWindowButNotUnderItsMessage()
{
    QPointer<ToolWindow> window = new ToolWindow(QStringLiteral("工具"));
    auto *box = new EditBox(QStringLiteral("编辑框1"));
    (new QVBoxLayout(window))->addWidget(box);
    QVERIFY(ShowAndActivate(window));
    // Esc pressed while the window's message is open is the message's, not the window's.
    SetAnswerDelay(150);
    QTimer::singleShot(50, window, [&] { QTest::keyClick(window, Qt::Key_Escape); });
    ShowMessage(QStringLiteral("慢"));
    QCOMPARE(TakeMessages().size(), 1);
    QVERIFY(window && window->isVisible());
    QTest::keyClick(box, Qt::Key_Escape); // the focused box passes it on to its window
    QVERIFY(window && !window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window.isNull());
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
    window->Run(100000000); // far longer than a tick of the close-all timer
    QVERIFY(window); // still there while its loop was on the stack, but hidden
    QVERIFY(!window->isVisible());
    QVERIFY(window->steps < 100000000);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window.isNull());
}

void WindowLayerTest::pacedRunLetsEventsThroughOnlyWhenLong_data()
{
    QTest::addColumn<int>("periodMs");
    QTest::addColumn<bool>("stopped");
    QTest::newRow("shorter than the period") << 600000 << false;
    QTest::newRow("longer") << 0 << true;
}

void WindowLayerTest::pacedRunLetsEventsThroughOnlyWhenLong()
{
    QFETCH(int, periodMs);
    QFETCH(bool, stopped);
    QPointer<LoopingWindow> window = new LoopingWindow;
    window->paced = true;
    window->SetEventPeriod(periodMs);
    window->show();
    QTimer::singleShot(0, window, [&] { window->close(); });
    window->Run(1000);
    QCOMPARE(window->steps < 1000, stopped);
    QCoreApplication::processEvents();
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
    QCOMPARE(panel.PixelAt(8, 60), QColor(0, 0, 255)); // a round end reaches past the line's
}

void WindowLayerTest::drawingPanelDrawsManyLinesAsOneByOne()
{
    DrawingPanel oneByOne(QStringLiteral("画板1"), QSize(200, 200));
    DrawingPanel many(QStringLiteral("画板2"), QSize(200, 200));
    QList<QLine> lines{QLine(5, 5, 5, 5)};
    for (int i = 0; i < 99; ++i)
        lines.append(QLine(2 * i, i * 37 % 200, 2 * i + 2, (i + 1) * 37 % 200));
    for (const int width : {0, 3, 12}) {
        for (DrawingPanel *panel : {&oneByOne, &many}) {
            panel->SetPenWidth(width);
            panel->SetPenColor(QColor(width * 20, 0, 255 - width * 20));
        }
        for (const QLine &line : lines)
            oneByOne.DrawLine(line.x1(), line.y1(), line.x2(), line.y2());
        many.DrawLines(lines);
    }
    QCOMPARE(many.picture(), oneByOne.picture());
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

void WindowLayerTest::drawingPanelKeepsLabelsWhole_data()
{
    QTest::addColumn<QPoint>("spot");
    QTest::addColumn<double>("value");
    QTest::newRow("over the left edge") << QPoint(-4, 225) << -10.0;
    QTest::newRow("over the right edge") << QPoint(496, 225) << 10.0;
    QTest::newRow("over the top edge") << QPoint(265, -5) << 10.0;
    QTest::newRow("over the bottom edge") << QPoint(265, 495) << -10.0;
    QTest::newRow("wholly outside") << QPoint(-40, 225) << -11.0;
}

void WindowLayerTest::drawingPanelKeepsLabelsWhole()
{
    QFETCH(QPoint, spot);
    QFETCH(double, value);
    // The size of the ink of a label; 0 × 0 when nothing was written.
    const auto inkSize = [](const DrawingPanel &panel) {
        QRect ink;
        for (int x = 0; x < panel.width(); ++x) {
            for (int y = 0; y < panel.height(); ++y) {
                if (panel.PixelAt(x, y) != QColor(Qt::white))
                    ink |= QRect(x, y, 1, 1);
            }
        }
        return ink.size();
    };
    DrawingPanel whole(QStringLiteral("画板1"), QSize(500, 500));
    whole.WriteText(250, 250, value);
    DrawingPanel edge(QStringLiteral("画板2"), QSize(500, 500));
    edge.WriteTextInside(spot.x(), spot.y(), value);
    const bool outside = spot.x() < -30;
    QCOMPARE(inkSize(edge), outside ? QSize(0, 0) : inkSize(whole));
}

void WindowLayerTest::newWindowGoesBesideItsOpener_data()
{
    QTest::addColumn<QRect>("opener");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QPoint>("place");
    const QSize small(300, 200);
    QTest::newRow("right of it") << QRect(100, 100, 400, 300) << small << QPoint(500, 100);
    QTest::newRow("left of it at the right edge")
            << QRect(900, 100, 400, 300) << small << QPoint(600, 100);
    QTest::newRow("over it on the roomier side when neither side has room")
            << QRect(200, 100, 800, 300) << QSize(400, 200) << QPoint(0, 100);
    QTest::newRow("moved up to stay on the screen")
            << QRect(100, 600, 400, 150) << small << QPoint(500, 568);
    QTest::newRow("centred without an opener") << QRect() << small << QPoint(362, 284);
    QTest::newRow("larger than the screen: from its top left")
            << QRect(100, 100, 400, 300) << QSize(2000, 1000) << QPoint(0, 0);
}

void WindowLayerTest::newWindowGoesBesideItsOpener()
{
    QFETCH(QRect, opener);
    QFETCH(QSize, frame);
    QFETCH(QPoint, place);
    const QRect screen(0, 0, 1024, 768);
    QCOMPARE(BesidePosition(opener, frame, screen), place);
    // Cascaded windows step down and across from there, and begin again before leaving the
    // screen.
    QSet<QPoint> places;
    for (int step = 0; step < 40; ++step) {
        const QPoint cascaded = CascadedPosition(place, frame, step, screen);
        QVERIFY(screen.contains(QRect(cascaded, frame)) || cascaded == place);
        places.insert(cascaded);
    }
    QVERIFY(places.size() > 1 || frame.width() >= screen.width());
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
