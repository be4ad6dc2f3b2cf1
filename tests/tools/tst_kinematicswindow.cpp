#include "tools/applied/kinematicswindow.h"
#include "ui/editbox.h"
#include "windowtest.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {
// Long enough for several ticks of the 100 ms recomputation.
const QString Error = QStringLiteral("错误！");
} // namespace

class KinematicsWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void init();
    void resultsWaitForTheFirstInput();
    void computeButton_data();
    void computeButton();
    void resultAppearsWithoutButton();
    void hiddenPagesAreRecomputed();
    void focusInResultBoxPausesRecomputation();
    void uncheckedStopsRecomputation();
    void leavingResultBoxUncheckedStaysStopped();
    void v0PlaceholderClearsOnFocus_data();
    void v0PlaceholderClearsOnFocus();
    void typedZeroSurvivesLeavingTheBox();
    void inputsAreLimited();
    void explanations();

private:
    EditBox *Box(const QString &name) const { return FindControl<EditBox>(m_window, name); }
    void Click(const QString &name)
    {
        QTest::mouseClick(FindControl<QWidget>(m_window, name), Qt::LeftButton);
    }
    void ShowPage(int page, const QString &tabBox, int subPage)
    {
        FindControl<QTabWidget>(m_window, QStringLiteral("选择夹"))->setCurrentIndex(page);
        FindControl<QTabWidget>(m_window, tabBox)->setCurrentIndex(subPage);
    }
    void SetInstant(bool checked)
    {
        auto *instant = FindControl<QCheckBox>(m_window, QStringLiteral("选择框1"));
        if (instant->isChecked() != checked)
            QTest::mouseClick(instant, Qt::LeftButton, {}, QPoint(8, instant->height() / 2));
        QCOMPARE(instant->isChecked(), checked);
    }
    KinematicsWindow *m_window = nullptr;
};

void KinematicsWindowTest::init()
{
    WindowTest::init();
    QVERIFY(OpenToolWindow<KinematicsWindow>(m_window));
}

// Nothing is typed on opening, so nothing is wrong yet: the results wait, empty and unmarked,
// until a first input is typed; a missing one is then an error.
void KinematicsWindowTest::resultsWaitForTheFirstInput()
{
    QVERIFY(WaitForTicks(FindControl<QTimer>(m_window, QStringLiteral("时钟2"))));
    for (const char *name : {"结果x", "结果t", "结果v0", "结果v", "结果a", "结果v121"})
        QCOMPARE(Box(QString::fromUtf8(name))->text(), QString());
    QVERIFY(!Box(QStringLiteral("结果x"))->property("error").toBool());
    QTest::keyClicks(Box(QStringLiteral("x1t")), QStringLiteral("2"));
    QTRY_COMPARE(Box(QStringLiteral("结果x"))->text(), Error);
    QVERIFY(Box(QStringLiteral("结果x"))->property("error").toBool()); // in the warm accent
    // Only the shown sub-page of the mid-way speeds is computed.
    QCOMPARE(Box(QStringLiteral("结果v122"))->text(), QString());
    QCOMPARE(QApplication::focusWidget(), Box(QStringLiteral("x1t")));
}

void KinematicsWindowTest::computeButton_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("tabBox");
    QTest::addColumn<int>("subPage");
    QTest::addColumn<QStringList>("inputs"); // box name, text, box name, text, …
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("resultBox");
    QTest::addColumn<QString>("result");
    QTest::newRow("x from t, placeholder v0, a")
            << 0 << "位移选择夹" << 0 << QStringList{"x1t", "2", "x1a", "3"} << "计算x"
            << "结果x"
            << "6";
    QTest::newRow("t with a = 0") << 1 << "时间选择夹" << 0
                                  << QStringList{"t1v0", "1", "t1v", "7", "t1a", "0"} << "计算t"
                                  << "结果t"
                                  << "1.#INF";
    QTest::newRow("t with a = 0 and v = v0")
            << 1 << "时间选择夹" << 0 << QStringList{"t1v0", "3", "t1v", "3", "t1a", "0"} << "计算t"
            << "结果t" << Error;
    QTest::newRow("v0 with v² < 2ax")
            << 2 << "初速度选择夹" << 2 << QStringList{"v03x", "10", "v03v", "1", "v03a", "3"}
            << "计算v0"
            << "结果v0" << Error;
    QTest::newRow("v from x, v0, a") << 3 << "末速度选择夹" << 1
                                     << QStringList{"v2x", "16", "v2v0", "2", "v2a", "3"} << "计算v"
                                     << "结果v"
                                     << "10";
    QTest::newRow("a from x, t, v0") << 4 << "加速度选择夹" << 0
                                     << QStringList{"a1x", "14", "a1t", "2", "a1v0", "4"} << "计算a"
                                     << "结果a"
                                     << "3";
    QTest::newRow("speed at half time")
            << 5 << "半速度选择夹" << 0 << QStringList{"v121v", "2"} << "计算v121"
            << "结果v121"
            << "1";
    QTest::newRow("speed at half displacement")
            << 5 << "半速度选择夹" << 1 << QStringList{"v122v", "2"} << "计算v121"
            << "结果v122"
            << "1.414213562373";
    QTest::newRow("a missing input") << 0 << "位移选择夹" << 1 << QStringList{"x2v", "5"} << "计算x"
                                     << "结果x" << Error;
}

