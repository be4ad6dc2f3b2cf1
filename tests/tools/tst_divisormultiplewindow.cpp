#include "tools/arith/commondivisors.h"
#include "tools/arith/divisormultiplewindow.h"
#include "ui/editbox.h"
#include "windowtest.h"
#include "workingcheck.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace Arith;

class DivisorMultipleWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void init();
    void opensAtTheCountEntry();
    void computes_data();
    void computes();
    void labelCountsUpAndButtonTurnsToCompute();
    void refusesWhatIsNotAWholeNumberFromOne();
    void enterNeedsText();
    void numbersAfterTheResultAreFoldedIn();
    void enterInTheCountReplacesIt();
    void resetReturnsToTheStart();
    void showsItsWorking();

private:
    EditBox *Box(const char *name) { return FindControl<EditBox>(m_window, name); }
    QPushButton *Button(const char *name) { return FindControl<QPushButton>(m_window, name); }
    QString Caption() { return FindControl<QLabel>(m_window, "标签2")->text(); }
    QTabWidget *Pages() { return FindControl<QTabWidget>(m_window, "选择夹1"); }
    void EnterCount(const QString &count)
    {
        Box("数量")->clear();
        QTest::keyClicks(Box("数量"), count);
        QTest::mouseClick(Button("按钮1"), Qt::LeftButton);
    }
    void EnterNumber(const QString &number)
    {
        QTest::keyClicks(Box("数字"), number);
        QTest::keyClick(Box("数字"), Qt::Key_Return);
    }
    // The state a person sees at the start: only the count can be entered.
    void VerifyCountEntry()
    {
        QCOMPARE(Box("数量")->text(), QStringLiteral("2"));
        QVERIFY(Box("数量")->hasFocus());
        QVERIFY(Button("按钮1")->isEnabled());
        QVERIFY(Button("按钮3")->isHidden());
        QVERIFY(!Box("数字")->isEnabled());
        QVERIFY(!Button("按钮2")->isEnabled());
        QCOMPARE(Button("按钮2")->text(), QStringLiteral("下一个"));
        QCOMPARE(Caption(), QStringLiteral("第1个数："));
        QCOMPARE(Pages()->currentIndex(), 0);
        QCOMPARE(Box("公因数")->text(), QString());
        QCOMPARE(Box("公倍数")->text(), QString());
    }

    QPointer<DivisorMultipleWindow> m_window;
};

void DivisorMultipleWindowTest::init()
{
    WindowTest::init();
    QVERIFY(OpenToolWindow<DivisorMultipleWindow>(m_window));
}

void DivisorMultipleWindowTest::opensAtTheCountEntry()
{
    VerifyCountEntry();
    QCOMPARE(FindControl<QLabel>(m_window, "标签1")->text(), QStringLiteral("数字数量："));
    QCOMPARE(FindControl<QLabel>(m_window, "标签3")->text(), QStringLiteral("公因数为："));
    QCOMPARE(FindControl<QLabel>(m_window, "标签4")->text(), QStringLiteral("公倍数为："));
    QCOMPARE(Pages()->tabText(0), QStringLiteral("输入"));
    QCOMPARE(Pages()->tabText(1), QStringLiteral("输出"));
    QCOMPARE(Button("按钮1")->text(), QStringLiteral("确定"));
    QCOMPARE(Button("按钮3")->text(), QStringLiteral("重置"));
    QVERIFY(Box("公因数")->isReadOnly() && Box("公倍数")->isReadOnly());
}

// The values are the logic's; these rows follow the count and the focus through the window.
void DivisorMultipleWindowTest::computes_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<QString>("divisor");
    QTest::addColumn<QString>("multiple");
    QTest::newRow("twelve and eighteen") << "2" << QStringList{"12", "18"} << "6" << QString("36");
    QTest::newRow("count below two raised")
            << "1" << QStringList{"12", "18"} << "6" << QString("36");
    QTest::newRow("least common multiple of three")
            << "3" << QStringList{"4", "6", "10"} << "2" << QString("60");
}

void DivisorMultipleWindowTest::computes()
{
    QFETCH(QString, count);
    QFETCH(QStringList, numbers);
    QFETCH(QString, divisor);
    QFETCH(QString, multiple);
    EnterCount(count);
    QCOMPARE(Box("数量")->text(), count.toInt() < 2 ? QStringLiteral("2") : count);
    for (const QString &number : std::as_const(numbers)) {
        QVERIFY(Box("数字")->hasFocus());
        EnterNumber(number);
    }
    QCOMPARE(Pages()->currentIndex(), 1);
    QCOMPARE(Box("公因数")->text(), divisor);
    QCOMPARE(Box("公倍数")->text(), multiple);
    QCOMPARE(Box("数字")->text(), QString());
}

