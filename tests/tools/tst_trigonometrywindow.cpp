#include "app/programstate.h"
#include "tools/functions/trigonometrywindow.h"
#include "ui/editbox.h"
#include "ui/style.h"
#include "ui/windowregistry.h"
#include "windowtest.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

class TrigonometryWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void initTestCase() { ApplyProgramStyle(*qApp); }
    void init();
    void controls();
    void computesAsTyped_data();
    void computesAsTyped();
    void recomputesOnEveryKeystroke();
    void emptiedInputShowsZeroAngle();
    void namesStandLevelWithTheirBoxes();
    void rightAngleTangentFitsItsBox();
    void outputsAreReadOnly();

private:
    EditBox *Box(const char *name) { return FindControl<EditBox>(m_window, name); }
    EditBox *Degrees() { return Box("三角函数输入"); }
    QStringList Shown()
    {
        return {Box("sin输出")->text(), Box("cos输出")->text(), Box("tan输出")->text()};
    }

    QPointer<TrigonometryWindow> m_window;
};

void TrigonometryWindowTest::init()
{
    WindowTest::init();
    QVERIFY(OpenToolWindow<TrigonometryWindow>(m_window));
}

void TrigonometryWindowTest::controls()
{
    QCOMPARE(m_window->windowTitle(), "三角函数");
    QCOMPARE(FindControl<QLabel>(m_window, "标签10")->text(), "sin\ncos\ntan\n");
    QCOMPARE(FindControl<QLabel>(m_window, "标签11")->text(), "=");
    QCOMPARE(Degrees()->accessibleName(), "角度（度）");
    QVERIFY(Degrees()->hasFocus());
    QCOMPARE(Shown(), QStringList({"", "", ""}));
}

void TrigonometryWindowTest::computesAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("shown");
    const auto row = [](const char *name, const QString &typed, const QStringList &shown) {
        QTest::newRow(name) << typed << shown;
    };

    row("30", "30", {"0.50000", "0.86603", "0.57735"});
    row("180", "180", {"0.00000", "-1.00000", "0.00000"});
    row("negative", "-45", {"-0.70711", "0.70711", "-1.00000"});
    row("large", "720", {"0.00000", "1.00000", "0.00000"});
    row("not a number", "x", {"0.00000", "1.00000", "0.00000"});
}

void TrigonometryWindowTest::computesAsTyped()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, shown);
    QTest::keyClicks(Degrees(), typed);
    QCOMPARE(Shown(), shown);
}

void TrigonometryWindowTest::recomputesOnEveryKeystroke()
{
    QTest::keyClicks(Degrees(), "1");
    QCOMPARE(Box("sin输出")->text(), "0.01745");
    QTest::keyClicks(Degrees(), "8");
    QCOMPARE(Box("sin输出")->text(), "0.30902");
    QTest::keyClicks(Degrees(), "0");
    QCOMPARE(Box("sin输出")->text(), "0.00000");
    QTest::keyClick(Degrees(), Qt::Key_Backspace);
    QCOMPARE(Box("sin输出")->text(), "0.30902");
}

void TrigonometryWindowTest::emptiedInputShowsZeroAngle()
{
    QTest::keyClicks(Degrees(), "30");
    QTest::keyClick(Degrees(), Qt::Key_Backspace);
    QTest::keyClick(Degrees(), Qt::Key_Backspace);
    QCOMPARE(Degrees()->text(), QString());
    QCOMPARE(Shown(), QStringList({"0.00000", "1.00000", "0.00000"}));
}

// The names label spans the three boxes, so each line can be drawn beside its box.
void TrigonometryWindowTest::namesStandLevelWithTheirBoxes()
{
    const QRect names = FindControl<QLabel>(m_window, "标签10")->geometry();
    QVERIFY(names.top() <= Box("sin输出")->geometry().top());
    QVERIFY(names.bottom() >= Box("tan输出")->geometry().bottom());
    QVERIFY(names.right() < Degrees()->geometry().left());
    QVERIFY(Degrees()->geometry().right() < Box("cos输出")->geometry().left());
}

// The longest tangent a few decimals short of a right angle still fits.
void TrigonometryWindowTest::rightAngleTangentFitsItsBox()
{
    QTest::keyClicks(Degrees(), "-89.999999");
    EditBox *tangent = Box("tan输出");
    QVERIFY(tangent->text().startsWith("-571"));
    QVERIFY(tangent->fontMetrics().horizontalAdvance(tangent->text())
            < tangent->contentsRect().width());
}

void TrigonometryWindowTest::outputsAreReadOnly()
{
    QTest::keyClicks(Degrees(), "30");
    Box("sin输出")->setFocus();
    QTest::keyClicks(Box("sin输出"), "9");
    QCOMPARE(Box("sin输出")->text(), "0.50000");
}

QTEST_MAIN(TrigonometryWindowTest)
#include "tst_trigonometrywindow.moc"
