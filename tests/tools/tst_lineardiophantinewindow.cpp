#include "tools/functions/lineardiophantinewindow.h"
#include "ui/editbox.h"
#include "windowtest.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

namespace {

const QStringList InputNames{"x系数输入框", "y系数输入框", "常数项输入框"};

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
    // Tab runs through a, b and c and back to a: the results take no input.
    QStringList order = InputNames;
    order << InputNames.front();
    for (const QString &name : order) {
        QCOMPARE(QApplication::focusWidget(), FindControl<QWidget>(m_window, name));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

// Nothing while an input is incomplete, the answer as soon as it reads as an integer, and no
// message box on the way.
void LinearDiophantineWindowTest::everyKeystrokeRecomputes()
{
    OpenWindow();
    TypeEquation({"3", "5", "2"});
    QCOMPARE(Read().count, QStringLiteral("没有非负整数解"));
    TypeText(FindControl<EditBox>(m_window, InputNames[2]), QStringLiteral("2"));
    const Shown solved = Read();
    QVERIFY(solved.steps.startsWith(QStringLiteral("方程：3x + 5y = 22\r\n辗转相除：")));
    QCOMPARE(solved.general, QStringLiteral("x = 44 + 5t\r\ny = -22 - 3t\r\n（t为任意整数）"));
    QCOMPARE(solved.count, QStringLiteral("共1组"));
    QCOMPARE(solved.list, QStringLiteral("x = 4，y = 2"));

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