void DivisorMultipleWindowTest::labelCountsUpAndButtonTurnsToCompute()
{
    EnterCount("3");
    QVERIFY(!Button("按钮1")->isEnabled());
    QVERIFY(Button("按钮3")->isVisible());
    QStringList seen;
    for (const char *number : {"4", "6"}) {
        QTest::keyClicks(Box("数字"), number);
        QTest::mouseClick(Button("按钮2"), Qt::LeftButton);
        seen << Caption() + Button("按钮2")->text();
    }
    QCOMPARE(seen, (QStringList{"第2个数：下一个", "第3个数：计算"}));
    QCOMPARE(Pages()->currentIndex(), 0);
}

// A refused number changes nothing: it stays in its box to be corrected.
void DivisorMultipleWindowTest::refusesWhatIsNotAWholeNumberFromOne()
{
    EnterCount("2");
    EnterNumber("12");
    EnterNumber("0.5");
    QCOMPARE(TakeMessages(), (QList<ShownMessage>{{"信息：", RefusedNumberMessage}}));
    QCOMPARE(Box("数字")->text(), QStringLiteral("0.5"));
    QCOMPARE(Caption(), QStringLiteral("第2个数："));
    Box("数字")->clear();
    EnterNumber("18");
    QCOMPARE(Box("公因数")->text(), QStringLiteral("6"));
    QCOMPARE(Box("公倍数")->text(), QStringLiteral("36"));
}

void DivisorMultipleWindowTest::enterNeedsText()
{
    QTest::keyClick(Box("数量"), Qt::Key_Backspace);
    QTest::keyClick(Box("数量"), Qt::Key_Return);
    QVERIFY(!Box("数字")->isEnabled());
    EnterCount("2");
    QTest::keyClick(Box("数字"), Qt::Key_Return);
    QCOMPARE(Caption(), QStringLiteral("第1个数："));
    QTest::mouseClick(Button("按钮2"), Qt::LeftButton);
    QCOMPARE(TakeMessages(), (QList<ShownMessage>{{"信息：", RefusedNumberMessage}}));
}

void DivisorMultipleWindowTest::numbersAfterTheResultAreFoldedIn()
{
    EnterCount("2");
    EnterNumber("12");
    EnterNumber("18");
    Pages()->setCurrentIndex(0);
    EnterNumber("8");
    QCOMPARE(Pages()->currentIndex(), 1);
    QCOMPARE(Box("公因数")->text(), QStringLiteral("2"));
    QCOMPARE(Box("公倍数")->text(), QStringLiteral("72"));
}

void DivisorMultipleWindowTest::enterInTheCountReplacesIt()
{
    EnterCount("5");
    EnterNumber("12");
    Box("数量")->clear();
    QTest::keyClicks(Box("数量"), "2");
    QTest::keyClick(Box("数量"), Qt::Key_Return);
    EnterNumber("18");
    QCOMPARE(Pages()->currentIndex(), 1);
    QCOMPARE(Box("公因数")->text(), QStringLiteral("6"));
}

void DivisorMultipleWindowTest::resetReturnsToTheStart()
{
    EnterCount("3");
    EnterNumber("4");
    EnterNumber("6");
    EnterNumber("10");
    QTest::mouseClick(Button("按钮3"), Qt::LeftButton);
    VerifyCountEntry();
    EnterCount("2");
    EnterNumber("9");
    EnterNumber("6");
    QCOMPARE(Box("公因数")->text(), QStringLiteral("3"));
    QCOMPARE(Box("公倍数")->text(), QStringLiteral("18"));
}

void DivisorMultipleWindowTest::showsItsWorking()
{
    EnterCount(QStringLiteral("3"));
    for (const QString &number : {QStringLiteral("12"), QStringLiteral("18"), QStringLiteral("30")})
        EnterNumber(number);
    const QString text = CopyWorking(m_window);
    QVERIFY(text.contains(QStringLiteral("最小公倍数=2×3×2×3×5=180")));
    QVERIFY(text.contains(QStringLiteral("18=12×1+6")));
}

QTEST_MAIN(DivisorMultipleWindowTest)
#include "tst_divisormultiplewindow.moc"