void KinematicsWindowTest::computeButton()
{
    QFETCH(int, page);
    QFETCH(QString, tabBox);
    QFETCH(int, subPage);
    QFETCH(QStringList, inputs);
    QFETCH(QString, button);
    QFETCH(QString, resultBox);
    QFETCH(QString, result);
    SetInstant(false);
    ShowPage(page, tabBox, subPage);
    for (int index = 0; index < inputs.size(); index += 2) {
        Click(inputs[index]);
        QTest::keyClicks(Box(inputs[index]), inputs[index + 1]);
    }
    Box(resultBox)->clear();
    Click(button);
    QCOMPARE(Box(resultBox)->text(), result);
}

void KinematicsWindowTest::resultAppearsWithoutButton()
{
    QTest::keyClicks(Box(QStringLiteral("x1t")), QStringLiteral("2"));
    Click(QStringLiteral("x1a"));
    QVERIFY(WaitForTicks(FindControl<QTimer>(m_window, QStringLiteral("时钟2"))));
    QCOMPARE(Box(QStringLiteral("结果x"))->text(), Error);
    QTest::keyClicks(Box(QStringLiteral("x1a")), QStringLiteral("3"));
    QTRY_COMPARE(Box(QStringLiteral("结果x"))->text(), QStringLiteral("6"));
}

void KinematicsWindowTest::hiddenPagesAreRecomputed()
{
    QTest::keyClicks(Box(QStringLiteral("v1t")), QStringLiteral("2"));
    QTest::keyClicks(Box(QStringLiteral("v1a")), QStringLiteral("3"));
    QTest::keyClicks(Box(QStringLiteral("v121v")), QStringLiteral("5"));
    QVERIFY(!Box(QStringLiteral("结果v"))->isVisible());
    QTRY_COMPARE(Box(QStringLiteral("结果v"))->text(), QStringLiteral("6"));
    QTRY_COMPARE(Box(QStringLiteral("结果v121"))->text(), QStringLiteral("2.5"));
}

void KinematicsWindowTest::focusInResultBoxPausesRecomputation()
{
    QTest::keyClicks(Box(QStringLiteral("x1t")), QStringLiteral("2"));
    QTest::keyClicks(Box(QStringLiteral("x1a")), QStringLiteral("3"));
    QTRY_COMPARE(Box(QStringLiteral("结果x"))->text(), QStringLiteral("6"));
    Click(QStringLiteral("结果x"));
    QTest::keyClicks(Box(QStringLiteral("x1a")), QStringLiteral("0")); // a = 30
    QVERIFY(WaitForTicks(FindControl<QTimer>(m_window, QStringLiteral("时钟2"))));
    QCOMPARE(Box(QStringLiteral("结果x"))->text(), QStringLiteral("6"));
    Click(QStringLiteral("x1t"));
    QTRY_COMPARE(Box(QStringLiteral("结果x"))->text(), QStringLiteral("60"));
}

void KinematicsWindowTest::uncheckedStopsRecomputation()
{
    QVERIFY(WaitForTicks(FindControl<QTimer>(m_window, QStringLiteral("时钟2"))));
    SetInstant(false);
    QTest::keyClicks(Box(QStringLiteral("x1t")), QStringLiteral("2"));
    QTest::keyClicks(Box(QStringLiteral("x1a")), QStringLiteral("3"));
    QVERIFY(WaitForTicks(FindControl<QTimer>(m_window, QStringLiteral("时钟2"))));
    QCOMPARE(Box(QStringLiteral("结果x"))->text(), QString()); // waits for "计算"
    SetInstant(true);
    QTRY_COMPARE(Box(QStringLiteral("结果x"))->text(), QStringLiteral("6"));
}

