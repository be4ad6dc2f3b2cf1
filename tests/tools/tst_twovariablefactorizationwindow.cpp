#include "tools/functions/twovariablefactorizationwindow.h"
#include "ui/editbox.h"
#include "windowtest.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TwoVariableFactorizationWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void opensReadyForInput();
    void factors_data();
    void factors();
    void longEnumerationMovesIgnoresInputAndClosesSafely();
    void zeroPolynomialListStopsBeforeFillingMemory();

private:
    void Factor(const QStringList &coefficients, const QString &step, const QString &first,
                const QString &end);
    template<typename Control>
    Control *Find(const QString &name) const
    {
        return FindControl<Control>(m_window, name);
    }

    QPointer<TwoVariableFactorizationWindow> m_window;
};

void TwoVariableFactorizationWindowTest::Factor(const QStringList &coefficients,
                                                const QString &step, const QString &first,
                                                const QString &end)
{
    Replace(Find<EditBox>(QStringLiteral("a编辑框")), coefficients[0]);
    Replace(Find<EditBox>(QStringLiteral("b编辑框")), coefficients[1]);
    Replace(Find<EditBox>(QStringLiteral("c编辑框")), coefficients[2]);
    Replace(Find<EditBox>(QStringLiteral("间隔编辑框")), step);
    Replace(Find<EditBox>(QStringLiteral("首编辑框")), first);
    Replace(Find<EditBox>(QStringLiteral("尾编辑框")), end);
    QTest::mouseClick(Find<QPushButton>(QStringLiteral("按钮1")), Qt::LeftButton);
}

void TwoVariableFactorizationWindowTest::opensReadyForInput()
{
    QVERIFY(OpenToolWindow<TwoVariableFactorizationWindow>(m_window));
    QCOMPARE(QApplication::focusWidget(), Find<EditBox>(QStringLiteral("a编辑框")));
    QCOMPARE(Find<EditBox>(QStringLiteral("间隔编辑框"))->text(), "1");
    QCOMPARE(Find<EditBox>(QStringLiteral("首编辑框"))->text(), "-20");
    QCOMPARE(Find<EditBox>(QStringLiteral("尾编辑框"))->text(), "20");
    QCOMPARE(Find<QLabel>(QStringLiteral("标签5"))->text(), "x +       xy+       y");
    QCOMPARE(Find<QLabel>(QStringLiteral("标签8"))->text(), "＝");
    QCOMPARE(Find<QPushButton>(QStringLiteral("按钮1"))->text(), "分解");
    QCOMPARE(Find<MultiLineEditBox>(QStringLiteral("编辑框1"))->text(), QString());
    QCOMPARE(Find<QLabel>(QStringLiteral("标签4"))->text(), QString());
}

// The enumeration and its captions are the logic's; these rows check how the factors are
// written and what the window says when none match.
void TwoVariableFactorizationWindowTest::factors_data()
{
    QTest::addColumn<QStringList>("coefficients");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("caption");
    const auto row = [](const char *name, const QStringList &coefficients, const char *step,
                        const char *first, const char *end, const char *result,
                        const char *caption = "分解完成！ 共枚举2e6个") {
        QTest::newRow(name) << coefficients << QString::fromLatin1(step)
                            << QString::fromLatin1(first) << QString::fromLatin1(end)
                            << QString::fromUtf8(result) << QString::fromUtf8(caption);
    };
    row("x²+3xy+2y²", {"1", "3", "2"}, "1", "-20", "20",
        "(-1x-2y)(-1x-1y)\r\n(-1x-1y)(-1x-2y)\r\n(1x+1y)(1x+2y)\r\n(1x+2y)(1x+1y)");
    row("difference of squares", {"1", "0", "-4"}, "1", "-20", "20",
        "(-1x-2y)(-1x+2y)\r\n(-1x+2y)(-1x-2y)\r\n(1x-2y)(1x+2y)\r\n(1x+2y)(1x-2y)");
    row("y term of 0 left out", {"1", "3", "0"}, "1", "-20", "20",
        "(-1x-3y)(-1x)\r\n(-1x)(-1x-3y)\r\n(1x)(1x+3y)\r\n(1x+3y)(1x)");
    row("nothing matches", {"1", "1", "1"}, "1", "-20", "20", "无法分解！");
    row("step 0 is refused", {"1", "3", "2"}, "0", "-20", "20", "无法分解！",
        "分解完成！ 共枚举0e6个");
    row("width truncating to 0", {"0.01", "0.02", "0.01"}, "0.1", "0", "0.5",
        "(0.1x+0.1y)(0.1x+0.1y)", "分解完成！ 共枚举0e6个");
    row("fractions read whole", {"1/4", "1", "1"}, "0.5", "-2", "2.5",
        "(-0.5x-1y)(-0.5x-1y)\r\n(0.5x+1y)(0.5x+1y)", "分解完成！ 共枚举0e6个");
    row("no number", {"1", "3", "2x"}, "1", "-20", "20",
        "c：“x”不是数的一部分。请输入数，如 3、-1.5、2/3 或 1e-4", "");
}

