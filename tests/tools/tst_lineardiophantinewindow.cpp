#include "tools/functions/lineardiophantinewindow.h"
#include "ui/editbox.h"
#include "windowtest.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

namespace {

const QStringList InputNames{"x系数输入框", "y系数输入框", "常数项输入框"};

// "|" stands for a line break in the tables below.
QString Lines(QString text)
{
    return text.replace(QLatin1Char('|'), QLatin1String("\r\n"));
}

// What the window shows: steps, general solution, count and list of non-negative solutions.
struct Shown
{
    QString steps, general, count, list;
};

} // namespace

class LinearDiophantineWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void opensEmptyWithFocusOnA();
    void solvesAsTyped_data();
    void solvesAsTyped();
    void everyKeystrokeRecomputes();
    void outOfRangeShowsOneLine();
    void hugeCountListsTheFirstThousand();
    void resultsCanBeSelectedButNotEdited();

private:
    void OpenWindow();
    void Type(int box, const QString &text);
    void TypeEquation(const QStringList &inputs);
    Shown Read() const;

    LinearDiophantineWindow *m_window = nullptr;
};

void LinearDiophantineWindowTest::OpenWindow()
{
    if (!OpenToolWindow<LinearDiophantineWindow>(m_window))
        qWarning("window not active");
}

// Clears box 0, 1 or 2 (a, b, c) and types into it key by key.
void LinearDiophantineWindowTest::Type(int box, const QString &text)
{
    auto *input = FindControl<EditBox>(m_window, InputNames[box]);
    input->setFocus();
    input->selectAll();
    QTest::keyClick(input, Qt::Key_Backspace);
    TypeText(input, text);
}

void LinearDiophantineWindowTest::TypeEquation(const QStringList &inputs)
{
    for (int i = 0; i < 3; ++i)
        Type(i, inputs.value(i));
}

Shown LinearDiophantineWindowTest::Read() const
{
    return {FindControl<MultiLineEditBox>(m_window, QStringLiteral("求解过程"))->text(),
            FindControl<MultiLineEditBox>(m_window, QStringLiteral("通解"))->text(),
            FindControl<QLabel>(m_window, QStringLiteral("非负解个数"))->text(),
            FindControl<MultiLineEditBox>(m_window, QStringLiteral("非负解列表"))->text()};
}