void KinematicsWindowTest::leavingResultBoxUncheckedStaysStopped()
{
    QVERIFY(WaitForTicks(FindControl<QTimer>(m_window, QStringLiteral("时钟2"))));
    SetInstant(false);
    Click(QStringLiteral("结果x"));
    Click(QStringLiteral("x1t"));
    QTest::keyClicks(Box(QStringLiteral("x1t")), QStringLiteral("2"));
    QTest::keyClicks(Box(QStringLiteral("x1a")), QStringLiteral("3"));
    QVERIFY(WaitForTicks(FindControl<QTimer>(m_window, QStringLiteral("时钟2"))));
    QCOMPARE(Box(QStringLiteral("结果x"))->text(), QString());
}

void KinematicsWindowTest::v0PlaceholderClearsOnFocus_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("tabBox");
    QTest::addColumn<int>("subPage");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("afterClick");
    QTest::newRow("x1v0") << 0 << "位移选择夹" << 0 << "x1v0"
                          << "";
    QTest::newRow("a3v0") << 4 << "加速度选择夹" << 2 << "a3v0"
                          << "";
    QTest::newRow("v122v0 keeps its 0") << 5 << "半速度选择夹" << 1 << "v122v0"
                                        << "0";
}

void KinematicsWindowTest::v0PlaceholderClearsOnFocus()
{
    QFETCH(int, page);
    QFETCH(QString, tabBox);
    QFETCH(int, subPage);
    QFETCH(QString, box);
    QFETCH(QString, afterClick);
    ShowPage(page, tabBox, subPage);
    QCOMPARE(Box(box)->text(), QStringLiteral("0"));
    Click(box);
    QCOMPARE(Box(box)->text(), afterClick);
    // Even a typed value goes when the box is entered again.
    QTest::keyClicks(Box(box), QStringLiteral("5"));
    QTest::keyClick(Box(box), Qt::Key_Tab);
    QVERIFY(!Box(box)->hasFocus());
    Click(box);
    QCOMPARE(Box(box)->text(), afterClick.isEmpty() ? QString() : QStringLiteral("05"));
}

void KinematicsWindowTest::typedZeroSurvivesLeavingTheBox()
{
    Click(QStringLiteral("x1v0"));
    QTest::keyClicks(Box(QStringLiteral("x1v0")), QStringLiteral("0"));
    Click(QStringLiteral("x1t"));
    QTest::keyClicks(Box(QStringLiteral("x1t")), QStringLiteral("2"));
    Click(QStringLiteral("x1a"));
    QTest::keyClicks(Box(QStringLiteral("x1a")), QStringLiteral("3"));
    QCOMPARE(Box(QStringLiteral("x1v0"))->text(), QStringLiteral("0"));
    QTRY_COMPARE(Box(QStringLiteral("结果x"))->text(), QStringLiteral("6"));
}

void KinematicsWindowTest::inputsAreLimited()
{
    QTest::keyClicks(Box(QStringLiteral("x1t")), QStringLiteral("1e2.5-x9999"));
    QCOMPARE(Box(QStringLiteral("x1t"))->text(), QStringLiteral("12.5-99"));
}

void KinematicsWindowTest::explanations()
{
    const QStringList glossary = FindControl<MultiLineEditBox>(m_window, QStringLiteral("编辑框1"))
                                         ->text()
                                         .split(QStringLiteral("\r\n"));
    QCOMPARE(glossary.mid(0, 3),
             QStringList({"符号解释：", "x：位移（单位：米（m））", "t：时间（单位：秒（s））"}));
    QCOMPARE(glossary.size(), 6);
    const QStringList formulas = FindControl<MultiLineEditBox>(m_window, QStringLiteral("编辑框2"))
                                         ->text()
                                         .split(QStringLiteral("\r\n"));
    QCOMPARE(formulas.mid(0, 3), QStringList({"基本公式：", "v=v0+at", "x=v0t+1/2at^2"}));
}

QTEST_MAIN(KinematicsWindowTest)
#include "tst_kinematicswindow.moc"
