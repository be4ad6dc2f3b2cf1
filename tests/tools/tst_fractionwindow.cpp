#include "tools/arith/divisors.h"
#include "tools/arith/fractionlogic.h"
#include "tools/arith/fractionwindow.h"
#include "ui/editbox.h"
#include "windowtest.h"
#include "workingcheck.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QTest>

using namespace Arith;

class FractionWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void init();
    void opensEmpty();
    void computesAsTyped_data();
    void computesAsTyped();
    void switchingOperatorRecomputes();
    void resultFollowsEveryTerm_data();
    void resultFollowsEveryTerm();
    void termOutsideRangeIsRefused();
    void showsItsWorking();

private:
    EditBox *Box(const char *name) { return FindControl<EditBox>(m_window, name); }
    QLabel *Label(const char *name) { return FindControl<QLabel>(m_window, name); }
    MultiLineEditBox *Result() { return FindControl<MultiLineEditBox>(m_window, "分数结果"); }
    void ChooseOperator(int index)
    {
        ChooseItem(FindControl<QComboBox>(m_window, "组合框1"), index);
    }
    void Fill(const QStringList &terms); // 分子1, 分母1, 分子2, 分母2
    void Retype(const char *name, const QString &text);

    QPointer<FractionWindow> m_window;
};

void FractionWindowTest::init()
{
    WindowTest::init();
    QVERIFY(OpenToolWindow<FractionWindow>(m_window));
}

void FractionWindowTest::Fill(const QStringList &terms)
{
    const char *names[] = {"分子1", "分母1", "分子2", "分母2"};
    for (int i = 0; i < 4; ++i)
        TypeText(Box(names[i]), terms[i]);
}

void FractionWindowTest::Retype(const char *name, const QString &text)
{
    Box(name)->selectAll();
    QTest::keyClick(Box(name), Qt::Key_Backspace);
    TypeText(Box(name), text);
}

void FractionWindowTest::opensEmpty()
{
    QVERIFY(Box("分子1")->hasFocus());
    auto *box = FindControl<QComboBox>(m_window, "组合框1");
    QCOMPARE(box->count(), 4);
    QCOMPARE((QStringList{box->itemText(0), box->itemText(1), box->itemText(2), box->itemText(3)}),
             (QStringList{"+", "-", "*", "/"}));
    QCOMPARE(box->currentText(), QStringLiteral("+"));
    QCOMPARE(Label("透明标签3")->text(), QStringLiteral("——"));
    QCOMPARE(Label("透明标签2")->text(), QStringLiteral("——"));
    QCOMPARE(Label("透明标签4")->text(), QStringLiteral("="));
    QCOMPARE(Label("透明标签5")->text(), QStringLiteral("—"));
    QCOMPARE(Label("透明标签1")->text(), QStringLiteral("————"));
    QVERIFY(Label("透明标签5")->isHidden());
    QVERIFY(Label("透明标签1")->isHidden());
    QCOMPARE(Result()->text(), QString());
}

void FractionWindowTest::computesAsTyped_data()
{
    QTest::addColumn<QStringList>("terms");
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("bar");
    QTest::addColumn<bool>("sign");
    const auto row = [](const char *name, const QStringList &terms, int op, const char *result,
                        bool bar, bool sign) {
        QTest::newRow(name) << terms << op << QString::fromUtf8(result) << bar << sign;
    };
    row("1/2 + 1/3", {"1", "2", "1", "3"}, 0, "5\r\n6", true, false);
    row("zero", {"1", "3", "-1", "3"}, 0, "0", false, false);
    row("full-width and other whole forms", {"２", "-7.0", "0/5", "1"}, 0, "2\r\n7", true, true);
    row("largest terms", {"2147483647", "2147483646", "-2147483648", "2147483645"}, 1,
        "9223372023969873923\r\n4611686007689969670", true, false);
    row("largest whole", {"-2147483648", "1", "-2147483648", "1"}, 2, "4611686018427387904", false,
        false);
}