void LinearDiophantineWindowTest::opensEmptyWithFocusOnA()
{
    OpenWindow();
    const Shown shown = Read();
    QVERIFY(shown.steps.isEmpty() && shown.general.isEmpty() && shown.count.isEmpty()
            && shown.list.isEmpty());
    // Tab runs through a, b and c, then through the results.
    QStringList order = InputNames;
    order << QStringLiteral("求解过程") << QStringLiteral("通解") << QStringLiteral("非负解列表");
    for (const QString &name : order) {
        QCOMPARE(QApplication::focusWidget(), FindControl<QWidget>(m_window, name));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

void LinearDiophantineWindowTest::solvesAsTyped_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("steps"); // lines the steps contain in a row, "|" between them
    QTest::addColumn<QString>("general");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("list");
    const char *noSolution = "无整数解";
    const char *noNonNegative = "没有非负整数解";

    QTest::addRow("3x + 5y = 22")
            << QStringList{"3", "5", "22"}
            << "方程：3x + 5y = 22|辗转相除：|5 = 1 × 3 + 2|3 = 1 × 2 + 1|2 = 2 × 1 + 0|"
               "d = (3, 5) = 1|因为1能整除22，所以方程有整数解。|回代：|1 = 3 - 2|"
               "    = 3 - (5 - 3)|    = 2 × 3 - 5|即：3 × 2 + 5 × (-1) = 1|"
               "乘数：c ÷ d = 22 ÷ 1 = 22|特解：x0 = 2 × 22 = 44|　　　y0 = -1 × 22 = -22|"
               "通解：x = x0 + (b ÷ d)t，y = y0 - (a ÷ d)t|b ÷ d = 5 ÷ 1 = 5，a ÷ d = 3 ÷ 1 = 3"
            << "x = 44 + 5t|y = -22 - 3t|（t为任意整数）"
            << "共1组"
            << "x = 4，y = 2";
    QTest::addRow("252x + 198y = 18")
            << QStringList{"252", "198", "18"}
            << "方程：252x + 198y = 18|辗转相除：|252 = 1 × 198 + 54|198 = 3 × 54 + 36|"
               "54 = 1 × 36 + 18|36 = 2 × 18 + 0|d = (252, 198) = 18|"
               "因为18能整除18，所以方程有整数解。|回代：|18 = 54 - 36|"
               "    = 54 - (198 - 3 × 54)|    = 4 × 54 - 198|    = 4 × (252 - 198) - 198|"
               "    = 4 × 252 - 5 × 198|即：252 × 4 + 198 × (-5) = 18|"
               "乘数：c ÷ d = 18 ÷ 18 = 1|特解：x0 = 4 × 1 = 4|　　　y0 = -5 × 1 = -5|"
               "通解：x = x0 + (b ÷ d)t，y = y0 - (a ÷ d)t|"
               "b ÷ d = 198 ÷ 18 = 11，a ÷ d = 252 ÷ 18 = 14"
            << "x = 4 + 11t|y = -5 - 14t|（t为任意整数）" << noNonNegative << "";
    QTest::addRow("6x + 9y = 10 has no solution")
            << QStringList{"6", "9", "10"}
            << "方程：6x + 9y = 10|辗转相除：|9 = 1 × 6 + 3|6 = 2 × 3 + 0|d = (6, 9) = 3|"
               "因为3不能整除10，所以方程无整数解。"
            << noSolution << noNonNegative << "";
    QTest::addRow("both negative: three non-negative")
            << QStringList{"-2", "-3", "-12"}
            << "方程：-2x - 3y = -12|辗转相除：|3 = 1 × 2 + 1|2 = 2 × 1 + 0|d = (2, 3) = 1|"
               "因为1能整除-12，所以方程有整数解。|回代：|1 = 3 - 2|"
               "即：-2 × 1 + (-3) × (-1) = 1|乘数：c ÷ d = -12 ÷ 1 = -12|"
               "特解：x0 = 1 × (-12) = -12|　　　y0 = -1 × (-12) = 12|"
            << "x = -12 - 3t|y = 12 + 2t|（t为任意整数）"
            << "共3组"
            << "x = 0，y = 4|x = 3，y = 2|x = 6，y = 0";
    QTest::addRow("opposite signs")
            << QStringList{"6", "-9", "-3"}
            << "方程：6x - 9y = -3|辗转相除：|9 = 1 × 6 + 3|6 = 2 × 3 + 0|d = (6, 9) = 3|"
               "因为3能整除-3，所以方程有整数解。|回代：|3 = 9 - 6|"
               "即：6 × (-1) + (-9) × (-1) = 3|乘数：c ÷ d = -3 ÷ 3 = -1|"
               "特解：x0 = -1 × (-1) = 1|　　　y0 = -1 × (-1) = 1|"
            << "x = 1 - 3t|y = 1 - 2t|（t为任意整数）"
            << "有无穷多组（a、b异号）"
            << "";
    QTest::addRow("c = 0")
            << QStringList{"4", "6", "0"}
            << "d = (4, 6) = 2|因为2能整除0，所以方程有整数解。|c = 0，特解：x0 = 0，y0 = 0|"
               "通解：x = x0 + (b ÷ d)t，y = y0 - (a ÷ d)t|b ÷ d = 6 ÷ 2 = 3，a ÷ d = 4 ÷ 2 = 2"
            << "x = 3t|y = -2t|（t为任意整数）"
            << "共1组"
            << "x = 0，y = 0";
    QTest::addRow("one division: d is the smaller coefficient")
            << QStringList{"126", "252", "378"}
            << "辗转相除：|252 = 2 × 126 + 0|d = (126, 252) = 126|"
               "因为126能整除378，所以方程有整数解。|即：126 × 1 + 252 × 0 = 126|"
               "乘数：c ÷ d = 378 ÷ 126 = 3|特解：x0 = 1 × 3 = 3|　　　y0 = 0 × 3 = 0|"
            << "x = 3 + 2t|y = -t|（t为任意整数）"
            << "共2组"
            << "x = 1，y = 1|x = 3，y = 0";
    QTest::addRow("a = b = c = 0") << QStringList{"0", "0", "0"}
                                   << "方程：0 = 0|a = b = 0且c = 0，任意一对整数x、y都是解。"
                                   << "x = s|y = t|（s、t为任意整数）"
                                   << "有无穷多组（x、y为任意非负整数）"
                                   << "";
    QTest::addRow("a = b = 0, c not 0")
            << QStringList{"0", "-0", "5"}
            << "方程：0 = 5|a = b = 0，左边恒为0，而c = 5不为0，所以方程无整数解。" << noSolution
            << noNonNegative << "";
    QTest::addRow("b = 0") << QStringList{"3", "0", "12"}
                           << "方程：3x = 12|d = (3, 0) = 3|因为3能整除12，所以方程有整数解。|"
                              "x = 12 ÷ 3 = 4，y可取任意整数。"
                           << "x = 4|y = t|（t为任意整数）"
                           << "有无穷多组（x = 4，y为任意非负整数）"
                           << "";
    QTest::addRow("a = 0, negative y")
            << QStringList{"0", "-3", "12"}
            << "方程：-3y = 12|d = (0, 3) = 3|因为3能整除12，所以方程有整数解。|"
               "y = 12 ÷ (-3) = -4，x可取任意整数。"
            << "x = t|y = -4|（t为任意整数）"
            << "没有非负整数解（y = -4是负数）"
            << "";
    QTest::addRow("a = 0, not divisible")
            << QStringList{"0", "4", "6"}
            << "方程：4y = 6|d = (0, 4) = 4|因为4不能整除6，所以方程无整数解。" << noSolution
            << noNonNegative << "";
}

void LinearDiophantineWindowTest::solvesAsTyped()
{
    QFETCH(QStringList, inputs);
    QFETCH(QString, steps);
    QFETCH(QString, general);
    QFETCH(QString, count);
    QFETCH(QString, list);
    OpenWindow();
    TypeEquation(inputs);
    const Shown shown = Read();
    QVERIFY2(shown.steps.contains(Lines(steps)), qPrintable(shown.steps));
    QCOMPARE(shown.general, Lines(general));
    QCOMPARE(shown.count, count);
    QCOMPARE(shown.list, Lines(list));
}

// Nothing while an input is incomplete, the answer as soon as it reads as an integer, and no
// message box on the way.
void LinearDiophantineWindowTest::everyKeystrokeRecomputes()
{
    OpenWindow();
    TypeEquation({"3", "5", "2"});
    QCOMPARE(Read().count, QStringLiteral("没有非负整数解"));
    TypeText(FindControl<EditBox>(m_window, InputNames[2]), QStringLiteral("2"));
    QCOMPARE(Read().list, QStringLiteral("x = 4，y = 2"));

    auto *a = FindControl<EditBox>(m_window, InputNames[0]);
    a->setFocus();
    a->home(false);
    TypeText(a, QStringLiteral("-")); // "-3" while the minus goes in first
    QCOMPARE(Read().count, QStringLiteral("有无穷多组（a、b异号）"));
    Type(0, QStringLiteral("-"));
    const Shown incomplete = Read();
    QVERIFY(incomplete.steps.isEmpty() && incomplete.general.isEmpty() && incomplete.count.isEmpty()
            && incomplete.list.isEmpty());
    TypeText(a, QStringLiteral("3"));
    QVERIFY(Read().steps.startsWith(QStringLiteral("方程：-3x + 5y = 22")));
    Type(1, QString());
    QVERIFY(Read().steps.isEmpty());
}

void LinearDiophantineWindowTest::outOfRangeShowsOneLine()
{
    OpenWindow();
    auto *steps = FindControl<MultiLineEditBox>(m_window, QStringLiteral("求解过程"));
    TypeEquation({"", "", "9223372036854775808"}); // told at once, a and b still empty
    const Shown shown = Read();
    QCOMPARE(shown.steps,
             QStringLiteral("超出范围：a、b、c须是-9223372036854775808到9223372036854775807之间"
                            "的整数"));
    QVERIFY(shown.general.isEmpty() && shown.count.isEmpty() && shown.list.isEmpty());
    QVERIFY(steps->property("error").toBool());

    QTest::keyClick(FindControl<EditBox>(m_window, InputNames[2]), Qt::Key_Backspace);
    QVERIFY(Read().steps.isEmpty());
    Type(0, QStringLiteral("3"));
    Type(1, QStringLiteral("5"));
    QVERIFY(Read().steps.startsWith(QStringLiteral("方程：3x + 5y = 922337203685477580")));
    QVERIFY(!steps->property("error").toBool());
}

void LinearDiophantineWindowTest::hugeCountListsTheFirstThousand()
{
    OpenWindow();
    TypeEquation({"1", "1", "9223372036854775807"});
    const Shown shown = Read();
    QCOMPARE(shown.general,
             QStringLiteral("x = t\r\ny = 9223372036854775807 - t\r\n（t为任意整数）"));
    QCOMPARE(shown.count, QStringLiteral("共9223372036854775808组，下面列出前1000组"));
    const QStringList lines = shown.list.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 1001);
    QCOMPARE(lines[999], QStringLiteral("x = 999，y = 9223372036854774808"));
    QCOMPARE(lines[1000], QStringLiteral("……（其余9223372036854774808组未列出）"));
}

void LinearDiophantineWindowTest::resultsCanBeSelectedButNotEdited()
{
    OpenWindow();
    TypeEquation({"3", "5", "22"});
    auto *general = FindControl<MultiLineEditBox>(m_window, QStringLiteral("通解"));
    const QString before = general->text();
    general->setFocus();
    QTest::keyClicks(general, QStringLiteral("99"));
    QTest::keyClick(general, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(general->text(), before);
    QCOMPARE(general->textCursor().selectedText(),
             general->toPlainText().replace(u'\n', u'\u2029'));
    // A recomputation that changes nothing keeps the selection: 022 reads as 22.
    auto *c = FindControl<EditBox>(m_window, InputNames[2]);
    c->home(false);
    TypeText(c, QStringLiteral("0"));
    QCOMPARE(c->text(), QStringLiteral("022"));
    QVERIFY(general->textCursor().hasSelection());
    QVERIFY(FindControl<QLabel>(m_window, QStringLiteral("非负解个数"))->textInteractionFlags()
            & Qt::TextSelectableByMouse);
}

QTEST_MAIN(LinearDiophantineWindowTest)
#include "tst_lineardiophantinewindow.moc"