void TwoVariableFactorizationWindowTest::factors()
{
    QFETCH(QStringList, coefficients);
    QFETCH(QString, step);
    QFETCH(QString, first);
    QFETCH(QString, end);
    QFETCH(QString, result);
    QFETCH(QString, caption);
    QVERIFY(OpenToolWindow<TwoVariableFactorizationWindow>(m_window));
    // An earlier listing goes.
    Factor({"1", "2", "1"}, "1", "-20", "20");
    Factor(coefficients, step, first, end);
    auto *box = Find<MultiLineEditBox>(QStringLiteral("编辑框1"));
    QCOMPARE(box->text(), result);
    QCOMPARE(Find<QLabel>(QStringLiteral("标签4"))->text(), caption);
    // A finished run's bar is full; a refused input starts none.
    QProgressBar *progress = Find<QProgressBar>(QStringLiteral("进度条1"));
    QCOMPARE(progress->value(), caption.isEmpty() ? 0 : progress->maximum());
    if (caption.isEmpty())
        return;
    QCOMPARE(QApplication::focusWidget(), box);
    QVERIFY(box->textCursor().atEnd());
}

// Every combination matches 0x² + 0xy + 0y²: over −200 … 200 that would be 320,000 lines, and
// over wider ranges more than memory holds.
void TwoVariableFactorizationWindowTest::zeroPolynomialListStopsBeforeFillingMemory()
{
    QVERIFY(OpenToolWindow<TwoVariableFactorizationWindow>(m_window));
    Factor({"0", "0", "0"}, "1", "-200", "200");
    const QStringList lines = Find<MultiLineEditBox>(QStringLiteral("编辑框1"))
                                      ->text()
                                      .split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 100001);
    QCOMPARE(lines.first(), QStringLiteral("(-200x-200y)(0x)"));
    QCOMPARE(lines.last(), QStringLiteral("……（只列出了前100000种）"));
    QVERIFY(Find<QLabel>(QStringLiteral("标签4"))->text().startsWith(QStringLiteral("分解完成！")));
}

// Over −20000 … 20000 the passes take a while: the bar and the caption move after each m, a
// click with quick new inputs starts nothing, and closing the window ends the enumeration.
void TwoVariableFactorizationWindowTest::longEnumerationMovesIgnoresInputAndClosesSafely()
{
    QVERIFY(OpenToolWindow<TwoVariableFactorizationWindow>(m_window));
    QProgressBar *progress = Find<QProgressBar>(QStringLiteral("进度条1"));
    QLabel *caption = Find<QLabel>(QStringLiteral("标签4"));
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&] {
        if (++ticks == 3) {
            Factor({"1", "3", "2"}, "1", "-20", "20");
        } else if (ticks == 8) {
            QVERIFY(progress->value() > 0);
            QVERIFY(caption->text().contains(QStringLiteral("%  已枚举")));
            m_window->close();
        }
    });
    ticker.start(50);
    Factor({"0", "1", "0"}, "1", "-20000", "20000");
    QCOMPARE(ticks, 8);
    QVERIFY(m_window);
    QVERIFY(!m_window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_window);
}

QTEST_MAIN(TwoVariableFactorizationWindowTest)
#include "tst_twovariablefactorizationwindow.moc"