void FractionWindowTest::computesAsTyped()
{
    QFETCH(QStringList, terms);
    QFETCH(int, op);
    QFETCH(QString, result);
    QFETCH(bool, bar);
    QFETCH(bool, sign);
    ChooseOperator(op);
    Fill(terms);
    QCOMPARE(Result()->text(), result);
    QCOMPARE(Label("透明标签1")->isVisible(), bar);
    QCOMPARE(Label("透明标签5")->isVisible(), sign);

    // Written as a fraction: the bar between the two lines, as wide as the longer one; every
    // digit in sight.
    const QFontMetrics metrics = Result()->fontMetrics();
    const QStringList lines = result.split(QStringLiteral("\r\n"));
    QCOMPARE(Result()->height() >= metrics.height() * lines.size(), true);
    for (const QString &line : lines)
        QVERIFY(Result()->viewport()->width() > metrics.horizontalAdvance(line));
    if (bar) {
        const QRect box = Result()->geometry();
        const QRect rule = Label("透明标签1")->geometry();
        QVERIFY(qAbs(rule.center().y() - box.center().y()) <= 1);
        QVERIFY(rule.width() >= metrics.horizontalAdvance(lines[0]));
        QVERIFY(rule.width() >= metrics.horizontalAdvance(lines[1]));
    }
}

void FractionWindowTest::switchingOperatorRecomputes()
{
    Fill({"1", "2", "1", "3"});
    const QStringList expected{"5\r\n6", "1\r\n6", "1\r\n6", "3\r\n2"};
    for (int op = 0; op < 4; ++op) {
        ChooseOperator(op);
        QCOMPARE(Result()->text(), expected[op]);
    }
}

void FractionWindowTest::resultFollowsEveryTerm_data()
{
    QTest::addColumn<QByteArray>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("result");
    QTest::newRow("first numerator") << QByteArray("分子1") << "5" << 0 << "29\r\n20";
    QTest::newRow("first denominator 0") << QByteArray("分母1") << "0" << 0 << "";
    QTest::newRow("second numerator") << QByteArray("分子2") << "3" << 0 << "7\r\n20";
    QTest::newRow("second denominator cleared") << QByteArray("分母2") << "" << 0 << "";
    QTest::newRow("division by 0/5") << QByteArray("分子2") << "0" << 3 << "";
}

// Each term changed after -1/4 and 1/5: a new result, or none at all, never the old one.
void FractionWindowTest::resultFollowsEveryTerm()
{
    QFETCH(QByteArray, box);
    QFETCH(QString, text);
    QFETCH(int, op);
    QFETCH(QString, result);
    Fill({"-1", "4", "1", "5"});
    ChooseOperator(op);
    QVERIFY(Label("透明标签1")->isVisible());
    Retype(box.constData(), text);
    QCOMPARE(Result()->text(), result);
    QCOMPARE(Label("透明标签1")->isVisible(), !result.isEmpty());
    QCOMPARE(Label("透明标签5")->isVisible(), false);
}

// The keystroke that takes a term outside the 32-bit range is refused with the message and
// takes the result away; the term back in range computes again.
void FractionWindowTest::termOutsideRangeIsRefused()
{
    Fill({"1", "2", "1", "3"});
    Retype("分母2", "-214748364");
    const QString shown = Result()->text();
    TypeText(Box("分母2"), "9");
    QCOMPARE(TakeMessages(), (QList<ShownMessage>{{"信息：", OutOfRangeMessage}}));
    QCOMPARE(Result()->text(), QString());
    QTest::keyClick(Box("分母2"), Qt::Key_Backspace);
    QCOMPARE(TakeMessages(), {});
    QCOMPARE(Result()->text(), shown);
    // A decimal point where a whole number belongs is refused the same way, not cut to "1".
    TypeText(Box("分子1"), ".5");
    QCOMPARE(TakeMessages(), (QList<ShownMessage>{{"信息：", WholeNumberMessage}}));
    QCOMPARE(Result()->text(), QString());
}

void FractionWindowTest::showsItsWorking()
{
    Fill({"1", "2", "2", "3"});
    QVERIFY(CopyWorking(m_window).contains(QStringLiteral("=1又1/6")));
}

QTEST_MAIN(FractionWindowTest)
#include "tst_fractionwindow.moc"
