#include "tools/algebra/scientificcalculatorwindow.h"
#include "ui/editbox.h"
#include "ui/formulaview.h"
#include "windowtest.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

// The answers are the logic's (tst_mathevaluation); these check the wiring once.
class ScientificCalculatorWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void init();
    void enterShowsExactThenDecimalAndCopies();
    void keypadAnswerAndHistory();
    void switchesFlipTheAnswer();

private:
    EditBox *Line() { return FindControl<EditBox>(m_window, "算式输入框"); }
    QString Shown() { return FindControl<FormulaView>(m_window, "计算结果")->Text(); }
    void Enter(const QString &line)
    {
        Line()->clear();
        TypeText(Line(), line);
        QTest::keyClick(Line(), Qt::Key_Return);
    }
    // With SCREENSHOTS=folder, the window as it stands is saved there under `name`.
    void Picture(const QString &name)
    {
        const QString folder = qEnvironmentVariable("SCREENSHOTS");
        if (!folder.isEmpty())
            m_window->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
    }

    QPointer<ScientificCalculatorWindow> m_window;
};

void ScientificCalculatorWindowTest::init()
{
    WindowTest::init();
    QVERIFY(OpenToolWindow<ScientificCalculatorWindow>(m_window));
    QVERIFY(Line()->hasFocus());
}

void ScientificCalculatorWindowTest::enterShowsExactThenDecimalAndCopies()
{
    Enter(QStringLiteral("√12+√27"));
    QCOMPARE(Shown(), QStringLiteral("5√3 ≈ 8.660254038"));
    m_window->CopyResults();
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("表达式 = √12+√27\n精确值 = 5√3\n近似值 = 8.66025403784439"));
    Enter(QStringLiteral("1/(√3−1)"));
    Picture(QStringLiteral("scientific-rationalised"));
    FindControl<QPushButton>(m_window, "复制LaTeX")->click();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("\\frac{\\sqrt{3}+1}{2}"));
    Enter(QStringLiteral("ln0"));
    QCOMPARE(Shown(), QString());
    QCOMPARE(FindControl<QLabel>(m_window, "提示信息")->text(),
             QStringLiteral("对数的真数必须大于0"));
}

void ScientificCalculatorWindowTest::keypadAnswerAndHistory()
{
    for (const char *key : {"键sin", "键6", "键0", "键)"})
        FindControl<QPushButton>(m_window, QString::fromUtf8(key))->click();
    QCOMPARE(Line()->text(), QStringLiteral("sin(60)"));
    FindControl<QPushButton>(m_window, "计算")->click();
    QCOMPARE(Shown(), QStringLiteral("√3/2 ≈ 0.8660254038"));
    Enter(QStringLiteral("Ans×2√3"));
    QCOMPARE(Shown(), QStringLiteral("3"));
    Line()->clear();
    QTest::keyClick(Line(), Qt::Key_Up);
    QCOMPARE(Line()->text(), QStringLiteral("Ans×2√3"));
    QTest::keyClick(Line(), Qt::Key_Up);
    QCOMPARE(Line()->text(), QStringLiteral("sin(60)"));
}

void ScientificCalculatorWindowTest::switchesFlipTheAnswer()
{
    Enter(QStringLiteral("7/3"));
    QCOMPARE(Shown(), QStringLiteral("7/3 ≈ 2.333333333"));
    FindControl<QCheckBox>(m_window, "带分数")->click();
    QCOMPARE(Shown(), QStringLiteral("2\u202F1/3 ≈ 2.333333333"));
    FindControl<QPushButton>(m_window, "精确小数")->click();
    QCOMPARE(Shown(), QStringLiteral("≈ 2.333333333"));
    Enter(QStringLiteral("arcsin(1/2)"));
    FindControl<QPushButton>(m_window, "精确小数")->click();
    QCOMPARE(Shown(), QStringLiteral("30°"));
    FindControl<QRadioButton>(m_window, "弧度")->click();
    QCOMPARE(Shown(), QStringLiteral("π/6 ≈ 0.5235987756"));
    QVERIFY(m_window->ResultLines().contains(QStringLiteral("精确值 = π/6")));
    Picture(QStringLiteral("scientific-radians"));
}

QTEST_MAIN(ScientificCalculatorWindowTest)
#include "tst_scientificcalculatorwindow.moc"
